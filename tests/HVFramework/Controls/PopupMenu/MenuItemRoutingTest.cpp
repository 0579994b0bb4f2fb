// What a pop-up menu does with its menu besides showing it: shortcut texts,
// item states asked of a control, the notifications of a chosen item, the
// submenu hover delay and where a submenu opens.
#include "HVFramework/Controls/PopupMenu/MenuItemRouting.h"

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/ControlBase/Skin/Menu/LMenuActivationParam.h"
#include "HVFramework/Notification/LNotification.h"
#include "tests/support/NotificationRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

std::string Text(const StringW& text) { return text.ToCharString().GetText(); }

// File: Send (NID_SEND), separator, Recent > (Open (NID_OPEN)), Exit (NID_EXIT).
RCPtr<LMenuDescriptor> FileMenu() {
  const RCPtr<LMenuDescriptor> menu = LMenuDescriptor::Create();
  menu->InsertNewItem(0, StringW(u"Send"), StringW(u"NID_SEND"), true, false);
  menu->InsertSeparator(1);
  const RCPtr<LMenuItemDescriptor> recent = LMenuItemDescriptor::Create(StringW(u"Recent"), StringW(), true, false);
  recent->InsertNewItem(0, StringW(u"Open"), StringW(u"NID_OPEN"), true, false);
  menu->InsertItem(2, recent);
  menu->InsertNewItem(3, StringW(u"Exit"), StringW(u"NID_EXIT"), true, false);
  return menu;
}

TEST(MenuHotKeyTexts, FirstTableThatBindsTheCommandWinsAndSubmenusAreFilled) {
  HotKeyMap local, window;
  ASSERT_EQ(local.Bind(KeyCode::Parse(StringW(u"Ctrl+VKEY_RETURN")), StringW(u"NID_SEND")), S_OK);
  ASSERT_EQ(window.Bind(KeyCode::Parse(StringW(u"Alt+VKEY_F4")), StringW(u"NID_SEND")), S_OK);
  ASSERT_EQ(window.Bind(KeyCode::Parse(StringW(u"Ctrl+VKEY_HOME")), StringW(u"NID_OPEN")), S_OK);
  const RCPtr<LMenuDescriptor> menu = FileMenu();
  menu->GetItem(3)->hotKeyText = StringW(u"kept");

  AssignMenuHotKeyTexts(*menu, {nullptr, &local, &window});

  EXPECT_EQ(menu->GetItem(0)->hotKeyText, KeyCode::ToDisplayText(KeyCode::Parse(StringW(u"Ctrl+VKEY_RETURN"))));
  EXPECT_TRUE(menu->GetItem(1)->hotKeyText.IsEmpty());
  EXPECT_EQ(menu->GetItem(2)->GetItem(0)->hotKeyText,
            KeyCode::ToDisplayText(KeyCode::Parse(StringW(u"Ctrl+VKEY_HOME"))));
  EXPECT_EQ(Text(menu->GetItem(3)->hotKeyText), "kept");
  EXPECT_FALSE(menu->GetItem(0)->hotKeyText.IsEmpty());
}

// A control that disables "NID_EXIT", checks "NID_SEND" and renames it, and
// writes down what it was asked.
class StateControl : public LControl {
 public:
  StateControl() : LControl(nullptr, StringW(u"states")) {}
  HResult UpdateMenuItem(const RCPtr<LMenuDescriptor>& /*menu*/, int32_t index, const StringW& commandId,
                         LMenuItemState& state) override {
    asked.push_back(std::to_string(index) + ":" + Text(commandId));
    if (commandId == StringW(u"NID_EXIT")) state.enabled = false;
    if (commandId == StringW(u"NID_SEND")) {
      state.checked = true;
      state.label = StringW(u"Send now");
    }
    return S_OK;
  }
  std::vector<std::string> asked;
};

TEST(MenuItemStates, PlainItemsAreAskedLastFirstAndApplied) {
  const RCPtr<StateControl> control(new StateControl());
  const RCPtr<LMenuDescriptor> menu = FileMenu();
  std::vector<uint32_t> applied;
  std::vector<bool> labelMoves;
  CollectMenuItemStates(menu, control->GetMenuItemUpdater().Get(), [&](uint32_t index, const LMenuItemState& state) {
    applied.push_back(index);
    bool labelChanged = false;
    ApplyMenuItemState(*menu->GetItem(index), state, labelChanged);
    labelMoves.push_back(labelChanged);
  });

  EXPECT_EQ(control->asked, (std::vector<std::string>{"3:NID_EXIT", "0:NID_SEND"}));
  EXPECT_EQ(applied, (std::vector<uint32_t>{3, 0}));
  EXPECT_EQ(labelMoves, (std::vector<bool>{false, true}));
  EXPECT_FALSE(menu->GetItem(3)->enabled);
  EXPECT_TRUE(menu->GetItem(0)->checked);
  EXPECT_EQ(Text(menu->GetItem(0)->label), "Send now");
}

TEST(MenuItemStates, AnUpdaterOutlivingItsControlChangesNothing) {
  RCPtr<StateControl> control(new StateControl());
  const RCPtr<LMenuItemUpdater> updater = control->GetMenuItemUpdater();
  EXPECT_EQ(updater, control->GetMenuItemUpdater());
  control = nullptr;
  EXPECT_EQ(updater->GetControl(), nullptr);

  const RCPtr<LMenuDescriptor> menu = FileMenu();
  int changed = 0;
  CollectMenuItemStates(menu, updater.Get(), [&](uint32_t index, const LMenuItemState& state) {
    bool labelChanged = false;
    if (ApplyMenuItemState(*menu->GetItem(index), state, labelChanged) == S_OK) ++changed;
  });
  EXPECT_EQ(changed, 0);
}

