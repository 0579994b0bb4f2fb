#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Platform/OSMesa/OSMesaGLContext.h"
#include "HVFramework/Renderer/FontRenderer/LFreetypeFontRenderer.h"
#include "HVFramework/Renderer/OpenGL/LGLGlyphRenderer.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <stdexcept>

namespace HV {
namespace {

// Only the machine's Liberation fonts, never its font configuration.
const std::vector<std::string> kFolders = {"/usr/share/fonts/truetype/liberation2"};

// A glyph processor that keeps what it was given.
class RecordingProcessor : public LGlyphProcessor {
 public:
  void BeginFont(const FontKey&, int32_t ascent, uint32_t flags) override {
    mAscent = ascent;
    mFlags = flags;
    mRecords.clear();
  }
  void EndFont() override {}
  int32_t LookupGlyph(GlyphRecord&) override { return kNotCached; }
  void ProcessGlyph(GlyphRecord& record) override { mRecords.push_back(record); }
  GlyphBounds GetBounds() const override { return {}; }

  std::vector<GlyphRecord> mRecords;
  int32_t mAscent = 0;
  uint32_t mFlags = 0;
};

class FreetypeFixture : public testing::Test {
 protected:
  RCPtr<RecordingProcessor> mProcessor{new RecordingProcessor};
  RCPtr<LFreetypeFontRenderer> mRenderer =
      LFreetypeFontRenderer::Make(mProcessor, mProcessor, kFolders, u"Liberation Sans");
};

TEST_F(FreetypeFixture, MetricsComeFromTheSizedFace) {
  ASSERT_TRUE(mRenderer->IsStarted());
  int32_t height = 0, ascent = 0, descent = 0;
  ASSERT_EQ(mRenderer->GetFontMetrics(FontKey::Make(u"Liberation Sans", 12, 0), height, ascent, descent),
            S_OK);
  EXPECT_LT(ascent, -10);  // 12 pt at 96 dpi is 16 pixels
  EXPECT_GT(descent, 2);
  EXPECT_GE(height, descent - ascent);
  EXPECT_GE(height, 16);
}

TEST_F(FreetypeFixture, MonochromeBelowEightPointsGreyFromEight) {
  const struct {
    float size;
    bool isMonochrome;
  } cases[] = {{7.5f, true}, {8.0f, false}, {14.0f, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    EXPECT_EQ(mRenderer->RenderText(u"Sa", FontKey::Make(u"Liberation Serif", c.size, 0), mProcessor.Get(), 0,
                                    0, LGlyphProcessor::kDrawFlags),
              2);
    std::set<int> values;
    for (const GlyphRecord& r : mProcessor->mRecords) {
      ASSERT_TRUE(r.hasCoverage);
      values.insert(r.coverage.bytes.begin(), r.coverage.bytes.end());
    }
    const bool onlyExtremes = values == std::set<int>{0, 255};
    EXPECT_EQ(onlyExtremes, c.isMonochrome);
  }
}

TEST_F(FreetypeFixture, PensAdvanceByGlyphAndSkipMissingCharacters) {
  const FontKey font = FontKey::Make(u"Liberation Mono", 10, 0);
  // U+E000 has no glyph: it is skipped and advances nothing.
  EXPECT_EQ(
      mRenderer->RenderText(u"a\uE000b c", font, mProcessor.Get(), 0, 0, LGlyphProcessor::kMeasureFlags), 4);
  const auto& records = mProcessor->mRecords;
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].penX, 0);
  const float advance = float(records[0].advanceX / 64);
  EXPECT_GT(advance, 0);
  EXPECT_EQ(records[1].charCode, uint32_t('b'));
  EXPECT_EQ(records[1].penX, advance);   // monospaced
  EXPECT_FALSE(records[2].hasCoverage);  // a space has no ink
  EXPECT_EQ(records[3].penX, 3 * advance);
  EXPECT_EQ(mProcessor->mAscent < 0, true);
}

TEST_F(FreetypeFixture, UnusableSizesMeasureNothingAndNeverCrash) {
  for (float size : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN(), 1e30f}) {
    SCOPED_TRACE(size);
    const FontKey font = FontKey::Make(u"Liberation Sans", size, 0);
    int32_t height = 0, ascent = 0, descent = 0;
    mRenderer->GetFontMetrics(font, height, ascent, descent);
    mRenderer->RenderText(u"ab", font, mProcessor.Get(), 0, 0, LGlyphProcessor::kMeasureFlags);
  }
}

