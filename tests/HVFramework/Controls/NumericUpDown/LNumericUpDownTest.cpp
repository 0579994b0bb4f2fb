// The numeric up-down in a root window: what validation makes of typed
// text, the character set, the buttons' steps and repeat at the range's
// ends, Up and Down through the buttons, and its observers' part in the
// text box's validation.
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "tests/HVFramework/Controls/TextBox/TextBoxFixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace HV::Test {
namespace {

constexpr uint32_t kUp = 0x26, kDown = 0x28, kEnterKey = 0x0D;

std::string UpDownSkin() {
  return ControlWindowFixture::SolidLooks("ButtonLook", 14) + TextBoxFixture::Skin(R"(
    <SubControl Class="Framework.NumericUpDown" Name="updown" XPositionAbs="10" YPositionAbs="10" XSizeAbs="120" YSizeAbs="20" TabStop="1">
      <SubControl Class="Framework.TextBox" Name="textBox" XPositionAbs="0" YPositionAbs="0" XSizeAbs="80" YSizeAbs="20" TabStop="1">
        <Skin Name="T" LookList="TextLook"/>
      </SubControl>
      <SubControl Class="Framework.Button" Name="buttonUp" XPositionAbs="80" YPositionAbs="0" XSizeAbs="40" YSizeAbs="10">
        <Skin Name="B" LookList="ButtonLook"/>
      </SubControl>
      <SubControl Class="Framework.Button" Name="buttonDown" XPositionAbs="80" YPositionAbs="10" XSizeAbs="40" YSizeAbs="10">
        <Skin Name="B" LookList="ButtonLook"/>
      </SubControl>
    </SubControl>)");
}

class NumericUpDown : public TextBoxFixture {
 protected:
  NumericUpDown() {
    EXPECT_EQ(LNumericUpDown::Register(factory), S_OK);
    Open(UpDownSkin(), u"main");
  }
  LNumericUpDown& UpDown() { return Get<LNumericUpDown>(u"updown"); }
  LTextBox& Box() { return *UpDown().GetTextBox(); }
  // The up-down over a range, holding a value, its text box focused.
  void Start(double start, double end, double value, int32_t decimals = 0) {
    LNumericUpDown& upDown = UpDown();
    upDown.SetDecimals(decimals);
    ASSERT_EQ(upDown.SetRange(start, end, 0), S_OK);
    upDown.SetValue(value);
    Box().SetFocus(true);
  }
  void EnterText(const char* text) {
    Box().SetText(StringW(text));
    Key(kEnterKey);
  }
  LRootWindow::Point Centre(const LControl& control) const {
    const LControl::Point origin = control.GetOriginInRoot();
    return {static_cast<int32_t>(origin.x + control.GetRect().width / 2),
            static_cast<int32_t>(origin.y + control.GetRect().height / 2)};
  }
};

TEST_F(NumericUpDown, FindsItsPartsAndTakesTheFocusForItsTextBox) {
  LNumericUpDown& upDown = UpDown();
  ASSERT_NE(upDown.GetTextBox(), nullptr);
  ASSERT_NE(upDown.GetButtonUp(), nullptr);
  ASSERT_NE(upDown.GetButtonDown(), nullptr);
  EXPECT_TRUE(upDown.GetButtonUp()->IsAutoRepeat());
  EXPECT_TRUE(upDown.GetButtonDown()->IsNotFocusable());
  EXPECT_EQ(upDown.SetFocus(true), S_OK);
  EXPECT_TRUE(Box().HasFocus());
}

// --- Validation ---

struct TypedCase {
  const char* name;
  double start, end;
  int32_t decimals;
  double value;
  const char* typed;
  const char* shown;
  double expected;
};
void PrintTo(const TypedCase& c, std::ostream* out) { *out << c.name; }
class NumericUpDownTyped : public NumericUpDown, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(NumericUpDownTyped, EnterTurnsTheTextIntoAValueInTheRange) {
  const TypedCase& c = GetParam();
  Start(c.start, c.end, c.value, c.decimals);
  EnterText(c.typed);
  EXPECT_EQ(TextOf(Box()), c.shown);
  EXPECT_NEAR(UpDown().GetValue(), c.expected, 1e-9);
}

const TypedCase kTypedCases[] = {
    // name                         start end dec value typed    shown   value
    {"ANumberBecomesTheValue", 0, 127, 0, 10, "42", "42", 42},
    {"AboveTheRangeIsClamped", 0, 127, 0, 10, "200", "127", 127},
    {"BelowTheRangeIsClamped", -64, 63, 0, 0, "-100", "-64", -64},
    {"ALeadingMinusIsNegative", -64, 63, 0, 10, "-20", "-20", -20},
    {"NothingRestoresTheValue", 0, 127, 0, 10, "", "10", 10},
    {"AMinusAfterTheFirstReverts", -64, 63, 0, 10, "5-", "10", 10},
    {"OnlyAMinusReverts", -64, 63, 0, 10, "-", "10", 10},
    {"OnlyAPointReverts", 0, 10, 2, 1, ".", "1.00", 1},
    {"TwoPointsRevert", 0, 10, 2, 1, "1.2.3", "1.00", 1},
    {"DecimalsAreShownFixed", 0, 10, 2, 1, "2.5", "2.50", 2.5},
    {"TheValueTypedWithZerosStaysAsTyped", 0, 100, 0, 10, "010", "010", 10},
    {"ZeroIsShownPlainly", -10, 10, 0, 0, "000", "0", 0},
    {"AnEndIsShownPlainly", 0, 127, 0, 127, "0127", "127", 127},
};
INSTANTIATE_TEST_SUITE_P(Table, NumericUpDownTyped, ::testing::ValuesIn(kTypedCases),
                         [](const ::testing::TestParamInfo<TypedCase>& test) { return test.param.name; });

TEST_F(NumericUpDown, TypingTakesDigitsAndAMinusOnlyForANegativeRange) {
  Start(0, 127, 0);
  Box().SetText(StringW());
  for (char16_t c : std::u16string(u"-1a.2")) Char(c);
  EXPECT_EQ(TextOf(Box()), "12");
  Start(-64, 63, 0);
  Box().SetText(StringW());
  for (char16_t c : std::u16string(u"-1.2")) Char(c);
  EXPECT_EQ(TextOf(Box()), "-12");
}

TEST_F(NumericUpDown, ObserversOfTheUpDownTakePartInValidation) {
  Start(0, 127, 10);
  Observe(UpDown(), "updown", {u"NID_TEXTBOX_VALIDATING", u"NID_TEXTBOX_VALIDATED"},
          [](NotificationRecorder&, const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& n) {
            const RCPtr<LTextValidationParams> params = ParamsOf(n);
            if (params && params->text == u"13") params->isValid = false;  // unlucky number
          });
  EnterText("12");
  EXPECT_EQ(log.Deliveries(),
            (std::vector<std::string>{"updown:NID_TEXTBOX_VALIDATING", "updown:NID_TEXTBOX_VALIDATING",
                                      "updown:NID_TEXTBOX_VALIDATED", "updown:NID_TEXTBOX_VALIDATED"}));
  log.Clear();
  EnterText("13");
  EXPECT_EQ(log.Deliveries(), (std::vector<std::string>{"updown:NID_TEXTBOX_VALIDATING"}));
  EXPECT_EQ(UpDown().GetValue(), 12);
  EXPECT_EQ(TextOf(Box()), "13");  // refused: left for the user to mend
}

TEST_F(NumericUpDown, SetRangeRefusesABadScaleAndShowsTheValue) {
  LNumericUpDown& upDown = UpDown();
  EXPECT_EQ(upDown.SetRange(0, 10, 2), E_INVALIDARG);
  EXPECT_EQ(upDown.SetRange(0, 10, 1), E_INVALIDARG);
  EXPECT_EQ(upDown.SetRange(1, 100, 1), S_OK);
  EXPECT_EQ(TextOf(Box()), "1");
  EXPECT_EQ(upDown.SetText(StringW(u"50 units")), S_OK);
  EXPECT_NEAR(upDown.GetValue(), 50, 1e-9);
  EXPECT_EQ(TextOf(Box()), "50");
}

// --- Buttons and keys ---

TEST_F(NumericUpDown, HoldingAButtonStepsAndStopsAtTheEnd) {
  Start(0, 127, 125);
  const LRootWindow::Point up = Centre(*UpDown().GetButtonUp());
  Press(up.x, up.y);
  EXPECT_EQ(UpDown().GetValue(), 126);  // at once
  const struct {
    uint32_t after;
    double value;
  } kSteps[] = {{299, 126}, {1, 127}, {100, 127}, {100, 127}};
  for (const auto& step : kSteps) {
    Advance(step.after);
    Idle();
    EXPECT_EQ(UpDown().GetValue(), step.value) << step.after;
  }
  Release(up.x, up.y);
  EXPECT_EQ(TextOf(Box()), "127");
  const LRootWindow::Point down = Centre(*UpDown().GetButtonDown());
  Click(down.x, down.y);
  EXPECT_EQ(UpDown().GetValue(), 126);
}

TEST_F(NumericUpDown, UpAndDownKeysPressTheButtonsOnce) {
  Start(0, 127, 10);
  Key(kUp);
  EXPECT_TRUE(UpDown().GetButtonUp()->IsClickFlashing());  // the visible press
  EXPECT_EQ(UpDown().GetValue(), 10);
  Advance(150);
  Idle();
  EXPECT_EQ(UpDown().GetValue(), 11);
  EXPECT_EQ(TextOf(Box()), "11");
  Key(kDown);
  Advance(150);
  Idle();
  Advance(500);
  Idle();
  EXPECT_EQ(UpDown().GetValue(), 10);
  EXPECT_TRUE(Box().HasFocus());
}

}  // namespace
}  // namespace HV::Test
