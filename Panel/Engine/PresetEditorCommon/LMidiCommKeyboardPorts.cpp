#include "Panel/Engine/PresetEditorCommon/LMidiCommKeyboardPorts.h"

#include "HVFramework/Midi/LMidiCaptureNotificationData.h"
#include "HVFramework/Midi/LMidiDeviceConnectionStatusChangedNotification.h"
#include "HVFramework/Midi/LMidiDeviceStatusChecker.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationClient.h"

#include <condition_variable>

namespace HV {

// Hands each captured message of this port layer to the handler. The handler
// runs with no lock held; clearing it waits until no call of it runs any more.
class LMidiCommKeyboardPorts::CaptureClient : public LNotificationClient {
 public:
  CaptureClient(const LMidiCommInterface* comm, CaptureHandler handler)
      : mComm(comm), mHandler(std::move(handler)) {}

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override {
    if (source.Get() != mComm || !notification) return;
    const ConstRCPtr<LMidiCaptureNotificationData> data =
        DynamicCast<LMidiCaptureNotificationData>(notification->GetPayload());
    if (!data || data->GetCount() == 0) return;
    CaptureHandler handler;
    {
      std::lock_guard lock(mMutex);
      if (!mHandler) return;
      handler = mHandler;
      ++mCallsRunning;
    }
    struct CallEnd {
      ~CallEnd() {
        {
          std::lock_guard lock(client.mMutex);
          --client.mCallsRunning;
        }
        client.mCallEnded.notify_all();
      }
      CaptureClient& client;
    } end{*this};
    handler(KeyboardSysEx::MakeMessage(data->GetBytes()));
  }

  // Not from inside the handler: it would wait for itself.
  void Clear() {
    std::unique_lock lock(mMutex);
    mHandler = nullptr;
    mCallEnded.wait(lock, [this] { return mCallsRunning == 0; });
  }

 private:
  const LMidiCommInterface* const mComm;  // identifies the source only
  std::mutex mMutex;                      // the handler and the count of its calls
  std::condition_variable mCallEnded;
  CaptureHandler mHandler;
  int32_t mCallsRunning = 0;
};

// Passes the two device-status announcements on to the ports.
class LMidiCommKeyboardPorts::ConnectionClient : public LNotificationClient {
 public:
  explicit ConnectionClient(LMidiCommKeyboardPorts& ports) : mPorts(&ports) {}

  void ReceiveNotification(const RCPtr<LNotificationDistributor>&,
                           const RCPtr<LNotification>& notification) override {
    if (!notification || !mPorts) return;
    const ConstRCPtr<LMidiDeviceConnectionStatusChangedNotification> status =
        DynamicCast<LMidiDeviceConnectionStatusChangedNotification>(notification->GetPayload());
    if (!status) return;
    if (notification->HasName(LMidiDeviceStatusChecker::kInputStatusChangedName)) {
      mPorts->OnInputConnectionChanged(status->GetPortName(), status->IsDisconnected());
    } else if (notification->HasName(LMidiDeviceStatusChecker::kOutputStatusChangedName)) {
      mPorts->OnOutputConnectionChanged(status->GetPortName(), status->IsDisconnected());
    }
  }

  void Detach() { mPorts = nullptr; }

