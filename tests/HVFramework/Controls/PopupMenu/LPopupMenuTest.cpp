// The pop-up menu: a context menu opened by a right click at the mouse, its
// rows with their shortcut texts, a chosen row's notifications, submenus
// opened and closed after the hover delay, its keys and its sizes.
#include "HVFramework/Controls/PopupMenu/LPopupMenu.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/IStatusTextService.h"
#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/ControlBase/Skin/Menu/LMenuActivationParam.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"
#include "tests/support/FakeMeasurer.h"
#include "tests/support/RecordingRenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

constexpr uint32_t kLeft = 0x25, kRight = 0x27, kEscape = 0x1B;

std::string Text(const StringW& text) { return text.ToCharString().GetText(); }

std::string PopupSkin() {
  return ControlWindowFixture::SolidLooks("Row", 14) + ControlWindowFixture::SolidLooks("Box", 9) + R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.Input" Name="owner" XPositionAbs="10" YPositionAbs="10" XSizeAbs="100" YSizeAbs="20" TabStop="1"/>
    <SubControl Class="Test.StateOwner" Name="states" XPositionAbs="10" YPositionAbs="40" XSizeAbs="100" YSizeAbs="20" TabStop="3"/>
    <SubControl Class="Test.Input" Name="corner" XPositionAbs="340" YPositionAbs="280" XSizeAbs="60" YSizeAbs="20" TabStop="2"/>
  </SubControl>
  <SubControl Class="Framework.PopupMenu" Name="contextMenu" XSizeAbs="100" YSizeAbs="100" TabStop="1">
    <SubControl Class="Framework.MenuItem" Name="templateItem" XPositionAbs="0" YPositionAbs="0" XSizeToControl="Client" XSizeRel="1" XSizeAbs="0" YSizeAbs="20">
      <Skin Name="R" LookList="Row"/>
      <CreateParamList><CreateParam ID="SEPARATOR_HEIGHT">6</CreateParam></CreateParamList>
      <SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="2" YPositionAbs="2" XSizeAbs="16" YSizeAbs="16"><Skin Name="B" LookList="Box"/></SubControl>
      <SubControl Class="Framework.Label" Name="hotKeyLabel" XPlacementAnchor="1" XPositionRel="1" XPositionAbs="-2" YPositionAbs="0" XSizeAbs="20" YSizeAbs="20"/>
    </SubControl>
  </SubControl>
</Skin></Skins>)";
}

// A control that answers its menus' item states: "Exit" disabled, the
// window command checked and renamed.
class StateOwner : public LControl {
 public:
  using LControl::LControl;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<StateOwner>(result, parent, descriptor);
  }
  HResult UpdateMenuItem(const RCPtr<LMenuDescriptor>& /*menu*/, int32_t index, const StringW& commandId,
                         LMenuItemState& state) override {
    asked.push_back(std::to_string(index) + ":" + Text(commandId));
    if (commandId == StringW(u"NID_APP_EXIT_REQ")) state.enabled = false;
    if (commandId == StringW(u"NID_WINDOW_CMD")) {
      state.checked = true;
      state.label = StringW(u"Window command, checked");
    }
    return S_OK;
  }
  std::vector<std::string> asked;
};

class PopupMenuFixture : public ControlWindowFixture {
 protected:
  PopupMenuFixture() {
    EXPECT_EQ(LPopupMenu::Register(factory), S_OK);
    EXPECT_EQ(LLabel::Register(factory), S_OK);
    factory.RegisterControlCreateFunction(StringW(u"Test.StateOwner"), &StateOwner::Create);
    LoadStrings({{"App|main", "GHK.NID_WINDOW_CMD", "VKEY_F3"}});
    Open(PopupSkin(), u"main");
    Owner().SetContextMenu(CommandMenu());
    Find(u"corner")->SetContextMenu(CommandMenu());
    Find(u"states")->SetContextMenu(CommandMenu());
  }
  LControl& Owner() const { return *Find(u"owner"); }
  LPopupMenu* Popup() const { return dynamic_cast<LPopupMenu*>(Owner().FindChildControl(StringW(u"contextMenu")).Get()); }

