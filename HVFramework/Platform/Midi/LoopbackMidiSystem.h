#pragma once

#include "HVFramework/Platform/Midi/IMidiLoopbackPeer.h"
#include "HVFramework/Platform/Midi/LoopbackMidiDevice.h"
#include "HVFramework/Platform/Midi/MidiSystemBase.h"

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace HV::Platform {

// LLoopbackMidiSystem: MIDI devices that exist only in this process, for
// tests and the simulated keyboard. What the editor sends reaches the
// device's peer on the loopback's own thread, exactly as sent and in order;
// what the peer replies is cut into the input's lent headers and reported on
// the same thread, never on the caller's. Devices are listed in the order
// they were added (inputs and outputs each), skipping unplugged ones.
class LLoopbackMidiSystem final : public LMidiSystemBase {
 public:
  static RCPtr<LLoopbackMidiSystem> Create();
  ~LLoopbackMidiSystem() override;

  // The peer must outlive the system. An empty name leaves that side out.
  RCPtr<LLoopbackMidiDevice> AddDevice(std::u16string inputName, std::u16string outputName,
                                       IMidiLoopbackPeer& peer);

  uint32_t GetInputDeviceCount() override;
  uint32_t GetOutputDeviceCount() override;
  std::optional<std::u16string> GetInputDeviceName(uint32_t device) override;
  std::optional<std::u16string> GetOutputDeviceName(uint32_t device) override;

 protected:
  LLoopbackMidiSystem();

  MidiResult ConnectInput(uint32_t device, MidiInHandle handle) override;
  void DisconnectInput(MidiInHandle handle) override;
  bool IsInputConnected(MidiInHandle handle) override;
  MidiResult ConnectOutput(uint32_t device, MidiOutHandle handle) override;
  void DisconnectOutput(MidiOutHandle handle) override;
  bool IsOutputConnected(MidiOutHandle handle) override;
  MidiResult TransmitShort(MidiOutHandle handle, std::vector<uint8_t> bytes) override;
  MidiResult TransmitLong(MidiOutHandle handle, uint64_t ticket, std::vector<uint8_t> bytes) override;

 private:
  friend class LLoopbackMidiDevice;
  enum class Side { Input, Output };

  struct DeviceState {
    RCPtr<LLoopbackMidiDevice> device;
    bool isPlugged = true;
    uint32_t generation = 0;  // counts unplugs: handles of an older one are dead
    MidiOutputCompletion completion = MidiOutputCompletion::Immediate;
    std::chrono::milliseconds delay{0};
    // Replies wait here and are fed one after another, each whole before the
    // next starts, as they would follow each other on a cable.
    std::deque<std::vector<uint8_t>> replies;
    size_t replyOffset = 0;
    bool isFeeding = false;
    MidiReplyDelivery delivery = MidiReplyDelivery::Paced;
  };
  struct Link {
    DeviceState* state;
    uint32_t generation;
  };

  void Reply(const LLoopbackMidiDevice& device, std::span<const uint8_t> bytes);
  void FeedReply(const LLoopbackMidiDevice& device);
  // The reads the next feeding step hands on (under the lock).
  static std::vector<std::vector<uint8_t>> TakeReads(DeviceState& state);
  void SetReplyDelivery(const LLoopbackMidiDevice& device, MidiReplyDelivery delivery);
  void SetPlugged(const LLoopbackMidiDevice& device, bool isPlugged);
  bool IsPlugged(const LLoopbackMidiDevice& device);
  void SetOutputCompletion(const LLoopbackMidiDevice& device, MidiOutputCompletion completion,
                           std::chrono::milliseconds delay);

  std::vector<DeviceState*> ListLocked(Side side);
  DeviceState* StateOf(const LLoopbackMidiDevice& device);
  static bool IsAlive(const Link& link) { return link.state->isPlugged && link.state->generation == link.generation; }
  template <class Handle>
  MidiResult Connect(std::map<Handle, Link>& links, Side side, uint32_t device, Handle handle);
  uint32_t Now() const;
  // Hands a packet to the peer on the loopback's thread; then `after` runs there.
  void DeliverToPeer(DeviceState& state, MidiLoopbackPacket packet, std::function<void()> after);

  std::mutex mMutex;  // taken after the base's lock, never before it
  std::vector<std::unique_ptr<DeviceState>> mDevices;
  std::map<MidiInHandle, Link> mInputLinks;
  std::map<MidiOutHandle, Link> mOutputLinks;
  const std::chrono::steady_clock::time_point mCreated = std::chrono::steady_clock::now();
};

}  // namespace HV::Platform
