// Keys and focus through the root window: Tab through panels, local hot keys
// of siblings, the window's and the application's hot keys, key-ups, focus
// refusals, and idle ticks.
#include "tests/HVFramework/ControlBase/Window/RootWindowSkins.h"
#include "tests/support/RootWindowFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RootWindowKeys : public RootWindowFixture {
 protected:
  void SetUp() override {
    LoadStrings({{"App|main", "GHK.NID_EDIT_DELETE_REQ", "VKEY_DELETE"},
                 {"App|main", "GHK.NID_WINDOW_F3", "VKEY_F3"},
                 {"Test.Input|a2", "LHK.NID_A2_F3", "VKEY_F3"}});
    ASSERT_TRUE(Open(kPanelsSkin, u"main"));
    Listen(window, "window", {u"NID_EDIT_DELETE_REQ", u"NID_WINDOW_F3"});
    Listen(appCenter, "app", {u"NID_APP_EXIT_REQ"});
    Listen(Find(u"a2"), "a2", {u"NID_A2_F3"});
  }
};

TEST_F(RootWindowKeys, TheRootControlGivesTheFocusToItsFirstFocusableControl) {
  EXPECT_EQ(Focused(), "a1");
  EXPECT_TRUE(Find(u"a")->ContainsFocus());
  EXPECT_TRUE(Find(u"main")->ContainsFocus());
  EXPECT_FALSE(Find(u"main")->HasFocus());
  // A container whose children can take the focus never takes it itself.
  EXPECT_EQ(Find(u"b")->SetFocus(true), S_OK);
  EXPECT_EQ(Focused(), "b1");
  EXPECT_FALSE(Find(u"a")->ContainsFocus());
  EXPECT_EQ(Find(u"a")->SetFocus(false), S_OK);
  EXPECT_EQ(Focused(), "a2");
}

TEST_F(RootWindowKeys, TabAndShiftTabMoveThroughThePanelsAndWrapInTheWindow) {
  EXPECT_THAT(TabThrough(0, 4), ElementsAre("a1", "a2", "b1", "a1", "a2"));
  EXPECT_THAT(TabThrough(kShift, 4), ElementsAre("a2", "a1", "b1", "a2", "a1"));
}

TEST_F(RootWindowKeys, CtrlTabLeavesTheInnermostPanel) {
  EXPECT_THAT(TabThrough(kCtrl, 2), ElementsAre("a1", "b1", "a1"));
  EXPECT_THAT(TabThrough(kCtrl | kShift, 1), ElementsAre("a1", "b1"));
}

TEST_F(RootWindowKeys, TabDoesNothingInAModalWindowAtTheEndOfTheOrder) {
  Find(u"b1")->SetFocus(true);
  host.modal = true;
  Key(kTab);
  EXPECT_EQ(Focused(), "b1");
}

TEST_F(RootWindowKeys, WithSeveralWindowsTabAtTheEndMovesToTheNextWindow) {
  const OtherApplicationWindow other;
  Find(u"b1")->SetFocus(true);
  Key(kTab);
  EXPECT_EQ(other.host.focusRequests, 1);
  EXPECT_EQ(host.focusRequests, 0);
  Find(u"a1")->SetFocus(true);
  Key(kTab, kShift);  // backwards from the first window wraps to the last
  EXPECT_EQ(other.host.focusRequests, 2);
}

TEST_F(RootWindowKeys, AFocusOwnerThatRefusesKeepsTheFocus) {
  Input(u"a1").keepsFocus = true;
  EXPECT_EQ(Find(u"b1")->SetFocus(true), E_FAIL);
  Key(kTab);
  EXPECT_EQ(Focused(), "a1");
  Click(15, 162);
  EXPECT_EQ(Focused(), "a1");
  Input(u"a1").keepsFocus = false;
  Click(15, 162);
  EXPECT_EQ(Focused(), "b1");
}

