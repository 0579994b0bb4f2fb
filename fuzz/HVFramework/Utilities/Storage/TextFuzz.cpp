// Text from outside (string tables, settings, value texts) enters as UTF-8
// and may be used as a format pattern: neither may crash or overread.
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const HV::StringW wide(bytes.c_str());
  const HV::StringA back = wide.ToCharString();
  // What converted is the input's own prefix, byte for byte.
  if (bytes.compare(0, static_cast<size_t>(back.GetLength()), back.GetText()) != 0) std::abort();

  const HV::StringW formatted = HV::StringW::FromFormat(wide.GetText(), 42, u"text", 2.5, "utf8");
  if (formatted.GetLength() > 16383) std::abort();
  return 0;
}
