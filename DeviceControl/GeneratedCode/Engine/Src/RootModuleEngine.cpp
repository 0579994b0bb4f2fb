#include "DeviceControl/GeneratedCode/Engine/Src/RootModuleEngine.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ParamCache.h"
#include "DeviceControl/GeneratedCode/Engine/Src/RootModule.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/Holder.h"
#include "HVFramework/ObjectBase/Wrapper.h"
#include "HVFramework/System/MutexLocker.h"
#include "HVFramework/System/Thread.h"
#include "HVFramework/Utilities/Storage/ParamValuePair.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"
#include "Panel/Engine/DeviceLink/DeviceTiming.h"

#include <chrono>
#include <thread>

namespace {

using HV::RCPtr;
using HV::Variant;

constexpr const HV::WChar* kChangeRequest = u"NID_PARAM_MODULE_CHANGE_REQ";
constexpr const HV::WChar* kStateChange = u"NID_PARAM_MODULE_STATE_CHANGE";
constexpr const HV::WChar* kConnectionStateChange = u"NID_DEVICE_CONNECTION_STATE_CHANGE";
constexpr const HV::WChar* kDeviceListChange = u"NID_REMOTE_DEVICE_LIST_CHANGE";

using StatePayload = HV::LHolder<LRootModuleEngine::DeviceConnectionState>;
using CountPayload = HV::LHolder<unsigned int>;
using BatchPayload = HV::LWrapper<HV::ParamValues, HV::LRefCountedObject>;

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

}  // namespace

RCPtr<LRootModuleEngine> LRootModuleEngine::Create() {
  return RCPtr<LRootModuleEngine>(new LRootModuleEngine());
}

LRootModuleEngine::~LRootModuleEngine() {
  mStopRequested = true;
  mPauseWake.notify_all();
  if (mRootModule) mRootModule->StopReceiving();
}

// --- start-up -------------------------------------------------------------

HV::HResult LRootModuleEngine::Initialize(int32_t firstParamID) {
  mHandler = RCPtr<Handler>(new Handler(this));
  if (!mHandler) return HV::E_FAIL;
  mCenter = FindApplicationCenter();
  HV::CheckResult(
      mHandler->SetNotification(&LRootModuleEngine::OnParamModuleChangeRequest, mCenter, kChangeRequest),
      HV_HERE("LRootModuleEngine::Initialize"));

  mLink = LDeviceCommunicationInterface::Create();
  mCache = LParamCache::Create(kParamCount);

  mLinkFailed = false;
  DeviceList devices;
  if (mLink->Initialize() < 0) {
    mLinkFailed = true;
  } else {
    mLink->FindDevices({}, &devices);
  }

  mRootModule = LRootModule::Create(mLinkFailed);
  mRootModule->Initialize(&LRootModuleEngine::ReceiveValues, this, mCache, mLink, firstParamID);
  mInitialised = true;

  RequestParamValues(HV::ParamDescriptors(HV::ParamRange{mRootModule->GetFirstParamID(), kParamCount}));

  if (!mLinkFailed && devices.GetCount() > 0) ConnectDevice(*devices.GetItemPtr(0), false);
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
  const RCPtr<HV::LParamValuePair> request = HV::DynamicCast<HV::LParamValuePair>(notification->GetPayload());
  if (request && GetConnectionState() == Connected) {
    if (mRootModule->ApplyParamValue(request->GetKey(), request->GetValue()) < 0) UpdateConnectionState();
  }
  return HV::S_FALSE;
}

void LRootModuleEngine::Post(const HV::WChar* name, const RCPtr<HV::LRefCountedObject>& payload) {
  if (mCenter) mCenter->CreateAndPostNotification(name, payload);
}

void LRootModuleEngine::ReceiveValues(void* context, const HV::Array<HV::ParamValue>& values) {
  static_cast<LRootModuleEngine*>(context)->PostParamValues(values);
}

