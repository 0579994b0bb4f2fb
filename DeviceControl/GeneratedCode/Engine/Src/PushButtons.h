#pragma once

#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElementGroup.h"

// LPushButton: one of the 36 push buttons (17-byte push-button record).
class LPushButton final : public LModelElementT<LPushButton, IPushButton> {
  friend class LModelElementT<LPushButton, IPushButton>;
  LPushButton() = default;
};

// LPushButtons: the 36 push buttons, device-relative IDs 25 to 60.
class LPushButtons final : public LModelElementGroupT<LPushButtons, IPushButtons, LPushButton> {
  friend class LModelElementGroupT<LPushButtons, IPushButtons, LPushButton>;
  LPushButtons() = default;
};
