#include "HVFramework/Platform/2D/Font2D.h"

#include "HVFramework/Platform/2D/Graphics2D.h"
#include "HVFramework/Platform/2D/Surface2D.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

namespace HV::Platform {
namespace {

class Font2DTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseTestFonts(); }
};

TEST_F(Font2DTest, FindsTheFamilyAskedForAndReadsItsTables) {
  Status2D status;
  RCPtr<Font2D> font = Font2D::Create("liberation sans", 16, Font2D::Regular, status);
  ASSERT_TRUE(font);
  EXPECT_EQ(status, Status2D::Ok);
  EXPECT_EQ(font->GetFamilyName(), "Liberation Sans");
  const FontFamilyMetrics& m = font->GetFamilyMetrics();
  EXPECT_EQ(m.unitsPerEm, 2048);
  EXPECT_EQ(m.cellAscent, 1854);
  EXPECT_EQ(m.cellDescent, 434);
  EXPECT_EQ(m.lineSpacing, 2355);
}

TEST_F(Font2DTest, AnotherFamilySubstitutedCountsAsNotFound) {
  Status2D status;
  EXPECT_FALSE(Font2D::Create("No Such Family", 16, Font2D::Regular, status));
  EXPECT_EQ(status, Status2D::FontFamilyNotFound);
  RCPtr<Font2D> fallback = Font2D::CreateSansSerif(16, Font2D::Bold, status);
  ASSERT_TRUE(fallback);
  EXPECT_EQ(fallback->GetFamilyName(), "DejaVu Sans");
  EXPECT_FALSE(Font2D::Create("Liberation Sans", 0, Font2D::Regular, status));
  EXPECT_EQ(status, Status2D::InvalidParameter);
}

TEST_F(Font2DTest, DrawnInkLiesInsideTheMeasuredWidth) {
  const std::u16string texts[] = {u"Hello, World", u"jjj///", u"W", u"Tarsel ÄÖÜ", u"    x"};
  for (const char* family : {"Liberation Sans", "DejaVu Serif", "Liberation Mono"})
    for (int32_t style = 0; style < 4; ++style)
      for (const std::u16string& text : texts) {
        Status2D status;
        RCPtr<Font2D> font = Font2D::Create(family, 21, style, status);
        ASSERT_TRUE(font) << family;
        const double width = font->MeasureString(text);
        RCPtr<Surface2D> s = Surface2D::Create(400, 60);
        Graphics2D g(*s);
        g.DrawString(*font, text, {10, 10}, 0xFF000000);
        g.Flush();
        int32_t left = INT32_MAX, right = -1;
        for (int32_t y = 0; y < 60; ++y)
          for (int32_t x = 0; x < 400; ++x)
            if (s->GetPixel(x, y) >> 24) left = std::min(left, x), right = std::max(right, x);
        ASSERT_GE(right, 0) << family;
        EXPECT_GE(left, 10) << family << " style " << style;
        // Anti-aliasing may touch the pixel that holds the measured edge.
        EXPECT_LT(right, 10 + width + 1) << family << " style " << style;
      }
}

}  // namespace
}  // namespace HV::Platform
