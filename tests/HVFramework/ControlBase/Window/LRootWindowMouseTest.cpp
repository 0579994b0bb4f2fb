// Mouse events through the root window: hit testing, presses and clicks,
// the drag threshold, the capture, double-clicks, hover and the wheel walk.
#include "tests/HVFramework/ControlBase/Window/RootWindowSkins.h"
#include "tests/support/RootWindowFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using C = LControl;

class RootWindowMouse : public RootWindowFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Open(kPanelsSkin, u"main"));
    for (const char16_t* name : {u"a1", u"a2", u"b1", u"under", u"free"})
      Listen(Find(name), Narrow(StringW(name)),
             {u"NID_MOUSE_DOWN", u"NID_MOUSE_UP", u"NID_LEFT_CLICK", u"NID_MIDDLE_CLICK", u"NID_RIGHT_CLICK"});
  }
  std::string NameAt(int32_t x, int32_t y) {
    LRootWindow::Point local;
    const RCPtr<LControl> found = window->ControlFromPoint({x, y}, local, false);
    return found ? Narrow(found->GetName()) + "@" + std::to_string(local.x) + "," + std::to_string(local.y)
                 : "none";
  }
};

TEST_F(RootWindowMouse, HitTestingFindsTheDeepestControlInItsOwnCoordinates) {
  struct Case {
    int32_t x, y;
    const char* found;
  };
  for (const Case& c : {Case{15, 12, "a1@5,2"}, Case{60, 12, "a@60,12"}, Case{59, 29, "a1@49,19"},
                        Case{20, 95, "free@10,5"}, Case{20, 120, "free@10,30"},  // free is over "under", outside its parent
                        Case{80, 120, "under@80,15"}, Case{15, 165, "b1@5,5"}, Case{399, 299, "main@399,299"},
                        Case{400, 10, "none"}})
    EXPECT_EQ(NameAt(c.x, c.y), c.found) << c.x << "," << c.y;
  // A hidden control and everything in it is not hit; a control excluded
  // from hit testing is passed over, its children are not.
  Find(u"b")->SetVisible(false);
  EXPECT_EQ(NameAt(15, 165), "main@15,165");
  const C::HitTestExclusionGuard guard(Find(u"a").Get());
  EXPECT_EQ(NameAt(15, 12), "a1@5,2");
  EXPECT_EQ(NameAt(150, 50), "main@150,50");
}

TEST_F(RootWindowMouse, AControlThatDoesNotClipIsHitOutsideItsParentUntilItIsHidden) {
  EXPECT_EQ(NameAt(20, 120), "free@10,30");
  EXPECT_EQ(NameAt(20, 95), "free@10,5");
  EXPECT_EQ(NameAt(80, 120), "under@80,15");
  Find(u"free")->SetVisible(false);
  EXPECT_EQ(NameAt(20, 120), "under@20,15");
}

TEST_F(RootWindowMouse, AClickSendsDownUpAndClickWithLocalPoints) {
  Click(15, 12);
  EXPECT_THAT(Take(), ElementsAre("a1:NID_MOUSE_DOWN", "a1:NID_MOUSE_UP", "a1:NID_LEFT_CLICK"));
  const RCPtr<LMouseButtonParam> down = Find(u"a1")->GetLastLeftDown();
  EXPECT_FALSE(down);  // dropped with the capture
  EXPECT_FALSE(host.captured);
  Click(15, 162, 4);
  Click(15, 162, 2);
  EXPECT_THAT(Take(), ElementsAre("b1:NID_MOUSE_DOWN", "b1:NID_MOUSE_UP", "b1:NID_RIGHT_CLICK", "b1:NID_MOUSE_DOWN",
                                  "b1:NID_MOUSE_UP", "b1:NID_MIDDLE_CLICK"));
}

TEST_F(RootWindowMouse, ButtonParametersCarryTheLocalPointAndTheButtonsHeld) {
  std::vector<RCPtr<LMouseButtonParam>> seen;
  Listen(Find(u"a2"), "a2", {u"NID_MOUSE_DOWN"});
  Press(75, 15, 1, kShift);
  Press(75, 15, 4);
  Release(75, 15, 4);
  Release(75, 15, 1);
  for (const NotificationLog::Entry& entry : log.GetEntries())
    if (entry.name == "NID_MOUSE_DOWN" || entry.name == "NID_MOUSE_UP")
      seen.push_back(DynamicCast<LMouseButtonParam>(entry.notification->GetPayload()));
  ASSERT_EQ(seen.size(), 6u);  // two recorders hear the downs
  EXPECT_EQ(seen[0]->x, 5);
  EXPECT_EQ(seen[0]->y, 5);
  EXPECT_EQ(seen[0]->modifiers, kShift);
  EXPECT_EQ(seen[0]->heldButtons, 1u);
  EXPECT_EQ(seen[2]->button, 4);
  EXPECT_EQ(seen[2]->heldButtons, 5u);
  EXPECT_EQ(seen[4]->heldButtons, 1u);  // right released, left still held: the capture stays
  EXPECT_EQ(seen[5]->heldButtons, 0u);
  EXPECT_FALSE(Find(u"a2")->IsCapturing());
}

