// The centred slider in a root window: its bounds panels follow the thumb's
// centre through value changes, drags and page steps; its fills let clicks
// through to the track; a skin without a start marker cannot make one.
#include "HVFramework/Controls/CenteredSlider/LCenteredSlider.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"
#include "tests/support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::HasSubstr;

// "c" along x at (10, 10), markers 127 pixels apart, a 10-pixel thumb;
// "up" along y; both bounds panels of each start at 0 and are 30 wide.
std::string CenteredSkin() {
  return R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main" TabStop="-1">
    <SubControl Class="Framework.CenteredSlider" Name="c" XPositionAbs="10" YPositionAbs="10" XSizeAbs="160" YSizeAbs="20">
      <SubControl Class="Framework.Button" Name="thumbStart" XPositionAbs="0" YPositionAbs="0" XSizeAbs="10" YSizeAbs="20"/>
      <SubControl Class="Framework.Button" Name="thumbEnd" XPositionAbs="127" YPositionAbs="0" XSizeAbs="10" YSizeAbs="20"/>
      <SubControl Class="Framework.CenteredSliderBounds" Name="lowRangeBounds" XPositionAbs="0" YPositionAbs="0" XSizeAbs="30" YSizeAbs="20">
        <SubControl Class="Test.Input" Name="fill" XPositionAbs="0" YPositionAbs="0" XSizeAbs="30" YSizeAbs="20"/>
      </SubControl>
      <SubControl Class="Framework.CenteredSliderBounds" Name="highRangeBounds" XPositionAbs="0" YPositionAbs="0" XSizeAbs="30" YSizeAbs="20"/>
    </SubControl>
    <SubControl Class="Framework.CenteredSlider" Name="up" XPositionAbs="200" YPositionAbs="10" XSizeAbs="20" YSizeAbs="160">
      <SubControl Class="Framework.Button" Name="thumbStart" XPositionAbs="0" YPositionAbs="0" XSizeAbs="20" YSizeAbs="10"/>
      <SubControl Class="Framework.Button" Name="thumbEnd" XPositionAbs="0" YPositionAbs="127" XSizeAbs="20" YSizeAbs="10"/>
      <SubControl Class="Framework.CenteredSliderBounds" Name="highRangeBounds" XPositionAbs="0" YPositionAbs="0" XSizeAbs="20" YSizeAbs="30"/>
    </SubControl>
  </SubControl>
  <SubControl Class="Framework.CenteredSlider" Name="broken" XPositionAbs="0" YPositionAbs="0" XSizeAbs="100" YSizeAbs="20"/>
</Skin></Skins>)";
}

class CenteredSliderFixture : public ControlWindowFixture {
 protected:
  CenteredSliderFixture() {
    EXPECT_EQ(LCenteredSlider::Register(factory), S_OK);
    EXPECT_EQ(LPanel::Register(factory), S_OK);
  }
  void SetUp() override { ASSERT_TRUE(Open(CenteredSkin(), u"main")); }
  LCenteredSlider& C() const { return Get<LCenteredSlider>(u"c"); }
  // The stored absolute positions of both bounds panels on an axis.
  static std::vector<double> BoundsAt(const LCenteredSlider& slider, int axis) {
    std::vector<double> at;
    for (LControl* bounds : {slider.GetLowRangeBounds(), slider.GetHighRangeBounds()})
      if (bounds) at.push_back(bounds->GetLayout()->position[axis].absolute);
    return at;
  }
};

TEST_F(CenteredSliderFixture, BothBoundsMoveToTheThumbsCentreWithTheValue) {
  EXPECT_EQ(BoundsAt(C(), 0), (std::vector<double>{5, 5}));
  C().SetValue(40);
  EXPECT_EQ(C().GetThumb()->GetRect().x, 40);
  EXPECT_EQ(BoundsAt(C(), 0), (std::vector<double>{45, 45}));
  EXPECT_EQ(C().GetLowRangeBounds()->GetRect().x, 45);
  EXPECT_EQ(C().GetLowRangeBounds()->GetLayout()->size[0].absolute, 30);

  LCenteredSlider& up = Get<LCenteredSlider>(u"up");
  up.SetValue(100);
  EXPECT_EQ(BoundsAt(up, 1), (std::vector<double>{105}));
  EXPECT_EQ(BoundsAt(up, 0), (std::vector<double>{0}));
}

TEST_F(CenteredSliderFixture, TheThumbCanBeDraggedAndTheBoundsKeepUpWithIt) {
  Press(15, 20);
  Move(75, 20);
  EXPECT_EQ(C().GetThumb()->GetRect().x, 60);
  EXPECT_DOUBLE_EQ(C().GetValue(), 60);
  EXPECT_EQ(BoundsAt(C(), 0), (std::vector<double>{65, 65}));
  Release(75, 20);
}

TEST_F(CenteredSliderFixture, AClickOnAFillIsAClickOnTheTrack) {
  Click(35, 20);  // on the fill (content 5..35), beyond the thumb
  EXPECT_DOUBLE_EQ(C().GetNormalizedValue(), 0.1);
  EXPECT_EQ(BoundsAt(C(), 0), (std::vector<double>{18, 18}));
}

TEST_F(CenteredSliderFixture, ASkinWithoutAStartMarkerCannotMakeOne) {
  const std::string message =
      ThrownMessage([&] { factory.CreateControl(factory.FindControlDescriptor(StringW(u"broken")), nullptr); });
  EXPECT_THAT(message, HasSubstr("Null Pointer : Thumb Child was not created."));
  EXPECT_THAT(message, HasSubstr("HV::LCenteredSlider::SetBoundsPosFromThumbPos"));
}

}  // namespace
}  // namespace HV::Test
