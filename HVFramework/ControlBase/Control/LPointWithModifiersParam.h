#pragma once

#include "HVFramework/ControlBase/Control/LPointParam.h"

namespace HV {

// LPointWithModifiersParam: a point with the modifier word (Ctrl 0x01, Shift
// 0x08, Alt 0x40) and a second word passed through unchanged (the root window
// puts the pointer index there). Pooled like every event parameter.
class LPointWithModifiersParam : public LPointParam, public PooledObject<LPointWithModifiersParam, 32, true> {
 public:
  using PooledObject<LPointWithModifiersParam, 32, true>::operator new;
  using PooledObject<LPointWithModifiersParam, 32, true>::operator delete;
  using PooledObject<LPointWithModifiersParam, 32, true>::GetPool;

  static RCPtr<LPointWithModifiersParam> Create(int32_t x, int32_t y, uint32_t modifiers, int32_t pointer = 0) {
    return RCPtr<LPointWithModifiersParam>(new LPointWithModifiersParam(x, y, modifiers, pointer));
  }

  uint32_t modifiers = 0;
  int32_t pointer = 0;

  // The point's text, two spaces and "modifiers: 0x%08x".
  StringW ToString() const override;

 protected:
  LPointWithModifiersParam(int32_t px, int32_t py, uint32_t mods, int32_t index)
      : LPointParam(px, py), modifiers(mods), pointer(index) {}
};

}  // namespace HV
