#pragma once

#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElementGroup.h"

// LFader: one of the 36 faders (6-byte moveable-control record).
class LFader final : public LModelElementT<LFader, IFader> {
  friend class LModelElementT<LFader, IFader>;
  LFader() = default;
};

// LFaders: the 36 faders, device-relative IDs 61 to 96.
class LFaders final : public LModelElementGroupT<LFaders, IFaders, LFader> {
  friend class LModelElementGroupT<LFaders, IFaders, LFader>;
  LFaders() = default;
};
