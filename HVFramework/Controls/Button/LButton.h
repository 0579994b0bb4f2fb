#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdint>

namespace HV {

class LControlFactory;

// LButton: push button, toggle button and radio button in one class. Its
// value is the control value used as a flag: 0.5 and above is "on". It shows
// one of fourteen looks for its state (see UpdateLook), can repeat
// "NID_BUTTON_AUTOREPEAT" while held, and can be clicked by program with a
// short visible press (SimulateClick, also on Enter and on a
// "NID_SIMULATE_CLICK" sent to it). All timing runs on idle ticks against
// the program clock. UI thread only.
class LButton : public LControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.Button";

  // Look indices: the "off" looks, then the same seven for "on".
  enum Look : int32_t {
    kLookNormal = 0,
    kLookHover = 1,
    kLookPressed = 2,
    kLookFocused = 3,  // added to the three above while the button has the focus
    kLookDisabled = 6,
    kLookOnOffset = 7,
  };

  LButton(LControl* parent, const StringW& name);

  // The create function registered for "Framework.Button".
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the control base ---
  // A radio button turning on turns its radio siblings off.
  void OnValueChanged() override;
  // The auto-repeat start and stop, then the look.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  void SetEnabled(bool enabled) override;
  // An auto-value button changes its value before "NID_LEFT_CLICK": a toggle
  // flips, a radio button turns (or stays) on.
  void OnActivate(const RCPtr<LMouseButtonParam>& param) override;
  // A passive button is never hit.
  bool ContainsPoint(const Point& point) const override;
  // Enter without modifiers clicks (SimulateClick); 1 for every other key.
  HResult ProcessKey(const RCPtr<LKeyParam>& key) override;
  // The simulated click first, then the auto-repeat.
  void OnIdleTick() override;
  // The base's failure unchanged; else the own handler and the create
  // parameters "AUTO_VALUE_SET" and "IS_RADIO". Throws a "Failed Result"
  // when the "NID_SIMULATE_CLICK" handler cannot be registered.
  HResult Initialize() override;
  // The button's own text when it is cut off, else its "TOOLTIP" text.
  StringW GetToolTipText() const override;
  // Ends the repeat and the simulated click with the idle request the base drops.
  HResult Detach() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // --- The button's own operations ---
  virtual HResult SetAutoValueSet(bool autoValueSet);
  virtual HResult SetRadio(bool isRadio);
  // Sets the value to 1 or 0; whether the button is now on.
  virtual bool SetChecked(bool checked);
  // Selects the look of the current state; a passive button and one showing
  // a simulated click keep theirs. 0.
  virtual HResult UpdateLook();
  // Shows the pressed look, takes the focus, and clicks when the flash time
  // has passed (a click still flashing is finished first).
  virtual void SimulateClick();

  bool IsChecked() const { return GetNormalizedValue() >= 0.5; }
  bool IsAutoValueSet() const { return mAutoValueSet; }
  bool IsRadio() const { return mIsRadio; }

  // Set by the controls that own the button (scroll bar, up-down, list items).
  void SetAutoRepeat(bool autoRepeat) { mAutoRepeat = autoRepeat; }
  bool IsAutoRepeat() const { return mAutoRepeat; }
  void SetPassive(bool passive) { mPassive = passive; }
  bool IsPassive() const { return mPassive; }
  void SetPressedWhileDraggedOutside(bool pressed) { mPressedWhileDraggedOutside = pressed; }
  bool IsPressedWhileDraggedOutside() const { return mPressedWhileDraggedOutside; }
  // Ends a running repeat as a release would.
  void StopRepeating();
  bool IsRepeating() const { return mRepeating; }
  bool IsClickFlashing() const { return mClickFlashing; }

  // Timing, in seconds of the program clock.
  static constexpr double kRepeatDelay = 0.3;
  static constexpr double kRepeatInterval = 0.1;
  static constexpr double kClickFlashDuration = 0.15;

 private:
  HResult OnSimulateClickRequest(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification);
  void ReadCreateParams();
  void RunAutoRepeat(uint32_t previous, uint32_t current);
  void StepAutoRepeat();
  void FinishClickFlash();
  // "NID_BUTTON_AUTOREPEAT" (for an auto-repeat button), then the left click.
  void ClickByProgram();
  void SendAutoRepeat();
  // Holds one idle request while a repeat or a simulated click runs.
  void UpdateIdleRequest();

  RCPtr<LNotificationHandler<LButton>> mHandler;
  bool mAutoValueSet = false;
  bool mIsRadio = false;
  bool mAutoRepeat = false;
  bool mPassive = false;
  bool mRepeating = false;
  bool mPressedWhileDraggedOutside = false;
  double mRepeatInterval = kRepeatInterval;
  double mRepeatDelay = kRepeatDelay;
  double mRepeatLastTime = 0;
  double mRepeatRemaining = 0;
  double mClickFlashDuration = kClickFlashDuration;
  double mClickFlashStart = 0;
  bool mClickFlashing = false;
  bool mHoldsIdle = false;
};

}  // namespace HV
