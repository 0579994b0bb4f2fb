// The "-DEBUG_CONSOLE[:port[:host]]" option comes from the command line, which
// any program starting ours writes: any text must be read without a crash, an
// overread or an exception, and leave a port that is either a UDP port or the
// debugger's.
#include "HVFramework/System/DebugTrace.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HV::DebugTrace trace;
  trace.ApplyCommandLine(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
