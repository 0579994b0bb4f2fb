#pragma once

#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElementGroup.h"

// LEncoder: one of the 32 encoders (6-byte moveable-control record).
class LEncoder final : public LModelElementT<LEncoder, IEncoder> {
  friend class LModelElementT<LEncoder, IEncoder>;
  LEncoder() = default;
};

// LEncoders: the 32 encoders, device-relative IDs 97 to 128.
class LEncoders final : public LModelElementGroupT<LEncoders, IEncoders, LEncoder> {
  friend class LModelElementGroupT<LEncoders, IEncoders, LEncoder>;
  LEncoders() = default;
};
