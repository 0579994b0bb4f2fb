#pragma once

#include "HVFramework/ControlBase/Control/LPointWithModifiersParam.h"

namespace HV {

// LMouseWheelParam: one wheel step. The point stays in root-window
// coordinates all the way up the tree (the walk may re-enter it through a
// hit test). Direction: 0 down, 1 up on the vertical wheel; 2 and 3 the
// horizontal wheel, 3 for a positive delta. Pooled, 4 records per block.
class LMouseWheelParam : public LPointWithModifiersParam, public PooledObject<LMouseWheelParam, 4, true> {
 public:
  using PooledObject<LMouseWheelParam, 4, true>::operator new;
  using PooledObject<LMouseWheelParam, 4, true>::operator delete;
  using PooledObject<LMouseWheelParam, 4, true>::GetPool;

  enum Direction : int32_t { kDown = 0, kUp = 1, kHorizontalNegative = 2, kHorizontalPositive = 3 };

  static RCPtr<LMouseWheelParam> Create(int32_t x, int32_t y, uint32_t modifiers, int32_t direction) {
    return RCPtr<LMouseWheelParam>(new LMouseWheelParam(x, y, modifiers, direction));
  }

  bool IsVertical() const { return direction == kDown || direction == kUp; }

  int32_t direction = kDown;

  // The modifiers' text, two spaces and "direction: down" (0) or "up".
  StringW ToString() const override;

 protected:
  LMouseWheelParam(int32_t px, int32_t py, uint32_t mods, int32_t dir)
      : LPointWithModifiersParam(px, py, mods, 0), direction(dir) {}
};

}  // namespace HV
