// Panels route the keyboard: Tab, Shift+Tab and Ctrl+Tab through nested
// panels, focus cycling, keys climbing to the window's and the application's
// hot keys, and the local hot keys of the panels' children.
#include "tests/HVFramework/ControlBase/Views/ViewsFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Panels p and q of two inputs each, and an input r beside them, in the
// top-level panel "main".
const char* const kPanelsSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Panel" Name="main">
    <SubControl Class="Test.Panel" Name="p" XPositionAbs="0" YPositionAbs="0" XSizeAbs="200" YSizeAbs="100" TabStop="1">
      <SubControl Class="Test.Input" Name="p1" XPositionAbs="10" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="1"/>
      <SubControl Class="Test.Input" Name="p2" XPositionAbs="70" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="2"/>
    </SubControl>
    <SubControl Class="Test.Panel" Name="q" XPositionAbs="0" YPositionAbs="150" XSizeAbs="200" YSizeAbs="100" TabStop="2">
      <SubControl Class="Test.Input" Name="q1" XPositionAbs="10" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="1"/>
      <SubControl Class="Test.Input" Name="q2" XPositionAbs="70" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="2"/>
    </SubControl>
    <SubControl Class="Test.Input" Name="r" XPositionAbs="250" YPositionAbs="0" XSizeAbs="50" YSizeAbs="20" TabStop="3"/>
  </SubControl>
</Skin></Skins>)";

class Panel : public ViewsFixture {
 protected:
  void SetUp() override {
    LoadStrings({{"App|main", "GHK.NID_WINDOW_F3", "VKEY_F3"},
                 {"Test.Panel|r", "LHK.NID_R_F5", "VKEY_F5"},
                 {"Test.Panel|q2", "LHK.NID_Q2_F6", "VKEY_F6"}});
    ASSERT_TRUE(Open(kPanelsSkin, u"main"));
    Listen(window, "window", {u"NID_WINDOW_F3"});
    Listen(appCenter, "app", {u"NID_APP_EXIT_REQ"});
    Listen(Find(u"r"), "r", {u"NID_R_F5"});
    Listen(Find(u"q2"), "q2", {u"NID_Q2_F6"});
  }
  LPanel& PanelNamed(const char16_t* name) const { return As<LPanel>(name); }
};

TEST_F(Panel, TabLeavesAPanelAfterItsLastChildAndTheTopLevelPanelWraps) {
  EXPECT_THAT(TabThrough(0, 6), ElementsAre("p1", "p2", "q1", "q2", "r", "p1", "p2"));
}

TEST_F(Panel, ShiftTabGoesBackwardsThroughThePanels) {
  EXPECT_THAT(TabThrough(kShift, 6), ElementsAre("p1", "r", "q2", "q1", "p2", "p1", "r"));
}

TEST_F(Panel, ACyclingPanelKeepsTheFocusInsideBothWays) {
  PanelNamed(u"q").SetFocusCycles(true);
  Find(u"q1")->SetFocus(true);
  EXPECT_THAT(TabThrough(0, 3), ElementsAre("q1", "q2", "q1", "q2"));
  EXPECT_THAT(TabThrough(kShift, 3), ElementsAre("q2", "q1", "q2", "q1"));
}

TEST_F(Panel, CtrlTabLeavesEvenACyclingPanel) {
  PanelNamed(u"q").SetFocusCycles(true);
  Find(u"q1")->SetFocus(true);
  EXPECT_THAT(TabThrough(kCtrl, 1), ElementsAre("q1", "r"));
  Find(u"q2")->SetFocus(true);
  EXPECT_THAT(TabThrough(kCtrl | kShift, 1), ElementsAre("q2", "p2"));
}

TEST_F(Panel, ACyclingPanelEntersItsOnlyContainerAgain) {
  // main cycles round p alone: a Tab that leaves p comes back into it.
  Find(u"q")->SetVisible(false);
  Find(u"r")->SetVisible(false);
  PanelNamed(u"main").SetFocusCycles(true);
  EXPECT_THAT(TabThrough(0, 3), ElementsAre("p1", "p2", "p1", "p2"));
  EXPECT_THAT(TabThrough(kShift, 2), ElementsAre("p2", "p1", "p2"));
}

TEST_F(Panel, AtTheEndOfTheOrderATopLevelPanelLeavesTheTabToTheWindow) {
  // A modal window keeps the focus where it is, both ways.
  host.modal = true;
  Find(u"r")->SetFocus(true);
  EXPECT_THAT(TabThrough(0, 1), ElementsAre("r", "r"));
  Find(u"p1")->SetFocus(true);
  EXPECT_THAT(TabThrough(kShift, 1), ElementsAre("p1", "p1"));
  // With another window, the Tab moves on to it.
  host.modal = false;
  const OtherApplicationWindow other;
  Find(u"r")->SetFocus(true);
  Key(kTab);
  EXPECT_EQ(other.host.focusRequests, 1);
  EXPECT_EQ(Focused(), "r");
}

TEST_F(Panel, DisabledPanelsAndControlsAreSkipped) {
  Find(u"q")->SetEnabled(false);
  Find(u"p2")->SetNotFocusable(true);
  EXPECT_THAT(TabThrough(0, 3), ElementsAre("p1", "r", "p1", "r"));
}

TEST_F(Panel, AnUnhandledKeyClimbsThePanelsToTheWindowsHotKeysThenTheApplications) {
  Key(kF4 - 1);  // F3: the window's table
  EXPECT_THAT(Take(), IsEmpty());  // posted
  Idle();
  EXPECT_THAT(Take(), ElementsAre("window:NID_WINDOW_F3"));
  Key(kF4, kAlt);  // not the window's: the application's
  EXPECT_THAT(Take(), IsEmpty());
  Idle();
  EXPECT_THAT(Take(), ElementsAre("app:NID_APP_EXIT_REQ"));
  // A key the focused control uses goes no further.
  Input(u"p1").handledKeys.insert(kF4 - 1);
  Key(kF4 - 1);
  Idle();
  EXPECT_THAT(Take(), IsEmpty());
  EXPECT_THAT(TakeInput(), ElementsAre("p1:key 114"));
}

TEST_F(Panel, AKeyReachesTheLocalHotKeysOfTheParentsChildrenOnItsWay) {
  Key(0x74);  // F5, bound by r beside panel p
  EXPECT_THAT(Take(), ElementsAre("r:NID_R_F5"));
  // A key bound inside the sibling panel q is offered through q.
  Key(0x75);  // F6
  EXPECT_THAT(Take(), ElementsAre("q2:NID_Q2_F6"));
  // Hidden, q2 no longer takes it: it climbs on to the hot keys.
  Find(u"q")->SetVisible(false);
  Key(0x75);
  Idle();
  EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(Panel, ARemovedPanelNoLongerHearsItsFormerParentsKeys) {
  const RCPtr<LControl> q = Find(u"q");
  EXPECT_EQ(Find(u"main")->RemoveChildControl(q), S_OK);
  Key(0x75);
  EXPECT_THAT(Take(), IsEmpty());
  Idle();
}

}  // namespace
}  // namespace HV::Test
