// The knob in a root window: its create parameters and frame count, the
// frame shown for a value, the linear gesture (steps, the axis lock, fine
// adjustment with Ctrl), the radial gesture and its dead zone, a value
// pushed in during a drag, arrow keys, the wheel and the gesture
// notifications.
#include "HVFramework/Controls/Knob/LKnob.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"
#include "tests/HVFramework/Controls/Slider/ValueGestureLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;

constexpr uint32_t kUp = 0x26, kDown = 0x28, kRight = 0x27;

std::string Params(std::initializer_list<std::pair<const char*, const char*>> params) {
  std::string out = "<CreateParamList>";
  for (const auto& [id, text] : params)
    out += std::string("<CreateParam ID=\"") + id + "\">" + text + "</CreateParam>";
  return out + "</CreateParamList>";
}

std::string Knob(const char* name, int x, int y, const char* looks, const std::string& params = "") {
  return std::string("<SubControl Class=\"Framework.Knob\" Name=\"") + name + "\" XPositionAbs=\"" +
         std::to_string(x) + "\" YPositionAbs=\"" + std::to_string(y) +
         "\" XSizeAbs=\"40\" YSizeAbs=\"40\"><Skin Name=\"K\" LookList=\"" + looks + "\"/>" + params +
         "</SubControl>";
}

// Frame looks of 64, 100, 30 and 300 frames.
std::string KnobSkin() {
  std::string looks = ControlWindowFixture::SolidLooks("Frame", 300);
  std::string lists;
  for (int count : {64, 100, 30}) {
    lists += "<LookList Name=\"Frames" + std::to_string(count) + "\" NumLooks=\"" + std::to_string(count) + "\">";
    for (int i = 0; i < count; ++i)
      lists += "<Look Name=\"Frame" + std::to_string(i) + "\" Index=\"" + std::to_string(i) + "\"/>";
    lists += "</LookList>";
  }
  looks.replace(looks.find("</LookLists>"), 0, lists);
  return looks + "<Skins><Skin Name=\"S\"><SubControl Class=\"Test.Input\" Name=\"main\" TabStop=\"-1\">" +
         Knob("lin", 10, 10, "Frames64") +
         Knob("rad", 60, 10, "Frames64",
              Params({{"RADIAL_GESTURE_START_ANGLE", "225"}, {"RADIAL_GESTURE_END_ANGLE", "135"}})) +
         Knob("wrapped", 110, 10, "Frames64",
              Params({{"RADIAL_GESTURE_START_ANGLE", "-90"}, {"RADIAL_GESTURE_END_ANGLE", "720"}})) +
         Knob("zero", 160, 10, "Frames64",
              Params({{"RADIAL_GESTURE_START_ANGLE", "0"}, {"RADIAL_GESTURE_END_ANGLE", "0"},
                      {"FINE_ADJUST_MULTIPLIER", "0.5"}, {"LINEAR_GESTURE_FULL_RANGE", "200"}})) +
         Knob("hundred", 10, 60, "Frames100") + Knob("thirty", 60, 60, "Frames30") +
         Knob("many", 110, 60, "Frame") +
         Knob("tiny", 160, 60, "Frames64", Params({{"LINEAR_GESTURE_FULL_RANGE", "1"}})) +
         "<SubControl Class=\"Test.Input\" Name=\"other\" XPositionAbs=\"300\" YPositionAbs=\"250\" "
         "XSizeAbs=\"40\" YSizeAbs=\"20\" TabStop=\"1\"/></SubControl></Skin></Skins>";
}

