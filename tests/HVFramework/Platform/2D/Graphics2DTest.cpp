#include "HVFramework/Platform/2D/Graphics2D.h"

#include "HVFramework/Platform/2D/Path2D.h"
#include "HVFramework/Platform/2D/Surface2D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace HV::Platform {
namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;

// The bounds and count of the pixels that are not transparent.
struct Coverage {
  int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1, count = 0;
};

Coverage CoverageOf(const Surface2D& s) {
  Coverage c;
  for (int32_t y = 0; y < s.GetHeight(); ++y)
    for (int32_t x = 0; x < s.GetWidth(); ++x)
      if (s.GetPixel(x, y) != 0) {
        c.left = std::min(c.left, x), c.top = std::min(c.top, y);
        c.right = std::max(c.right, x), c.bottom = std::max(c.bottom, y);
        ++c.count;
      }
  return c;
}

TEST(Graphics2D, DrawRectangleCoversOneMorePixelEachWayOnPixelCentres) {
  RCPtr<Surface2D> s = Surface2D::Create(20, 20);
  Graphics2D g(*s);
  g.DrawRectangle(kRed, 1, {2, 3, 4, 5});
  g.Flush();
  const Coverage c = CoverageOf(*s);
  EXPECT_EQ(c.left, 2);
  EXPECT_EQ(c.top, 3);
  EXPECT_EQ(c.right, 6);
  EXPECT_EQ(c.bottom, 8);
  EXPECT_EQ(c.count, 2 * 5 + 2 * 4);  // the outline of a 5 x 6 box, each pixel whole
  EXPECT_EQ(s->GetPixel(2, 3), kRed);
  EXPECT_EQ(s->GetPixel(4, 5), 0u);
}

TEST(Graphics2D, FillRectangleCoversHalfOpenRange) {
  RCPtr<Surface2D> s = Surface2D::Create(20, 20);
  Graphics2D g(*s);
  g.FillRectangle(kRed, {2, 3, 4, 5});
  g.Flush();
  const Coverage c = CoverageOf(*s);
  EXPECT_EQ(c.left, 2);
  EXPECT_EQ(c.top, 3);
  EXPECT_EQ(c.right, 5);
  EXPECT_EQ(c.bottom, 7);
  EXPECT_EQ(c.count, 20);
}

TEST(Graphics2D, ClipStaysOnItsDevicePixelsWhenTheTranslationChanges) {
  RCPtr<Surface2D> s = Surface2D::Create(20, 20);
  Graphics2D g(*s);
  g.SetTranslation({5, 5});
  g.SetClip({0, 0, 4, 4});
  g.SetTranslation({0, 0});
  g.FillRectangle(kRed, {0, 0, 20, 20});
  g.Flush();
  const Coverage c = CoverageOf(*s);
  EXPECT_EQ(c.left, 5);
  EXPECT_EQ(c.right, 8);
  EXPECT_EQ(c.count, 16);
}

TEST(Graphics2D, HugeClipAndCoordinatesStayInRangeAndDraw) {
  RCPtr<Surface2D> s = Surface2D::Create(10, 10);
  Graphics2D g(*s);
  g.SetClip({-5000000136282112.0, -5000000136282112.0, 10000000272564224.0, 10000000272564224.0});
  g.FillRectangle(kRed, {-1e12, -1e12, 2e12, 2e12});
  g.Flush();
  EXPECT_EQ(g.GetLastStatus(), Status2D::Ok);
  EXPECT_EQ(CoverageOf(*s).count, 100);
}

TEST(Graphics2D, BadScalesAreRecordedAndDrawingGoesOn) {
  RCPtr<Surface2D> image = Surface2D::Create(4, 4);
  RCPtr<Surface2D> s = Surface2D::Create(10, 10);
  Graphics2D g(*s);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  g.DrawImage(*image, {0, 0, 4, 4}, {0, 0, 0, 5});
  EXPECT_EQ(g.GetLastStatus(), Status2D::InvalidParameter);
  g.DrawImage(*image, {0, 0, 4, 4}, {0, 0, nan, 5});
  Path2D path;
  path.AddPolygon({{0, 0}, {4, 0}, {4, 4}});
  g.FillPath(kRed, path, {0, 1});
  g.SetTranslation({nan, 0});
  g.FillRectangle(kBlue, {1, 1, 2, 2});
  g.Flush();
  EXPECT_EQ(s->GetPixel(1, 1), kBlue);
  EXPECT_EQ(CoverageOf(*s).count, 4);
}

