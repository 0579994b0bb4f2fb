// Mesa keeps per-process state (dispatch tables, framebuffers of released
// contexts) and SDL's desktop-bus connection keeps its buffers; neither is
// ever freed. The leak checker ignores what those libraries allocated, and
// only that.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libOSMesa.so\nleak:libLLVM\nleak:libglapi.so\nleak:libdbus-1.so\n";
}
