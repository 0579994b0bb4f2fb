// The drop-down rule shared by the combo controls: a press opens, a press
// while open closes and stays closed after the release, focus loss closes,
// and a focus request alone never opens.
#include "HVFramework/Controls/DropDown/LDropDownControl.h"
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

// A drop-down control whose drop-down is one flag; it writes down each
// request to open ("show") or close ("hide").
class FlagDropDown : public LDropDownControl {
 public:
  using LDropDownControl::LDropDownControl;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<FlagDropDown>(result, parent, descriptor);
  }
  bool IsDropDownShown() override { return shown; }
  HResult ShowDropDown(bool show) override {
    calls.push_back(show ? "show" : "hide");
    shown = show;
    return S_OK;
  }
  std::vector<std::string> Take() { return std::move(calls); }

  bool shown = false;
  std::vector<std::string> calls;
};

// "combo" takes the focus; "fixed" cannot; "other" is a second focusable
// control beside them.
const char* const kSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.DropDown" Name="combo" XPositionAbs="10" YPositionAbs="10" XSizeAbs="80" YSizeAbs="20" TabStop="1"/>
    <SubControl Class="Test.DropDown" Name="fixed" XPositionAbs="10" YPositionAbs="40" XSizeAbs="80" YSizeAbs="20" TabStop="-1"/>
    <SubControl Class="Test.Input" Name="other" XPositionAbs="10" YPositionAbs="70" XSizeAbs="80" YSizeAbs="20" TabStop="2"/>
  </SubControl>
</Skin></Skins>)";

class DropDownFixture : public ControlWindowFixture {
 protected:
  DropDownFixture() {
    EXPECT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.DropDown"), &FlagDropDown::Create), S_OK);
    Open(kSkin, u"main");
  }
  FlagDropDown& Named(const char16_t* name) { return Get<FlagDropDown>(name); }
  void ClickOn(const char16_t* name) {
    const LControl& control = *Find(name);
    const LControl::Point origin = control.GetOriginInRoot();
    Click(static_cast<int32_t>(origin.x + 5), static_cast<int32_t>(origin.y + 5));
  }
};

struct ToggleCase {
  const char* name;
  const char16_t* control;
  std::vector<bool> shownAfterEachClick;
  std::vector<std::string> calls;
};

class DropDownToggle : public DropDownFixture, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(DropDownToggle, EachClickLeavesTheDropDownAsExpected) {
  FlagDropDown& control = Named(GetParam().control);
  std::vector<bool> shown;
  for (size_t i = 0; i < GetParam().shownAfterEachClick.size(); ++i) {
    ClickOn(GetParam().control);
    shown.push_back(control.IsDropDownShown());
  }
  EXPECT_EQ(shown, GetParam().shownAfterEachClick);
  EXPECT_EQ(control.Take(), GetParam().calls);
  EXPECT_FALSE(control.IsNextOpenSuppressed());
}

const ToggleCase kToggleCases[] = {
    // The second press's focus request closes, its left-down does not reopen.
    {"FocusablePressPressPress", u"combo", {true, false, true}, {"show", "hide", "show"}},
    // Without the focus request nothing closes: every press opens again.
    {"NotFocusableStaysOpen", u"fixed", {true, true, true}, {"show", "show", "show"}},
};

INSTANTIATE_TEST_SUITE_P(Presses, DropDownToggle, ::testing::ValuesIn(kToggleCases),
                         [](const ::testing::TestParamInfo<ToggleCase>& test) { return test.param.name; });

TEST_F(DropDownFixture, TheSecondPressStaysClosedUntilTheRelease) {
  FlagDropDown& combo = Named(u"combo");
  ClickOn(u"combo");
  const LControl::Point origin = combo.GetOriginInRoot();
  Press(static_cast<int32_t>(origin.x + 5), static_cast<int32_t>(origin.y + 5));
  EXPECT_FALSE(combo.IsDropDownShown());
  EXPECT_TRUE(combo.DidFocusCloseDropDown());
  Move(static_cast<int32_t>(origin.x + 30), static_cast<int32_t>(origin.y + 5));
  Release(host.mouse.x, host.mouse.y);
  EXPECT_FALSE(combo.IsDropDownShown());
  EXPECT_EQ(combo.Take(), (std::vector<std::string>{"show", "hide"}));
}

TEST_F(DropDownFixture, FocusLeavingClosesEvenWhenClosedAlready) {
  FlagDropDown& combo = Named(u"combo");
  ClickOn(u"combo");
  ClickOn(u"other");
  EXPECT_FALSE(combo.IsDropDownShown());
  EXPECT_EQ(combo.Take(), (std::vector<std::string>{"show", "hide"}));

  // By keyboard: the focus is in the combo again, closed; Tab moves it on.
  ASSERT_EQ(combo.SetFocus(true), S_OK);
  Key(kTab);
  EXPECT_FALSE(combo.HasFocus());
  EXPECT_EQ(combo.Take(), (std::vector<std::string>{"hide"}));
}

TEST_F(DropDownFixture, AFocusRequestNeverOpens) {
  FlagDropDown& combo = Named(u"combo");
  ASSERT_EQ(combo.SetFocus(true), S_OK);
  EXPECT_FALSE(combo.IsDropDownShown());
  EXPECT_FALSE(combo.DidFocusCloseDropDown());
  // Opened by the derived class while focused: a focus request closes it.
  combo.shown = true;
  combo.SetFocus(true);
  EXPECT_FALSE(combo.IsDropDownShown());
  EXPECT_TRUE(combo.DidFocusCloseDropDown());
  EXPECT_EQ(combo.Take(), (std::vector<std::string>{"hide"}));
}

}  // namespace
}  // namespace HV::Test
