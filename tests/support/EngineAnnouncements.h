#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "tests/support/NotificationRecorder.h"

#include <chrono>
#include <functional>
#include <thread>

namespace HV::Test {

// What the engine announced on the application centre, decoded: each
// "NID_PARAM_MODULE_STATE_CHANGE" as the list of values it carried, each
// connection state and each device count in order.
class EngineAnnouncements {
 public:
  struct StateChange {
    bool isBatch = false;
    std::vector<ParamValue> values;
  };

  EngineAnnouncements() : mCenter(GetNotificationCenterManager()->GetCenter(u"application")) {
    mCenter->DiscardNotifications();
    mRecorder = NotificationRecorder::Create("engine", mLog);
    for (const NotificationName* name :
         {&LRootModuleEngine::kStateChangeName, &LRootModuleEngine::kConnectionStateChangeName,
          &LRootModuleEngine::kDeviceListChangeName})
      mRecorder->RegisterNotification(mCenter, *name);
  }
  ~EngineAnnouncements() {
    mRecorder->UnregisterAllNotifications();
    mCenter->DiscardNotifications();
  }
  EngineAnnouncements(const EngineAnnouncements&) = delete;
  EngineAnnouncements& operator=(const EngineAnnouncements&) = delete;

  const RCPtr<LNotificationCenter>& GetCenter() const { return mCenter; }

  // Delivers what is queued on the centre now (to the engine too).
  void Drain() { mCenter->ProcessNotifications(false); }

  // Drains until done() holds; the announcements come from other threads,
  // which only queue them. False when ten seconds pass first.
  bool DrainUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      Drain();
      if (done()) return true;
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::yield();
    }
  }

  std::vector<StateChange> StateChanges() const {
    std::vector<StateChange> changes;
    for (const auto& entry : mLog.GetEntries()) {
      if (entry.name != "NID_PARAM_MODULE_STATE_CHANGE") continue;
      const RCPtr<LRefCountedObject>& payload = entry.notification->GetPayload();
      StateChange change;
      if (const auto pair = DynamicCast<LRootModuleEngine::ValuePayload>(payload)) {
        ParamValue value(pair->GetKey().paramID);
        value.descriptor = pair->GetKey().descriptor;
        value.value = pair->GetValue();
        change.values.push_back(value);
      } else if (const auto batch = DynamicCast<LRootModuleEngine::BatchPayload>(payload)) {
        change.isBatch = true;
        for (uint32_t i = 0; i < batch->GetListCount(); ++i) {
          ParamValue value;
          batch->GetParamValue(i, value.value, value.paramID, value.descriptor);
          change.values.push_back(value);
        }
      }
      changes.push_back(change);
    }
    return changes;
  }

  std::vector<int32_t> ConnectionStates() const {
    std::vector<int32_t> states;
    for (const auto& entry : mLog.GetEntries()) {
      if (entry.name != "NID_DEVICE_CONNECTION_STATE_CHANGE") continue;
      const auto holder =
          DynamicCast<LRootModuleEngine::ConnectionStatePayload>(entry.notification->GetPayload());
      states.push_back(holder ? *holder->GetValue() : -1);
    }
    return states;
  }

  std::vector<unsigned int> DeviceCounts() const {
    std::vector<unsigned int> counts;
    for (const auto& entry : mLog.GetEntries()) {
      if (entry.name != "NID_REMOTE_DEVICE_LIST_CHANGE") continue;
      const auto holder =
          DynamicCast<LRootModuleEngine::DeviceCountPayload>(entry.notification->GetPayload());
      counts.push_back(holder ? *holder->GetValue() : ~0u);
    }
    return counts;
  }

  // The names in order of delivery.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : mLog.GetEntries()) names.push_back(entry.name);
    return names;
  }

  void Clear() { mLog.Clear(); }

 private:
  RCPtr<LNotificationCenter> mCenter;
  NotificationLog mLog;
  RCPtr<NotificationRecorder> mRecorder;
};

}  // namespace HV::Test
