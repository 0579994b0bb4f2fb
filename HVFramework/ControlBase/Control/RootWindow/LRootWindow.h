#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/LKeyParam.h"
#include "HVFramework/ControlBase/Control/RootWindow/IOSWindowHost.h"
#include "HVFramework/ControlBase/Control/RootWindow/LGlobalHotKeyManager.h"
#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationQueue.h"
#include "HVFramework/ObjectBase/UIThread.h"
#include "HVFramework/ObjectBase/WeakRCPtr.h"
#include "HVFramework/Renderer/LRectRegion.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "HVFramework/Utilities/Storage/RCPtrQueue.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace HV {

// LRootWindow: the framework side of one window. It owns the window's control
// tree (its root control), takes the window's mouse and key events, finds the
// control each belongs to and hands it over through the control's UITarget
// operations, and keeps the interaction state: the focus owner, the hovered
// control, the capture holder, the shown tool tip and the buttons held.
// It is also the window's notification queue: what is posted to it (its hot
// keys' notifications among them) and "NID_IDLE" reach its clients at the
// idle pass.
//
// The focus, hover, capture and tool-tip links are weak: each answers only
// while its control lives and is still in this window's tree, so a control
// that dies or leaves (with its subtree) in the middle of an event is simply
// no longer there. A subtree that leaves the window still ends what it was
// doing with it first (EndInteractionIn). The OS window is reached through
// IOSWindowHost, not owned, and forgotten with ForgetHost.
// User-interface thread only; the update region and the key queue have locks
// of their own because other threads may add to them.
class LRootWindow : public LNotificationDistributor, public LNotificationQueue {
 public:
  using Point = PointT<int32_t>;
  using Rect = RectT<int32_t>;
  enum ButtonEvent : int32_t { kPress = 0, kRelease = 1, kDoubleClickPress = 2 };
  static constexpr int32_t kPointerCount = 10;

  // A window without a host drops every event.
  static RCPtr<LRootWindow> Create(IOSWindowHost* host);
  ~LRootWindow() override;

  IOSWindowHost* GetHost() const { return mHost; }
  void ForgetHost() { mHost = nullptr; }

  // --- The control tree ---
  // Clears focus, hover and capture, detaches the former root control, then
  // attaches this one (null: none), loads its "GHK." hot keys, stretches its
  // layout over the client area and gives it the focus. 0.
  HResult SetRootControl(const RCPtr<LControl>& control);
  const RCPtr<LControl>& GetRootControl() const { return mRootControl; }
  // The application's factory builds the skin's top-level control of that
  // name as the root control; an empty name removes the root control.
  // E_FAIL when there is no factory or the skin has no such control.
  HResult SetRootControlByName(const StringW& name);
  // The deepest control under a client point, with the point in its own
  // coordinates; updateHover also makes it the hovered control.
  virtual RCPtr<LControl> ControlFromPoint(const Point& point, Point& local, bool updateHover);
  // Lays the root control out for a new client size.
  void Relayout(int32_t width, int32_t height);

  // --- Events from the OS window ---
  void OnMouseButton(ButtonEvent kind, int32_t button, uint32_t modifiers, const Point& point, int32_t pointer);
  void OnMouseMove(const Point& point, uint32_t modifiers, int32_t pointer);
  void OnMouseWheel(const Point& point, uint32_t modifiers, int32_t direction);
  void OnKey(const RCPtr<LKeyParam>& key);
  // Key events from other code, handled at the next idle pass. Any thread.
  void QueueKey(const RCPtr<LKeyParam>& key);
  // One idle pass: queued keys, then the posted notifications and "NID_IDLE",
  // then a pending end of the modal loop. True while notifications wait.
  bool ProcessIdle(bool sendIdle = true);

