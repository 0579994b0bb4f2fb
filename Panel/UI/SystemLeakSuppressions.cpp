// Under the leak checker (sanitizer builds): SDL's desktop-bus connection and
// fontconfig's per-process configuration are kept until the process ends and
// never freed. The checker ignores what those libraries allocated, and only
// that, so that a leak of the editor's own shows.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\nleak:libfontconfig.so\n"; }
