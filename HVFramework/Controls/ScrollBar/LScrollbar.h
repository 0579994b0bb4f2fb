#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Views/IScrollBar.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdint>

namespace HV {

class LControlFactory;

// LScrollbar: the scroll bar. Its value is the control value (0..1) over a
// range (0..100 by default). The skin gives it up to four parts, found by
// name: the buttons "dec" and "inc", which step a line and repeat while
// held; the "channel", where a press beside the thumb steps a page and
// repeats while held on that side; and inside the channel the "thumb",
// which follows a drag. The arrow keys, Page Up/Down, Home and End of the
// bar's siblings move it too. A scroll view sets its range, steps and thumb
// proportion (IScrollBar) and follows its value. UI thread only.
class LScrollbar : public LControl, public IScrollBar {
 public:
  static constexpr const WChar* kClassName = u"Framework.ScrollBar";

  // The keys the bar answers (SetKeyFlags).
  enum KeyFlag : uint32_t {
    kKeyUp = 0x01,
    kKeyDown = 0x02,
    kKeyLeft = 0x04,
    kKeyRight = 0x08,
    kKeyPageUp = 0x10,
    kKeyPageDown = 0x20,
    kKeyHome = 0x40,
    kKeyEnd = 0x80,
  };
  // Where a point of the channel lies: before the thumb, after it, or neither.
  enum ChannelPart : int32_t { kNoPart = 0, kBeforeThumb = 1, kAfterThumb = 2 };

  LScrollbar(LControl* parent, const StringW& name);
  ~LScrollbar() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the control base ---
  // During a thumb drag only stored, to be applied when the drag ends (the
  // current value is returned); otherwise clamped, set and the thumb placed.
  double SetNormalizedValue(double value) override;
  // The value in range units stays where the new range still holds it.
  // E_INVALIDARG (range kept) as the base.
  HResult SetRange(double start, double end, int32_t scaleType) override;
  // The channel's travel is measured again after each layout pass.
  HResult UpdateLayout() override;
  HResult Initialize() override;
  // The bar and its parts take no focus; the thumb is at least as long as thick.
  HResult OnCreated() override;
  // The channel's page repeat.
  void OnIdleTick() override;
  HResult Detach() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // --- IScrollBar ---
  double GetLineStep() const override { return mLineStep; }
  void SetLineStep(double step) override { mLineStep = step; }
  double GetPageStep() const override { return mPageStep; }
  void SetPageStep(double step) override { mPageStep = step; }
  double GetThumbProportion() const override { return mThumbProportion; }
  // Resizes the thumb.
  void SetThumbProportion(double proportion) override;

  // --- The bar's own operations ---
  // Which keys the bar answers (KeyFlag); E_INVALIDARG when the mask does
  // not fit in 8 bits (its low byte is stored all the same).
  HResult SetKeyFlags(uint32_t mask);
  uint32_t GetKeyFlags() const { return mKeyFlags; }
  bool IsVertical() const { return mVertical != 0; }
  // The channel's travel along the axis and its origin in the bar.
  void MeasureChannel();
  // Thumb length from the proportion (at least the minimum), then PlaceThumb.
  void ResizeThumb();
  // Puts the thumb where the value says, unless it is being dragged.
  void PlaceThumb();
  // The value of a thumb at position, through the base setter; then PlaceThumb.
  void ThumbMovedTo(double position);
  // kBeforeThumb, kAfterThumb or kNoPart for a point in the channel's client
  // coordinates.
  int32_t ChannelPartAt(const Point& point) const;
  double GetThumbLength() const { return mThumbLength; }
  double GetChannelEnd() const { return mChannelEnd; }
  bool IsDraggingThumb() const { return mDragging; }

  // Timing of the channel's page repeat, in seconds.
  static constexpr double kPageRepeatDelay = 0.4;
  static constexpr double kPageRepeatInterval = 0.2;

 private:
  HResult OnChannelLeftDrag(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnChannelHover(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnThumbMove(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnThumbLeftDrag(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnButtonRepeat(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnSiblingKey(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  void StepPage(int32_t part);
  void EndPaging();
  // The channel's look 1 over the pressed side while the pointer is there.
  void UpdateChannelLooks();
  // The pointer in the channel's client coordinates; false without a window.
  bool GetPointerInChannel(Point& point) const;
  RCPtr<LControl> FindChannel() const { return FindChildControl(StringW(u"channel")); }
  int32_t Axis() const { return mVertical ? 1 : 0; }
  double ThumbStart() const;
  void SetThumbAxis(double position, double length);

  RCPtr<LNotificationHandler<LScrollbar>> mBarHandler;
  int32_t mVertical = 1;
  RCPtr<LControl> mThumb;
  double mLineStep = 0.02;
  double mPageStep = 0.2;
  double mThumbProportion = 0.1;
  double mMinThumbLength = 10.0;
  double mThumbLength = 0;
  double mChannelStart = 0;
  double mChannelEnd = 0;
  double mChannelOffset = 0;
  bool mDragging = false;
  int32_t mGrabOffset[2] = {0, 0};
  int32_t mPressedPart = kNoPart;
  double mPageLastTime = 0;
  double mPageRemaining = 0;
  bool mPagingIdle = false;  // the idle request of a channel press
  double mPendingValue = -1.0;
  uint32_t mKeyFlags = 0;
  bool mListensForKeys = false;
};

}  // namespace HV
