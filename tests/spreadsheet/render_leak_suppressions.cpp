// Leak checking for sanitizer builds of these tests: fontconfig keeps its
// configuration for the life of the process and never frees it (a bare pango
// program that releases everything it made shows the same 288 bytes), so that one
// library's allocations are not reported. Everything else still is.
// The sanitizer runtime looks the hook up dynamically, so it must stay visible in a
// build that hides symbols by default.
extern "C" __attribute__((visibility("default"), used)) const char *__lsan_default_suppressions();
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
