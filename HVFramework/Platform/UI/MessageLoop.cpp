#include "HVFramework/Platform/UI/MessageLoop.h"

#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Platform/Core/WaitCodes.h"

namespace HV::Platform {

MessageLoop::MessageLoop(IWindowSystem& system, IMessageLoopClient& client)
    : mSystem(system), mClient(client), mNextTick(GetTickCount() + kTickMilliseconds) {}

int32_t MessageLoop::Run() {
  int32_t code = 0;
  while (!RunRounds(code)) {
  }
  return code;
}

int32_t MessageLoop::RunModal(WindowId dialog) {
  mModal.push_back(ModalLevel{dialog});
  int32_t code = 0;
  const bool quit = RunRounds(code);
  const int32_t result = mModal.back().result;
  mModal.pop_back();
  if (!quit) return result;
  // The outer loops must see the quit too.
  WindowEvent again;
  again.kind = WindowEventKind::Quit;
  again.code = code;
  mSystem.PostEvent(again);
  return kModalQuit;
}

void MessageLoop::EndModal(int32_t result) {
  if (mModal.empty()) return;
  mModal.back().ended = true;
  mModal.back().result = result;
}

void MessageLoop::PostQuit(int32_t code) {
  WindowEvent quit;
  quit.kind = WindowEventKind::Quit;
  quit.code = code;
  mSystem.PostEvent(quit);
}

bool MessageLoop::RunRounds(int32_t& code) {
  for (;;) {
    bool quit = false;
    if (Drain(code, quit)) return quit;
    const uint32_t now = GetTickCount();
    if (mIsTicking && static_cast<int32_t>(now - mNextTick) >= 0) {
      mNextTick = now + kTickMilliseconds;
      mClient.OnTick();
      if (InnermostEnded()) return false;
    }
    // Idle passes deliver posted notifications, which change what controls
    // show: paint after them, or the change waits for the next input. A
    // modal loop that ended in them paints too: its caller may block next
    // (a message box), and what the loop delivered must show meanwhile.
    const bool isWorkLeft = RunIdlePeriods();
    mClient.PaintDirtyWindows();
    if (InnermostEnded()) return false;
    Sleep(isWorkLeft || mClient.TakePostedWork());
  }
}

bool MessageLoop::RunIdlePeriods() {
  for (int32_t period = 0; period < kMostIdlePeriods; ++period) {
    // What was posted before the period is what the period delivers.
    mClient.TakePostedWork();
    const bool isWorkLeft = RunIdlePasses();
    if (!mClient.TakePostedWork()) return isWorkLeft;
  }
  return true;
}

void MessageLoop::Sleep(bool isWorkLeft) {
  if (!isWorkLeft && !mClient.IsTickWanted()) {
    mIsTicking = false;
    mClient.OnSleepUntilEvent();
    mSystem.WaitEvent(kInfinite);
    return;
  }
  if (!mIsTicking) {
    mIsTicking = true;
    mNextTick = GetTickCount() + kTickMilliseconds;
  }
  const uint32_t untilTick = mNextTick - GetTickCount();
  if (static_cast<int32_t>(untilTick) > 0) mSystem.WaitEvent(untilTick);
}

bool MessageLoop::Drain(int32_t& code, bool& quit) {
  WindowEvent event;
  while (mSystem.PollEvent(event)) {
    if (event.kind == WindowEventKind::Quit) {
      code = event.code;
      quit = true;
      return true;
    }
    if (event.kind == WindowEventKind::Wake) continue;
    if (IsInputEvent(event.kind) && IsBlocked(event.window)) continue;
    mClient.OnEvent(event);
    if (InnermostEnded()) return true;
  }
  return false;
}

bool MessageLoop::RunIdlePasses() {
  for (int32_t count = 0; count <= kLastIdlePass; ++count)
    if (!mClient.OnIdle(count)) return false;
  return true;
}

}  // namespace HV::Platform
