#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/System/RetriggerableThreader.h"
#include "tests/support/RecordingWorker.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace HV {
namespace {

using Platform::EventHub;
using Test::Hold;
using Test::RecordingWorker;
using Test::RunLog;

TEST(RetriggerableThreaderThreads, SecondTriggerDuringARunIsRefusedAndTheWorkerRunsOnce) {
  auto log = std::make_shared<RunLog>();
  RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"w", Hold::UntilReleased);
  RCPtr<LRefCountedObject> parameters(worker.Get());
  RCPtr<LEvent> done = LEvent::Create();
  RetriggerableThreader threader(u"threader");

  ASSERT_EQ(threader.Trigger(worker, parameters, done, ThreadPriority::Normal), S_OK);
  worker->WaitStarted();
  EXPECT_TRUE(threader.IsBusy());
  EXPECT_EQ(threader.Trigger(worker, nullptr, ThreadPriority::Normal), E_FAIL);

  worker->FinishRun();
  ASSERT_EQ(done->Wait(kInfinite), kWaitObject0);
  EXPECT_EQ(worker->RunCount(), 1);
  EXPECT_EQ(worker->LastParameters(), parameters.Get());
  // busy was cleared before the done event was set: a new run starts at once
  EXPECT_EQ(threader.Trigger(worker, nullptr, done, ThreadPriority::Normal), S_OK);
  worker->FinishRun();
  ASSERT_EQ(done->Wait(kInfinite), kWaitObject0);
  EXPECT_EQ(worker->RunCount(), 2);
}

TEST(RetriggerableThreaderThreads, TriggerWithoutADoneEventDropsTheOldOne) {
  auto log = std::make_shared<RunLog>();
  RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"w");
  RCPtr<LEvent> done = LEvent::Create();
  RetriggerableThreader threader;

  ASSERT_EQ(threader.Trigger(worker, nullptr, done, ThreadPriority::Normal), S_OK);
  ASSERT_EQ(done->Wait(kInfinite), kWaitObject0);
  ASSERT_EQ(threader.Trigger(worker, nullptr, ThreadPriority::Normal), S_OK);
  log->WaitFor(2);
  EventHub::Get().WaitUntilBlockedExactly({.timed = 0, .untimed = 1});  // back on its trigger
  EXPECT_FALSE(threader.IsBusy());
  EXPECT_EQ(done->Wait(0), kWaitTimeout);
  EXPECT_EQ(done->GetRefCount(), 1);  // the threader let go of it
}

// A stop can overtake a trigger before the thread ever took it (a thread
// just made may not have started yet). Either way the trigger's worker and
// parameters are let go and its done event set: an owner held by its own
// threader's worker would otherwise never be freed.
TEST(RetriggerableThreaderThreads, ATriggerOvertakenByTheStopLetsGoOfWhatItHolds) {
  auto log = std::make_shared<RunLog>();
  for (int i = 0; i < 50; ++i) {
    RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"w");
    RCPtr<LEvent> done = LEvent::Create();
    {
      RetriggerableThreader threader;
      ASSERT_EQ(threader.Trigger(worker, worker, done, ThreadPriority::Normal), S_OK);
      threader.RequestStop();
    }  // the destructor waits for the thread
    EXPECT_EQ(worker->GetRefCount(), 1) << "round " << i;
    EXPECT_EQ(done->Wait(0), kWaitObject0) << "round " << i;
  }
}

TEST(RetriggerableThreaderThreads, DestroyingAnIdleThreaderRunsNothing) {
  auto log = std::make_shared<RunLog>();
  RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"w");
  {
    RetriggerableThreader threader(u"idle");
    EXPECT_EQ(threader.ToString(), u"idle");
  }
  EXPECT_EQ(worker->RunCount(), 0);
}

TEST(RetriggerableThreaderThreads, DestructionLetsTheRunInProgressFinish) {
  auto log = std::make_shared<RunLog>();
  RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"w", Hold::UntilReleased);
  auto threader = std::make_unique<RetriggerableThreader>();
  ASSERT_EQ(threader->Trigger(worker, nullptr, ThreadPriority::Normal), S_OK);
  worker->WaitStarted();

  std::thread destroyer([&] { threader.reset(); });
  EventHub::Get().WaitUntilBlocked({.timed = 1, .untimed = 1});  // waiting for the run
  worker->FinishRun();
  destroyer.join();
  EXPECT_EQ(worker->RunCount(), 1);
  EXPECT_EQ(worker->GetRefCount(), 1);
}

TEST(RetriggerableThreaderThreads, RunOutlastingTheDestructorUsesNothingFreed) {
  Platform::VirtualClock clock;
  auto log = std::make_shared<RunLog>();
  RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"slow", Hold::UntilReleased);
  RCPtr<LEvent> done = LEvent::Create();
  auto threader = std::make_unique<RetriggerableThreader>();
  ASSERT_EQ(threader->Trigger(worker, nullptr, done, ThreadPriority::Normal), S_OK);
  worker->WaitStarted();

  std::thread destroyer([&] { threader.reset(); });
  clock.AdvanceWhenWaiting(RetriggerableThreader::kStopWaitMilliseconds);  // the destructor gives up
  destroyer.join();

  worker->FinishRun();  // the run ends after its threader is gone
  EXPECT_EQ(done->Wait(kInfinite), kWaitObject0);
  EXPECT_EQ(worker->RunCount(), 1);
}

}  // namespace
}  // namespace HV
