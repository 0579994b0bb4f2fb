#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "DeviceControl/GeneratedCode/Engine/Src/OrderedHandOff.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ParamCache.h"
#include "DeviceControl/GeneratedCode/Engine/Src/RootModule.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/System/Thread.h"

namespace {

using HV::RCPtr;
using HV::Variant;

// A pass of the worker that only watches for a change of the reachable list;
// every ninth pass asks the library afresh.
constexpr uint32_t kWatchingPasses = 8;

// Centres are made and found on the user-interface thread only: the engine
// looks its centre up once, in Initialize.
RCPtr<HV::LNotificationCenter> FindApplicationCenter() {
  return HV::GetNotificationCenterManager()->GetCenter(HV::kApplicationNotificationCenterName);
}

template <class T>
RCPtr<HV::LHolder<T>> MakeHolder(T value) {
  RCPtr<HV::LHolder<T>> holder(new HV::LHolder<T>());
  if (holder->GetValue()) *holder->GetValue() = value;
  return holder;
}

uint32_t Milliseconds(std::chrono::milliseconds duration) { return static_cast<uint32_t>(duration.count()); }

}  // namespace

RCPtr<LRootModuleEngine> LRootModuleEngine::Create(DeviceLinkFactory makeLink, const DeviceTiming& timing) {
  return RCPtr<LRootModuleEngine>(new LRootModuleEngine(std::move(makeLink), timing));
}

LRootModuleEngine::LRootModuleEngine(DeviceLinkFactory makeLink, const DeviceTiming& timing)
    : mTiming(timing),
      mMakeLink(std::move(makeLink)),
      mWorkerDone(HV::LEvent::Create()),
      mAnnouncements(std::make_unique<OrderedHandOff<Announcement>>()) {}

LRootModuleEngine::~LRootModuleEngine() {
  RequestWorkerStop();
  if (mRootModule) mRootModule->StopReceiving();
}

// --- start-up -------------------------------------------------------------

HV::HResult LRootModuleEngine::Initialize(int32_t firstParamID) {
  mHandler = RCPtr<Handler>(new Handler(this));
  if (!mHandler) return HV::E_FAIL;
  mCenter = FindApplicationCenter();
  HV::CheckResult(
      mHandler->SetNotification(&LRootModuleEngine::OnParamModuleChangeRequest, mCenter, kChangeRequestName),
      HV_HERE("LRootModuleEngine::Initialize"));

  if (!mLink && mMakeLink) mLink = mMakeLink(mTiming);
  mCache = LParamCache::Create(kParamCount);

  bool linkFailed = false;
  DeviceList devices;
  if (!mLink || mLink->Initialize() < 0) {
    linkFailed = true;
  } else {
    mLink->FindDevices(&devices);
  }

  mHasNoLink = linkFailed;
  mRootModule = LRootModule::Create(linkFailed);
  mRootModule->Initialize(&LRootModuleEngine::ReceiveValues, this, mCache, mLink, firstParamID);
  mInitialised = true;

  RequestParamValues(HV::ParamDescriptors(HV::ParamRange{mRootModule->GetFirstParamID(), kParamCount}));

  if (!linkFailed && devices.GetCount() > 0) ConnectDevice(*devices.GetItemPtr(0), false);
  return HV::S_OK;
}

// --- notifications ----------------------------------------------------------

void LRootModuleEngine::ReceiveNotification(const RCPtr<HV::LNotificationDistributor>& source,
                                            const RCPtr<HV::LNotification>& notification) {
  if (mInitialised && mHandler) mHandler->Dispatch(source, notification);
}

HV::HResult LRootModuleEngine::UnregisterNotification(const RCPtr<HV::LNotificationDistributor>& source,
                                                      const HV::WChar* name) {
  if (mHandler) mHandler->RemoveHandler(source, name);
  return LNotificationClient::UnregisterNotification(source, name);
}

HV::HResult LRootModuleEngine::ReleaseInternalReferences() {
  WaitForWorkerStop();
  UnregisterAllNotifications();
  return LNotificationClient::ReleaseInternalReferences();
}

