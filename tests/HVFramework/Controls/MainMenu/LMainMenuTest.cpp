// The menu bar: titles made from its string table on a copy of its template,
// insertion that moves the titles behind with their menus, the item states
// of its menus asked of the control set from outside, its commands posted to
// the window's queue, and the focus it remembers to give back.
#include "HVFramework/Controls/MainMenu/LMainMenu.h"

#include "HVFramework/ControlBase/Skin/Menu/LMenuActivationParam.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/PopupMenu/LPopupMenu.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"
#include "tests/support/FakePopupMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

std::string Text(const StringW& text) { return text.ToCharString().GetText(); }

const char* const kBarSkin = R"(
<Skins><Skin Name="S"><SubControl Class="Test.Input" Name="main">
  <SubControl Class="Framework.MainMenu" Name="mainMenu" XPositionAbs="0" YPositionAbs="0" XSizeAbs="300" YSizeAbs="24">
    <SubControl Class="Framework.ComboMenu" Name="templateMenu" XPositionAbs="4" YPositionAbs="2" XSizeAbs="40" YSizeAbs="20" TabStop="1">
      <SubControl Class="Test.PopupMenu" Name="popupMenu" XPositionAbs="0" YPositionAbs="20" XSizeAbs="120" YSizeAbs="60" IsVisible="False" TabStop="1"/>
    </SubControl>
  </SubControl>
  <SubControl Class="Test.Editor" Name="editor" XPositionAbs="0" YPositionAbs="100" XSizeAbs="80" YSizeAbs="20" TabStop="2"/>
</SubControl></Skin></Skins>)";

// The bar with a child that is no menu title (a logo) before its template.
const char* const kBarWithLogoSkin = R"(
<Skins><Skin Name="S"><SubControl Class="Test.Input" Name="main">
  <SubControl Class="Framework.MainMenu" Name="mainMenu" XPositionAbs="0" YPositionAbs="0" XSizeAbs="300" YSizeAbs="24">
    <SubControl Class="Test.Input" Name="logo" XPositionAbs="260" YPositionAbs="2" XSizeAbs="36" YSizeAbs="20"/>
    <SubControl Class="Framework.ComboMenu" Name="templateMenu" XPositionAbs="4" YPositionAbs="2" XSizeAbs="40" YSizeAbs="20" TabStop="1">
      <SubControl Class="Test.PopupMenu" Name="popupMenu" XPositionAbs="0" YPositionAbs="20" XSizeAbs="120" YSizeAbs="60" IsVisible="False" TabStop="1"/>
    </SubControl>
  </SubControl>
</SubControl></Skin></Skins>)";

// A control that takes edit commands (as a text box does).
class Editor : public LControl {
 public:
  using LControl::LControl;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<Editor>(result, parent, descriptor);
  }
  bool IsEditTarget() const override { return true; }
};

// A control that answers the item states of the bar's menus: it disables
// "NID_MENU_FILE_SEND_PRESET_TO_DEVICE" and checks "NID_MENU_HELP_ABOUT_REQ".
class DeviceView : public LControl {
 public:
  DeviceView() : LControl(nullptr, StringW(u"deviceView")) {}
  HResult UpdateMenuItem(const RCPtr<LMenuDescriptor>& /*menu*/, int32_t index, const StringW& commandId,
                         LMenuItemState& state) override {
    asked.push_back(std::to_string(index) + ":" + Text(commandId));
    if (commandId == StringW(u"NID_MENU_FILE_SEND_PRESET_TO_DEVICE")) state.enabled = false;
    if (commandId == StringW(u"NID_MENU_HELP_ABOUT_REQ")) state.checked = true;
    return S_OK;
  }
  std::vector<std::string> asked;
};

