#include "HVFramework/Platform/UI/MessageLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <thread>
#include <vector>

#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "HVFramework/Platform/Core/VirtualClock.h"

namespace HV::Platform {
namespace {

// Records what the loop hands over; a test adds what the client does on an event or tick.
class RecordingClient : public IMessageLoopClient {
 public:
  void OnEvent(const WindowEvent& event) override {
    events.push_back(event);
    if (onEvent) onEvent(event);
  }
  void OnTick() override {
    ++ticks;
    if (onTick) onTick();
  }
  void PaintDirtyWindows() override {
    ++paints;
    if (onPaint) onPaint();
  }
  bool OnIdle(int32_t count) override {
    idleCounts.push_back(count);
    if (onIdle) onIdle(count);
    return wantIdle;
  }
  bool IsTickWanted() const override { return wantTick; }
  bool TakePostedWork() override { return std::exchange(posted, false); }

  std::vector<WindowEvent> events;
  std::vector<int32_t> idleCounts;
  int32_t ticks = 0;
  int32_t paints = 0;
  bool wantIdle = true;
  bool wantTick = true;
  bool posted = false;  // work was posted for the idle passes
  std::function<void(const WindowEvent&)> onEvent;
  std::function<void()> onTick;
  std::function<void(int32_t)> onIdle;
  std::function<void()> onPaint;
};

WindowEvent Event(WindowEventKind kind, WindowId window, int32_t key = 0) {
  WindowEvent event;
  event.kind = kind;
  event.window = window;
  event.key = key;
  return event;
}

struct LoopFixture {
  VirtualClock clock{1000};
  HeadlessWindowSystem system;
  RecordingClient client;
  MessageLoop loop{system, client};
  WindowId main = system.CreateWindow({"main", {0, 0, 200, 100}});
  WindowId dialog = system.CreateWindow({"dialog", {20, 20, 100, 50}});
};

TEST(MessageLoop, SleepsUntilEachTickAndRunsThreeIdlePasses) {
  LoopFixture f;
  f.client.onTick = [&] {
    if (f.client.ticks == 3) f.loop.PostQuit(5);
  };
  const uint32_t start = GetTickCount();
  f.system.AdvanceClockInWaits(&f.clock);
  EXPECT_EQ(f.loop.Run(), 5);
  EXPECT_EQ(f.client.ticks, 3);
  EXPECT_EQ(GetTickCount() - start, 3 * MessageLoop::kTickMilliseconds);
  // One sleep per tick: the loop never spins while it waits.
  EXPECT_EQ(f.system.GetWaitCount(), 3u);
  // Every round paints once and runs the idle passes 0, 1 and 2, no more.
  EXPECT_EQ(f.client.paints, 4);
  ASSERT_EQ(f.client.idleCounts.size(), 12u);
  for (size_t i = 0; i < f.client.idleCounts.size(); ++i)
    EXPECT_EQ(f.client.idleCounts[i], static_cast<int32_t>(i % 3));
}

TEST(MessageLoop, IdlePassesStopWhenTheClientWantsNoMore) {
  LoopFixture f;
  f.client.wantIdle = false;
  f.client.onTick = [&] { f.loop.PostQuit(0); };
  f.system.AdvanceClockInWaits(&f.clock);
  f.loop.Run();
  EXPECT_EQ(f.client.idleCounts, (std::vector<int32_t>{0, 0}));
}

TEST(MessageLoop, AScriptedPauseLetsTheIdlePassRunBetweenTwoEvents) {
  LoopFixture f;
  f.system.Script(Event(WindowEventKind::KeyDown, f.main, 65));
  f.system.Script(Event(WindowEventKind::KeyDown, f.main, 66));
  f.system.ScriptPause();
  f.system.Script(Event(WindowEventKind::KeyDown, f.main, 67));
  std::vector<size_t> idlePassesBefore;  // at each key
  f.client.onEvent = [&](const WindowEvent& event) {
    idlePassesBefore.push_back(f.client.idleCounts.size());
    if (event.key == 67) f.loop.PostQuit(0);
  };
  f.client.wantIdle = false;
  f.system.AdvanceClockInWaits(&f.clock);
  EXPECT_EQ(f.loop.Run(), 0);
  ASSERT_EQ(idlePassesBefore.size(), 3u);
  EXPECT_EQ(idlePassesBefore[0], idlePassesBefore[1]) << "keys without a pause come in one go";
  EXPECT_GT(idlePassesBefore[2], idlePassesBefore[1]);
}

// A key, then a pause of ten ticks before the next key: the loop sleeps
// through the pause in one wait unless something asks for the tick.
TEST(MessageLoop, TheLoopTicksOnlyWhileTheClientWantsTheTickOrIdleWorkIsLeft) {
  struct Case {
    const char* what;
    bool wantTick;
    bool wantIdle;  // every idle pass wants another
    int32_t ticks;
    uint64_t waits;
    uint32_t lastTimeout;
    size_t idleRounds;
  };
  constexpr uint32_t kTick = MessageLoop::kTickMilliseconds;
  const Case cases[] = {
      {"tick wanted", true, false, 9, 10, kTick, 10},
      {"idle work left", false, true, 9, 10, kTick, 10},
      {"neither", false, false, 0, 1, kInfinite, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoopFixture f;
    f.client.wantTick = c.wantTick;
    f.client.wantIdle = c.wantIdle;
    f.system.Script(Event(WindowEventKind::KeyDown, f.main, 65));
    f.system.ScriptPause(10 * kTick);
    f.system.Script(Event(WindowEventKind::KeyDown, f.main, 66));
    f.client.onEvent = [&](const WindowEvent& event) {
      if (event.key == 66) f.loop.PostQuit(0);
    };
    f.system.AdvanceClockInWaits(&f.clock);
    const uint32_t start = GetTickCount();
    EXPECT_EQ(f.loop.Run(), 0);
    EXPECT_EQ(GetTickCount() - start, 10 * kTick) << "the pause lasted";
    EXPECT_EQ(f.client.ticks, c.ticks);
    EXPECT_EQ(f.system.GetWaitCount(), c.waits);
    EXPECT_EQ(f.system.GetLastWaitTimeout(), c.lastTimeout);
    EXPECT_EQ(static_cast<size_t>(std::count(f.client.idleCounts.begin(), f.client.idleCounts.end(), 0)), c.idleRounds);
    ASSERT_EQ(f.client.events.size(), 2u);
  }
}

// Ticks start again a whole tick after they are wanted again, not at once
// for the time they were not.
TEST(MessageLoop, TicksResumeATickAfterTheyAreWantedAgain) {
  LoopFixture f;
  f.client.wantIdle = false;
  f.client.wantTick = false;
  f.system.ScriptPause(1000);
  f.system.Script(Event(WindowEventKind::KeyDown, f.main, 65));
  uint32_t wantedAt = 0;
  f.client.onEvent = [&](const WindowEvent&) {
    f.client.wantTick = true;
    wantedAt = GetTickCount();
  };
  uint32_t tickedAt = 0;
  f.client.onTick = [&] {
    tickedAt = GetTickCount();
    f.loop.PostQuit(0);
  };
  f.system.AdvanceClockInWaits(&f.clock);
  EXPECT_EQ(f.loop.Run(), 0);
  EXPECT_EQ(f.client.ticks, 1);
  EXPECT_EQ(tickedAt - wantedAt, MessageLoop::kTickMilliseconds);
}

// A value that arrives by a posted notification is shown at once: what an
// idle pass changed is painted before the loop goes to sleep.
TEST(MessageLoop, WhatAnIdlePassChangedIsPaintedBeforeTheLoopSleeps) {
  LoopFixture f;
  f.client.wantIdle = false;
  f.client.wantTick = false;
  bool isDirty = false;
  std::vector<uint64_t> dirtyPaintsAtWait;  // the waits done when a dirty window was painted
  f.client.onIdle = [&](int32_t) {
    if (f.client.idleCounts.size() == 1) isDirty = true;
  };
  f.client.onPaint = [&] {
    if (isDirty) dirtyPaintsAtWait.push_back(f.system.GetWaitCount());
    isDirty = false;
  };
  f.system.ScriptPause(1000);
  f.system.Script(Event(WindowEventKind::KeyDown, f.main, 65));
  f.client.onEvent = [&](const WindowEvent&) { f.loop.PostQuit(0); };
  f.system.AdvanceClockInWaits(&f.clock);
  EXPECT_EQ(f.loop.Run(), 0);
  EXPECT_EQ(dirtyPaintsAtWait, (std::vector<uint64_t>{0}));
}

// A key sets off a chain of posted work longer than one idle period (each
// pass delivers one step, which posts the next; the last changes what a
// window shows): the round delivers all of it before it paints, so the
// first paint after the key shows the end of the chain, and the loop then
// sleeps until the next event.
TEST(MessageLoop, WorkThatIdlePassesPostIsDeliveredInTheRoundBeforeItsPaint) {
  LoopFixture f;
  f.client.wantTick = false;
  constexpr int32_t kSteps = 7;
  int32_t step = 0;
  bool isQueued = false;
  std::vector<int32_t> stepsAtPaint;
  f.client.onEvent = [&](const WindowEvent& event) {
    if (event.key == 66) return f.loop.PostQuit(0);
    isQueued = true;
    f.client.posted = true;
  };
  f.client.onIdle = [&](int32_t count) {
    if (isQueued && ++step < kSteps) f.client.posted = true;
    isQueued = step > 0 && step < kSteps;
    // As the application's idle rule: more only on the first two passes.
    f.client.wantIdle = isQueued && count < MessageLoop::kLastIdlePass;
  };
  f.client.onPaint = [&] { stepsAtPaint.push_back(step); };
  f.system.ScriptPause(1000);
  f.system.Script(Event(WindowEventKind::KeyDown, f.main, 65));
  f.system.ScriptPause(1000);
  f.system.Script(Event(WindowEventKind::KeyDown, f.main, 66));
  f.system.AdvanceClockInWaits(&f.clock);
  EXPECT_EQ(f.loop.Run(), 0);
  EXPECT_EQ(stepsAtPaint, (std::vector<int32_t>{0, kSteps}));
  EXPECT_EQ(f.client.ticks, 0);
}

// Work that posts itself again at every pass cannot hold off painting and
// input: each round runs a bounded number of idle periods, paints, and
// sleeps until the next tick -- never until the next event, nor not at all.
TEST(MessageLoop, WorkThatAlwaysPostsMoreRunsBoundedRoundsOnTheTick) {
  LoopFixture f;
  f.client.wantTick = false;
  f.client.wantIdle = false;
  f.client.onIdle = [&](int32_t) { f.client.posted = true; };
  f.client.onEvent = [&](const WindowEvent&) { f.loop.PostQuit(0); };
  f.system.ScriptPause(10 * MessageLoop::kTickMilliseconds);
  f.system.Script(Event(WindowEventKind::KeyDown, f.main, 65));
  f.system.AdvanceClockInWaits(&f.clock);
  EXPECT_EQ(f.loop.Run(), 0);
  EXPECT_EQ(f.client.ticks, 9);  // the tenth wait ends with the key
  EXPECT_EQ(f.system.GetWaitCount(), 10u);
  EXPECT_EQ(f.system.GetLastWaitTimeout(), MessageLoop::kTickMilliseconds);
  EXPECT_EQ(f.client.idleCounts.size(), size_t(f.client.paints * MessageLoop::kMostIdlePeriods));
}

// A modal loop that ends in an idle pass (a worker's call has returned)
// paints what the pass delivered before it returns: its caller may block at
// once (a message box), and the windows must show the outcome meanwhile.
TEST(MessageLoop, AModalLoopThatEndsInAnIdlePassPaintsBeforeItReturns) {
  LoopFixture f;
  f.client.wantIdle = false;
  bool isDirty = false;
  bool isPainted = false;
  f.client.onIdle = [&](int32_t) {
    isDirty = true;
    f.loop.EndModal(7);
  };
  f.client.onPaint = [&] { isPainted = isDirty; };
  EXPECT_EQ(f.loop.RunModal(0), 7);
  EXPECT_TRUE(isPainted);
}

TEST(MessageLoopThreads, AnotherThreadWakesTheWaitingLoop) {
  LoopFixture f;
  std::thread poster([&] {
    EventHub::Get().WaitUntilBlocked(BlockedWaits{.timed = 1});
    f.system.PostEvent(Event(WindowEventKind::KeyDown, f.main, 65));
    f.loop.PostQuit(3);
  });
  EXPECT_EQ(f.loop.Run(), 3);
  poster.join();
  EXPECT_EQ(f.client.ticks, 0);  // woken by the event, not by time
  ASSERT_EQ(f.client.events.size(), 1u);
  EXPECT_EQ(f.client.events[0].key, 65);
}

TEST(MessageLoop, ModalLoopDropsInputToBlockedWindowsAndEndsWithItsResult) {
  LoopFixture f;
  f.system.Script(Event(WindowEventKind::MouseDown, f.main));
  f.system.Script(Event(WindowEventKind::Close, f.main));
  f.system.Script(Event(WindowEventKind::Expose, f.main));  // painting still reaches it
  f.system.Script(Event(WindowEventKind::KeyDown, f.dialog, 13));
  f.client.onEvent = [&](const WindowEvent& event) {
    if (event.kind == WindowEventKind::KeyDown) f.loop.EndModal(1);
  };
  EXPECT_EQ(f.loop.RunModal(f.dialog), 1);
  EXPECT_EQ(f.loop.GetModalDepth(), 0);
  ASSERT_EQ(f.client.events.size(), 2u);
  EXPECT_EQ(f.client.events[0].kind, WindowEventKind::Expose);
  EXPECT_EQ(f.client.events[1].window, f.dialog);
}

TEST(MessageLoop, NestedModalLoopsEndInnermostFirst) {
  LoopFixture f;
  const WindowId inner = f.system.CreateWindow({"inner", {0, 0, 10, 10}});
  std::vector<int32_t> results;
  f.system.Script(Event(WindowEventKind::KeyDown, f.dialog, 1));
  f.client.onEvent = [&](const WindowEvent& event) {
    if (event.key == 1) {
      f.system.Script(Event(WindowEventKind::KeyDown, f.dialog, 9));  // blocked by the inner loop
      f.system.Script(Event(WindowEventKind::KeyDown, inner, 2));
      results.push_back(f.loop.RunModal(inner));
      f.system.Script(Event(WindowEventKind::KeyDown, f.dialog, 3));
    } else if (event.key == 2) {
      f.loop.EndModal(20);
    } else if (event.key == 3) {
      f.loop.EndModal(30);
    }
  };
  results.push_back(f.loop.RunModal(f.dialog));
  EXPECT_EQ(results, (std::vector<int32_t>{20, 30}));
  for (const WindowEvent& event : f.client.events) EXPECT_NE(event.key, 9);
}

TEST(MessageLoop, QuitInsideAModalLoopIsPostedAgain) {
  LoopFixture f;
  std::vector<int32_t> results;
  f.system.Script(Event(WindowEventKind::KeyDown, f.main, 1));
  f.client.onEvent = [&](const WindowEvent& event) {
    if (event.key != 1) return;
    f.loop.PostQuit(4);
    results.push_back(f.loop.RunModal(f.dialog));
  };
  EXPECT_EQ(f.loop.Run(), 4);
  EXPECT_EQ(results, (std::vector<int32_t>{MessageLoop::kModalQuit}));
}

TEST(HeadlessWindowSystem, KeepsWindowsPresentersClipboardAndMessageBoxes) {
  HeadlessWindowSystem system;
  EXPECT_EQ(system.CreateWindow({"empty", {0, 0, 0, 10}}), 0u);
  const WindowId window = system.CreateWindow({"w", {5, 6, 40, 30}});
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(system.ShowWindow(window, true));
  EXPECT_TRUE(system.IsWindowVisible(window));
  EXPECT_TRUE(system.SetWindowRect(window, {1, 2, 40, 30}));
  RectT<int32_t> rect;
  ASSERT_TRUE(system.GetWindowRect(window, rect));
  EXPECT_EQ(rect.x, 1);
  EXPECT_EQ(system.GetPresenter(window).Get(),
            static_cast<IWindowPresenter*>(system.GetMemoryPresenter(window).Get()));
  EXPECT_EQ(system.GetMemoryPresenter(window)->GetWidth(), 40);
  EXPECT_TRUE(system.SetCapture(window));
  EXPECT_TRUE(system.DestroyWindow(window));
  EXPECT_EQ(system.GetCapture(), 0u);  // a destroyed window loses the capture
  EXPECT_FALSE(system.ShowWindow(window, true));

  system.SetClipboardText("copied");
  EXPECT_EQ(system.GetClipboardText(), "copied");

  system.ScriptMessageBoxAnswer(MessageBoxAnswer::Yes);
  EXPECT_EQ(system.ShowMessageBox(0, "T", "Sure?", MessageBoxKind::YesNo), MessageBoxAnswer::Yes);
  EXPECT_EQ(system.ShowMessageBox(0, "T", "Again?", MessageBoxKind::YesNo), MessageBoxAnswer::Cancel);
  EXPECT_EQ(system.GetShownMessageBoxes().size(), 2u);
}

}  // namespace
}  // namespace HV::Platform
