#pragma once

#include "Panel/Engine/PresetEditorCommon/IKeyboardPorts.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboard.h"

#include <atomic>
#include <mutex>
#include <stdexcept>

namespace HV::Test {

// Keyboard ports wired straight to a simulated keyboard: what the manager
// sends reaches the keyboard on the sending thread, the keyboard's replies
// reach the capture handler on the keyboard's reply thread. Switches: ports
// that will not open, sends that fail or throw, a handler that cannot be
// unregistered.
class DirectKeyboardPorts : public IKeyboardPorts {
 public:
  explicit DirectKeyboardPorts(Simulated::SimulatedKeyboard& keyboard) : mKeyboard(keyboard) {
    mKeyboard.ConnectReplies([this](std::span<const uint8_t> bytes) {
      std::lock_guard lock(mHandlerMutex);
      if (mHandler) mHandler(KeyboardSysEx::MakeMessage(bytes));
    });
  }
  ~DirectKeyboardPorts() override { mKeyboard.ConnectReplies({}); }

  HResult OpenPorts() override {
    if (mAreOpen) return S_FALSE;
    mAreOpen = mCanOpen.load();
    return mAreOpen ? S_OK : E_FAIL;
  }
  HResult ClosePorts() override {
    mAreOpen = false;
    return S_OK;
  }
  bool IsCapturePortOpen() override { return mAreOpen; }
  bool IsRenderPortOpen() override { return mAreOpen; }

  HResult SendToRenderPort(const MidiMessage& bytes) override {
    if (mShouldThrowOnSend) throw std::runtime_error("the port broke down");
    if (!mAreOpen) return E_INVALIDARG;  // as the port layer answers for no port
    if (mShouldFailSends) return E_FAIL;
    mIsSending = true;
    mKeyboard.Receive(KeyboardSysEx::BytesOf(bytes));
    mIsSending = false;
    return static_cast<HResult>(bytes.GetCount());
  }

  HResult RegisterCaptureHandler(CaptureHandler handler) override {
    std::lock_guard lock(mHandlerMutex);
    mHandler = std::move(handler);
    return S_OK;
  }
  HResult UnregisterCaptureHandler() override {
    std::lock_guard lock(mHandlerMutex);
    if (!mHandler || mShouldFailUnregister) return E_FAIL;
    mHandler = nullptr;
    return S_OK;
  }

  void SetCanOpen(bool canOpen) { mCanOpen = canOpen; }
  void SetFailingSends(bool shouldFail) { mShouldFailSends = shouldFail; }
  void SetFailingUnregister(bool shouldFail) { mShouldFailUnregister = shouldFail; }
  void SetThrowingSends(bool shouldThrow) { mShouldThrowOnSend = shouldThrow; }
  bool HasCaptureHandler() {
    std::lock_guard lock(mHandlerMutex);
    return static_cast<bool>(mHandler);
  }
  bool IsSending() const { return mIsSending; }

 private:
  Simulated::SimulatedKeyboard& mKeyboard;
  std::atomic<bool> mAreOpen = false;
  std::atomic<bool> mCanOpen = true;
  std::atomic<bool> mShouldFailSends = false;
  std::atomic<bool> mIsSending = false;
  std::atomic<bool> mShouldFailUnregister = false;
  std::atomic<bool> mShouldThrowOnSend = false;
  std::mutex mHandlerMutex;  // held while the handler runs: unregistering waits for it
  CaptureHandler mHandler;
};

}  // namespace HV::Test
