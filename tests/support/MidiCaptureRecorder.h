#pragma once

#include "HVFramework/Midi/LMidiCaptureNotificationData.h"
#include "HVFramework/Midi/LMidiCommInterface.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationClient.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace HV::Test {

// MidiCaptureRecorder: a client of the MIDI port layer that keeps every
// captured message it is given (bytes, port name, time stamp, thread) and
// lets a test wait for a number of them.
class MidiCaptureRecorder : public LNotificationClient {
 public:
  struct Capture {
    std::vector<uint8_t> bytes;
    std::u16string port;
    uint32_t timeStamp;
    std::thread::id thread;
  };

  static RCPtr<MidiCaptureRecorder> Create() { return RCPtr<MidiCaptureRecorder>(new MidiCaptureRecorder); }

  // Registers for "NID_MIDI_DATA_CAPTURED" at the port layer.
  void Listen(const RCPtr<LMidiCommInterface>& comm) {
    RegisterNotification(comm, LMidiCommInterface::kDataCapturedName);
  }

  void ReceiveNotification(const RCPtr<LNotificationDistributor>&,
                           const RCPtr<LNotification>& notification) override {
    const ConstRCPtr<LMidiCaptureNotificationData> data =
        DynamicCast<LMidiCaptureNotificationData>(notification->GetPayload());
    if (!data) return;
    const std::span<const uint8_t> bytes = data->GetBytes();
    {
      std::lock_guard<std::mutex> lock(mMutex);
      mCaptures.push_back({{bytes.begin(), bytes.end()},
                           std::u16string(data->GetPortName().GetView()),
                           data->GetTimeStamp(),
                           std::this_thread::get_id()});
    }
    mChanged.notify_all();
  }

  // The first count captures, once that many arrived.
  std::vector<Capture> WaitFor(size_t count) {
    std::unique_lock<std::mutex> lock(mMutex);
    mChanged.wait(lock, [&] { return mCaptures.size() >= count; });
    return mCaptures;
  }
  std::vector<Capture> GetCaptures() {
    std::lock_guard<std::mutex> lock(mMutex);
    return mCaptures;
  }

 protected:
  MidiCaptureRecorder() = default;

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  std::vector<Capture> mCaptures;
};

}  // namespace HV::Test
