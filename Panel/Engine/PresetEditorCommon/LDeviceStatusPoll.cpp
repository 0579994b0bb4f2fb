#include "Panel/Engine/PresetEditorCommon/LDeviceStatusPoll.h"

#include "HVFramework/System/LThreadWorker.h"
#include "HVFramework/System/Thread.h"
#include "HVFramework/System/WaitCodes.h"

#include <thread>

namespace HV {

// One poll pass, run by the threader: counts itself and checks only while the
// poll is active and no suspend is under way (a wake-up left over from a
// suspend must not check while the sender works).
class LDeviceStatusPoll::Pass : public LThreadWorker {
 public:
  explicit Pass(std::function<void()> check) : mCheck(std::move(check)) {}

  int32_t DoWork(RCPtr<LRefCountedObject>&) override {
    ++mCount;
    if (mIsActive && !mIsSuspendRequested) mCheck();
    return 0;
  }

  std::atomic<uint32_t> mCount = 0;
  std::atomic<bool> mIsActive = false;
  std::atomic<bool> mIsSuspendRequested = false;

 private:
  const std::function<void()> mCheck;
};

LDeviceStatusPoll::LDeviceStatusPoll(std::function<void()> check, std::chrono::milliseconds period,
                                     std::chrono::milliseconds suspendStep)
    : mPeriod(period),
      mSuspendStep(suspendStep),
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
  if (!mThreader->IsRunning()) {
    mGate->Set();  // one more pass, which sees the request and checks nothing
  } else {
    noted -= 1;  // the running pass counted already
  }
  while (mPass->mCount == noted || mThreader->IsRunning()) std::this_thread::sleep_for(mSuspendStep);
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