class KnobFixture : public ControlWindowFixture {
 protected:
  KnobFixture() { EXPECT_EQ(LKnob::Register(factory), S_OK); }
  void SetUp() override {
    ASSERT_TRUE(Open(KnobSkin(), u"main"));
    Listen(RCPtr<LNotificationDistributor>(&Named(u"lin")), "lin",
           {u"NID_VALUE_CHANGE_CAPTURE", u"NID_VALUE_CHANGE_KEY_DOWN", u"NID_VALUE_CHANGE_KEY_UP"});
  }
  LKnob& Named(const char16_t* name) const { return Get<LKnob>(name); }
  std::vector<std::string> Gestures() { return DescribeValueGestures(log); }
  // A point at `degrees` clockwise from straight up, `radius` from the centre.
  static LControl::Point AtAngle(const LKnob& knob, double degrees, double radius = 10) {
    const double a = degrees * std::numbers::pi / 180;
    return {knob.GetCentre().x + radius * std::sin(a), knob.GetCentre().y - radius * std::cos(a)};
  }
};

TEST_F(KnobFixture, CreateParametersChooseTheGestureAndItsTravel) {
  struct Row {
    const char16_t* name;
    bool radial;
    double start, end, fine;
    int32_t range;
    uint32_t frames;
  };
  const Row rows[] = {
      {u"lin", false, 0, 0, 0.25, 128, 64},     {u"rad", true, 225, 135, 0.25, 0, 64},
      {u"wrapped", true, 270, 0, 0.25, 0, 64},  {u"zero", false, 0, 0, 0.5, 200, 64},
      {u"hundred", false, 0, 0, 0.25, 100, 100}, {u"thirty", false, 0, 0, 0.25, 120, 30},
      // Past 256 frames a frame still gets a pixel; a travel of 1 gets 2.
      {u"many", false, 0, 0, 0.25, 300, 300},    {u"tiny", false, 0, 0, 0.25, 2, 64},
  };
  for (const Row& row : rows) {
    const LKnob& knob = Named(row.name);
    EXPECT_EQ(knob.IsRadial(), row.radial) << Narrow(StringW(row.name));
    EXPECT_EQ(knob.GetRadialStartAngle(), row.start) << Narrow(StringW(row.name));
    EXPECT_EQ(knob.GetRadialEndAngle(), row.end) << Narrow(StringW(row.name));
    EXPECT_EQ(knob.GetFineAdjustMultiplier(), row.fine) << Narrow(StringW(row.name));
    EXPECT_EQ(knob.GetLinearFullRange(), row.range) << Narrow(StringW(row.name));
    EXPECT_EQ(knob.GetFrameCount(), row.frames) << Narrow(StringW(row.name));
  }
  EXPECT_EQ(Named(u"lin").GetCentre().x, 20);
  EXPECT_EQ(Named(u"lin").GetFocusLookIndex(), -1);
}

TEST_F(KnobFixture, TheShownFrameFollowsTheValue) {
  LKnob& knob = Named(u"lin");
  EXPECT_EQ(ShownLook(knob), 0);
  const struct {
    double value;
    int frame;
  } rows[] = {{0.5, 32}, {1, 63}, {0.1, 6}, {0, 0}};
  for (const auto& row : rows) {
    knob.SetNormalizedValue(row.value);
    EXPECT_EQ(ShownLook(knob), row.frame) << row.value;
  }
}

TEST_F(KnobFixture, ALinearDragCoversTheRangeIn128PixelsRightOrUp) {
  LKnob& knob = Named(u"lin");
  Press(30, 30);
  Move(40, 30);
  EXPECT_DOUBLE_EQ(knob.GetValue(), 10);
  Move(40, 20);  // up
  EXPECT_DOUBLE_EQ(knob.GetValue(), 20);
  Move(157, 20);
  EXPECT_DOUBLE_EQ(knob.GetNormalizedValue(), 1);
  Move(157, 400);
  EXPECT_DOUBLE_EQ(knob.GetNormalizedValue(), 0);
  Release(157, 400);
  EXPECT_THAT(Gestures(), ElementsAre("capture true", "capture false"));
}

