#include "DeviceControl/GeneratedCode/Engine/Src/RootModule.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "DeviceControl/GeneratedCode/Engine/Src/Device.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ParamCache.h"
#include "HVFramework/System/MutexLocker.h"
#include "HVFramework/Utilities/Storage/ParamRanges.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"

#include <exception>

class LRootModule::Entry {
 public:
  explicit Entry(LRootModule& root) : mRoot(root), mExceptions(std::uncaught_exceptions()) {
    mRoot.mMutex.Lock();
    ++mRoot.mEntryDepth;
  }
  // What the callback throws reaches the caller, unless the scope is being
  // left by an exception already: the changes then wait for the next entry.
  ~Entry() noexcept(false) {
    const bool outermost = --mRoot.mEntryDepth == 0;
    mRoot.mMutex.Unlock();
    if (outermost && std::uncaught_exceptions() == mExceptions) mRoot.AnnouncePendingChanges();
  }
  Entry(const Entry&) = delete;
  Entry& operator=(const Entry&) = delete;

 private:
  LRootModule& mRoot;
  const int mExceptions;
};

HV::RCPtr<LRootModule> LRootModule::Create(bool offline) {
  HV::RCPtr<LRootModule> root(new LRootModule(offline));
  root->CreateDevice();
  return root;
}

LRootModule::~LRootModule() {
  if (mLink) {
    mLink->SetReplyDeliveryEnabled(false);
    mLink->SetReceiver(nullptr);
    mLink->DisconnectDevice();
  }
}

void LRootModule::CreateDevice() { mDevice = LDevice::Create(); }

HV::HResult LRootModule::Initialize(ValueCallback callback, void* context,
                                    const HV::RCPtr<LParamCache>& cache, const HV::RCPtr<IDeviceLink>& link,
                                    int32_t firstParamID) {
  mCallback = callback;
  mCallbackContext = context;
  mCache = cache;
  mLink = link;
  SetFirstParamID(nullptr, firstParamID, 0);
  FillCacheWithDefaults();
  if (mCache) mCache->Enable(true);
  if (mLink) {
    mLink->SetReceiver(this);
    mLink->SetReplyDeliveryEnabled(true);
    mLink->Start();
  }
  return HV::S_OK;
}

void LRootModule::FillCacheWithDefaults() {
  if (!mCache) return;
  for (int32_t i = 0; i < kDeviceParamCount; ++i) {
    const int32_t paramID = OffsetParamID(GetFirstParamID(), i);
    if (const HV::RCPtr<LParameterizedModule> module = GetModuleForParamID(paramID))
      mCache->SetValue(HV::ParamDescriptor(i), module->GetParamValueDefault(paramID), false);
  }
}

HV::HResult LRootModule::ConnectDevice(const HV::Variant& device) {
  if (!mLink) return -1;
  mLink->DisconnectDevice();
  const HV::HResult result = mLink->ConnectDevice(device);
  if (result < 0) {
    mOffline = 1;
    return result;
  }
  mOffline = 0;
  HV::ParamRanges ranges;
  const HV::ParamRange block{GetFirstParamID(), kDeviceParamCount};
  ranges.Set(&block, 1);
  mLink->RequestParamRanges(ranges);
  mLink->RequestParamValue(HV::ParamDescriptor(IDeviceLink::kDeviceParamID));
  return result;
}

HV::HResult LRootModule::StopReceiving() {
  if (mLink) mLink->SetReplyDeliveryEnabled(false);
  return HV::S_OK;
}

HV::RCPtr<LParamCache> LRootModule::GetParamCache() { return mCache; }

HV::RCPtr<IDeviceLink> LRootModule::GetDeviceCommunicationInterface() { return mLink; }

void LRootModule::InvokeOwnerCallback(const HV::Array<HV::ParamValue>& values) {
  if (mCallback) mCallback(mCallbackContext, values);
}

void LRootModule::OnParamValueChanged(const HV::ParamDescriptor& descriptor, const HV::Variant& value) {
  Entry entry(*this);
  mPendingChanges.AddMade([&](HV::ParamValue& record) {
    record.paramID = descriptor.paramID;
    record.descriptor = descriptor.descriptor;
    record.value = value;
  });
}

