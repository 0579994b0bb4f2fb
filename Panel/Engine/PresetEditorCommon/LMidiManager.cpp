#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "HVFramework/Midi/LMidiComm.h"
#include "HVFramework/Notification/ApplicationNotificationCenterName.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/System/WaitCodes.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/GlobalParameters.h"
#include "Panel/Engine/PresetEditorCommon/LEnginePresetValues.h"
#include "Panel/Engine/PresetEditorCommon/LKeyboardStatusChecker.h"
#include "Panel/Engine/PresetEditorCommon/LMidiCommKeyboardPorts.h"
#include "Panel/Engine/PresetEditorCommon/LMidiParameterNotification.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/PresetData.h"

#include <vector>

namespace HV {
namespace {

constexpr HResult kNoPort = -1;
constexpr HResult kFirmwareNotUsable = -2;
constexpr HResult kNoReply = -3;

}  // namespace

RCPtr<LMidiManager> LMidiManager::Create(IKeyboardPorts& ports, IPresetValues& values,
                                         IDeviceStatusChecker* statusChecker, MidiTiming timing) {
  RCPtr<LMidiManager> manager(new LMidiManager(ports, values, statusChecker, timing));
  manager->OpenPorts();
  return manager;
}

struct LMidiManager::OwnedParts {
  RCPtr<LMidiComm> comm;
  std::unique_ptr<LMidiCommKeyboardPorts> ports;
  std::unique_ptr<LEnginePresetValues> values;
  std::unique_ptr<LKeyboardStatusChecker> statusChecker;
};

RCPtr<LMidiManager> LMidiManager::Create(const RCPtr<LRootModuleEngine>& engine, MidiTiming timing) {
  const RCPtr<LNotificationCenter> centre =
      GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
  auto owned = std::make_unique<OwnedParts>();
  owned->comm = LMidiComm::Create();
  owned->ports = std::make_unique<LMidiCommKeyboardPorts>(owned->comm);
  owned->ports->WatchConnections(centre);
  owned->values = std::make_unique<LEnginePresetValues>(engine);
  owned->statusChecker =
      std::make_unique<LKeyboardStatusChecker>(LMidiDeviceStatusChecker::Create(owned->comm, centre));
  RCPtr<LMidiManager> manager(new LMidiManager(std::move(owned), timing));
  manager->OpenPorts();
  return manager;
}

LMidiManager::LMidiManager(std::unique_ptr<OwnedParts> owned, MidiTiming timing)
    : LMidiManager(*owned->ports, *owned->values, owned->statusChecker.get(), timing) {
  mOwned = std::move(owned);
}

LMidiManager::LMidiManager(IKeyboardPorts& ports, IPresetValues& values, IDeviceStatusChecker* statusChecker,
                           MidiTiming timing)
    : mPorts(ports),
      mValues(values),
      mStatusChecker(statusChecker),
      mTiming(timing),
      mPoll(
          [this] {
            if (!mStatusChecker) return;
            mStatusChecker->CheckInputDevices();
            mStatusChecker->CheckOutputDevices();
          },
          timing.pollPeriod),
      mPacer(timing.piecePause) {}

LMidiManager::~LMidiManager() = default;

// Every operation checks in the same order: the ports, the firmware, then
// the message it was given (slot, key, value).
HResult LMidiManager::SendPresetToMidiDevice(int32_t slot) {
  if (!mPorts.IsRenderPortOpen()) return kNoPort;
  // A keyboard whose firmware does not speak this protocol could store the
  // dump wrongly: nothing goes out then.
  if (const HResult firmware = CheckFirmware(); firmware != S_OK) return firmware;
  if (!KeyboardSysEx::IsValidSlot(slot)) return E_INVALIDARG;
  MidiMessage dump;
  const HResult built = BuildPresetDump(slot, dump);
  if (Failed(built)) return built;
  return SendSysEx(std::move(dump));
}

HResult LMidiManager::BuildPresetDump(int32_t slot, MidiMessage& dump) {
  std::vector<Variant> values;
  values.reserve(kDeviceParamCount);
  PresetData::Records records;
  for (int32_t id = 0; id < kDeviceParamCount; ++id) {
    values.push_back(mValues.GetPresetValue(id));
    const uint32_t type = values.back().GetType();
    if (type == kVariantList) return E_NOTIMPL;
    if (type != kVariantBytes) return E_FAIL;
  }
  for (size_t i = 0; i < records.size(); ++i) records[i] = GetRecordBytes(values[i]);
  return PresetData::MakePresetDump(slot, records, dump);
}

HResult LMidiManager::GetPresetFromMidiDevice(int32_t slot) {
  if (!ArePortsOpen()) return kNoPort;
  if (const HResult firmware = CheckFirmware(); firmware != S_OK) return firmware;
  if (!KeyboardSysEx::IsValidSlot(slot)) return E_INVALIDARG;
  return WithCaptureHandler("HV::LMidiManager::GetPresetFromMidiDevice", [&] {
    return AwaitReply(
        {Awaited::Kind::PresetDump, slot},
        [&] { return SendSysEx(KeyboardSysEx::MakePresetRequest(static_cast<uint8_t>(slot))); }, kNoReply,
        PollDuringTries::PausedPerTry);
  });
}

HResult LMidiManager::SetNonPresetParameter(std::u16string_view key, int32_t value, bool skipChecks) {
  if (!ArePortsOpen()) return kNoPort;
  if (const HResult firmware = skipChecks ? S_OK : CheckFirmware(); firmware != S_OK) return firmware;
  MidiMessage message;
  const HResult built = KeyboardSysEx::MakeGlobalParameterSet(key, value, message);
  if (Failed(built)) return built;
  return SendSysEx(std::move(message));
}

HResult LMidiManager::RequestNonPresetParameterFromDevice(std::u16string_view key, bool skipChecks) {
  if (!ArePortsOpen()) return E_FAIL;
  if (const HResult firmware = skipChecks ? S_OK : CheckFirmware(); firmware != S_OK) return firmware;
  MidiMessage request;
  const HResult built = KeyboardSysEx::MakeGlobalParameterRequest(key, request);
  if (Failed(built)) return built;
  const HResult result = WithCaptureHandler("HV::LMidiManager::RequestNonPresetParameterFromDevice", [&] {
    PollPause pause(mPoll);  // over all tries
    return AwaitReply(
        {Awaited::Kind::GlobalReply, GlobalParameters::FindNonPresetParameterIndex(key)},
        [&] { return SendSysEx(request); }, kNoReply, PollDuringTries::AsItIs);
  });
  std::optional<KeyboardSysEx::GlobalParameterReply> received;
  {
    std::lock_guard lock(mCaptureMutex);
    received.swap(mReceivedParameter);
  }
  if (result == S_OK && received) {
    // Sent here, on the caller's thread, so the user interface may take it straight into its controls.
    const std::u16string_view receivedKey = GlobalParameters::GetKey(received->index);
    const RCPtr<LRefCountedObject> payload(ParameterReceivedPayload::Create(
        StringW(receivedKey.data(), static_cast<int32_t>(receivedKey.size())), received->value));
    SendNotification(LNotification::Create(kParameterReceivedName, payload));
  }
  return result;
}

HResult LMidiManager::SendMidiMessage(const MidiMessage& bytes) {
  if (mStatusChecker && !mStatusChecker->CheckOutputDevices()) return kNoPort;
  // With the output port closed the port layer answers E_INVALIDARG.
  return mPorts.SendToRenderPort(bytes);
}

bool LMidiManager::IsDeviceFirmwareVersionUseable() { return CheckFirmware() == S_OK; }

HResult LMidiManager::CheckFirmware() {
  if (!ArePortsOpen()) return kNoPort;
  return WithCaptureHandler("HV::LMidiManager::IsDeviceFirmwareVersionUseable", [&] {
    return AwaitReply(
        {Awaited::Kind::IdentityReply}, [&] { return SendIdentityRequest(); }, kFirmwareNotUsable,
        PollDuringTries::AsItIs);
  });
}

bool LMidiManager::ArePortsOpen() { return mPorts.IsCapturePortOpen() && mPorts.IsRenderPortOpen(); }

HResult LMidiManager::OpenPorts() { return mPorts.OpenPorts(); }

HResult LMidiManager::ClosePorts() { return mPorts.ClosePorts(); }

HResult LMidiManager::SendIdentityRequest() {
  if (!mPorts.IsRenderPortOpen()) return E_FAIL;
  return SendSysEx(KeyboardSysEx::MakeIdentityRequest());
}

void LMidiManager::GetNonPresetParameterNames(StringArrayW& names) {
  GlobalParameters::GetNonPresetParameterNames(names);
}

HResult LMidiManager::SendSysEx(MidiMessage message, bool isLeadInSent) {
  // Framed before anything goes out: a message that cannot be framed sends no lead-in either.
  const HResult framed = KeyboardSysEx::FrameSysEx(message);
  if (Failed(framed)) return framed;
  if (!isLeadInSent) {
    const HResult leadIn = SendSysEx(KeyboardSysEx::MakeLeadIn(), true);
    if (Failed(leadIn)) return leadIn;
  }
  if (!mPorts.IsRenderPortOpen()) return kNoPort;
  HResult result = E_FAIL;
  for (const MidiMessage& piece : KeyboardSysEx::CutIntoPieces(message)) {
    {
      // Suspended first: a pass the resume after the previous piece started
      // ends while the pacer waits.
      PollPause pause(mPoll);
      mPacer.WaitForTurn();
      result = mPorts.SendToRenderPort(piece);
      mPacer.NotePieceSent();
    }
    if (Failed(result)) return result;
  }
  return result;
}

HResult LMidiManager::SuspendDeviceStatusPolling() { return mPoll.Suspend(); }

HResult LMidiManager::ResumeDeviceStatusPolling() { return mPoll.Resume(); }

bool LMidiManager::IsDeviceStatusPollingActive() { return mPoll.IsActive(); }

// Keeps the capture handler registered for one operation and unregisters it
// on every way out. Only the normal way out reports a failure to unregister
// (as an exception naming the operation); unwinding from another exception
// does not throw again.
class LMidiManager::CaptureRegistration {
 public:
  CaptureRegistration(LMidiManager& manager, const char* operation)
      : mPorts(manager.mPorts), mOperation(operation) {
    CheckResult(mPorts.RegisterCaptureHandler(
                    [&manager](const MidiMessage& message) { manager.OnMidiDataCaptured(message); }),
                SourceLocation{mOperation, __FILE__, __LINE__});
  }
  ~CaptureRegistration() {
    if (mIsRegistered) mPorts.UnregisterCaptureHandler();
  }
  CaptureRegistration(const CaptureRegistration&) = delete;
  CaptureRegistration& operator=(const CaptureRegistration&) = delete;

