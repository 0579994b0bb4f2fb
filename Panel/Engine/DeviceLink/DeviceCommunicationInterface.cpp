#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceCommunicationReceiver.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/System/DebugTrace.h"
#include "HVFramework/System/LEvent.h"
#include "HVFramework/System/LEventGatedThreader.h"
#include "HVFramework/System/MutexLocker.h"
#include "HVFramework/System/Thread.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationThreadWorker.h"

#include <algorithm>
#include <exception>

namespace {

using HV::E_FAIL;
using HV::HResult;
using HV::Variant;

constexpr HResult kNoClient = -1;
constexpr int32_t kFirstRefusedParamID = -242;
constexpr int32_t kLastRefusedParamID = -240;

// The texts IDs -9 and -10 answer without a client: the maker, the product.
constexpr const HV::WChar* kNames[2] = {u"Halvern", u"Tarsel"};

Variant MakeText(const HV::WChar* text) {
  Variant value;
  value.SetString(HV::StringW(text).ToCharString().GetText());
  return value;
}

Variant MakeBool(bool flag) {
  Variant value;
  value.Set(HV::kVariantBool, &flag, sizeof flag);
  return value;
}

// One line on the debug trace for a packet the link had to drop; called
// inside the handler that caught the failure. The trace takes one writer at
// a time, and both the library's and the delivery thread write here.
void TraceDroppedPacket(const char* where) noexcept {
  static std::mutex traceLock;
  const char* reason = "unknown exception";
  try {
    throw;
  } catch (const std::exception& error) {
    reason = error.what();  // lives as long as the handler around this call
  } catch (...) {
  }
  try {
    std::lock_guard lock(traceLock);
    HV::DebugTrace::Get().GetNarrowStream()
        << "LDeviceCommunicationInterface: packet dropped in " << where << ": " << reason << std::endl;
  } catch (...) {
  }
}

// The identifiers of a device list as the library returned it: one per
// record of a packed list, none for anything else.
void ReadDeviceList(const Variant& result, LDeviceCommunicationInterface::DeviceList* out) {
  const uint32_t count = result.GetType() == HV::kVariantList ? result.GetListCount() : 0;
  out->SetCount(count);
  for (uint32_t i = 0; i < count; ++i) result.GetListItem(i, *out->GetItemPtr(i));
}

}  // namespace

HV::RCPtr<IDeviceLink> CreateDeviceLink(const DeviceTiming& timing) {
  return LDeviceCommunicationInterface::Create(nullptr, timing);
}

HV::RCPtr<LDeviceCommunicationInterface> LDeviceCommunicationInterface::Create(const HV::WChar* libraryPath,
                                                                               const DeviceTiming& timing) {
  HV::RCPtr<LDeviceCommunicationInterface> link(new LDeviceCommunicationInterface(libraryPath, timing));
  link->StartDeliveryThread();
  return link;
}

LDeviceCommunicationInterface::LDeviceCommunicationInterface(const HV::WChar* libraryPath,
                                                             const DeviceTiming& timing)
    : mTiming(timing), mLibraryPath(libraryPath ? libraryPath : u"") {}

void LDeviceCommunicationInterface::StartDeliveryThread() {
  mEvent = HV::LEvent::Create();
  // The thread holds the link as its worker's parameter: counted as internal.
  mThreader = HV::RCPtr<HV::LEventGatedThreader>(
      new HV::LEventGatedThreader(mEvent, LDeviceCommunicationThreadWorker::Create(),
                                  HV::RCPtr<HV::LRefCountedObject>(this), HV::ThreadPriority::Normal));
  AddInternalReferences(1);
}

HV::HResult LDeviceCommunicationInterface::ReleaseInternalReferences() {
  if (mThreader) {
    // The threader's destructor ends the delivery thread, which lets go of its
    // reference to this link.
    mThreader = nullptr;
    AddInternalReferences(-1);
  }
  return LRefCountedObject::ReleaseInternalReferences();
}

LDeviceCommunicationInterface::~LDeviceCommunicationInterface() {
  SetReplyDeliveryEnabled(false);
  SetReceiver(nullptr);
  if (mClient) {
    mClient->DisconnectDevice(mConnectedDevice);
    mClient.reset();
  }
}

HV::HResult LDeviceCommunicationInterface::Initialize() {
  if (mClient) return HV::S_FALSE;
  mClient = std::make_unique<HV::DeviceControlClientInterface>(
      mLibraryPath.IsEmpty() ? nullptr : mLibraryPath.GetText());
  return HV::S_OK;
}

bool LDeviceCommunicationInterface::IsAvailable() { return true; }

bool LDeviceCommunicationInterface::SendLocalReply(int64_t token) {
  DeviceCommunicationReceiver* receiver = EnterReceiver(false);
  if (!receiver) return false;
  struct Leave {
    LDeviceCommunicationInterface& link;
    ~Leave() { link.LeaveReceiver(); }
  } leave{*this};
  const bool available = IsAvailable();
  Variant fields[2];
  fields[0].Set(HV::kVariantInt64, &token, sizeof token);
  fields[1] = MakeBool(available);
  HV::ParamValue reply(kLocalReplyParamID);
  reply.value.SetList(fields, 2);
  HV::ParamValues values;
  values.Set(&reply, 1);
  receiver->OnParamValuesReceived(values);
  return available;
}