HV::HResult LRootModuleEngine::OnParamModuleChangeRequest(const RCPtr<HV::LNotificationDistributor>&,
                                                          const RCPtr<HV::LNotification>& notification) {
  const RCPtr<ChangeRequestPayload> request =
      HV::DynamicCast<ChangeRequestPayload>(notification->GetPayload());
  if (request && GetConnectionState() == Connected && IsValueAccepted(request->GetKey(), request->GetValue())) {
    if (mRootModule->ApplyParamValue(request->GetKey(), request->GetValue()) < 0) UpdateConnectionState();
  }
  return HV::S_FALSE;
}

void LRootModuleEngine::Post(const HV::NotificationName& name, const RCPtr<HV::LRefCountedObject>& payload) {
  if (mCenter) mCenter->CreateAndPostNotification(name, payload);
}

void LRootModuleEngine::PostAnnouncements() {
  mAnnouncements->HandOff(
      [this](const Announcement& announcement) { Post(announcement.first, announcement.second); });
}

void LRootModuleEngine::ReceiveValues(void* context, const HV::Array<HV::ParamValue>& values) {
  static_cast<LRootModuleEngine*>(context)->PostParamValues(values);
}

void LRootModuleEngine::PostParamValues(const HV::Array<HV::ParamValue>& values) {
  const uint32_t count = values.GetCount();
  if (count > 2) {
    RCPtr<BatchPayload> batch(new BatchPayload());
    batch->Set(static_cast<const HV::IArray<HV::ParamValue>&>(values).GetData(), count);
    Post(kStateChangeName, batch);
    return;
  }
  for (uint32_t i = 0; i < count; ++i)
    PostParamValue(*static_cast<const HV::IArray<HV::ParamValue>&>(values).GetItemPtr(i));
}

void LRootModuleEngine::PostParamValue(const HV::ParamValue& value) {
  Post(kStateChangeName, RCPtr<ValuePayload>(new ValuePayload(value, value.value)));
}

// --- values -------------------------------------------------------------------

HV::HResult LRootModuleEngine::SetParamValue(const HV::ParamDescriptor& descriptor, const Variant& value) {
  // Offline (no link could start) the model is the editor's own: values are
  // stored and announced. With a link, only a connected device takes them.
  if (!mRootModule || (GetConnectionState() != Connected && !mHasNoLink)) return HV::E_FAIL;
  if (!IsValueAccepted(descriptor, value)) return HV::E_INVALIDARG;
  const HV::HResult result = mRootModule->ApplyParamValue(descriptor, value);
  if (result < 0) UpdateConnectionState();
  return result;
}

bool LRootModuleEngine::IsValueAccepted(const HV::ParamDescriptor& descriptor, const Variant& value) {
  return IsValueForParam(mRootModule->GetFirstParamID(), descriptor.paramID, value);
}

HV::HResult LRootModuleEngine::GetParamValue(const HV::ParamDescriptor& descriptor, Variant* out) {
  return mRootModule->QueryParamValue(descriptor, out);
}

HV::HResult LRootModuleEngine::GetParamValues(const HV::ParamRange& range, HV::Array<HV::ParamValue>* out,
                                              int32_t position) {
  if (position < 0) {
    out->SetCount(0);
    position = 0;
  }
  const int64_t needed = int64_t{position} + (range.count > 0 ? range.count : 0);
  if (out->GetCount() < needed) out->SetCount(static_cast<uint32_t>(needed));
  for (int32_t i = 0; i < range.count; ++i) {
    HV::ParamValue& record = *out->GetItemPtr(static_cast<uint32_t>(position + i));
    record.paramID = OffsetParamID(range.first, i);
    record.descriptor.Clear();
    mRootModule->QueryParamValue(record, &record.value);
  }
  return HV::S_OK;
}

HV::HResult LRootModuleEngine::RequestParamValues(const HV::ParamDescriptors& descriptors) {
  const uint32_t count = descriptors.GetListCount();
  HV::Array<HV::ParamValue> values;
  values.SetCount(count);
  for (uint32_t i = 0; i < count; ++i) {
    HV::ParamValue& record = *values.GetItemPtr(i);
    descriptors.GetParamDescriptor(i, record.paramID, record.descriptor);
    mRootModule->QueryParamValue(record, &record.value);
  }
  PostParamValues(values);
  return HV::S_OK;
}

int32_t LRootModuleEngine::GetFirstParamID() { return mRootModule ? mRootModule->GetFirstParamID() : 0; }

// --- connection -----------------------------------------------------------------

