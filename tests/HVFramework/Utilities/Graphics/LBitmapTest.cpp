#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "HVFramework/Platform/Graphics/Resources.h"
#include "HVFramework/Utilities/Graphics/LBitmapData.h"
#include "HVFramework/Utilities/Graphics/LColorizer.h"
#include "HVFramework/Utilities/Graphics/LPixelBuffer.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TestImages.h"
#include "tests/support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace HV {
namespace {

using ::testing::HasSubstr;

constexpr float k = 1.0f / 255.0f;

// Pixel (x, y) is blue x, green y, red 255 - x, alpha 200.
Platform::BgraImage Gradient(int32_t width, int32_t height) {
  Platform::BgraImage image{width, height, {}};
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      image.pixels.insert(image.pixels.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                               static_cast<uint8_t>(255 - x), 200});
  return image;
}

std::vector<uint8_t> Encode(const Platform::BgraImage& image) {
  std::vector<uint8_t> png;
  EXPECT_TRUE(Platform::EncodePng(image, png));
  return png;
}

Color Pixel(const LBitmap& bitmap, int32_t x, int32_t y) { return bitmap.GetPixel(x, y); }

// Resources registered by a test are removed again at its end.
class LBitmapTest : public ::testing::Test {
 protected:
  void Register(const std::string& name, std::vector<uint8_t> bytes) { mImages.Register(name, std::move(bytes)); }
  RCPtr<LBitmap> Load(const std::string& name, int32_t width, int32_t height) {
    Register(name, Encode(Gradient(width, height)));
    return LBitmap::GetCachedBitmap(StringW((u"::" + std::u16string(name.begin(), name.end())).c_str()));
  }

  HV::Test::RegisteredImages mImages;
};

TEST_F(LBitmapTest, ResourceNamesInAnyCaseShareOneBitmapDecodedStraight) {
  // CE.png is embedded from tests/data/Resources/GDIPLUS by the build.
  RCPtr<LBitmap> upper = LBitmap::GetCachedBitmap(u"::CE.png");
  RCPtr<LBitmap> lower = LBitmap::GetCachedBitmap(u"::ce.PNG");
  ASSERT_TRUE(upper);
  EXPECT_EQ(upper.Get(), lower.Get());
  EXPECT_TRUE(upper->GetCacheKey() == u"::CE.PNG");
  EXPECT_EQ(upper->GetRect(), (RectT<int32_t>{0, 0, 2, 2}));
  EXPECT_EQ(Pixel(*upper, 0, 0), (Color{1, 0, 0, 1}));
  // A colour under almost no alpha keeps its value: nothing is premultiplied.
  EXPECT_EQ(Pixel(*upper, 1, 0), (Color{10 * k, 200 * k, 30 * k, 3 * k}));
  EXPECT_EQ(Pixel(*upper, 0, 1), (Color{0, 0, 1, 128 * k}));
  EXPECT_EQ(Pixel(*upper, 1, 1), (Color{1, 1, 1, 0}));
}

TEST_F(LBitmapTest, MissingResourceIsNotCached) {
  EXPECT_FALSE(LBitmap::GetCachedBitmap(u"::Later.png"));
  EXPECT_FALSE(LBitmap::GetCachedBitmap(u"::Later.png"));
  Register("LATER_PNG", Encode(Gradient(3, 2)));
  RCPtr<LBitmap> later = LBitmap::GetCachedBitmap(u"::later.png");
  ASSERT_TRUE(later);
  EXPECT_EQ(later->GetWidth(), 3);
}

TEST_F(LBitmapTest, BitmapHeldOnlyByTheCacheLeavesIt) {
  RCPtr<LBitmap> first = Load("Once.png", 4, 4);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetInternalRefCount(), 1);
  RCPtr<LBitmap> sub = first->CreateSubBitmap(1, 1, 2, 2);
  first = nullptr;  // the sub-bitmap still holds its root: it stays cached
  EXPECT_EQ(LBitmap::GetCachedBitmap(u"::ONCE.PNG").Get(), sub->GetParent().Get());
  sub = nullptr;

  Register("ONCE_PNG", Encode(Gradient(6, 5)));  // a new image under the same name
  RCPtr<LBitmap> second = LBitmap::GetCachedBitmap(u"::once.png");
  ASSERT_TRUE(second);
  EXPECT_EQ(second->GetWidth(), 6);
}

