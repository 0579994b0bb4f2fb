#include "Panel/Engine/PresetEditorCommon/LDeviceStatusPoll.h"

namespace HV {

LDeviceStatusPoll::LDeviceStatusPoll(std::function<void()> check, std::chrono::milliseconds period)
    : mCheck(std::move(check)), mPeriod(period), mThread([this] { Run(); }) {}

LDeviceStatusPoll::~LDeviceStatusPoll() {
  {
    std::lock_guard lock(mMutex);
    mIsStopping = true;
  }
  mChanged.notify_all();
  mThread.join();
}

HResult LDeviceStatusPoll::Suspend() {
  std::unique_lock lock(mMutex);
  if (!mIsActive) return S_FALSE;
  mIsActive = false;
  mChanged.wait(lock, [this] { return !mIsBusy; });
  return S_OK;
}

HResult LDeviceStatusPoll::Resume() {
  {
    std::lock_guard lock(mMutex);
    if (mIsActive) return S_FALSE;
    mIsActive = true;
    mIsSignalled = true;
  }
  mChanged.notify_all();
  return S_OK;
}

bool LDeviceStatusPoll::IsActive() {
  std::lock_guard lock(mMutex);
  return mIsActive;
}

uint32_t LDeviceStatusPoll::GetPassCount() {
  std::lock_guard lock(mMutex);
  return mPassCount;
}

void LDeviceStatusPoll::Run() {
  std::unique_lock lock(mMutex);
  while (true) {
    const auto isWoken = [this] { return mIsStopping || mIsSignalled; };
    if (mIsActive) {
      mChanged.wait_for(lock, mPeriod, isWoken);
    } else {
      mChanged.wait(lock, isWoken);
    }
    if (mIsStopping) return;
    mIsSignalled = false;
    if (!mIsActive) continue;
    mIsBusy = true;
    ++mPassCount;
    lock.unlock();
    mCheck();  // no lock held while the check talks to the ports
    lock.lock();
    mIsBusy = false;
    mChanged.notify_all();
  }
}

}  // namespace HV
