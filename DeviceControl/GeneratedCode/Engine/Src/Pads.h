#pragma once

#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElementGroup.h"

// LPad: one of the 16 velocity pads (14-byte pad record).
class LPad final : public LModelElementT<LPad, IPad> {
  friend class LModelElementT<LPad, IPad>;
  LPad() = default;
};

// LPads: the 16 pads, device-relative IDs 9 to 24.
class LPads final : public LModelElementGroupT<LPads, IPads, LPad> {
  friend class LModelElementGroupT<LPads, IPads, LPad>;
  LPads() = default;
};
