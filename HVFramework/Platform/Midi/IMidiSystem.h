#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Platform/Midi/IMidiCallback.h"
#include "HVFramework/Platform/Midi/MidiHandle.h"
#include "HVFramework/Platform/Midi/MidiHeader.h"
#include "HVFramework/Platform/Midi/MidiResult.h"

#include <cstdint>
#include <optional>
#include <string>

namespace HV::Platform {

// IMidiSystem: the MIDI devices of the machine, one set of input devices and
// one of output devices, each numbered 0..count-1 in a stable device order
// (the numbers change when a device is plugged in or removed).
//
// The calls follow the classic multimedia MIDI model the framework was written
// for: open a device with a callback, send short messages as a packed word,
// send long messages from prepared headers that come back "done" through the
// callback, lend prepared input headers that come back filled through the
// callback, and stop / reset / close. Every call answers a MidiResult number
// and may be made from any thread; callbacks arrive on the layer's own thread.
//
// Long output messages are copied when they are submitted: the header still
// stays lent (kInQueue) until its OutputDone callback, or until ResetOutput
// returns it.
class IMidiSystem : public virtual LRefCountedObject {
 public:
  virtual uint32_t GetInputDeviceCount() = 0;
  virtual uint32_t GetOutputDeviceCount() = 0;
  // The device's name, or nothing when there is no device with that number.
  virtual std::optional<std::u16string> GetInputDeviceName(uint32_t device) = 0;
  virtual std::optional<std::u16string> GetOutputDeviceName(uint32_t device) = 0;

  // The callback must outlive the handle (see IMidiCallback). A device that
  // is open already gives kMidiAllocated, an unknown number kMidiBadDeviceId.
  virtual MidiOpened<MidiInHandle> OpenInput(uint32_t device, IMidiCallback& callback) = 0;
  // kMidiNoError while the device behind the handle still answers;
  // kMidiNoDriver once it was removed (a new open is needed after replugging).
  virtual MidiResult GetInputStatus(MidiInHandle handle) = 0;
  virtual MidiResult PrepareInputHeader(MidiInHandle handle, MidiHeader& header) = 0;
  // kMidiStillPlaying while the header is queued.
  virtual MidiResult UnprepareInputHeader(MidiInHandle handle, MidiHeader& header) = 0;
  // Lends the header: it comes back through InputLongData once it holds a
  // whole System Exclusive message, is full, or the input is stopped or reset.
  // Input that finds every header out waits, in order, until one is lent
  // again (up to 1 MiB an input; more is dropped, counted and traced).
  virtual MidiResult AddInputBuffer(MidiInHandle handle, MidiHeader& header) = 0;
  virtual MidiResult StartInput(MidiInHandle handle) = 0;
  // Stops recording; a partly filled header comes back, empty ones stay queued.
  virtual MidiResult StopInput(MidiInHandle handle) = 0;
  // Stops recording and gives every queued header back (marked done).
  virtual MidiResult ResetInput(MidiInHandle handle) = 0;
  // kMidiStillPlaying while headers are queued: reset first.
  virtual MidiResult CloseInput(MidiInHandle handle) = 0;

  virtual MidiOpened<MidiOutHandle> OpenOutput(uint32_t device, IMidiCallback& callback) = 0;
  virtual MidiResult GetOutputStatus(MidiOutHandle handle) = 0;
  // Sends the bytes of a packed short message that its status byte calls for;
  // the bytes above them are not looked at.
  virtual MidiResult SendShortMessage(MidiOutHandle handle, uint32_t message) = 0;
  virtual MidiResult PrepareOutputHeader(MidiOutHandle handle, MidiHeader& header) = 0;
  virtual MidiResult UnprepareOutputHeader(MidiOutHandle handle, MidiHeader& header) = 0;
  // Sends header.bufferLength bytes; the header comes back through OutputDone.
  virtual MidiResult SendLongMessage(MidiOutHandle handle, MidiHeader& header) = 0;
  // Gives every long message still in flight back (marked done).
  virtual MidiResult ResetOutput(MidiOutHandle handle) = 0;
  // kMidiStillPlaying while a long message is in flight: reset first.
  virtual MidiResult CloseOutput(MidiOutHandle handle) = 0;

  // Blocks until every callback queued so far has run. For owners of a
  // callback before they go away; must not be called while holding a lock
  // that a callback takes. Returns at once on the layer's own thread.
  virtual void WaitForCallbacks() = 0;
};

}  // namespace HV::Platform
