#pragma once

#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElementGroup.h"

// LKeybedZone: one of the four keybed zones (9-byte zone record).
class LKeybedZone final : public LModelElementT<LKeybedZone, IKeybedZone> {
  friend class LModelElementT<LKeybedZone, IKeybedZone>;
  LKeybedZone() = default;
};

// LKeybedZones: the four keybed zones, device-relative IDs 1 to 4.
class LKeybedZones final : public LModelElementGroupT<LKeybedZones, IKeybedZones, LKeybedZone> {
  friend class LModelElementGroupT<LKeybedZones, IKeybedZones, LKeybedZone>;
  LKeybedZones() = default;
};
