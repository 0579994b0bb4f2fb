#pragma once

// OSWindow: the desktop window behind one root window, over the platform's
// window system. It is the root window's host (IOSWindowHost) and holds all
// of the window's logic that does not depend on the desktop:
//   - input: window-system events become the root window's events -- mouse
//     buttons with the mouse capture kept while buttons are held, moves,
//     wheel notches added up into steps, keys with their modifier bits and
//     side mask, typed characters; an inactive window drops input;
//   - painting: what the root window and the desktop invalidated is drawn in
//     one frame through the renderer and presented;
//   - sizing: the client size is kept within the root control's limits (the
//     desktop is told them, and a size it reports outside them is put
//     back), the root control is laid out again and the whole window painted;
//   - closing: the main window's close box asks the application to exit
//     ("NID_APP_EXIT_REQ" at the application notification centre); any other
//     window's closes its root window (a dialog with result 2);
//   - the modal loop, nested in the dispatcher's message loop;
//   - placement: a framed window opens inside the desktop's work area with
//     its frame; the main window's placement (its client area) is kept in
//     the profile when a section is named, and it opens there again.
//
// Made by Create (registered with the dispatcher, which holds it until it is
// destroyed); CreateRenderer then gives it its renderer and root window, and
// adds the root window to the application's. Destroy, a finished RunModal,
// or EndModal outside a modal loop destroys it. UI thread only.

#include "HVFramework/ControlBase/Control/RootWindow/IOSWindowHost.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Window/WindowInputTranslation.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Platform/2D/PlatformWindow.h"
#include "HVFramework/Renderer/LRectRegion.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/ControlBase/SystemUI/LFileDialog.h"

#include <cstdint>
#include <optional>

namespace HV {

class OSWindowDispatcher;

class OSWindow : public virtual LRefCountedObject, public IOSWindowHost {
 public:
  using Point = PointT<int32_t>;
  using Rect = RectT<int32_t>;

  struct Spec {
    StringW title;
    Rect rect;  // screen position and client size
    bool popup = false;
    // The main window's profile section: its placement is restored from
    // there and written back when it is destroyed. Empty: not remembered.
    StringW placementSection;
    // The window the desktop keeps this one above (a dialog's owner); 0: none.
    Platform::WindowId owner = 0;
    // False: the frame never sizes the window, whatever the root control allows.
    bool isResizable = true;
    // A dialog of its owner for the desktop; modal: the owner takes no input while it is open.
    Platform::WindowKind kind = Platform::WindowKind::Normal;
    bool isModal = false;
  };

  // Null when the window system makes no window.
  static RCPtr<OSWindow> Create(OSWindowDispatcher& dispatcher, const Spec& spec);
  ~OSWindow() override;

  // Makes the renderer of a kind (LRenderer::Kind) for the window, then its
  // root window (SetRenderer). E_FAIL when there is no renderer of the kind.
  HResult CreateRenderer(int32_t type);
  // The window draws through renderer; its root window is made for it and
  // added to the application's root windows. 0.
  HResult SetRenderer(const RCPtr<LRenderer>& renderer);
  const RCPtr<LRenderer>& GetRenderer() const { return mRenderer; }
  const RCPtr<LRootWindow>& GetRootWindow() const { return mRootWindow; }
  Platform::WindowId GetWindowId() const { return mWindow; }
  // Where dialogs of this window show their message boxes; their choosers
  // run through the dispatcher, so the windows paint on meanwhile.
  LFileDialog::Owner GetDialogOwner() const;
  // The main window's placement is saved, the root window leaves the
  // application and lets go of its tree, and the desktop window goes.
  void Destroy();
  bool IsDestroyed() const { return mWindow == 0; }
  // The icon the desktop shows for the window, in the sizes given (see
  // IWindowSystem::SetWindowIcon); false when the window system refuses it.
  bool SetIcon(const std::vector<Platform::WindowIconImage>& images);