TEST_F(LBitmapTest, FilesAreKeyedByCanonicalPathAndKeepTheirCase) {
  HV::Test::TemporaryFolder folder;
  const std::vector<uint8_t> png = Encode(Gradient(2, 3));
  std::ofstream(folder / "Img.png", std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  const StringW direct((folder / "Img.png").c_str());
  const StringW roundabout((folder / "./sub/../Img.png").c_str());
  RCPtr<LBitmap> a = LBitmap::GetCachedBitmap(direct);
  RCPtr<LBitmap> b = LBitmap::GetCachedBitmap(roundabout);
  ASSERT_TRUE(a);
  EXPECT_EQ(a.Get(), b.Get());
  EXPECT_EQ(a->GetHeight(), 3);
  EXPECT_FALSE(LBitmap::GetCachedBitmap(StringW((folder / "img.png").c_str())));
}

TEST_F(LBitmapTest, ImagesThatDoNotDecodeGiveNull) {
  std::vector<uint8_t> good = Encode(Gradient(8, 8));
  std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<ptrdiff_t>(good.size() / 2));
  std::vector<uint8_t> badCrc = good;
  badCrc[29] ^= 0xFF;  // inside the IHDR checksum
  std::vector<uint8_t> huge = good;
  huge[16] = 0x7F;  // width 0x7F000008 in the header (checksum fixed below)
  {
    // Recompute the IHDR checksum so only the size is absurd.
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 12; i < 29; ++i) {
      crc ^= huge[i];
      for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  }
  Register("TRUNCATED", truncated);
  Register("BADCRC", badCrc);
  Register("HUGE", huge);
  Register("NOTPNG", {'h', 'e', 'l', 'l', 'o'});
  for (const char16_t* name : {u"::truncated", u"::badcrc", u"::huge", u"::notpng"}) {
    SCOPED_TRACE(StringW(name).ToCharString().GetText());
    EXPECT_FALSE(LBitmap::GetCachedBitmap(name));
  }
  EXPECT_FALSE(LBitmap::GetCachedBitmap(u"/no/such/file.png"));
}

TEST_F(LBitmapTest, SubBitmapsPointAtTheRootInRootCoordinates) {
  RCPtr<LBitmap> root = Load("Root.png", 40, 40);
  ASSERT_TRUE(root);
  RCPtr<LBitmap> outer = root->CreateSubBitmap(10, 20, 20, 15);
  RCPtr<LBitmap> inner = outer->CreateSubBitmap(3, 4, 5, 6);
  EXPECT_EQ(inner->GetRect(), (RectT<int32_t>{13, 24, 5, 6}));
  EXPECT_EQ(inner->GetParent().Get(), root.Get());
  EXPECT_EQ(inner->GetGdiplusBitmap(), root->GetGdiplusBitmap());

  RCPtr<LBitmap> whole = outer->CreateSubBitmap(7, 7, 0, 3);  // width 0: all of outer
  EXPECT_EQ(whole->GetRect(), (RectT<int32_t>{10, 20, 20, 15}));
  RCPtr<LBitmap> rounded = root->CreateSubBitmap(1.5, 2.4, 3.5, -1);
  EXPECT_EQ(rounded->GetRect(), (RectT<int32_t>{0, 0, 40, 40}));
  RCPtr<LBitmap> halves = root->CreateSubBitmap(1.5, 2.4, 3.5, 1);
  EXPECT_EQ(halves->GetRect(), (RectT<int32_t>{2, 2, 4, 1}));

  // Pixels are counted from the bitmap's own corner.
  EXPECT_EQ(Pixel(*inner, 0, 0), (Color{(255 - 13) * k, 24 * k, 13 * k, 200 * k}));
}

TEST_F(LBitmapTest, PixelsOutsideTheImageAreZero) {
  RCPtr<LBitmap> root = Load("Small.png", 4, 4);
  ASSERT_TRUE(root);
  RCPtr<LBitmap> sub = root->CreateSubBitmap(2, 2, 2, 2);
  const Color none{};
  for (auto [x, y] : {std::pair{4, 0}, {0, 4}, {-1, 0}, {0, -1}, {INT32_MAX, 0}, {INT32_MIN, INT32_MIN}})
    EXPECT_EQ(Pixel(*root, x, y), none) << x << "," << y;
  EXPECT_EQ(Pixel(*sub, 2, 0), none);              // (4, 2) of the root
  EXPECT_EQ(Pixel(*sub, INT32_MAX - 1, 0), none);  // would wrap in 32 bits
  EXPECT_NE(Pixel(*sub, -2, -2), none);            // (0, 0) of the root
}

