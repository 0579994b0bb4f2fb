// Context menus of a control: the menus its string table describes, the
// commands of a menu bound to the window's and the application's hot keys,
// and the pop-up a right click builds from the skin's "contextMenu". And a
// tool tip that the skin cannot build. (The tool tip itself is tested with
// the control library.)
#include "HVFramework/ControlBase/Control/IPopupMenuControl.h"
#include "HVFramework/ControlBase/Skin/Menu/MenuBuilder.h"
#include "tests/support/RootWindowFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

std::vector<std::string>& PopupLog() {
  static std::vector<std::string> log;
  return log;
}

// "Test.Popup": stands in for the pop-up menu and writes down what it is asked.
class FakePopup : public LControl, public IPopupMenuControl {
 public:
  using LControl::LControl;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<FakePopup>(result, parent, descriptor);
  }
  HResult SetMenu(const RCPtr<LMenuDescriptor>& menu) override {
    PopupLog().push_back(std::string("SetMenu ") + (menu ? std::to_string(menu->GetItemCount()) : "null") +
                         (GetLayout()->visible ? " shown" : " hidden"));
    return S_OK;
  }
  HResult ShowAtMousePosition() override {
    PopupLog().push_back("ShowAtMousePosition");
    return S_OK;
  }
};

// "Test.MenuOwner": a control that adjusts its pop-up before it opens.
class MenuOwner : public InputControl {
 public:
  using InputControl::InputControl;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<MenuOwner>(result, parent, descriptor);
  }
  void PrepareContextMenu(LControl& popup) override {
    PopupLog().push_back("Prepare " + Narrow(popup.GetName()) + " of " +
                         Narrow(popup.GetParent()->GetName()));
  }
};

constexpr const char* kControls = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.MenuOwner" Name="owner" XPositionAbs="10" YPositionAbs="10" XSizeAbs="100" YSizeAbs="50"/>
  </SubControl>
  <SubControl Class="Test.Popup" Name="contextMenu" XSizeAbs="80" YSizeAbs="60"/>
</Skin></Skins>)";

class ContextMenu : public RootWindowFixture {
 protected:
  ContextMenu() {
    PopupLog().clear();
    factory.RegisterControlCreateFunction(StringW(u"Test.MenuOwner"), &MenuOwner::Create);
    LoadStrings({{"App|main", "GHK.NID_WINDOW_CMD", "VKEY_F3"},
                 {"Test.Input|owner", "CONTEXT_MENU.00.NID_WINDOW_CMD", "Window command"},
                 {"Test.Input|owner", "CONTEXT_MENU.01.NID_APP_EXIT_REQ", "Exit"},
                 {"Test.Input|owner", "TOOLTIP", "Owns a menu"}});
    Open(kControls, u"main");
  }
  void RegisterPopup() { factory.RegisterControlCreateFunction(StringW(u"Test.Popup"), &FakePopup::Create); }
  LControl& Owner() const { return *Find(u"owner"); }
  bool Binds(const char16_t* command) const {
    return Owner().GetNotificationHandler()->HasHandler(nullptr, command);
  }

  // A menu of three commands and a submenu with a fourth.
  static RCPtr<LMenuDescriptor> CommandMenu() {
    return BuildMenuFromEntries({{StringW(u"00.NID_WINDOW_CMD"), StringW(u"Window command")},
                                 {StringW(u"01.NID_APP_EXIT_REQ"), StringW(u"Exit")},
                                 {StringW(u"02.NID_NOBODY_KNOWS"), StringW(u"Nothing")},
                                 {StringW(u"03.More."), StringW(u"More")},
                                 {StringW(u"More.00.NID_EDIT_DELETE_REQ"), StringW(u"Delete")}});
  }
};

