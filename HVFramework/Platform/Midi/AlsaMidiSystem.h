#pragma once

#include "HVFramework/Platform/Midi/AlsaPortNaming.h"
#include "HVFramework/Platform/Midi/MidiSystemBase.h"

#include <memory>

namespace HV::Platform {

// LAlsaMidiSystem: the machine's MIDI devices through the ALSA sequencer.
// Input devices are the sequencer ports the editor can subscribe to for
// reading, output devices those it can write to, named by LAlsaPortNaming.
// Long messages go out as System Exclusive event fragments, without the bytes
// around the message (LMidiSysExFilter). Without a sequencer (no sound
// devices) there are no devices, opens fail with kMidiBadDeviceId, and the
// library stays quiet. Each open handle is a port of the editor's own,
// subscribed to the device; the handle dies with the subscription when the
// device goes away. Received events are read on a thread of its own.
class LAlsaMidiSystem final : public LMidiSystemBase {
 public:
  static RCPtr<LAlsaMidiSystem> Create();
  ~LAlsaMidiSystem() override;

  bool HasSequencer() const;

  uint32_t GetInputDeviceCount() override;
  uint32_t GetOutputDeviceCount() override;
  std::optional<std::u16string> GetInputDeviceName(uint32_t device) override;
  std::optional<std::u16string> GetOutputDeviceName(uint32_t device) override;

 protected:
  LAlsaMidiSystem();

  MidiResult ConnectInput(uint32_t device, MidiInHandle handle) override;
  void DisconnectInput(MidiInHandle handle) override;
  bool IsInputConnected(MidiInHandle handle) override;
  MidiResult ConnectOutput(uint32_t device, MidiOutHandle handle) override;
  void DisconnectOutput(MidiOutHandle handle) override;
  bool IsOutputConnected(MidiOutHandle handle) override;
  MidiResult TransmitShort(MidiOutHandle handle, std::vector<uint8_t> bytes) override;
  MidiResult TransmitLong(MidiOutHandle handle, uint64_t ticket, std::vector<uint8_t> bytes) override;

 private:
  struct Sequencer;  // the library's handles and the links, kept out of this header

  std::vector<AlsaMidiDevice> ListDevices(LAlsaPortNaming::Direction direction);
  std::optional<std::u16string> GetDeviceName(LAlsaPortNaming::Direction direction, uint32_t device);
  void ReadEvents();
  MidiInHandle FindInputByOurPort(int ourPort);

  std::unique_ptr<Sequencer> mSequencer;
};

}  // namespace HV::Platform