  void Unregister() {
    mIsRegistered = false;
    CheckResult(mPorts.UnregisterCaptureHandler(), SourceLocation{mOperation, __FILE__, __LINE__});
  }

 private:
  IKeyboardPorts& mPorts;
  const char* const mOperation;
  bool mIsRegistered = true;
};

HResult LMidiManager::WithCaptureHandler(const char* operation, const std::function<HResult()>& body) {
  CaptureRegistration registration(*this, operation);
  const HResult result = body();
  registration.Unregister();
  return result;
}

HResult LMidiManager::AwaitReply(const Awaited& awaited, const std::function<HResult()>& send,
                                 HResult noReply, PollDuringTries poll) {
  // No reply is taken before the wait starts, and the last operation's
  // handler is through (see below), so nothing turns the light green early.
  mLight.SetRed();
  {
    std::lock_guard lock(mCaptureMutex);
    mAwaited = awaited;
    mReceivedParameter.reset();
  }
  HResult result = noReply;
  for (int32_t attempt = 0; attempt < mTiming.tries; ++attempt) {
    // A try that stopped the poll lets it run again before the next one; a
    // fetch that succeeded resumes it too, so the device view keeps watching.
    std::optional<PollPause> pause;
    if (poll == PollDuringTries::PausedPerTry) pause.emplace(mPoll);
    if (Failed(send())) {
      result = kNoPort;
      break;
    }
    if (mLight.IsGreen() || mLight.Wait(static_cast<uint32_t>(mTiming.replyWait.count())) == kWaitObject0) {
      return S_OK;
    }
  }
  {
    // From here on a late reply finds nothing awaited and changes nothing.
    std::lock_guard lock(mCaptureMutex);
    if (mAwaited == awaited) {
      mAwaited = {};
      return result;
    }
  }
  // The handler took the reply just now and may still be writing it into the
  // model: it turns the light green when it is through, and that counts.
  mLight.Wait(kInfinite);
  return S_OK;
}

void LMidiManager::OnMidiDataCaptured(const MidiMessage& message) {
  Awaited taken;
  {
    std::lock_guard lock(mCaptureMutex);
    if (!IsAwaitedReply(mAwaited, message)) return;
    taken = mAwaited;
    if (taken.kind == Awaited::Kind::GlobalReply)
      mReceivedParameter = KeyboardSysEx::ParseGlobalParameterReply(message);
    mAwaited = {};  // one reply per wait: this handler alone turns the light green
  }
  // Green also when writing the preset throws: the caller must not wait forever.
  struct GreenAtTheEnd {
    ~GreenAtTheEnd() { light.SetGreen(); }
    TrafficLight& light;
  } green{mLight};
  // Written with no lock held: the model takes its own. The waiting caller
  // returns only after the light turned green, so a fetch that gave up never
  // leaves a half-written preset behind.
  if (taken.kind == Awaited::Kind::PresetDump) ApplyPresetDump(message);
}

// A dump of another slot, or a late one of an earlier request, and a reply
// for another key are not the answer: the wait goes on. An older firmware's
// Identity Reply leaves the light red too: the caller runs into its time-out.
bool LMidiManager::IsAwaitedReply(const Awaited& awaited, const MidiMessage& message) {
  switch (awaited.kind) {
    case Awaited::Kind::None:
      return false;
    case Awaited::Kind::PresetDump:
      return KeyboardSysEx::IsPresetDump(message) && KeyboardSysEx::GetPresetDumpSlot(message) == awaited.key;
    case Awaited::Kind::GlobalReply: {
      const std::optional<KeyboardSysEx::GlobalParameterReply> reply =
          KeyboardSysEx::ParseGlobalParameterReply(message);
      return reply && reply->index == awaited.key;
    }
    case Awaited::Kind::IdentityReply:
      return KeyboardSysEx::IsFirmwareVersionAcceptable(message);
  }
  return false;
}

void LMidiManager::ApplyPresetDump(const MidiMessage& dump) {
  const std::optional<PresetData::Records> records =
      PresetData::SplitRecords(KeyboardSysEx::GetPresetData(dump));
  if (!records) return;
  for (size_t i = 0; i < records->size(); ++i)
    mValues.SetPresetValue(static_cast<int32_t>(i), MakeRecordValue((*records)[i]));
}

}  // namespace HV