std::vector<std::vector<std::string>> Texts(const std::vector<MenuEntries>& menus) {
  std::vector<std::vector<std::string>> texts;
  for (const MenuEntries& menu : menus) {
    texts.emplace_back();
    for (const auto& [key, text] : menu) texts.back().push_back(Narrow(key) + "=" + Narrow(text));
  }
  return texts;
}

TEST(StringTable, StringsWithPrefixAreTheEntriesBeginningWithItInKeyOrder) {
  const RCPtr<LStringTable> table = LStringTable::Create({{StringW(u"B.2"), StringW(u"two")},
                                                          {StringW(u"B.10"), StringW(u"ten")},
                                                          {StringW(u"b.1"), StringW(u"lower")},
                                                          {StringW(u"B"), StringW(u"bare")},
                                                          {StringW(u"A.1"), StringW(u"other")}});
  LStringTable::EntryList entries{{StringW(u"stale"), StringW(u"entry")}};
  EXPECT_EQ(table->GetStringsWithPrefix(StringW(u"B."), entries), S_OK);
  EXPECT_EQ(Texts({entries}), (std::vector<std::vector<std::string>>{{"B.10=ten", "B.2=two"}}));
  table->GetStringsWithPrefix(StringW(u"C"), entries);
  EXPECT_TRUE(entries.empty());
}

