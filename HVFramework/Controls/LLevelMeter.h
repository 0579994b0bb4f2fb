#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <array>

namespace HV {

class LControlFactory;

// LLevelMeter: a level bar with a peak marker and a clip light, driven wholly
// by its caller (no timer, no decay, no peak hold of its own). The skin gives
// the children "activeOverlay" (the bar, sized along the meter's axis),
// "peakLo" (the marker, placed where a peak of 0 sits), "peakHi" (where a
// peak of 1 puts the marker) and "clipButton" (the light: value 1 lit, 0 off).
// The axis is the longer side at creation. UI thread only.
class LLevelMeter : public LControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.LevelMeter";

  LLevelMeter(LControl* parent, const StringW& name) : LControl(parent, name) {}

  // The create function registered for "Framework.LevelMeter".
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // SetLevelAndClip with the clip count last passed in.
  virtual HResult SetLevel(double level, double peak);
  // Lights the clip light when the count differs from the last one (else turns
  // it off unless latching), sets the meter's value to level, sizes the bar
  // and places the peak marker; 0.
  virtual HResult SetLevelAndClip(double level, double peak, int32_t clip);
  // Turns the light off, then keeps it lit after a clip until the user clicks
  // it (latch) or not; E_FAIL without a clip button.
  virtual HResult SetClipLatching(bool latch);
  virtual bool IsClipLit() const;
  virtual int32_t GetClipState() const { return mClipState; }
  // Stores the count without touching the light.
  virtual void SetClipState(int32_t clip) { mClipState = clip; }

  // A value set directly moves the bar and hides the peak marker.
  void OnValueChanged() override;
  HResult Initialize() override;
  HResult OnCreated() override;

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) override;

  // The bar's length along the axis for a level, in whole pixels: the lit
  // part of a horizontal meter, the unlit part above the level of a vertical
  // one; below 1 the bar is hidden.
  static int32_t ComputeBarLength(double meterLength, double level, bool vertical);
  // How far the marker sits from its low position for a peak: the span from
  // low to high times the peak, in whole pixels; 0 hides the marker.
  static int32_t ComputePeakOffset(double low, double high, double peak);

  bool IsVertical() const { return mVertical != 0; }

 private:
  HResult OnClipButtonClick(const RCPtr<LNotificationDistributor>& source,
                            const RCPtr<LNotification>& notification);
  void UpdateClipLight(int32_t clip);
  void SizeBar(double level);
  void PlacePeakMarker(double peak);
  void SetClipLight(bool lit);
  int32_t Axis() const { return mVertical; }

  RCPtr<LNotificationHandler<LLevelMeter>> mHandler;
  int32_t mClipState = 0;
  bool mClipLatching = false;
  LControl::Point mPeakLoPosition;
  LControl::Point mPeakHiPosition;
  // The marker's layout offsets at its low position, per axis: the marker is
  // moved by writing these plus its offset.
  std::array<double, 2> mPeakLoLayoutOffset{0, 0};
  RCPtr<LControl> mPeakMarker;
  RCPtr<LControl> mActiveOverlay;
  RCPtr<LControl> mClipButton;
  bool mSettingLevel = false;
  int32_t mVertical = 0;  // the axis of all placement: 0 x, 1 y
};

}  // namespace HV