TEST_F(KnobFixture, ADiagonalMoveKeepsTheAxisTheRecentMotionFavours) {
  LKnob& knob = Named(u"lin");
  Press(30, 30);
  Move(35, 30);
  EXPECT_DOUBLE_EQ(knob.GetValue(), 5);
  Move(38, 34);  // (3, 4) after a move right: the y part is dropped
  EXPECT_DOUBLE_EQ(knob.GetValue(), 8);
  Move(41, 37);  // (3, 3): both parts kept, and they cancel
  EXPECT_DOUBLE_EQ(knob.GetValue(), 8);
  Release(41, 37);
}

TEST_F(KnobFixture, CtrlGivesAQuarterOfTheChangeInFinerSteps) {
  LKnob& knob = Named(u"lin");
  Press(30, 30);
  Move(34, 30, kCtrl);
  EXPECT_DOUBLE_EQ(knob.GetNormalizedValue(), 4 / 511.0);
  Move(38, 30);
  EXPECT_NEAR(knob.GetNormalizedValue(), std::round(127 * (4 / 511.0 + 4 / 127.0)) / 127, 1e-12);
  Release(38, 30);
}

TEST_F(KnobFixture, TheRadialGestureFollowsTheAngleAndSplitsTheDeadZone) {
  LKnob& knob = Named(u"rad");
  const struct {
    double degrees, value;
  } rows[] = {{270, 1 / 6.0}, {225.5, 0.5 / 270}, {0, 135 / 270.0}, {135, 1}, {180, 1}, {200, 0}, {181, 0}};
  for (const auto& row : rows) {
    knob.SetNormalizedValue(0.3);
    const LControl::Point at = AtAngle(knob, row.degrees);
    EXPECT_EQ(knob.SetValueFromAngle(at.x, at.y), 0);
    EXPECT_NEAR(knob.GetNormalizedValue(), row.value, 1e-9) << row.degrees;
  }
  EXPECT_EQ(knob.SetValueFromAngle(knob.GetCentre().x, knob.GetCentre().y), 1);
  EXPECT_NEAR(knob.GetNormalizedValue(), 0, 1e-9);
}

TEST_F(KnobFixture, ARadialDragJumpsToThePressedAngle) {
  LKnob& knob = Named(u"rad");
  Press(70, 30);  // straight left of the centre (80, 30): 270 degrees
  Move(69, 30);
  EXPECT_NEAR(knob.GetNormalizedValue(), 1 / 6.0, 1e-9);
  Move(80, 50);  // straight down: the dead zone's middle counts as the end
  EXPECT_DOUBLE_EQ(knob.GetNormalizedValue(), 1);
  Release(80, 50);
}

TEST_F(KnobFixture, AValueSetDuringADragWaitsForItsEnd) {
  LKnob& knob = Named(u"lin");
  Press(30, 30);
  Move(40, 30);
  EXPECT_DOUBLE_EQ(knob.SetNormalizedValue(0.5), 10 / 127.0);
  Move(42, 30);
  EXPECT_DOUBLE_EQ(knob.GetValue(), 12);
  Release(42, 30);
  EXPECT_DOUBLE_EQ(knob.GetNormalizedValue(), 0.5);
  EXPECT_EQ(ShownLook(knob), 32);
}

TEST_F(KnobFixture, ArrowKeysAndTheWheelStepOneUnitAndAHeldKeyIsAnnounced) {
  LKnob& knob = Named(u"lin");
  Click(30, 30);
  ASSERT_TRUE(knob.HasFocus());
  Gestures();
  Key(kUp);
  Key(kUp, 0, true);
  KeyUp(kUp);
  EXPECT_DOUBLE_EQ(knob.GetValue(), 2);
  Key(kDown, kShift);  // not the knob's
  EXPECT_DOUBLE_EQ(knob.GetValue(), 2);
  Wheel(30, 30, -120);
  Wheel(30, 30, 120, true);
  Wheel(30, 30, 120, true);
  EXPECT_DOUBLE_EQ(knob.GetValue(), 3);
  Key(kRight);
  Click(310, 260);
  EXPECT_THAT(Gestures(), ElementsAre("key down", "key up", "key down", "key up (no key)"));
}

}  // namespace
}  // namespace HV::Test
