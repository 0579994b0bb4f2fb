#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace HV::Platform {

class IMidiLoopbackPeer;
class LLoopbackMidiSystem;

// When a loopback device reports a long message sent.
enum class MidiOutputCompletion {
  Immediate,  // right after the peer received it
  Delayed,    // a set time after the peer received it
  Never,      // only a reset gives the header back
};

// How a loopback device's replies reach the editor's input.
enum class MidiReplyDelivery {
  // In reads of 256 bytes, each queued behind the callbacks the one before
  // caused: a client that lends its buffers back from the callback has them
  // before the next bytes come, as with bytes trickling in over a cable.
  Paced,
  // Each reply in one read, and every reply waiting then back to back, as a
  // reader that found a full queue hands it on: nothing waits for the client.
  AllAtOnce,
};

// LLoopbackMidiDevice: a virtual MIDI device of a loopback system, with an
// input name, an output name (either may be empty: no such side) and a peer.
// Made by LLoopbackMidiSystem::AddDevice; its calls go through that system,
// which must outlive them. Any thread.
class LLoopbackMidiDevice : public virtual LRefCountedObject {
 public:
  const std::u16string& GetInputName() const { return mInputName; }
  const std::u16string& GetOutputName() const { return mOutputName; }
  IMidiLoopbackPeer& GetPeer() const { return mPeer; }

  // Bytes from the device to the editor. They reach the device's open and
  // started input on the loopback's thread, cut into its lent headers; with
  // no such input they are lost.
  void Reply(std::span<const uint8_t> bytes);
  // An unplugged device leaves the device lists and its open handles die for
  // good (status kMidiNoDriver, sends fail); replugging lists it again.
  void Unplug();
  void Replug();
  bool IsPlugged() const;
  void SetReplyDelivery(MidiReplyDelivery delivery);
  void SetOutputCompletion(MidiOutputCompletion completion,
                           std::chrono::milliseconds delay = std::chrono::milliseconds(0));

 protected:
  friend class LLoopbackMidiSystem;
  LLoopbackMidiDevice(LLoopbackMidiSystem& system, std::u16string inputName, std::u16string outputName,
                      IMidiLoopbackPeer& peer);

 private:
  LLoopbackMidiSystem& mSystem;  // owns this device's state, outlives it in use
  const std::u16string mInputName;
  const std::u16string mOutputName;
  IMidiLoopbackPeer& mPeer;
};

}  // namespace HV::Platform