TEST_F(LBitmapTest, BitmapDataLocksTheRectangleOnlyInsideTheImage) {
  RCPtr<LBitmap> root = Load("Locked.png", 8, 8);
  ASSERT_TRUE(root);
  RCPtr<LBitmap> sub = root->CreateSubBitmap(2, 3, 4, 2);
  {
    RCPtr<LBitmapData> data = sub->CreateBitmapData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->GetWidth(), 4);
    EXPECT_EQ(data->GetHeight(), 2);
    EXPECT_EQ(data->GetStride(), 32);
    EXPECT_EQ(data->GetLockRecord().pixelFormat, 0x26200A);
    const uint8_t* p = data->GetPixelPtr(1, 1);  // root (3, 4)
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 3);
    EXPECT_EQ(p[1], 4);
    EXPECT_EQ(data->GetPixelAddress(4, 0), nullptr);
    EXPECT_EQ(data->GetPixelAddress(0, -1), nullptr);
    EXPECT_FALSE(root->CreateBitmapData()) << "a second lock while the first is held";
  }
  EXPECT_TRUE(root->CreateBitmapData()) << "unlocked when the data object died";

  EXPECT_FALSE(root->CreateSubBitmap(6, 6, 4, 4)->CreateBitmapData());  // reaches outside
  EXPECT_FALSE(root->CreateSubBitmap(-1, 0, 2, 2)->CreateBitmapData());
  EXPECT_FALSE(root->CreateSubBitmap(6, 6, 4, 4)->CreateIndependentCopy());

  struct Other : IPixelBuffer<int32_t> {
    int32_t GetWidth() const override { return 0; }
    int32_t GetHeight() const override { return 0; }
    int32_t GetStride() const override { return 0; }
    uint8_t* GetPixelAddress(int32_t, int32_t) const override { return nullptr; }
  } other;
  EXPECT_THAT(HV::Test::ThrownMessage([&] { LBitmapData data(*root, &other); }),
              HasSubstr("Domain Error : HV::LBitmapData::LBitmapData : "));
}

TEST(LPixelBuffer, AddressesFollowTheStrideAndStayInside) {
  RCPtr<LPixelBuffer<unsigned char>> buffer = LPixelBuffer<unsigned char>::Create(3, 2);
  EXPECT_EQ(buffer->GetStride(), 12);
  EXPECT_EQ(buffer->GetPixelPtr(2, 1) - buffer->GetPixelPtr(0, 0), 20);
  for (auto [x, y] : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, INT32_MIN}})
    EXPECT_EQ(buffer->GetPixelAddress(x, y), nullptr) << x << "," << y;
  RCPtr<LPixelBuffer<unsigned char>> empty = LPixelBuffer<unsigned char>::Create(-4, 5);
  EXPECT_EQ(empty->GetWidth(), 0);
  EXPECT_EQ(empty->GetPixelAddress(0, 0), nullptr);
}

LColorizer Solid(uint32_t argb) {
  LColorizer colorizer;
  colorizer.color.SetARGB(argb);
  return colorizer;
}