TEST(ContextMenuStrings, TableGivesOneMenuOrOneMenuPerGroupInGroupOrder) {
  using Menus = std::vector<std::vector<std::string>>;
  const struct {
    const char* name;
    LStringTable::Entries entries;
    Menus menus;
  } kCases[] = {
      {"one menu",
       {{StringW(u"CONTEXT_MENU.00.NID_A"), StringW(u"A")},
        {StringW(u"CONTEXT_MENU.01.NID_B"), StringW(u"B")},
        {StringW(u"CONTEXT_MENUX.00.NID_C"), StringW(u"C")}},
       {{"00.NID_A=A", "01.NID_B=B"}}},
      {"groups",
       {{StringW(u"CONTEXT_MENUb.00.NID_B"), StringW(u"B")},
        {StringW(u"CONTEXT_MENUa.00.NID_A"), StringW(u"A")},
        {StringW(u"CONTEXT_MENUa.01.NID_A2"), StringW(u"A2")},
        {StringW(u"CONTEXT_MENU_NO_POINT"), StringW(u"ignored")}},
       {{"00.NID_A=A", "01.NID_A2=A2"}, {"00.NID_B=B"}}},
      {"a group whose name begins with another's",
       {{StringW(u"CONTEXT_MENU0.00.NID_A"), StringW(u"A")},
        {StringW(u"CONTEXT_MENU01.00.NID_B"), StringW(u"B")}},
       {{"00.NID_A=A"}, {"00.NID_B=B"}}},
      {"none", {{StringW(u"LABEL"), StringW(u"Text")}}, {}},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(Texts(GetContextMenuEntries(*LStringTable::Create(c.entries))), c.menus) << c.name;
}

TEST_F(ContextMenu, ControlReadsItsMenusFromItsStringTableAndAppendsThem) {
  std::vector<MenuEntries> menus(1);
  EXPECT_EQ(Owner().GetContextMenuStrings(menus), 1);
  EXPECT_EQ(Texts(menus), (std::vector<std::vector<std::string>>{
                              {}, {"00.NID_WINDOW_CMD=Window command", "01.NID_APP_EXIT_REQ=Exit"}}));
  const RCPtr<LControl> tableless(new LControl(nullptr, StringW(u"nameless")));
  std::vector<MenuEntries> none;
  EXPECT_EQ(tableless->GetContextMenuStrings(none), 1);
  EXPECT_TRUE(none.empty());
}

TEST_F(ContextMenu, CommandsKnownToTheHotKeysAreBoundAndRaisedThere) {
  Listen(window, "window", {u"NID_WINDOW_CMD"});
  Listen(appCenter, "app", {u"NID_APP_EXIT_REQ", u"NID_NOBODY_KNOWS"});
  EXPECT_EQ(Owner().SetContextMenu(CommandMenu()), S_OK);
  EXPECT_TRUE(Binds(u"NID_WINDOW_CMD"));
  EXPECT_TRUE(Binds(u"NID_APP_EXIT_REQ"));
  EXPECT_FALSE(Binds(u"NID_NOBODY_KNOWS"));
  EXPECT_FALSE(Binds(u"NID_EDIT_DELETE_REQ")) << "known to no hot keys here";

  // The menu hands its commands to the control without a source.
  for (const WChar* command : {u"NID_WINDOW_CMD", u"NID_APP_EXIT_REQ", u"NID_NOBODY_KNOWS"})
    Owner().ReceiveNotification(nullptr, LNotification::Create(command));
  Idle();
  EXPECT_EQ(Take(), (std::vector<std::string>{"app:NID_APP_EXIT_REQ", "window:NID_WINDOW_CMD"}));

  EXPECT_EQ(Owner().SetContextMenu(nullptr), S_OK);
  EXPECT_FALSE(Binds(u"NID_WINDOW_CMD"));
  EXPECT_FALSE(Binds(u"NID_APP_EXIT_REQ"));
  EXPECT_FALSE(Owner().GetContextMenu());
}

TEST_F(ContextMenu, RightClickOpensTheSkinsPopupHiddenWithTheMenuAfterTheNotification) {
  RegisterPopup();
  const RCPtr<LMenuDescriptor> menu = CommandMenu();
  Owner().SetContextMenu(menu);
  Listen(RCPtr<LNotificationDistributor>(&Owner()), "owner", {u"NID_RIGHT_CLICK"});
  Click(20, 20, 4);
  EXPECT_EQ(Take(), (std::vector<std::string>{"owner:NID_RIGHT_CLICK"}));
  EXPECT_EQ(PopupLog(), (std::vector<std::string>{"SetMenu 4 hidden", "Prepare contextMenu of owner",
                                                  "ShowAtMousePosition"}));
  EXPECT_TRUE(dynamic_cast<FakePopup*>(Owner().FindChildControl(StringW(u"contextMenu")).Get()));

  // A second right click replaces the pop-up.
  PopupLog().clear();
  Click(20, 20, 4);
  EXPECT_EQ(PopupLog().size(), 3u);
  EXPECT_EQ(Owner().GetChildren().GetCount(), 1u);
}

TEST_F(ContextMenu, RightClickShowsNothingWithoutAMenuOrWithoutAPopupClass) {
  Listen(RCPtr<LNotificationDistributor>(&Owner()), "owner", {u"NID_RIGHT_CLICK"});
  Owner().SetContextMenu(CommandMenu());
  Click(20, 20, 4);  // no class registered for "contextMenu"
  EXPECT_EQ(Take(), (std::vector<std::string>{"owner:NID_RIGHT_CLICK"}));
  EXPECT_FALSE(Owner().FindChildControl(StringW(u"contextMenu")));

  RegisterPopup();
  Owner().SetContextMenu(nullptr);
  Click(20, 20, 4);
  EXPECT_EQ(Take(), (std::vector<std::string>{"owner:NID_RIGHT_CLICK"}));
  EXPECT_TRUE(PopupLog().empty());
  EXPECT_FALSE(Owner().FindChildControl(StringW(u"contextMenu")));
}

TEST_F(ContextMenu, ToolTipWithoutADescriptionInTheSkinIsNoError) {
  Move(20, 20);
  EXPECT_EQ(window->GetToolTipControl(), &Owner());
  EXPECT_EQ(Owner().GetChildren().GetCount(), 0u);
  EXPECT_EQ(Owner().ShowToolTip(true), S_OK);
  EXPECT_EQ(Owner().ShowToolTip(false), S_OK);
  EXPECT_EQ(Owner().GetChildren().GetCount(), 0u);
}

}  // namespace
}  // namespace HV::Test
