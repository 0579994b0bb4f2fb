#pragma once

// OSWindowDispatcher: the program's OS windows on the user-interface thread's
// message loop. It hands each window-system event to the window it belongs
// to, has the windows that wait for it painted, and runs the idle passes:
// the notification centres first, then every root window of the application
// (each sends "NID_IDLE" on the first pass of a round). The loop's 33 ms tick
// has no work of its own: it only wakes the loop, so the idle passes run
// about 30 times a second. Modal loops of the windows nest in its loop.
//
// It holds the windows registered with it (each OS window registers itself
// when it is made and leaves when it is destroyed) and the state all of them
// share: the shown cursor and the profile their placement goes to.
// It is also the application's window runner: a control without parent (a
// dialog) is shown in an OS window of its own, where its layout placed it.
// The window system must outlive the dispatcher. UI thread only, except Quit.

#include "HVFramework/ControlBase/Control/RootWindow/IControlWindowRunner.h"
#include "HVFramework/ControlBase/Control/RootWindow/IOSWindowHost.h"
#include "HVFramework/ControlBase/Window/IProfileStore.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Platform/UI/MessageLoop.h"

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace HV {

class OSWindow;

class OSWindowDispatcher : public Platform::IMessageLoopClient, public IControlWindowRunner {
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

  // The application's idle pass (count 0, 1, 2 of an idle period; true while
  // work remains) in place of the dispatcher's own: an application object
  // that idles its windows itself installs it. Empty: the dispatcher's pass.
  using IdleHandler = std::function<bool(int32_t count)>;
  void SetIdleHandler(IdleHandler handler) { mIdleHandler = std::move(handler); }

  // The renderer kind (LRenderer::Kind) of the windows the runner makes.
  void SetRendererKind(int32_t kind) { mRendererKind = kind; }
  // A window for the control at its laid-out rectangle (a default one when
  // it has none), shown; modal: runs it and answers its result, else 0.
  HResult RunControlInRootWindow(const RCPtr<LControl>& control, bool modal) override;

  // The OS windows' own registration.
  void AddWindow(OSWindow& window);
  void RemoveWindow(const OSWindow& window);
  OSWindow* FindWindow(Platform::WindowId id) const;
  // The window that has the keyboard; null when none of the dispatcher's has.
  RCPtr<OSWindow> GetActiveWindow() const;

  void OnEvent(const Platform::WindowEvent& event) override;
  void OnTick() override {}
  void PaintDirtyWindows() override;
  bool OnIdle(int32_t count) override;

 private:
  Platform::IWindowSystem& mSystem;
  Platform::MessageLoop mLoop;
  std::map<Platform::WindowId, RCPtr<OSWindow>> mWindows;
  IProfileStore* mProfile = nullptr;
  CursorHandle mCursor = 0;
  int32_t mRendererKind = 1;  // the 2-D renderer
  IdleHandler mIdleHandler;
};

}  // namespace HV
