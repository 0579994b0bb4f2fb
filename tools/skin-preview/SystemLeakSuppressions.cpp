// Under the leak checker (sanitizer builds): fontconfig keeps its
// per-process configuration until the process ends and never frees it. The
// checker ignores what fontconfig allocated, and only that, so that a leak
// of the preview's own shows.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
