// The slider in a root window: where the thumb sits for a value on
// horizontal, vertical and diagonal tracks; dragging it (with a value pushed
// in meanwhile); page steps on the track, once per click and repeating while
// held; arrow keys, the wheel, the gesture notifications and the looks.
#include "HVFramework/Controls/Slider/LSlider.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"
#include "tests/HVFramework/Controls/Slider/ValueGestureLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr uint32_t kUp = 0x26, kDown = 0x28, kLeft = 0x25, kRight = 0x27;

// Three sliders whose markers lie 127 pixels apart on their main axis, so one
// unit of 0..127 is one pixel: "h" at (10, 10) along x, "v" at (200, 10)
// along y, and "d" at (10, 100) from (0, 0) to (100, 50). "other" takes the
// focus away.
std::string SliderSkin() {
  return ControlWindowFixture::SolidLooks("SliderLook", 3) + R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main" TabStop="-1">
    <SubControl Class="Framework.Slider" Name="h" XPositionAbs="10" YPositionAbs="10" XSizeAbs="160" YSizeAbs="20" TabStop="0">
      <Skin Name="L" LookList="SliderLook"/>
      <SubControl Class="Framework.Button" Name="thumbStart" XPositionAbs="0" YPositionAbs="0" XSizeAbs="10" YSizeAbs="20"/>
      <SubControl Class="Framework.Button" Name="thumbEnd" XPositionAbs="127" YPositionAbs="0" XSizeAbs="10" YSizeAbs="20"/>
    </SubControl>
    <SubControl Class="Framework.Slider" Name="v" XPositionAbs="200" YPositionAbs="10" XSizeAbs="20" YSizeAbs="160" TabStop="0">
      <Skin Name="L" LookList="SliderLook"/>
      <SubControl Class="Framework.Button" Name="thumbStart" XPositionAbs="0" YPositionAbs="0" XSizeAbs="20" YSizeAbs="10"/>
      <SubControl Class="Framework.Button" Name="thumbEnd" XPositionAbs="0" YPositionAbs="127" XSizeAbs="20" YSizeAbs="10"/>
    </SubControl>
    <SubControl Class="Framework.Slider" Name="d" XPositionAbs="10" YPositionAbs="100" XSizeAbs="150" YSizeAbs="150" TabStop="0">
      <Skin Name="L" LookList="SliderLook"/>
      <SubControl Class="Framework.Button" Name="thumbStart" XPositionAbs="0" YPositionAbs="0" XSizeAbs="10" YSizeAbs="10"/>
      <SubControl Class="Framework.Button" Name="thumbEnd" XPositionAbs="100" YPositionAbs="50" XSizeAbs="10" YSizeAbs="10"/>
    </SubControl>
    <SubControl Class="Test.Input" Name="other" XPositionAbs="300" YPositionAbs="250" XSizeAbs="40" YSizeAbs="20" TabStop="1"/>
  </SubControl>
</Skin></Skins>)";
}

class SliderFixture : public ControlWindowFixture {
 protected:
  SliderFixture() {
    EXPECT_EQ(LSlider::Register(factory), S_OK);
    EXPECT_EQ(LPanel::Register(factory), S_OK);
  }
  void SetUp() override {
    ASSERT_TRUE(Open(SliderSkin(), u"main"));
    Listen(RCPtr<LNotificationDistributor>(&H()), "h",
           {u"NID_VALUE_CHANGE_CAPTURE", u"NID_VALUE_CHANGE_KEY_DOWN", u"NID_VALUE_CHANGE_KEY_UP"});
  }
  LSlider& H() const { return Get<LSlider>(u"h"); }
  LSlider& V() const { return Get<LSlider>(u"v"); }
  LSlider& D() const { return Get<LSlider>(u"d"); }
  static std::vector<double> ThumbAt(const LSlider& slider) {
    const LControl::Rect& rect = slider.GetThumb()->GetRect();
    return {rect.x, rect.y};
  }
  std::vector<std::string> Gestures() { return DescribeValueGestures(log); }
};

TEST_F(SliderFixture, TheThumbIsACopyOfTheStartMarkerAndTheMarkersAreHidden) {
  for (LSlider* slider : {&H(), &V(), &D()}) {
    ASSERT_NE(slider->GetThumb(), nullptr);
    EXPECT_EQ(slider->GetThumb()->GetName(), StringW(u"thumb"));
    EXPECT_TRUE(slider->GetThumb()->IsVisible());
    EXPECT_FALSE(slider->GetThumbStart()->IsVisible());
    EXPECT_FALSE(slider->GetThumbEnd()->IsVisible());
    EXPECT_EQ(slider->GetThumb()->GetRect().width, slider->GetThumbStart()->GetRect().width);
    EXPECT_EQ(slider->NormalizedToValue(1), 127);
  }
}

