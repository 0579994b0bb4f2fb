#pragma once

#include "HVFramework/ControlBase/Control/LConditionsParam.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <cstdint>

namespace HV {

// LItemConditionsParam: the payload of a list's "NID_ITEM_HOVER_CONDITION_CHANGE"
// and "NID_ITEM_LEFT_DRAG_CONDITION_CHANGE": the item control's condition
// words and pointer position of its own condition notification, with the
// item's index, the look the item control shows (-1 none) and whether the
// mouse is over it. A new one travels with each notification, so a listener
// may keep it while the item control's own parameter changes.
class LItemConditionsParam : public virtual LRefCountedObject {
 public:
  static RCPtr<LItemConditionsParam> Create(const LConditionsParam& conditions, int32_t itemIndex,
                                            int32_t lookIndex, bool isMouseOver);

  uint32_t previous = 0;
  uint32_t current = 0;
  double x = 0;
  double y = 0;
  int32_t ItemIndex = -1;
  int32_t LookIndex = -1;
  bool IsMouseOver = false;

 protected:
  LItemConditionsParam() = default;
};

}  // namespace HV
