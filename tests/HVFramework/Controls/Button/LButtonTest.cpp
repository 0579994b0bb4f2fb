// The button in a root window: the look it shows for each state, toggles and
// radio groups, the auto-repeat and simulated-click timing on idle passes,
// passive buttons and the tool tip of a cut-off text.
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"
#include "tests/support/RecordingRenderer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace HV::Test {
namespace {

constexpr uint32_t kEnter = 0x0D;

// Buttons 40 x 20; "push" and "repeat" cannot take the focus, "focusable"
// and "toggle" can; r1..r3 and "loner" share a parent, r4 has its own.
std::string ButtonSkin() {
  return ControlWindowFixture::SolidLooks("ButtonLook", 14) + R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Framework.Button" Name="push" XPositionAbs="10" YPositionAbs="10" XSizeAbs="40" YSizeAbs="20" TabStop="-1">
      <Skin Name="B" LookList="ButtonLook"/>
    </SubControl>
    <SubControl Class="Framework.Button" Name="focusable" XPositionAbs="60" YPositionAbs="10" XSizeAbs="40" YSizeAbs="20" TabStop="1">
      <Skin Name="B" LookList="ButtonLook"/>
    </SubControl>
    <SubControl Class="Framework.Button" Name="toggle" XPositionAbs="110" YPositionAbs="10" XSizeAbs="40" YSizeAbs="20" TabStop="2">
      <Skin Name="B" LookList="ButtonLook"/>
      <CreateParamList><CreateParam ID="AUTO_VALUE_SET"> TRUE </CreateParam></CreateParamList>
    </SubControl>
    <SubControl Class="Framework.Button" Name="passive" XPositionAbs="260" YPositionAbs="10" XSizeAbs="40" YSizeAbs="20" TabStop="-1">
      <Skin Name="B" LookList="ButtonLook"/>
    </SubControl>
    <SubControl Class="Framework.Button" Name="r1" XPositionAbs="10" YPositionAbs="40" XSizeAbs="40" YSizeAbs="20" TabStop="-1">
      <Skin Name="B" LookList="ButtonLook"/>
      <CreateParamList><CreateParam ID="IS_RADIO">True</CreateParam><CreateParam ID="AUTO_VALUE_SET">True</CreateParam></CreateParamList>
    </SubControl>
    <SubControl Class="Framework.Button" Name="r2" XPositionAbs="60" YPositionAbs="40" XSizeAbs="40" YSizeAbs="20" TabStop="-1">
      <Skin Name="B" LookList="ButtonLook"/>
      <CreateParamList><CreateParam ID="IS_RADIO">True</CreateParam><CreateParam ID="AUTO_VALUE_SET">True</CreateParam></CreateParamList>
    </SubControl>
    <SubControl Class="Framework.Button" Name="r3" XPositionAbs="110" YPositionAbs="40" XSizeAbs="40" YSizeAbs="20" TabStop="-1">
      <Skin Name="B" LookList="ButtonLook"/>
      <CreateParamList><CreateParam ID="IS_RADIO">true</CreateParam><CreateParam ID="AUTO_VALUE_SET">True</CreateParam></CreateParamList>
    </SubControl>
    <SubControl Class="Framework.Button" Name="loner" XPositionAbs="160" YPositionAbs="40" XSizeAbs="40" YSizeAbs="20" TabStop="-1">
      <Skin Name="B" LookList="ButtonLook"/>
      <CreateParamList><CreateParam ID="IS_RADIO">False</CreateParam><CreateParam ID="AUTO_VALUE_SET">True</CreateParam></CreateParamList>
    </SubControl>
    <SubControl Class="Test.Input" Name="group" XPositionAbs="10" YPositionAbs="80" XSizeAbs="200" YSizeAbs="40">
      <SubControl Class="Framework.Button" Name="r4" XPositionAbs="10" YPositionAbs="10" XSizeAbs="40" YSizeAbs="20" TabStop="-1">
        <Skin Name="B" LookList="ButtonLook"/>
        <CreateParamList><CreateParam ID="IS_RADIO">True</CreateParam><CreateParam ID="AUTO_VALUE_SET">True</CreateParam></CreateParamList>
      </SubControl>
    </SubControl>
    <SubControl Class="Framework.Button" Name="repeat" XPositionAbs="10" YPositionAbs="130" XSizeAbs="40" YSizeAbs="20" TabStop="-1">
      <Skin Name="B" LookList="ButtonLook"/>
    </SubControl>
  </SubControl>
</Skin></Skins>)";
}

