// Feeds arbitrary bytes to the bitmap loader as the image resource of a name:
// decoding must fail cleanly or give a bitmap whose every pixel, sub-bitmap,
// lock and colourised copy stays inside the decoded image.
#include "HVFramework/Platform/Graphics/Resources.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "HVFramework/Utilities/Graphics/LBitmapData.h"
#include "HVFramework/Utilities/Graphics/LColorizer.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Mutations almost never keep a chunk's checksum right, and libpng refuses a
// chunk whose checksum is wrong before it decodes anything: each chunk's CRC
// is made right here, so the inputs reach the decoder behind the check.
void MendChunkChecksums(std::vector<uint8_t>& png) {
  size_t at = 8;  // after the signature
  while (at + 12 <= png.size()) {
    const uint32_t length = uint32_t{png[at]} << 24 | uint32_t{png[at + 1]} << 16 | uint32_t{png[at + 2]} << 8 |
                            png[at + 3];
    if (length > png.size() - at - 12) break;
    const uint8_t* typeAndData = &png[at + 4];
    const uint32_t crc = static_cast<uint32_t>(crc32(0, typeAndData, 4 + length));
    for (int i = 0; i < 4; ++i) png[at + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> png(data, data + size);
  MendChunkChecksums(png);
  HV::Platform::RegisterResource("GDIPLUS", "FUZZ_PNG", std::move(png));
  {
    HV::RCPtr<HV::LBitmap> bitmap = HV::LBitmap::GetCachedBitmap(u"::fuzz.png");
    if (bitmap) {
      const int32_t width = bitmap->GetWidth();
      const int32_t height = bitmap->GetHeight();
      if (width <= 0 || height <= 0) std::abort();
      float sum = 0;
      for (int32_t y = -1; y <= height; ++y)
        for (int32_t x = -1; x <= width; x += (width > 64 ? width / 16 : 1)) sum += bitmap->GetPixel(x, y).a;
      (void)sum;
      HV::RCPtr<HV::LBitmap> sub =
          bitmap->CreateSubBitmap(width / 3, height / 3, width / 2 + 1, height / 2 + 1);
      if (HV::RCPtr<HV::LBitmapData> lock = sub->CreateBitmapData()) {
        if (lock->GetPixelAddress(lock->GetWidth(), 0) != nullptr) std::abort();
      }
      HV::LColorizer colorizer;
      colorizer.color.SetARGB(size > 0 ? data[0] * 0x01010101u : 0xFF00FF00u);
      if (HV::RCPtr<HV::LBitmap> copy = sub->CreateIndependentCopy()) {
        HV::LBitmap::ApplyColorizer(copy, &colorizer, 1.5f);
      }
    }
  }
  // The bitmap left the cache with its last reference; the next input loads afresh.
  HV::Platform::UnregisterResource("GDIPLUS", "FUZZ_PNG");
  return 0;
}
