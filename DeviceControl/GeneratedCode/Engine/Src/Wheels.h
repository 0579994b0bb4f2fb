#pragma once

#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElementGroup.h"

// LWheel: the pitch wheel (index 0) or the modulation wheel (index 1); 5-byte record.
class LWheel final : public LModelElementT<LWheel, IWheel> {
  friend class LModelElementT<LWheel, IWheel>;
  LWheel() = default;
};

// LWheels: the two wheels, device-relative IDs 5 and 6.
class LWheels final : public LModelElementGroupT<LWheels, IWheels, LWheel> {
  friend class LModelElementGroupT<LWheels, IWheels, LWheel>;
  LWheels() = default;
};
