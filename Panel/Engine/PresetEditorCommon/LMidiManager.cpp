#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "HVFramework/Midi/LMidiComm.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/System/WaitCodes.h"
#include "Panel/Engine/PresetEditorCommon/GlobalParameters.h"
#include "Panel/Engine/PresetEditorCommon/LEnginePresetValues.h"
#include "Panel/Engine/PresetEditorCommon/LKeyboardStatusChecker.h"
#include "Panel/Engine/PresetEditorCommon/LMidiCommKeyboardPorts.h"
#include "Panel/Engine/PresetEditorCommon/LMidiParameterNotification.h"
#include "Panel/Engine/PresetEditorCommon/PresetData.h"

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
      GetNotificationCenterManager()->GetCenter(StringW(u"application"));
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

HResult LMidiManager::SendPresetToMidiDevice(int32_t slot) {
  if (!mPorts.IsRenderPortOpen()) return kNoPort;
  if (!KeyboardSysEx::IsValidSlot(slot)) return E_INVALIDARG;
  // A keyboard whose firmware does not speak this protocol could store the
  // dump wrongly: nothing goes out then.
  if (!IsDeviceFirmwareVersionUseable()) return kFirmwareNotUsable;
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
  if (!KeyboardSysEx::IsValidSlot(slot)) return E_INVALIDARG;
  if (!IsDeviceFirmwareVersionUseable()) return kFirmwareNotUsable;
  return WithCaptureHandler("HV::LMidiManager::GetPresetFromMidiDevice", [&] {
    return AwaitReply(
        Awaited::PresetDump,
        [&] { return SendSysEx(KeyboardSysEx::MakePresetRequest(static_cast<uint8_t>(slot))); }, kNoReply,
        PollDuringTries::PausedPerTry);
  });
}

HResult LMidiManager::SetNonPresetParameter(std::u16string_view key, int32_t value, bool skipChecks) {
  if (!ArePortsOpen()) return kNoPort;
  // Built first: a refused key or value sends nothing, not even the identity request.
  MidiMessage message;
  const HResult built = KeyboardSysEx::MakeGlobalParameterSet(key, value, message);
  if (Failed(built)) return built;
  if (!skipChecks && !IsDeviceFirmwareVersionUseable()) return kFirmwareNotUsable;
  return SendSysEx(std::move(message));
}

HResult LMidiManager::RequestNonPresetParameterFromDevice(std::u16string_view key, bool skipChecks) {
  if (!ArePortsOpen()) return E_FAIL;
  MidiMessage request;
  const HResult built = KeyboardSysEx::MakeGlobalParameterRequest(key, request);
  if (Failed(built)) return built;
  if (!skipChecks && !IsDeviceFirmwareVersionUseable()) return kFirmwareNotUsable;
  const HResult result = WithCaptureHandler("HV::LMidiManager::RequestNonPresetParameterFromDevice", [&] {
    PollPause pause(mPoll);  // over all tries
    return AwaitReply(
        Awaited::GlobalReply, [&] { return SendSysEx(request); }, kNoReply, PollDuringTries::AsItIs);
  });
  std::optional<KeyboardSysEx::GlobalParameterReply> received;
  {
    std::lock_guard lock(mCaptureMutex);
    received.swap(mReceivedParameter);
  }
  if (result == S_OK && received) {
    // Sent here, on the caller's thread, so the user interface may take it straight into its controls.
    const std::u16string_view receivedKey = GlobalParameters::GetKey(received->index);
    const RCPtr<LRefCountedObject> payload(LMidiParameterNotification::Create(
        StringW(receivedKey.data(), static_cast<int32_t>(receivedKey.size())), received->value));
    SendNotification(LNotification::Create(kParameterReceivedName, payload));
  }
  return result;
}

HResult LMidiManager::SendMidiMessage(const MidiMessage& bytes) {
  if (mStatusChecker && !mStatusChecker->CheckOutputDevices()) return kNoPort;
  if (!mPorts.IsRenderPortOpen()) return kNoPort;
  return mPorts.SendToRenderPort(bytes);
}

bool LMidiManager::IsDeviceFirmwareVersionUseable() {
  if (!ArePortsOpen()) return false;
  const HResult result = WithCaptureHandler("HV::LMidiManager::IsDeviceFirmwareVersionUseable", [&] {
    return AwaitReply(
        Awaited::IdentityReply, [&] { return SendIdentityRequest(); }, kFirmwareNotUsable,
        PollDuringTries::AsItIs);
  });
  return result == S_OK;
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

HResult LMidiManager::WithCaptureHandler(const char* operation, const std::function<HResult()>& body) {
  CheckResult(
      mPorts.RegisterCaptureHandler([this](const MidiMessage& message) { OnMidiDataCaptured(message); }),
      SourceLocation{operation, __FILE__, __LINE__});
  const HResult result = body();
  CheckResult(mPorts.UnregisterCaptureHandler(), SourceLocation{operation, __FILE__, __LINE__});
  return result;
}

HResult LMidiManager::AwaitReply(Awaited awaited, const std::function<HResult()>& send, HResult noReply,
                                 PollDuringTries poll) {
  {
    std::lock_guard lock(mCaptureMutex);
    mAwaited = awaited;
    mReceivedParameter.reset();
    mLight.SetRed();
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
      result = S_OK;
      break;
    }
  }
  // From here on a late reply finds nothing awaited and changes nothing.
  std::lock_guard lock(mCaptureMutex);
  mAwaited = Awaited::None;
  return result;
}

void LMidiManager::OnMidiDataCaptured(const MidiMessage& message) {
  std::lock_guard lock(mCaptureMutex);
  if (mAwaited == Awaited::PresetDump && KeyboardSysEx::IsPresetDump(message)) {
    ApplyPresetDump(message);
  } else if (const auto reply = KeyboardSysEx::ParseGlobalParameterReply(message);
             reply && mAwaited == Awaited::GlobalReply) {
    mReceivedParameter = reply;
  } else if (mAwaited == Awaited::IdentityReply && KeyboardSysEx::IsFirmwareVersionAcceptable(message)) {
    // An older firmware leaves the light red: the caller runs into its time-out.
  } else {
    return;
  }
  mAwaited = Awaited::None;  // one reply per wait
  mLight.SetGreen();
}

// Written under the capture lock, so a fetch that gave up has no half-written preset.
void LMidiManager::ApplyPresetDump(const MidiMessage& dump) {
  const std::optional<PresetData::Records> records =
      PresetData::SplitRecords(KeyboardSysEx::GetPresetData(dump));
  if (!records) return;
  for (size_t i = 0; i < records->size(); ++i)
    mValues.SetPresetValue(static_cast<int32_t>(i), MakeRecordValue((*records)[i]));
}

}  // namespace HV
