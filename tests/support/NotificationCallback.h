#pragma once

#include "HVFramework/Notification/LNotificationClient.h"

#include <functional>
#include <utility>

namespace HV::Test {

// Calls back for every notification it is registered for, on the thread
// that delivers it.
class NotificationCallback final : public LNotificationClient {
 public:
  explicit NotificationCallback(std::function<void()> call) : mCall(std::move(call)) {}
  void ReceiveNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) override {
    mCall();
  }

 private:
  std::function<void()> mCall;
};

}  // namespace HV::Test
