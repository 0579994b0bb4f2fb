#pragma once

#include "HVFramework/Midi/LMidiSysExReassembler.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Platform/Midi/IMidiSystem.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <array>
#include <cstdint>

namespace HV {

class LMidiComm;

// LMidiCapturePort: an open MIDI input, known by the port name it was opened
// under. Made by LMidiComm::OpenCapturePort and shared by everyone who opens
// the same name; the port layer's list does not keep it alive, so the last
// release outside the port layer closes the device. The device fills three
// lent buffers of 256 bytes; what comes back is reassembled and handed to the
// port layer's delivery. Every member runs under the port layer's lock.
class LMidiCapturePort : public virtual LRefCountedObject {
 public:
  static constexpr uint32_t kBufferCount = 3;
  static constexpr uint32_t kBufferSize = 256;

  ~LMidiCapturePort() override;
  LMidiCapturePort(const LMidiCapturePort&) = delete;
  LMidiCapturePort& operator=(const LMidiCapturePort&) = delete;

  const StringW& GetName() const { return mName; }

  // The last outside reference is going: leave the port layer's list.
  HResult ReleaseInternalReferences() override;

 private:
  friend class LMidiComm;

  LMidiCapturePort(LMidiComm& comm, const StringW& name);

  // Closes a handle still open, then opens the device the name selects and
  // lends it the buffers: the device layer's result (kMidiNoDriver when no
  // device matches).
  Platform::MidiResult Open();
  Platform::MidiResult Start();
  // Stops, resets, takes the buffers back and closes; the device gives back
  // its buffers without them being lent again.
  void Close();
  bool IsOpen() const { return mHandle != Platform::MidiInHandle::None; }
  // Whether the device behind the handle still answers.
  bool IsDeviceAlive();
  Platform::MidiInHandle GetHandle() const { return mHandle; }

  // One report of the device layer for this port's handle.
  void OnInput(const Platform::MidiEvent& event);
  void OnShortMessage(const Platform::MidiEvent& event);
  void OnLongData(Platform::MidiHeader& header, uint32_t timeStamp);
  // Lends a returned buffer again, unless the port is closing.
  void Requeue(Platform::MidiHeader& header);
  Platform::MidiHeader* FindHeader(const Platform::MidiHeader* header);
  Platform::IMidiSystem& System();

  const RCPtr<LMidiComm> mComm;  // the callback of the handle: outlives it
  const StringW mName;
  Platform::MidiInHandle mHandle = Platform::MidiInHandle::None;
  bool mClosing = false;
  std::array<Platform::MidiHeader, kBufferCount> mHeaders;
  std::array<std::array<uint8_t, kBufferSize>, kBufferCount> mBuffers{};
  LMidiSysExReassembler mReassembler;
};

}  // namespace HV
