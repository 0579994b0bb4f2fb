#pragma once

// OSWindowDispatcher: the program's OS windows on the user-interface thread's
// message loop. It hands each window-system event to the window it belongs
// to, has the windows that wait for it painted, and runs the idle passes:
// the notification centres first, then every root window of the application
// (each sends "NID_IDLE" on the first pass of a round). The loop's 33 ms tick
// has no work of its own: it only wakes the loop, so the idle passes run
// about 30 times a second -- and only while something needs them: a control
// that asked its root window for idle time, a blocking call, or command
// lines of other instances that wait. Otherwise the loop sleeps until the
// desktop or another thread has something for it: the dispatcher makes every
// notification posted from another thread wake it (NotificationWakeHook),
// and tells the loop of every post on its own thread, so that what the idle
// passes post in turn is delivered and painted before the loop sleeps.
// Modal loops of the windows nest in its loop.
//
// It holds the windows registered with it (each OS window registers itself
// when it is made and leaves when it is destroyed) and the state all of them
// share: the shown cursor and the profile their placement goes to.
// It is also the application's window runner: a control without parent (a
// dialog) is shown in an OS window of its own, captioned with its "LABEL",
// not resizable by its frame, a dialog for the desktop of the window it was
// opened from (the window whose modal loop runs, else the active window,
// else the main window): centred over that window and inside the work area,
// kept above it, and modal to it when it is run modally.
// The window system must outlive the dispatcher. UI thread only, except Quit
// and ReceiveOtherInstanceCommandLine.

#include "HVFramework/ControlBase/Control/RootWindow/IControlWindowRunner.h"
#include "HVFramework/ControlBase/Control/RootWindow/IOSWindowHost.h"
#include "HVFramework/ControlBase/SystemUI/IBlockingCallRunner.h"
#include "HVFramework/ControlBase/Window/IProfileStore.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/Platform/Core/NativeThread.h"
#include "HVFramework/Platform/UI/ForwardedLineQueue.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Platform/UI/MessageLoop.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <thread>
#include <utility>
#include <vector>

