// Visual parts: what they draw for a size, the colour they show at a point,
// and how they are made from (and cached by) their skin descriptors.
#include "HVFramework/ControlBase/Looks/LVisualPart.h"

#include "tests/support/RecordingRenderContext.h"
#include "tests/support/RecordingRenderer.h"
#include "tests/support/TestImages.h"
#include "tests/support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

RCPtr<LColorizer> Solid(uint32_t argb) {
  return LColorizer::Create(u"C", LColorizer::SolidFill, Color{}.SetARGB(argb));
}

RCPtr<LVisualPart> ColourPart(uint32_t argb, int32_t resize, int32_t width, int32_t height,
                              float alpha = 1.0f) {
  return LVisualPart::Create(u"fill", nullptr, resize, Solid(argb), width, height, alpha, nullptr);
}

// A 23 x 23 image, transparent but for one opaque pixel at (21, 3), and one
// half-opaque pixel at (0, 0).
uint32_t SparsePixel(int32_t x, int32_t y) {
  if (x == 21 && y == 3) return 0xFF00FF00;
  if (x == 0 && y == 0) return 0x80FF0000;
  return 0x00000000;
}

// Pixel (x, y) of a 4 x 2 image: its own index, opaque.
uint32_t IndexPixel(int32_t x, int32_t y) { return 0xFF000000u | static_cast<uint32_t>(y * 4 + x); }

class LVisualPartTest : public ::testing::Test {
 protected:
  void SetUp() override { renderer->RenderStart(context); }
  void TearDown() override { renderer->RenderFinish(context); }

  std::vector<std::string> DrawCalls(const LVisualPart& part, int32_t width, int32_t height) {
    renderer->ClearCalls();
    part.Draw(*renderer, width, height);
    return renderer->TakeCalls();
  }

  RCPtr<RecordingRenderer> renderer = RecordingRenderer::Create();
  RCPtr<RecordingRenderContext> context = RecordingRenderContext::Create({0, 0, 200, 200});
};

TEST_F(LVisualPartTest, ColourPartsFillTheirRectangleOrNothing) {
  struct Case {
    const char* what;
    uint32_t argb;
    int32_t resize;
    float alpha;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"stretch fills the size", 0xFF102030, 0, 1.0f, {"FillRect(0,0,20,20 #FF102030 blend)"}},
      {"tile fills the size", 0xFF102030, 1, 1.0f, {"FillRect(0,0,20,20 #FF102030 blend)"}},
      {"centre fills the natural size centred", 0xFF102030, 2, 1.0f, {"FillRect(6,6,8,7 #FF102030 blend)"}},
      {"alpha modifier scales alpha", 0xFF102030, 0, 0.5f, {"FillRect(0,0,20,20 #80102030 blend)"}},
      {"alpha modifier 0 draws nothing", 0xFF102030, 0, 0.0f, {}},
      {"transparent colorizer draws nothing", 0x00102030, 0, 1.0f, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DrawCalls(*ColourPart(c.argb, c.resize, 8, 7, c.alpha), 20, 20), c.calls) << c.what;
}

TEST_F(LVisualPartTest, BitmapPartsDrawTheirBitmapWithTheirResizeType) {
  const RCPtr<LBitmap> image = MakeBitmap("PART_INDEX_PNG", 4, 2, &IndexPixel);
  for (int32_t resize : {0, 1, 2}) {
    const RCPtr<LVisualPart> part =
        LVisualPart::Create(u"image", image, resize, nullptr, 0, 0, 1.0f, nullptr);
    EXPECT_EQ(part->GetWidth(), 4);
    EXPECT_EQ(part->GetHeight(), 2);
    EXPECT_THAT(DrawCalls(*part, 30, 10),
                ElementsAre("DrawBitmap(::PART.INDEX.PNG 0,0,30,10 resize" + std::to_string(resize) + ")"));
  }
}