  // --- Interaction state ---
  LControl* GetFocusControl() const { return InWindow(mFocusControl); }
  LControl* GetPreviousFocusControl() const { return InWindow(mPreviousFocusControl); }
  LControl* GetHoverControl() const { return InWindow(mHoverControl); }
  LControl* GetToolTipControl() const { return InWindow(mToolTipControl); }
  LControl* GetCaptureControl() const { return InWindow(mCaptureControl); }
  void SetHoverControl(LControl* control);
  void SetFocusControl(LControl* control) {
    HV_ASSERT_UI_THREAD();
    mFocusControl = control;
  }
  void ClearFocusControl();
  // E_INVALIDARG for null; a former holder's capture is cancelled first.
  HResult SetCaptureControl(LControl* control);
  HResult ClearCaptureControl();
  // The OS window lost the system capture.
  void CancelCapture();
  // The OS window got the keyboard focus back.
  void RestoreFocus();
  void OnWindowFocusLost();
  // A Tab that no control used: moves the focus round the window.
  void CycleFocus(const RCPtr<LKeyParam>& key);
  // A control leaves the tree with its subtree: a capture held in it is
  // cancelled, the hovered control in it hears the mouse leave, it stops
  // being the tool tip's owner, and the focus leaves it without being
  // remembered as the focus to restore.
  void EndInteractionIn(LControl& subtree);
  // Top-level controls that link to this window (LControl::SetRootWindow);
  // the window unlinks those still alive when it is released.
  void AddTopLevel(LControl* control);
  void RemoveTopLevel(LControl* control);
  // Hover moves to whatever is under the pointer now (after a control under
  // it was hidden or gave up the capture).
  void RecheckHover();

  // --- Window services for controls ---
  uint32_t GetMouseButtons() const;
  // Ctrl 0x01, Shift 0x08, Alt 0x40 as the OS window's input reported them;
  // 0 without one. The window's own events know the keys better than a
  // query of the desktop's key state, which a headless or remote desktop
  // may not answer.
  uint32_t GetModifiers() const;
  // The buttons a pointer holds as this window's events reported them;
  // pointers 10 and above are not recorded (0).
  uint32_t GetButtonsOfPointer(int32_t pointer) const {
    return pointer >= 0 && pointer < kPointerCount ? mButtonsByPointer[pointer] : 0;
  }
  Point GetMousePosition() const;
  // The shown cursor's replacement (0: the "UI_CURSOR_ARROW" cursor); the
  // cursor shown before.
  CursorHandle SetCursor(CursorHandle cursor);
  // The window's "GHK." table: 0 when it raised a notification.
  int32_t HandleHotKey(const RCPtr<LKeyParam>& key);
  const RCPtr<LGlobalHotKeyManager>& GetHotKeys() const { return mHotKeys; }
  // E_FAIL without an OS window; the loop ends at the next idle pass.
  HResult EndModalLoop(int32_t result);
  // The desktop closes the window: a dialog root control (IDialogControl)
  // closes with kDialogCancel; otherwise the modal loop ends with 0.
  static constexpr int32_t kDialogCancel = 2;
  void Close();
  Rect GetScreenRect();
  // Moves or resizes the OS window's client area when it differs, then lays
  // the root control out again.
  void SetClientRect(const Rect& rect);

  // --- Client size limits ---
  // What the root control's minimum and maximum sizes allow the client area:
  // a maximum of 0 is none; a fixed window keeps one size (the root
  // control's layout asks for it, or its limits leave one size only).
  struct ClientSizeLimits {
    Point minimum{1, 1};
    Point maximum{0, 0};
    bool isFixed = false;
  };
  // Fits a proposed client size to the root control's limits, rounded half
  // away from zero and at least 1 x 1; true when the size changed.
  bool ConstrainClientSize(int32_t& width, int32_t& height);
  // The limits for the desktop; none (minimum 1 x 1) without a root control.
  ClientSizeLimits GetClientSizeLimits();
  // Whether a layout asks for a window of one size: it names a minimum that
  // its maximum repeats on both axes, or both axes' limits all measure its
  // own children (the window then fits its content).
  static bool IsFixedSizeLayout(const LLayoutDescriptor& layout);

  // The window's title, shown by the OS window.
  void SetCaption(const StringW& caption) {
    if (mHost) mHost->SetCaption(caption);
  }
  void SetTextInputState(bool enabled, int32_t value) {
    if (mHost) mHost->SetTextInputState(enabled, value);
  }