  // --- From the dispatcher ---
  void HandleEvent(const Platform::WindowEvent& event);
  bool NeedsPaint() const { return !mPendingUpdate.IsEmpty(); }
  // Draws and presents what waits to be painted.
  void Paint();
  // Ends the modal loop when its end waited for a loop opened above it.
  void EndPendingModal();

  // --- IOSWindowHost ---
  Rect GetClientRect() const override;
  void SetClientRect(const Rect& rect) override;
  void SetCaption(const StringW& caption) override;
  Point ScreenToClient(const Point& point) const override;
  Point ClientToScreen(const Point& point) const override;
  bool Show(bool shouldShow) override;
  bool IsActive() const override { return mIsActive; }
  bool HasKeyboardFocus() const override { return mIsActive; }
  // Asks the desktop to activate the window (a shown one only); it hears of
  // the keyboard through a FocusGained event.
  void TakeKeyboardFocus() override;
  uint32_t GetMouseButtons() const override { return mHeldButtons; }
  Point GetMousePosition() const override { return mLastMousePoint; }
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  CursorHandle SetCursor(CursorHandle cursor) override;
  // Asked of the application through the dispatcher.
  CursorHandle GetCursorByName(const StringW& name) const override;
  void InvalidateRect(const Rect& rect) override;
  // The whole client area, painted and presented before returning.
  void RedrawNow() override;
  // From the last key event, without the side bits; 0 after the window
  // lost the keyboard.
  uint32_t GetModifiers() const override { return mKeyModifiers & kModifierFlags; }
  bool IsModal() const override { return mIsModal; }
  int32_t RunModal() override;
  void EndModal(int32_t result) override;
  void SetTextInputState(bool, int32_t) override {}
  // The desktop takes the new root control's size limits, and the window fits them.
  void OnRootControlChanged() override;

  bool HasSystemCapture() const { return mHasSystemCapture; }
  // Ctrl, Shift and Alt of the window layer's modifier bits.
  static constexpr uint32_t kModifierFlags = 0x01 | 0x08 | 0x40;

 protected:
  OSWindow(OSWindowDispatcher& dispatcher, Platform::WindowId window, const Spec& spec);

 private:
  bool IsMainWindow() const;
  void OnMouseDown(const Platform::WindowEvent& event);
  void OnMouseUp(const Platform::WindowEvent& event);
  void OnMouseMove(const Platform::WindowEvent& event);
  void OnWheel(const Platform::WindowEvent& event);
  void OnKey(const Platform::WindowEvent& event);
  void OnText(const Platform::WindowEvent& event);
  void OnFocus(bool isGained);
  void OnResize(int32_t width, int32_t height);
  // A size the desktop gave the window, kept within the root control's limits.
  void OnDesktopResize(int32_t width, int32_t height);
  void OnClose();
  void TakeSystemCapture();
  void DropSystemCapture();
  bool IsInClientArea(const Point& point) const;
  void SavePlacement();

  OSWindowDispatcher& mDispatcher;
  Platform::WindowId mWindow;
  StringW mPlacementSection;
  bool mIsResizable;
  PlatformWindow mTarget;  // what the renderer presents through
  RCPtr<LRootWindow> mRootWindow;
  RCPtr<LRenderer> mRenderer;
  RCPtr<LRenderContextInfo> mRenderContext;
  LRectRegion mPendingUpdate;  // what the desktop and the root window asked to paint
  Point mLastMousePoint;
  uint32_t mHeldButtons = 0;
  int32_t mCaptureCount = 0;  // presses since the mouse capture was taken
  WheelAccumulator mWheel;
  uint32_t mKeyModifiers = 0;  // as the last key event reported them
  bool mHasSystemCapture = false;
  bool mIsModal = false;
  std::optional<int32_t> mPendingModalEnd;
  bool mIsActive = false;
};

}  // namespace HV
