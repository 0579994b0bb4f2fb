// A control's value: the range between its position and its units, and the
// "NID_VALUE_CHANGE" it sends on each change.
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/LValueParam.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/RecorderControl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace HV::Test {
namespace {

class ControlValue : public ::testing::Test {
 protected:
  void TearDown() override { mListener->UnregisterAllNotifications(); }

  const RCPtr<LControl> mControl{new RecorderControl(nullptr, StringW(u"value"))};
  NotificationLog mLog;
  const RCPtr<NotificationRecorder> mListener = NotificationRecorder::Create("L", mLog);
};

TEST_F(ControlValue, PositionsAndValuesMapThroughTheRange) {
  struct Case {
    double start, end;
    int32_t scale;
    double position, value;    // NormalizedToValue(position) == value
    double asked, normalized;  // ValueToNormalized(asked) == normalized
  };
  const Case cases[] = {
      {0, 100, LControl::kLinear, 0.25, 25, 150, 1},
      {0, 100, LControl::kLinear, 1.5, 150, -3, 0},  // positions are not clamped, values are
      {1, 100, LControl::kLogarithmic, 0.5, 10, 10, 0.5},
      {1, 100, LControl::kLogarithmic, 0, 1, 1, 0},
      {10, 0, LControl::kLinear, 0.25, 7.5, 2.5, 0.75},  // a falling range
      {5, 5, LControl::kLinear, 0.5, 5, 5, 0},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(mControl->SetRange(c.start, c.end, c.scale), S_OK);
    EXPECT_NEAR(mControl->NormalizedToValue(c.position), c.value, 1e-12) << c.start << ".." << c.end;
    EXPECT_NEAR(mControl->ValueToNormalized(c.asked), c.normalized, 1e-12) << c.start << ".." << c.end;
  }
}

TEST_F(ControlValue, ALogarithmicRangeNeedsPositiveEnds) {
  ASSERT_EQ(mControl->SetRange(2, 8, LControl::kLinear), S_OK);
  for (auto [start, end, scale] : {std::tuple{0.0, 10.0, 1}, {1.0, -1.0, 1}, {1.0, 10.0, 2}, {1.0, 10.0, -1}})
    EXPECT_EQ(mControl->SetRange(start, end, scale), E_INVALIDARG) << start << "," << end << "," << scale;
  EXPECT_EQ(mControl->NormalizedToValue(0.5), 5);  // unchanged
  EXPECT_EQ(mControl->SetRange(1, 10, LControl::kLogarithmic), S_OK);
}

TEST_F(ControlValue, AChangeIsSentOnceWithItsValue) {
  ASSERT_NE(mListener->RegisterNotification(mControl, u"NID_VALUE_CHANGE"), nullptr);
  mControl->SetRange(0, 10, LControl::kLinear);
  EXPECT_EQ(mControl->SetNormalizedValue(1.5), 1.0);
  EXPECT_EQ(mControl->SetNormalizedValue(1.0), 1.0);
  EXPECT_EQ(mControl->SetValue(2.5), 2.5);
  const auto entries = mLog.GetEntries();
  ASSERT_EQ(entries.size(), 2u);
  const RCPtr<LValueParam> first = DynamicCast<LValueParam>(entries[0].notification->GetPayload());
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetNormalizedValue(), 1.0);
  EXPECT_EQ(first->GetValue(), 10.0);
  EXPECT_EQ(entries[0].source, mControl.Get());
  const RCPtr<LValueParam> second = DynamicCast<LValueParam>(entries[1].notification->GetPayload());
  ASSERT_TRUE(second);
  EXPECT_EQ(second->GetNormalizedValue(), 0.25);
}

// Counts the changes a control takes (each is also announced).
class ChangeCounter : public LControl {
 public:
  ChangeCounter() : LControl(nullptr, StringW(u"counter")) {}
  void OnValueChanged() override { ++changes; }
  int changes = 0;
};

// A skin's INITIAL_VALUE "nan" or a computed NaN is no position: it is neither
// stored nor announced. Infinities are clamped like any value beyond the ends.
TEST(ControlValueInput, NaNIsRefusedAndInfinitiesAreClamped) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const RCPtr<ChangeCounter> control(new ChangeCounter);
  ASSERT_EQ(control->SetRange(0, 10, LControl::kLinear), S_OK);
  control->SetNormalizedValue(0.5);
  control->changes = 0;
  struct Row {
    const char* what;
    double (*set)(LControl&, double);
    double input, normalized;
    int changes;
  } const rows[] = {
      {"position NaN", [](LControl& c, double v) { return c.SetNormalizedValue(v); }, kNaN, 0.5, 0},
      {"value NaN", [](LControl& c, double v) { return c.SetValue(v); }, kNaN, 0.5, 0},
      {"position +inf", [](LControl& c, double v) { return c.SetNormalizedValue(v); }, kInfinity, 1.0, 1},
      {"value -inf", [](LControl& c, double v) { return c.SetValue(v); }, -kInfinity, 0.0, 1},
  };
  for (const Row& row : rows) {
    control->changes = 0;
    row.set(*control, row.input);
    EXPECT_EQ(control->GetNormalizedValue(), row.normalized) << row.what;
    EXPECT_EQ(control->changes, row.changes) << row.what;
  }
}

TEST(ControlValueInput, RangesWithoutAFiniteSpanAreRefused) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  constexpr double kMax = std::numeric_limits<double>::max();
  const RCPtr<ChangeCounter> control(new ChangeCounter);
  ASSERT_EQ(control->SetRange(2, 8, LControl::kLinear), S_OK);
  const struct {
    double start, end;
    int32_t scale;
  } rows[] = {{kNaN, 10, LControl::kLinear},      {0, kNaN, LControl::kLinear},
              {0, kInfinity, LControl::kLinear},  {-kInfinity, 0, LControl::kLinear},
              {-kMax, kMax, LControl::kLinear},   {1, kInfinity, LControl::kLogarithmic},
              {kNaN, 10, LControl::kLogarithmic}};
  for (const auto& row : rows)
    EXPECT_EQ(control->SetRange(row.start, row.end, row.scale), E_INVALIDARG) << row.start << ".." << row.end;
  EXPECT_EQ(control->NormalizedToValue(0.5), 5);  // unchanged
}

}  // namespace
}  // namespace HV::Test
