#pragma once

#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/Slider/ValueInput.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/Utilities/Geometry/PointT.h"

#include <cstdint>

namespace HV {

class LControlFactory;

// LSlider: the linear slider. Its skin gives two marker children,
// "thumbStart" and "thumbEnd", at the ends of the track; the slider makes a
// third, "thumb", as a copy of "thumbStart" and moves it on the straight line
// between them, so a track may be horizontal, vertical or diagonal. The value
// is the control value (0..1) over the range 0..127. The user drags the
// thumb, holds the left button on the track (page steps toward the pointer,
// repeating), uses the arrow keys or the wheel (one unit each). A value set
// from outside while the thumb is dragged waits for the drag's end.
// Looks: 0 normal, 1 focus inside, 2 disabled. UI thread only.
class LSlider : public LPanel {
 public:
  static constexpr const WChar* kClassName = u"Framework.Slider";

  enum Look : int32_t { kLookNormal = 0, kLookFocused = 1, kLookDisabled = 2 };

  LSlider(LControl* parent, const StringW& name);
  ~LSlider() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the control base ---
  // During a thumb drag the value is only kept for the drag's end (the
  // current position is returned); otherwise SetSliderPosition.
  double SetNormalizedValue(double value) override;
  // The thumb follows the value after every layout pass.
  HResult UpdateLayout() override;
  // Auto-repeat on the track; the focus and enabled looks.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  HResult OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& param) override;
  HResult OnMouseWheelOther(const RCPtr<LMouseWheelParam>& param) override;
  // A click on the track: one page step toward the click.
  void OnActivate(const RCPtr<LMouseButtonParam>& param) override;
  // The arrow keys the thumb did not use; others go to the panel.
  HResult OnChildKey(const RCPtr<LKeyParam>& key) override;
  void OnIdleTick() override;
  // E_FAIL when the panel fails; makes the thumb from "thumbStart".
  HResult Initialize() override;
  // A child without a descriptor is taken only when it is a "thumb" (it
  // gets a copy of "thumbStart"'s); any other is refused with E_FAIL.
  HResult AddChildControl(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) override;
  // Hides the markers and takes the thumb's anchor for track clicks.
  HResult OnCreated() override;
  HResult Detach() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // --- The slider's own operations ---
  // Sets the value through the base setter (clamped, "NID_VALUE_CHANGE"),
  // places the thumb; the position then held.
  virtual double SetSliderPosition(double position);
  // The value of the thumb's current place.
  virtual void UpdateValueFromThumb();
  // Puts the thumb where the value says; nothing while it is dragged.
  virtual void PlaceThumb();
  // The thumb's place for a pointer at (x, y) (content coordinates) during
  // a drag: the pointer less the grab offset, projected on the track and
  // kept within the markers' bounding box.
  virtual PointT<int32_t> ProjectPointToTrack(int32_t x, int32_t y) const;
  // The value of a thumb at (x, y): its distance from "thumbStart" over the
  // track's length, unclamped; 0 for a track of no length.
  virtual double TrackPointToPosition(double x, double y) const;
  virtual double GetSliderPosition() const { return GetNormalizedValue(); }
  // One page step toward a point of the track (content coordinates), never
  // past it.
  void StepTowardPoint(int32_t x, int32_t y);

  LControl* GetThumb() const { return mThumb.Get(); }
  LControl* GetThumbStart() const { return mThumbStart.Get(); }
  LControl* GetThumbEnd() const { return mThumbEnd.Get(); }
  bool IsDragging() const { return mDragging; }
  bool IsAutoRepeating() const { return mAutoRepeatActive; }
  double GetPageStep() const { return mPageStep; }
  void SetPageStep(double step) { mPageStep = step; }
  double GetPendingPosition() const { return mPendingPosition; }

  // Timing of the track's page repeat, in seconds.
  static constexpr double kRepeatDelay = 0.3;
  static constexpr double kRepeatInterval = 0.1;

 protected:
  // A point of the slider's own coordinates in the coordinates its
  // children are placed in.
  Point LocalToContent(double x, double y) const;
  // Writes the thumb's absolute place on both axes in one layout pass.
  void MoveThumbTo(const PointT<int32_t>& at);

 private:
  HResult OnThumbLeftDrag(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnThumbMove(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  // "thumbStart"'s descriptor under the name "thumb", with a layout free of
  // docking, anchors, relative positions and tab stop; null without one.
  RCPtr<LControlDescriptor> MakeThumbDescriptor() const;
  void BindThumb();
  void StopAutoRepeat();
  void OnLayoutChanged();
  void UpdateLook(uint32_t previous, uint32_t current);

  RCPtr<LNotificationHandler<LSlider>> mHandler;
  RCPtr<LControl> mThumb;
  RCPtr<LControl> mThumbStart;
  RCPtr<LControl> mThumbEnd;
  bool mDragging = false;
  int32_t mGrabOffsetX = 0;
  int32_t mGrabOffsetY = 0;
  double mPageStep = 0.1;
  bool mAutoRepeatActive = false;
  double mLastRepeatTime = 0;
  double mRepeatDelay = 0;
  double mPendingPosition = -1.0;
  ValueArrowKeys mArrowKeys;
  int32_t mAnchorX = 0;
  int32_t mAnchorY = 0;
  bool mPlacingThumb = false;  // a thumb move re-lays the slider out
};

}  // namespace HV
