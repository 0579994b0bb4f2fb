#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Platform/Midi/IMidiSystem.h"
#include "HVFramework/System/TrafficLight.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>

namespace HV {

class LMidiComm;

// LMidiRenderPort: an open MIDI output, known by the port name it was opened
// under. Made by LMidiComm::OpenRenderPort and shared by everyone who opens
// the same name; the port layer's list does not keep it alive, so the last
// release outside the port layer closes the device. Sends may come from any
// thread; they go out one at a time. Its light is green while no long message
// is in flight.
class LMidiRenderPort : public virtual LRefCountedObject {
 public:
  ~LMidiRenderPort() override;
  LMidiRenderPort(const LMidiRenderPort&) = delete;
  LMidiRenderPort& operator=(const LMidiRenderPort&) = delete;

  const StringW& GetName() const { return mName; }

  // The last outside reference is going: leave the port layer's list.
  HResult ReleaseInternalReferences() override;

 private:
  friend class LMidiComm;

  LMidiRenderPort(LMidiComm& comm, const StringW& name);

  // Open, Close, IsDeviceAlive: under the port layer's lock.
  Platform::MidiResult Open();
  // Outputs need no start; here so that both kinds of port open alike.
  Platform::MidiResult Start() { return Platform::kMidiNoError; }
  void Close();
  bool IsOpen() const { return mHandle.load() != Platform::MidiOutHandle::None; }
  bool IsDeviceAlive();
  Platform::MidiOutHandle GetHandle() const { return mHandle.load(); }

  // A status byte other than F0 and F7 first: one short message of at most
  // the first three bytes; its length (E_INVALIDARG, and nothing sent, when
  // fewer bytes than its status calls for are given). Otherwise one long
  // message; the number of bytes. E_FAIL when the device refuses it or a
  // long message is not done within timeout milliseconds.
  int32_t Send(std::span<const uint8_t> bytes, uint32_t timeout);
  int32_t SendShort(std::span<const uint8_t> bytes);
  int32_t SendLong(std::span<const uint8_t> bytes, uint32_t timeout);
  // The device layer reported a long message done (under the port layer's lock).
  void OnOutputDone(const Platform::MidiHeader* header);
  Platform::IMidiSystem& System();

  const RCPtr<LMidiComm> mComm;  // the callback of the handle: outlives it
  const StringW mName;
  std::atomic<Platform::MidiOutHandle> mHandle{Platform::MidiOutHandle::None};
  std::mutex mSendLock;  // one send at a time: there is one header
  TrafficLight mLight;
  Platform::MidiHeader mHeader;  // of the long message in flight
};

}  // namespace HV
