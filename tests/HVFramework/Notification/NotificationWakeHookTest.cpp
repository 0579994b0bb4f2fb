#include "HVFramework/Notification/NotificationWakeHook.h"

#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationQueue.h"

#include <gtest/gtest.h>

#include <thread>

namespace HV {
namespace {

// A queue with a distributor, and a hook that counts its calls and whether
// another thread could take the queues' lock meanwhile.
class NotificationWakeHookThreads : public ::testing::Test {
 protected:
  NotificationWakeHookThreads() {
    mQueue->SetDistributor(mDistributor);
    NotificationWakeHook::Install(this, [this] {
      ++calls;
      std::thread([this] {
        std::recursive_mutex& lock = LNotificationQueue::GetQueueLock();
        isLockFree = lock.try_lock();
        if (isLockFree) lock.unlock();
      }).join();
    });
  }
  ~NotificationWakeHookThreads() override {
    NotificationWakeHook::Remove(this);
    mQueue->Shutdown();
  }

  int calls = 0;
  bool isLockFree = false;
  const RCPtr<LNotificationDistributor> mDistributor{new LNotificationDistributor};
  const RCPtr<LNotificationQueue> mQueue{new LNotificationQueue};
};

TEST_F(NotificationWakeHookThreads, APostCallsTheHookOnceTheQueueLockIsLetGo) {
  ASSERT_EQ(mQueue->CreateAndPostNotification(u"NID_TEST_ONE"), S_OK);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(isLockFree);
  // A refused post queues nothing and wakes nobody.
  EXPECT_EQ(mQueue->PostNotification(nullptr), E_INVALIDARG);
  EXPECT_EQ(calls, 1);
}

TEST_F(NotificationWakeHookThreads, OnlyTheOwnerRemovesItsHook) {
  int other = 0;
  NotificationWakeHook::Remove(&other);
  mQueue->CreateAndPostNotification(u"NID_TEST_ONE");
  EXPECT_EQ(calls, 1);
  NotificationWakeHook::Remove(this);
  mQueue->CreateAndPostNotification(u"NID_TEST_TWO");
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace HV