void LRootModuleEngine::PostParamValues(const HV::Array<HV::ParamValue>& values) {
  const uint32_t count = values.GetCount();
  if (count > 2) {
    RCPtr<BatchPayload> batch(new BatchPayload());
    batch->Set(static_cast<const HV::IArray<HV::ParamValue>&>(values).GetData(), count);
    Post(kStateChange, batch);
    return;
  }
  for (uint32_t i = 0; i < count; ++i)
    PostParamValue(*static_cast<const HV::IArray<HV::ParamValue>&>(values).GetItemPtr(i));
}

void LRootModuleEngine::PostParamValue(const HV::ParamValue& value) {
  Post(kStateChange, RCPtr<HV::LParamValuePair>(new HV::LParamValuePair(value, value.value)));
}

// --- values -------------------------------------------------------------------

HV::HResult LRootModuleEngine::SetParamValue(const HV::ParamDescriptor& descriptor, const Variant& value) {
  if (GetConnectionState() != Connected) return HV::E_FAIL;
  const HV::HResult result = mRootModule->ApplyParamValue(descriptor, value);
  if (result < 0) UpdateConnectionState();
  return result;
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
  HV::MutexLocker lock(&mLock);
  return mConnectionState;
}

bool LRootModuleEngine::ReportsPresent(const Variant& device) {
  if (device.IsEmpty() || !mLink) return false;
  LDeviceCommunicationInterface::DeviceInfo info = {};
  return mLink->GetDeviceInfo(device, &info) >= 0 && info[DeviceControlClientApi::kDevicePresentByte] != 0;
}

bool LRootModuleEngine::IsDevicePresent() {
  HV::MutexLocker lock(&mLock);
  return ReportsPresent(mCurrentDevice);
}

HV::HResult LRootModuleEngine::ConnectDevice(const Variant& device, bool keepIfPresent) {
  mConnecting = true;
  DisconnectDevice();
  HV::HResult result;
  bool startWorker = false;
  {
    HV::MutexLocker lock(&mLock);
    result = mRootModule->ConnectDevice(device);
    if (result >= 0) {
      mCurrentDevice = device;
      startWorker = ReportsPresent(mCurrentDevice);
    } else if (keepIfPresent) {
      if (ReportsPresent(device)) {
        mUserConnect = true;
        mCurrentDevice = device;
        startWorker = true;
      }
    } else {
      mCurrentDevice.Clear();
    }
  }
  // Outside the lock: a worker that is still stopping may need it to finish.
  if (startWorker) StartWorker();
  mConnecting = false;
  UpdateConnectionState();
  StopWorkerIfIdle();
  return result;
}

HV::HResult LRootModuleEngine::DisconnectDevice() {
  HV::HResult result;
  {
    HV::MutexLocker lock(&mLock);
    mUserConnect = false;
    mReconnectDevice.Clear();
    mCurrentDevice.Clear();
    result = mLink ? mLink->DisconnectDevice() : -1;
  }
  if (!mConnecting) {
    UpdateConnectionState();
    StopWorkerIfIdle();
  }
  return result;
}

void LRootModuleEngine::UpdateConnectionState() {
  HV::MutexLocker lock(&mLock);
  DeviceConnectionState state = Disconnected;
  if (mLink && mLink->IsConnected()) {
    state = Connected;
  } else if (mUserConnect) {
    state = ConnectRequested;
  } else if (mAutoReconnect && ReportsPresent(mCurrentDevice)) {
    if (mConnectionState == Connected) mReconnectDevice = mCurrentDevice;
    state = mReconnectDevice.IsEmpty() ? Disconnected : ReconnectPending;
  }
  SetConnectionState(state);
}

void LRootModuleEngine::SetConnectionState(DeviceConnectionState state) {
  HV::MutexLocker lock(&mLock);
  if (state == mConnectionState) return;
  mConnectionState = state;
  Post(kConnectionStateChange, MakeHolder(state));
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
    mFirstSearchResult = mLink ? mLink->FindRemoteDevices({}, &scratch, 0) : -1;
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
    HV::MutexLocker lock(&mLock);
    *out = mDeviceList;
    return HV::S_OK;
  }
  out->SetCount(0);
  const HV::HResult result = mLink ? mLink->FindRemoteDevices({}, out, 0) : -1;
  return result < 0 ? result : HV::S_OK;
}

