#pragma once

// WaitingChooser: a file chooser that stays open, as a person choosing would,
// until the test has seen what it waits for (PaintWatcher: the owner window
// painted while the chooser was open), then answers with its output. It
// gives up after a while, so that a loop that never runs while it is open
// fails the test instead of hanging it. Run comes on any thread.

#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/Platform/UI/ChildProcess.h"
#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace HV::Test {

class WaitingChooser : public Platform::IChildProcessRunner {
 public:
  explicit WaitingChooser(std::string output) : mOutput(std::move(output)) {}

  Platform::ChildProcessResult Run(const std::vector<std::string>&) override {
    std::unique_lock<std::mutex> hold(mLock);
    mIsOpen = true;
    mChanged.wait_for(hold, std::chrono::seconds(10), [this] { return mIsReleased; });
    mIsOpen = false;
    return {true, 0, mOutput};
  }
  bool IsOpen() {
    std::lock_guard<std::mutex> hold(mLock);
    return mIsOpen;
  }
  void Release() {
    {
      std::lock_guard<std::mutex> hold(mLock);
      mIsReleased = true;
    }
    mChanged.notify_all();
  }

 private:
  std::mutex mLock;
  std::condition_variable mChanged;
  bool mIsOpen = false;
  bool mIsReleased = false;
  std::string mOutput;
};

// Called from the loop's idle passes: once the chooser is open it asks the
// window for a whole paint, and when a later pass finds it painted, it lets
// the chooser close.
class PaintWatcher {
 public:
  explicit PaintWatcher(WaitingChooser& chooser) : mChooser(chooser) {}

  void OnIdle(OSWindow& window) {
    if (mHasSeenPaint || !mChooser.IsOpen()) return;
    if (!mHasAsked) {
      const RectT<int32_t> client = window.GetClientRect();
      window.InvalidateRect({0, 0, client.width, client.height});
      mHasAsked = window.NeedsPaint();
      return;
    }
    if (window.NeedsPaint()) return;
    mHasSeenPaint = true;
    mChooser.Release();
  }
  bool HasSeenPaintWhileOpen() const { return mHasSeenPaint; }

 private:
  WaitingChooser& mChooser;
  bool mHasAsked = false;
  bool mHasSeenPaint = false;
};

// One shown, focused window whose input control takes the key 'A', with an
// idle handler of the test's: the stage of the tests where the program waits
// while its windows paint on and drop their input.
class WaitingWindowFixture : public OSWindowFixture {
 protected:
  static constexpr int32_t kKeyA = 'A';

  void OpenWaitingWindow(std::function<void()> onIdle) {
    window = Open(u"main");
    ASSERT_TRUE(window);
    window->Show(true);
    Focus(*window);
    Input(*window, u"a1").handledKeys = {kKeyA};
    TakeInput();
    dispatcher.SetIdleHandler([onIdle = std::move(onIdle)](int32_t) {
      onIdle();
      return false;
    });
  }
  void TearDown() override { dispatcher.SetIdleHandler(nullptr); }

  RCPtr<OSWindow> window;
};

}  // namespace HV::Test