TEST_F(FreetypeFixture, CollectionsAndStylesResolveThroughTheCatalogue) {
  LFontCatalogue& catalogue = mRenderer->GetCatalogue();
  const int32_t bold = catalogue.GetFileID(FontKey::Make(u"Liberation Sans", 10, 1));
  EXPECT_NE(StringA(catalogue.GetFilePath(bold).path.GetText()).GetView().find("LiberationSans-Bold.ttf"),
            std::string_view::npos);
  // An unknown family falls back to the system font.
  int32_t height = 0, ascent = 0, descent = 0;
  EXPECT_EQ(mRenderer->GetFontMetrics(FontKey::Make(u"Nonexistent", 10, 0), height, ascent, descent), S_OK);
  // No font at all: nothing is measured, and nothing is thrown.
  auto none = LFreetypeFontRenderer::Make(mProcessor, mProcessor, {"/nonexistent-folder"}, u"X");
  EXPECT_EQ(none->GetFontMetrics(FontKey::Make(u"X", 10, 0), height, ascent, descent), E_FAIL);
  EXPECT_EQ(none->RenderText(u"text", FontKey::Make(u"X", 10, 0), mProcessor.Get(), 0, -1, 0), 0);
}

// OpenGL text: the glyph atlas and the kind-0 renderer drawing into an offscreen context.
class GLTextFixture : public testing::Test {
 protected:
  void SetUp() override {
    Platform::UseOSMesaByDefault();
    mGlyphs = LGLGlyphRenderer::Make();
    mFonts = LFreetypeFontRenderer::Make(mGlyphs, mGlyphs, kFolders, u"Liberation Sans");
    mRenderer = LGLRenderer::Create(nullptr, mFonts);
    mRenderer->InitRenderContextInfo({0, 0, 200, 40}, nullptr, false, mWindow);
  }

  int InkedPixels(int fromX, int toX) const {
    int width = 0, height = 0, inked = 0;
    const uint8_t* pixels = mRenderer->GetOffscreenPixels(width, height);
    for (int y = 0; y < 40; ++y)
      for (int x = fromX; x < toX; ++x)
        inked += pixels[(static_cast<size_t>(height - 1 - y) * width + x) * 4 + 3] != 0;
    return inked;
  }

  RCPtr<LGLGlyphRenderer> mGlyphs;
  RCPtr<LFreetypeFontRenderer> mFonts;
  RCPtr<LGLRenderer> mRenderer;
  RCPtr<LRenderContextInfo> mWindow;
};

TEST_F(GLTextFixture, DrawsInkInsideTheMeasuredWidthOnly) {
  const FontKey font = FontKey::Make(u"Liberation Sans", 14, 0);
  const RectT<float> box = mRenderer->MeasureTextWithKey(u"Hello", font);
  EXPECT_GT(box.width, 20);
  EXPECT_LT(box.y, 0);
  mRenderer->RenderStart(mWindow);
  mRenderer->FillRect({0, 0, 200, 40}, Color{}, false);
  mRenderer->DrawTextWithKey(u"Hello", font, {10, 5}, Color{0, 0, 0, 1});
  mRenderer->RenderFinish(mWindow);
  EXPECT_GT(InkedPixels(10, 10 + int(box.width)), 50);
  EXPECT_EQ(InkedPixels(0, 9), 0);
  EXPECT_EQ(InkedPixels(12 + int(box.width), 200), 0);
}

TEST_F(GLTextFixture, EachFontKeepsItsOwnAtlasAndMeasuringDrawsNothing) {
  const FontKey regular = FontKey::Make(u"Liberation Sans", 14, 0);
  const FontKey bold = FontKey::Make(u"Liberation Sans", 14, 1);
  mRenderer->RenderStart(mWindow);
  mRenderer->FillRect({0, 0, 200, 40}, Color{}, false);
  mRenderer->MeasureTextWithKey(u"abc", regular);
  mRenderer->MeasureTextWithKey(u"abcd", bold);
  mRenderer->RenderFinish(mWindow);
  EXPECT_EQ(InkedPixels(0, 200), 0);
  ASSERT_TRUE(mGlyphs->FindCachedFont(regular.uniqueId));
  ASSERT_TRUE(mGlyphs->FindCachedFont(bold.uniqueId));
  EXPECT_EQ(mGlyphs->FindCachedFont(regular.uniqueId)->GetGlyphs().size(), 3u);
  EXPECT_EQ(mGlyphs->FindCachedFont(bold.uniqueId)->GetGlyphs().size(), 4u);
}

}  // namespace
}  // namespace HV