class MainMenuFixture : public ControlWindowFixture {
 protected:
  MainMenuFixture() {
    EXPECT_EQ(LMainMenu::Register(factory), S_OK);
    EXPECT_EQ(LComboMenu::Register(factory), S_OK);
    factory.RegisterControlCreateFunction(StringW(FakePopupMenu::kClassName), &FakePopupMenu::Create);
    factory.RegisterControlCreateFunction(StringW(u"Test.Editor"), &Editor::Create);
  }
  void OpenWithStrings(std::initializer_list<StringRow> rows, const char* skin = kBarSkin) {
    LoadStrings(rows);
    Open(skin, u"main");
    // The fixture placed the titles by their absolute values; the solver
    // places a title beside its sibling.
    for (int32_t i = 0; i < Bar().GetMenuCount(); ++i) Title(i).UpdateLayout();
  }
  // The bar of the application: File and Help.
  void OpenFileAndHelp(const char* skin = kBarSkin) {
    OpenWithStrings(
        {
        {"Test.Input|mainMenu", "MENU_LABEL.00", "File"},
        {"Test.Input|mainMenu", "MENU_LABEL.01", "Help"},
        {"Test.Input|mainMenu", "CONTEXT_MENU0.00.NID_MENU_FILE_SEND_PRESET_TO_DEVICE", "Send Preset| Send this preset to the controller."},
        {"Test.Input|mainMenu", "CONTEXT_MENU0.01.-", "-"},
        {"Test.Input|mainMenu", "CONTEXT_MENU0.02.NID_MENU_FILE_EXIT_REQ", "Exit"},
        {"Test.Input|mainMenu", "CONTEXT_MENU1.00.NID_MENU_HELP_ABOUT_REQ", "About"},
        },
        skin);
  }
  LMainMenu& Bar() { return Get<LMainMenu>(u"mainMenu"); }
  LComboMenu& Title(int32_t menuIndex) { return *Bar().GetChildAt(menuIndex); }
  FakePopupMenu& Popup(int32_t menuIndex) {
    return *dynamic_cast<FakePopupMenu*>(Title(menuIndex).GetPopupControl().Get());
  }
  // "name=text[first item label]" per run-time title.
  std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (int32_t i = 0; i < Bar().GetMenuCount(); ++i) {
      LComboMenu& title = Title(i);
      const RCPtr<LMenuDescriptor> menu = title.GetPopupMenuDescriptor();
      titles.push_back(Text(title.GetName()) + "=" + Text(title.GetText()) + "[" +
                       (menu && menu->GetItemCount() ? Text(menu->GetItem(0)->label) : "") + "]");
    }
    return titles;
  }
  // Each title after the first must sit beside the title before it.
  void ExpectTitlesSideBySide() {
    for (int32_t i = 1; i < Bar().GetMenuCount(); ++i) {
      const LLayoutPosition& x = Title(i).GetLayout()->position[0];
      EXPECT_EQ(x.referenceMode, 2);
      EXPECT_EQ(Text(x.referenceName), Text(Title(i - 1).GetName())) << "title " << i;
      EXPECT_EQ(Title(i).GetRect().x, Title(i - 1).GetRect().x + Title(i - 1).GetRect().width) << "title " << i;
    }
  }
  RCPtr<LMenuDescriptor> OneItemMenu(const char16_t* label, const char16_t* command) {
    const RCPtr<LMenuDescriptor> menu = LMenuDescriptor::Create();
    menu->InsertNewItem(0, StringW(label), StringW(command), true, false);
    return menu;
  }
};

TEST_F(MainMenuFixture, FileAndHelpFromTheStringTable) {
  OpenFileAndHelp();
  LMainMenu& bar = Bar();
  EXPECT_EQ(bar.GetFixedChildCount(), 0);
  EXPECT_EQ(bar.FindChildControl(StringW(u"templateMenu")), nullptr);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"File=File[Send Preset]", "Help=Help[About]"}));
  EXPECT_EQ(Text(bar.GetMenuName(1)), "Help");
  EXPECT_EQ(bar.FindMenu(StringW(u"Help")), 1);
  EXPECT_EQ(bar.FindMenu(StringW(u"Tools")), -1);
  EXPECT_EQ(Title(0).GetRect().x, 4);
  ExpectTitlesSideBySide();

  const RCPtr<LMenuDescriptor> file = Title(0).GetPopupMenuDescriptor();
  ASSERT_EQ(file->GetItemCount(), 3u);
  EXPECT_EQ(Text(file->GetItem(0)->helpText), " Send this preset to the controller.");
  EXPECT_TRUE(file->GetItem(1)->separator);
  // Each title's menu asks the bar for its item states and posts its commands into the window's queue.
  EXPECT_EQ(Popup(1).GetItemUpdater(), bar.GetMenuItemUpdater());
  EXPECT_EQ(Popup(1).GetOwner(), RCPtr<LNotificationReceiver>(window->GetPostingReceiver().Get()));
}