void LRootModule::AnnouncePendingChanges() {
  mPendingChanges.HandOff([this](const HV::ParamValue& change) {
    mChangeRecord.SetCount(1);
    *mChangeRecord.GetItemPtr(0) = change;
    InvokeOwnerCallback(mChangeRecord);
  });
}

HV::ParamDescriptor LRootModule::MakeLocalDescriptor(const HV::ParamDescriptor& descriptor) const {
  HV::ParamDescriptor local(static_cast<int32_t>(RelativeParamID(descriptor.paramID, GetFirstParamID())));
  local.descriptor = descriptor.descriptor;
  return local;
}

HV::HResult LRootModule::SetParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) {
  return SetRootParamValue(descriptor, value);
}

HV::HResult LRootModule::SetRootParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) {
  if (RelativeParamID(descriptor.paramID, GetFirstParamID()) >= static_cast<uint32_t>(kDeviceParamCount))
    return -1;
  Entry entry(*this);
  if (!mCache) return -1;
  const HV::ParamDescriptor local = MakeLocalDescriptor(descriptor);
  HV::Variant stored;
  mCache->GetValue(local, &stored);
  if (value == stored || value.IsEmpty()) return HV::S_OK;
  mCache->SetValue(local, value, true);
  OnParamValueChanged(descriptor, value);
  return HV::S_OK;
}

HV::Variant LRootModule::GetParamValue(const HV::ParamDescriptor& descriptor) {
  return GetRootParamValue(descriptor);
}

HV::Variant LRootModule::GetRootParamValue(const HV::ParamDescriptor& descriptor) {
  Entry entry(*this);
  HV::Variant value;
  if (mCache && mCache->GetValue(MakeLocalDescriptor(descriptor), &value) < 0) value.Clear();
  return value;
}

HV::HResult LRootModule::ApplyParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) {
  // The link's own reply comes back through OnParamValuesReceived.
  if (descriptor.paramID == IDeviceLink::kLocalReplyParamID)
    return mLink && mLink->SendLocalReply(value.GetInt64()) ? HV::S_OK : HV::S_FALSE;
  {
    Entry entry(*this);
    if (IsOffline()) return SetRootParamValue(descriptor, value);
    StoreAppliedValue(descriptor, value);
  }
  return mLink ? mLink->SendParamValue(descriptor, value) : -1;
}

HV::HResult LRootModule::QueryParamValue(const HV::ParamDescriptor& descriptor, HV::Variant* out) {
  // Negative IDs are the link's to answer; the model is not read.
  if (descriptor.paramID < 0) return IRootModule::QueryParamValue(descriptor, out);
  Entry entry(*this);
  if (IsOffline()) {
    *out = GetRootParamValue(descriptor);
    return HV::S_OK;
  }
  return IRootModule::QueryParamValue(descriptor, out);
}

HV::HResult LRootModule::OnParamValuesReceived(const HV::ParamValues& values) {
  Entry entry(*this);
  const uint32_t count = values.GetListCount();
  for (uint32_t i = 0; i < count; ++i) {
    HV::Variant value;
    int32_t paramID = -1;
    HV::ParamDescriptor descriptor(-1);
    values.GetParamValue(i, value, paramID, descriptor.descriptor);
    descriptor.paramID = paramID;

    // A record of the wrong length for its parameter is not taken: nothing
    // is stored or announced for it.
    if (!IsValueForParam(GetFirstParamID(), paramID, value)) continue;
    HV::RCPtr<LParameterizedModule> module;
    if (paramID >= 0) {
      module = GetModuleForParamID(paramID);
    } else if (ModelElementDetail::IsReservedParamID(paramID)) {
      module = GetReservedModule(paramID);
    } else if (paramID == IDeviceLink::kAvailableParamID && value.GetBool()) {
      ForEachModuleHookA();
    }

    if (module) {
      module->SetParamValueLocal(descriptor, value, true);
    } else {
      OnParamValueChanged(HV::ParamDescriptor(paramID), value);
    }
  }
  return HV::S_OK;
}

HV::HResult LRootModule::OnDeviceEvent(int32_t, int32_t, int32_t) { return HV::E_FAIL; }

HV::HResult LRootModule::SendParamValueToDevice(const HV::ParamDescriptor& descriptor,
                                                const HV::Variant& value) {
  return mLink ? mLink->SendParamValue(descriptor, value) : -1;
}