LRootModuleEngine::DeviceConnectionState LRootModuleEngine::GetConnectionState() {
  std::lock_guard lock(mLock);
  return mConnectionState;
}

void LRootModuleEngine::ApplyConnectionEvent(ConnectionEvent event, const uint64_t* generation) {
  {
    std::lock_guard lock(mLock);
    if (generation && *generation != mConnectGeneration) return;
    const DeviceConnectionState next = NextConnectionState(mConnectionState, event);
    if (next == mConnectionState) return;
    mConnectionState = next;
    // Queued under the lock, so announcements keep the order of the changes.
    mAnnouncements->Add({kConnectionStateChangeName, MakeHolder(next)});
  }
  PostAnnouncements();
}

void LRootModuleEngine::UpdateConnectionState() {
  const bool linkUp = mLink && mLink->IsConnected();
  ApplyConnectionEvent(linkUp ? ConnectionEvent::LinkUp : ConnectionEvent::LinkDown);
}

bool LRootModuleEngine::ReportsPresent(const Variant& device) {
  if (device.IsEmpty() || !mLink) return false;
  IDeviceLink::DeviceInfo info = {};
  return mLink->GetDeviceInfo(device, &info) >= 0 && info[IDeviceLink::kDevicePresentByte] != 0;
}

Variant LRootModuleEngine::CopyCurrentDevice() {
  std::lock_guard lock(mLock);
  return mCurrentDevice;
}

bool LRootModuleEngine::IsDevicePresent() { return ReportsPresent(CopyCurrentDevice()); }

HV::HResult LRootModuleEngine::DropDevice() {
  {
    std::lock_guard lock(mLock);
    ++mConnectGeneration;
    mCurrentDevice.Clear();
  }
  ApplyConnectionEvent(ConnectionEvent::RequestDropped);
  return mLink ? mLink->DisconnectDevice() : -1;
}

HV::HResult LRootModuleEngine::ConnectDevice(const Variant& device, bool keepIfPresent) {
  DropDevice();
  // The library's connect runs with no lock held: the user interface may ask
  // for the state meanwhile. Only the result is committed under the lock.
  const HV::HResult result = mRootModule->ConnectDevice(device);
  bool startWorker = false;
  if (result >= 0) {
    std::lock_guard lock(mLock);
    mCurrentDevice = device;
  }
  if (result >= 0) {
    startWorker = ReportsPresent(device);
  } else if (keepIfPresent && ReportsPresent(device)) {
    {
      std::lock_guard lock(mLock);
      mCurrentDevice = device;
    }
    ApplyConnectionEvent(ConnectionEvent::Requested);
    startWorker = true;
  }
  if (startWorker) StartWorker();
  UpdateConnectionState();
  StopWorkerIfIdle();
  return result;
}

HV::HResult LRootModuleEngine::DisconnectDevice() {
  const HV::HResult result = DropDevice();
  UpdateConnectionState();
  StopWorkerIfIdle();
  return result;
}

// --- device list ------------------------------------------------------------------

HV::HResult LRootModuleEngine::SetActive(bool on) {
  if (on == mRemotePolling) return HV::S_OK;
  mRemotePolling = on;
  if (!on) {
    StopWorkerIfIdle();
    return HV::S_OK;
  }
  if (!mFirstSearchDone) {
    DeviceList scratch;
    mFirstSearchResult = mLink ? mLink->FindRemoteDevices(&scratch, 0) : -1;
    mFirstSearchDone = true;
  }
  if (mFirstSearchResult < 0) {
    mRemotePolling = false;
    return mFirstSearchResult;
  }
  StartWorker();
  return mFirstSearchResult;
}

HV::HResult LRootModuleEngine::GetDeviceList(DeviceList* out) {
  if (mRemotePolling) {
    std::lock_guard lock(mLock);
    *out = mDeviceList;
    return HV::S_OK;
  }
  out->SetCount(0);
  const HV::HResult result = mLink ? mLink->FindRemoteDevices(out, 0) : -1;
  return result < 0 ? result : HV::S_OK;
}

void LRootModuleEngine::ReplaceDeviceList(const DeviceList& devices) {
  {
    std::lock_guard lock(mLock);
    mDeviceList = devices;
    mAnnouncements->Add({kDeviceListChangeName, MakeHolder<unsigned int>(devices.GetCount())});
  }
  PostAnnouncements();
}

