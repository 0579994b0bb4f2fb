// The level meter: the bar's length along the meter's axis, the peak marker
// between its low and high positions, the clip light with and without
// latching, and a value set directly.
#include "HVFramework/Controls/LLevelMeter.h"
#include "tests/HVFramework/Controls/ControlLibraryFixture.h"
#include "tests/support/NotificationRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;

// A horizontal meter 100 wide with its marker's low position at x 10 and its
// high one at x 90; a vertical one 200 tall whose marker rises from y 190 to
// y 10; one without "peakHi"; one without children.
constexpr const char* kSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Framework.LevelMeter" Name="wide" XSizeAbs="100" YSizeAbs="10">
    <SubControl Class="Test.Plain" Name="activeOverlay" XSizeAbs="100" YSizeAbs="10"/>
    <SubControl Class="Test.Plain" Name="peakLo" XPositionAbs="10" XSizeAbs="2" YSizeAbs="10"/>
    <SubControl Class="Test.Plain" Name="peakHi" XPositionAbs="90" XSizeAbs="2" YSizeAbs="10"/>
    <SubControl Class="Test.Plain" Name="clipButton" XPositionAbs="95" XSizeAbs="5" YSizeAbs="10"/>
  </SubControl>
  <SubControl Class="Framework.LevelMeter" Name="tall" XSizeAbs="10" YSizeAbs="200">
    <SubControl Class="Test.Plain" Name="activeOverlay" XSizeAbs="10" YSizeAbs="200"/>
    <SubControl Class="Test.Plain" Name="peakLo" YPositionAbs="190" XSizeAbs="10" YSizeAbs="2"/>
    <SubControl Class="Test.Plain" Name="peakHi" YPositionAbs="10" XSizeAbs="10" YSizeAbs="2"/>
    <SubControl Class="Test.Plain" Name="clipButton" XSizeAbs="10" YSizeAbs="5"/>
  </SubControl>
  <SubControl Class="Framework.LevelMeter" Name="noHigh" XSizeAbs="100" YSizeAbs="10">
    <SubControl Class="Test.Plain" Name="activeOverlay" XSizeAbs="100" YSizeAbs="10"/>
    <SubControl Class="Test.Plain" Name="peakLo" XPositionAbs="10" XSizeAbs="2" YSizeAbs="10"/>
  </SubControl>
  <SubControl Class="Framework.LevelMeter" Name="empty" XSizeAbs="100" YSizeAbs="10"/>
</Skin></Skins>)";

class LevelMeter : public ::testing::Test, public ControlLibraryFixture {
 protected:
  void SetUp() override { LoadControls(kSkin); }
  void TearDown() override {
    listener->UnregisterAllNotifications();
    UnloadControls();
  }

  static LControl& Child(LLevelMeter& meter, const char16_t* name) {
    return *meter.FindChildControl(StringW(name));
  }
  // The overlay's length on the meter's axis, or -1 while it is hidden.
  static double BarLength(LLevelMeter& meter) {
    LControl& bar = Child(meter, u"activeOverlay");
    if (!bar.GetLayout()->visible) return -1;
    return meter.IsVertical() ? bar.GetRect().height : bar.GetRect().width;
  }
  // The marker's position on the meter's axis, or -1 while it is hidden.
  static double MarkerAt(LLevelMeter& meter) {
    LControl& marker = Child(meter, u"peakLo");
    if (!marker.GetLayout()->visible) return -1;
    return meter.IsVertical() ? marker.GetRect().y : marker.GetRect().x;
  }
  // Clicks the clip light the way a button announces a click.
  static void ClickClipLight(LLevelMeter& meter) {
    Child(meter, u"clipButton").SendNotification(LNotification::Create(u"NID_LEFT_CLICK"));
  }

  NotificationLog log;
  const RCPtr<NotificationRecorder> listener = NotificationRecorder::Create("L", log);
};

TEST_F(LevelMeter, TheBarAndTheMarkerShowTheMetersToolTipAndTheClipLightItsOwn) {
  const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(u"wide");
  ASSERT_TRUE(meter);
  const struct {
    const char16_t* part;
    bool usesMeters;
  } cases[] = {{u"activeOverlay", true}, {u"peakLo", true}, {u"clipButton", false}};
  for (const auto& c : cases) EXPECT_EQ(Child(*meter, c.part).UsesParentToolTip(), c.usesMeters);
}

TEST_F(LevelMeter, TheBarGrowsAlongTheLongerSide) {
  const struct {
    const char16_t* meter;
    double level;
    double bar;  // -1: hidden
  } kCases[] = {
      {u"wide", 0.5, 50},  {u"wide", 0.004, -1}, {u"wide", 0.005, 1}, {u"wide", 1.0, 100},
      {u"wide", 1.5, 100}, {u"wide", -0.2, -1},  {u"tall", 0.75, 50}, {u"tall", 0.0, 200},
      {u"tall", 1.0, -1},  {u"tall", 0.997, 1},
  };
  for (const auto& c : kCases) {
    const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(c.meter);
    ASSERT_TRUE(meter);
    EXPECT_EQ(meter->SetLevel(c.level, 0), S_OK);
    EXPECT_EQ(BarLength(*meter), c.bar) << Narrow(StringW(c.meter)) << " at " << c.level;
  }
}