TEST_F(LVisualPartTest, APartWithNeitherBitmapNorColorizerCannotDraw) {
  const RCPtr<LVisualPart> empty = LVisualPart::Create(u"none", nullptr, 0, nullptr, 4, 4, 1.0f, nullptr);
  EXPECT_EQ(ThrownMessage([&] { empty->Draw(*renderer, 4, 4); }),
            "Runtime Error : HV::LVisualPart::Draw : ControlBase\\VisualPart : Line 218");
  EXPECT_EQ(ThrownMessage([&] { empty->GetColorAtPoint(1, 1); }),
            "Runtime Error : HV::LVisualPart::GetColorAtPoint : ControlBase\\VisualPart : Line 91");
}

TEST_F(LVisualPartTest, AColorizedImageIsRenderedOnceIntoANewBitmap) {
  const RCPtr<LBitmap> image =
      MakeBitmap("PART_WHITE_PNG", 2, 2, [](int32_t, int32_t) { return 0xFFFFFFFFu; });
  const RCPtr<LVisualPart> part =
      LVisualPart::Create(u"tinted", image, 0, Solid(0xFF336699), 0, 0, 1.0f, nullptr);
  ASSERT_TRUE(part->GetBitmap());
  EXPECT_NE(part->GetBitmap().Get(), image.Get());
  EXPECT_EQ(image->GetPixel(0, 0).ToARGB(), 0xFFFFFFFFu);  // the shared image stays as it was
  EXPECT_NE(part->GetColorAtPoint(0, 0), 0xFFFFFFFFu);
  // A solid colour part without image or mask stays a fill.
  EXPECT_FALSE(ColourPart(0xFF336699, 0, 4, 4)->GetBitmap());
}

TEST_F(LVisualPartTest, ColourAtAPointFollowsHowThePartIsDrawn) {
  const RCPtr<LBitmap> image = MakeBitmap("PART_INDEX2_PNG", 4, 2, &IndexPixel);
  auto part = [&](int32_t resize) {
    return LVisualPart::Create(u"image", image, resize, nullptr, 0, 0, 1.0f, nullptr);
  };
  struct Case {
    const char* what;
    int32_t resize;
    PointT<float> point;
    float width, height;
    uint32_t color;
  };
  const Case cases[] = {
      {"natural size reads the pixel", 0, {2.4f, 1.0f}, 4, 2, 0xFF000006},
      {"natural size, off the pixels: the marker", 0, {4.0f, 0.0f}, 4, 2, LVisualPart::kOutsideMarker},
      {"off the drawn size: transparent", 0, {8.0f, 0.0f}, 8, 4, LVisualPart::kTransparent},
      {"negative point: transparent", 1, {-1.0f, 0.0f}, 8, 4, LVisualPart::kTransparent},
      {"tile wraps", 1, {6.0f, 3.0f}, 8, 4, 0xFF000006},
      {"centre shifts", 2, {3.0f, 2.0f}, 8, 6, 0xFF000001},
      {"centre, off the image", 2, {0.0f, 0.0f}, 8, 6, LVisualPart::kOutsideMarker},
      {"stretch larger scales down", 0, {7.0f, 3.0f}, 8, 4, 0xFF000007},
  };
  for (const Case& c : cases)
    EXPECT_EQ(part(c.resize)->GetColorAtPoint(c.point, c.width, c.height), c.color) << c.what;
}

TEST_F(LVisualPartTest, AShrunkImageIsOpaqueWhereAnyCoveredPixelIs) {
  const RCPtr<LBitmap> image = MakeBitmap("PART_SPARSE_PNG", 23, 23, &SparsePixel);
  const RCPtr<LVisualPart> part = LVisualPart::Create(u"sparse", image, 0, nullptr, 0, 0, 1.0f, nullptr);
  // Drawn at 11 x 11 each point covers a 2 x 2 block: (10, 1) covers x 20..21, y 2..3.
  EXPECT_EQ(part->GetColorAtPoint(PointT<float>{10, 1}, 11, 11), 0xFF00FF00u);
  EXPECT_LE(part->GetColorAtPoint(PointT<float>{9, 1}, 11, 11), LVisualPart::kTransparent);
  EXPECT_EQ(part->GetColorAtPoint(PointT<float>{0, 0}, 11, 11) >> 24, 0x80u);  // the first one found
}