TEST_F(LBitmapTest, SolidColorizerTable) {
  // One source pixel, blue 40, green 80, red 120, alpha 77; each row colourises a copy of it.
  struct Case {
    const char* what;
    LColorizer colorizer;
    float modifier;
    uint8_t blue, green, red;
  };
  LColorizer equalGradient = Solid(0xFF0000FFu);
  equalGradient.colorType = LColorizer::LinearGradient;
  equalGradient.gradientEndColor = equalGradient.color;
  LColorizer outOfRange;
  outOfRange.color = Color{1.5f, -0.5f, 0.5f, 1.0f};
  const Case cases[] = {
      {"opaque red", Solid(0xFFFF0000u), 1.0f, 0, 0, 255},
      {"modifier 0 keeps the pixel", Solid(0xFFFF0000u), 0.0f, 40, 80, 120},
      {"half alpha", Solid(0x80FFFFFFu), 1.0f, 148, 168, 188},
      {"equal gradient colours fill solid", equalGradient, 1.0f, 255, 0, 0},
      {"modifier above 1 clamps", Solid(0xFF00FF00u), 2.0f, 0, 255, 0},
      {"channels outside 0..1 clamp", outOfRange, 1.0f, 128, 0, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RCPtr<LBitmap> bitmap =
        LBitmap::CreateFilledBitmap(3, 2, Color{}.SetARGB(0x4D785028u));  // a 77, r 120, g 80, b 40
    LBitmap::ApplyColorizer(bitmap, &c.colorizer, c.modifier);
    RCPtr<LBitmapData> data = bitmap->CreateBitmapData();
    ASSERT_TRUE(data);
    for (int32_t y = 0; y < 2; ++y)
      for (int32_t x = 0; x < 3; ++x) {
        const uint8_t* p = data->GetPixelAddress(x, y);
        EXPECT_EQ(p[0], c.blue);
        EXPECT_EQ(p[1], c.green);
        EXPECT_EQ(p[2], c.red);
        EXPECT_EQ(p[3], 77) << "alpha stays";
      }
  }
}

TEST_F(LBitmapTest, ColorizingASubBitmapChangesOnlyItsRectangle) {
  RCPtr<LBitmap> root = LBitmap::CreateFilledBitmap(4, 4, Color{0, 0, 0, 1});
  LColorizer white = Solid(0xFFFFFFFFu);
  LBitmap::ApplyColorizer(root->CreateSubBitmap(1, 1, 2, 2), &white, 1.0f);
  EXPECT_EQ(Pixel(*root, 0, 0), (Color{0, 0, 0, 1}));
  EXPECT_EQ(Pixel(*root, 1, 1), (Color{1, 1, 1, 1}));
  EXPECT_EQ(Pixel(*root, 3, 3), (Color{0, 0, 0, 1}));
}

TEST_F(LBitmapTest, FilledAndPartBitmaps) {
  RCPtr<LBitmap> filled = LBitmap::CreateFilledBitmap(2, 3, Color{}.SetARGB(0x80FF8000u));
  EXPECT_EQ(filled->GetRect(), (RectT<int32_t>{0, 0, 2, 3}));
  EXPECT_EQ(Pixel(*filled, 1, 2).ToARGB(), 0x80FF8000u);

  LColorizer red = Solid(0xFFFF0000u);
  RCPtr<LBitmap> fill = LBitmap::CreateColorizedPartBitmap(&red, 0.5f, 3, 1, nullptr, nullptr);
  EXPECT_EQ(Pixel(*fill, 2, 0).ToARGB(), 0x80FF0000u);  // alpha times the modifier

  RCPtr<LBitmap> image = Load("Part.png", 4, 4);
  ASSERT_TRUE(image);
  RCPtr<LBitmap> part =
      LBitmap::CreateColorizedPartBitmap(&red, 1.0f, 9, 9, image->CreateSubBitmap(1, 1, 2, 2), nullptr);
  EXPECT_EQ(part->GetRect(), (RectT<int32_t>{0, 0, 2, 2}));
  EXPECT_EQ(part->GetParent(), nullptr);
  EXPECT_EQ(Pixel(*part, 0, 0), (Color{1, 0, 0, 200 * k}));
  EXPECT_EQ(Pixel(*image, 1, 1), (Color{254 * k, 1 * k, 1 * k, 200 * k})) << "the source is untouched";
}

TEST_F(LBitmapTest, ErrorLines) {
  LColorizer red = Solid(0xFFFF0000u);
  LColorizer gradient = Solid(0xFFFF0000u);
  gradient.colorType = LColorizer::RadialGradient;
  gradient.gradientEndColor.SetARGB(0xFF0000FFu);
  RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap(2, 2, Color{});
  struct Case {
    const char* expected;
    std::function<void()> action;
  };
  const Case cases[] = {
      {"Runtime Error : HV::LBitmap::ApplyColorizer : ", [&] { LBitmap::ApplyColorizer(nullptr, &red, 1); }},
      {"Runtime Error : HV::LBitmap::ApplyColorizer : ",
       [&] { LBitmap::ApplyColorizer(bitmap, nullptr, 1); }},
      {"Runtime Error : HV::LBitmap::CreateColorizedBitmap : ",
       [&] { LBitmap::CreateColorizedBitmap(red, 1, 0, 5); }},
      {"Runtime Error : HV::LBitmap::CreateFilledBitmap : ",
       [&] { LBitmap::CreateFilledBitmap(0, 5, Color{}); }},
      {"Domain Error : HV::LBitmap::CreateGradientFilledBitmap : ",
       [&] { LBitmap::CreateColorizedBitmap(gradient, 1, 4, 4); }},
      {"Domain Error : HV::LBitmap::CreateGradientFilledBitmap : ",
       [&] { LBitmap::ApplyColorizer(bitmap, &gradient, 1); }},
      {"Domain Error : HV::LBitmap::ApplyColorizer : ",
       [&] { LBitmap::CreateColorizedPartBitmap(&red, 1, 2, 2, bitmap, bitmap); }},
      {"Runtime Error : HV::LBitmap::ApplyColorizer : ",
       [&] {
         RCPtr<LBitmapData> held = bitmap->CreateBitmapData();  // the image is locked already
         LBitmap::ApplyColorizer(bitmap, &red, 1);
       }},
  };
  for (const Case& c : cases) EXPECT_THAT(HV::Test::ThrownMessage(c.action), HasSubstr(c.expected));
}

}  // namespace
}  // namespace HV
