#pragma once

#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/Engine/PresetEditorCommon/LMidiParameterNotification.h"

#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace HV::Test {

// MidiParameterRecorder: a client of the MIDI manager that keeps every
// global parameter published to it, with the thread it arrived on.
class MidiParameterRecorder : public LNotificationClient {
 public:
  struct Received {
    std::u16string key;
    int32_t value;
    std::thread::id thread;
  };

  static RCPtr<MidiParameterRecorder> Create() {
    return RCPtr<MidiParameterRecorder>(new MidiParameterRecorder);
  }

  void Listen(const RCPtr<LMidiManager>& manager) {
    RegisterNotification(manager, LMidiManager::kParameterReceivedName);
  }

  void ReceiveNotification(const RCPtr<LNotificationDistributor>&,
                           const RCPtr<LNotification>& notification) override {
    const ConstRCPtr<LMidiParameterNotification> parameter =
        DynamicCast<LMidiParameterNotification>(notification->GetPayload());
    if (!parameter) return;
    std::lock_guard lock(mMutex);
    mReceived.push_back(
        {std::u16string(parameter->GetKey().GetView()), parameter->GetValue(), std::this_thread::get_id()});
  }

  std::vector<Received> GetReceived() {
    std::lock_guard lock(mMutex);
    return mReceived;
  }

  // True when exactly this one parameter arrived, on that thread.
  bool HasReceivedOnly(std::u16string_view key, int32_t value, std::thread::id thread) {
    std::lock_guard lock(mMutex);
    return mReceived.size() == 1 && mReceived[0].key == key && mReceived[0].value == value &&
           mReceived[0].thread == thread;
  }

 protected:
  MidiParameterRecorder() = default;

 private:
  std::mutex mMutex;
  std::vector<Received> mReceived;
};

}  // namespace HV::Test