  // Window command (F3), Exit, separator, More > (Delete).
  static RCPtr<LMenuDescriptor> CommandMenu() {
    return BuildMenuFromEntries({{StringW(u"00.NID_WINDOW_CMD"), StringW(u"Window command|Runs the window's command")},
                                 {StringW(u"01.NID_APP_EXIT_REQ"), StringW(u"Exit")},
                                 {StringW(u"02.-"), StringW(u"-")},
                                 {StringW(u"03.More."), StringW(u"More")},
                                 {StringW(u"More.00.NID_EDIT_DELETE_REQ"), StringW(u"Delete")}});
  }
  LPopupMenu& OpenContextMenu(int32_t x = 30, int32_t y = 15) {
    Click(x, y, 4);
    LPopupMenu* popup = Popup();
    if (!popup) throw std::runtime_error("no context menu");
    return *popup;
  }
  // The middle of the row showing item index.
  LRootWindow::Point RowMiddle(const LPopupMenu& menu, int32_t index) {
    const LControl& row = *menu.GetItemControl(menu.GetItemControlSlot(index));
    const LControl::Point origin = row.GetOriginInRoot();
    return {static_cast<int32_t>(origin.x + row.GetRect().width / 2),
            static_cast<int32_t>(origin.y + row.GetRect().height / 2)};
  }
  void MoveOntoRow(const LPopupMenu& menu, int32_t index) {
    const LRootWindow::Point at = RowMiddle(menu, index);
    Move(at.x, at.y);
  }
  void AdvanceAndIdle(uint32_t milliseconds) {
    Advance(milliseconds);
    Idle();
  }
};

TEST_F(PopupMenuFixture, ARightClickOpensTheMenuAtTheMouseWithShortcutTexts) {
  LPopupMenu& menu = OpenContextMenu(30, 15);
  EXPECT_TRUE(menu.IsVisible());
  EXPECT_EQ(menu.GetOriginInRoot().x, 30);
  EXPECT_EQ(menu.GetOriginInRoot().y, 15);
  EXPECT_EQ(menu.GetItemCount(), 4);
  EXPECT_EQ(Text(menu.GetMenu()->GetItem(0)->hotKeyText), Text(KeyCode::ToDisplayText(KeyCode::Parse(StringW(u"VKEY_F3")))));
  EXPECT_NE(menu.GetMenu(), Owner().GetContextMenu()) << "the menu shows a copy";
  EXPECT_FALSE(menu.IsItemSelectable(2));
}

TEST_F(PopupMenuFixture, TheControlAMenuOpensOnAnswersItsItemStatesOnACopy) {
  auto& owner = dynamic_cast<StateOwner&>(*Find(u"states"));
  Click(30, 45, 4);
  auto* popup = dynamic_cast<LPopupMenu*>(owner.FindChildControl(StringW(u"contextMenu")).Get());
  ASSERT_NE(popup, nullptr);
  // Plain items only, from the last to the first.
  EXPECT_EQ(owner.asked, (std::vector<std::string>{"1:NID_APP_EXIT_REQ", "0:NID_WINDOW_CMD"}));
  const RCPtr<LMenuDescriptor> shown = popup->GetMenu();
  EXPECT_FALSE(shown->GetItem(1)->enabled);
  EXPECT_FALSE(popup->IsItemSelectable(1));
  EXPECT_TRUE(shown->GetItem(0)->checked);
  EXPECT_TRUE(popup->IsItemChecked(0));
  EXPECT_EQ(Text(popup->GetItemText(0)), "Window command, checked");
  // The control's own menu keeps its states.
  EXPECT_TRUE(owner.GetContextMenu()->GetItem(1)->enabled);
  EXPECT_EQ(Text(owner.GetContextMenu()->GetItem(0)->label), "Window command");
}

// The status line, written down.
class StatusLine : public IStatusTextService {
 public:
  HResult SetStatusText(const StringW& text, bool /*shouldPost*/) override {
    log.push_back("set " + Text(text));
    return S_OK;
  }
  HResult RestoreStatusText(bool /*shouldPost*/) override {
    log.push_back("restore");
    return S_OK;
  }
  std::vector<std::string> log;
};

TEST_F(PopupMenuFixture, AHoveredRowShowsItsHelpTextInTheStatusLine) {
  StatusLine status;
  SetApplicationStatusText(&status);
  LPopupMenu& menu = OpenContextMenu();
  const RCPtr<LControl> held(&menu);
  MoveOntoRow(menu, 0);
  MoveOntoRow(menu, 1);
  SetApplicationStatusText(nullptr);
  EXPECT_EQ(status.log, (std::vector<std::string>{"set Runs the window's command", "restore"}));
}

// Each row is measured with the font of the control that shows it.
TEST_F(PopupMenuFixture, ARowIsMeasuredWithItsOwnFont) {
  const RCPtr<FakeMeasurer> measurer = FakeMeasurer::Create();
  measurer->isWidthTheFontSize = true;
  SetApplicationRenderer(measurer);
  LPopupMenu& menu = OpenContextMenu();
  const RCPtr<LControl> held(&menu);
  LControl& exitRow = *menu.GetItemControl(menu.GetItemControlSlot(1));
  const RCPtr<LFont> small = LFont::FindOrCreate(StringW(u"Sans"), 10, 0);
  const RCPtr<LFont> large = LFont::FindOrCreate(StringW(u"Sans"), 30, 0);
  menu.GetItemControl(menu.GetItemControlSlot(0))->ApplyFont(small);
  exitRow.ApplyFont(small);
  const int32_t withSmall = menu.MeasureItemWidth(1);
  exitRow.ApplyFont(large);
  const int32_t withLarge = menu.MeasureItemWidth(1);
  SetApplicationRenderer(nullptr);
  EXPECT_EQ(withLarge - withSmall, 4 * (30 - 10));  // "Exit"
}

