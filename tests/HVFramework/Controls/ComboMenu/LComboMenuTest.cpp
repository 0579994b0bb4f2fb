// The menu title: a press opens its menu and a second closes it, a chosen
// item closes it, a press dragged into the menu goes on there, an open menu
// switches to the title the mouse moves onto, and the menu stays inside the
// window.
#include "HVFramework/Controls/ComboMenu/LComboMenu.h"

#include "tests/HVFramework/Controls/ControlWindowFixture.h"
#include "tests/support/FakePopupMenu.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

// Two titles side by side and a third at the right edge of a 300-wide
// window whose menu is 120 wide; "wide" has a menu wider than the window.
std::string TitleSkin() {
  const std::string popup = R"(<SubControl Class="Test.PopupMenu" Name="popupMenu" XPositionAbs="0" YPositionAbs="20" XSizeAbs="120" YSizeAbs="60" IsVisible="False" TabStop="1"/>)";
  const std::string widePopup = R"(<SubControl Class="Test.PopupMenu" Name="popupMenu" XPositionAbs="0" YPositionAbs="20" XSizeAbs="400" YSizeAbs="60" IsVisible="False" TabStop="1"/>)";
  auto title = [](const std::string& name, int x, const std::string& menu) {
    return "<SubControl Class=\"Framework.ComboMenu\" Name=\"" + name + "\" XPositionAbs=\"" + std::to_string(x) +
           "\" YPositionAbs=\"0\" XSizeAbs=\"40\" YSizeAbs=\"20\" TabStop=\"1\"><Skin Name=\"T\" LookList=\"Title\"/>" +
           menu + "</SubControl>";
  };
  return ControlWindowFixture::SolidLooks("Title", 4) +
         R"(<Skins><Skin Name="S"><SubControl Class="Test.Input" Name="main" XSizeAbs="300" YSizeAbs="200">
         <SubControl Class="Test.Input" Name="bar" XPositionAbs="0" YPositionAbs="0" XSizeAbs="300" YSizeAbs="20">)" +
         title("file", 0, popup) + title("help", 40, popup) + title("edge", 250, popup) + title("wide", 90, widePopup) +
         R"(</SubControl><SubControl Class="Test.Input" Name="away" XPositionAbs="0" YPositionAbs="150" XSizeAbs="40" YSizeAbs="20" TabStop="2"/>
         </SubControl></Skin></Skins>)";
}

class ComboMenuFixture : public ControlWindowFixture {
 protected:
  ComboMenuFixture() {
    EXPECT_EQ(LComboMenu::Register(factory), S_OK);
    factory.RegisterControlCreateFunction(StringW(FakePopupMenu::kClassName), &FakePopupMenu::Create);
    host.clientRect = {0, 0, 300, 200};
    Open(TitleSkin(), u"main");
  }
  LComboMenu& Title(const char16_t* name) { return Get<LComboMenu>(name); }
  FakePopupMenu& Popup(const char16_t* title) {
    return *dynamic_cast<FakePopupMenu*>(Title(title).GetPopupControl().Get());
  }
  // The middle of a control, in the window.
  std::pair<int32_t, int32_t> Middle(const LControl& control) {
    const LControl::Point origin = control.GetOriginInRoot();
    return {static_cast<int32_t>(origin.x + control.GetRect().width / 2),
            static_cast<int32_t>(origin.y + control.GetRect().height / 2)};
  }
  void ClickTitle(const char16_t* name) {
    const auto [x, y] = Middle(Title(name));
    Click(x, y);
  }
  void MoveOnto(const LControl& control) {
    const auto [x, y] = Middle(control);
    Move(x, y);
  }
};

