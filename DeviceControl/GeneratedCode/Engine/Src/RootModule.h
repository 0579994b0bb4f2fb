#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceCommunicationReceiver.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceParamSender.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Src/OrderedHandOff.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ParamCache.h"
#include "HVFramework/System/Mutex.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ParamValue.h"

#include <atomic>

// LRootModule: the top of the model tree and the one place where parameter
// values live, in the parameter cache. It owns the device, receives value
// packets from the device link, applies edits, answers value queries, and
// hands every stored change to its owner (the engine) through a callback.
//
// Threads: the user interface (edits and queries), the engine's worker
// (ConnectDevice) and the link's delivery thread (packets). The root's
// re-entrant mutex serialises edits, queries and packets, and guards the
// cache; it is never held while the link or the owner's callback is called.
// Changes are gathered under it and handed to the callback after it is
// released, in the order they were stored, by one thread at a time: a thread
// that finds another one announcing leaves its changes to that one.
class LRootModule final : public IRootModule, public DeviceCommunicationReceiver, public IDeviceParamSender {
 public:
  // Called with every stored change, as a list of one record, with no lock of
  // the root held.
  using ValueCallback = void (*)(void* context, const HV::Array<HV::ParamValue>& values);

  // An unplaced root with its device; offline when the link could not start.
  static HV::RCPtr<LRootModule> Create(bool offline);
  ~LRootModule() override;

  // Places the tree at firstParamID, fills the cache with every default and
  // has the link deliver to this root. 0.
  HV::HResult Initialize(ValueCallback callback, void* context, const HV::RCPtr<LParamCache>& cache,
                         const HV::RCPtr<IDeviceLink>& link, int32_t firstParamID);
  // Reconnects the link to device and asks for the block's values; the link's
  // result. A failure makes the root offline: edits are then stored and
  // announced, but not sent.
  HV::HResult ConnectDevice(const HV::Variant& device);
  // The link stops delivering to this root. 0.
  HV::HResult StopReceiving();
  bool IsOffline() const { return mOffline.load() != 0; }

  virtual HV::RCPtr<LParamCache> GetParamCache();
  virtual void InvokeOwnerCallback(const HV::Array<HV::ParamValue>& values);
  // Makes the device anew, releasing a previous one.
  virtual void CreateDevice();

  // IRootModule
  void OnParamValueChanged(const HV::ParamDescriptor& descriptor, const HV::Variant& value) override;
  HV::RCPtr<IDeviceLink> GetDeviceCommunicationInterface() override;
  HV::HResult ApplyParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) override;
  HV::HResult QueryParamValue(const HV::ParamDescriptor& descriptor, HV::Variant* out) override;
  HV::RCPtr<IDevice> GetDevice() override { return mDevice; }
  using IRootModule::GetDevice;

  // The store of the tree: every module's value ends here. An ID outside the
  // block: -1. An empty value or one equal to the stored one changes nothing;
  // any other is stored and announced. 0.
  HV::HResult SetParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) override;
  HV::HResult SetRootParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) override;
  HV::Variant GetParamValue(const HV::ParamDescriptor& descriptor) override;
  HV::Variant GetRootParamValue(const HV::ParamDescriptor& descriptor) override;

  // DeviceCommunicationReceiver: values from the device are stored and
  // announced, never sent back.
  HV::HResult OnParamValuesReceived(const HV::ParamValues& values) override;
  HV::HResult OnDeviceEvent(int32_t a, int32_t b, int32_t c) override;

  // IDeviceParamSender
  HV::HResult SendParamValueToDevice(const HV::ParamDescriptor& descriptor,
                                     const HV::Variant& value) override;

 private:
  explicit LRootModule(bool offline) : mOffline(offline ? 1 : 0) {}

  // Holds the root's mutex for a scope; the outermost one announces the
  // changes gathered meanwhile once the mutex is released.
  class Entry;

  void FillCacheWithDefaults();
  // Hands the gathered changes to the callback.
  void AnnouncePendingChanges();
  // The descriptor of the cache slot of an ID of the block.
  HV::ParamDescriptor MakeLocalDescriptor(const HV::ParamDescriptor& descriptor) const;

  std::atomic<int32_t> mOffline;
  HV::RCPtr<IDevice> mDevice;
  ValueCallback mCallback = nullptr;
  void* mCallbackContext = nullptr;
  HV::RCPtr<IDeviceLink> mLink;
  HV::RCPtr<LParamCache> mCache;
  HV::Mutex mMutex;
  int32_t mEntryDepth = 0;  // guarded by mMutex
  OrderedHandOff<HV::ParamValue> mPendingChanges;
  HV::Array<HV::ParamValue> mChangeRecord;  // the one-record list of each change; the announcer's
};