TEST_F(PopupMenuFixture, NearTheCornerTheMenuStaysInsideTheWindow) {
  Click(395, 295, 4);
  auto* popup = dynamic_cast<LPopupMenu*>(Find(u"corner")->FindChildControl(StringW(u"contextMenu")).Get());
  ASSERT_NE(popup, nullptr);
  LPopupMenu& menu = *popup;
  const LControl::Rect& rect = menu.GetRect();
  EXPECT_EQ(menu.GetOriginInRoot().x + rect.width, 400);
  EXPECT_EQ(menu.GetOriginInRoot().y + rect.height, 300);
}

TEST_F(PopupMenuFixture, AChosenRowSendsItemActivatedThenTheCommandWhichReachesTheWindowAfterIdle) {
  LPopupMenu& menu = OpenContextMenu();
  const RCPtr<LControl> held(&menu);
  Listen(window, "window", {u"NID_WINDOW_CMD"});
  Listen(RCPtr<LNotificationDistributor>(&menu), "menu", {u"NID_ITEM_ACTIVATED"});
  const LRootWindow::Point at = RowMiddle(menu, 0);
  Click(at.x, at.y);
  EXPECT_EQ(Take(), (std::vector<std::string>{"menu:NID_ITEM_ACTIVATED"}));
  EXPECT_EQ(Popup(), nullptr) << "a chosen command closes the context menu";
  Idle();
  EXPECT_EQ(Take(), (std::vector<std::string>{"window:NID_WINDOW_CMD"}));
}

// The shortcut text at the right end of a row is part of the row: a click
// there chooses the row as a click on its label does.
// The shortcut text is part of its row: a click on it chooses the row as a
// click on the row's label does.
TEST_F(PopupMenuFixture, AClickOnARowsShortcutTextRunsItsCommand) {
  LPopupMenu& menu = OpenContextMenu();
  const RCPtr<LControl> held(&menu);
  Listen(window, "window", {u"NID_WINDOW_CMD"});
  const LControl& row = *menu.GetItemControl(menu.GetItemControlSlot(0));
  const RCPtr<LControl> shortcut = row.FindChildControl(StringW(u"hotKeyLabel"));
  ASSERT_TRUE(shortcut);
  const LControl::Point at = shortcut->GetOriginInRoot();
  ASSERT_LE(at.x + shortcut->GetRect().width, row.GetOriginInRoot().x + row.GetRect().width);
  Click(static_cast<int32_t>(at.x + shortcut->GetRect().width / 2),
        static_cast<int32_t>(at.y + shortcut->GetRect().height / 2));
  EXPECT_EQ(Popup(), nullptr) << "the chosen command closes the menu";
  Idle();
  EXPECT_EQ(Take(), (std::vector<std::string>{"window:NID_WINDOW_CMD"}));
}

// The menu of "states": Window command (checked), Exit (disabled), a
// separator, More. A separator is a thin rule: its row is the skin's
// separator height, and the menu counts it so; only the checked row draws
// its check box.
TEST_F(PopupMenuFixture, ASeparatorIsAThinRowAndOnlyACheckedRowDrawsACheckBox) {
  Click(30, 45, 4);
  auto* popup = dynamic_cast<LPopupMenu*>(Find(u"states")->FindChildControl(StringW(u"contextMenu")).Get());
  ASSERT_NE(popup, nullptr);
  LPopupMenu& menu = *popup;
  const RCPtr<LControl> held(&menu);
  EXPECT_EQ(menu.GetItemRect(2).height, 6);
  EXPECT_EQ(menu.GetItemRect(3).y, menu.GetItemRect(2).y + 6) << "the row after the separator follows it";
  EXPECT_EQ(menu.GetItemsHeight(), 3 * 20 + 6);
  EXPECT_EQ(menu.GetClientOffsets(-1).height, 3 * 20 + 6);

  // Each row drawn alone: does it fill its 16-pixel check box?
  const RCPtr<RecordingRenderer> recorder = RecordingRenderer::Create();
  const RCPtr<RecordingRenderContext> context = RecordingRenderContext::Create({0, 0, 400, 300});
  recorder->RenderStart(context);
  LRectRegion everything;
  everything.AddRect({0, 0, 400, 300});
  std::vector<bool> drawsCheckBox;
  for (int32_t i = 0; i < menu.GetItemCount(); ++i) {
    RCPtrArray<LControl> deferred;
    menu.GetItemControl(menu.GetItemControlSlot(i))->Draw(recorder, everything, deferred, false);
    bool box = false;
    for (const std::string& call : recorder->TakeCalls()) box = box || call.rfind("FillRect(0,0,16,16 ", 0) == 0;
    drawsCheckBox.push_back(box);
  }
  recorder->RenderFinish(context);
  EXPECT_EQ(drawsCheckBox, (std::vector<bool>{true, false, false, false}));
}