TEST_F(RootWindowMouse, AReleaseOutsideReachesTheCaptureHolderButIsNoClick) {
  Press(15, 12);
  EXPECT_EQ(window->GetCaptureControl(), Find(u"a1").Get());
  EXPECT_TRUE(host.captured);
  Move(150, 200);
  // While a1 holds the capture nothing else is hovered.
  EXPECT_EQ(window->GetHoverControl(), nullptr);
  EXPECT_FALSE(Find(u"b")->IsMouseOver());
  Release(150, 200);
  EXPECT_THAT(Take(), ElementsAre("a1:NID_MOUSE_DOWN", "a1:NID_MOUSE_UP"));
  EXPECT_EQ(window->GetCaptureControl(), nullptr);
  EXPECT_FALSE(host.captured);
  // With the capture over, hover goes to the control under the pointer.
  EXPECT_EQ(window->GetHoverControl(), Find(u"b").Get());
}

TEST_F(RootWindowMouse, AReleaseWithoutCaptureReachesNoControl) {
  host.buttons = 1;
  Release(15, 12);
  EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(RootWindowMouse, ThePressBecomesADragAtTheThreshold) {
  struct Case {
    int32_t threshold;
    int32_t dragMode;
    int32_t moveBy;
    bool dragged;
    bool clicked;
  };
  for (const Case& c : {Case{1, 0, 0, false, true}, Case{1, 0, 1, true, true}, Case{3, 0, 2, false, true},
                        Case{1, 3, 1, true, false}, Case{0, 3, 0, true, false}}) {
    InputControl& a1 = Input(u"a1");
    a1.SetDragThreshold(c.threshold);
    a1.dragModeOnPress = c.dragMode;
    Press(20, 15);
    Move(20 + c.moveBy, 15);
    EXPECT_EQ((a1.GetConditions() & C::kLeftDrag) != 0, c.dragged) << c.threshold << "/" << c.moveBy;
    Release(20 + c.moveBy, 15);
    const std::vector<std::string> deliveries = Take();
    const bool clicked = !deliveries.empty() && deliveries.back() == "a1:NID_LEFT_CLICK";
    EXPECT_EQ(clicked, c.clicked) << c.threshold << "/" << c.dragMode << "/" << c.moveBy;
    a1.SetDragMode(0, 0);
  }
  EXPECT_EQ(Input(u"a1").SetDragThreshold(-1), E_INVALIDARG);
}

TEST_F(RootWindowMouse, ADragCallsTheDragMovesFromThePressPoint) {
  InputControl& a1 = Input(u"a1");
  a1.dragModeOnPress = 3;
  TakeInput();
  Press(20, 15);
  Move(23, 16);
  Move(30, 18);
  Release(30, 18);
  EXPECT_THAT(TakeInput(), ElementsAre("a1:drag start", "a1:drag 13,6", "a1:drag 20,8", "a1:drag end"));
}

TEST_F(RootWindowMouse, ADoubleClickIsReportedOnItsPressAndRelease) {
  std::vector<bool> doubles;
  DoubleClick(15, 12);
  Click(15, 12);
  for (const NotificationLog::Entry& entry : log.GetEntries())
    if (entry.name != "NID_LEFT_CLICK")
      doubles.push_back(DynamicCast<LMouseButtonParam>(entry.notification->GetPayload())->doubleClick);
  EXPECT_THAT(doubles, ElementsAre(false, false, true, true, false, false));
}

TEST_F(RootWindowMouse, EnterLeaveAndHoverFollowThePointer) {
  Listen(Find(u"a1"), "a1", {u"NID_HOVER_CONDITION_CHANGE"});
  Listen(Find(u"a2"), "a2", {u"NID_HOVER_CONDITION_CHANGE"});
  Move(15, 12);
  Move(16, 12);
  Move(75, 12);
  EXPECT_THAT(Take(), ElementsAre("a1:NID_HOVER_CONDITION_CHANGE", "a1:NID_HOVER_CONDITION_CHANGE",
                                  "a2:NID_HOVER_CONDITION_CHANGE"));
  EXPECT_TRUE(Find(u"a2")->GetConditions() & C::kHover);
  EXPECT_FALSE(Find(u"a1")->IsMouseOver());
  // Hiding the hovered control moves the hover without a mouse move.
  Find(u"a2")->SetVisible(false);
  EXPECT_EQ(window->GetHoverControl(), Find(u"a").Get());
  EXPECT_FALSE(Find(u"a2")->IsMouseOver());
}

TEST_F(RootWindowMouse, PressesOnHiddenOrDisabledControlsChangeNothing) {
  Find(u"a")->SetEnabled(false);
  Press(15, 12);
  EXPECT_THAT(Take(), IsEmpty());
  EXPECT_EQ(window->GetCaptureControl(), nullptr);
  EXPECT_FALSE(Find(u"a1")->GetConditions() & C::kLeftDown);
  Release(15, 12);
  // An inactive window takes no input at all.
  Find(u"a")->SetEnabled(true);
  host.active = false;
  Click(15, 12);
  EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(RootWindowMouse, AControlRemovedWhileItHoldsCaptureHoverAndFocusLeavesNoLink) {
  const RCPtr<LControl> a = Find(u"a");
  const RCPtr<LControl> a1 = Find(u"a1");
  Press(15, 12);
  ASSERT_EQ(window->GetCaptureControl(), a1.Get());
  ASSERT_EQ(window->GetFocusControl(), a1.Get());
  ASSERT_EQ(window->GetHoverControl(), a1.Get());
  ASSERT_TRUE(a->ContainsFocus());
  ASSERT_EQ(Find(u"main")->RemoveChildControl(a), S_OK);
  EXPECT_NE(window->GetCaptureControl(), a1.Get());
  EXPECT_NE(window->GetFocusControl(), a1.Get());
  EXPECT_NE(window->GetHoverControl(), a1.Get());
  EXPECT_NE(window->GetPreviousFocusControl(), a1.Get());
  EXPECT_EQ(a1->GetConditions() & (C::kCapture | C::kHasFocus | C::kMouseOver | C::kLeftDown), 0u);
  // The focus moved on to the other panel.
  EXPECT_EQ(window->GetFocusControl(), Find(u"b1").Get());
  EXPECT_FALSE(a->ContainsFocus());
  // Events after the removal, and the idle pass that frees the panel.
  Release(15, 12);
  Move(16, 12);
  Key(kTab);
  Idle();
  EXPECT_EQ(Find(u"main")->GetPendingReleaseCount(), 0u);
}

TEST_F(RootWindowMouse, TheWheelWalksUpToAParentThatHandlesIt) {
  Input(u"a").handlesWheel = true;
  TakeInput();
  Wheel(15, 12, -120);
  EXPECT_THAT(TakeInput(), ElementsAre("a1:wheel 0 at 15,12", "a:wheel 0 at 15,12"));
  // Nobody handles it: every ancestor is asked, then the focus control.
  Input(u"a").handlesWheel = false;
  Click(15, 162);  // b1 takes the focus
  TakeInput();
  Wheel(15, 12, 240);
  EXPECT_THAT(TakeInput(), ElementsAre("a1:wheel 1 at 15,12", "a:wheel 1 at 15,12", "main:wheel 1 at 15,12",
                                       "b1:wheel 1 at 15,12", "b:wheel 1 at 15,12", "main:wheel 1 at 15,12",
                                       "a1:wheel 1 at 15,12", "a:wheel 1 at 15,12", "main:wheel 1 at 15,12",
                                       "b1:wheel 1 at 15,12", "b:wheel 1 at 15,12", "main:wheel 1 at 15,12"));
}

TEST_F(RootWindowMouse, PastAControlOutsideItsParentTheWheelGoesToWhatLiesBelow) {
  Input(u"a3").handlesWheel = true;
  TakeInput();
  Wheel(20, 95, -120);
  EXPECT_THAT(TakeInput(), ElementsAre("free:wheel 0 at 20,95", "a3:wheel 0 at 20,95"));
}

TEST_F(RootWindowMouse, AControlsCursorShowsWhileThePointerIsOverIt) {
  constexpr CursorHandle kHand = 7;
  Find(u"a2")->SetCursor(kHand);
  Move(75, 12);
  EXPECT_EQ(host.cursor, kHand);
  Move(150, 50);
  EXPECT_EQ(host.cursor, FakeWindowHost::kArrow);
  // Held by a capture the cursor stays until the capture ends outside.
  Press(75, 12);
  Move(150, 50);
  EXPECT_EQ(host.cursor, kHand);
  Release(150, 50);
  EXPECT_EQ(host.cursor, FakeWindowHost::kArrow);
}

}  // namespace
}  // namespace HV::Test
