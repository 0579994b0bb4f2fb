#pragma once

#include "HVFramework/Midi/LMidiCapturePort.h"
#include "HVFramework/Midi/LMidiCommInterface.h"
#include "HVFramework/Midi/LMidiRenderPort.h"
#include "Panel/Engine/PresetEditorCommon/IKeyboardPorts.h"

#include <mutex>

namespace HV {

// LMidiCommKeyboardPorts: the keyboard's protocol ports over the framework's
// MIDI port layer. The keyboard speaks on its fourth port pair; the names
// are matched against the device names as the port layer does.
//
// The ports may be opened and closed from any thread (the device-status
// notifications come on their own); registering the capture handler belongs
// to the thread that runs the manager's operations. OpenPorts also reopens a
// port whose device went away unnoticed (an unplug the status poll has not
// seen yet).
class LMidiCommKeyboardPorts : public IKeyboardPorts {
 public:
  static constexpr const WChar* kInputName = u"MIDIIN4 (Tarsel)";
  static constexpr const WChar* kOutputName = u"MIDIOUT4 (Tarsel)";

  explicit LMidiCommKeyboardPorts(const RCPtr<LMidiCommInterface>& comm);
  ~LMidiCommKeyboardPorts() override;
  LMidiCommKeyboardPorts(const LMidiCommKeyboardPorts&) = delete;
  LMidiCommKeyboardPorts& operator=(const LMidiCommKeyboardPorts&) = delete;

  HResult OpenPorts() override;
  HResult ClosePorts() override;
  bool IsCapturePortOpen() override;
  bool IsRenderPortOpen() override;
  HResult SendToRenderPort(const MidiMessage& bytes) override;
  HResult RegisterCaptureHandler(CaptureHandler handler) override;
  HResult UnregisterCaptureHandler() override;

  const RCPtr<LMidiCommInterface>& GetComm() const { return mComm; }

  // Follows the device-status announcements posted to the centre: a device
  // that went closes its port, one that came opens the port by its name when
  // that port is closed. Delivered on the thread that drains the centre.
  HResult WatchConnections(const RCPtr<LNotificationDistributor>& centre);
  void OnInputConnectionChanged(const StringW& name, bool isDisconnected);
  void OnOutputConnectionChanged(const StringW& name, bool isDisconnected);

 private:
  class CaptureClient;
  class ConnectionClient;

  template <class Port>
  using OpenFunction = HResult (LMidiCommInterface::*)(const StringW&, RCPtr<Port>&);
  enum class Refreshed { Kept, Opened, Closed };

  // A device that went releases the port; one that came opens it by name.
  template <class Port>
  void FollowConnection(RCPtr<Port>& port, const StringW& name, bool isDisconnected, OpenFunction<Port> open);
  // Keeps a held port that still works; else lets it go and opens the name
  // again. The port layer is called with no lock held.
  template <class Port>
  Refreshed RefreshPort(RCPtr<Port>& port, const StringW& name, OpenFunction<Port> open);

  const RCPtr<LMidiCommInterface> mComm;
  std::mutex mPortMutex;  // guards the two ports; never held while calling the port layer
  RCPtr<LMidiCapturePort> mCapturePort;
  RCPtr<LMidiRenderPort> mRenderPort;
  RCPtr<CaptureClient> mClient;  // registered while a handler is
  RCPtr<ConnectionClient> mConnectionClient;
  RCPtr<LNotificationDistributor> mCentre;
};

}  // namespace HV