TEST_F(LevelMeter, ThePeakMarkerSitsBetweenItsLowAndHighPositions) {
  const struct {
    const char16_t* meter;
    double peak;
    double at;  // -1: hidden
  } kCases[] = {
      {u"wide", 0.5, 50}, {u"wide", 1.0, 90},  {u"wide", 0.0, -1}, {u"wide", 0.006, -1}, {u"wide", 0.007, 11},
      {u"wide", 2.0, 90}, {u"tall", 0.5, 100}, {u"tall", 1.0, 10}, {u"tall", 0.0, -1},
  };
  for (const auto& c : kCases) {
    const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(c.meter);
    meter->SetLevel(0.5, c.peak);
    EXPECT_EQ(MarkerAt(*meter), c.at) << Narrow(StringW(c.meter)) << " at peak " << c.peak;
  }
}

TEST_F(LevelMeter, WithoutAHighPositionNoPeakIsShown) {
  const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(u"noHigh");
  meter->SetLevel(0.5, 0.8);
  EXPECT_EQ(MarkerAt(*meter), -1);
  EXPECT_EQ(BarLength(*meter), 50);
}

TEST_F(LevelMeter, ASetValueMovesTheBarAndHidesThePeak) {
  const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(u"wide");
  meter->SetLevel(0.5, 0.5);
  ASSERT_EQ(MarkerAt(*meter), 50);
  meter->SetNormalizedValue(0.3);
  EXPECT_EQ(BarLength(*meter), 30);
  EXPECT_EQ(MarkerAt(*meter), -1);
}

TEST_F(LevelMeter, ALevelChangeIsAnnouncedOnce) {
  const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(u"wide");
  listener->RegisterNotification(RCPtr<LNotificationDistributor>(meter.Get()), u"NID_VALUE_CHANGE");
  meter->SetLevel(0.25, 0.5);
  meter->SetLevel(0.25, 0.75);  // the same level: the peak moves, nothing is announced
  EXPECT_THAT(log.Deliveries(), ElementsAre("L:NID_VALUE_CHANGE"));
  EXPECT_EQ(MarkerAt(*meter), 70);
}

TEST_F(LevelMeter, WithoutLatchingTheClipLightShowsOnlyTheCallAfterAChange) {
  const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(u"wide");
  std::vector<bool> lit;
  for (int32_t clip : {0, 1, 1, 2, 2}) {
    meter->SetLevelAndClip(0.5, 0, clip);
    lit.push_back(meter->IsClipLit());
  }
  EXPECT_THAT(lit, ElementsAre(false, true, false, true, false));
  EXPECT_EQ(meter->GetClipState(), 2);
  meter->SetClipState(7);  // stored without touching the light
  EXPECT_FALSE(meter->IsClipLit());
  meter->SetLevel(0.5, 0);
  EXPECT_FALSE(meter->IsClipLit());
}

TEST_F(LevelMeter, ALatchedClipLightStaysLitUntilClicked) {
  const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(u"wide");
  listener->RegisterNotification(RCPtr<LNotificationDistributor>(meter.Get()), u"NID_CLIPLIGHT_UNLATCHED");
  ASSERT_EQ(meter->SetClipLatching(true), S_OK);
  meter->SetLevelAndClip(0.5, 0, 1);
  meter->SetLevelAndClip(0.5, 0, 1);
  meter->SetLevel(0.6, 0);
  EXPECT_TRUE(meter->IsClipLit());

  ClickClipLight(*meter);
  EXPECT_FALSE(meter->IsClipLit());
  EXPECT_THAT(log.Deliveries(), ElementsAre("L:NID_CLIPLIGHT_UNLATCHED"));
  ClickClipLight(*meter);  // already off: nothing to announce
  EXPECT_EQ(log.Deliveries().size(), 1u);
}

TEST_F(LevelMeter, SwitchingLatchingTurnsTheLightOffFirst) {
  const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(u"wide");
  for (bool latch : {true, true, false, false}) {
    meter->SetLevelAndClip(0.5, 0, meter->GetClipState() + 1);
    ASSERT_TRUE(meter->IsClipLit());
    EXPECT_EQ(meter->SetClipLatching(latch), S_OK);
    EXPECT_FALSE(meter->IsClipLit()) << latch;
  }
  // Unlatched, a click on the light is no longer heard.
  listener->RegisterNotification(RCPtr<LNotificationDistributor>(meter.Get()), u"NID_CLIPLIGHT_UNLATCHED");
  meter->SetLevelAndClip(0.5, 0, meter->GetClipState() + 1);
  ClickClipLight(*meter);
  EXPECT_TRUE(meter->IsClipLit());
  EXPECT_TRUE(log.Deliveries().empty());
}

TEST_F(LevelMeter, WithoutAClipButtonLatchingFailsAndTheLevelStillShows) {
  const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(u"empty");
  EXPECT_EQ(meter->SetClipLatching(true), E_FAIL);
  EXPECT_EQ(meter->SetLevelAndClip(0.5, 0.5, 3), S_OK);
  EXPECT_FALSE(meter->IsClipLit());
  EXPECT_EQ(meter->GetNormalizedValue(), 0.5);
}

TEST_F(LevelMeter, NeitherTheMeterNorItsPartsTakeTheFocusAndTheyStartHidden) {
  const RCPtr<LLevelMeter> meter = Make<LLevelMeter>(u"wide");
  EXPECT_TRUE(meter->IsNotFocusable());
  for (const char16_t* name : {u"activeOverlay", u"peakLo", u"peakHi", u"clipButton"})
    EXPECT_TRUE(Child(*meter, name).IsNotFocusable()) << Narrow(StringW(name));
  EXPECT_FALSE(Child(*meter, u"peakHi").GetLayout()->visible);
  EXPECT_EQ(MarkerAt(*meter), -1);
  EXPECT_EQ(BarLength(*meter), -1);  // value 0
}

}  // namespace
}  // namespace HV::Test