class ButtonFixture : public ControlWindowFixture {
 protected:
  ButtonFixture() {
    LoadStrings({{"Test.Input|push", "TOOLTIP", "Applies the changes"}});
    Open(ButtonSkin(), u"main");
  }

  LButton& Named(const char16_t* name) { return Get<LButton>(name); }
  // The centre of a control in window coordinates.
  LRootWindow::Point Centre(const char16_t* name) {
    const LControl& control = *Find(name);
    const LControl::Point origin = control.GetOriginInRoot();
    return {static_cast<int32_t>(origin.x + control.GetRect().width / 2),
            static_cast<int32_t>(origin.y + control.GetRect().height / 2)};
  }
  void ClickOn(const char16_t* name) {
    const LRootWindow::Point at = Centre(name);
    Click(at.x, at.y);
  }
  void PressOn(const char16_t* name) {
    const LRootWindow::Point at = Centre(name);
    Press(at.x, at.y);
  }
  void MoveOnto(const char16_t* name) {
    const LRootWindow::Point at = Centre(name);
    Move(at.x, at.y);
  }
  // Over the root control, away from every button.
  void MoveAway() { Move(390, 290); }
  void ReleaseHere() { Release(host.mouse.x, host.mouse.y); }
  // Time passes, then one idle pass.
  void IdleAfter(uint32_t milliseconds) {
    Advance(milliseconds);
    Idle();
  }
  static void SendTo(LControl& control, const WChar* name) {
    control.SendNotification(LNotification::Create(name));
  }
};

// --- Looks ---

enum class Step {
  kCheck,
  kDisable,
  kDisableParent,
  kFocus,
  kHover,
  kPress,
  kDragOut,
  kKeepPressedOutside,
  kRelease
};

struct LookCase {
  const char* name;
  const char16_t* button;
  std::vector<Step> steps;
  int look;
};
void PrintTo(const LookCase& c, std::ostream* out) { *out << c.name; }

class ButtonLooks : public ButtonFixture, public ::testing::WithParamInterface<LookCase> {
 protected:
  void Run(Step step, LButton& button) {
    switch (step) {
      case Step::kCheck:
        button.SetChecked(true);
        break;
      case Step::kDisable:
        button.SetEnabled(false);
        break;
      case Step::kDisableParent:
        button.GetParent()->SetEnabled(false);
        break;
      case Step::kFocus:
        button.SetFocus(true);
        break;
      case Step::kHover:
        MoveOnto(button.GetName().GetText());
        break;
      case Step::kPress:
        PressOn(button.GetName().GetText());
        break;
      case Step::kDragOut:
        MoveAway();
        break;
      case Step::kKeepPressedOutside:
        button.SetPressedWhileDraggedOutside(true);
        break;
      case Step::kRelease:
        ReleaseHere();
        break;
    }
  }
};

TEST_P(ButtonLooks, ShowsTheLookOfItsState) {
  LButton& button = Named(GetParam().button);
  EXPECT_EQ(ShownLook(button), 0);
  for (Step step : GetParam().steps) Run(step, button);
  EXPECT_EQ(ShownLook(button), GetParam().look);
  EXPECT_EQ(button.GetCurrentLookIndex(), GetParam().look);
}

