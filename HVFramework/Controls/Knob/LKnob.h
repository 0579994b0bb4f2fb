#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Controls/Slider/ValueInput.h"

#include <cstdint>

namespace HV {

class LControlFactory;

// LKnob: the rotary knob, drawn as a film strip: its look list holds one
// look per position (the frames, from index 0 to the first empty slot), and
// the shown frame follows the value (0..1 over 0..127). After the frames
// and an empty slot the skin may give a focus look and a disabled look,
// whose client image is laid over every frame while the knob has the focus
// or is disabled. The user turns it by dragging, with one of two gestures
// the skin chooses: linear (right or up increases, in whole steps; Ctrl for
// fine steps) or radial (the value follows the pointer's angle around the
// centre between a start and an end angle). Arrow keys and the wheel step
// one unit. A value set from outside during a drag waits for its end.
// UI thread only.
class LKnob : public LControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.Knob";

  LKnob(LControl* parent, const StringW& name);
  ~LKnob() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the control base ---
  // During a drag only kept for its end (the current value is returned).
  double SetNormalizedValue(double value) override;
  // Shows the frame of the value.
  void OnValueChanged() override;
  // Drag start and end, the held key on focus loss, the overlays.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  // The drag's gesture.
  void OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) override;
  HResult OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& param) override;
  HResult OnMouseWheelOther(const RCPtr<LMouseWheelParam>& param) override;
  // The arrow keys (0); 1 for every other key.
  HResult ProcessKey(const RCPtr<LKeyParam>& key) override;
  // The create parameters "LINEAR_GESTURE_FULL_RANGE",
  // "RADIAL_GESTURE_START_ANGLE", "RADIAL_GESTURE_END_ANGLE" and
  // "FINE_ADJUST_MULTIPLIER"; the base's failure unchanged.
  HResult Initialize() override;
  // Counts the frames, finds the overlays, the linear travel and the centre.
  HResult OnCreated() override;

  // --- The knob's own operations ---
  // The radial gesture for a point in the knob's coordinates; 1 (nothing
  // set) for the centre itself, else 0.
  int32_t SetValueFromAngle(double x, double y);

  bool IsRadial() const { return mRadialMode != 0; }
  int32_t GetLinearFullRange() const { return mLinearFullRange; }
  double GetRadialStartAngle() const { return mRadialStartAngle; }
  double GetRadialEndAngle() const { return mRadialEndAngle; }
  double GetFineAdjustMultiplier() const { return mFineAdjustMultiplier; }
  uint32_t GetFrameCount() const { return mFrameCount; }
  int32_t GetFocusLookIndex() const { return mFocusLookIndex; }
  int32_t GetDisabledLookIndex() const { return mDisabledLookIndex; }
  PointT<int32_t> GetCentre() const { return {mCentreX, mCentreY}; }

 private:
  void ReadCreateParams();
  void DragLinear(const LPointWithModifiersParam& point);
  // Lays the client image of the look at index over every frame, or with
  // index -1 takes the overlays off.
  void ApplyOverlay(int32_t lookIndex);
  void UpdateOverlays(uint32_t previous, uint32_t current);

  int32_t mRadialMode = 0;
  int32_t mLinearFullRange = 0;
  double mRadialStartAngle = 0.0;
  double mRadialEndAngle = 0.0;
  double mFineAdjustMultiplier = 0.0;
  uint32_t mFrameCount = 0;
  int32_t mLastPointX = 0;
  int32_t mLastPointY = 0;
  int32_t mPreviousPointX = 0;
  int32_t mPreviousPointY = 0;
  int32_t mCentreX = 0;
  int32_t mCentreY = 0;
  double mPendingPosition = -1.0;
  int32_t mFocusLookIndex = -1;
  int32_t mDisabledLookIndex = -1;
  ValueArrowKeys mArrowKeys;
};

}  // namespace HV
