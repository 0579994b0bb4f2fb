#include "Panel/Engine/PresetEditorCommon/LDeviceStatusPoll.h"

#include "HVFramework/System/LThreadWorker.h"
#include "HVFramework/System/Thread.h"
#include "HVFramework/System/WaitCodes.h"

#include "HVFramework/System/Event.h"

namespace HV {

// One poll pass, run by the threader: counts itself and checks only while the
// poll is active and no suspend is under way (a wake-up left over from a
// suspend must not check while the sender works). Busy from before it counts
// until its check is over; then it sets the ended event for a waiting Suspend.
class LDeviceStatusPoll::Pass : public LThreadWorker {
 public:
  explicit Pass(std::function<void()> check) : mCheck(std::move(check)) {}

  int32_t DoWork(RCPtr<LRefCountedObject>&) override {
    mIsBusy = true;
    ++mCount;
    if (mIsActive && !mIsSuspendRequested) mCheck();
    mIsBusy = false;
    mEnded.Set();
    return 0;
  }

  std::atomic<uint32_t> mCount = 0;
  std::atomic<bool> mIsActive = false;
  std::atomic<bool> mIsSuspendRequested = false;
  std::atomic<bool> mIsBusy = false;
  Event mEnded{true};  // auto-reset: a pass that ends before Suspend waits is kept

 private:
  const std::function<void()> mCheck;
};

LDeviceStatusPoll::LDeviceStatusPoll(std::function<void()> check, std::chrono::milliseconds period)
    : mPeriod(period),
      mPass(new Pass(std::move(check))),
      mGate(LEvent::Create()),
      mThreader(
          new LEventGatedThreader(mGate, mPass, RCPtr<LRefCountedObject>(), ThreadPriority::BelowNormal)) {}

LDeviceStatusPoll::~LDeviceStatusPoll() {
  mPass->mIsActive = false;  // the stopping wake-up checks nothing
}

HResult LDeviceStatusPoll::Suspend() {
  if (!mPass->mIsActive) return S_FALSE;
  mThreader->SetTimeout(kInfinite);
  mPass->mIsSuspendRequested = true;
  uint32_t noted = mPass->mCount;
  if (!mPass->mIsBusy) {
    mGate->Set();  // one more pass, which sees the request and checks nothing
  } else {
    noted -= 1;  // the busy pass counted already
  }
  // Each pass sets the ended event after it cleared its busy flag, so a pass
  // ending between the look and the wait still wakes this one; an older set
  // only costs one more look.
  while (mPass->mCount == noted || mPass->mIsBusy) mPass->mEnded.Wait(kInfinite);
  mPass->mIsActive = false;
  mPass->mIsSuspendRequested = false;
  return S_OK;
}

HResult LDeviceStatusPoll::Resume() {
  if (mPass->mIsActive) return S_FALSE;
  mPass->mIsActive = true;
  mThreader->SetTimeout(static_cast<uint32_t>(mPeriod.count()));
  mGate->Set();
  return S_OK;
}

bool LDeviceStatusPoll::IsActive() const { return mPass->mIsActive; }

uint32_t LDeviceStatusPoll::GetPassCount() const { return mPass->mCount; }

}  // namespace HV
