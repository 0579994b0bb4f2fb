#pragma once

#include "HVFramework/ControlBase/Control/CAutoClip.h"
#include "HVFramework/ControlBase/Control/ILayoutTextMeasurer.h"
#include "HVFramework/ControlBase/Control/LConditionsParam.h"
#include "HVFramework/ControlBase/Control/LControlChildList.h"
#include "HVFramework/ControlBase/Control/LKeyParam.h"
#include "HVFramework/ControlBase/Control/LMenuItemUpdater.h"
#include "HVFramework/ControlBase/Control/LMouseButtonParam.h"
#include "HVFramework/ControlBase/Control/LMouseWheelParam.h"
#include "HVFramework/ControlBase/Control/LSiblingKeyParam.h"
#include "HVFramework/ControlBase/Control/UITarget.h"
#include "HVFramework/ControlBase/Looks/LLook.h"
#include "HVFramework/ControlBase/Looks/LVisualPart.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LLayoutDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/ControlBase/Skin/HotKeyMap.h"
#include "HVFramework/ControlBase/Skin/Menu/LMenuDescriptor.h"
#include "HVFramework/ControlBase/Skin/Menu/LMenuItemDescriptor.h"
#include "HVFramework/ControlBase/Skin/Menu/MenuBuilder.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/ObjectBase/TaggableObject.h"
#include "HVFramework/ObjectBase/WeakRCPtr.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Renderer/LRectRegion.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/Renderer/ResizeType.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace HV {

class LControlFactory;
class LFontTextMeasurer;
class LRootWindow;

