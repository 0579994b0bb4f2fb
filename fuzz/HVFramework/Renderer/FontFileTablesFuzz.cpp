// Feeds arbitrary bytes to the font-file table reader as a whole font file:
// it must never read outside the bytes, and every face it gives has a family.
#include "HVFramework/Renderer/FontCatalogue/FontFileTables.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input's size, so any overread is outside the heap block.
  const std::vector<uint8_t> bytes(data, data + size);
  const auto faces = HV::ReadFontFaceNames(HV::MemoryFontBytes(bytes.data(), bytes.size()));
  for (const HV::FontFaceNames& face : faces)
    if (face.family.IsEmpty() || face.faceIndex < 0) std::abort();
  return 0;
}