// Menu indices count the titles alone: a child of another kind takes none,
// and a new title sits beside the title before it, not beside that child.
TEST_F(MainMenuFixture, ChildrenThatAreNoTitlesTakeNoMenuIndex) {
  OpenFileAndHelp(kBarWithLogoSkin);
  LMainMenu& bar = Bar();
  ASSERT_EQ(bar.GetMenuCount(), 2);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"File=File[Send Preset]", "Help=Help[About]"}));
  EXPECT_EQ(bar.FindMenu(StringW(u"Help")), 1);
  EXPECT_EQ(bar.FindMenu(StringW(u"logo")), -1);
  EXPECT_EQ(bar.InsertMenu(3, StringW(u"Late"), StringW(u"Late"), OneItemMenu(u"X", u"NID_X")), E_INVALIDARG);
  EXPECT_EQ(bar.InsertMenu(1, StringW(u"Edit"), StringW(u"Edit"), OneItemMenu(u"Cut", u"NID_CUT")), 1);
  EXPECT_EQ(bar.InsertMenu(3, StringW(u"View"), StringW(u"View"), OneItemMenu(u"Zoom", u"NID_ZOOM")), 3);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"File=File[Send Preset]", "Edit=Edit[Cut]", "Help=Help[About]",
                                                "View=View[Zoom]"}));
  ExpectTitlesSideBySide();
  EXPECT_EQ(Text(bar.GetMenuName(3)), "View");
}

TEST_F(MainMenuFixture, AMenuWithoutALabelMakesNoTitlesAtAll) {
  OpenWithStrings({
      {"Test.Input|mainMenu", "MENU_LABEL.00", "File"},
      {"Test.Input|mainMenu", "MENU_LABEL.01", "Help"},
      {"Test.Input|mainMenu", "CONTEXT_MENU0.00.NID_A", "A"},
      {"Test.Input|mainMenu", "CONTEXT_MENU1.00.NID_B", "B"},
      {"Test.Input|mainMenu", "CONTEXT_MENU2.00.NID_C", "C"},
  });
  EXPECT_EQ(Bar().GetMenuCount(), 0);
}

TEST_F(MainMenuFixture, InsertingMovesTheTitlesBehindWithTheirMenus) {
  OpenFileAndHelp();
  LMainMenu& bar = Bar();
  EXPECT_EQ(bar.InsertMenu(0, StringW(u"Tools"), StringW(u"Tools"), OneItemMenu(u"Run", u"NID_RUN")), 0);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Tools=Tools[Run]", "File=File[Send Preset]", "Help=Help[About]"}));
  ExpectTitlesSideBySide();

  EXPECT_EQ(bar.InsertMenu(4, StringW(u"Late"), StringW(u"Late"), OneItemMenu(u"X", u"NID_X")), E_INVALIDARG);
  EXPECT_EQ(bar.InsertMenu(3, StringW(u"View"), StringW(u"View"), OneItemMenu(u"Zoom", u"NID_ZOOM")), 3);
  EXPECT_EQ(bar.InsertMenuAt(StringW(u"Help"), StringW(u"Edit"), StringW(u"Edit"), OneItemMenu(u"Cut", u"NID_CUT")), 2);
  EXPECT_EQ(bar.InsertMenuAt(StringW(u"Nowhere"), StringW(u"Y"), StringW(u"Y"), OneItemMenu(u"Y", u"NID_Y")), E_INVALIDARG);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Tools=Tools[Run]", "File=File[Send Preset]", "Edit=Edit[Cut]",
                                                "Help=Help[About]", "View=View[Zoom]"}));
  ExpectTitlesSideBySide();
}