const LookCase kLookCases[] = {
    {"Normal", u"push", {}, 0},
    {"Hover", u"push", {Step::kHover}, 1},
    {"Pressed", u"push", {Step::kPress}, 2},
    {"PressedAndDraggedOut", u"push", {Step::kPress, Step::kDragOut}, 1},
    {"PressedAndDraggedOutKeepingThePress",
     u"push",
     {Step::kKeepPressedOutside, Step::kPress, Step::kDragOut},
     2},
    {"ReleasedOverIt", u"push", {Step::kPress, Step::kRelease}, 1},
    {"ReleasedOutside", u"push", {Step::kPress, Step::kDragOut, Step::kRelease}, 0},
    {"Focused", u"focusable", {Step::kFocus}, 3},
    {"FocusedAndHovered", u"focusable", {Step::kFocus, Step::kHover}, 4},
    {"FocusedByThePress", u"focusable", {Step::kPress}, 5},
    {"Disabled", u"push", {Step::kDisable}, 6},
    {"DisabledUnderThePointer", u"push", {Step::kHover, Step::kDisable}, 6},
    {"DisabledThroughItsParent", u"r4", {Step::kDisableParent}, 6},
    {"On", u"push", {Step::kCheck}, 7},
    {"OnHover", u"push", {Step::kCheck, Step::kHover}, 8},
    {"OnPressed", u"push", {Step::kCheck, Step::kPress}, 9},
    {"OnFocused", u"focusable", {Step::kCheck, Step::kFocus}, 10},
    {"OnFocusedAndHovered", u"focusable", {Step::kCheck, Step::kFocus, Step::kHover}, 11},
    {"OnFocusedByThePress", u"focusable", {Step::kCheck, Step::kPress}, 12},
    {"OnDisabled", u"push", {Step::kCheck, Step::kDisable}, 13},
};

INSTANTIATE_TEST_SUITE_P(States, ButtonLooks, ::testing::ValuesIn(kLookCases),
                         [](const ::testing::TestParamInfo<LookCase>& test) { return test.param.name; });

using Button = ButtonFixture;

TEST_F(Button, PassiveButtonIsNeverHitAndKeepsTheLookItsOwnerGave) {
  LButton& passive = Named(u"passive");
  passive.SetPassive(true);
  passive.SelectLook(9);
  MoveOnto(u"passive");
  EXPECT_EQ(window->GetHoverControl(), Find(u"main").Get());
  Listen(RCPtr<LNotificationDistributor>(&passive), "passive", {u"NID_LEFT_CLICK"});
  ClickOn(u"passive");
  passive.SetEnabled(false);
  passive.SetChecked(false);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(ShownLook(passive), 9);
}

// --- Values ---

TEST_F(Button, ReadsItsFlagsFromTheCreateParametersAnyCaseAndBlanksAround) {
  EXPECT_TRUE(Named(u"toggle").IsAutoValueSet());
  EXPECT_FALSE(Named(u"toggle").IsRadio());
  EXPECT_FALSE(Named(u"push").IsAutoValueSet());
  EXPECT_TRUE(Named(u"r3").IsRadio());
  EXPECT_FALSE(Named(u"loner").IsRadio());
}

TEST_F(Button, ToggleFlipsOnEachClickAndAnnouncesTheValueBeforeTheClick) {
  LButton& toggle = Named(u"toggle");
  Listen(RCPtr<LNotificationDistributor>(&toggle), "toggle", {u"NID_VALUE_CHANGE", u"NID_LEFT_CLICK"});
  ClickOn(u"toggle");
  EXPECT_TRUE(toggle.IsChecked());
  EXPECT_EQ(Take(), (std::vector<std::string>{"toggle:NID_VALUE_CHANGE", "toggle:NID_LEFT_CLICK"}));
  EXPECT_EQ(ShownLook(toggle), 11);  // on, focused by the press, hovered
  ClickOn(u"toggle");
  EXPECT_FALSE(toggle.IsChecked());
  EXPECT_EQ(ShownLook(toggle), 4);
}