  // --- Painting (LRootWindowPainting.cpp) ---
  // Only what was invalidated is painted: the controls invalidate areas of
  // the client, the OS window is asked to repaint them, and its paint takes
  // the collected region (TakeUpdateRegion) and draws the tree into it
  // (Paint). A frame with nothing invalidated draws nothing.
  //
  // Collects the part of a client rectangle inside the client area for the
  // next paint and asks the OS window to repaint it; a rectangle wholly
  // outside changes nothing.
  void InvalidateRect(const Rect& rect);
  // The whole client area at the next paint (after a resize, or when a
  // paint could not draw).
  void InvalidateAll();
  // The whole window painted and presented now, through the OS window;
  // E_FAIL without one.
  HResult RedrawNow();
  // The rectangles collected since the last call (the whole client area
  // after InvalidateAll), leaving none behind.
  LRectRegion TakeUpdateRegion();
  // What the window draws with; its current context must be started (and
  // able to draw) around Paint.
  void SetRenderer(const RCPtr<LRenderer>& renderer) { mRenderer = renderer; }
  const RCPtr<LRenderer>& GetRenderer() const { return mRenderer; }
  // Draws the root control's tree where region (client coordinates) needs
  // it, clipped to the region's bounds: first the controls that clip to
  // their parent, then on top the others. Nothing without a root control
  // or a region; a renderer that cannot draw now leaves the whole window
  // for the next paint.
  void Paint(const LRectRegion& region);
  // Draws control's subtree in the given pass, then the controls it left to
  // the second pass, ordered by their "Z_Order" (stable), each in a child
  // rectangle at its parent's content origin.
  void DrawControl(const RCPtr<LControl>& control, const LRectRegion& region, bool isDeferredPass);
  // The overlap of a and b in out; false when it is narrower or lower than one pixel.
  static bool IntersectRect(Rect& out, const Rect& a, const Rect& b);

  HResult ReleaseInternalReferences() override;

 protected:
  explicit LRootWindow(IOSWindowHost* host);

 private:
  bool AcceptsInput() const { return mHost && mHost->IsActive(); }
  // The capture holder or the control under the point, with the local point.
  RCPtr<LControl> FindTarget(const Point& point, Point& local);
  void HideToolTip();
  LControl* FindToolTipOwner(LControl* control) const;
  // The link's control while it lives in this window's tree; else null.
  LControl* InWindow(const WeakRCPtr<LControl>& link) const;

  IOSWindowHost* mHost;  // not owned
  Rect mScreenRect{0, 0, 1024, 768};
  RCPtr<LControl> mRootControl;
  LRectRegion mUpdateRegion;
  std::mutex mRegionLock;  // guards mUpdateRegion and mInvalidateAllPending
  bool mInvalidateAllPending = false;
  uint8_t mDoubleClickButtons = 0;
  RCPtr<LGlobalHotKeyManager> mHotKeys;
  // Read through InWindow: a link may outlast its control's place in the tree.
  WeakRCPtr<LControl> mFocusControl;
  WeakRCPtr<LControl> mPreviousFocusControl;
  WeakRCPtr<LControl> mHoverControl;
  WeakRCPtr<LControl> mToolTipControl;
  WeakRCPtr<LControl> mCaptureControl;
  bool mEndModalPending = false;
  int32_t mModalResult = 0;
  RCPtrQueue<LKeyParam, 256>::Lock mKeyQueueLock;
  RCPtrQueue<LKeyParam, 256> mKeyQueue{&mKeyQueueLock};
  uint32_t mButtonsByPointer[kPointerCount] = {};
  std::vector<WeakRCPtr<LControl>> mTopLevels;
  // painting
  RCPtr<LRenderer> mRenderer;
  RCPtrArray<LControl> mDeferred;  // reused by every DrawControl; copied before drawing from it
  RectT<double> mPaintClip;        // the current paint's clip, in client coordinates
};

}  // namespace HV