TEST_F(MainMenuFixture, ATakenNameIsRefusedAndTheTitlesStayAsTheyAre) {
  OpenFileAndHelp();
  LMainMenu& bar = Bar();
  EXPECT_EQ(bar.AddMenuTitle(StringW(u"Help")), E_INVALIDARG);
  EXPECT_EQ(bar.InsertMenu(0, StringW(u"Help"), StringW(u"Again"), OneItemMenu(u"X", u"NID_X")), E_INVALIDARG);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"File=File[Send Preset]", "Help=Help[About]"}));
  ExpectTitlesSideBySide();
}

TEST_F(MainMenuFixture, ItemStatesComeFromTheControlSetFromOutside) {
  OpenFileAndHelp();
  RCPtr<DeviceView> view(new DeviceView());

  // Without one, the menus keep their states.
  Popup(0).SetVisible(true);
  EXPECT_TRUE(Title(0).GetPopupMenuDescriptor()->GetItem(0)->enabled);
  Popup(0).SetVisible(false);

  EXPECT_FALSE(Bar().SetMenuItemUpdater(view->GetMenuItemUpdater()));
  EXPECT_TRUE(Bar().SetMenuItemUpdater(view->GetMenuItemUpdater()));
  Popup(0).SetVisible(true);
  Popup(1).SetVisible(true);
  EXPECT_EQ(view->asked, (std::vector<std::string>{"2:NID_MENU_FILE_EXIT_REQ", "0:NID_MENU_FILE_SEND_PRESET_TO_DEVICE",
                                                   "0:NID_MENU_HELP_ABOUT_REQ"}));
  EXPECT_FALSE(Title(0).GetPopupMenuDescriptor()->GetItem(0)->enabled);
  EXPECT_TRUE(Title(1).GetPopupMenuDescriptor()->GetItem(0)->checked);

  // The control gone, the bar answers E_FAIL and nothing changes.
  const RCPtr<LMenuItemUpdater> updater = view->GetMenuItemUpdater();
  view->asked.clear();
  view = nullptr;
  LMenuItemState state{true, false, StringW(u"Exit")};
  EXPECT_EQ(Bar().UpdateMenuItem(Title(0).GetPopupMenuDescriptor(), 2, StringW(u"NID_MENU_FILE_EXIT_REQ"), state), E_FAIL);
  EXPECT_TRUE(state.enabled);
}

TEST_F(MainMenuFixture, ACommandReachesAListenerOnlyAfterAnIdlePass) {
  OpenFileAndHelp();
  Listen(RCPtr<LNotificationDistributor>(window.Get()), "window", {u"NID_MENU_FILE_EXIT_REQ"});
  Listen(RCPtr<LNotificationDistributor>(&Popup(0)), "popup", {u"NID_ITEM_ACTIVATED"});
  Popup(0).Choose(2);
  EXPECT_EQ(Take(), (std::vector<std::string>{"popup:NID_ITEM_ACTIVATED"}));
  Idle();
  const std::vector<NotificationLog::Entry> entries = log.GetEntries();
  EXPECT_EQ(Take(), (std::vector<std::string>{"window:NID_MENU_FILE_EXIT_REQ"}));
  ASSERT_EQ(entries.size(), 1u);
  const auto* param = dynamic_cast<const LMenuActivationParam*>(entries[0].notification->GetPayload().Get());
  ASSERT_NE(param, nullptr);
  EXPECT_EQ(param->menu, Title(0).GetPopupMenuDescriptor());
  EXPECT_EQ(param->index, 2);
}

TEST_F(MainMenuFixture, BuiltAgainFromTheSkinTheBarKeepsItsTitlesWithTheirMenusAndTexts) {
  OpenFileAndHelp();
  Title(1).SetText(StringW(u"Help!"));
  ASSERT_EQ(factory.ApplySkin(window->GetRootControl()), S_OK);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"File=File[Send Preset]", "Help=Help![About]"}));
  EXPECT_EQ(Bar().FindChildControl(StringW(u"templateMenu")), nullptr);
  // A title added now is made from the skin's template.
  EXPECT_EQ(Bar().AddMenuTitle(StringW(u"Tools")), S_OK);
  EXPECT_EQ(Text(Bar().GetChildAt(2)->GetDescriptor()->GetClassName()), "Framework.ComboMenu");
  EXPECT_TRUE(Bar().GetChildAt(2)->GetPopupMenu());
  EXPECT_EQ(Bar().GetChildAt(2)->GetLayout()->size[0].absolute, 40);
  ExpectTitlesSideBySide();
}

