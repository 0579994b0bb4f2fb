#pragma once

#include "HVFramework/ControlBase/Control/LPointWithModifiersParam.h"

namespace HV {

// LMouseButtonParam: one press or release of a mouse button (1 left, 2
// middle, 4 right) at a point in the receiving control's coordinates.
// heldButtons is the root window's button mask after the event: a release
// ends the capture only when it is 0, so a capture lasts while any button is
// held. Pooled like every event parameter.
class LMouseButtonParam : public LPointWithModifiersParam, public PooledObject<LMouseButtonParam, 32, true> {
 public:
  using PooledObject<LMouseButtonParam, 32, true>::operator new;
  using PooledObject<LMouseButtonParam, 32, true>::operator delete;
  using PooledObject<LMouseButtonParam, 32, true>::GetPool;

  static constexpr int32_t kLeft = 1;
  static constexpr int32_t kMiddle = 2;
  static constexpr int32_t kRight = 4;
  static bool IsButton(int32_t button) { return button == kLeft || button == kMiddle || button == kRight; }

  static RCPtr<LMouseButtonParam> Create(int32_t button, int32_t x, int32_t y, uint32_t modifiers,
                                         bool doubleClick, uint32_t heldButtons, int32_t pointer = 0) {
    return RCPtr<LMouseButtonParam>(
        new LMouseButtonParam(button, x, y, modifiers, doubleClick, heldButtons, pointer));
  }

  int32_t button = 0;
  bool doubleClick = false;
  uint32_t heldButtons = 0;

 protected:
  LMouseButtonParam(int32_t b, int32_t px, int32_t py, uint32_t mods, bool twice, uint32_t held, int32_t index)
      : LPointWithModifiersParam(px, py, mods, index), button(b), doubleClick(twice), heldButtons(held) {}
};

}  // namespace HV
