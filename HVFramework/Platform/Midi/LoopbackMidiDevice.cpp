#include "HVFramework/Platform/Midi/LoopbackMidiDevice.h"

#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"

#include <utility>

namespace HV::Platform {

LLoopbackMidiDevice::LLoopbackMidiDevice(LLoopbackMidiSystem& system, std::u16string inputName,
                                         std::u16string outputName, IMidiLoopbackPeer& peer)
    : mSystem(system), mInputName(std::move(inputName)), mOutputName(std::move(outputName)), mPeer(peer) {}

void LLoopbackMidiDevice::Reply(std::span<const uint8_t> bytes) { mSystem.Reply(*this, bytes); }
void LLoopbackMidiDevice::Unplug() { mSystem.SetPlugged(*this, false); }
void LLoopbackMidiDevice::Replug() { mSystem.SetPlugged(*this, true); }
bool LLoopbackMidiDevice::IsPlugged() const { return mSystem.IsPlugged(*this); }

void LLoopbackMidiDevice::SetReplyDelivery(MidiReplyDelivery delivery) {
  mSystem.SetReplyDelivery(*this, delivery);
}

void LLoopbackMidiDevice::SetOutputCompletion(MidiOutputCompletion completion, std::chrono::milliseconds delay) {
  mSystem.SetOutputCompletion(*this, completion, delay);
}

}  // namespace HV::Platform
