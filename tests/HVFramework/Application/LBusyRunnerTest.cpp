// The busy runner over the window dispatcher on the headless window system:
// the window paints on and drops its input while an operation waits on its
// worker, the wait cursor shows meanwhile, a second operation is refused,
// and the result (or what the operation threw) comes back to the caller.
#include "HVFramework/Application/LBusyRunner.h"

#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"
#include "tests/HVFramework/ControlBase/Window/WaitingWindow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace HV::Test {
namespace {

using ::testing::IsEmpty;

class LBusyRunnerThreads : public WaitingWindowFixture {
 protected:
  void SetUp() override {
    OpenWaitingWindow([this] { OnIdle(); });
  }

  // While the operation waits: what the user-interface thread sees, and a
  // second operation asked for (a hot key pressed meanwhile).
  void OnIdle() {
    if (!waiting.IsOpen()) return;
    isBusyMeanwhile = runner.IsBusy();
    cursorMeanwhile = dispatcher.GetCursor();
    if (!secondRun) secondRun = runner.Run([this] { return ++secondStarts; });
    watcher.OnIdle(*window);
  }

  const CursorHandle wait = dispatcher.GetCursorByName(StringW(u"UI_CURSOR_WAIT"));
  LBusyRunner runner{dispatcher, [this](CursorHandle cursor) { return dispatcher.SetCursor(cursor); }, wait};
  WaitingChooser waiting{""};
  PaintWatcher watcher{waiting};
  bool isBusyMeanwhile = false;
  CursorHandle cursorMeanwhile = 0;
  std::optional<std::optional<HResult>> secondRun;
  int32_t secondStarts = 0;
};

TEST_F(LBusyRunnerThreads, TheWindowPaintsAndDropsInputWhileTheOperationWaitsAndGetsItsResult) {
  Script(*window, Key(Kind::KeyDown, kKeyA));
  Script(*window, Mouse(Kind::MouseDown, 15, 12, 1));
  Script(*window, Mouse(Kind::MouseUp, 15, 12, 1));
  const std::thread::id uiThread = std::this_thread::get_id();
  std::thread::id operationThread;
  const CursorHandle before = dispatcher.GetCursor();

  const std::optional<HResult> result = runner.Run([&] {
    operationThread = std::this_thread::get_id();
    waiting.Run({});  // returns once the window has painted meanwhile
    return -3;
  });

  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(*result, -3);  // negative results come back as they are
  EXPECT_NE(operationThread, uiThread);
  EXPECT_TRUE(watcher.HasSeenPaintWhileOpen());
  EXPECT_TRUE(isBusyMeanwhile);
  EXPECT_EQ(cursorMeanwhile, wait);
  EXPECT_NE(wait, before);
  EXPECT_EQ(dispatcher.GetCursor(), before);
  EXPECT_FALSE(runner.IsBusy());
  // The second operation was refused and never started.
  ASSERT_TRUE(secondRun.has_value());
  EXPECT_FALSE(secondRun->has_value());
  EXPECT_EQ(secondStarts, 0);
  // Once it is over, operations run again; the input given meanwhile was dropped.
  EXPECT_EQ(runner.Run([] { return 5; }), std::optional<HResult>(5));
  dispatcher.Quit(0);
  EXPECT_EQ(dispatcher.Run(), 0);
  EXPECT_THAT(TakeInput(), IsEmpty());
}

TEST_F(LBusyRunnerThreads, WhatTheOperationThrowsReachesTheCallerAndTheRunnerIsFreeAgain) {
  const CursorHandle before = dispatcher.GetCursor();
  EXPECT_THROW(runner.Run([]() -> HResult { throw std::runtime_error("port gone"); }), std::runtime_error);
  EXPECT_FALSE(runner.IsBusy());
  EXPECT_EQ(dispatcher.GetCursor(), before);
  EXPECT_EQ(runner.Run([] { return 0; }), std::optional<HResult>(0));
}

}  // namespace
}  // namespace HV::Test
