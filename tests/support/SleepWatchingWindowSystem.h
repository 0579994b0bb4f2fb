#pragma once

// SleepWatchingWindowSystem: a borrowed window system that lets a test look
// at the program each time its message loop goes to sleep (before the wait)
// and each time it shows a message box (before the box), on the loop's own
// thread: what the windows show then is all a person sees until the next event.

#include "tests/support/BorrowedWindowSystem.h"

#include <functional>
#include <string>

namespace HV::Test {

class SleepWatchingWindowSystem : public BorrowedWindowSystem {
 public:
  using BorrowedWindowSystem::BorrowedWindowSystem;

  // milliseconds: the wait's time-out (Platform::kInfinite: until an event).
  std::function<void(uint32_t milliseconds)> onSleep;
  std::function<void(const std::string& title)> onMessageBox;

  bool WaitEvent(uint32_t milliseconds) override {
    if (onSleep) onSleep(milliseconds);
    return BorrowedWindowSystem::WaitEvent(milliseconds);
  }
  Platform::MessageBoxAnswer ShowMessageBox(Platform::WindowId owner, const std::string& title,
                                            const std::string& text, Platform::MessageBoxKind kind) override {
    if (onMessageBox) onMessageBox(title);
    return BorrowedWindowSystem::ShowMessageBox(owner, title, text, kind);
  }
};

}  // namespace HV::Test
