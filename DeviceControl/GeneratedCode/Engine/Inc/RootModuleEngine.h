#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceTiming.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/EngineNotificationNames.h"
#include "HVFramework/Notification/LNotificationCenter.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/ObjectBase/Holder.h"
#include "HVFramework/ObjectBase/Wrapper.h"
#include "HVFramework/System/Event.h"
#include "HVFramework/System/LEvent.h"
#include "HVFramework/System/LThreadWorker.h"
#include "HVFramework/System/RetriggerableThreader.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ParamDescriptors.h"
#include "HVFramework/Utilities/Storage/ParamRange.h"
#include "HVFramework/Utilities/Storage/ParamValue.h"
#include "HVFramework/Utilities/Storage/ParamValuePair.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

template <class Item>
class OrderedHandOff;
class LParamCache;
class LRootModule;

// LRootModuleEngine: the application's one way into the device model. It owns
// the root module, the parameter cache and the device link of one keyboard
// (made by the factory it is created with),
// turns change requests into edits of the model, announces every changed
// value and every change of the connection on the application notification
// centre, and runs a worker thread that watches the device's presence and,
// while active, the list of devices the library can reach.
//
// Threads: the user-interface thread (operations, the change requests), the
// worker (DoWork) and the link's delivery thread (values through the root).
// The engine's lock guards the connection state, the current device, the
// device list and the connect generation; it is never held while the link,
// the root or the centre is called. Announcements are only posted, in the
// order the engine's state changed, so the user interface hears of them on
// its own thread. Held through RCPtr; its registration at the centre and a
// running worker count as internal references, ended when the last outside
// reference goes.
class LRootModuleEngine : public HV::LNotificationClient, public HV::LThreadWorker {
 public:
  enum DeviceConnectionState : int32_t {
    Disconnected = 0,
    ConnectRequested = 1,
    // Keeps its number for the announcements; nothing in this program asks
    // for a reconnection, so no transition leads here.
    ReconnectPending = 2,
    Connected = 3,
  };
  // What moves the connection state.
  enum class ConnectionEvent {
    LinkUp,          // the link reports itself connected
    LinkDown,        // the link reports itself not connected
    Requested,       // a device that reports itself present was asked for and the link refused it
    RequestDropped,  // the device was let go
    RetryConnected,  // the worker connected the device asked for
  };
  struct ConnectionTransition {
    DeviceConnectionState from;
    ConnectionEvent event;
    DeviceConnectionState to;
  };
  // Every change of the connection state; an event without a row for the
  // current state leaves it as it is.
  static constexpr ConnectionTransition kConnectionTransitions[] = {
      {Disconnected, ConnectionEvent::LinkUp, Connected},
      {ConnectRequested, ConnectionEvent::LinkUp, Connected},
      {Connected, ConnectionEvent::LinkDown, Disconnected},
      {Disconnected, ConnectionEvent::Requested, ConnectRequested},
      {Connected, ConnectionEvent::Requested, ConnectRequested},
      {ConnectRequested, ConnectionEvent::RequestDropped, Disconnected},
      {ConnectRequested, ConnectionEvent::RetryConnected, Connected},
  };
  static constexpr DeviceConnectionState NextConnectionState(DeviceConnectionState from,
                                                             ConnectionEvent event) {
    for (const ConnectionTransition& row : kConnectionTransitions) {
      if (row.from == from && row.event == event) return row.to;
    }
    return from;
  }

  using DeviceList = HV::Array<HV::Variant>;

  // The notifications of the engine, all on the application centre, and
  // their payloads.
  // Received: a value to apply.
  static constexpr const HV::NotificationName& kChangeRequestName = HV::kNidParamModuleChangeReq;
  using ChangeRequestPayload = HV::LParamValuePair;
  // Posted: one value (ValuePayload) or a batch of three or more (BatchPayload).
  static constexpr const HV::NotificationName& kStateChangeName = HV::kNidParamModuleStateChange;
  using ValuePayload = HV::LParamValuePair;
  using BatchPayload = HV::LWrapper<HV::ParamValues, HV::LRefCountedObject>;
  // Posted: the new connection state.
  static constexpr const HV::NotificationName& kConnectionStateChangeName = HV::kNidDeviceConnectionStateChange;
  using ConnectionStatePayload = HV::LHolder<DeviceConnectionState>;
  // Posted: the number of devices now in the reachable list.
  static constexpr const HV::NotificationName& kDeviceListChangeName = HV::kNidRemoteDeviceListChange;
  using DeviceCountPayload = HV::LHolder<unsigned int>;

