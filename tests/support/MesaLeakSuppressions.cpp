// Mesa keeps per-process state (dispatch tables, framebuffers of released
// contexts) that it never frees; the leak checker is told to ignore what was
// allocated inside Mesa's own libraries, and only there.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libOSMesa.so\nleak:libLLVM\nleak:libglapi.so\n";
}