void LDeviceCommunicationInterface::Synchronize() { HV::MutexLocker lock(&mLinkLock); }

void LDeviceCommunicationInterface::Start() {}

HV::HResult LDeviceCommunicationInterface::FindDevices(const GuidList&, DeviceList* out) {
  out->SetCount(1);
  out->GetItemPtr(0)->Clear();
  return HV::S_OK;
}

HV::HResult LDeviceCommunicationInterface::FindRemoteDevices(const GuidList& guids, DeviceList* list,
                                                             uint32_t waitMs) {
  if (!HasClient()) return kNoClient;
  const DeviceList given = *list;
  const DeviceClassGuid* guidData = static_cast<const HV::IArray<DeviceClassGuid>&>(guids).GetData();
  // A cut asked for before this wait began belongs to an earlier one.
  mWaitCut.Reset();
  const uint32_t start = HV::Platform::GetTickCount();
  const auto poll = static_cast<uint32_t>(mTiming.remotePoll.count());
  for (;;) {
    Variant result;
    if (mClient->FindRemoteDevices(guidData, guids.GetCount(), &result, 0) < 0) return E_FAIL;
    ReadDeviceList(result, list);
    if (!AreSameDevices(*list, given)) return HV::S_OK;
    const uint32_t elapsed = HV::Platform::GetTickCount() - start;
    if (elapsed >= waitMs) return HV::S_FALSE;
    if (mWaitCut.Wait(std::min(poll, waitMs - elapsed)) == HV::kWaitObject0) return HV::S_FALSE;
  }
}

void LDeviceCommunicationInterface::CutWaitShort() { mWaitCut.Set(); }

HV::HResult LDeviceCommunicationInterface::FindRemoteDevicesNow(const GuidList& guids, DeviceList* out) {
  if (!HasClient()) return kNoClient;
  Variant result;
  const HResult answer = mClient->FindRemoteDevices(
      static_cast<const HV::IArray<DeviceClassGuid>&>(guids).GetData(), guids.GetCount(), &result, 1);
  if (answer >= 0) ReadDeviceList(result, out);
  return answer;
}

HV::HResult LDeviceCommunicationInterface::ConnectDevice(const Variant& device) {
  if (!HasClient()) return kNoClient;
  {
    HV::MutexLocker lock(&mLinkLock);
    mConnectedDevice = device;
  }
  return mClient->ConnectDevice(device, &ReceiveFromLibrary, this);
}

Variant LDeviceCommunicationInterface::CopyConnectedDevice() {
  HV::MutexLocker lock(&mLinkLock);
  return mConnectedDevice;
}

HV::HResult LDeviceCommunicationInterface::RequestParamRanges(const HV::ParamRanges& ranges) {
  if (!HasClient()) return kNoClient;
  return mClient->RequestParamRanges(CopyConnectedDevice(), ranges);
}

HV::HResult LDeviceCommunicationInterface::RequestParamValues(const Variant& descriptors) {
  if (!HasClient()) return kNoClient;
  return mClient->RequestParamValues(CopyConnectedDevice(), descriptors);
}

HV::HResult LDeviceCommunicationInterface::RequestParamValue(const HV::ParamDescriptor& descriptor) {
  if (!HasClient()) return kNoClient;
  return mClient->RequestParamValue(CopyConnectedDevice(), descriptor);
}

HV::HResult LDeviceCommunicationInterface::GetParamRanges(Variant* ranges, int32_t flags) {
  if (!HasClient()) return kNoClient;
  return mClient->GetParamRanges(CopyConnectedDevice(), ranges, flags);
}

HV::HResult LDeviceCommunicationInterface::GetParamValues(const Variant& descriptors, Variant* values) {
  if (!HasClient()) return kNoClient;
  return mClient->GetParamValues(CopyConnectedDevice(), descriptors, values);
}

HV::HResult LDeviceCommunicationInterface::GetParamValueEx(const HV::ParamDescriptor& descriptor,
                                                           Variant* out) {
  if (HasClient()) return mClient->GetParamValue(CopyConnectedDevice(), descriptor, out);
  switch (descriptor.paramID) {
    case kAvailableParamID:
      *out = MakeBool(IsAvailable());
      return HV::S_OK;
    case kDeviceParamID:
      return GetParamValue(out);
    case kMakerNameParamID:
      *out = MakeText(kNames[0]);
      return HV::S_OK;
    case kProductNameParamID:
      *out = MakeText(kNames[1]);
      return HV::S_OK;
    default:
      return E_FAIL;
  }
}

HV::HResult LDeviceCommunicationInterface::SendParamValue(const HV::ParamDescriptor& descriptor,
                                                          const Variant& value) {
  {
    std::lock_guard gate(mGateLock);
    if (!mReceiver) return E_FAIL;
  }
  const int32_t id = descriptor.paramID;
  if (id == kLocalReplyParamID) return SendLocalReply(value.GetInt64()) ? HV::S_OK : HV::S_FALSE;
  if (id >= kFirstRefusedParamID && id <= kLastRefusedParamID) return E_FAIL;
  if (HasClient()) return mClient->SetParamValue(CopyConnectedDevice(), descriptor, value);
  return id == kDeviceParamID ? SetParamValue(value) : E_FAIL;
}