TEST_F(SliderFixture, TheThumbSitsOnTheTrackWhereTheValueSays) {
  struct Row {
    const char* slider;
    double position;
    std::vector<double> at;
  };
  const Row rows[] = {
      {"h", 0, {0, 0}},    {"h", 1, {127, 0}},   {"h", 0.5, {64, 0}},  {"h", 10 / 127.0, {10, 0}},
      {"v", 0.5, {0, 64}}, {"v", 1, {0, 127}},   {"d", 0.5, {50, 25}}, {"d", 0.3, {30, 15}},
      {"d", 1, {100, 50}}, {"h", 1.5, {127, 0}}, {"h", -1, {0, 0}},
  };
  for (const Row& row : rows) {
    LSlider& slider = row.slider[0] == 'h' ? H() : row.slider[0] == 'v' ? V() : D();
    slider.SetNormalizedValue(row.position);
    EXPECT_EQ(ThumbAt(slider), row.at) << row.slider << " at " << row.position;
  }
}

TEST_F(SliderFixture, DraggingAHorizontalThumbMovesItAlongXOnlyWithinTheMarkers) {
  Press(15, 20);  // the thumb's centre: held 5 pixels in
  Move(45, 27);
  EXPECT_TRUE(H().IsDragging());
  EXPECT_EQ(ThumbAt(H()), (std::vector<double>{30, 0}));
  EXPECT_DOUBLE_EQ(H().GetValue(), 30);
  Move(400, 0);
  EXPECT_EQ(ThumbAt(H()), (std::vector<double>{127, 0}));
  EXPECT_DOUBLE_EQ(H().GetNormalizedValue(), 1);
  Move(-50, 20);
  EXPECT_EQ(ThumbAt(H()), (std::vector<double>{0, 0}));
  EXPECT_DOUBLE_EQ(H().GetNormalizedValue(), 0);
  Release(-50, 20);
  EXPECT_FALSE(H().IsDragging());
  EXPECT_THAT(Gestures(), ElementsAre("capture true", "capture false"));
}

TEST_F(SliderFixture, ADiagonalThumbLandsOnThePerpendicularFootOfThePointer) {
  Press(15, 105);  // the thumb's centre
  Move(75, 105);   // thumb corner wanted at (60, 0): its foot on y = x / 2 is (48, 24)
  EXPECT_EQ(ThumbAt(D()), (std::vector<double>{48, 24}));
  EXPECT_NEAR(D().GetNormalizedValue(), 0.48, 1e-12);
  Move(400, 400);  // far beyond the end: kept in the markers' box
  EXPECT_EQ(ThumbAt(D()), (std::vector<double>{100, 50}));
  EXPECT_DOUBLE_EQ(D().GetNormalizedValue(), 1);
  Release(400, 400);
}

TEST_F(SliderFixture, AValueSetDuringADragWaitsForItsEndAndAnInvalidOneIsDropped) {
  Press(15, 20);
  Move(25, 20);
  ASSERT_TRUE(H().IsDragging());
  EXPECT_DOUBLE_EQ(H().SetNormalizedValue(0.75), 10 / 127.0);
  EXPECT_EQ(ThumbAt(H()), (std::vector<double>{10, 0}));
  Release(25, 20);
  EXPECT_DOUBLE_EQ(H().GetNormalizedValue(), 0.75);
  EXPECT_EQ(ThumbAt(H()), (std::vector<double>{95, 0}));

  Press(110, 20);  // the thumb's centre again
  Move(120, 20);
  H().SetNormalizedValue(1.5);
  Release(120, 20);
  EXPECT_DOUBLE_EQ(H().GetValue(), 95 + 10);
  EXPECT_EQ(H().GetPendingPosition(), -1.0);
}

