// The font configuration, display, windowing and desktop-bus libraries keep their caches for the
// life of the process; in builds with the leak checker they are not reported as leaks of this
// program. Programs and tests that draw link this in.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libX11\nleak:libSDL2\nleak:libdbus\nleak:libglib\n";
}
