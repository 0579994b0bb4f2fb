// The progress bar: bar width and percentage for a value, the time-remaining
// text, and the estimate from the application's clock.
#include "HVFramework/Controls/LProgressBar.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "tests/HVFramework/Controls/ControlLibraryFixture.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

constexpr const char* kSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Framework.ProgressBar" Name="progress" XSizeAbs="200" YSizeAbs="20">
    <SubControl Class="Test.Plain" Name="activeOverlay" XSizeAbs="200" YSizeAbs="20"/>
    <SubControl Class="Framework.Label" Name="percentCompleteLabel" XSizeAbs="40" YSizeAbs="20"/>
    <SubControl Class="Test.TextLog" Name="timeRemainingLabel" XPositionAbs="40" XSizeAbs="160" YSizeAbs="20"/>
  </SubControl>
</Skin></Skins>)";

LProgressBar::TimeWords EnglishWords() {
  return {StringW(u"Hour"),   StringW(u"Hours"),   StringW(u"Minute"),   StringW(u"Minutes"),
          StringW(u"Second"), StringW(u"Seconds"), StringW(u"Remaining")};
}

TEST(ProgressBarText, TimeRemainingNamesHoursMinutesAndSeconds) {
  const struct {
    int32_t seconds;
    const char* text;
  } kCases[] = {
      {3725, "1 Hour 2 Minutes 5 Seconds Remaining"},
      {3600, "1 Hour 0 Minutes 0 Seconds Remaining"},
      {7201, "2 Hours 0 Minutes 1 Second Remaining"},
      {3661, "1 Hour 1 Minute 1 Second Remaining"},
      {61, "1 Minute 1 Second Remaining"},
      {120, "2 Minutes 0 Seconds Remaining"},
      {45, "45 Seconds Remaining"},
      {1, "1 Second Remaining"},
      {0, "0 Seconds Remaining"},
      {-5, "0 Seconds Remaining"},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(Narrow(LProgressBar::FormatTimeRemaining(c.seconds, EnglishWords())), c.text) << c.seconds;
}

class ProgressBar : public ::testing::Test, public ControlLibraryFixture {
 protected:
  void SetUp() override {
    const char* kWords[][2] = {{"HOURS_SINGULAR", "Hour"},     {"HOURS_PLURAL", "Hours"},
                               {"MINUTES_SINGULAR", "Minute"}, {"MINUTES_PLURAL", "Minutes"},
                               {"SECONDS_SINGULAR", "Second"}, {"SECONDS_PLURAL", "Seconds"},
                               {"REMAINING", "Remaining"}};
    std::string table = "<StringTable ID=\"|App\">";
    for (const auto& word : kWords) table += Text(word[0], word[1]);
    LoadControls(kSkin, StringTables(table + "</StringTable>"));
    bar = Make<LProgressBar>(u"progress");
    ASSERT_TRUE(bar);
  }
  void TearDown() override {
    bar = nullptr;
    UnloadControls();
  }

  LControl& Child(const char16_t* name) { return *bar->FindChildControl(StringW(name)); }
  TextLogControl& TimeLabel() { return static_cast<TextLogControl&>(Child(u"timeRemainingLabel")); }
  // The overlay's width, or -1 while it is hidden.
  double BarWidth() {
    LControl& overlay = Child(u"activeOverlay");
    return overlay.GetLayout()->visible ? overlay.GetRect().width : -1;
  }
  std::string Percentage() { return Narrow(Child(u"percentCompleteLabel").GetText()); }
  // Moves the clock to an application time in seconds.
  void At(double seconds) {
    clock.Advance(static_cast<uint32_t>(seconds * 1000 - Platform::GetSecondsSinceStart() * 1000 + 0.5));
  }

  Platform::VirtualClock clock;
  RCPtr<LProgressBar> bar;
};

TEST_F(ProgressBar, StartsEmptyWithTheTimeHiddenAndARangeOfAHundred) {
  EXPECT_EQ(BarWidth(), -1);
  EXPECT_EQ(Percentage(), "0");
  EXPECT_FALSE(Child(u"timeRemainingLabel").GetLayout()->visible);
  EXPECT_TRUE(bar->IsNotFocusable());
  bar->SetNormalizedValue(0.25);
  EXPECT_EQ(bar->GetValue(), 25);
}

TEST_F(ProgressBar, TheBarAndThePercentageFollowTheValue) {
  const struct {
    double value;
    double width;  // -1: hidden
    const char* percent;
  } kCases[] = {
      {0.25, 50, "25"}, {0.001, -1, "0"},  {0.0025, 1, "0"},
      {0.5, 100, "50"}, {1.0, 200, "100"}, {0.0, -1, "0"},
  };
  for (const auto& c : kCases) {
    bar->SetNormalizedValue(c.value);
    EXPECT_EQ(BarWidth(), c.width) << c.value;
    EXPECT_EQ(Percentage(), c.percent) << c.value;
  }
}

TEST_F(ProgressBar, SetTimeRemainingShowsTheTextInTheApplicationsWords) {
  bar->SetTimeRemaining(3725);
  EXPECT_TRUE(Child(u"timeRemainingLabel").GetLayout()->visible);
  EXPECT_EQ(Narrow(Child(u"timeRemainingLabel").GetText()), "1 Hour 2 Minutes 5 Seconds Remaining");
}

TEST_F(ProgressBar, TheEstimateUsesTheAverageRateSinceItBegan) {
  At(10);
  bar->SetNormalizedValue(0.2);
  bar->SetTimeEstimation(true);
  At(20);
  bar->SetNormalizedValue(0.4);  // 0.02 a second: 0.6 takes 30 s
  EXPECT_TRUE(Child(u"timeRemainingLabel").GetLayout()->visible);
  EXPECT_EQ(TimeLabel().texts.back(), "30 Seconds Remaining");

  At(20.5);
  bar->SetNormalizedValue(0.45);  // a sample within the second: the average since 10 s still counts
  EXPECT_EQ(TimeLabel().texts.back(), "23 Seconds Remaining");
}

TEST_F(ProgressBar, NoEstimateWhileTheValueDoesNotRiseOrTheClockStands) {
  At(10);
  bar->SetNormalizedValue(0.2);
  bar->SetTimeEstimation(true);
  bar->SetNormalizedValue(0.3);  // no time went by
  At(15);
  bar->SetNormalizedValue(0.1);  // the value fell
  EXPECT_TRUE(TimeLabel().texts.empty());
  EXPECT_FALSE(Child(u"timeRemainingLabel").GetLayout()->visible);
  EXPECT_TRUE(bar->IsEstimating());
}

TEST_F(ProgressBar, ReachingTheEndMakesALastEstimateAndStopsEstimating) {
  At(10);
  bar->SetTimeEstimation(true);
  At(12);
  bar->SetNormalizedValue(1.0);
  EXPECT_EQ(TimeLabel().texts.back(), "0 Seconds Remaining");
  EXPECT_FALSE(bar->IsEstimating());
  bar->SetNormalizedValue(0.5);
  At(13);
  bar->SetNormalizedValue(0.6);
  EXPECT_EQ(TimeLabel().texts.size(), 1u);
}

TEST_F(ProgressBar, SwitchingEstimationOnAgainRestartsTheAverage) {
  At(10);
  bar->SetTimeEstimation(true);
  At(20);
  bar->SetNormalizedValue(0.1);  // 0.01 a second: 90 s
  EXPECT_EQ(TimeLabel().texts.back(), "1 Minute 30 Seconds Remaining");
  bar->SetTimeEstimation(false);
  At(30);
  bar->SetNormalizedValue(0.2);  // not estimating
  EXPECT_EQ(TimeLabel().texts.size(), 1u);
  bar->SetTimeEstimation(true);
  At(31);
  bar->SetNormalizedValue(0.4);  // 0.2 a second since 30 s: 3 s
  EXPECT_EQ(TimeLabel().texts.back(), "3 Seconds Remaining");
}

}  // namespace
}  // namespace HV::Test
