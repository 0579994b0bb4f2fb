#include "Panel/Engine/PresetEditorCommon/LMidiCommKeyboardPorts.h"

#include "HVFramework/Midi/LMidiCaptureNotificationData.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationClient.h"

namespace HV {

// Hands each captured message of this port layer to the handler. The handler
// runs under the client's lock, so clearing it waits for a call in progress.
class LMidiCommKeyboardPorts::CaptureClient : public LNotificationClient {
 public:
  CaptureClient(const LMidiCommInterface* comm, CaptureHandler handler) : mComm(comm), mHandler(std::move(handler)) {}

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override {
    if (source.Get() != mComm || !notification) return;
    const ConstRCPtr<LMidiCaptureNotificationData> data =
        DynamicCast<LMidiCaptureNotificationData>(notification->GetPayload());
    if (!data || data->GetCount() == 0) return;
    std::lock_guard lock(mMutex);
    if (mHandler) mHandler(KeyboardSysEx::MakeMessage(data->GetBytes()));
  }

  void Clear() {
    std::lock_guard lock(mMutex);
    mHandler = nullptr;
  }

 private:
  const LMidiCommInterface* const mComm;  // identifies the source only
  std::mutex mMutex;
  CaptureHandler mHandler;
};

LMidiCommKeyboardPorts::LMidiCommKeyboardPorts(const RCPtr<LMidiCommInterface>& comm) : mComm(comm) {}

LMidiCommKeyboardPorts::~LMidiCommKeyboardPorts() {
  if (mClient) UnregisterCaptureHandler();
  ClosePorts();
}

HResult LMidiCommKeyboardPorts::OpenPorts() {
  std::lock_guard lock(mPortMutex);
  if (mCapturePort && mRenderPort) return S_FALSE;
  if (!mComm) return E_FAIL;
  if (!mCapturePort) mComm->OpenCapturePort(StringW(kInputName), mCapturePort);
  if (!mRenderPort) mComm->OpenRenderPort(StringW(kOutputName), mRenderPort);
  return mCapturePort && mRenderPort ? S_OK : E_FAIL;
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
  if (!render) return E_FAIL;
  return mComm->SendBytes(render, bytes);
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
