#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"

#include <cstdint>

namespace HV {

// What the value controls (slider, centred slider, knob) share of their
// input: one unit of the control's value range per wheel step or arrow key,
// and the notifications that frame a gesture for listeners that record it
// ("NID_VALUE_CHANGE_CAPTURE", "NID_VALUE_CHANGE_KEY_DOWN" and "_KEY_UP").
// UI thread only.

// Moves the value by whole units of its range through the control's own
// SetNormalizedValue (so a control that defers outside values defers these too).
void StepValueByUnits(LControl& control, double units);

// Wheel up (1) and right (3) add a unit, down (0) and left (2) take one; S_OK.
HResult StepValueByWheel(LControl& control, const RCPtr<LMouseWheelParam>& param);

// "NID_VALUE_CHANGE_CAPTURE" from the control with an LHolder<bool>: true
// when a drag starts, false when it ends.
void SendValueCapture(LControl& control, bool captured);

// The arrow keys of a value control: Up and Right add a unit, Left and Down
// take one (exact key-down codes: a modifier makes the key someone else's).
// The first key-down of a hold sends "NID_VALUE_CHANGE_KEY_DOWN", the
// arrow's key-up "NID_VALUE_CHANGE_KEY_UP", both with the key.
class ValueArrowKeys {
 public:
  // S_OK when the key was one of the arrows' (handled), else S_FALSE.
  HResult Handle(LControl& control, const RCPtr<LKeyParam>& key);
  // The focus left while a key was held: "NID_VALUE_CHANGE_KEY_UP" without
  // a key, as no key-up will come.
  void ReleaseOnFocusLoss(LControl& control);
  bool IsKeyHeld() const { return mKeyHeld; }

 private:
  bool mKeyHeld = false;
};

}  // namespace HV
