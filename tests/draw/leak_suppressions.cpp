// The font configuration library keeps its font lists for the life of the process; they are
// not leaks of this code.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}
