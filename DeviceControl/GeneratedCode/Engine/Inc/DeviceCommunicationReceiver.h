#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"

#include <cstdint>

namespace HV {
class ParamValues;
}

// DeviceCommunicationReceiver: what the device link delivers to (the root
// module). Called on the link's delivery thread, or, for the link's own
// replies, on the thread that sent the request.
class DeviceCommunicationReceiver {
 public:
  // One packet of parameter values from the device-control library.
  virtual HV::HResult OnParamValuesReceived(const HV::ParamValues& values) = 0;
  // A device event; no receiver of this program uses it.
  virtual HV::HResult OnDeviceEvent(int32_t a, int32_t b, int32_t c) = 0;

 protected:
  ~DeviceCommunicationReceiver() = default;
};
