#include "HVFramework/Renderer/LFontText.h"

#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/support/FakeMeasurer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace HV {
namespace {

// Measuring with the fake: 10 pixels a character, lines 16 high.
class LFontTextTest : public ::testing::Test {
 protected:
  void SetUp() override { SetApplicationRenderer(measurer); }
  void TearDown() override { SetApplicationRenderer(nullptr); }

  RCPtr<LFontText> Text(const char16_t* text, bool shouldWrap, float width, float height = 100) {
    RCPtr<LFontText> t = LFontText::Create(text, font);
    t->SetWrap(shouldWrap);
    t->SetBoxSize(width, height);
    return t;
  }
  static std::vector<std::u16string> Lines(LFontText& text) {
    std::vector<std::u16string> lines;
    const StringArrayW& l = text.GetLines();
    for (uint32_t i = 0; i < l.GetCount(); ++i) lines.emplace_back(l.GetItemPtr(i)->GetView());
    return lines;
  }

  RCPtr<HV::Test::FakeMeasurer> measurer = HV::Test::FakeMeasurer::Create();
  RCPtr<LFont> font = LFont::FindOrCreate(u"FakeFace", 10, LFont::Regular);
};

TEST_F(LFontTextTest, FindLineBreakTable) {
  struct Row {
    const char16_t* text;
    float width;
    int32_t expected;
    const char* why;
  } rows[] = {
      {u"ab cd", 100, 5, "fits whole, spaces and all"},
      {u"ab cd", 50, 2, "exactly the width is not below it: break before the space"},
      {u"ab cd", 30, 2, "the first word fits"},
      {u"ab cd ef", 55, 5, "the longest prefix before a space that fits"},
      {u"one-two", 45, 4, "no space: after the hyphen"},
      {u"ab cd-ef gh", 75, 6, "a later hyphen that fits beats the space"},
      {u"ab-cd ef", 55, 5, "an earlier hyphen does not"},
      {u"a-b-c", 25, 2, "back over hyphens until one fits"},
      {u"abcdefgh", 30, 8, "cannot be broken: overflows whole"},
      {u" abc", 20, 4, "a space at the start is no break"},
      {u"abc", 0, 3, "no width at all"},
      {u"a b", -5, 3, "a negative width: nothing fits, every line keeps a character"},
      {u"", 10, 0, "empty"},
  };
  RCPtr<LFontText> t = Text(u"", true, 0);
  for (const Row& row : rows)
    EXPECT_EQ(t->FindLineBreak(*measurer, row.width, row.text), row.expected) << row.why;
}

TEST_F(LFontTextTest, WrapsAtSpacesDroppingThemAndKeepsParagraphs) {
  struct Row {
    const char16_t* text;
    bool shouldWrap;
    float width;
    std::vector<std::u16string> lines;
  } rows[] = {
      {u"ab cd", true, 30, {u"ab", u"cd"}},       {u"ab cd", true, 100, {u"ab cd"}},
      {u"one-two", true, 45, {u"one-", u"two"}},  {u"abcdefgh", true, 30, {u"abcdefgh"}},
      {u"ab   \t cd", true, 30, {u"ab ", u"cd"}}, {u"a\n\nb", false, 100, {u"a", u"", u"b"}},
      {u"a\n\nb", true, 100, {u"a", u"b"}},       {u"ab  ", true, 25, {u"ab", u"  "}},
  };
  for (const Row& row : rows) {
    RCPtr<LFontText> t = Text(row.text, row.shouldWrap, row.width);
    EXPECT_EQ(Lines(*t), row.lines);
  }
}

TEST_F(LFontTextTest, LineRectanglesFollowTheAlignment) {
  RCPtr<LFontText> t = Text(u"ab cd", true, 30, 52);
  t->SetAlignment(1, 0.5f);
  ASSERT_EQ(t->GetLineCount(), 2u);
  const auto& rects = t->GetLineRects();
  EXPECT_EQ(rects[0], (RectT<float>{10, 10, 20, 16}));
  EXPECT_EQ(rects[1], (RectT<float>{10, 26, 20, 16}));
  int32_t width = 0, height = 0;
  t->GetTextSize(width, height);
  EXPECT_EQ(width, 20);
  EXPECT_EQ(height, 32);
  EXPECT_EQ(t->GetTextHeight(30), 32);
  EXPECT_EQ(t->GetTextHeight(1000), 16);
}

TEST_F(LFontTextTest, EmptyTextIsOneEmptyLine) {
  for (bool shouldWrap : {false, true}) {
    RCPtr<LFontText> t = Text(u"", shouldWrap, 50);
    EXPECT_EQ(t->GetLineCount(), 1u);
    EXPECT_EQ(t->GetLineRects()[0].width, 0);
    EXPECT_EQ(t->GetLineRects()[0].height, 16);
  }
}

TEST_F(LFontTextTest, LeftBearingCountsAsWidth) {
  measurer->leftBearing = 2;
  RCPtr<LFontText> t = Text(u"abc", false, 100);
  t->SetAlignment(0.5f, 0);
  EXPECT_EQ(t->GetLineRects()[0], (RectT<float>{34, 0, 32, 16}));
}

TEST_F(LFontTextTest, MaxLineWidthIsTheWidestLineRoundedUp) {
  EXPECT_EQ(Text(u"ab\ncdef\nx", false, 0)->GetMaxLineWidth(), 40);
  EXPECT_EQ(Text(u"", false, 0)->GetMaxLineWidth(), 0);
}

// A single-line text too wide for its box is shown ending in "...": as many
// characters as fit with it (10 pixels each), blanks before it dropped.
TEST_F(LFontTextTest, EllipsisTable) {
  struct Row {
    const char16_t* text;
    float width;
    const char16_t* shown;
    const char* why;
  } rows[] = {
      {u"abcdef", 60, u"abcdef", "exactly fits: whole"},
      {u"abcdefg", 60, u"abc...", "one character too many"},
      {u"abcdefghij", 65, u"abc...", "part of a character left over"},
      {u"ab cdefgh", 60, u"ab...", "the blank before the ellipsis goes"},
      {u"abcdef", 35, u"...", "room for the ellipsis only"},
      {u"abcdef", 20, u"...", "less room than the ellipsis: the ellipsis, cut"},
      {u"abcdefgh\nab", 50, u"ab...", "each line on its own: the first shortened"},
  };
  for (const Row& row : rows) {
    RCPtr<LFontText> t = Text(row.text, false, row.width);
    t->SetEllipsis(true);
    EXPECT_EQ(std::u16string(t->GetShownLines().GetItemPtr(0)->GetView()), row.shown) << row.why;
  }
}

TEST_F(LFontTextTest, EllipsisLeavesTheMeasuredTextWholeAndPlacesTheShownLine) {
  RCPtr<LFontText> t = Text(u"abcdefghij\nxy", false, 50, 32);
  t->SetAlignment(1, 0);
  t->SetEllipsis(true);
  EXPECT_EQ(Lines(*t), (std::vector<std::u16string>{u"abcdefghij", u"xy"}));
  EXPECT_EQ(t->GetLineRects()[0].width, 100);  // what the control measures and grows by
  EXPECT_EQ(t->GetMaxLineWidth(), 100);
  const StringArrayW& shown = t->GetShownLines();
  ASSERT_EQ(shown.GetCount(), 2u);
  EXPECT_EQ(std::u16string(shown.GetItemPtr(0)->GetView()), u"ab...");
  EXPECT_EQ(std::u16string(shown.GetItemPtr(1)->GetView()), u"xy");
  EXPECT_EQ(t->GetShownLineRects()[0], (RectT<float>{0, 0, 50, 16}));   // right-aligned, filling the box
  EXPECT_EQ(t->GetShownLineRects()[1], (RectT<float>{30, 16, 20, 16}));

  t->SetBoxSize(200, 32);  // room again: the whole text
  EXPECT_EQ(std::u16string(t->GetShownLines().GetItemPtr(0)->GetView()), u"abcdefghij");
}

TEST_F(LFontTextTest, NoEllipsisUnlessAskedWhileWrappingOrWithoutABox) {
  struct Row {
    bool ellipsis;
    bool wrap;
    float width;
    const char* why;
  } rows[] = {
      {false, false, 50, "not asked: the line overflows whole"},
      {true, true, 50, "wrapping: the word that cannot be broken overflows whole"},
      {true, false, 0, "no box yet"},
  };
  for (const Row& row : rows) {
    RCPtr<LFontText> t = Text(u"abcdefghij", row.wrap, row.width);
    t->SetEllipsis(row.ellipsis);
    EXPECT_EQ(std::u16string(t->GetShownLines().GetItemPtr(0)->GetView()), u"abcdefghij") << row.why;
  }
}

TEST_F(LFontTextTest, LayoutEndsOnRandomTextAndLosesNoCharacter) {
  std::mt19937 random(18);
  const char16_t alphabet[] = u"ab -\n\t\r";
  std::uniform_int_distribution<int> pick(0, 6), length(0, 40), width(-20, 120);
  for (int round = 0; round < 2000; ++round) {
    std::u16string text;
    for (int n = length(random); n > 0; --n) text += alphabet[pick(random)];
    RCPtr<LFontText> t = Text(text.c_str(), true, float(width(random)));
    const std::vector<std::u16string> lines = Lines(*t);
    size_t kept = 0;
    for (const std::u16string& line : lines) {
      // Only a text without lines gets the one empty line.
      if (lines.size() > 1) {
        EXPECT_FALSE(line.empty());
      }
      kept += line.size();
    }
    // Only blanks after a break and line feeds are dropped.
    size_t visible = 0;
    for (char16_t c : text) visible += (c == u'a' || c == u'b' || c == u'-');
    size_t visibleKept = 0;
    for (const std::u16string& line : lines)
      for (char16_t c : line) visibleKept += (c == u'a' || c == u'b' || c == u'-');
    EXPECT_EQ(visibleKept, visible);
    EXPECT_LE(kept, text.size());
  }
}

}  // namespace
}  // namespace HV