TEST_F(Button, ButtonWithoutAutoValueClicksButKeepsItsValue) {
  LButton& push = Named(u"push");
  Listen(RCPtr<LNotificationDistributor>(&push), "push", {u"NID_VALUE_CHANGE", u"NID_LEFT_CLICK"});
  for (bool checked : {false, true}) {
    push.SetChecked(checked);
    Take();
    ClickOn(u"push");
    EXPECT_EQ(push.IsChecked(), checked);
    EXPECT_EQ(Take(), (std::vector<std::string>{"push:NID_LEFT_CLICK"}));
  }
}

TEST_F(Button, RadioTurnsOffItsRadioSiblingsOnlyAndStaysOnWhenClickedAgain) {
  ClickOn(u"r1");
  ClickOn(u"loner");
  Named(u"r4").SetChecked(true);
  ClickOn(u"r2");
  EXPECT_FALSE(Named(u"r1").IsChecked());
  EXPECT_EQ(ShownLook(Named(u"r1")), 0);
  EXPECT_TRUE(Named(u"r2").IsChecked());
  EXPECT_FALSE(Named(u"r3").IsChecked());
  EXPECT_TRUE(Named(u"loner").IsChecked());  // not a radio button
  EXPECT_TRUE(Named(u"r4").IsChecked());     // another parent's group

  Listen(RCPtr<LNotificationDistributor>(&Named(u"r2")), "r2", {u"NID_VALUE_CHANGE", u"NID_LEFT_CLICK"});
  ClickOn(u"r2");
  EXPECT_TRUE(Named(u"r2").IsChecked());
  EXPECT_EQ(Take(), (std::vector<std::string>{"r2:NID_LEFT_CLICK"}));

  // Set by program the same rule holds.
  Named(u"r3").SetChecked(true);
  EXPECT_FALSE(Named(u"r2").IsChecked());
}

// --- Auto-repeat ---

TEST_F(Button, HeldAutoRepeatButtonRepeatsAtOnceAfterTheDelayAndThenAtTheInterval) {
  LButton& repeat = Named(u"repeat");
  repeat.SetAutoRepeat(true);
  Listen(RCPtr<LNotificationDistributor>(&repeat), "repeat", {u"NID_BUTTON_AUTOREPEAT"});
  PressOn(u"repeat");
  EXPECT_EQ(Take().size(), 1u) << "at once";
  EXPECT_EQ(repeat.GetIdleRequestCount(), 1);
  // Milliseconds to the next idle pass, and the repeats it sends. A late
  // pass sends one repeat, and the interval runs from there.
  const struct {
    uint32_t wait;
    size_t repeats;
  } kTimeline[] = {{299, 0}, {1, 1}, {50, 0}, {50, 1}, {100, 1}, {250, 1}, {99, 0}, {1, 1}};
  uint32_t elapsed = 0;
  for (const auto& pass : kTimeline) {
    IdleAfter(pass.wait);
    elapsed += pass.wait;
    EXPECT_EQ(Take().size(), pass.repeats) << "at " << elapsed << " ms";
  }
  ReleaseHere();
  EXPECT_FALSE(repeat.IsRepeating());
  EXPECT_EQ(repeat.GetIdleRequestCount(), 0);
  IdleAfter(1000);
  EXPECT_TRUE(Take().empty());
}

TEST_F(Button, RepeatsPauseWhileThePointerIsOutsideAndResumeWithoutABurst) {
  LButton& repeat = Named(u"repeat");
  repeat.SetAutoRepeat(true);
  Listen(RCPtr<LNotificationDistributor>(&repeat), "repeat", {u"NID_BUTTON_AUTOREPEAT"});
  PressOn(u"repeat");
  IdleAfter(200);
  Take();
  MoveAway();
  for (int pass = 0; pass < 10; ++pass) IdleAfter(100);
  EXPECT_TRUE(Take().empty()) << "outside";
  MoveOnto(u"repeat");
  IdleAfter(99);  // 100 ms of the delay were left when the pointer went out
  EXPECT_TRUE(Take().empty());
  IdleAfter(1);
  EXPECT_EQ(Take().size(), 1u);
  IdleAfter(100);
  EXPECT_EQ(Take().size(), 1u);
}