TEST_F(MainMenuFixture, TheBarRemembersWhereTheFocusCameFrom) {
  OpenFileAndHelp();
  ASSERT_EQ(Find(u"editor")->SetFocus(true), S_OK);
  const LControl::Point origin = Title(1).GetOriginInRoot();
  Click(static_cast<int32_t>(origin.x + 5), static_cast<int32_t>(origin.y + 5));
  EXPECT_TRUE(Title(1).IsDropDownShown());
  EXPECT_EQ(Bar().GetFocusReturnControl(), Find(u"editor"));
  // Edit commands given while the bar holds the focus go to the editor.
  EXPECT_EQ(Bar().GetEditTarget(), Find(u"editor"));
}

}  // namespace
}  // namespace HV::Test

namespace HV::Test {
namespace {

// The bar of the application with real pop-up menus under its titles.
std::string RealMenuSkin() {
  return ControlWindowFixture::SolidLooks("MenuRow", 14) + ControlWindowFixture::SolidLooks("MenuTitle", 4) + R"(
<Skins><Skin Name="S"><SubControl Class="Test.Input" Name="main">
  <SubControl Class="Framework.MainMenu" Name="mainMenu" XPositionAbs="0" YPositionAbs="0" XSizeAbs="300" YSizeAbs="24">
    <SubControl Class="Framework.ComboMenu" Name="templateMenu" XPositionAbs="4" YPositionAbs="2" XSizeAbs="40" YSizeAbs="20" TabStop="1">
      <Skin Name="T" LookList="MenuTitle"/>
      <SubControl Class="Framework.PopupMenu" Name="popupMenu" XPositionAbs="0" YPositionAbs="20" XSizeAbs="120" YSizeAbs="60" IsVisible="False" TabStop="1">
        <SubControl Class="Framework.MenuItem" Name="templateItem" XPositionAbs="0" YPositionAbs="0" XSizeToControl="Client" XSizeRel="1" XSizeAbs="0" YSizeAbs="20">
          <Skin Name="R" LookList="MenuRow"/>
          <SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="2" YPositionAbs="2" XSizeAbs="16" YSizeAbs="16"/>
          <SubControl Class="Framework.Label" Name="hotKeyLabel" XPositionAbs="58" YPositionAbs="0" XSizeAbs="40" YSizeAbs="20"/>
        </SubControl>
      </SubControl>
    </SubControl>
  </SubControl>
  <SubControl Class="Test.Input" Name="editor" XPositionAbs="0" YPositionAbs="200" XSizeAbs="80" YSizeAbs="20" TabStop="2"/>
</SubControl></Skin></Skins>)";
}

class MainMenuWithPopups : public ControlWindowFixture {
 protected:
  MainMenuWithPopups() {
    EXPECT_EQ(LMainMenu::Register(factory), S_OK);
    EXPECT_EQ(LComboMenu::Register(factory), S_OK);
    EXPECT_EQ(LPopupMenu::Register(factory), S_OK);
    EXPECT_EQ(LLabel::Register(factory), S_OK);
    LoadStrings({
        {"Test.Input|mainMenu", "MENU_LABEL.00", "File"},
        {"Test.Input|mainMenu", "MENU_LABEL.01", "Help"},
        {"Test.Input|mainMenu", "CONTEXT_MENU0.00.NID_MENU_FILE_SEND_PRESET_TO_DEVICE", "Send Preset"},
        {"Test.Input|mainMenu", "CONTEXT_MENU0.01.NID_MENU_FILE_EXIT_REQ", "Exit"},
        {"Test.Input|mainMenu", "CONTEXT_MENU1.00.NID_MENU_HELP_ABOUT_REQ", "About"},
    });
    Open(RealMenuSkin(), u"main");
    for (int32_t i = 0; i < Bar().GetMenuCount(); ++i) Bar().GetChildAt(i)->UpdateLayout();
  }
  LMainMenu& Bar() { return Get<LMainMenu>(u"mainMenu"); }
  LComboMenu& Title(int32_t index) { return *Bar().GetChildAt(index); }
  LPopupMenu& Menu(int32_t index) { return *dynamic_cast<LPopupMenu*>(Title(index).GetPopupControl().Get()); }
  LRootWindow::Point Middle(const LControl& control) {
    const LControl::Point origin = control.GetOriginInRoot();
    return {static_cast<int32_t>(origin.x + control.GetRect().width / 2),
            static_cast<int32_t>(origin.y + control.GetRect().height / 2)};
  }
  LRootWindow::Point RowMiddle(int32_t menu, int32_t index) {
    return Middle(*Menu(menu).GetItemControl(Menu(menu).GetItemControlSlot(index)));
  }
};

TEST_F(MainMenuWithPopups, AChosenItemClosesTheMenuGivesTheFocusBackAndPostsItsCommand) {
  ASSERT_EQ(Find(u"editor")->SetFocus(true), S_OK);
  Listen(RCPtr<LNotificationDistributor>(window.Get()), "window", {u"NID_MENU_FILE_EXIT_REQ"});
  const LRootWindow::Point title = Middle(Title(0));
  Click(title.x, title.y);
  ASSERT_TRUE(Title(0).IsDropDownShown());
  EXPECT_TRUE(Menu(0).HasFocus());

  const LRootWindow::Point exit = RowMiddle(0, 1);
  Click(exit.x, exit.y);
  EXPECT_FALSE(Title(0).IsDropDownShown());
  EXPECT_TRUE(Find(u"editor")->HasFocus());
  EXPECT_TRUE(Take().empty()) << "posted, not sent";
  Idle();
  EXPECT_EQ(Take(), (std::vector<std::string>{"window:NID_MENU_FILE_EXIT_REQ"}));
}

TEST_F(MainMenuWithPopups, APressDraggedFromTheTitleOntoAnItemChoosesItOnRelease) {
  Listen(RCPtr<LNotificationDistributor>(window.Get()), "window", {u"NID_MENU_FILE_SEND_PRESET_TO_DEVICE"});
  const LRootWindow::Point title = Middle(Title(0));
  Press(title.x, title.y);
  ASSERT_TRUE(Title(0).IsDropDownShown());
  const LRootWindow::Point send = RowMiddle(0, 0);
  Move(send.x, send.y - 5);
  Move(send.x, send.y);
  Release(send.x, send.y);
  EXPECT_FALSE(Title(0).IsDropDownShown());
  Idle();
  EXPECT_EQ(Take(), (std::vector<std::string>{"window:NID_MENU_FILE_SEND_PRESET_TO_DEVICE"}));
}

TEST_F(MainMenuWithPopups, APressDraggedFromOneMenuOntoAnotherTitleGoesOnThere) {
  const LRootWindow::Point file = Middle(Title(0));
  Press(file.x, file.y);
  const LRootWindow::Point send = RowMiddle(0, 0);
  Move(send.x, send.y);
  EXPECT_EQ(window->GetCaptureControl(), &Menu(0));
  const LRootWindow::Point help = Middle(Title(1));
  Move(help.x, help.y);
  EXPECT_TRUE(Title(1).IsDropDownShown());
  EXPECT_FALSE(Title(0).IsDropDownShown());
  EXPECT_EQ(window->GetCaptureControl(), &Menu(1));
  Release(help.x, help.y);
}

TEST_F(MainMenuWithPopups, WithFileOpenTheHelpTitleTakesOverOnHover) {
  const LRootWindow::Point file = Middle(Title(0));
  Click(file.x, file.y);
  const LRootWindow::Point help = Middle(Title(1));
  Move(help.x, help.y);
  EXPECT_FALSE(Title(0).IsDropDownShown());
  EXPECT_TRUE(Title(1).IsDropDownShown());
  EXPECT_EQ(Text(Menu(1).GetItemText(0)), "About");
}

}  // namespace
}  // namespace HV::Test