TEST_F(RootWindowKeys, HidingOrDisablingTheFocusedControlMovesTheFocusOn) {
  Find(u"a1")->SetVisible(false);
  EXPECT_EQ(Focused(), "a2");
  Find(u"a")->SetEnabled(false);
  EXPECT_EQ(Focused(), "b1");
  // With nothing focusable left inside it, the panel takes the focus itself.
  Find(u"b1")->SetNotFocusable(true);
  EXPECT_FALSE(Find(u"b1")->HasFocus());
  EXPECT_EQ(Focused(), "b");
  EXPECT_FALSE(Find(u"b")->ContainsFocus());
  Key(kDelete);
  Idle();
  EXPECT_THAT(Take(), ElementsAre("window:NID_EDIT_DELETE_REQ"));
}

TEST_F(RootWindowKeys, AFocusOwnerOrContainerShrunkToNothingHandsTheFocusToItsParent) {
  struct Case {
    const char16_t* shrunk;
    LControl::Rect rect;
    const char16_t* focusAfter;
  };
  const Case cases[] = {
      {u"a1", {10, 10, 0, 20}, u"a2"},  // the parent gives it to the next child
      {u"a1", {10, 10, 50, 0}, u"a2"},
      {u"a", {0, 0, 200, 0}, u"b1"},  // a container holding the focus
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(StringW(c.shrunk)));
    ASSERT_EQ(Find(u"a1")->SetFocus(true), S_OK);
    const LControl::Rect before = Find(c.shrunk)->GetRect();
    Find(c.shrunk)->SetRect(c.rect);
    const std::string owner = Narrow(StringW(c.focusAfter));
    EXPECT_EQ(Focused(), owner);
    // Keys reach the new owner at once.
    Input(c.focusAfter).handledKeys.insert(0x41);
    Key(0x41);
    EXPECT_THAT(TakeInput(), Contains(owner + ":key 65"));
    Find(c.shrunk)->SetRect(before);
  }
}

TEST_F(RootWindowKeys, AHiddenFocusOwnerWithNowhereToGoLeavesNoContainingAncestor) {
  // a1 keeps the focus it had while everything around it stops being focusable.
  ASSERT_EQ(Focused(), "a1");
  for (const char16_t* name : {u"a2", u"b1", u"a", u"b", u"main"}) Find(name)->SetNotFocusable(true);
  ASSERT_EQ(Focused(), "a1");
  Find(u"a1")->SetVisible(false);
  EXPECT_EQ(Focused(), "none");
  for (const char16_t* name : {u"a1", u"a", u"main"}) EXPECT_FALSE(Find(name)->ContainsFocus() || Find(name)->HasFocus());
  // The focus can come back later through the normal path.
  for (const char16_t* name : {u"main", u"b", u"b1"}) Find(name)->SetNotFocusable(false);
  EXPECT_EQ(Find(u"b1")->SetFocus(true), S_OK);
  EXPECT_TRUE(Find(u"main")->ContainsFocus());
}

TEST_F(RootWindowKeys, ASiblingsLocalHotKeyComesBeforeTheWindowsHotKey) {
  Key(0x72);  // F3 at a1: its sibling a2 binds it
  EXPECT_THAT(Take(), ElementsAre("a2:NID_A2_F3"));
  Idle();
  EXPECT_THAT(Take(), IsEmpty());
  // A disabled sibling's hot key does not fire: the window's does, at idle.
  Find(u"a2")->SetEnabled(false);
  Key(0x72);
  EXPECT_THAT(Take(), IsEmpty());
  Idle();
  EXPECT_THAT(Take(), ElementsAre("window:NID_WINDOW_F3"));
}

TEST_F(RootWindowKeys, ALocalHotKeyMovesWithItsControl) {
  const RCPtr<LControl> a2 = Find(u"a2");
  ASSERT_EQ(a2->SetParent(Find(u"b").Get()), S_OK);
  Key(0x72);  // F3 at a1: a2 is no longer its sibling
  EXPECT_THAT(Take(), IsEmpty());
  Find(u"b1")->SetFocus(true);
  Key(0x72);
  EXPECT_THAT(Take(), ElementsAre("a2:NID_A2_F3"));
}

