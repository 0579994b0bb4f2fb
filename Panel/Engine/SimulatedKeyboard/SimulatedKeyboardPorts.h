#pragma once

#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboard.h"

namespace HV::Simulated {

// The keyboard's four MIDI ports as a loopback system lists them: port 1
// under the plain name, ports 2 to 4 as "MIDIINk (Tarsel)" / "MIDIOUTk
// (Tarsel)". The protocol runs on port 4; the other ports take whatever is
// sent and answer nothing.
inline constexpr char16_t kSimulatedProtocolInput[] = u"MIDIIN4 (Tarsel)";
inline constexpr char16_t kSimulatedProtocolOutput[] = u"MIDIOUT4 (Tarsel)";

// Adds the four ports to the system and sends the keyboard's replies out of
// port 4. Returns port 4's device (to unplug it, say). The keyboard must
// outlive the system; DetachSimulatedKeyboard before the system goes.
RCPtr<Platform::LLoopbackMidiDevice> AttachSimulatedKeyboard(Platform::LLoopbackMidiSystem& system,
                                                             SimulatedKeyboard& keyboard);
void DetachSimulatedKeyboard(SimulatedKeyboard& keyboard);

// Makes TARSEL_MIDI=simulated give a loopback system with one simulated
// keyboard that lives as long as the process; returns that keyboard.
SimulatedKeyboard& RegisterSimulatedKeyboard();

}  // namespace HV::Simulated
