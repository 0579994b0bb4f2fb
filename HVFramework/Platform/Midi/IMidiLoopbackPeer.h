#pragma once

#include <cstdint>
#include <vector>

namespace HV::Platform {

class LLoopbackMidiDevice;

// What the editor sent to a loopback device, exactly as sent: a short
// message's bytes, or every byte of a long message (padding included).
// `timeStamp` is in milliseconds since the loopback system was made.
struct MidiLoopbackPacket {
  enum class Kind { Short, Long };
  Kind kind = Kind::Short;
  std::vector<uint8_t> bytes;
  uint32_t timeStamp = 0;
};

// IMidiLoopbackPeer: the far end of a loopback device (a test, or the
// simulated keyboard). Called on the loopback's own thread, in sending order;
// it answers through device.Reply.
class IMidiLoopbackPeer {
 public:
  virtual ~IMidiLoopbackPeer() = default;
  virtual void OnMidiFromEditor(LLoopbackMidiDevice& device, const MidiLoopbackPacket& packet) = 0;
};

}  // namespace HV::Platform
