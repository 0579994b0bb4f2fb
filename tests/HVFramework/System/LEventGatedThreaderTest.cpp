#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/System/LEventGatedThreader.h"
#include "tests/support/RecordingWorker.h"

#include <gtest/gtest.h>

#include <memory>

namespace HV {
namespace {

using Platform::EventHub;
using Test::Hold;
using Test::RecordingWorker;
using Test::RunLog;

RCPtr<LEventGatedThreader> MakeThreader(const RCPtr<LEvent>& gate, const RCPtr<LThreadWorker>& worker) {
  return RCPtr<LEventGatedThreader>(new LEventGatedThreader(gate, worker, nullptr, ThreadPriority::Normal));
}

TEST(LEventGatedThreaderThreads, RunsOncePerOpeningOfTheGate) {
  auto log = std::make_shared<RunLog>();
  RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"w", Hold::UntilReleased);
  RCPtr<LEvent> gate = LEvent::Create();
  RCPtr<LEventGatedThreader> threader = MakeThreader(gate, worker);
  EXPECT_EQ(threader->GetTimeout(), kInfinite);

  for (int run = 1; run <= 2; ++run) {
    gate->Set();
    worker->WaitStarted();
    EXPECT_TRUE(threader->IsRunning());
    worker->FinishRun();
    worker->WaitFinished();
    EventHub::Get().WaitUntilBlockedExactly({.timed = 0, .untimed = 1});  // back at the gate
    EXPECT_FALSE(threader->IsRunning());
    EXPECT_EQ(worker->RunCount(), run);
  }
}

TEST(LEventGatedThreaderThreads, TicksOnItsTimeOutUntilItIsInfiniteAgain) {
  Platform::VirtualClock clock;
  auto log = std::make_shared<RunLog>();
  RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"poll");
  RCPtr<LEvent> gate = LEvent::Create();
  RCPtr<LEventGatedThreader> threader = MakeThreader(gate, worker);

  threader->SetTimeout(500);
  gate->Set();  // applies the new time-out at once
  log->WaitFor(1);
  for (size_t tick = 2; tick <= 3; ++tick) {
    clock.AdvanceWhenWaiting(500);
    log->WaitFor(tick);
  }

  threader->SetTimeout(kInfinite);
  gate->Set();  // one more run, then it waits without limit
  log->WaitFor(4);
  EventHub::Get().WaitUntilBlockedExactly({.timed = 0, .untimed = 1});
  clock.Advance(10000);
  EXPECT_EQ(worker->RunCount(), 4);
}

TEST(LEventGatedThreaderThreads, DestroyingAnIdleThreaderRunsNothing) {
  auto log = std::make_shared<RunLog>();
  RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"w");
  RCPtr<LEvent> gate = LEvent::Create();
  MakeThreader(gate, worker) = nullptr;
  EXPECT_EQ(worker->RunCount(), 0);
  EXPECT_EQ(worker->GetRefCount(), 1);
}

}  // namespace
}  // namespace HV
