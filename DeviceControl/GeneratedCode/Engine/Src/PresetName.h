#pragma once

#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"

// LPresetName: the preset's name, six 8-bit characters (device-relative ID 0).
class LPresetName final : public LModelElementT<LPresetName, IPresetName> {
  friend class LModelElementT<LPresetName, IPresetName>;
  LPresetName() = default;
};
