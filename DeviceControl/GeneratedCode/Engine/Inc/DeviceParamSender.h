#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Utilities/Storage/Variant.h"

// IDeviceParamSender: what an element needs of the top of its tree to send a
// reserved (device-level) parameter to the keyboard. The root module
// implements it by handing the value to its device link; an element whose
// root does not implement it sends nothing.
class IDeviceParamSender {
 public:
  virtual HV::HResult SendParamValueToDevice(const HV::ParamDescriptor& descriptor,
                                             const HV::Variant& value) = 0;

 protected:
  ~IDeviceParamSender() = default;
};
