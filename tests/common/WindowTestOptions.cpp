// Linked into the window test programs only. Qt and fontconfig keep caches
// until the process ends, and LeakSanitizer's end-of-run scan cannot stop
// libvips' worker threads; the window tests run without the leak check, the
// core tests and the programs they start keep it.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