namespace HV {

class OSWindow;

class OSWindowDispatcher : public Platform::IMessageLoopClient,
                           public IControlWindowRunner,
                           public IBlockingCallRunner {
 public:
  explicit OSWindowDispatcher(Platform::IWindowSystem& system);
  ~OSWindowDispatcher() override;
  OSWindowDispatcher(const OSWindowDispatcher&) = delete;
  OSWindowDispatcher& operator=(const OSWindowDispatcher&) = delete;

  Platform::IWindowSystem& GetWindowSystem() const { return mSystem; }
  Platform::MessageLoop& GetMessageLoop() { return mLoop; }
  // Runs until a quit; its exit code. Any thread may ask for the quit.
  int32_t Run() { return mLoop.Run(); }
  void Quit(int32_t code) { mLoop.PostQuit(code); }

  // Where the main window's placement is kept; none (null) by default. Not owned.
  void SetProfileStore(IProfileStore* store) { mProfile = store; }
  IProfileStore* GetProfileStore() const { return mProfile; }

  // The cursor every window shows; SetCursor answers the one before.
  CursorHandle GetCursor() const { return mCursor; }
  CursorHandle SetCursor(CursorHandle cursor);
  // Where cursors are found by name: the application's own (it may name
  // image cursors made with AddImageCursor). Empty: the system's cursors of
  // the framework's names ("UI_CURSOR_ARROW", ...).
  using CursorSource = std::function<CursorHandle(const StringW& name)>;
  void SetCursorSource(CursorSource source) { mCursorSource = std::move(source); }
  CursorHandle GetCursorByName(const StringW& name) const;
  // A handle for a cursor of the program's own; 0 when the window system
  // cannot make it.
  CursorHandle AddImageCursor(const Platform::CursorImage& image);

  // The application's idle pass (count 0, 1, 2 of an idle period; true while
  // work remains) in place of the dispatcher's own: an application object
  // that idles its windows itself installs it. Empty: the dispatcher's pass.
  using IdleHandler = std::function<bool(int32_t count)>;
  void SetIdleHandler(IdleHandler handler) { mIdleHandler = std::move(handler); }
  // Called each time the loop is about to sleep until the next event with
  // none queued: what it was given is handled and shown (timing tools and
  // display tests wait for it). Empty: nobody is told.
  void SetIdleObserver(std::function<void()> observer) { mIdleObserver = std::move(observer); }

  // The renderer kind (LRenderer::Kind) of the windows the runner makes.
  void SetRendererKind(int32_t kind) { mRendererKind = kind; }
  // A window for the control at its laid-out rectangle (a default one when
  // it has none), shown; modal: runs it and answers its result, else 0.
  HResult RunControlInRootWindow(const RCPtr<LControl>& control, bool modal) override;

  // The call on a thread of its own, under a modal loop that belongs to no
  // window: every window paints, none takes input, until the call returns.
  // A quit meanwhile is posted again once the call has returned.
  void RunBlockingCall(const std::function<void()>& call) override;

  // --- Command lines of other instances ---
  // What the application does with the command line another instance of the
  // program forwarded (UTF-8 made wide); called on the UI thread.
  using CommandLineHandler = std::function<void(const StringW& commandLine)>;
  void SetOtherInstanceHandler(CommandLineHandler handler) { mOtherInstanceHandler = std::move(handler); }
  // Any thread (the single-instance listener's): a forwarded command line.
  // At the loop's next idle pass the program comes to the front -- the
  // innermost modal window while one runs, else the main window -- and the
  // line goes to the handler once no modal loop runs. A bounded number waits.
  void ReceiveOtherInstanceCommandLine(const std::string& commandLine);

  // The OS windows' own registration.
  void AddWindow(OSWindow& window);
  void RemoveWindow(const OSWindow& window);
  OSWindow* FindWindow(Platform::WindowId id) const;
  // The window that has the keyboard; null when none of the dispatcher's has.
  RCPtr<OSWindow> GetActiveWindow() const;
  // What a new dialog or message box belongs to: the innermost modal
  // window, else the active window, else the main window; 0 without windows.
  Platform::WindowId FindDialogOwner() const;

  void OnEvent(const Platform::WindowEvent& event) override;
  void OnTick() override {}
  void PaintDirtyWindows() override;
  bool OnIdle(int32_t count) override;
  bool IsTickWanted() const override;
  bool TakePostedWork() override { return mIsWorkPosted.exchange(false); }
  void OnSleepUntilEvent() override;

 private:
  // The window of the application's first root window; 0 without one.
  Platform::WindowId FindMainWindow() const;
  void TakeForwardedLines();
  // Ends the modal loop of a blocking call that has returned.
  void EndFinishedBlockingCall();
  // Restores and raises the main window, then the innermost modal window.
  void BringProgramForward();
  // Whether a control of any root window asked for idle time on the tick.
  bool IsIdleTimeAsked() const;
  // A notification was posted on some thread: the loop hears of it, and
  // wakes unless it is that thread.
  void WakeForNotification();

  Platform::IWindowSystem& mSystem;
  const std::thread::id mLoopThread;  // the thread that made the dispatcher runs its loop
  Platform::MessageLoop mLoop;
  std::atomic<bool> mIsWorkPosted{false};  // any thread sets it
  std::map<Platform::WindowId, RCPtr<OSWindow>> mWindows;
  IProfileStore* mProfile = nullptr;
  CursorHandle mCursor = 0;
  int32_t mRendererKind = 1;  // the 2-D renderer
  IdleHandler mIdleHandler;
  std::function<void()> mIdleObserver;
  CommandLineHandler mOtherInstanceHandler;
  CursorSource mCursorSource;
  struct BlockingCall {
    Platform::NativeThread* thread;
    int32_t modalDepth;  // of the loop that waits for it
  };
  std::vector<BlockingCall> mBlockingCalls;  // innermost last
  Platform::ForwardedLineQueue mForwarded;   // any thread
  std::deque<std::string> mWaitingLines;     // taken, held while a modal loop runs
};

}  // namespace HV
