#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Views/IScrollBar.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <array>
#include <cstdint>

namespace HV {

// LScrollView: a control that shows a content area (its client extent)
// larger than itself through its scroll offset. Its skin may give it a
// vertical bar "vBar", a horizontal bar "hBar" and a "corner" between them;
// a bar is shown only while the content does not fit, by giving the corner
// (or, without one, the bar itself) its size across the bar, against which
// the skin lays the bars out. The bars' ranges, steps and thumbs follow the
// extent and the visible size; moving a bar or the wheel scrolls the view.
// The base of the panel, the dialog, the list box and the text box.
// User-interface thread only.
class LScrollView : public LControl {
 public:
  enum AutoExtent : int32_t { kAutoOff = 0, kAutoWidth = 1, kAutoHeight = 2, kAutoBoth = 3 };

  LScrollView(LControl* parent, const StringW& name);
  ~LScrollView() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // --- The content ---
  // 1 (nothing done) when both values are within 2.2e-15 of the stored ones;
  // else stores them, lays the bars out, sends "NID_CLIENT_EXTENT_CHANGE"; 0.
  HResult SetClientExtent(double width, double height);
  const Point& GetClientExtent() const { return mClientExtent; }
  // The extent follows the children's bounds (plus the margins) on the axes
  // of mode (AutoExtent). 0.
  HResult SetAutoClientExtent(int32_t mode, int32_t marginX, int32_t marginY);
  int32_t GetAutoClientExtent() const { return mAutoExtent; }
  // On an axis scrolled by items the bar counts whole items of itemSize pixels.
  void SetScrollByItems(int32_t axis, bool byItems, int32_t itemSize);
  // A left drag on the view scrolls it (drag mode 6, with a fling at the release).
  void SetDragScrolling(bool shouldDragScroll) { mDragScrolling = shouldDragScroll; }
  bool IsDragScrolling() const { return mDragScrolling; }

  // --- Bars ---
  LControl* GetHorizontalBar() const { return mHorizontal.control.Get(); }
  LControl* GetVerticalBar() const { return mVertical.control.Get(); }
  LControl* GetCorner() const { return mCorner.Get(); }
  // The corner's size when there is a corner, else (vertical bar's width,
  // horizontal bar's height), 0 for a missing bar.
  Point GetCornerSize() const;
  // Whether the bar across axis' direction (0 horizontal, 1 vertical) takes room now.
  bool IsBarShown(int32_t axis) const;
  // Lays the bars out for the extent and the visible size; then they are
  // in step with the scroll offset.
  virtual void UpdateScrollBars();

  // --- Scrolling ---
  // Moves the bars to the offset without hearing back from them, then
  // scrolls there.
  virtual HResult ScrollTo(const Point& offset);
  HResult SetScrollOffset(const Point& offset) override;
  // (0, 0) to (extent - visible size) on each axis, never below 0; an axis
  // without extent is unbounded (2^52).
  Rect GetScrollRange() const override;
  // The look's client rectangle less the room of the shown bars.
  virtual Rect GetViewportRect() const;
  // The part of the content the viewport shows, in content coordinates, at
  // least 1 x 1.
  Rect GetVisibleArea() const;

  // --- Overrides of the control base ---
  HResult CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  HResult Initialize() override;
  HResult ApplyCreateParams() override;
  HResult UpdateLayout() override;
  HResult OnChildRectChanged(LControl* child) override;
  void OnChildRemoved(LControl* child, int32_t index) override;
  Point GetMaximumSize() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  HResult OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& param) override;
  HResult OnMouseWheelOther(const RCPtr<LMouseWheelParam>& param) override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // Hooks for derived views: the viewport changed size or place; a bar
  // (axis 1 vertical, 0 horizontal) was shown or hidden.
  virtual void OnClientAreaChanged() {}
  virtual void OnBarShownOrHidden(int32_t /*axis*/) {}

 protected:
  // The automatic extent from the children's bounds; 1 when it is off.
  HResult UpdateAutoClientExtent();
  // Each child's rectangle rounded to whole pixels: the largest far edge on
  // each axis among the children not docked on it, at least 0.
  Point GetChildrenBounds();

 private:
  struct Bar {
    RCPtr<LControl> control;
    IScrollBar* steps = nullptr;  // the same control as a scroll bar
  };
  HResult OnBarValueChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  void BindBars();
  void LayOutBars();
  void ShowBar(int32_t axis, bool show);
  void UpdateBar(int32_t axis);
  // The bar that scrolls along axis (0 x: the horizontal one); null when missing.
  const Bar& BarAlong(int32_t axis) const { return axis == 0 ? mHorizontal : mVertical; }
  bool IsBarUsable(const Bar& bar) const;
  HResult StepBar(const Bar& bar, uint32_t modifiers, bool negate);

  RCPtr<LNotificationHandler<LScrollView>> mScrollHandler;
  bool mUpdating = false;
  bool mInScrollOffsetChange = false;
  bool mInLayout = false;
  bool mIgnoreBars = false;  // ScrollTo moves the bars without hearing back
  Bar mHorizontal;
  Bar mVertical;
  RCPtr<LControl> mCorner;
  Point mClientExtent;
  Point mCornerSize;
  std::array<bool, 2> mScrollByItems{false, false};
  std::array<int32_t, 2> mItemSize{0, 0};
  int32_t mAutoExtent = kAutoOff;
  std::array<int32_t, 2> mAutoMargins{0, 0};
  bool mDragScrolling = false;
  bool mInitialized = false;
};

}  // namespace HV
