// This suite opens the control's library with dlopen. At exit LeakSanitizer then may read a
// stale dynamic thread-local block of the main thread and crash while it checks for leaks. The
// main thread's thread-locals are destroyed before the check runs, so it leaves them out.
extern "C" const char* __lsan_default_options() { return "use_tls=0"; }
