// The font configuration, display and windowing libraries keep their caches for the life of the
// process; in builds with the leak checker they are not reported as leaks of this program.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libX11\nleak:libSDL2\nleak:libdbus\nleak:libglib\n";
}