TEST_F(Button, DisabledAutoRepeatButtonDoesNotRepeat) {
  LButton& repeat = Named(u"repeat");
  repeat.SetAutoRepeat(true);
  Find(u"main")->SetEnabled(false);
  Listen(RCPtr<LNotificationDistributor>(&repeat), "repeat", {u"NID_BUTTON_AUTOREPEAT"});
  PressOn(u"repeat");
  IdleAfter(500);
  EXPECT_TRUE(Take().empty());
  EXPECT_FALSE(repeat.IsRepeating());
}

// --- Simulated clicks ---

TEST_F(Button, EnterShowsThePressedLookAndClicksWhenTheFlashTimeHasPassed) {
  LButton& toggle = Named(u"toggle");
  toggle.SetFocus(true);
  Listen(RCPtr<LNotificationDistributor>(&toggle), "toggle", {u"NID_LEFT_CLICK"});
  Key(kEnter);
  EXPECT_EQ(ShownLook(toggle), 2) << "pressed, without the focus offset";
  EXPECT_EQ(toggle.GetIdleRequestCount(), 1);
  IdleAfter(149);
  EXPECT_TRUE(Take().empty());
  EXPECT_FALSE(toggle.IsChecked());
  IdleAfter(1);
  EXPECT_EQ(Take(), (std::vector<std::string>{"toggle:NID_LEFT_CLICK"}));
  EXPECT_TRUE(toggle.IsChecked());
  EXPECT_EQ(ShownLook(toggle), 10);  // on, focused
  EXPECT_EQ(toggle.GetIdleRequestCount(), 0);

  Key(kEnter, kCtrl);
  IdleAfter(500);
  EXPECT_TRUE(Take().empty()) << "Ctrl+Enter is no click";
}

TEST_F(Button, TwoQuickEntersGiveTwoClicks) {
  LButton& toggle = Named(u"toggle");
  toggle.SetFocus(true);
  Listen(RCPtr<LNotificationDistributor>(&toggle), "toggle", {u"NID_LEFT_CLICK"});
  Key(kEnter);
  IdleAfter(50);
  Key(kEnter);
  EXPECT_EQ(Take().size(), 1u) << "the first click is finished by the second Enter";
  EXPECT_TRUE(toggle.IsChecked());
  EXPECT_EQ(ShownLook(toggle), 9);
  IdleAfter(150);
  EXPECT_EQ(Take().size(), 1u);
  EXPECT_FALSE(toggle.IsChecked());
  EXPECT_EQ(toggle.GetIdleRequestCount(), 0);
}

TEST_F(Button, SimulateClickRequestIsIgnoredWhileTheButtonOrAnAncestorIsDisabled) {
  const struct {
    const char16_t* button;
    const char16_t* disabled;
  } kCases[] = {{u"push", u"push"}, {u"r4", u"group"}};
  for (const auto& c : kCases) {
    LButton& button = Named(c.button);
    Listen(RCPtr<LNotificationDistributor>(&button), "button", {u"NID_LEFT_CLICK"});
    Find(c.disabled)->SetEnabled(false);
    SendTo(button, u"NID_SIMULATE_CLICK");
    IdleAfter(200);
    EXPECT_TRUE(Take().empty()) << Narrow(StringW(c.button));
    EXPECT_FALSE(button.IsClickFlashing());

    Find(c.disabled)->SetEnabled(true);
    SendTo(button, u"NID_SIMULATE_CLICK");
    IdleAfter(200);
    EXPECT_EQ(Take(), (std::vector<std::string>{"button:NID_LEFT_CLICK"})) << Narrow(StringW(c.button));
  }
}

