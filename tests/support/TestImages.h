#pragma once

#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "HVFramework/Platform/Graphics/Resources.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace HV::Test {

// A bitmap of the given size whose pixels come from pixel(x, y) (straight
// 0xAARRGGBB), loaded through a "GDIPLUS" resource registered under name
// (for example "TILE_PNG", reached as "::tile.png").
inline RCPtr<LBitmap> MakeBitmap(const std::string& name, int32_t width, int32_t height,
                                 const std::function<uint32_t(int32_t, int32_t)>& pixel) {
  Platform::BgraImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height * 4);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t argb = pixel(x, y);
      uint8_t* p = &image.pixels[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = argb & 0xFF, p[1] = (argb >> 8) & 0xFF, p[2] = (argb >> 16) & 0xFF, p[3] = argb >> 24;
    }
  std::vector<uint8_t> png;
  Platform::EncodePng(image, png);
  Platform::RegisterResource("GDIPLUS", name, std::move(png));
  std::string resource = name;
  for (char& c : resource)
    if (c == '_') c = '.';
  return LBitmap::GetCachedBitmap(StringW(("::" + resource).c_str()));
}

// "GDIPLUS" resources registered by a test, removed again when it ends.
class RegisteredImages {
 public:
  RegisteredImages() = default;
  RegisteredImages(const RegisteredImages&) = delete;
  RegisteredImages& operator=(const RegisteredImages&) = delete;
  ~RegisteredImages() {
    for (const std::string& name : mNames) Platform::UnregisterResource("GDIPLUS", name);
  }

  // Registers (or replaces) the resource name with bytes.
  void Register(const std::string& name, std::vector<uint8_t> bytes) {
    Platform::RegisterResource("GDIPLUS", name, std::move(bytes));
    mNames.push_back(name);
  }

 private:
  std::vector<std::string> mNames;
};

}  // namespace HV::Test
