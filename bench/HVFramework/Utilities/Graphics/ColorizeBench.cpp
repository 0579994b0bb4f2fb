// Solid-fill colourising of a 256 x 256 bitmap: ApplyColorizer (byte tables)
// against the plain per-pixel loop that works the formula out for every channel.
#include "HVFramework/Utilities/Graphics/ColorizeTable.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "HVFramework/Utilities/Graphics/LBitmapData.h"
#include "HVFramework/Utilities/Graphics/LColorizer.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int32_t kSide = 256;

HV::LColorizer Colorizer() {
  HV::LColorizer colorizer;
  colorizer.color.SetARGB(0xC0FF8040u);
  return colorizer;
}

void ApplyColorizer(benchmark::State& state) {
  HV::RCPtr<HV::LBitmap> bitmap =
      HV::LBitmap::CreateFilledBitmap(kSide, kSide, HV::Color{0.2f, 0.4f, 0.6f, 1});
  const HV::LColorizer colorizer = Colorizer();
  for (auto _ : state) {
    HV::LBitmap::ApplyColorizer(bitmap, &colorizer, 0.01f);  // a small step keeps the pixels varied
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ApplyColorizer)->Unit(benchmark::kMicrosecond);

void PerPixelLoop(benchmark::State& state) {
  HV::RCPtr<HV::LBitmap> bitmap =
      HV::LBitmap::CreateFilledBitmap(kSide, kSide, HV::Color{0.2f, 0.4f, 0.6f, 1});
  const HV::LColorizer colorizer = Colorizer();
  for (auto _ : state) {
    HV::RCPtr<HV::LBitmapData> data = bitmap->CreateBitmapData();
    const float a = colorizer.color.a * 0.01f;
    const float keep = 1.0f - a;
    for (int32_t y = 0; y < kSide; ++y) {
      uint8_t* p = data->GetPixelAddress(0, y);
      for (int32_t x = 0; x < kSide; ++x, p += 4) {
        p[0] = HV::ColorizeTable::ColorizeChannel(p[0], colorizer.color.b * a, keep);
        p[1] = HV::ColorizeTable::ColorizeChannel(p[1], colorizer.color.g * a, keep);
        p[2] = HV::ColorizeTable::ColorizeChannel(p[2], colorizer.color.r * a, keep);
      }
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(PerPixelLoop)->Unit(benchmark::kMicrosecond);

}  // namespace