  static constexpr int32_t kParamCount = 131;

  // Initialize makes the engine's link with makeLink and timing. Without a
  // factory (or when it makes none) the engine works offline on its own
  // values: it never connects, the device-list calls fail, and SetParamValue
  // stores and announces values without sending them.
  static HV::RCPtr<LRootModuleEngine> Create(DeviceLinkFactory makeLink,
                                             const DeviceTiming& timing = DeviceTiming::Specified());
  ~LRootModuleEngine() override;

  // Registers for change requests, makes the link (once), the cache and the root,
  // announces all values as one batch and connects to the link's device.
  // Throws a Failed Result exception when the registration fails.
  HV::HResult Initialize(int32_t firstParamID);
  // Watching of the reachable-device list on or off.
  HV::HResult SetActive(bool on);
  HV::HResult GetDeviceList(DeviceList* out);
  // One value into the model and to the device; E_FAIL unless connected.
  // Offline, the value is stored and announced (nothing is sent). A value for
  // one of the 131 parameters that is not a record of its element's length
  // is refused with E_INVALIDARG: nothing is stored, announced or sent.
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
  LRootModuleEngine(DeviceLinkFactory makeLink, const DeviceTiming& timing);

 private:
  using Handler = HV::LNotificationHandler<LRootModuleEngine>;
  using Announcement = std::pair<std::reference_wrapper<const HV::NotificationName>, HV::RCPtr<HV::LRefCountedObject>>;

  HV::HResult OnParamModuleChangeRequest(const HV::RCPtr<HV::LNotificationDistributor>& source,
                                         const HV::RCPtr<HV::LNotification>& notification);
  // False for a value that is not a record of its parameter's length.
  bool IsValueAccepted(const HV::ParamDescriptor& descriptor, const HV::Variant& value);
  // The root module's value callback.
  static void ReceiveValues(void* context, const HV::Array<HV::ParamValue>& values);
  void PostParamValues(const HV::Array<HV::ParamValue>& values);
  void PostParamValue(const HV::ParamValue& value);
  void Post(const HV::NotificationName& name, const HV::RCPtr<HV::LRefCountedObject>& payload);
  // Posts what the state changes queued, in order; called with no lock held.
  void PostAnnouncements();

  // Moves the connection state by event, unless generation is given and a
  // connect or disconnect came since it was read; announces a change.
  void ApplyConnectionEvent(ConnectionEvent event, const uint64_t* generation = nullptr);
  // Asks the link whether it is connected.
  void UpdateConnectionState();
  bool IsDevicePresent();
  bool ReportsPresent(const HV::Variant& device);
  HV::Variant CopyCurrentDevice();
  // Lets the device go and disconnects the link; the link's result.
  HV::HResult DropDevice();

  HV::HResult StartWorker();
  bool WaitForWorkerStop();
  void RequestWorkerStop();
  void StopWorkerIfIdle();
  bool IsWorkerBusy() { return mThreader.IsBusy(); }
  // Waits one pass, or less when a stop is requested.
  void Pause();
  void RunConnectionStep();
  void RunDeviceListStep(DeviceList& scratch, bool& lastSearchSaidOne, uint32_t& watchingPasses);
  void ReplaceDeviceList(const DeviceList& devices);

  const DeviceTiming mTiming;
  const DeviceLinkFactory mMakeLink;
  HV::RCPtr<Handler> mHandler;
  HV::RCPtr<HV::LNotificationCenter> mCenter;  // the application centre, where everything is posted
  std::atomic<bool> mInitialised{false};
  bool mHasNoLink = false;  // no link could start: the values are the editor's own (UI thread)
  std::atomic<bool> mStopRequested{true};
  std::atomic<bool> mRemotePolling{false};
  bool mFirstSearchDone = false;  // user-interface thread only, as the next
  HV::HResult mFirstSearchResult = 0;
  HV::RCPtr<IDeviceLink> mLink;
  HV::RCPtr<LParamCache> mCache;
  HV::RCPtr<LRootModule> mRootModule;
  HV::RetriggerableThreader mThreader{u"LRootModuleEngine"};
  HV::RCPtr<HV::LEvent> mWorkerDone;  // set as each run of the worker ends
  HV::Event mWake{true};              // cuts the worker's pause short
  const std::unique_ptr<OrderedHandOff<Announcement>> mAnnouncements;
  std::mutex mLock;  // guards the four members below
  DeviceConnectionState mConnectionState = Disconnected;
  HV::Variant mCurrentDevice;
  DeviceList mDeviceList;
  uint64_t mConnectGeneration = 0;  // moves with every connect and disconnect
};
