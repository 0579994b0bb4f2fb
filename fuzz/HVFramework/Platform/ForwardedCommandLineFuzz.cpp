// The command line another process forwards to the running instance: any bytes
// may arrive. The reader must neither crash nor overread, and what it accepts
// is valid UTF-8 within the cap.
#include "HVFramework/Platform/UI/ForwardedCommandLine.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<std::string> text = HV::Platform::ReadForwardedCommandLine({data, size});
  if (!text) return 0;
  if (text->size() > 3 * HV::Platform::kMaxForwardedBytes) std::abort();
  if (HV::Platform::SanitizeUtf8(*text) != *text) std::abort();
  return 0;
}