// --- worker ---------------------------------------------------------------------------

HV::HResult LRootModuleEngine::StartWorker() {
  if (IsWorkerBusy()) {
    if (!mStopRequested) return HV::S_FALSE;
    if (!WaitForWorkerStop()) return HV::E_FAIL;
  }
  mStopRequested = false;
  mWake.Reset();
  mWorkerDone->Reset();
  return mThreader.Trigger(HV::RCPtr<HV::LThreadWorker>(this), nullptr, mWorkerDone,
                           HV::ThreadPriority::Normal);
}

void LRootModuleEngine::RequestWorkerStop() {
  mStopRequested = true;
  mWake.Set();
  if (mLink) mLink->CutWaitShort();
}

bool LRootModuleEngine::WaitForWorkerStop() {
  if (!IsWorkerBusy()) return true;
  RequestWorkerStop();
  // The worker itself (releasing the engine's last reference as its run
  // ends) cannot wait for its own end.
  if (mThreader.GetThread().IsCurrentThread()) return false;
  if (mWorkerDone->Wait(Milliseconds(mTiming.workerStopWait)) == HV::kWaitObject0) {
    // Passed on to anyone else waiting for the same end.
    mWorkerDone->Set();
  }
  return !IsWorkerBusy();
}

void LRootModuleEngine::StopWorkerIfIdle() {
  if (!IsWorkerBusy() || mStopRequested || mRemotePolling) return;
  const DeviceConnectionState state = GetConnectionState();
  if (state == Disconnected || (state == Connected && !IsDevicePresent())) RequestWorkerStop();
}

void LRootModuleEngine::Pause() {
  if (!mStopRequested) mWake.Wait(Milliseconds(mTiming.workerPass));
}

int32_t LRootModuleEngine::DoWork(RCPtr<HV::LRefCountedObject>&) {
  // The threader's reference to this engine must not keep it alive.
  AddInternalReferences(1);
  struct InternalReferenceReturn {
    LRootModuleEngine& engine;
    ~InternalReferenceReturn() { engine.AddInternalReferences(-1); }
  } giveBack{*this};
  if (!mCenter) return 0;

  DeviceList scratch;
  bool lastSearchSaidOne = false;
  uint32_t watchingPasses = 0;
  while (!mStopRequested) {
    RunConnectionStep();
    if (!mRemotePolling) {
      Pause();
    } else {
      RunDeviceListStep(scratch, lastSearchSaidOne, watchingPasses);
    }
  }
  return 0;
}

void LRootModuleEngine::RunConnectionStep() {
  if (!IsDevicePresent()) return;
  UpdateConnectionState();
  Variant device;
  uint64_t generation = 0;
  {
    std::lock_guard lock(mLock);
    if (mConnectionState != ConnectRequested || mCurrentDevice.IsEmpty()) return;
    device = mCurrentDevice;
    generation = mConnectGeneration;
  }
  if (mRootModule->ConnectDevice(device) < 0) return;
  // A connect or disconnect of the user interface meanwhile wins.
  ApplyConnectionEvent(ConnectionEvent::RetryConnected, &generation);
}

void LRootModuleEngine::RunDeviceListStep(DeviceList& scratch, bool& lastSearchSaidOne,
                                          uint32_t& watchingPasses) {
  if (!lastSearchSaidOne && watchingPasses < kWatchingPasses) {
    ++watchingPasses;
    {
      std::lock_guard lock(mLock);
      scratch = mDeviceList;
    }
    const HV::HResult result = mLink->FindRemoteDevices(&scratch, Milliseconds(mTiming.workerPass));
    if (!mStopRequested && result == HV::S_OK) ReplaceDeviceList(scratch);
    return;
  }
  watchingPasses = 0;
  scratch.SetCount(0);
  const HV::HResult result = mLink->FindRemoteDevicesNow(&scratch);
  // A failed query is not reported: the list and its announcement stay.
  if (!mStopRequested && result >= 0) {
    lastSearchSaidOne = result == 1;
    bool changed;
    {
      std::lock_guard lock(mLock);
      changed = !IDeviceLink::AreSameDevices(scratch, mDeviceList);
    }
    if (changed) ReplaceDeviceList(scratch);
  }
  Pause();
}