TEST(MenuItemStates, SeparatorsKeepEnabledAndSubmenuItemsKeepChecked) {
  const RCPtr<LMenuDescriptor> menu = FileMenu();
  bool labelChanged = false;
  LMenuItemDescriptor& separator = *menu->GetItem(1);
  EXPECT_EQ(ApplyMenuItemState(separator, {false, true, StringW()}, labelChanged), S_OK);
  EXPECT_TRUE(separator.enabled);
  EXPECT_FALSE(separator.checked);

  LMenuItemDescriptor& recent = *menu->GetItem(2);
  EXPECT_EQ(ApplyMenuItemState(recent, {false, true, StringW(u"Recent")}, labelChanged), S_OK);
  EXPECT_FALSE(recent.enabled);
  EXPECT_FALSE(recent.checked);
  EXPECT_FALSE(labelChanged);
  EXPECT_EQ(ApplyMenuItemState(recent, {false, false, StringW(u"Recent")}, labelChanged), S_FALSE);
}

// A distributor standing for the menu control, and an owner that records.
class Sender : public LNotificationDistributor {};

TEST(MenuCommand, ItemActivatedFirstThenTheCommandWithMenuAndIndex) {
  NotificationLog log;
  const RCPtr<Sender> menuControl(new Sender());
  const RCPtr<NotificationRecorder> listener = NotificationRecorder::Create("menu", log);
  listener->RegisterNotification(RCPtr<LNotificationDistributor>(menuControl.Get()), u"NID_ITEM_ACTIVATED");
  const RCPtr<NotificationRecorder> owner = NotificationRecorder::Create("owner", log);
  const RCPtr<LMenuDescriptor> menu = FileMenu();

  SendMenuCommand(*menuControl, owner.Get(), menu, 3);

  EXPECT_EQ(log.Deliveries(), (std::vector<std::string>{"menu:NID_ITEM_ACTIVATED", "owner:NID_EXIT"}));
  const auto* param = dynamic_cast<const LMenuActivationParam*>(log.GetEntries()[1].notification->GetPayload().Get());
  ASSERT_NE(param, nullptr);
  EXPECT_EQ(param->menu, menu);
  EXPECT_EQ(param->index, 3);

  // No owner: nothing at all; no current row: no command.
  log.Clear();
  SendMenuCommand(*menuControl, nullptr, menu, 0);
  SendMenuCommand(*menuControl, owner.Get(), menu, -1);
  EXPECT_EQ(log.Deliveries(), (std::vector<std::string>{"menu:NID_ITEM_ACTIVATED"}));
  listener->UnregisterAllNotifications();
}

TEST(MenuHoverDelay, DueOnlyAfterMoreThan250MillisecondsAcrossTheClockWrap) {
  MenuHoverDelay delay;
  const uint32_t start = 0xFFFFFF00u;
  EXPECT_TRUE(delay.Start(start));
  EXPECT_FALSE(delay.IsDue(start + 250));
  EXPECT_TRUE(delay.IsDue(start + 251));
  // Starting again while running moves the start and asks for no more ticks.
  EXPECT_FALSE(delay.Start(start + 200));
  EXPECT_FALSE(delay.IsDue(start + 450));
  EXPECT_TRUE(delay.IsDue(start + 451));
  EXPECT_TRUE(delay.Stop());
  EXPECT_FALSE(delay.IsDue(start + 1000));
  EXPECT_FALSE(delay.Stop());
}

struct PlacementCase {
  const char* name;
  SubmenuPlacement place;
  int32_t x;
  int32_t y;
};

class SubmenuPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(SubmenuPlacementTest, OpensWhereItFits) {
  int32_t x = 0, y = 0;
  PlaceSubmenu(GetParam().place, x, y);
  EXPECT_EQ(x, GetParam().x);
  EXPECT_EQ(y, GetParam().y);
}

// Rows 100 wide at 20 px each; the root window 400 x 300.
const PlacementCase kPlacements[] = {
    {"RightOfTheRow", {100, 20, 50, 50, 400, 300, 120, 80}, 100, 20},
    {"LeftWhenTheRightEdgeIsPassed", {100, 20, 250, 50, 400, 300, 120, 80}, -120, 20},
    {"BackRightWhenLeftPassesZero", {100, 20, 60, 50, 400, 300, 300, 80}, 100, 20},
    {"UpToMeetTheBottom", {100, 200, 50, 50, 400, 300, 120, 80}, 100, 170},
    {"NotAboveTheWindow", {100, 200, 50, 50, 400, 300, 120, 400}, 100, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, SubmenuPlacementTest, ::testing::ValuesIn(kPlacements),
                         [](const ::testing::TestParamInfo<PlacementCase>& test) { return test.param.name; });

TEST(ClampSpanInto, FarEndMeetsTheExtentAndNothingStartsBeforeZero) {
  EXPECT_EQ(ClampSpanInto(10, 50, 100), 10);
  EXPECT_EQ(ClampSpanInto(80, 50, 100), 50);
  EXPECT_EQ(ClampSpanInto(80, 150, 100), 0);
  EXPECT_EQ(ClampSpanInto(-5, 10, 100), 0);
}

}  // namespace
}  // namespace HV::Test
