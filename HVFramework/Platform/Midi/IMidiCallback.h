#pragma once

#include "HVFramework/Platform/Midi/MidiEvent.h"
#include "HVFramework/Platform/Midi/MidiHandle.h"

namespace HV::Platform {

// IMidiCallback: receives what open MIDI devices report. Called on the device
// layer's own thread, never on the thread that called the device layer, one
// call at a time per device system. After Close of a handle returned, no new
// call for it starts; one already running may still finish, so a callback
// must accept handles it no longer knows.
class IMidiCallback {
 public:
  virtual ~IMidiCallback() = default;

  virtual void OnMidiInput(MidiInHandle handle, const MidiEvent& event) = 0;
  virtual void OnMidiOutput(MidiOutHandle handle, const MidiEvent& event) = 0;
};

}  // namespace HV::Platform