// LControl: the base of every skinned control. It holds the control's place
// in the tree (a non-owning link to its parent, counted references to its
// children), its descriptors from the skin, its own copy of the layout
// description (where the visible, enabled, clip, z-order and tab-stop state
// lives), its rectangle and value. Controls are built only through the
// creator sequence (see CreateControlOfClass) and used on the user-interface
// thread only.
//
// Other parts of the framework call some of these operations by other names:
//   CreateChildren    = CreateChildControls
//   SetFocusable      = SetNotFocusable
//   OnChildRemoved    = the hook run after RemoveChildControl
//   HandleWheelPrimary / HandleWheelSecondary = OnMouseWheelUpDown / OnMouseWheelOther
//   PreLeftClick      = OnActivate
class LControl : public virtual LNotificationClient,
                 public virtual LNotificationDistributor,
                 public virtual LTaggableObject,
                 public UITarget {
 public:
  using ChildControlList = LControlChildList;

  struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
  };
  struct Point {
    double x = 0;
    double y = 0;
  };

  // Attaches itself to parent at once when one is given, and takes its string
  // table from the application's control factory.
  LControl(LControl* parent, const StringW& name);
  ~LControl() override;

  // --- Creation (the creator sequence) ---
  virtual HResult CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor);
  virtual HResult CreateChildControls(const RCPtr<LControlDescriptor>& descriptor);
  virtual HResult Initialize();
  virtual HResult ApplyCreateParams();
  virtual HResult OnCreated() { return 0; }
  // Asked while a top-level control in a root window is built from its
  // descriptor, with the window's screen rectangle: 1 when the control
  // changed rect and the window is to take it (rounded to whole pixels); the
  // base leaves it alone (0).
  virtual HResult AdjustWindowRect(Rect& /*rect*/) { return 0; }
  // E_FAIL for a null child or descriptor, else the attachment's error or the
  // child's CreateFromDescriptor result.
  virtual HResult AddChildControl(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor);
  void SetCreated() { mCreated = true; }
  bool IsCreated() const { return mCreated; }
  bool IsLayoutSuppressed() const { return mLayoutSuppressed; }

  // --- Tree ---
  LControl* GetParent() const { return mParent; }
  const StringW& GetName() const { return mName; }
  ChildControlList& GetChildren() { return mChildren; }
  // 1 when parent is the current one; else 0.
  HResult SetParent(LControl* parent);
  // E_INVALIDARG for a control that is not a child; the child is detached at
  // once and released at the next idle tick.
  HResult RemoveChildControl(const RCPtr<LControl>& child);
  // Renames through the parent's list; a control without parent just takes it.
  HResult Rename(const StringW& name);
  RCPtr<LControl> FindChildControl(const StringW& name) const { return mChildren.Find(name); }
  int32_t FindDescendantControls(const StringW& name, RCPtrArray<LControl>& found) const;
  LControl* GetTopLevelControl();
  virtual HResult Detach();
  // Called after a child left the list; index is where it was.
  virtual void OnChildRemoved(LControl* /*child*/, int32_t /*index*/) {}

  // --- Idle ticks ---
  // Counted requests for idle ticks; 0 while no root window registers them.
  HResult StartIdleNotifications();
  HResult StopIdleNotifications();
  int32_t GetIdleRequestCount() const { return mIdleRequests; }
  // Whether the control's idle work runs on time (a blink, a delay, an
  // animation) and needs the message loop's tick. A control whose idle work
  // only follows other work (texts posted to it) answers false: its idle
  // requests keep no tick going.
  virtual bool NeedsIdleTicks() const { return true; }
  // One idle pass: advances the timed scroll motion of each running axis,
  // releases the children awaiting release, then OnIdleTick.
  void ProcessIdle();
  virtual void OnIdleTick() {}
  uint32_t GetPendingReleaseCount() const { return mPendingRelease.GetCount(); }

  // --- State kept in the layout descriptor ---
  // The control's layout, its own: one still shared with its skin or the
  // defaults is copied first, since the caller may change it.
  const RCPtr<LLayoutDescriptor>& GetLayout() const {
    if (mLayoutShared) UnshareLayout();
    return mLayout;
  }
  // The layout for reading only, shared or not: no copy made.
  const LLayoutDescriptor& ReadLayout() const { return *mLayout; }
  const RCPtr<LControlDescriptor>& GetDescriptor() const { return mDescriptor; }
  bool IsVisible(bool recursive = false) const;
  bool IsEnabled(bool recursive = false) const;
  virtual bool SetVisible(bool visible);
  virtual void SetEnabled(bool enabled);
  virtual bool SetClipToParent(bool clip);
  virtual void SetNotFocusable(bool notFocusable);
  bool IsNotFocusable() const { return mNotFocusable; }

  const Rect& GetRect() const { return mRect; }

  // --- Layout (LControlLayout.cpp) ---
  // Stores a rectangle (in the parent's content coordinates): 1 when it is
  // the stored one exactly; else 0, after redrawing the old and new areas,
  // relaying out the children when the size changed, and letting the later
  // siblings and the parent follow.
  int32_t SetRect(const Rect& rect);
  // Computes the rectangle from the layout description against the parent,
  // or a top-level control's against the application's work area, and
  // stores it: SetRect's result, or E_FAIL without a layout description
  // from the skin or without a place to lay out in.
  virtual HResult UpdateLayout();
  // Replace one axis's (0 x, 1 y) descriptions and lay out again; true when
  // anything stored differed. A change of docking re-sorts the parent's orders.
  bool SetAxisLayout(int32_t axis, const LLayoutPosition& position, const LLayoutSize& size, bool docked);
  // Both axes at once, with one layout pass.
  bool SetLayout(const std::array<LLayoutPosition, 2>& positions, const std::array<LLayoutSize, 2>& sizes,
                 const std::array<bool, 2>& docked);
  bool SetAxisSizeLimits(int32_t axis, const LLayoutSizeLimit& minimum, const LLayoutSizeLimit& maximum);
  // The natural size: each axis solved with a size of its own of 0, then
  // the minimum (text growth included) and maximum applied.
  virtual Point GetDesiredSize();
  // The maximum of each axis that the control sets itself; 0 for none.
  virtual Point GetMaximumSize();
  // Stores the offset, relays out the children (docked ones keep their
  // place) and sends "NID_SCROLL_OFFSET_CHANGE"; 1 when unchanged.
  virtual HResult SetScrollOffset(const Point& offset);
  // The child at a position of the layout order (LayoutOrder, then
  // attachment); null past the end.
  virtual RCPtr<LControl> GetChildByLayoutOrder(uint32_t index);
  virtual Rect GetMaximumExtent() const;
  // The scroll offsets the content may take: from (x, y) to (x + width,
  // y + height). Unbounded above (2^52) in the base; scroll views narrow it.
  virtual Rect GetScrollRange() const;

  // --- Timed scroll motion (LControlScrollMotion.cpp) ---
  // An axis (0 x, 1 y) in motion moves the scroll offset at velocity pixels
  // per second on every idle pass, held between the bounds; reaching a bound
  // does not stop it. A target control is told the pointer (OnDrag) each time
  // the content moves. Starting a running axis changes velocity, bounds and
  // target and keeps its time; each running axis holds one idle request. 0.
  HResult StartScrollAnimation(int32_t axis, double velocity, double upperBound, double lowerBound,
                               const RCPtr<LControl>& target);
  // Releases the axis's target; 1 when the axis was not running, else 0.
  HResult StopScrollAnimation(int32_t axis);
  bool IsScrollAnimationRunning(int32_t axis) const;
  double GetScrollVelocity(int32_t axis) const;
  // Fills the drag velocities (pixels per second of the scroll offset) from
  // the last 100 ms of a drag-scroll; asked at the release of a drag in
  // mode 6, which goes on as a scroll motion on every allowed axis whose
  // velocity is at least 1000 either way.
  virtual void UpdateDragVelocity();
  const Point& GetDragVelocity() const { return mDragVelocity; }
  // A layout pass is requested when this control has a docked axis; 0.
  virtual HResult OnChildDocked(LControl* child);
  // A child's rectangle changed: lay out again (unless suppressed) and
  // redraw the child's area; 0.
  virtual HResult OnChildRectChanged(LControl* child);
  // Requests collected for the root window's next layout pass.
  void RequestLayoutPass() { mLayoutPassRequested = true; }
  bool IsLayoutPassRequested() const { return mLayoutPassRequested; }
  void ClearLayoutPassRequest() { mLayoutPassRequested = false; }
  // The area of the root window in this control's coordinates: the parent's
  // size (a top-level control: the root window's client size, else its own)
  // placed at minus the origin in the root window.
  Rect GetRootBoundsInLocal() const;
  // The overlap of a and b; true when it has a width and a height.
  static bool IntersectRects(const Rect& a, const Rect& b, Rect& result);
  // The edges rounded down to whole pixels (within 2^-52 below a whole
  // number counting as it), after turning a negative size around.
  static Rect SnapToPixels(const Rect& rect);
  // The count of descendants that do not clip to their parent, kept on the
  // control and all its ancestors.
  void IncrementAncestorCount();
  void DecrementAncestorCount();
  int32_t GetNonClippingDescendantCount() const { return mNonClippingDescendants; }

  // Dragging the control with the left button, after SetDragMode:
  //   1 the control moves freely above its siblings (not clipped, docked
  //     while it moves) and is offered to the top-level control at the end;
  //   2 it moves on the axes its flags allow (1 x, 2 y);
  //   3 the same, kept within GetDragLimits on each moving axis;
  //   4 the same, with only the limit ends that the flags name (4 x low,
  //     8 x high, 0x10 y low, 0x20 y high);
  //   5 the far edge follows instead (the control is resized), with the ends as in 4.
  // The pointer's way is measured from where it held the control when the
  // drag started (the last mouse position reported in the control's own
  // coordinates) and written into the layout's absolute values.
  virtual void OnDragStart();
  // Takes the current state as the start of a drag.
  virtual void BeginDrag();
  // The pointer at point, in the control's own coordinates.
  void DragTo(const Point& point);
  virtual void AfterDrag(const Point& /*point*/) {}
  virtual void OnDragEnd();
  // The range (start, length) of an axis's coordinate that modes 3 to 5 keep.
  virtual void GetDragLimits(int32_t axis, double& start, double& length) const;
  void SetDragLimits(int32_t axis, double start, double length);
  // The pointer's way since the drag (or the last BeginDrag) started.
  Point GetDragDelta() const { return mDragDelta; }

  // --- Layout queries (for controls that manage their siblings' room) ---
  // The rectangle the layout solver gives now from the layout description,
  // before the minimum and maximum sizes, without storing it: E_FAIL as
  // UpdateLayout, else 0.
  HResult ComputeLayoutRect(Rect& rect) const;
  // The size this top-level control takes, within its minimum and maximum
  // sizes, when its window offers a client area of `client`: how large the
  // window's client area may be. Unrounded.
  Point ComputeTopLevelSize(const Point& client);
  // A mode-1 drag ended over the top-level control: it is asked to take the
  // dragged control, then told that it was dropped.
  virtual HResult AcceptDroppedControl(LControl& /*dragged*/) { return E_FAIL; }
  virtual void OnControlDropped(LControl& /*dragged*/) {}

 protected:
  // The text part of the current look, for layouts that grow to fit their
  // text ("Expand" overflow); null without one or when the layout does not
  // grow. Valid until the next call.
  virtual ILayoutTextMeasurer* GetLayoutText();

 private:
  void RelayoutChildren();
  void LayOutLaterSiblings();
  void InvalidateOwnArea();
  // Whether invalidating would reach nobody: a skin build is on and no root window holds this tree.
  bool IsUnseenWhileBuilding() const;

 public:
  // --- Geometry (LControlGeometry.cpp) ---
  // Subtracted from the children's positions when they are placed.
  const Point& GetScrollOffset() const { return mScrollOffset; }
  // The top-left corner in root-window coordinates: the position plus, for
  // every ancestor, its position and current-look client offset minus its
  // scroll offset.
  Point GetOriginInRoot() const;
  // The position minus the parent's scroll offset plus the parent's
  // current-look client offset; without a parent the position.
  Point GetPositionInParent() const;

  // --- Looks (LControlLooks.cpp) ---
  // A control shows its state through its looks, one per slot of its skin's
  // look list (slots may be empty), each with a weight 0..1: every look of
  // positive weight is drawn, and the first of them is the current look.
  // Controls pick a look index from their state and apply it with SelectLook.

  // Appends a look (null allowed) with weight 0; its index.
  virtual int32_t AddLook(const RCPtr<LLook>& look);
  int32_t GetLookCount() const { return static_cast<int32_t>(mLooks.GetCount()); }
  // The first index whose look is present and weighs above 0; -1 when none.
  int32_t GetCurrentLookIndex() const;
  // The slot at index (its look may be null); for an index outside the list
  // (-1 included) the first present look of positive weight, else the first
  // present look, else null.
  const RCPtr<LLook>& GetLook(int32_t index) const;
  // 0 for an index outside the weights.
  float GetLookWeight(int32_t index) const;
  // E_INVALIDARG for an index outside the weights; a weight outside 0..1 is
  // ignored; exclusive sets every other weight to 0. Redraws on a change; 0.
  HResult SetLookWeight(int32_t index, float weight, bool exclusive);
  // The look at index gets weight 1, every other one 0.
  virtual HResult SelectLook(int32_t index);
  // Limits the drawing of the look at index (GetLook rules) to region, in
  // the control's coordinates; E_INVALIDARG without any look.
  HResult SetLookRegion(int32_t index, const LRectRegion& region);
  // Empties the regions of all looks: each draws wherever it is asked to.
  HResult ClearLookRegions();
  // The region of look a becomes the control's rectangle minus look b's
  // region; E_INVALIDARG when either look is missing.
  HResult SetLookRegionExcept(int32_t a, int32_t b);
  // Puts bitmap over the client area of the look at index (null removes the
  // image); E_FAIL without a look, else the look's answer (1: no image to
  // remove). Redraws when the look is the current one.
  HResult SetLookBitmap(const RCPtr<LBitmap>& bitmap, ResizeType resize, int32_t index, bool replacesClient);
  // The look at index (GetLook rules) shows part as its image; E_FAIL
  // without a look, E_INVALIDARG for a null part.
  HResult SetLookPart(const RCPtr<LVisualPart>& part, int32_t index);
  // Gives every look the control's new size, rounded to whole pixels.
  void ResizeLooks(double width, double height);
  // The look at index (GetLook rules) as the slot's own: slots that share
  // a look give this one a copy first, so that changing it (its region,
  // image or text) changes no other slot.
  const RCPtr<LLook>& OwnLook(int32_t index);
  // The current look's rectangle; without a look (0, 0, width, height).
  virtual Rect GetLookBounds() const;
  // Keeps each look's region inside the control's rectangle.
  virtual void UpdateLookRegions();
  // (0, 0, width, height) of the current look, else of the control.
  virtual Rect GetLocalBounds() const;
  // The content area: the scroll offset as origin, with the size of the
  // current look or of the control.
  virtual Rect GetClientArea() const;
  // The client rectangle of the look at lookIndex (-1: the current look);
  // without any look (0, 0, width, height) of the control.
  Rect GetClientOffsets(int32_t lookIndex = -1) const;
  // The colour (0xAARRGGBB) of the look at index at a point in the control's
  // coordinates; transparent (0x00FFFFFF) without a look.
  virtual uint32_t GetLookColorAt(int32_t index, const Point& point) const;
  // True when every look of positive weight is transparent at the point.
  virtual bool IsTransparentAt(const Point& point) const;
  // True when the text's first line is wider than the current look's text
  // area at the control's width, or, before the text is laid out, when there
  // is a text at all; false without a look.
  bool IsTextClipped() const;

  // --- Drawing and invalidation (LControlPainting.cpp) ---
  // Drawing runs in two passes. The first draws the tree of controls that
  // clip to their parent; a control that does not is listed in deferred
  // instead and drawn in the second pass, on top, by whoever called the
  // first (the root window), with nonClippingPass true.
  //
  // Draws the control (its looks, DrawContent, its text and its children,
  // DrawOverlay) where dirty (target coordinates) meets it. The renderer's
  // current translation is the parent's content origin. E_INVALIDARG when
  // nonClippingPass equals the control's clip-to-parent flag (the wrong
  // pass), with nothing drawn; else 0. Every state pushed is popped again,
  // also when drawing throws.
  virtual HResult Draw(const RCPtr<LRenderer>& renderer, const LRectRegion& dirty,
                       RCPtrArray<LControl>& deferred, bool nonClippingPass);
  // The control's own drawing, called once for every dirty rectangle that
  // meets it, clipped to that rectangle: DrawContent before the children,
  // DrawOverlay after them. Results are ignored.
  virtual int32_t DrawContent(const RCPtr<LRenderer>& /*renderer*/) { return 0; }
  virtual int32_t DrawOverlay(const RCPtr<LRenderer>& /*renderer*/) { return 0; }
  // The children drawn with the look at lookIndex, in z-order: the clipping
  // ones without docked axes, then those with one docked axis (both inside
  // the client rectangle, skipped when it lies outside the clip), then those
  // docked on both axes (not clipped to the client rectangle).
  void DrawChildren(const RCPtr<LRenderer>& renderer, const LRectRegion& dirty, int32_t lookIndex,
                    RCPtrArray<LControl>& deferred);
  // Where the children of the look at lookIndex are drawn: their origin is
  // the look's client origin minus the scroll offset. With clip, a child
  // rectangle clipped to the look's client rectangle; without, a scroll to
  // that origin that keeps the current clip.
  ClipSpec GetChildClipSpec(bool withClip, int32_t lookIndex) const;
  // Appends to deferred the descendants (with includeSelf this control too)
  // that do not clip to their parent, each once; with stopAtHidden a hidden
  // control is neither listed nor walked into. The number appended.
  int32_t CollectNonClippingDescendants(RCPtrArray<LControl>& deferred, bool stopAtHidden, bool includeSelf);
  // Multiplied into the alpha factor while the control and its children are drawn.
  float GetOpacity() const { return mOpacity; }
  void SetOpacity(float opacity) { mOpacity = opacity; }
  // A scrolled label: the text is drawn moved back by the scroll offset, and
  // whole (a text too wide for its box ends in "..." only where it cannot scroll).
  bool DoesLabelScroll() const { return mLabelScrolls; }
  void SetLabelScrolls(bool shouldScroll);

  // Marks a rectangle in this control's coordinates for redrawing; flags 1:
  // clipped to the parent. Converts it to root-window coordinates and calls
  // InvalidateInRoot. While a SkinBuild lasts, a tree that no root window
  // holds skips it.
  virtual HResult Invalidate(const Rect& rect, uint32_t flags);
  // While controls are built from the skin: their trees' invalidations are
  // walked up only when a root window collects them. A tree being built is
  // mostly one that no window shows yet; the window that takes it draws it
  // whole. User-interface thread only; builds may nest.
  class SkinBuild {
   public:
    SkinBuild() { ++sSkinBuilds; }
    ~SkinBuild() { --sSkinBuilds; }
    SkinBuild(const SkinBuild&) = delete;
    SkinBuild& operator=(const SkinBuild&) = delete;
  };
  // Passes a rectangle, given both in root-window coordinates and in this
  // control's (local), up the tree: with flags 1 cut to the parent's area
  // first (the flag then goes up as the parent's own clip-to-parent), and
  // at the top-level control to the root window's area. 1 when nothing of
  // it remains; else 0.
  virtual HResult InvalidateInRoot(const Rect& rootRect, uint32_t flags, const Rect& localRect);
  // Collects a rectangle of the content (the children's coordinates) in the
  // client update region when it meets the visible content area, rounded to
  // whole pixels; with shouldInvalidate also invalidates the part of it
  // shown in the client rectangle.
  void InvalidateClientRect(const Rect& rect, bool shouldInvalidate);
  const LRectRegion& GetClientUpdateRegion() const { return mClientUpdateRegion; }

  // --- Conditions ---
  enum Condition : uint32_t {
    kHasFocus = 0x1,
    kContainsFocus = 0x2,
    kMouseOver = 0x4,
    kCapture = 0x8,
    kLeftDown = 0x10,
    kMiddleDown = 0x20,
    kRightDown = 0x40,
    kLeftDrag = 0x80,
    kMiddleDrag = 0x100,
    kRightDrag = 0x200,
    kEnabled = 0x400,
    kVisible = 0x800,
    kHover = 0x1000,
  };
  // The interaction flags (focus, mouse, buttons, drags) with enabled,
  // visible (both through the ancestors) and hover.
  uint32_t GetConditions() const;
  // Recomputes the word; on a change calls OnConditionsChanged and sends
  // the condition notifications; a change of enabled or visible runs the
  // children's update too, last child first.
  void UpdateConditions();
  virtual void OnConditionsChanged(const RCPtr<LConditionsParam>& /*conditions*/) {}
  // The input and focus code changes the interaction flags through here,
  // setting and clearing in one step (a press turning into a drag).
  void ChangeInteractionFlags(uint32_t set, uint32_t clear);
  void SetHoverOverride(bool hover);
  const RCPtr<LConditionsParam>& GetConditionsParam() const { return mConditions; }
  // The pointer position copied into the conditions on each change.
  void SetLastMousePosition(double x, double y) { mMouseX = x, mMouseY = y; }
  void SetDragMode(int32_t mode, uint32_t constraints);
  int32_t GetDragMode() const { return mDragMode; }

  // --- Mouse input (LControlMouse.cpp) ---
  // The root window's calls (UITarget); see LControlMouse.cpp for the rules.
  HResult OnMouseEnter() override;
  HResult OnMouseMove(const RCPtr<LPointWithModifiersParam>& param) override;
  HResult OnMouseDown(const RCPtr<LMouseButtonParam>& param) override;
  HResult OnMouseUp(const RCPtr<LMouseButtonParam>& param) override;
  HResult OnMouseLeave() override;
  HResult StartMouseCapture(int32_t button, int32_t x, int32_t y) override;
  HResult CancelMouseCapture() override;
  HResult OnVerticalWheel(const RCPtr<LMouseWheelParam>& param) override { return OnMouseWheel(param); }
  HResult OnHorizontalWheel(const RCPtr<LMouseWheelParam>& param) override { return OnMouseWheel(param); }
  HResult Relayout(int32_t width, int32_t height) override;
  // Offers a wheel step to this control, then up the tree (or, past a
  // control that does not clip to its parent, to whatever lies under the
  // point); the first result other than 1, else 1. -1 for null.
  HResult OnMouseWheel(const RCPtr<LMouseWheelParam>& param);
  // Wheel directions 0 and 1; 2 and 3. 1: not handled.
  virtual HResult OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& /*param*/) { return S_FALSE; }
  virtual HResult OnMouseWheelOther(const RCPtr<LMouseWheelParam>& /*param*/) { return S_FALSE; }
  // A press moves the focus to this control or, for one that may not take
  // it, asks the parent (RequestFocus).
  virtual void FocusOnMouseDown();
  virtual HResult RequestFocus(LControl* requester);
  virtual void OnLeftButtonDown(const RCPtr<LMouseButtonParam>& /*param*/) {}
  virtual void OnLeftButtonUp(const RCPtr<LMouseButtonParam>& /*param*/) {}
  virtual void OnMiddleButtonDown(const RCPtr<LMouseButtonParam>& /*param*/) {}
  virtual void OnMiddleButtonUp(const RCPtr<LMouseButtonParam>& /*param*/) {}
  virtual void OnRightButtonDown(const RCPtr<LMouseButtonParam>& /*param*/) {}
  virtual void OnRightButtonUp(const RCPtr<LMouseButtonParam>& /*param*/) {}
  virtual void OnMouseMoved(const RCPtr<LPointWithModifiersParam>& /*param*/) {}
  // Button 1, 2, 4 to OnLeftClick, OnMiddleClick, OnRightClick;
  // E_INVALIDARG for null or another button.
  virtual HResult OnClick(const RCPtr<LMouseButtonParam>& param);
  // Each calls its hook, then sends "NID_LEFT_CLICK" / "NID_MIDDLE_CLICK" /
  // "NID_RIGHT_CLICK"; E_INVALIDARG for null.
  virtual HResult OnLeftClick(const RCPtr<LMouseButtonParam>& param);
  virtual HResult OnMiddleClick(const RCPtr<LMouseButtonParam>& param);
  virtual HResult OnRightClick(const RCPtr<LMouseButtonParam>& param);
  virtual void OnActivate(const RCPtr<LMouseButtonParam>& /*param*/) {}
  virtual void PreMiddleClick(const RCPtr<LMouseButtonParam>& /*param*/) {}
  virtual void PreRightClick(const RCPtr<LMouseButtonParam>& /*param*/) {}
  // Each move of a left drag while the drag mode is not 0: DragTo the point.
  virtual void OnDrag(const RCPtr<LPointWithModifiersParam>& point);
  // Pixels the pointer moves with a button held before a press becomes a
  // drag (default 1; 0 drags at the press). E_INVALIDARG when negative.
  HResult SetDragThreshold(int32_t pixels);
  int32_t GetDragThreshold() const { return mDragThreshold; }
  // A left press then requests idle ticks (for auto-repeating controls).
  void SetTickWhilePressed(bool shouldTick) { mTickWhilePressed = shouldTick; }
  bool IsCapturing() const { return (mInteraction & kCapture) != 0; }
  bool IsMouseOver() const { return (mInteraction & kMouseOver) != 0; }
  // The last left press, held until the capture ends.
  const RCPtr<LMouseButtonParam>& GetLastLeftDown() const { return mLastLeftDown; }

  // Hit testing. Points are in the parent's content coordinates (the root
  // window's for a top-level control).
  virtual bool ContainsPoint(const Point& point) const;
  // The deepest visible control under the point, children on top first
  // and, over everything, controls that do not clip to their parent, even
  // outside it; local receives the point in that control's coordinates. A
  // control excluded from hit testing is passed over (its children are not).
  virtual RCPtr<LControl> FindControlAtPoint(const Point& point, Point& local);
  void SetExcludedFromHitTesting(bool excluded) { mExcludedFromHitTesting = excluded; }
  bool IsExcludedFromHitTesting() const { return mExcludedFromHitTesting; }
  // Excludes a control from hit testing for the guard's lifetime.
  class HitTestExclusionGuard {
   public:
    explicit HitTestExclusionGuard(LControl* control);
    ~HitTestExclusionGuard();
    HitTestExclusionGuard(const HitTestExclusionGuard&) = delete;
    HitTestExclusionGuard& operator=(const HitTestExclusionGuard&) = delete;

   private:
    RCPtr<LControl> mControl;
  };

  // The control's own cursor (0: none), shown while the mouse is over it.
  void SetCursor(uint64_t cursor) { mCursor = cursor; }
  uint64_t GetCursor() const { return mCursor; }
  // Shows the control's cursor through the root window, keeping the one it
  // replaces; a control without one shows the default.
  void ApplyCursor();

  // --- Keys and focus (LControlKeys.cpp) ---
  // A key at the focused control: its siblings' local hot keys, then its own
  // ProcessKey, then up the tree (OnChildKey, MoveFocus for Tab) and at the
  // top to the window's and the application's hot keys.
  void OnKey(const RCPtr<LKeyParam>& key) override;
  // The control's own key handler; 1 when not handled.
  virtual HResult ProcessKey(const RCPtr<LKeyParam>& /*key*/) { return S_FALSE; }
  // Offers the key to this control's "NID_SIBLING_KEY" listeners (the local
  // hot keys of its children); 1 when none used it.
  virtual HResult HandleKey(const RCPtr<LKeyParam>& key);
  // A key that a child did not use: HandleKey, then the hot keys.
  virtual HResult OnChildKey(const RCPtr<LKeyParam>& key);
  // A Tab that came from a child: the focus moves to the next child in tab
  // order, or out to the parent past the end.
  virtual void MoveFocus(const RCPtr<LKeyParam>& key);
  // The next visible, enabled child after (backward: before) child in tab
  // order, wrapping; child itself when it is the only one; null otherwise.
  virtual RCPtr<LControl> GetFocusableChild(LControl* child, bool backward);
  // The order in which HandleKey offers a key to the listeners: by their
  // tab position, listeners that are not children first.
  virtual std::vector<RCPtr<LControl>> OrderSiblingKeyClients(const std::vector<RCPtr<LControl>>& listeners);
  // Gives the focus to this control, or for a container to its first
  // (forward) or last focusable descendant. E_FAIL when the focus owner
  // refuses to let go or nothing can take it.
  virtual HResult SetFocus(bool forward);
  // Whether a descendant can take the focus (a container never takes it itself).
  virtual bool CanFocusDescendant();
  HResult OnFocusLost() override;
  // Takes the focus out of the tree when it lies in this control or below:
  // no control keeps it and no ancestor contains it any more.
  void GiveUpFocus();
  bool CanReleaseFocus() override { return true; }
  bool CanTakeFocus();
  // The not-focusable flag; recursive: of this control or an ancestor up to
  // the nearest focus root.
  bool IsFocusSuppressed(bool recursive) const;
  bool HasFocus() const { return (mInteraction & kHasFocus) != 0; }
  bool ContainsFocus() const { return (mInteraction & kContainsFocus) != 0; }
  // The child that has or contains the focus; null when none.
  LControl* GetFocusPathChild();
  HResult SetContainsFocus(LControl* child);
  RCPtr<LControl> GetFirstFocusTarget();
  RCPtr<LControl> GetLastFocusTarget();
  // Not-focusable flags above a focus root (a popup menu) do not reach inside.
  void SetFocusRoot(bool isRoot) { mFocusRoot = isRoot; }
  bool IsFocusRoot() const { return mFocusRoot; }
  virtual bool IsFocusScope() const { return false; }
  // The nearest enclosing focus scope, this control included; the top-level
  // control when there is none.
  virtual LControl* GetFocusScope();
  // The root window of the top-level control; null outside a window.
  LRootWindow* GetRootWindow() const;
  // E_FAIL for a control with a parent. Registers the tree's idle requests
  // at the new window.
  HResult SetRootWindow(LRootWindow* window);
  // Registers the counted idle requests of this control and its descendants
  // at the current root window.
  virtual void RefreshIdleNotifications();

  // --- Font (LControlFonts.cpp) ---
  // Resolves the open parts (empty name, size not above 0, style -1) against
  // the base font: the parent's when inheriting from it, else the
  // application's default. 0 applied, 1 unchanged, E_FAIL when nothing
  // resolves.
  HResult SetFont(const StringW& name, float size, int32_t style, bool relative);
  // E_INVALIDARG for null, 1 for the current font; else stores it and lets
  // the inheriting children follow.
  HResult ApplyFont(const RCPtr<LFont>& font);
  virtual HResult UpdateInheritedFont();
  virtual void OnFontChanged() {}
  const RCPtr<LFont>& GetFont() const { return mFont; }
  bool InheritsFont() const { return mInheritFont; }
  float GetRelativeFontFactor() const { return mRelativeFactor; }

  // --- Value ---
  enum ScaleType : int32_t { kLinear = 0, kLogarithmic = 1 };
  // Clamps to 0..1; on a change stores it, calls OnValueChanged and sends
  // "NID_VALUE_CHANGE" (an LValueParam) from this control. The stored position.
  virtual double SetNormalizedValue(double value);
  virtual void OnValueChanged() {}
  // E_INVALIDARG for an unknown scale, or a logarithmic one not above 0.
  virtual HResult SetRange(double start, double end, int32_t scaleType);
  double GetNormalizedValue() const { return mNormalizedValue; }
  double NormalizedToValue(double position) const;
  double ValueToNormalized(double value) const;
  // Sets a value in the control's units; the value then held.
  double SetValue(double value);
  double GetValue() const { return NormalizedToValue(mNormalizedValue); }

  // --- Texts and flags from the skin ---
  RCPtr<LStringTable> GetStringTable() const { return mStringTable; }
  // The string table's text for key; empty when absent.
  StringW GetString(const StringW& key) const;
  const StringW& GetText() const { return mText; }
  // Shows a new text: 0 when it changed, 1 when it was the text already.
  virtual HResult SetText(const StringW& text);
  // Stores the text, hands it to the looks, lays the control out again (its
  // size may grow with its text) and redraws; false when it was the text already.
  bool ApplyText(const StringW& text);
  // The text a tool tip shows for the control: its "TOOLTIP" text here;
  // controls that build the text on demand override it.
  virtual StringW GetToolTipText() const { return mToolTipText; }
  bool WantsTab() const { return mWantsTab; }
  // The key combinations of the string table's "LHK.<notification name>"
  // entries, loaded by Initialize.
  bool HasLocalHotKey(const StringW& name) const { return mLocalHotKeys.HasName(name); }
  const HotKeyMap& GetLocalHotKeys() const { return mLocalHotKeys; }
  bool UsesParentToolTip() const { return mUseParentToolTip; }

  // --- Set by the controls that own a part (the checked rows' check boxes) ---
  // The part shows its owner's tool tip, as "USE_PARENT_TOOLTIP" does.
  void SetUseParentToolTip(bool shouldUse) { mUseParentToolTip = shouldUse; }

  // --- Tool tips and context menus (LControlToolTipsAndMenus.cpp) ---
  // The root window's call when this control becomes (true) or stops being
  // (false) the owner of the tool tip under the mouse. true builds the
  // skin's "toolTip" control as a child, gives it GetToolTipText and starts
  // it; nothing happens without a text or without a "toolTip" description.
  // false hides the "toolTip" child, which removes itself. 0.
  virtual HResult ShowToolTip(bool show);
  // The menu a right click shows (null: none). Items whose command the
  // window's or the application's hot keys know are bound to
  // OnContextMenuCommand, those of the menu replaced unbound. 0.
  HResult SetContextMenu(const RCPtr<LMenuDescriptor>& menu);
  const RCPtr<LMenuDescriptor>& GetContextMenu() const { return mContextMenu; }
  // A chosen menu command, handed to the control without a source: raised
  // through the window's hot keys when they know it, else through the
  // application's. 1.
  HResult OnContextMenuCommand(const RCPtr<LNotificationDistributor>& source,
                               const RCPtr<LNotification>& notification);
  // The context menus of the control's string table as entry lists (see
  // GetContextMenuEntries), appended to menus; nothing without a table. 1.
  HResult GetContextMenuStrings(std::vector<MenuEntries>& menus) const;
  // Builds the skin's "contextMenu" pop-up as a hidden child, gives it the
  // menu, lets PrepareContextMenu adjust it and opens it at the mouse. Does
  // nothing while no pop-up menu class is registered for that description. 0.
  virtual HResult ShowContextMenu(const RCPtr<LMenuDescriptor>& menu);
  // Called with the pop-up menu before it opens.
  virtual void PrepareContextMenu(LControl& /*popup*/) {}
  // --- Menu item states (LControlToolTipsAndMenus.cpp) ---
  // The link a menu asks this control's item states through; made on first
  // use and unlinked when the control goes.
  RCPtr<LMenuItemUpdater> GetMenuItemUpdater();
  // Asked for each plain item of a menu about to show: a control may enable,
  // check or rename it through state. 1: the base changes nothing.
  virtual HResult UpdateMenuItem(const RCPtr<LMenuDescriptor>& menu, int32_t index, const StringW& commandId,
                                 LMenuItemState& state);

  // --- Edit commands (LControlEdit.cpp) ---
  // The clipboard's commands, as edit kinds.
  enum EditKind : int32_t { kEditDelete = 0, kEditCut = 1, kEditCopy = 2, kEditPaste = 3 };
  virtual bool IsEditTarget() const { return false; }
  // The nearest of this control and its ancestors that takes edit commands, or null.
  virtual RCPtr<LControl> GetEditTarget();
  virtual bool CanPerformEdit(int32_t /*editKind*/) { return false; }
  // Throws a Logic Error: every control that takes edit commands overrides it.
  virtual HResult PerformEdit(int32_t editKind);

  // --- Notifications ---
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) override;
  // A control still in a tree is held by its parent and keeps its links; a
  // control with no parent leaves its registrations and its children.
  HResult ReleaseInternalReferences() override;
  const RCPtr<LNotificationHandler<LControl>>& GetNotificationHandler() const { return mHandler; }

 protected:
  // The key goes to the window's hot keys, then the application's.
  void PassKeyToHotKeys(const RCPtr<LKeyParam>& key);
  // A Tab leaves this container: the parent's MoveFocus, or the window's.
  void PassTabUp(const RCPtr<LKeyParam>& key);
  // Reads one create parameter of the descriptor; false when absent.
  bool GetCreateParam(const WChar* id, StringW& text) const;
  // A create-parameter flag: true only for "true", any case, blanks around.
  static bool IsTrueText(const StringW& text);
  void DetachAllChildren();

 private:
  friend class LControlChildList;

  // The layout to change: copied first while shared.
  LLayoutDescriptor& OwnLayout() {
    if (mLayoutShared) UnshareLayout();
    return *mLayout;
  }
  void UnshareLayout() const;
  void ReleasePendingChildren();
  void MapPointInto(const Point& point, Point& inside, Point& content) const;
  RCPtr<LControl> FindNonClippingAtPoint(const Point& point, Point& local);
  // Input and focus bookkeeping around a change of tree (LControlKeys.cpp):
  // a control leaving its parent gives up what its window knew of it and its
  // descendants; one joining a tree in a window registers its idle requests.
  void OnLeavingTree();
  void OnJoinedTree();
  // Local hot keys listen for the keys the parent offers its children.
  void ListenForSiblingKeys();
  // Timed scroll motion: one idle pass of both axes; the drag-scroll of mode 6.
  void AdvanceScrollMotion();
  void DragScrollTo(const Point& point);
  void StartFling();
  void RegisterIdle(LRootWindow* window);
  void UnregisterIdleInTree(LRootWindow* window);
  // Visible with its ancestors, own flag enabled and the parent enabled.
  bool AcceptsInput() const;
  void OnSiblingKey(const RCPtr<LSiblingKeyParam>& param);
  // After this control was hidden or disabled: a focus inside it goes to
  // the parent; a control that can now take the focus inside a focused
  // parent takes it.
  void UpdateFocusAfterStateChange();
  // Shows the control's cursor when the pointer comes over it and the one it
  // replaced when the pointer or the capture leaves.
  void UpdateCursor(uint32_t previous, uint32_t word);
  void BuildFromDescriptor(const RCPtr<LControlDescriptor>& descriptor);
  HResult RebuildFromDescriptor(const RCPtr<LControlDescriptor>& descriptor);
  // A top-level control in a root window is offered the window's rectangle.
  void OfferWindowRect();
  RCPtr<LFont> GetBaseFont() const;
  void ApplySkinFont(const LControlDescriptor& descriptor);
  void CreateLooks(const LControlDescriptor& descriptor);
  void SetLooksText(const StringW& text);
  void SetLooksFont(const RCPtr<LFont>& font);
  void InvalidateWhole();
  // Enters (bind) or removes the context-menu handler for every leaf item of
  // menu whose command the hot keys know.
  void BindContextMenuCommands(const LMenuDescriptor& menu, bool bind);

  RCPtr<LNotificationHandler<LControl>> mHandler;
  StringW mName;
  RCPtr<LControlDescriptor> mDescriptor;
  // Shared with the skin's descriptor or the defaults (never written then)
  // until the first change, which copies it: most controls never change theirs.
  mutable RCPtr<LLayoutDescriptor> mLayout;
  mutable bool mLayoutShared = true;
  Rect mRect;
  Point mScrollOffset;
  double mNormalizedValue = 0;
  bool mInheritFont = false;
  bool mNameInherited = false;
  bool mSizeInherited = false;
  bool mStyleInherited = false;
  bool mRelativeSize = false;
  float mRelativeFactor = 1.0f;
  RCPtr<LFont> mFont;
  uint32_t mInteraction = 0;  // the condition bits below kEnabled
  bool mHoverOverride = false;
  double mMouseX = 0;
  double mMouseY = 0;
  int32_t mDragMode = 0;
  uint32_t mDragConstraints = 0;
  const RCPtr<LConditionsParam> mConditions = LConditionsParam::Create();
  double mRangeStart = 0;
  double mRangeEnd = 0;
  int32_t mScaleType = kLinear;
  LControl* mParent = nullptr;  // not owned: the parent holds this control
  RCPtr<LStringTable> mStringTable;
  bool mNotFocusable = true;
  bool mWantsTab = false;
  bool mUseParentToolTip = false;
  bool mCreated = false;
  bool mLayoutSuppressed = false;  // set while the children are rebuilt
  bool mFirstBuilding = false;     // set while the first skin is read in
  StringW mText;
  StringW mToolTipText;
  RCPtr<LMenuDescriptor> mContextMenu;
  RCPtr<LMenuItemUpdater> mMenuItemUpdater;
  HotKeyMap mLocalHotKeys;
  int32_t mIdleRequests = 0;
  RCPtrArray<LControl> mPendingRelease;
  ChildControlList mChildren{this};
  // looks
  RCPtrArray<LLook> mLooks;
  std::unique_ptr<LFontTextMeasurer> mLayoutText;  // GetLayoutText's answer
  std::vector<float> mLookWeights;  // one per look
  // layout
  int32_t mNonClippingDescendants = 0;
  bool mLayoutPassRequested = false;
  Point mDragGrab;         // where the pointer held the control at the start
  Point mDragStart;        // the rectangle's position at the start
  Point mDragStartScroll;  // the parent's scroll offset at the start
  Point mDragStartSize;    // the rectangle's size when the drag started
  Point mDragStartOffset;  // the layout's absolute positions at the start
  Point mDragStartExtent;  // the layout's absolute sizes at the start
  Point mDragDelta;
  Point mDragAccumulated;  // the way of drags that BeginDrag started again
  std::array<Point, 2> mDragLimits{Point{-4503599627370496.0, 9007199254740992.0},
                                   Point{-4503599627370496.0, 9007199254740992.0}};
  bool mDragWasNotClipping = false;
  std::array<bool, 2> mDragDockedAxes{false, false};  // axes a mode-1 drag docked
  bool mInDrag = false;
  RCPtr<LControl> mDragTarget;
  // input and focus
  int32_t mDragThreshold = 1;
  bool mTickWhilePressed = false;
  bool mPressTicking = false;  // the idle request of the current left press
  bool mExcludedFromHitTesting = false;
  bool mFocusRoot = false;
  double mPressX = 0;  // where the press went down, in the parent's coordinates
  double mPressY = 0;
  uint32_t mCaptureStartTime = 0;
  uint32_t mLastMoveTime = 0;
  RCPtr<LMouseButtonParam> mLastLeftDown;
  uint64_t mCursor = 0;
  uint64_t mCursorBefore = 0;  // what the control's cursor replaced
  WeakRCPtr<LRootWindow> mRootWindow;  // top-level controls only
  static inline int32_t sSkinBuilds = 0;  // SkinBuild scopes open
  bool mIdleRegistered = false;
  // drawing
  float mOpacity = 1.0f;
  bool mLabelScrolls = false;
  LRectRegion mClientUpdateRegion;  // content coordinates
  // timed scroll motion, per axis
  struct ScrollMotion {
    bool running = false;
    double lastTime = 0;  // seconds of the running clock
    double velocity = 0;  // pixels per second
    double upperBound = 0;
    double lowerBound = 0;
    RCPtr<LControl> target;
  };
  std::array<ScrollMotion, 2> mScrollMotion;
  // drag-scroll (mode 6): the offset at the start and the recent way
  struct DragSample {
    uint32_t tick;
    Point offset;
  };
  Point mDragStartOwnScroll;
  std::vector<DragSample> mDragSamples;
  Point mDragVelocity;
  uint32_t mReleaseTime = 0;
};

}  // namespace HV