HV::HResult LDeviceCommunicationInterface::SetParamValues(const Variant& values) {
  if (!HasClient()) return kNoClient;
  return mClient->SetParamValues(CopyConnectedDevice(), values);
}

bool LDeviceCommunicationInterface::IsConnected() { return true; }

HV::HResult LDeviceCommunicationInterface::GetConnectedDevice(Variant* out) {
  if (!HasClient()) return kNoClient;
  if (!IsConnected()) return -3;
  *out = CopyConnectedDevice();
  return HV::S_OK;
}

HV::HResult LDeviceCommunicationInterface::DisconnectDevice() {
  if (!HasClient()) return kNoClient;
  return mClient->DisconnectDevice(CopyConnectedDevice());
}

HV::HResult LDeviceCommunicationInterface::GetDeviceInfo(const Variant& device, DeviceInfo* info) {
  if (!HasClient()) return kNoClient;
  return mClient->GetDeviceInfo(device, info);
}

HV::HResult LDeviceCommunicationInterface::GetParamValue(Variant* out) {
  if (!HasClient()) return kNoClient;
  return mClient->GetParamValue(CopyConnectedDevice(), HV::ParamDescriptor(kDeviceParamID), out);
}

HV::HResult LDeviceCommunicationInterface::SetParamValue(const Variant& value) {
  if (!HasClient()) return kNoClient;
  return mClient->SetParamValue(CopyConnectedDevice(), HV::ParamDescriptor(kDeviceParamID), value);
}

HV::HResult LDeviceCommunicationInterface::GetStatus(int32_t* out) {
  *out = 0;
  return HV::S_OK;
}

void LDeviceCommunicationInterface::SetReceiver(DeviceCommunicationReceiver* receiver) {
  std::unique_lock gate(mGateLock);
  mReceiver = receiver;
  WaitForReceiverCalls(gate);
}

void LDeviceCommunicationInterface::SetReplyDeliveryEnabled(bool enabled) {
  std::unique_lock gate(mGateLock);
  mDeliveryEnabled = enabled;
  if (!enabled) WaitForReceiverCalls(gate);
}

void LDeviceCommunicationInterface::WaitForReceiverCalls(std::unique_lock<std::mutex>& lock) {
  mGateChanged.wait(lock, [this] { return mReceiverCalls == 0; });
}

DeviceCommunicationReceiver* LDeviceCommunicationInterface::EnterReceiver(bool onlyWhileDelivering) {
  std::lock_guard gate(mGateLock);
  if (!mReceiver || (onlyWhileDelivering && !mDeliveryEnabled)) return nullptr;
  ++mReceiverCalls;
  return mReceiver;
}

void LDeviceCommunicationInterface::LeaveReceiver() {
  {
    std::lock_guard gate(mGateLock);
    --mReceiverCalls;
  }
  mGateChanged.notify_all();
}

void LDeviceCommunicationInterface::BeginDraining() {
  std::unique_lock gate(mGateLock);
  mGateChanged.wait(gate, [this] { return !mDraining; });
  mDraining = true;
}

void LDeviceCommunicationInterface::EndDraining() {
  {
    std::lock_guard gate(mGateLock);
    mDraining = false;
  }
  mGateChanged.notify_all();
}

void LDeviceCommunicationInterface::ReceiveFromLibrary(void* context, int32_t, Variant* values) {
  auto* link = static_cast<LDeviceCommunicationInterface*>(context);
  if (!link || !values) return;
  // Called from the library's own thread through a C pointer: nothing may
  // unwind into it. A packet that cannot be copied (out of memory) is dropped.
  try {
    HV::RCPtr<Packet> packet(new Packet());
    packet->Set(*values);
    link->mReplyQueue.Enqueue(packet);
    link->mEvent->Set();
  } catch (...) {
    TraceDroppedPacket("ReceiveFromLibrary");
  }
}

void LDeviceCommunicationInterface::DeliverQueuedPackets() {
  // Draining one at a time keeps the packets in the order they arrived.
  BeginDraining();
  struct End {
    LDeviceCommunicationInterface& link;
    ~End() { link.EndDraining(); }
  } end{*this};
  for (;;) {
    HV::RCPtr<Packet> packet;
    {
      std::lock_guard queue(mQueueLock);
      if (mReplyQueue.GetCount() == 0) break;
      packet = mReplyQueue.Dequeue();
    }
    DeviceCommunicationReceiver* receiver = EnterReceiver(true);
    if (!receiver) continue;
    // A receiver that throws loses this packet only: the delivery thread's
    // entry point must not unwind, and later packets still go out.
    try {
      receiver->OnParamValuesReceived(*packet);
    } catch (...) {
      TraceDroppedPacket("the receiver");
    }
    LeaveReceiver();
  }
}
