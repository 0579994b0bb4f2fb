#pragma once

// MessageLoop: the user-interface thread's loop. Each round it hands over the
// queued events, runs the 33 ms tick when it is due, runs idle passes while
// the client asks for more (counts 0, 1 and 2) -- and again from count 0
// while those passes posted work for later ones -- paints the windows that
// need it, then sleeps in the window system. It never spins, and it only
// ticks on request: while the client wants the tick (or its last idle pass
// left work behind) the sleep ends at the next tick; otherwise it lasts until
// the next event, so a program with nothing to do does not wake at all.
// Posted work (events, Wake) ends the sleep at once either way.
//
// Modal loops nest. While one runs, input to every window but its own is
// dropped; EndModal ends the innermost one with a result. A quit that arrives
// inside a modal loop ends it with kModalQuit and is posted again, so every
// loop out to the outermost one ends.
//
// Threads: UI thread only; other threads wake it through IWindowSystem::PostEvent.

#include <cstdint>
#include <vector>

#include "HVFramework/Platform/UI/IWindowSystem.h"

namespace HV::Platform {

class IMessageLoopClient {
 public:
  virtual ~IMessageLoopClient() = default;
  virtual void OnEvent(const WindowEvent& event) = 0;
  virtual void OnTick() = 0;
  virtual void PaintDirtyWindows() = 0;
  // True when another idle pass is wanted.
  virtual bool OnIdle(int32_t count) = 0;
  // Asked before each sleep: true while something runs on time (an
  // animation, a blinking caret) and needs the 33 ms tick. A client that
  // does not say ticks always.
  virtual bool IsTickWanted() const { return true; }
  // True when work for the idle passes was posted (a notification queued)
  // since the last call. What the idle passes post in turn is delivered in
  // the same round, before the paint; what is left after that (posted by the
  // paint, or more than a round's passes deliver) waits no longer than the
  // next tick. A client that does not say posts nothing.
  virtual bool TakePostedWork() { return false; }
  // Called before a sleep that only an event ends: everything the loop had
  // to do is done and painted.
  virtual void OnSleepUntilEvent() {}
};

class MessageLoop {
 public:
  static constexpr uint32_t kTickMilliseconds = 33;
  static constexpr int32_t kLastIdlePass = 2;
  // Idle periods (passes 0 to 2) a round runs at most while they post work:
  // a notification that posts itself again cannot hold off input and paint.
  static constexpr int32_t kMostIdlePeriods = 8;
  static constexpr int32_t kModalQuit = -1;

  MessageLoop(IWindowSystem& system, IMessageLoopClient& client);

  // Runs until a quit event; answers its code.
  int32_t Run();
  // Runs until EndModal (answers its result) or a quit (answers kModalQuit).
  int32_t RunModal(WindowId dialog);
  void EndModal(int32_t result);
  void PostQuit(int32_t code);

  int32_t GetModalDepth() const { return static_cast<int32_t>(mModal.size()); }
  // The window of the innermost modal loop that has one (a loop may run for
  // no window: every window's input is held off); 0 when none does.
  WindowId GetModalWindow() const {
    for (auto level = mModal.rbegin(); level != mModal.rend(); ++level)
      if (level->dialog != 0) return level->dialog;
    return 0;
  }
  // True when a modal loop of another window runs.
  bool IsBlocked(WindowId window) const { return !mModal.empty() && mModal.back().dialog != window; }

 private:
  struct ModalLevel {
    WindowId dialog = 0;
    bool ended = false;
    int32_t result = 0;
  };

  // Runs rounds until a quit (true, code set) or the innermost modal loop ended (false).
  bool RunRounds(int32_t& code);
  // Hands over the queued events; true when the loop must stop.
  bool Drain(int32_t& code, bool& quit);
  // True when the last pass still wanted more.
  bool RunIdlePasses();
  // Idle periods while the client's passes post work; true when work is left.
  bool RunIdlePeriods();
  // Sleeps until the next event, or the next tick when one is wanted.
  void Sleep(bool isWorkLeft);
  bool InnermostEnded() const { return !mModal.empty() && mModal.back().ended; }

  IWindowSystem& mSystem;
  IMessageLoopClient& mClient;
  std::vector<ModalLevel> mModal;
  uint32_t mNextTick;
  bool mIsTicking = true;  // mNextTick counts; restarted a tick from now when ticking resumes
};

}  // namespace HV::Platform