 private:
  LMidiCommKeyboardPorts* mPorts;  // cleared before the ports go
};

LMidiCommKeyboardPorts::LMidiCommKeyboardPorts(const RCPtr<LMidiCommInterface>& comm) : mComm(comm) {}

LMidiCommKeyboardPorts::~LMidiCommKeyboardPorts() {
  if (mConnectionClient) {
    mConnectionClient->Detach();
    mConnectionClient->UnregisterAllNotifications();
  }
  if (mClient) UnregisterCaptureHandler();
  ClosePorts();
}

HResult LMidiCommKeyboardPorts::WatchConnections(const RCPtr<LNotificationDistributor>& centre) {
  if (!centre || mConnectionClient) return E_FAIL;
  mConnectionClient = RCPtr<ConnectionClient>(new ConnectionClient(*this));
  mCentre = centre;
  mConnectionClient->RegisterNotification(centre, LMidiDeviceStatusChecker::kInputStatusChangedName);
  mConnectionClient->RegisterNotification(centre, LMidiDeviceStatusChecker::kOutputStatusChangedName);
  return S_OK;
}

void LMidiCommKeyboardPorts::OnInputConnectionChanged(const StringW& name, bool isDisconnected) {
  FollowConnection(mCapturePort, name, isDisconnected, &LMidiCommInterface::OpenCapturePort);
}

void LMidiCommKeyboardPorts::OnOutputConnectionChanged(const StringW& name, bool isDisconnected) {
  FollowConnection(mRenderPort, name, isDisconnected, &LMidiCommInterface::OpenRenderPort);
}

template <class Port>
void LMidiCommKeyboardPorts::FollowConnection(RCPtr<Port>& port, const StringW& name, bool isDisconnected,
                                              OpenFunction<Port> open) {
  RCPtr<Port> released;  // let go after the lock: closing a device waits for the port layer
  {
    std::lock_guard lock(mPortMutex);
    if (isDisconnected) {
      released = std::move(port);
      return;
    }
    if (port || !mComm) return;
  }
  RCPtr<Port> opened;
  (mComm.Get()->*open)(name, opened);
  std::lock_guard lock(mPortMutex);
  if (!port) port = std::move(opened);
}

template <class Port>
LMidiCommKeyboardPorts::Refreshed LMidiCommKeyboardPorts::RefreshPort(RCPtr<Port>& port, const StringW& name,
                                                                      OpenFunction<Port> open) {
  RCPtr<Port> held;
  {
    std::lock_guard lock(mPortMutex);
    held = port;
  }
  if (held) {
    // The port layer hands back a port open under the name, re-opening it
    // when its device stopped answering: the same port means it works.
    RCPtr<Port> shared;
    if (Succeeded((mComm.Get()->*open)(name, shared)) && shared == held) return Refreshed::Kept;
    // Dead (unplugged under us, say): every reference goes, so the port
    // layer closes the shared port, and the name is opened afresh.
    {
      std::lock_guard lock(mPortMutex);
      if (port == held) port = nullptr;
    }
    held = nullptr;
    shared = nullptr;
  }
  RCPtr<Port> opened;
  (mComm.Get()->*open)(name, opened);
  std::lock_guard lock(mPortMutex);
  if (!port) port = std::move(opened);
  return port ? Refreshed::Opened : Refreshed::Closed;
}

HResult LMidiCommKeyboardPorts::OpenPorts() {
  if (!mComm) return E_FAIL;
  const Refreshed capture =
      RefreshPort(mCapturePort, StringW(kInputName), &LMidiCommInterface::OpenCapturePort);
  const Refreshed render =
      RefreshPort(mRenderPort, StringW(kOutputName), &LMidiCommInterface::OpenRenderPort);
  if (capture == Refreshed::Kept && render == Refreshed::Kept) return S_FALSE;
  return capture != Refreshed::Closed && render != Refreshed::Closed ? S_OK : E_FAIL;
}

HResult LMidiCommKeyboardPorts::ClosePorts() {
  RCPtr<LMidiCapturePort> capture;
  RCPtr<LMidiRenderPort> render;
  {
    std::lock_guard lock(mPortMutex);
    capture = std::move(mCapturePort);
    render = std::move(mRenderPort);
  }
  // Released outside the lock: closing a device waits for the port layer.
  capture = nullptr;
  render = nullptr;
  return S_OK;
}

bool LMidiCommKeyboardPorts::IsCapturePortOpen() {
  std::lock_guard lock(mPortMutex);
  return static_cast<bool>(mCapturePort);
}

bool LMidiCommKeyboardPorts::IsRenderPortOpen() {
  std::lock_guard lock(mPortMutex);
  return static_cast<bool>(mRenderPort);
}

HResult LMidiCommKeyboardPorts::SendToRenderPort(const MidiMessage& bytes) {
  RCPtr<LMidiRenderPort> render;
  {
    std::lock_guard lock(mPortMutex);
    render = mRenderPort;
  }
  if (!mComm) return E_FAIL;
  return mComm->SendBytes(render, bytes);  // E_INVALIDARG without a port
}

HResult LMidiCommKeyboardPorts::RegisterCaptureHandler(CaptureHandler handler) {
  if (mClient) UnregisterCaptureHandler();
  mClient = RCPtr<CaptureClient>(new CaptureClient(mComm.Get(), std::move(handler)));
  if (!mClient->RegisterNotification(mComm, LMidiCommInterface::kDataCapturedName)) {
    mClient = nullptr;
    return E_FAIL;
  }
  return S_OK;
}

HResult LMidiCommKeyboardPorts::UnregisterCaptureHandler() {
  if (!mClient) return E_FAIL;
  const RCPtr<CaptureClient> client = std::move(mClient);
  const HResult result = client->UnregisterNotification(mComm, LMidiCommInterface::kDataCapturedName);
  client->Clear();  // a delivery that copied the client before it left ends here
  return result == S_OK ? S_OK : E_FAIL;
}

}  // namespace HV
