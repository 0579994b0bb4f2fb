#include "HVFramework/Controls/LProgressBar.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

namespace HV {
namespace {

// The application's running time: the estimate's clock. Tests install a
// virtual clock in its place.
double ApplicationSeconds() { return Platform::GetSecondsSinceStart(); }

LProgressBar::TimeWords ReadTimeWords() {
  LProgressBar::TimeWords words;
  LControlFactory* factory = GetApplicationControlFactory();
  const RCPtr<LStringTable> table = factory ? factory->GetApplicationStringTable() : nullptr;
  if (!table) return words;
  const struct {
    const WChar* id;
    StringW LProgressBar::TimeWords::*word;
  } kRows[] = {
      {u"HOURS_SINGULAR", &LProgressBar::TimeWords::hourSingular},
      {u"HOURS_PLURAL", &LProgressBar::TimeWords::hourPlural},
      {u"MINUTES_SINGULAR", &LProgressBar::TimeWords::minuteSingular},
      {u"MINUTES_PLURAL", &LProgressBar::TimeWords::minutePlural},
      {u"SECONDS_SINGULAR", &LProgressBar::TimeWords::secondSingular},
      {u"SECONDS_PLURAL", &LProgressBar::TimeWords::secondPlural},
      {u"REMAINING", &LProgressBar::TimeWords::remaining},
  };
  for (const auto& row : kRows) table->GetString(StringW(row.id), words.*row.word);
  return words;
}

// "<count> <singular or plural> " for one unit.
StringW CountedUnit(int32_t count, const StringW& singular, const StringW& plural) {
  return StringW::FromFormat(u"%d ", count) + (count == 1 ? singular : plural) + StringW(u" ");
}

}  // namespace

RCPtr<LControl>& LProgressBar::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                      const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LProgressBar>(result, parent, descriptor);
}

HResult LProgressBar::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LProgressBar::Create);
}

// --- Computations ---

StringW LProgressBar::FormatTimeRemaining(int32_t seconds, const TimeWords& words) {
  if (seconds < 0) seconds = 0;
  const int32_t hours = seconds / 3600;
  const int32_t minutes = seconds % 3600 / 60;
  StringW text;
  if (hours > 0) {
    text += CountedUnit(hours, words.hourSingular, words.hourPlural);
    if (minutes == 0) text += CountedUnit(0, words.minuteSingular, words.minutePlural);
  }
  if (minutes >= 1) text += CountedUnit(minutes, words.minuteSingular, words.minutePlural);
  text += CountedUnit(seconds % 60, words.secondSingular, words.secondPlural);
  return text + words.remaining;
}

int32_t LProgressBar::ComputeBarWidth(double barWidth, double value) {
  return RoundToInt32(barWidth * value);
}

int32_t LProgressBar::EstimateSecondsRemaining(double value, double startValue, double startTime,
                                               double now) {
  const double rate = (value - startValue) / (now - startTime);
  return RoundToInt32((1.0 - value) / rate);
}

// --- Value and estimate ---

void LProgressBar::SetTimeEstimation(bool on) {
  if (on == mEstimating) return;
  mEstimating = on;
  if (!on) return;
  mStartTime = mLastSampleTime = ApplicationSeconds();
  mStartValue = mLastSampleValue = GetNormalizedValue();
}

void LProgressBar::SetTimeRemaining(int32_t seconds) {
  if (!mTimeRemainingLabel) return;
  mTimeRemainingLabel->SetVisible(true);
  mTimeRemainingLabel->SetText(FormatTimeRemaining(seconds, mWords));
}

void LProgressBar::OnValueChanged() {
  const double value = GetNormalizedValue();
  ShowBar(value);
  ShowPercentage(value);
  if (mEstimating) UpdateEstimate(value);
}

void LProgressBar::ShowBar(double value) {
  if (!mActiveOverlay) return;
  const int32_t width = ComputeBarWidth(GetRect().width, value);
  if (width <= 0) {
    mActiveOverlay->SetVisible(false);
    return;
  }
  mActiveOverlay->SetVisible(true);
  const LLayoutDescriptor& layout = *mActiveOverlay->GetLayout();
  const LLayoutPosition position = layout.position[0];
  const bool docked = layout.docked[0];
  mActiveOverlay->SetAxisLayout(0, position, LLayoutSize{2, {}, 0, static_cast<double>(width)}, docked);
}

void LProgressBar::ShowPercentage(double value) {
  if (mPercentCompleteLabel) mPercentCompleteLabel->SetText(StringW::FromFormat(u"%.0lf", value * 100.0));
}

// Averages over the whole estimate; the latest sample only decides whether
// the value rose and time went by since (refreshed at most once a second),
// so no estimate divides by zero.
void LProgressBar::UpdateEstimate(double value) {
  const double now = ApplicationSeconds();
  if (value - mLastSampleValue > 0 && now - mLastSampleTime > 0) {
    if (now - mLastSampleTime > 1) {
      mLastSampleValue = value;
      mLastSampleTime = now;
    }
    SetTimeRemaining(EstimateSecondsRemaining(value, mStartValue, mStartTime, now));
  }
  if (value >= 1) mEstimating = false;
}

// --- Creation ---

HResult LProgressBar::Initialize() {
  const HResult result = LControl::Initialize();
  if (result < 0) return result;
  mActiveOverlay = FindChildControl(StringW(u"activeOverlay"));
  mTimeRemainingLabel = FindChildControl(StringW(u"timeRemainingLabel"));
  mPercentCompleteLabel = FindChildControl(StringW(u"percentCompleteLabel"));
  if (mTimeRemainingLabel) mTimeRemainingLabel->SetVisible(false);
  mWords = ReadTimeWords();
  SetNormalizedValue(0);
  SetRange(0.0, 100.0, kLinear);
  return result;
}

HResult LProgressBar::OnCreated() {
  SetNotFocusable(true);
  OnValueChanged();
  return S_OK;
}

}  // namespace HV