TEST_F(PopupMenuFixture, ASubmenuOpensAfterMoreThan250MillisecondsAndClosesTheSameWay) {
  LPopupMenu& menu = OpenContextMenu();
  const RCPtr<LControl> held(&menu);
  MoveOntoRow(menu, 3);
  EXPECT_TRUE(menu.IsHoverDelayRunning());
  AdvanceAndIdle(250);
  EXPECT_FALSE(menu.GetOpenSubmenu());
  AdvanceAndIdle(1);
  ASSERT_TRUE(menu.GetOpenSubmenu());
  EXPECT_EQ(Text(menu.GetOpenSubmenu()->GetItemText(0)), "Delete");
  // Beside the row, to the right.
  const LControl::Rect row = menu.GetItemRect(3);
  EXPECT_EQ(menu.GetOpenSubmenu()->GetRect().x, row.x + row.width);

  // A plain row: the open submenu closes after the delay...
  MoveOntoRow(menu, 0);
  AdvanceAndIdle(200);
  // ... unless the mouse comes back onto the open item first.
  MoveOntoRow(menu, 3);
  EXPECT_FALSE(menu.IsHoverDelayRunning());
  AdvanceAndIdle(300);
  ASSERT_TRUE(menu.GetOpenSubmenu());
  MoveOntoRow(menu, 1);
  AdvanceAndIdle(251);
  EXPECT_FALSE(menu.GetOpenSubmenu());
}

TEST_F(PopupMenuFixture, RightOpensLeftClosesEscapeClosesTheChain) {
  LPopupMenu& menu = OpenContextMenu();
  const RCPtr<LControl> held(&menu);
  menu.SelectRange(3, 3, true);
  EXPECT_EQ(menu.ProcessKey(LKeyParam::Create(KeyDownCode(kRight))), S_OK);
  ASSERT_TRUE(menu.GetOpenSubmenu());
  const RCPtr<LPopupMenu> submenu = menu.GetOpenSubmenu();
  EXPECT_EQ(submenu->GetCaretIndex(), 0);
  EXPECT_EQ(submenu->ProcessKey(LKeyParam::Create(KeyDownCode(kLeft))), S_OK);
  EXPECT_FALSE(menu.GetOpenSubmenu());
  // Left in the topmost menu does nothing, but counts as handled.
  EXPECT_EQ(menu.ProcessKey(LKeyParam::Create(KeyDownCode(kLeft))), S_OK);
  EXPECT_EQ(Popup(), &menu);
  EXPECT_EQ(menu.ProcessKey(LKeyParam::Create(KeyDownCode(kEscape))), S_OK);
  EXPECT_EQ(Popup(), nullptr);
}

TEST_F(PopupMenuFixture, EscapeWithoutAutoCloseIsHandledAndChangesNothing) {
  LPopupMenu& menu = OpenContextMenu();
  const RCPtr<LControl> held(&menu);
  menu.SetAutoClose(false);
  EXPECT_EQ(menu.ProcessKey(LKeyParam::Create(KeyDownCode(kEscape))), S_OK);
  EXPECT_EQ(Popup(), &menu);
  EXPECT_TRUE(menu.IsVisible());
}

TEST_F(PopupMenuFixture, OwnerOnceSortingRefusedSeparatorsOnly) {
  LPopupMenu& menu = OpenContextMenu();
  EXPECT_EQ(menu.SetOwner(window->GetPostingReceiver()), S_OK);
  EXPECT_EQ(menu.SetOwner(appCenter->GetPostingReceiver()), E_FAIL);
  EXPECT_EQ(menu.GetOwner(), RCPtr<LNotificationReceiver>(window->GetPostingReceiver().Get()));
  EXPECT_EQ(menu.SwapItems(0, 1), E_NOTIMPL);
  EXPECT_EQ(menu.SetMenu(nullptr), E_INVALIDARG);

  const RCPtr<LMenuDescriptor> lines = LMenuDescriptor::Create();
  for (uint32_t i = 0; i < 3; ++i) lines->InsertSeparator(i);
  ASSERT_EQ(menu.SetMenu(lines), S_OK);
  for (int32_t i = 0; i < 3; ++i) EXPECT_FALSE(menu.IsItemSelectable(i));
  EXPECT_GT(menu.GetSeparatorHeight(), 0);
  EXPECT_EQ(menu.GetItemsHeight(), 3 * menu.GetSeparatorHeight());
}

}  // namespace
}  // namespace HV::Test
