// What a message box shows for its style flags, and where its parts go for
// a text: wrapped at a readable width, beside its icon, over a row of
// buttons at the right, nothing outside the box.
#include "HVFramework/Controls/MessageBox/MessageBoxLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

std::vector<std::u16string> NamesOf(const MessageBoxFace& face) {
  std::vector<std::u16string> names;
  for (const MessageBoxButton& button : face.buttons) names.emplace_back(button.name);
  return names;
}

TEST(MessageBoxFace, TheFlagsChooseTheIconTheButtonsTheDefaultAndWhatEscapeAnswers) {
  const struct {
    uint32_t style;
    MessageBoxIcon icon;
    std::vector<std::u16string> buttons;
    size_t defaultButton;
    int32_t escapeResult;  // 0: Escape does nothing
  } cases[] = {
      {0x00, MessageBoxIcon::None, {u"buttonOK"}, 0, 1},
      {0x10, MessageBoxIcon::Error, {u"buttonOK"}, 0, 1},
      {0x21, MessageBoxIcon::Question, {u"buttonOK", u"buttonCancel"}, 0, 2},
      {0x32, MessageBoxIcon::Warning, {u"buttonAbort", u"buttonRetry", u"buttonIgnore"}, 0, 0},
      {0x43, MessageBoxIcon::Information, {u"buttonYes", u"buttonNo", u"buttonCancel"}, 0, 2},
      {0x104, MessageBoxIcon::None, {u"buttonYes", u"buttonNo"}, 1, 0},
      {0x205, MessageBoxIcon::None, {u"buttonRetry", u"buttonCancel"}, 0, 2},  // no third button: the first
      {0x0F, MessageBoxIcon::None, {u"buttonOK"}, 0, 1},                       // unknown set: OK
      {0x50, MessageBoxIcon::None, {u"buttonOK"}, 0, 1},                       // unknown icon: none
  };
  for (const auto& c : cases) {
    const MessageBoxFace face = MessageBoxFaceFromStyle(c.style);
    SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
    EXPECT_EQ(face.icon, c.icon);
    EXPECT_EQ(NamesOf(face), c.buttons);
    EXPECT_EQ(face.defaultButton, c.defaultButton);
    EXPECT_EQ(face.escapeResult, c.escapeResult);
  }
}

// A text of 7-pixel characters in 15-pixel lines, broken anywhere.
MessageBoxTextMeasure FixedWidthText(int32_t characters) {
  MessageBoxTextMeasure measure;
  measure.unwrappedWidth = [=] { return characters * 7; };
  measure.heightAt = [=](int32_t width) {
    const int32_t perLine = std::max(1, width / 7);
    return 15 * std::max(1, (characters + perLine - 1) / perLine);
  };
  return measure;
}

bool Inside(const RectT<int32_t>& part, const MessageBoxGeometry& box) {
  return part.x >= 0 && part.y >= 0 && part.x + part.width <= box.width && part.y + part.height <= box.height;
}

TEST(MessageBoxLayout, TheTextWrapsWithinAReadableWidthBesideTheIconOverTheButtons) {
  const MessageBoxMetrics metrics;
  const struct {
    const char* what;
    uint32_t style;
    int32_t characters;
    int32_t textWidth;
    int32_t textHeight;
  } cases[] = {
      {"a short text takes the least width", 0x00, 4, metrics.minTextWidth, 15},
      {"a line that fits is not wrapped", 0x10, 40, 280, 15},
      {"a long text wraps at the readable width", 0x10, 200, metrics.maxTextWidth, 15 * 4},
      // 90 + 324 + 90 and two gaps, less the icon's 46: 474.
      {"a text over a wide row of buttons may take its width", 0x32, 200, 474, 15 * 3},
  };
  for (const auto& c : cases) {
    const MessageBoxFace face = MessageBoxFaceFromStyle(c.style);
    const MessageBoxGeometry box = LayOutMessageBox(face, metrics, FixedWidthText(c.characters), {30, 300, 30});
    SCOPED_TRACE(c.what);
    EXPECT_EQ(box.text.width, c.textWidth);
    EXPECT_EQ(box.text.height, c.textHeight);
    EXPECT_TRUE(Inside(box.text, box));
    const bool hasIcon = face.icon != MessageBoxIcon::None;
    EXPECT_EQ(box.icon.IsEmpty(), !hasIcon);
    if (hasIcon) {
      EXPECT_TRUE(Inside(box.icon, box));
      EXPECT_LE(box.icon.x + box.icon.width, box.text.x) << "the text stands right of the icon";
      // Each centred on the other's row.
      EXPECT_NEAR(box.icon.y + box.icon.height / 2.0, box.text.y + box.text.height / 2.0, 1);
    }
    ASSERT_EQ(box.buttons.size(), face.buttons.size());
    for (size_t i = 0; i < box.buttons.size(); ++i) {
      EXPECT_TRUE(Inside(box.buttons[i], box)) << "button " << i;
      EXPECT_GE(box.buttons[i].y, box.text.y + box.text.height + metrics.textGap) << "button " << i;
      if (i > 0) EXPECT_EQ(box.buttons[i].x, box.buttons[i - 1].x + box.buttons[i - 1].width + metrics.buttonGap);
    }
    EXPECT_EQ(box.buttons.back().x + box.buttons.back().width, box.width - metrics.margin) << "at the right";
    EXPECT_EQ(box.buttons.back().y + box.buttons.back().height, box.height - metrics.margin);
  }
}

TEST(MessageBoxLayout, AButtonWidensForItsTextAndTheBoxForItsButtons) {
  const MessageBoxMetrics metrics;
  const MessageBoxGeometry box =
      LayOutMessageBox(MessageBoxFaceFromStyle(0x03), metrics, FixedWidthText(4), {20, 20, 300});
  ASSERT_EQ(box.buttons.size(), 3u);
  EXPECT_EQ(box.buttons[0].width, metrics.buttonWidth);
  EXPECT_EQ(box.buttons[2].width, 300 + 24);
  EXPECT_EQ(box.buttons[0].x, metrics.margin) << "the row fills the box";
  EXPECT_GE(box.width, 2 * metrics.margin + 2 * metrics.buttonWidth + 324 + 2 * metrics.buttonGap);
}

}  // namespace
}  // namespace HV
