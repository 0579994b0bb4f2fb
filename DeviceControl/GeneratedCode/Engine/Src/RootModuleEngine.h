#pragma once

#include "HVFramework/Notification/LNotificationCenter.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/System/LThreadWorker.h"
#include "HVFramework/System/Mutex.h"
#include "HVFramework/System/RetriggerableThreader.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ParamDescriptors.h"
#include "HVFramework/Utilities/Storage/ParamRange.h"
#include "HVFramework/Utilities/Storage/ParamValue.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

class LDeviceCommunicationInterface;
class LParamCache;
class LRootModule;

// LRootModuleEngine: the application's one way into the device model. It owns
// the root module, the parameter cache and the device link of one keyboard,
// turns change requests into edits of the model, announces every changed
// value and every change of the connection on the application notification
// centre, and runs a worker thread that watches the device's presence and,
// while active, the list of devices the library can reach.
//
// Threads: the user-interface thread (operations, "NID_PARAM_MODULE_CHANGE_REQ"),
// the worker (DoWork) and the link's delivery thread (values through the
// root). The engine's lock guards the connection state, the device
// identifiers and the device list; announcements are only posted, so the
// user interface hears of them on its own thread. Held through RCPtr; its
// registration at the centre and a running worker count as internal
// references, ended when the last outside reference goes.
class LRootModuleEngine : public HV::LNotificationClient, public HV::LThreadWorker {
 public:
  enum DeviceConnectionState : int32_t {
    Disconnected = 0,
    ConnectRequested = 1,
    ReconnectPending = 2,
    Connected = 3,
  };
  using DeviceList = HV::Array<HV::Variant>;

  static constexpr int32_t kParamCount = 131;

  static HV::RCPtr<LRootModuleEngine> Create();
  ~LRootModuleEngine() override;

  // Registers for change requests, makes the link, the cache and the root,
  // announces all values as one batch and connects to the link's device.
  // Throws a Failed Result exception when the registration fails.
  HV::HResult Initialize(int32_t firstParamID);
  // Watching of the reachable-device list on or off.
  HV::HResult SetActive(bool on);
  HV::HResult GetDeviceList(DeviceList* out);
  // One value into the model and to the device; E_FAIL unless connected.
  HV::HResult SetParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value);
  HV::HResult GetParamValue(const HV::ParamDescriptor& descriptor, HV::Variant* out);
  // Fills out from position on with the values of the range. 0.
  HV::HResult GetParamValues(const HV::ParamRange& range, HV::Array<HV::ParamValue>* out, int32_t position);
  // Announces the current values of the listed parameters. 0.
  HV::HResult RequestParamValues(const HV::ParamDescriptors& descriptors);
  int32_t GetFirstParamID();
  HV::HResult ConnectDevice(const HV::Variant& device, bool keepIfPresent);
  HV::HResult DisconnectDevice();

  DeviceConnectionState GetConnectionState();

  // LNotificationClient
  void ReceiveNotification(const HV::RCPtr<HV::LNotificationDistributor>& source,
                           const HV::RCPtr<HV::LNotification>& notification) override;
  HV::HResult UnregisterNotification(const HV::RCPtr<HV::LNotificationDistributor>& source,
                                     const HV::WChar* name) override;
  // Stops the worker, then ends every registration.
  HV::HResult ReleaseInternalReferences() override;

  // LThreadWorker: the worker loop.
  int32_t DoWork(HV::RCPtr<HV::LRefCountedObject>& parameters) override;

 protected:
  LRootModuleEngine() = default;

 private:
  using Handler = HV::LNotificationHandler<LRootModuleEngine>;

  HV::HResult OnParamModuleChangeRequest(const HV::RCPtr<HV::LNotificationDistributor>& source,
                                         const HV::RCPtr<HV::LNotification>& notification);
  // The root module's value callback.
  static void ReceiveValues(void* context, const HV::Array<HV::ParamValue>& values);
  void PostParamValues(const HV::Array<HV::ParamValue>& values);
  void PostParamValue(const HV::ParamValue& value);
  void Post(const HV::WChar* name, const HV::RCPtr<HV::LRefCountedObject>& payload);

  void UpdateConnectionState();
  void SetConnectionState(DeviceConnectionState state);
  bool IsDevicePresent();
  bool ReportsPresent(const HV::Variant& device);

  HV::HResult StartWorker();
  bool WaitForWorkerStop();
  void StopWorkerIfIdle();
  bool IsWorkerBusy() { return mThreader.IsBusy(); }
  // Waits ms, or less when a stop is requested.
  void Pause(uint32_t ms);
  void RunConnectionStep();
  void RunDeviceListStep(DeviceList& scratch, bool& lastSearchSaidOne, uint32_t& watchingPasses);
  void ReplaceDeviceList(const DeviceList& devices);

  HV::RCPtr<Handler> mHandler;
  HV::RCPtr<HV::LNotificationCenter> mCenter;  // the application centre, where everything is posted
  std::atomic<bool> mInitialised{false};
  bool mLinkFailed = false;
  std::atomic<bool> mStopRequested{true};
  bool mUserConnect = false;
  bool mAutoReconnect = false;
  std::atomic<bool> mRemotePolling{false};
  bool mFirstSearchDone = false;
  std::atomic<bool> mConnecting{false};
  HV::HResult mFirstSearchResult = 0;
  DeviceConnectionState mConnectionState = Disconnected;
  DeviceList mDeviceList;
  HV::Variant mCurrentDevice;
  HV::RCPtr<LDeviceCommunicationInterface> mLink;
  HV::RCPtr<LParamCache> mCache;
  HV::RCPtr<LRootModule> mRootModule;
  HV::RetriggerableThreader mThreader{u"LRootModuleEngine"};
  HV::Variant mReconnectDevice;
  HV::Mutex mLock;
  // Lets a stop cut the worker's pauses short.
  std::mutex mPauseLock;
  std::condition_variable mPauseWake;
};
