#include "HVFramework/Platform/OSMesa/OSMesaGLContext.h"
#include "HVFramework/Renderer/FontRenderer/LFreetypeFontRenderer.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Renderer/OpenGL/LGLGlyphRenderer.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"
#include "HVFramework/ObjectBase/TraceHook.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace HV {
namespace {

constexpr int kWidth = 160, kHeight = 40;

// A kind-0 renderer with FreeType glyphs from the machine's Liberation fonts
// on an offscreen context of kWidth x kHeight pixels.
class GLFontFixture : public testing::Test {
 protected:
  void SetUp() override {
    Platform::UseOSMesaByDefault();
    RCPtr<LGLGlyphRenderer> glyphs = LGLGlyphRenderer::Make();
    mFonts = LFreetypeFontRenderer::Make(glyphs, glyphs, {"/usr/share/fonts/truetype/liberation2"},
                                         u"Liberation Sans");
    mRenderer = LGLRenderer::Create(nullptr, mFonts);
    ASSERT_EQ(mRenderer->InitRenderContextInfo({0, 0, kWidth, kHeight}, nullptr, false, mWindow), S_OK);
  }

  // Columns holding a pixel with any red in the last frame.
  std::vector<int> InkedColumns() const {
    int width = 0, height = 0;
    const uint8_t* pixels = mRenderer->GetOffscreenPixels(width, height);
    std::vector<int> columns;
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y)
        if (pixels[(static_cast<size_t>(y) * width + x) * 4 + 2] > 0) {
          columns.push_back(x);
          break;
        }
    return columns;
  }

  RCPtr<LFreetypeFontRenderer> mFonts;
  RCPtr<LGLRenderer> mRenderer;
  RCPtr<LRenderContextInfo> mWindow;
};

TEST_F(GLFontFixture, PooledFontsGiveOneStableKeyApartFromMadeKeys) {
  const RCPtr<LFont> font = LFont::FindOrCreate(u"Liberation Sans", 12, LFont::Bold);
  const FontKey key = LGLRenderer::KeyOf(*font);
  EXPECT_EQ(key.family, u"Liberation Sans");
  EXPECT_EQ(key.size, 12.0f);
  EXPECT_EQ(key.style, LFont::Bold);
  EXPECT_EQ(LGLRenderer::KeyOf(*LFont::FindOrCreate(u"liberation sans", 12, LFont::Bold)).uniqueId,
            key.uniqueId);
  EXPECT_NE(LGLRenderer::KeyOf(*LFont::FindOrCreate(u"Liberation Sans", 12, LFont::Regular)).uniqueId,
            key.uniqueId);
  // Keys made by hand count up from 1; a pooled font's never meets them.
  EXPECT_LT(key.uniqueId, 0);
}

TEST_F(GLFontFixture, MetricsOfAPooledFontAreSane) {
  const RCPtr<LFont> font = LFont::FindOrCreate(u"Liberation Sans", 12, LFont::Regular);
  int32_t height = 0, ascent = 0, descent = 0;
  ASSERT_EQ(mRenderer->GetFontMetrics(font, height, ascent, descent), S_OK);
  EXPECT_GT(height, 10);
  EXPECT_LT(height, 30);
  EXPECT_NE(ascent, 0);
  EXPECT_GT(descent, 0);
  EXPECT_GE(height, std::abs(ascent) + descent - 1);
  EXPECT_EQ(mRenderer->GetFontMetrics(nullptr, height, ascent, descent), E_FAIL);
}

TEST_F(GLFontFixture, TextOfAPooledFontInksWithinItsMeasuredWidth) {
  const RCPtr<LFont> font = LFont::FindOrCreate(u"Liberation Sans", 14, LFont::Regular);
  const StringW text = u"Hamburg 123";
  const RectT<float> measured = mRenderer->MeasureText(text, font);
  ASSERT_GT(measured.width, 20.0f);
  ASSERT_LT(measured.width, kWidth - 20.0f);
  constexpr int kX = 10;
  mRenderer->RenderStart(mWindow);
  mRenderer->FillRect({0, 0, kWidth, kHeight}, Color{}, false);
  mRenderer->DrawText(text, font, {kX, 8}, Color{1, 0, 0, 1});
  mRenderer->RenderFinish(mWindow);
  const std::vector<int> columns = InkedColumns();
  ASSERT_FALSE(columns.empty());
  EXPECT_GE(columns.front(), kX);
  EXPECT_LE(columns.back(), kX + static_cast<int>(std::ceil(measured.width)));
  // The ink spans most of the measured width, not a stray glyph.
  EXPECT_GT(columns.back() - columns.front(), static_cast<int>(measured.width * 0.7f));
}

// The trace lines written while a test runs (the hook takes a plain function).
std::vector<std::string>& TracedLines() {
  static std::vector<std::string> lines;
  return lines;
}

// With no usable font file, text draws nothing and says so once, where a
// missing family had ended the program.
TEST(GLRendererWithoutFonts, TextDrawsNothingAndIsTraced) {
  Platform::UseOSMesaByDefault();
  TracedLines().clear();
  SetTraceLineHook([](std::string_view line) { TracedLines().emplace_back(line); });
  HV::Test::TemporaryFolder noFonts;
  RCPtr<LGLGlyphRenderer> glyphs = LGLGlyphRenderer::Make();
  const RCPtr<LFreetypeFontRenderer> fonts =
      LFreetypeFontRenderer::Make(glyphs, glyphs, {noFonts.GetPath()}, u"Liberation Sans");
  const RCPtr<LGLRenderer> renderer = LGLRenderer::Create(nullptr, fonts);
  RCPtr<LRenderContextInfo> window;
  ASSERT_EQ(renderer->InitRenderContextInfo({0, 0, kWidth, kHeight}, nullptr, false, window), S_OK);
  const RCPtr<LFont> font = LFont::FindOrCreate(u"Liberation Sans", 14, LFont::Regular);

  renderer->RenderStart(window);
  renderer->FillRect({0, 0, kWidth, kHeight}, Color{}, false);
  renderer->DrawText(u"Hamburg", font, {10, 8}, Color{1, 0, 0, 1});
  renderer->DrawText(u"again", font, {10, 20}, Color{1, 0, 0, 1});
  renderer->RenderFinish(window);
  EXPECT_EQ(renderer->MeasureText(u"Hamburg", font).width, 0.0f);
  int32_t height = 0, ascent = 0, descent = 0;
  EXPECT_EQ(renderer->GetFontMetrics(font, height, ascent, descent), E_FAIL);
  SetTraceLineHook(nullptr);

  int width = 0, rows = 0;
  const uint8_t* pixels = renderer->GetOffscreenPixels(width, rows);
  ASSERT_TRUE(pixels);
  bool isInked = false;
  for (size_t at = 2; at < static_cast<size_t>(width) * rows * 4; at += 4) isInked = isInked || pixels[at] > 0;
  EXPECT_FALSE(isInked);
  ASSERT_EQ(TracedLines().size(), 1u);
  EXPECT_NE(TracedLines()[0].find("no font"), std::string::npos) << TracedLines()[0];
}

}  // namespace
}  // namespace HV