TEST_F(LVisualPartTest, PartsWithoutPixelsAreTransparentInsteadOfDividingByZero) {
  const RCPtr<LVisualPart> empty = ColourPart(0xFF000000, 1, 0, 0);
  EXPECT_EQ(empty->GetColorAtPoint(PointT<float>{3, 3}, 10, 10), LVisualPart::kTransparent);
}

// --- Made from descriptors ---

SkinImageReference Image(const char* path, int32_t x, int32_t y, int32_t width, int32_t height) {
  return {StringW(path), x, y, width, height};
}

TEST_F(LVisualPartTest, ADescriptorMakesItsPartOnceAndSharesItWhileHeld) {
  const RCPtr<LVisualPartDescriptor> descriptor =
      LVisualPartDescriptor::CreateColorizerPart(u"P", 1, Solid(0xFF112233), 6, 5, 1.0f, {});
  RCPtr<LVisualPart> first = GetVisualPart(descriptor);
  ASSERT_TRUE(first);
  EXPECT_EQ(GetVisualPart(descriptor).Get(), first.Get());
  EXPECT_EQ(GetVisualPart(LDockedPart::Create(descriptor, {})).Get(), first.Get());
  EXPECT_EQ(first->GetWidth(), 6);
  EXPECT_EQ(first->GetResizeType(), 1);
  // Once nothing holds the part it dies and leaves the cache; the next
  // request makes a new one (ASan reports a dangling cache entry).
  first = nullptr;
  EXPECT_EQ(descriptor->GetCachedVisualPart(), nullptr);
  EXPECT_TRUE(GetVisualPart(descriptor));
}

TEST_F(LVisualPartTest, ImagePartsAreCutFromTheSharedImage) {
  MakeBitmap("PART_SHEET_PNG", 4, 2, &IndexPixel);
  const RCPtr<LVisualPartDescriptor> descriptor = LVisualPartDescriptor::CreateImagePart(
      u"P", Image("::part.sheet.png", 1, 1, 2, 1), 0, nullptr, 1.0f, {});
  const RCPtr<LVisualPart> part = GetVisualPart(descriptor);
  ASSERT_TRUE(part && part->GetBitmap());
  EXPECT_EQ(part->GetWidth(), 2);
  EXPECT_EQ(part->GetHeight(), 1);
  EXPECT_EQ(part->GetColorAtPoint(0, 0), 0xFF000005u);
}

TEST_F(LVisualPartTest, NoPartIsMadeWithoutSomethingToDraw) {
  EXPECT_FALSE(GetVisualPart(RCPtr<LVisualPartDescriptor>()));
  EXPECT_FALSE(GetVisualPart(RCPtr<LDockedPart>()));
  // An image that cannot be loaded and no colorizer to fall back on.
  const RCPtr<LVisualPartDescriptor> missing = LVisualPartDescriptor::CreateImagePart(
      u"P", Image("::no.such.image.png", 0, 0, 4, 4), 0, nullptr, 1.0f, {});
  EXPECT_FALSE(GetVisualPart(missing));
  // With a colorizer the part is a fill of the descriptor's size.
  const RCPtr<LVisualPartDescriptor> tinted = LVisualPartDescriptor::CreateImagePart(
      u"P", Image("::no.such.image.png", 0, 0, 4, 3), 0, Solid(0xFF010203), 1.0f, {});
  const RCPtr<LVisualPart> fill = GetVisualPart(tinted);
  ASSERT_TRUE(fill);
  EXPECT_EQ(fill->GetWidth(), 4);
  EXPECT_THAT(DrawCalls(*fill, 4, 3), ElementsAre("FillRect(0,0,4,3 #FF010203 blend)"));
}

}  // namespace
}  // namespace HV::Test
