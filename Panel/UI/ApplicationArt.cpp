#include "Panel/UI/ApplicationArt.h"

#include "HVFramework/Utilities/Graphics/LBitmapData.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace HV::Editor {
namespace {

// --- Cursors ---

constexpr int32_t kCursorSize = 32;
constexpr uint32_t kOutline = 0xFF000000u;
constexpr uint32_t kFill = 0xFFFFFFFFu;

// A piece of a cursor drawn as text: 'X' the black outline, 'o' the white
// fill, anything else leaves what lies below.
struct CursorLayer {
  int32_t x;
  int32_t y;
  std::initializer_list<std::string_view> rows;
};

// The arrow, its tip at the top-left corner: the cursors' hot spot.
const CursorLayer kArrow = {0, 0,
                            {
                                "X",
                                "XX",
                                "XoX",
                                "XooX",
                                "XoooX",
                                "XooooX",
                                "XoooooX",
                                "XooooooX",
                                "XoooooooX",
                                "XooooooooX",
                                "XoooooooooX",
                                "XooooooXXXXX",
                                "XoooXooX",
                                "XooX XooX",
                                "XoX  XooX",
                                "XX    XooX",
                                "X     XooX",
                                "       XooX",
                                "       XooX",
                                "        XX",
                            }};

// What the drag carries.
const CursorLayer kBox = {10, 21,
                          {
                              "XXXXXXXXXXX",
                              "XoooooooooX",
                              "XoooooooooX",
                              "XoooooooooX",
                              "XoooooooooX",
                              "XoooooooooX",
                              "XoooooooooX",
                              "XXXXXXXXXXX",
                          }};

// The copy's mark, at the bottom-right corner.
const CursorLayer kPlus = {22, 22,
                           {
                               "XXXXXXXXX",
                               "XoooooooX",
                               "XoooXoooX",
                               "XoooXoooX",
                               "XoXXXXXoX",
                               "XoooXoooX",
                               "XoooXoooX",
                               "XoooooooX",
                               "XXXXXXXXX",
                           }};

void DrawLayer(const CursorLayer& layer, Platform::CursorImage& image) {
  int32_t y = layer.y;
  for (std::string_view row : layer.rows) {
    for (int32_t column = 0; column < static_cast<int32_t>(row.size()); ++column) {
      const int32_t x = layer.x + column;
      if (x >= image.width || y >= image.height) continue;
      const char mark = row[static_cast<size_t>(column)];
      if (mark != 'X' && mark != 'o') continue;
      image.pixels[static_cast<size_t>(y * image.width + x)] = mark == 'X' ? kOutline : kFill;
    }
    ++y;
  }
}

Platform::CursorImage MakeCursor(std::initializer_list<const CursorLayer*> layers) {
  Platform::CursorImage image;
  image.width = kCursorSize;
  image.height = kCursorSize;
  image.pixels.assign(static_cast<size_t>(kCursorSize * kCursorSize), 0);
  for (const CursorLayer* layer : layers) DrawLayer(*layer, image);
  image.hotX = 0;
  image.hotY = 0;
  return image;
}

// --- Icon ---

// The icon in unit coordinates (0 to 1 across, 0 to 1 down).
constexpr double kMargin = 1.0 / 16;
constexpr double kCornerRadius = 0.2;
constexpr double kKeysLeft = 0.2, kKeysRight = 0.8, kKeysTop = 0.3, kKeysBottom = 0.8;
constexpr double kKeyGap = 0.035;
constexpr double kBlackKeyWidth = 0.11, kBlackKeyBottom = 0.58;
constexpr uint32_t kWhiteKey = 0xFFF4F6F8u;
constexpr uint32_t kBlackKey = 0xFF1B1F24u;
// Samples per pixel along each axis: smooth edges at 16 px.
constexpr int32_t kSamples = 4;

bool IsInRoundedSquare(double u, double v) {
  const double low = kMargin + kCornerRadius, high = 1 - kMargin - kCornerRadius;
  if (u < kMargin || u > 1 - kMargin || v < kMargin || v > 1 - kMargin) return false;
  // Outside the corners' quarter circles only where both axes are in a corner.
  const double du = u < low ? low - u : (u > high ? u - high : 0);
  const double dv = v < low ? low - v : (v > high ? v - high : 0);
  return du * du + dv * dv <= kCornerRadius * kCornerRadius;
}

// 0 outside the icon's square.
uint32_t IconColourAt(double u, double v) {
  if (!IsInRoundedSquare(u, v)) return 0;
  if (u < kKeysLeft || u > kKeysRight || v < kKeysTop || v > kKeysBottom) return kProductColour;
  const double keyWidth = (kKeysRight - kKeysLeft) / 3;
  // The black keys sit over the two joints between the white keys.
  for (int32_t joint = 1; joint <= 2; ++joint) {
    const double centre = kKeysLeft + joint * keyWidth;
    if (std::abs(u - centre) <= kBlackKeyWidth / 2 && v <= kBlackKeyBottom) return kBlackKey;
  }
  const double inKey = std::fmod(u - kKeysLeft, keyWidth);
  return inKey < kKeyGap / 2 || inKey > keyWidth - kKeyGap / 2 ? kProductColour : kWhiteKey;
}

// The average of the samples inside the pixel, with straight alpha.
uint32_t ShadePixel(int32_t x, int32_t y, int32_t size) {
  double alpha = 0, red = 0, green = 0, blue = 0;
  for (int32_t sy = 0; sy < kSamples; ++sy) {
    for (int32_t sx = 0; sx < kSamples; ++sx) {
      const double u = (x + (sx + 0.5) / kSamples) / size;
      const double v = (y + (sy + 0.5) / kSamples) / size;
      const uint32_t colour = IconColourAt(u, v);
      const double a = (colour >> 24) / 255.0;
      alpha += a;
      red += a * ((colour >> 16) & 0xFF);
      green += a * ((colour >> 8) & 0xFF);
      blue += a * (colour & 0xFF);
    }
  }
  if (alpha == 0) return 0;
  const auto channel = [alpha](double premultiplied) {
    return static_cast<uint32_t>(std::clamp(std::lround(premultiplied / alpha), 0L, 255L));
  };
  const uint32_t a = static_cast<uint32_t>(std::lround(255 * alpha / (kSamples * kSamples)));
  return a << 24 | channel(red) << 16 | channel(green) << 8 | channel(blue);
}

// A bitmap is made filled and then drawn into: the framework makes no
// bitmap from pixels of the program's own.
RCPtr<LBitmap> MakeIconBitmap(int32_t size) {
  RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap(size, size, Color());
  const RCPtr<LBitmapData> data = bitmap->CreateBitmapData();
  if (!data || !data->IsLocked()) return nullptr;
  for (int32_t y = 0; y < size; ++y) {
    for (int32_t x = 0; x < size; ++x) {
      const uint32_t argb = ShadePixel(x, y, size);
      uint8_t* pixel = data->GetPixelAddress(x, y);
      pixel[0] = static_cast<uint8_t>(argb);
      pixel[1] = static_cast<uint8_t>(argb >> 8);
      pixel[2] = static_cast<uint8_t>(argb >> 16);
      pixel[3] = static_cast<uint8_t>(argb >> 24);
    }
  }
  return bitmap;
}

}  // namespace

std::vector<RCPtr<LBitmap>> MakeApplicationIcon() {
  std::vector<RCPtr<LBitmap>> images;
  for (int32_t size : kIconSizes)
    if (RCPtr<LBitmap> image = MakeIconBitmap(size)) images.push_back(std::move(image));
  return images;
}

Platform::CursorImage MakeDropMoveCursor() { return MakeCursor({&kBox, &kArrow}); }

Platform::CursorImage MakeDropCopyCursor() { return MakeCursor({&kBox, &kPlus, &kArrow}); }

}  // namespace HV::Editor
