// Settings files are read from disk, where anything may be: whatever the
// bytes, reading must not fail, and what is written back must read back the same.

#include "Libraries/IniFileManager/IniDocument.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using IniFileManagerImpl::IniDocument;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string written = IniDocument::Parse(text).Serialize("fuzz");
  if (IniDocument::Parse(written).Serialize("fuzz") != written) std::abort();
  return 0;
}
