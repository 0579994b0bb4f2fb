#pragma once

#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/System/TrafficLight.h"
#include "HVFramework/Utilities/Storage/StringArrayT.h"
#include "Panel/Engine/PresetEditorCommon/IDeviceStatusChecker.h"
#include "Panel/Engine/PresetEditorCommon/IKeyboardPorts.h"
#include "Panel/Engine/PresetEditorCommon/IPresetValues.h"
#include "Panel/Engine/PresetEditorCommon/MidiManagerNotificationNames.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/KeyboardSysEx.h"
#include "Panel/Engine/PresetEditorCommon/LDeviceStatusPoll.h"
#include "Panel/Engine/PresetEditorCommon/LMidiParameterNotification.h"
#include "Panel/Engine/PresetEditorCommon/MidiTiming.h"
#include "Panel/Engine/PresetEditorCommon/SysExPacer.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class LRootModuleEngine;

namespace HV {

// LMidiManager: the editor's one object for talking to the keyboard. It
// sends and fetches presets, sets and requests the global parameters, checks
// the firmware, and pauses the device-status poll while it sends.
//
// The waiting operations run on the calling (user-interface) thread and
// block it for at most tries x reply wait plus the send times. Captured
// messages arrive on the port layer's thread; the capture handler takes only
// the reply an operation waits for (the dump of the slot asked for, the reply
// for the key asked for) and writes a dump into the model with no lock held;
// the operation returns only once that write is through. A global parameter
// reply is sent as "NID_MIDIMANAGER_PARAMETER_RECIEVED" (an
// LMidiParameterNotification) to this distributor's clients on the waiting
// caller's thread, before the request returns.
//
// Waiting operations answer 0 success, -1 no port or a failed send, -2 the
// firmware is not usable (or no Identity Reply), -3 no reply in time.
class LMidiManager : public LNotificationDistributor {
 public:
  // What this distributor sends its clients: a global parameter the keyboard
  // reported, with an LMidiParameterNotification as payload (key and value).
  // Spelled as the editor's panels know it.
  static constexpr const NotificationName& kParameterReceivedName = kNidMidiManagerParameterRecieved;
  using ParameterReceivedPayload = LMidiParameterNotification;

  // The ports, the preset values and the status checker (none: nothing is
  // watched) must outlive the manager. Opens the ports.
  static RCPtr<LMidiManager> Create(IKeyboardPorts& ports, IPresetValues& values,
                                    IDeviceStatusChecker* statusChecker = nullptr,
                                    MidiTiming timing = MidiTiming::Specified());
  // The program's manager, owning its parts: the keyboard's ports over the
  // process's MIDI system, following the device-status announcements of the
  // application centre, the status checker posting them there, and the
  // engine's preset values. Opens the ports; the poll waits for a resume.
  static RCPtr<LMidiManager> Create(const RCPtr<LRootModuleEngine>& engine,
                                    MidiTiming timing = MidiTiming::Specified());
  ~LMidiManager() override;

  // Each operation checks the ports, then the firmware, then what it was
  // given: a refused slot, key or value gives its error after the identity
  // exchange. -1 for a port that failed during the exchange, -2 for an
  // older firmware or no Identity Reply.

  // The model's preset into a slot (0 to 127). -1 without an output port, -2
  // when the firmware is not usable (nothing sent), E_INVALIDARG for a slot
  // that is no data byte, E_NOTIMPL / E_FAIL for a value that is not a
  // sendable record; else the last piece's send result.
  virtual HResult SendPresetToMidiDevice(int32_t slot);
  // A slot's preset into the model; dumps of other slots are no answer.
  // The poll is suspended for each try and runs again after it.
  virtual HResult GetPresetFromMidiDevice(int32_t slot);
  // -1 without both ports; -2 when the firmware is not usable (unless
  // skipped); E_FAIL for an unknown key or a refused value; else the send result.
  virtual HResult SetNonPresetParameter(std::u16string_view key, int32_t value, bool skipChecks);
  // E_FAIL without both ports or for an unknown key; the reply reaches this
  // distributor's clients before this returns 0.
  virtual HResult RequestNonPresetParameterFromDevice(std::u16string_view key, bool skipChecks);
  // The bytes unchanged, as one message: -1 unless every watched output
  // device is present; else the port layer's result (E_INVALIDARG with the
  // output port closed).
  virtual HResult SendMidiMessage(const MidiMessage& bytes);
  virtual bool IsDeviceFirmwareVersionUseable();
  virtual bool ArePortsOpen();
  virtual HResult OpenPorts();
  virtual HResult ClosePorts();
  virtual HResult SendIdentityRequest();

