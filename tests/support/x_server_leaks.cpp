// LeakSanitizer's suppressions for the suites on a real X server: the D-Bus library that Qt's xcb
// platform loads keeps a buffer of its own to the end of the process.

extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
