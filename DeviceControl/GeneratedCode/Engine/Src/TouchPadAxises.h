#pragma once

#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElementGroup.h"

// LTouchPadAxis: the touch pad's X axis (index 0) or Y axis (index 1); 15-byte record.
class LTouchPadAxis final : public LModelElementT<LTouchPadAxis, ITouchPadAxis> {
  friend class LModelElementT<LTouchPadAxis, ITouchPadAxis>;
  LTouchPadAxis() = default;
};

// LTouchPadAxises: the two touch-pad axes, device-relative IDs 129 and 130.
class LTouchPadAxises final : public LModelElementGroupT<LTouchPadAxises, ITouchPadAxises, LTouchPadAxis> {
  friend class LModelElementGroupT<LTouchPadAxises, ITouchPadAxises, LTouchPadAxis>;
  LTouchPadAxises() = default;
};