TEST_F(Button, SimulatedClickOfAnAutoRepeatButtonRepeatsOnceBeforeTheClick) {
  LButton& repeat = Named(u"repeat");
  repeat.SetAutoRepeat(true);
  Listen(RCPtr<LNotificationDistributor>(&repeat), "repeat", {u"NID_BUTTON_AUTOREPEAT", u"NID_LEFT_CLICK"});
  repeat.SimulateClick();
  IdleAfter(150);
  EXPECT_EQ(Take(), (std::vector<std::string>{"repeat:NID_BUTTON_AUTOREPEAT", "repeat:NID_LEFT_CLICK"}));
}

TEST_F(Button, PressDuringASimulatedClickLeavesNoIdleRequestBehind) {
  LButton& repeat = Named(u"repeat");
  repeat.SetAutoRepeat(true);
  repeat.SimulateClick();
  PressOn(u"repeat");
  EXPECT_TRUE(repeat.IsRepeating());
  EXPECT_EQ(repeat.GetIdleRequestCount(), 1);
  ReleaseHere();
  EXPECT_EQ(repeat.GetIdleRequestCount(), 1) << "the click still flashes";
  IdleAfter(150);
  EXPECT_FALSE(repeat.IsClickFlashing());
  EXPECT_EQ(repeat.GetIdleRequestCount(), 0);

  // And the other way round: a flash that ends while the press holds on.
  repeat.SimulateClick();
  PressOn(u"repeat");
  IdleAfter(150);
  EXPECT_EQ(repeat.GetIdleRequestCount(), 1);
  ReleaseHere();
  EXPECT_EQ(repeat.GetIdleRequestCount(), 0);
}

TEST_F(Button, ButtonRemovedWhileItRepeatsAndFlashesStopsBoth) {
  const RCPtr<LButton> repeat(&Named(u"repeat"));
  repeat->SetAutoRepeat(true);
  Listen(RCPtr<LNotificationDistributor>(repeat.Get()), "repeat",
         {u"NID_BUTTON_AUTOREPEAT", u"NID_LEFT_CLICK"});
  repeat->SimulateClick();
  PressOn(u"repeat");
  Take();
  Find(u"main")->RemoveChildControl(repeat);
  EXPECT_FALSE(repeat->IsRepeating());
  EXPECT_FALSE(repeat->IsClickFlashing());
  EXPECT_EQ(repeat->GetIdleRequestCount(), 0);
  IdleAfter(1000);
  EXPECT_TRUE(Take().empty());
  // Used again elsewhere, it holds one request per running state as before.
  repeat->SimulateClick();
  EXPECT_EQ(repeat->GetIdleRequestCount(), 1);
}

// --- Tool tip ---

TEST_F(Button, ToolTipIsTheWholeTextWhenItIsCutOffElseTheSkinsToolTip) {
  LButton& push = Named(u"push");
  // The text area is 36 wide; the recording renderer measures every text as
  // its text box says.
  const RCPtr<RecordingRenderer> measurer = RecordingRenderer::Create();
  SetApplicationRenderer(measurer);
  push.ApplyFont(LFont::FindOrCreate(StringW(u"Button Sans"), 11, 0));
  push.SetText(StringW(u"Apply all"));
  const struct {
    float textWidth;
    const char* tip;
  } kCases[] = {{36, "Applies the changes"}, {37, "Apply all"}};
  for (const auto& c : kCases) {
    measurer->SetTextBox({0, -8, c.textWidth, 10});
    push.GetLook(-1)->GetTextPart()->ClearLayout();
    push.GetLook(-1)->GetTextPart()->GetLineRects();
    EXPECT_EQ(Narrow(push.GetToolTipText()), c.tip) << c.textWidth;
  }
  SetApplicationRenderer(nullptr);
}

}  // namespace
}  // namespace HV::Test