  static void GetNonPresetParameterNames(StringArrayW& names);

  // Frames the message, sends the lead-in first unless it went out already,
  // and sends the message in 256-byte pieces, each at least the piece pause
  // after the previous one (no pause follows the last). E_FAIL,
  // and nothing sent, for a message that cannot be framed.
  HResult SendSysEx(MidiMessage message, bool isLeadInSent = false);

  HResult SuspendDeviceStatusPolling();
  HResult ResumeDeviceStatusPolling();
  bool IsDeviceStatusPollingActive();

 protected:
  LMidiManager(IKeyboardPorts& ports, IPresetValues& values, IDeviceStatusChecker* statusChecker,
               MidiTiming timing);

 private:
  // The reply an operation waits for: a dump of one slot, a global reply for
  // one wire index, or an Identity Reply of a usable firmware.
  struct Awaited {
    enum class Kind { None, PresetDump, GlobalReply, IdentityReply };
    Kind kind = Kind::None;
    int32_t key = -1;  // the slot or the index
    bool operator==(const Awaited&) const = default;
  };
  enum class PollDuringTries { AsItIs, PausedPerTry };
  struct OwnedParts;
  class CaptureRegistration;

  LMidiManager(std::unique_ptr<OwnedParts> owned, MidiTiming timing);

  // The identity exchange: 0 for a usable firmware, -1 when the ports are
  // closed or the request could not be sent (a port that is gone), -2 for an
  // older firmware or no Identity Reply.
  HResult CheckFirmware();
  void OnMidiDataCaptured(const MidiMessage& message);
  // Whether the message is the reply awaited; anything else leaves the wait as it is.
  static bool IsAwaitedReply(const Awaited& awaited, const MidiMessage& message);
  // Up to `tries` sends, each followed by a wait for the awaited reply.
  // 0 on the reply, -1 when a send failed (no further tries), else noReply.
  HResult AwaitReply(const Awaited& awaited, const std::function<HResult()>& send, HResult noReply,
                     PollDuringTries poll);
  // Registers the capture handler for the operation and unregisters it on
  // every way out, also when the body throws; throws a failed result naming
  // the operation when registering or unregistering fails.
  HResult WithCaptureHandler(const char* operation, const std::function<HResult()>& body);
  HResult BuildPresetDump(int32_t slot, MidiMessage& dump);
  void ApplyPresetDump(const MidiMessage& dump);

  // First: what the program's manager owns outlives everything that uses it.
  std::unique_ptr<OwnedParts> mOwned;
  IKeyboardPorts& mPorts;
  IPresetValues& mValues;
  IDeviceStatusChecker* const mStatusChecker;  // not owned; may be null
  const MidiTiming mTiming;
  TrafficLight mLight;  // red while a reply is awaited
  LDeviceStatusPoll mPoll;
  SysExPacer mPacer;  // on the calling thread

  // Guards what the capture handler acts on: it takes a reply only while it
  // is the one awaited, and the waiting side stops awaiting under it. Nothing
  // else is called under it.
  std::mutex mCaptureMutex;
  Awaited mAwaited;
  std::optional<KeyboardSysEx::GlobalParameterReply> mReceivedParameter;
};

}  // namespace HV