TEST_F(RootWindowKeys, TheWindowsHotKeyIsPostedAndArrivesAtTheNextIdlePass) {
  Key(kDelete);
  EXPECT_THAT(Take(), IsEmpty());
  Idle();
  const std::vector<NotificationLog::Entry> entries = log.GetEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "NID_EDIT_DELETE_REQ");
  const RCPtr<LKeyParam> key = DynamicCast<LKeyParam>(entries[0].notification->GetPayload());
  ASSERT_TRUE(key);
  EXPECT_EQ(key->GetKey().code, KeyDownCode(kDelete).code);
  // A key-up of the same key raises nothing.
  log.Clear();
  KeyUp(kDelete);
  Idle();
  EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(RootWindowKeys, AltF4RequestsTheExitOnlyAfterIdle) {
  Key(18, kAlt);  // the Alt key itself: generic virtual key 18
  Key(kF4, kAlt);
  EXPECT_THAT(Take(), IsEmpty());
  Idle();
  EXPECT_THAT(Take(), ElementsAre("app:NID_APP_EXIT_REQ"));
}

TEST_F(RootWindowKeys, ANewRootControlBringsItsOwnHotKeysOnly) {
  const RCPtr<LControl> plain = factory.CreateControl(TopLevel(u"main"), nullptr);
  window->SetRootControl(RCPtr<LControl>(new InputControl(nullptr, StringW(u"bare"))));
  Key(kDelete);
  Key(kF4, kAlt);
  Idle();
  EXPECT_THAT(Take(), ElementsAre("app:NID_APP_EXIT_REQ"));
  // The same root control set again reloads its table.
  window->SetRootControl(plain);
  window->SetRootControl(plain);
  Key(kDelete);
  Idle();
  EXPECT_THAT(Take(), ElementsAre("window:NID_EDIT_DELETE_REQ"));
}

TEST_F(RootWindowKeys, KeyUpsReachTheFocusedControlWithFlagOne) {
  Input(u"a1").handledKeys = {0x26, 16};
  TakeInput();
  Key(16, kShift);  // Shift: generic virtual key 16
  Key(0x26);
  Key(0x26, 0, true);
  KeyUp(0x26);
  EXPECT_THAT(TakeInput(), ElementsAre("a1:key 16", "a1:key 38", "a1:key 38 up/repeat", "a1:key 38 up/repeat"));
}

TEST_F(RootWindowKeys, TypedCharactersAreNoVirtualKeys) {
  Input(u"a1").takesCharacters = true;
  Input(u"a1").handledKeys = {'X'};
  TakeInput();
  Char('x');
  Key('X');
  EXPECT_THAT(TakeInput(), ElementsAre("a1:char x", "a1:key 88"));
}

TEST_F(RootWindowKeys, QueuedKeysAreHandledAtTheIdlePass) {
  Input(u"a1").handledKeys = {0x26};
  TakeInput();
  window->QueueKey(LKeyParam::Create(KeyDownCode(0x26)));
  EXPECT_THAT(TakeInput(), IsEmpty());
  Idle();
  EXPECT_THAT(TakeInput(), ElementsAre("a1:key 38"));
}

TEST_F(RootWindowKeys, IdleTicksReachControlsThatAskForThem) {
  InputControl& a2 = Input(u"a2");
  TakeInput();
  a2.StartIdleNotifications();
  a2.StartIdleNotifications();
  Idle();
  a2.StopIdleNotifications();
  Idle();
  a2.StopIdleNotifications();
  Idle();
  EXPECT_THAT(TakeInput(), ElementsAre("a2:idle", "a2:idle"));
  // Requests made outside a window register when the control joins one.
  const RCPtr<LControl> loose(new InputControl(nullptr, StringW(u"loose")));
  loose->StartIdleNotifications();
  Idle();
  EXPECT_THAT(TakeInput(), IsEmpty());
  loose->SetParent(Find(u"b").Get());
  Idle();
  EXPECT_THAT(TakeInput(), ElementsAre("loose:idle"));
  // Removed, it ticks no more; its parent ticks once to release it.
  Find(u"b")->RemoveChildControl(loose);
  Idle();
  Idle();
  EXPECT_THAT(TakeInput(), ElementsAre("b:idle"));
}

TEST_F(RootWindowKeys, TheWindowsFocusComesBackToTheControlThatHadIt) {
  Find(u"a2")->SetFocus(true);
  window->OnWindowFocusLost();
  EXPECT_EQ(Focused(), "none");
  EXPECT_FALSE(Find(u"main")->ContainsFocus());
  window->RestoreFocus();
  EXPECT_EQ(Focused(), "a2");
}

}  // namespace
}  // namespace HV::Test
