#include "tools/gallery/GalleryScene.h"

#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "HVFramework/Platform/Graphics/Resources.h"
#include "HVFramework/Renderer/LFontText.h"

#include <cmath>
#include <string>

namespace HV::Gallery {
namespace {

constexpr uint32_t kBackground = 0xFF1E2630;
constexpr uint32_t kCheckerLight = 0xFFE8E2D0;
constexpr uint32_t kCheckerDark = 0xFF3C6E8F;
constexpr uint32_t kBadge = 0xFFD9452B;
constexpr uint32_t kStar = 0xFFF2C14E;
constexpr uint32_t kPanel = 0xFF2E3A48;

Color FromArgb(uint32_t argb) {
  Color c;
  c.SetARGB(argb);
  return c;
}

// An image of the program's own, made in memory and loaded as an image resource.
RCPtr<LBitmap> MakeImage(const char* resource, int32_t width, int32_t height,
                         uint32_t (*pixel)(int32_t, int32_t)) {
  Platform::BgraImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(size_t(width) * height * 4);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t argb = pixel(x, y);
      uint8_t* p = &image.pixels[(size_t(y) * width + x) * 4];
      p[0] = argb & 0xFF, p[1] = (argb >> 8) & 0xFF, p[2] = (argb >> 16) & 0xFF, p[3] = argb >> 24;
    }
  std::vector<uint8_t> png;
  if (!Platform::EncodePng(image, png)) return nullptr;
  Platform::RegisterResource("GDIPLUS", resource, std::move(png));
  return LBitmap::GetCachedBitmap(StringW((std::string("::") + resource).c_str()));
}

uint32_t CheckerPixel(int32_t x, int32_t y) { return ((x / 8 + y / 8) % 2) ? kCheckerDark : kCheckerLight; }
uint32_t GradientPixel(int32_t x, int32_t) { return x == 0 ? 0xFF102040 : 0xFF60C0F0; }

struct TextRow {
  const char16_t* family;
  float size;
  int32_t style;
  uint32_t argb;
  const char16_t* text;
};

constexpr TextRow kTextRows[] = {
    {u"Liberation Sans", 12, LFont::Regular, 0xFFFFFFFF, u"Liberation Sans 12: the quick brown fox"},
    {u"Liberation Serif", 14, LFont::Italic, 0xFFF2C14E,
     u"Liberation Serif 14 italic: Pads, faders, encoders"},
    {u"DejaVu Sans Mono", 11, LFont::Regular, 0xFF9FE3A0, u"DejaVu Sans Mono 11: CC 74 -> 0x4A, channel 10"},
    {u"DejaVu Sans", 16, LFont::Bold, 0xFF7FC8F8, u"DejaVu Sans 16 bold: Tarsel preset"},
    {u"Liberation Sans", 10, LFont::BoldItalic, 0xFFE8E2D0, u"Liberation Sans 10 bold italic: ÄÖÜ àéî ñ"},
};

}  // namespace

GalleryScene::GalleryScene() {
  mChecker = MakeImage("GALLERY_CHECKER.PNG", 16, 16, &CheckerPixel);
  mGradient = MakeImage("GALLERY_GRADIENT.PNG", 2, 1, &GradientPixel);
  mBadge = LBitmap::CreateFilledBitmap(24, 24, FromArgb(kBadge));
  for (int32_t i = 0; i < 64; ++i) {
    const float t = float(i) / 63.0f;
    const auto channel = [t](float from, float to) {
      return uint32_t(std::lround((from + (to - from) * t) * 255));
    };
    const uint32_t argb =
        0xFF000000u | channel(0.15f, 0.95f) << 16 | channel(0.35f, 0.55f) << 8 | channel(0.85f, 0.2f);
    mBand.AddRect({float(i) * 12.0f, 0, 12, 40}, argb);
  }
  std::vector<PointT<float>> star;
  for (int32_t i = 0; i < 10; ++i) {
    const double angle = -M_PI / 2 + i * M_PI / 5;
    const double radius = (i % 2) ? 24 : 60;
    star.push_back({float(60 + radius * std::cos(angle)), float(60 + radius * std::sin(angle))});
  }
  mStar.SetPoints(star);
  std::vector<PointT<float>> wave;
  for (int32_t i = 0; i <= 30; ++i) wave.push_back({float(i * 12), float(20 + 16 * std::sin(i * 0.6))});
  mWave.SetPoints(wave);
  mWave.SetLineWidth(2);
}

RectT<int32_t> GalleryScene::GetMovingArea() { return {20, 560, 760, 20}; }

