#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"

namespace HV {

class LControlFactory;

// LProgressBar: the progress of a long task as a growing bar, a percentage
// label and, on request, an estimate of the time left. The value is the
// control's normalised value (0..1; range 0..100). The skin gives the
// children "activeOverlay" (the bar, sized horizontally),
// "percentCompleteLabel" and "timeRemainingLabel". UI thread only.
class LProgressBar : public LControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.ProgressBar";

  // The words of the time-remaining text, from the application's strings.
  struct TimeWords {
    StringW hourSingular, hourPlural;
    StringW minuteSingular, minutePlural;
    StringW secondSingular, secondPlural;
    StringW remaining;
  };

  LProgressBar(LControl* parent, const StringW& name) : LControl(parent, name) {}

  // The create function registered for "Framework.ProgressBar".
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // Shows the time label with the text for seconds left.
  virtual void SetTimeRemaining(int32_t seconds);
  // On: estimates from now and the current value on; off: no estimates.
  virtual void SetTimeEstimation(bool on);
  bool IsEstimating() const { return mEstimating; }

  void OnValueChanged() override;
  HResult Initialize() override;
  HResult OnCreated() override;

  // "1 Hour 2 Minutes 5 Seconds Remaining": hours and minutes only when there
  // are any (minutes also when there are hours), seconds always; a count
  // below 1 gives "0 Seconds Remaining".
  static StringW FormatTimeRemaining(int32_t seconds, const TimeWords& words);
  // The bar's width in whole pixels for a value 0..1; 0 hides the bar.
  static int32_t ComputeBarWidth(double barWidth, double value);
  // Seconds left at the average rate since the estimate began, in whole
  // seconds; the caller makes sure that the value rose and time went by.
  static int32_t EstimateSecondsRemaining(double value, double startValue, double startTime, double now);

 private:
  void ShowBar(double value);
  void ShowPercentage(double value);
  void UpdateEstimate(double value);

  RCPtr<LControl> mActiveOverlay;
  RCPtr<LControl> mTimeRemainingLabel;
  RCPtr<LControl> mPercentCompleteLabel;
  TimeWords mWords;
  double mStartTime = 0;  // seconds of application time
  double mStartValue = 0;
  double mLastSampleTime = 0;
  double mLastSampleValue = 0;
  bool mEstimating = false;
};

}  // namespace HV
