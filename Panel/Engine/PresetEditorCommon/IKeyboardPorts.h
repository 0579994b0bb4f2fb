#pragma once

#include "Panel/Engine/PresetEditorCommon/Protocol/KeyboardSysEx.h"

#include <functional>

namespace HV {

// IKeyboardPorts: the keyboard's input (capture) and output (render) port as
// the MIDI manager uses them: open and close both, send bytes unchanged, and
// have every whole captured message handed to one handler. Implemented over
// the framework's MIDI port layer; tests put the simulated keyboard behind it.
class IKeyboardPorts {
 public:
  using CaptureHandler = std::function<void(const MidiMessage&)>;

  virtual ~IKeyboardPorts() = default;

  // 1 when both are open and working already, 0 when both are open now,
  // else E_FAIL. A held port whose device went away is let go and opened again.
  virtual HResult OpenPorts() = 0;
  virtual HResult ClosePorts() = 0;
  virtual bool IsCapturePortOpen() = 0;
  virtual bool IsRenderPortOpen() = 0;

  // The bytes as they are, as one message: their count, or a negative result.
  virtual HResult SendToRenderPort(const MidiMessage& bytes) = 0;

  // The handler runs on the port layer's thread. Unregistering returns once
  // no call of it runs any more; a negative result when none was registered.
  virtual HResult RegisterCaptureHandler(CaptureHandler handler) = 0;
  virtual HResult UnregisterCaptureHandler() = 0;
};

}  // namespace HV