TEST_F(SliderFixture, AQuickClickOnTheTrackStepsAPageOnReleaseButNeverPastThePointer) {
  Press(110, 20);  // content x 100: the thumb's centre wanted at 95
  EXPECT_DOUBLE_EQ(H().GetNormalizedValue(), 0);
  Release(110, 20);
  EXPECT_DOUBLE_EQ(H().GetNormalizedValue(), 0.1);

  H().SetNormalizedValue(0.5);  // thumb at 64
  Click(85, 20);                // content 75: the thumb's corner wanted at 70, within a page
  EXPECT_DOUBLE_EQ(H().GetValue(), 70);
  Click(30, 20);  // before the thumb: a page back
  EXPECT_NEAR(H().GetValue(), 70 - 12.7, 1e-9);
}

TEST_F(SliderFixture, HoldingTheTrackStepsAfterTheDelayThenEveryIntervalUntilThePointer) {
  Press(110, 20);
  EXPECT_TRUE(H().IsAutoRepeating());
  const struct {
    uint32_t ms;
    double position;
  } steps[] = {{299, 0}, {1, 0.1}, {99, 0.1}, {1, 0.2}, {100, 0.3}, {100, 0.4}, {100, 0.5},
               {100, 0.6}, {100, 0.7}, {100, 95 / 127.0}, {100, 95 / 127.0}};
  for (const auto& step : steps) {
    Advance(step.ms);
    Idle();
    EXPECT_NEAR(H().GetNormalizedValue(), step.position, 1e-9) << "after " << step.ms << " ms more";
  }
  Release(110, 20);
  EXPECT_NEAR(H().GetNormalizedValue(), 95 / 127.0, 1e-9);
  EXPECT_FALSE(H().IsAutoRepeating());
  EXPECT_EQ(H().GetIdleRequestCount(), 0);
}

TEST_F(SliderFixture, ArrowKeysAndTheWheelStepOneUnitWithinTheRange) {
  Click(15, 20);  // the thumb takes the focus
  ASSERT_EQ(window->GetFocusControl(), H().GetThumb());
  const struct {
    uint32_t key;
    double value;
  } keys[] = {{kUp, 1}, {kRight, 2}, {kLeft, 1}, {kDown, 0}, {kDown, 0}};
  for (const auto& row : keys) {
    Key(row.key);
    EXPECT_DOUBLE_EQ(H().GetValue(), row.value) << row.key;
  }
  Key(kUp, kShift);  // not the slider's
  EXPECT_DOUBLE_EQ(H().GetValue(), 0);

  Wheel(100, 20, 120 * 3);
  EXPECT_DOUBLE_EQ(H().GetValue(), 3);
  Wheel(100, 20, -120);
  EXPECT_DOUBLE_EQ(H().GetValue(), 2);
  Wheel(100, 20, 120, true);
  EXPECT_DOUBLE_EQ(H().GetValue(), 3);
  H().SetNormalizedValue(1);
  Wheel(100, 20, 120);
  EXPECT_DOUBLE_EQ(H().GetValue(), 127);
}

TEST_F(SliderFixture, AHeldArrowAnnouncesItselfOnceAndItsEndOrTheLossOfFocus) {
  Click(15, 20);
  Gestures();
  Key(kRight);
  Key(kRight, 0, true);
  Key(kRight, 0, true);
  KeyUp(kRight);
  EXPECT_THAT(Gestures(), ElementsAre("key down", "key up"));
  EXPECT_DOUBLE_EQ(H().GetValue(), 3);

  Key(kLeft);
  Click(310, 260);  // "other" takes the focus while the key is held
  EXPECT_THAT(Gestures(), ElementsAre("key down", "key up (no key)"));
}

TEST_F(SliderFixture, TheLookShowsFocusInsideAndDisabled) {
  Click(310, 260);
  EXPECT_EQ(ShownLook(H()), 0);
  Click(15, 20);
  EXPECT_EQ(ShownLook(H()), 1);
  H().SetEnabled(false);
  EXPECT_EQ(ShownLook(H()), 2);
  H().SetEnabled(true);
  EXPECT_EQ(ShownLook(H()), 0);
  Click(15, 20);
  EXPECT_EQ(ShownLook(H()), 1);
  Click(310, 260);
  EXPECT_EQ(ShownLook(H()), 0);
}

TEST_F(SliderFixture, OnlyAThumbMayJoinWithoutADescriptor) {
  const RCPtr<LControl> stranger(new LControl(nullptr, StringW(u"stranger")));
  EXPECT_EQ(H().AddChildControl(stranger, nullptr), E_FAIL);
  EXPECT_EQ(stranger->GetParent(), nullptr);
}

}  // namespace
}  // namespace HV::Test