void LRootModuleEngine::ReplaceDeviceList(const DeviceList& devices) {
  HV::MutexLocker lock(&mLock);
  mDeviceList = devices;
  Post(kDeviceListChange, MakeHolder<unsigned int>(devices.GetCount()));
}

// --- worker ---------------------------------------------------------------------------

HV::HResult LRootModuleEngine::StartWorker() {
  if (IsWorkerBusy()) {
    if (!mStopRequested) return HV::S_FALSE;
    if (!WaitForWorkerStop()) return HV::E_FAIL;
  }
  mStopRequested = false;
  return mThreader.Trigger(HV::RCPtr<HV::LThreadWorker>(this), nullptr, HV::ThreadPriority::Normal);
}

bool LRootModuleEngine::WaitForWorkerStop() {
  if (!IsWorkerBusy()) return true;
  // The worker itself (releasing the engine's last reference as its run
  // ends) cannot wait for its own end.
  if (mThreader.GetThread().IsCurrentThread()) {
    mStopRequested = true;
    return false;
  }
  {
    std::lock_guard lock(mPauseLock);
    mStopRequested = true;
  }
  mPauseWake.notify_all();
  const uint32_t steps = GetDeviceTiming().workerStopWaitMs;
  for (uint32_t i = 0; i < steps && IsWorkerBusy(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return !IsWorkerBusy();
}

void LRootModuleEngine::StopWorkerIfIdle() {
  if (!IsWorkerBusy() || mStopRequested || mRemotePolling || mConnecting) return;
  const DeviceConnectionState state = GetConnectionState();
  if (state == Disconnected || (state == Connected && !IsDevicePresent())) {
    {
      std::lock_guard lock(mPauseLock);
      mStopRequested = true;
    }
    mPauseWake.notify_all();
  }
}

void LRootModuleEngine::Pause(uint32_t ms) {
  std::unique_lock lock(mPauseLock);
  mPauseWake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return mStopRequested.load(); });
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
      Pause(GetDeviceTiming().workerPassMs);
    } else {
      RunDeviceListStep(scratch, lastSearchSaidOne, watchingPasses);
    }
  }
  return 0;
}

void LRootModuleEngine::RunConnectionStep() {
  if (!IsDevicePresent()) return;
  UpdateConnectionState();
  HV::MutexLocker lock(&mLock);
  const DeviceConnectionState state = mConnectionState;
  if (state != ConnectRequested && state != ReconnectPending) return;
  const Variant device = state == ConnectRequested ? mCurrentDevice : mReconnectDevice;
  if (device.IsEmpty() || mRootModule->ConnectDevice(device) < 0) return;
  if (state == ReconnectPending) mReconnectDevice.Clear();
  if (state == ConnectRequested) mUserConnect = false;
  SetConnectionState(Connected);
}

void LRootModuleEngine::RunDeviceListStep(DeviceList& scratch, bool& lastSearchSaidOne,
                                          uint32_t& watchingPasses) {
  const uint32_t passMs = GetDeviceTiming().workerPassMs;
  if (!lastSearchSaidOne && watchingPasses < kWatchingPasses) {
    ++watchingPasses;
    {
      HV::MutexLocker lock(&mLock);
      scratch = mDeviceList;
    }
    const HV::HResult result = mLink->FindRemoteDevices({}, &scratch, passMs);
    if (!mStopRequested && result == HV::S_OK) ReplaceDeviceList(scratch);
    return;
  }
  watchingPasses = 0;
  scratch.SetCount(0);
  const HV::HResult result = mLink->FindRemoteDevicesNow({}, &scratch);
  if (!mStopRequested) {
    if (result >= 0) lastSearchSaidOne = result == 1;
    bool changed;
    {
      HV::MutexLocker lock(&mLock);
      changed = !LDeviceCommunicationInterface::AreSameDevices(scratch, mDeviceList);
    }
    if (changed) ReplaceDeviceList(scratch);
  }
  Pause(passMs);
}