TEST(Graphics2D, SetPixelsIgnoresClipAndStopsAtTheSurface) {
  RCPtr<Surface2D> s = Surface2D::Create(10, 10);
  Graphics2D g(*s);
  g.SetClip({0, 0, 1, 1});
  g.SetTranslation({3, 3});
  g.SetPixels({-5, -5, 100, 100}, 0x80FF0000);
  EXPECT_EQ(CoverageOf(*s).count, 100);
  EXPECT_EQ(s->GetPixel(9, 9), 0x80800000u);  // premultiplied
  EXPECT_EQ(s->GetStraightPixel(9, 9), 0x80FF0000u);
}

TEST(Graphics2D, ImagesScaleWithTheChosenFilter) {
  const uint8_t pixels[] = {0, 0, 0, 255, 255, 255, 255, 255};  // black, white
  RCPtr<Surface2D> image = Surface2D::CreateFromStraight(pixels, 2, 1, 8);
  struct Row {
    Graphics2D::Filter filter;
    bool hasGrey;
  } rows[] = {{Graphics2D::Filter::Nearest, false}, {Graphics2D::Filter::Bilinear, true}};
  for (const Row& row : rows) {
    RCPtr<Surface2D> s = Surface2D::Create(8, 1);
    Graphics2D g(*s);
    g.SetImageFilter(row.filter);
    g.DrawImage(*image, {0, 0, 2, 1}, {0, 0, 8, 1});
    g.Flush();
    bool hasGrey = false;
    for (int32_t x = 0; x < 8; ++x) {
      const uint32_t blue = s->GetPixel(x, 0) & 0xFF;
      hasGrey |= blue != 0 && blue != 255;
    }
    EXPECT_EQ(hasGrey, row.hasGrey);
    EXPECT_EQ(s->GetPixel(0, 0), 0xFF000000u);
    EXPECT_EQ(s->GetPixel(7, 0), 0xFFFFFFFFu);
  }
}

TEST(Graphics2D, TextureFillRepeatsFromTheDestinationCorner) {
  const uint8_t pixels[] = {0, 0, 255, 255, 255, 0, 0, 255};  // red, blue
  RCPtr<Surface2D> image = Surface2D::CreateFromStraight(pixels, 2, 1, 8);
  RCPtr<Surface2D> s = Surface2D::Create(10, 2);
  Graphics2D g(*s);
  g.FillWithTexture(*image, {0, 0, 2, 1}, {3, 0, 5, 2});
  g.Flush();
  EXPECT_EQ(s->GetPixel(2, 0), 0u);
  EXPECT_EQ(s->GetPixel(3, 0), kRed);
  EXPECT_EQ(s->GetPixel(4, 0), kBlue);
  EXPECT_EQ(s->GetPixel(7, 1), kRed);
  EXPECT_EQ(s->GetPixel(8, 1), 0u);
}

TEST(Graphics2D, LinearGradientRunsFromStartToEndColour) {
  RCPtr<Surface2D> s = Surface2D::Create(101, 3);
  Graphics2D g(*s);
  g.FillLinearGradient({0, 0, 101, 3}, 0xFF000000, 0xFF0000C8, Graphics2D::Direction::Horizontal);
  g.Flush();
  EXPECT_LE(s->GetPixel(0, 1) & 0xFF, 2u);
  EXPECT_NEAR(double(s->GetPixel(50, 1) & 0xFF), 100, 3);
  EXPECT_GE(s->GetPixel(100, 1) & 0xFF, 197u);
  EXPECT_EQ(s->GetPixel(50, 0), s->GetPixel(50, 2));
}

TEST(Surface2D, RefusesSizesOutsideItsRange) {
  EXPECT_FALSE(Surface2D::Create(0, 5));
  EXPECT_FALSE(Surface2D::Create(5, -1));
  EXPECT_FALSE(Surface2D::Create(Surface2D::kMaxSide + 1, 1));
  EXPECT_TRUE(Surface2D::Create(1, 1));
}

}  // namespace
}  // namespace HV::Platform
