// The combo slider in a root window: the box and its slider hold one value
// both ways with the box's text, a value set during a drag of the slider,
// the panel kept inside the window, and the looks.
#include "HVFramework/Controls/ComboSlider/LComboSlider.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/Slider/LSlider.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

std::string ComboSliderBox(const char* name, int x, int width, int height, bool withPanel) {
  const std::string panel = R"(
      <SubControl Class="Framework.ComboSlider.DropDownPanel" Name="dropDownPanel" XPositionAbs="0" YPositionAbs="20" XSizeAbs="160" YSizeAbs="30" ClipToParent="False">
        <SubControl Class="Framework.Slider" Name="slider" XPositionAbs="0" YPositionAbs="0" XSizeAbs="160" YSizeAbs="30">
          <SubControl Class="Framework.Button" Name="thumbStart" XPositionAbs="0" YPositionAbs="0" XSizeAbs="10" YSizeAbs="30"/>
          <SubControl Class="Framework.Button" Name="thumbEnd" XPositionAbs="127" YPositionAbs="0" XSizeAbs="10" YSizeAbs="30"/>
        </SubControl>
      </SubControl>)";
  return std::string("<SubControl Class=\"Framework.ComboSlider\" Name=\"") + name + "\" XPositionAbs=\"" +
         std::to_string(x) + "\" YPositionAbs=\"10\" XSizeAbs=\"" + std::to_string(width) +
         "\" YSizeAbs=\"" + std::to_string(height) + "\"><Skin Name=\"B\" " +
         "LookList=\"ComboLook\"/>" + (withPanel ? panel : "") + "</SubControl>";
}

// "right" sits 100 pixels from the window's right edge; "left" at its left
// edge is large enough to hold its panel (the pointer reaches only controls
// inside their parents); "bare" has no panel.
std::string ComboSliderSkin() {
  return ControlWindowFixture::SolidLooks("ComboLook", 7) +
         "<Skins><Skin Name=\"S\"><SubControl Class=\"Test.Input\" Name=\"main\" TabStop=\"-1\">" +
         ComboSliderBox("right", 300, 60, 20, true) + ComboSliderBox("left", 10, 160, 60, true) +
         ComboSliderBox("bare", 200, 60, 20, false) +
         "</SubControl></Skin></Skins>";
}

class ComboSliderFixture : public ControlWindowFixture {
 protected:
  ComboSliderFixture() {
    EXPECT_EQ(LComboSlider::Register(factory), S_OK);
    EXPECT_EQ(LSlider::Register(factory), S_OK);
    EXPECT_EQ(LPanel::Register(factory), S_OK);
  }
  void SetUp() override { ASSERT_TRUE(Open(ComboSliderSkin(), u"main")); }
  LComboSlider& Box(const char16_t* name) const { return Get<LComboSlider>(name); }
  static std::string TextOf(const LControl& control) { return Narrow(control.GetText()); }
};

TEST_F(ComboSliderFixture, TheBoxAndItsSliderHoldOneValueAndTheTextShowsIt) {
  LComboSlider& box = Box(u"right");
  ASSERT_NE(box.GetSlider(), nullptr);
  EXPECT_FALSE(box.IsDropDownShown());
  box.GetSlider()->SetNormalizedValue(0.5);
  EXPECT_DOUBLE_EQ(box.GetValue(), 63.5);
  EXPECT_EQ(TextOf(box), "64");
  box.SetValue(100);
  EXPECT_DOUBLE_EQ(box.GetSlider()->GetValue(), 100);
  EXPECT_EQ(box.GetSlider()->GetThumb()->GetRect().x, 100);
  EXPECT_EQ(TextOf(box), "100");

  LComboSlider& bare = Box(u"bare");
  bare.SetValue(7);
  EXPECT_EQ(TextOf(bare), "7");
  EXPECT_EQ(bare.ShowDropDown(true), E_FAIL);
}

TEST_F(ComboSliderFixture, AValueSetWhileTheSliderIsDraggedReachesTheSliderAtTheDragsEnd) {
  LComboSlider& box = Box(u"left");
  ASSERT_EQ(box.ShowDropDown(true), S_OK);
  Press(15, 45);  // the thumb, at (10, 30) in the window
  Move(25, 45);
  EXPECT_DOUBLE_EQ(box.GetValue(), 10);
  EXPECT_EQ(TextOf(box), "10");
  box.SetNormalizedValue(0.9);
  EXPECT_DOUBLE_EQ(box.GetNormalizedValue(), 0.9);
  EXPECT_DOUBLE_EQ(box.GetSlider()->GetValue(), 10);
  Release(25, 45);
  EXPECT_DOUBLE_EQ(box.GetSlider()->GetNormalizedValue(), 0.9);
  EXPECT_DOUBLE_EQ(box.GetNormalizedValue(), 0.9);
}

TEST_F(ComboSliderFixture, AnOpeningPanelStaysInsideTheWindow) {
  LComboSlider& right = Box(u"right");
  right.ShowDropDown(true);
  EXPECT_TRUE(right.IsDropDownShown());
  EXPECT_EQ(right.GetDropDownPanel()->GetRect().x, -60);
  LComboSlider& left = Box(u"left");
  left.ShowDropDown(true);
  EXPECT_EQ(left.GetDropDownPanel()->GetRect().x, 0);
  right.ShowDropDown(false);
  EXPECT_FALSE(right.IsDropDownShown());
}

TEST_F(ComboSliderFixture, TheLookShowsOpenHoverAndDisabled) {
  LComboSlider& box = Box(u"left");
  EXPECT_EQ(ShownLook(box), 0);
  Move(30, 20);
  EXPECT_EQ(ShownLook(box), 2);
  Click(30, 20);  // opens it
  EXPECT_TRUE(box.IsDropDownShown());
  EXPECT_EQ(ShownLook(box), 5);
  Move(380, 280);
  EXPECT_EQ(ShownLook(box), 4);
  Move(30, 20);
  Click(30, 20);  // closes it, the focus stays
  EXPECT_FALSE(box.IsDropDownShown());
  EXPECT_EQ(ShownLook(box), 3);
  box.SetEnabled(false);
  EXPECT_EQ(ShownLook(box), 6);
}

TEST_F(ComboSliderFixture, DraggingTheSliderOfAnOpenBoxKeepsItOpen) {
  LComboSlider& box = Box(u"left");
  Click(100, 20);
  ASSERT_TRUE(box.IsDropDownShown());
  Press(15, 45);
  EXPECT_TRUE(box.IsDropDownShown());
  Move(25, 45);
  EXPECT_DOUBLE_EQ(box.GetValue(), 10);
  Release(25, 45);
  EXPECT_TRUE(box.IsDropDownShown());
}

}  // namespace
}  // namespace HV::Test
