#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"

#include "HVFramework/Platform/Midi/MidiPlatform.h"

#include <string>

namespace HV::Simulated {
namespace {

// Ports 1 to 3: present, silent.
class SilentPeer : public Platform::IMidiLoopbackPeer {
 public:
  void OnMidiFromEditor(Platform::LLoopbackMidiDevice&, const Platform::MidiLoopbackPacket&) override {}
};

SilentPeer& GetSilentPeer() {
  static SilentPeer* peer = new SilentPeer;  // outlives every system, including the process's own
  return *peer;
}

}  // namespace

RCPtr<Platform::LLoopbackMidiDevice> AttachSimulatedKeyboard(Platform::LLoopbackMidiSystem& system,
                                                             SimulatedKeyboard& keyboard) {
  system.AddDevice(u"Tarsel", u"Tarsel", GetSilentPeer());
  for (char16_t port : {u'2', u'3'})
    system.AddDevice(std::u16string(u"MIDIIN") + port + u" (Tarsel)",
                     std::u16string(u"MIDIOUT") + port + u" (Tarsel)", GetSilentPeer());
  RCPtr<Platform::LLoopbackMidiDevice> device =
      system.AddDevice(kSimulatedProtocolInput, kSimulatedProtocolOutput, keyboard);
  keyboard.ConnectReplies([device](std::span<const uint8_t> bytes) { device->Reply(bytes); });
  return device;
}

void DetachSimulatedKeyboard(SimulatedKeyboard& keyboard) { keyboard.ConnectReplies({}); }

SimulatedKeyboard& RegisterSimulatedKeyboard() {
  static SimulatedKeyboard* keyboard =
      new SimulatedKeyboard;  // the process's simulated device, never destroyed
  Platform::LMidiPlatform::RegisterSimulated([] {
    RCPtr<Platform::LLoopbackMidiSystem> system = Platform::LLoopbackMidiSystem::Create();
    AttachSimulatedKeyboard(*system, *keyboard);
    return RCPtr<Platform::IMidiSystem>(system);
  });
  return *keyboard;
}

}  // namespace HV::Simulated