const std::vector<GalleryScene::Probe>& GalleryScene::GetProbes() {
  static const std::vector<Probe> probes = {
      {"background", 790, 10, kBackground},
      {"gradient band, first strip", 26, 80, 0},
      {"gradient band, middle strip", 400, 80, 0},
      {"stretched gradient bitmap, left", 22, 130, 0},
      {"stretched gradient bitmap, middle", 200, 130, 0},
      {"tiled checker (texture brush), first cell", 24, 174, kCheckerLight},
      {"tiled checker (texture brush), second cell", 32, 174, kCheckerDark},
      {"tiled checker (texture brush), far cell", 372, 310, kCheckerDark},
      {"tiled checker (copies), last cell", 436, 206, kCheckerLight},
      {"centred badge", 510, 220, kBadge},
      {"beside the badge", 495, 220, kPanel},
      {"star centre", 680, 235, kStar},
      {"panel", 410, 250, kPanel},
      {"text area background", 700, 470, kBackground},
  };
  return probes;
}

void GalleryScene::Paint(LRenderer& renderer, uint32_t frame) {
  // Opaque fills are blended: a fill that replaces pixels leaves transparent
  // black under OpenGL, and the scene must look the same through every renderer.
  renderer.FillRect({0, 0, kWidth, kHeight}, FromArgb(kBackground), true);
  renderer.DrawText(u"HV Gallery", LFont::FindOrCreate(u"Liberation Sans", 20, LFont::Bold), {20, 16},
                    FromArgb(0xFFFFFFFF));
  PaintGradients(renderer);
  PaintBitmaps(renderer);
  PaintShapes(renderer);
  PaintText(renderer);

  const RectT<int32_t> moving = GetMovingArea();
  renderer.FillRect(moving, FromArgb(kPanel), true);
  const int32_t at = int32_t(frame * 7 % uint32_t(moving.width - 40));
  renderer.FillRect({moving.x + at, moving.y + 4, 40, moving.height - 8}, FromArgb(0xFF7FC8F8), true);
}

void GalleryScene::PaintGradients(LRenderer& renderer) {
  renderer.DrawColorRectList(mBand, {20, 60}, true);
  renderer.DrawBitmap(mGradient, {20, 110, 360, 40}, ResizeType::Stretch);
}

void GalleryScene::PaintBitmaps(LRenderer& renderer) {
  renderer.DrawBitmap(mChecker, {20, 170, 360, 150}, ResizeType::Tile);
  renderer.DrawFilledRect({400, 170, 370, 150}, FromArgb(kPanel), FromArgb(0xFF7F8C99), 1);
  renderer.DrawBitmap(mChecker, {410, 180, 40, 40}, ResizeType::Tile);
  renderer.DrawBitmap(mBadge, {460, 170, 100, 100}, ResizeType::Center);
}

void GalleryScene::PaintShapes(LRenderer& renderer) {
  renderer.FillPolygon(mStar, FromArgb(kStar), {620, 175}, {1, 1}, true);
  renderer.DrawPolygonOutline(mStar, FromArgb(0xFFFFFFFF), {620, 175}, {1, 1}, true);
  renderer.PushState();
  renderer.SetClipRect({400, 280, 370, 36});
  renderer.DrawLineStrip(mWave, FromArgb(0xFF9FE3A0), {410, 278}, {1, 1}, true);
  renderer.PopState();
}

void GalleryScene::PaintText(LRenderer& renderer) {
  int32_t y = 340;
  for (const TextRow& row : kTextRows) {
    RCPtr<LFont> font = LFont::FindOrCreate(row.family, row.size, row.style);
    renderer.DrawText(row.text, font, {20, y}, FromArgb(row.argb));
    y += font->GetHeight() + 6;
  }
  // A paragraph wrapped to a box, centred line by line.
  RCPtr<LFont> font = LFont::FindOrCreate(u"Liberation Serif", 12, LFont::Regular);
  RCPtr<LFontText> text = LFontText::Create(
      u"Every control of the editor draws through this renderer: looks, visual parts, bitmaps from the skin "
      u"and "
      u"text laid out in lines like these, wrapped to the width of their box.",
      font);
  text->SetWrap(true);
  text->SetBoxSize(300, 100);
  text->SetAlignment(0.5f, 0);
  const RectT<int32_t> box{460, 340, 300, 100};
  renderer.DrawRect(box, FromArgb(0xFF7F8C99), 1);
  const StringArrayW& lines = text->GetLines();
  const auto& rects = text->GetLineRects();
  for (uint32_t i = 0; i < lines.GetCount(); ++i)
    renderer.DrawText(*lines.GetItemPtr(i), font, {box.x + int32_t(rects[i].x), box.y + int32_t(rects[i].y)},
                      FromArgb(0xFFE8E2D0));
}

}  // namespace HV::Gallery
