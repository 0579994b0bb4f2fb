#pragma once

// HeadlessWindowSystem: a window system without a desktop, for tests and
// headless runs. Desktop events are scripted, waits are event waits that
// follow the installed clock (a VirtualClock in tests: no sleeping), a
// scripted Resize sizes its window as the desktop would (whatever the size
// limits say, as a desktop without a window manager does), the
// clipboard is a string, message boxes answer from a script, and every window
// presents into a MemoryPresenter.

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <utility>

#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/Platform/2D/MemoryPresenter.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/Platform/UI/WindowSystemBase.h"

namespace HV::Platform {

class HeadlessWindowSystem final : public WindowSystemBase {
 public:
  HeadlessWindowSystem();

  // Queues an event as if the desktop sent it. UI thread.
  void Script(const WindowEvent& event);
  // The events scripted after this arrive only once the loop has found the
  // queue empty, run its idle pass and waited, as a person's next key would;
  // with milliseconds, only once its waits have lasted that long in all (a
  // wait without time-out then lasts to the end of the pause).
  void ScriptPause(uint32_t milliseconds = 0);
  // The answers the next message boxes give, in order; Cancel when none is left.
  void ScriptMessageBoxAnswer(MessageBoxAnswer answer) { mAnswers.push_back(answer); }
  // Titles and texts of the message boxes shown, and the windows they were shown over.
  const std::vector<std::pair<std::string, std::string>>& GetShownMessageBoxes() const { return mShown; }
  const std::vector<WindowId>& GetMessageBoxOwners() const { return mOwners; }
  // Nobody answers the program's windows unless a test says so: then the
  // program's own message boxes run in their windows, answered by the
  // scripted events, and only the plain boxes answer from the script.
  void SetHasUser(bool hasUser) { mHasUser = hasUser; }
  bool HasUser() const override { return mHasUser; }
  RCPtr<MemoryPresenter> GetMemoryPresenter(WindowId window);
  // With a clock given, a wait that nothing ends early moves that clock on by
  // the whole time-out at once, so one thread can run a loop through its
  // ticks. Without one, waits follow the installed clock.
  void AdvanceClockInWaits(VirtualClock* clock) { mAdvanced = clock; }
  // How many times the loop went to sleep, to show that it does not spin.
  uint64_t GetWaitCount() const { return mWaits; }
  // The time-out the latest sleep was asked for (kInfinite: until an event);
  // 0 before the first.
  uint32_t GetLastWaitTimeout() const { return mLastTimeout; }
  // The desktop's work area; 1920 x 1080 at the origin unless a test sets another.
  void SetWorkArea(const RectT<int32_t>& area) { mWorkArea = area; }
  RectT<int32_t> GetWorkArea() const override { return mWorkArea; }
  // The frame a window manager would draw around every framed window; none
  // unless a test sets one.
  void SetFrameExtents(const FrameExtents& extents) { mFrameExtents = extents; }
  FrameExtents GetFrameExtents(WindowId window) const override;
  // Every window made, in order, as it was asked for (owner, kind, modal state, place).
  const std::vector<WindowSpec>& GetMadeWindows() const { return mMade; }
  // As the user's minimise button would; ActivateWindow restores it.
  void MinimizeWindow(WindowId window) { mMinimized[window] = true; }
  bool IsWindowMinimized(WindowId window) const;

  MessageBoxAnswer ShowMessageBox(WindowId owner, const std::string& title, const std::string& text,
                                  MessageBoxKind kind) override;
  void SetClipboardText(const std::string& text) override {
    mClipboard = text;
    ++mClipboardChanges;
  }
  std::string GetClipboardText() override { return mClipboard; }
  uint32_t GetClipboardChangeCount() override { return mClipboardChanges; }

 private:
  bool NativeCreate(WindowId window, WindowRecord& record) override;
  void NativeDestroy(WindowId window) override {
    mPresenters.erase(window);
    mMinimized.erase(window);
    if (mFocused == window) mFocused = 0;
  }
  void NativeShow(WindowId, bool) override {}
  void NativeSetRect(WindowId, const RectT<int32_t>&) override {}
  void NativeSetTitle(WindowId, const std::string&) override {}
  void NativeSetSizeLimits(WindowId, const SizeLimits&) override {}
  bool NativeSetIcon(WindowId, const std::vector<WindowIconImage>&) override { return true; }
  // As a desktop would: the window hears that it has the keyboard.
  void NativeActivate(WindowId window) override;
  void NativeSetCapture(WindowId) override {}
  void NativeSetCursor(CursorKind) override {}
  bool NativeCreateImageCursor(ImageCursorId, const CursorImage&) override { return true; }
  void NativeSetImageCursor(ImageCursorId) override {}
  bool NativePollEvent(WindowEvent& event) override;
  void NativeWait(uint32_t milliseconds) override;
  void NativeWake() override { EventHub::Get().Set(mWake); }

  struct ScriptedEvent {
    std::optional<WindowEvent> event;  // none: a pause
    uint32_t pause = 0;
  };

  // A pause taken from the script has run for elapsed milliseconds.
  void PassPause(uint32_t elapsed) { mPauseLeft -= std::min(elapsed, mPauseLeft); }

  WaitHandle mWake;
  std::deque<ScriptedEvent> mScripted;
  uint32_t mPauseLeft = 0;  // of the pause taken last; the script waits for its end
  std::deque<MessageBoxAnswer> mAnswers;
  std::vector<std::pair<std::string, std::string>> mShown;
  std::vector<WindowId> mOwners;
  bool mHasUser = false;
  std::map<WindowId, RCPtr<MemoryPresenter>> mPresenters;
  std::string mClipboard;
  uint32_t mClipboardChanges = 0;
  uint64_t mWaits = 0;
  uint32_t mLastTimeout = 0;
  VirtualClock* mAdvanced = nullptr;
  RectT<int32_t> mWorkArea{0, 0, 1920, 1080};
  FrameExtents mFrameExtents;
  std::vector<WindowSpec> mMade;
  std::map<WindowId, bool> mMinimized;
  WindowId mFocused = 0;  // the window ActivateWindow gave the keyboard last
};

}  // namespace HV::Platform
