// Under the leak checker (sanitizer builds): fontconfig's per-process
// configuration, which Cairo's text reaches, is kept until the process ends
// and never freed. The checker ignores what it allocated, and only that.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
