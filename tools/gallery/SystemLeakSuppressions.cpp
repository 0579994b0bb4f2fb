// Under the leak checker (sanitizer builds): SDL's desktop-bus connection,
// fontconfig's per-process configuration and Mesa's per-process GL state are
// kept until the process ends and never freed. The checker ignores what
// those libraries allocated, and only that, so that a leak of the gallery's
// own shows.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\nleak:libfontconfig.so\nleak:libGLX_mesa.so\nleak:libglapi.so\nleak:libLLVM\n"
         "leak:swrast_dri.so\n";
}