TEST_F(ComboMenuFixture, APressOpensTheMenuAndASecondClosesIt) {
  LComboMenu& file = Title(u"file");
  EXPECT_FALSE(Popup(u"file").IsAutoClose());
  EXPECT_EQ(ShownLook(file), LComboMenu::kNormalLook);

  ClickTitle(u"file");
  EXPECT_TRUE(file.IsDropDownShown());
  EXPECT_TRUE(Popup(u"file").HasFocus());
  EXPECT_EQ(ShownLook(file), LComboMenu::kOpenLook);

  ClickTitle(u"file");
  EXPECT_FALSE(file.IsDropDownShown());
  EXPECT_EQ(ShownLook(file), LComboMenu::kHoverLook);
  MoveOnto(*Find(u"away"));
  EXPECT_EQ(ShownLook(file), LComboMenu::kNormalLook);
}

TEST_F(ComboMenuFixture, AChosenItemClosesTheMenu) {
  const RCPtr<LMenuDescriptor> menu = LMenuDescriptor::Create();
  menu->InsertNewItem(0, StringW(u"Exit"), StringW(u"NID_EXIT"), true, false);
  Popup(u"file").SetMenu(menu);
  Popup(u"file").SetOwner(window->GetPostingReceiver());
  ClickTitle(u"file");
  ASSERT_TRUE(Title(u"file").IsDropDownShown());

  MoveOnto(Popup(u"file"));
  Popup(u"file").Choose(0);
  EXPECT_FALSE(Title(u"file").IsDropDownShown());
  EXPECT_EQ(ShownLook(Title(u"file")), LComboMenu::kNormalLook);
}

TEST_F(ComboMenuFixture, APressHeldOnTheTitleGoesOnInTheMenu) {
  const auto [x, y] = Middle(Title(u"file"));
  Press(x, y);
  EXPECT_TRUE(Title(u"file").IsDropDownShown());
  EXPECT_EQ(window->GetCaptureControl(), &Popup(u"file"));
  // The drag goes on in the menu: it, not the title, sees the release.
  Move(x, y + 30);
  Release(x, y + 30);
  EXPECT_TRUE(Title(u"file").IsDropDownShown());
  EXPECT_EQ(window->GetCaptureControl(), nullptr);
}

TEST_F(ComboMenuFixture, MovingOntoAnotherTitleSwitchesTheOpenMenu) {
  ClickTitle(u"file");
  MoveOnto(Title(u"help"));
  EXPECT_FALSE(Title(u"file").IsDropDownShown());
  EXPECT_EQ(ShownLook(Title(u"file")), LComboMenu::kNormalLook);
  EXPECT_TRUE(Title(u"help").IsDropDownShown());
  EXPECT_EQ(ShownLook(Title(u"help")), LComboMenu::kOpenLook);

  // With no menu open, hovering opens nothing.
  ClickTitle(u"help");
  MoveOnto(Title(u"file"));
  EXPECT_FALSE(Title(u"file").IsDropDownShown());
  EXPECT_EQ(ShownLook(Title(u"file")), LComboMenu::kHoverLook);
}

TEST_F(ComboMenuFixture, ADisabledTitleShowsItsLookAndDoesNotSwitchIn) {
  Title(u"help").SetEnabled(false);
  EXPECT_EQ(ShownLook(Title(u"help")), LComboMenu::kDisabledLook);
  ClickTitle(u"file");
  MoveOnto(Title(u"help"));
  EXPECT_TRUE(Title(u"file").IsDropDownShown());
  EXPECT_FALSE(Title(u"help").IsDropDownShown());
}

TEST_F(ComboMenuFixture, TheMenuStaysInsideTheWindow) {
  // 250 + 120 passes 300: the menu's right edge meets the window's.
  ClickTitle(u"edge");
  EXPECT_EQ(Popup(u"edge").GetOriginInRoot().x, 300 - 120);
  // Wider than the window: it starts at the window's left edge.
  ClickTitle(u"wide");
  EXPECT_EQ(Popup(u"wide").GetOriginInRoot().x, 0);
  // One that fits stays under its title.
  ClickTitle(u"help");
  EXPECT_EQ(Popup(u"help").GetOriginInRoot().x, 40);
}

}  // namespace
}  // namespace HV::Test
