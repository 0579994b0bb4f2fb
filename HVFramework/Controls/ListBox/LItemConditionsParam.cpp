#include "HVFramework/Controls/ListBox/LItemConditionsParam.h"

namespace HV {

RCPtr<LItemConditionsParam> LItemConditionsParam::Create(const LConditionsParam& conditions, int32_t itemIndex,
                                                         int32_t lookIndex, bool isMouseOver) {
  RCPtr<LItemConditionsParam> param(new LItemConditionsParam());
  param->previous = conditions.previous;
  param->current = conditions.current;
  param->x = conditions.x;
  param->y = conditions.y;
  param->ItemIndex = itemIndex;
  param->LookIndex = lookIndex;
  param->IsMouseOver = isMouseOver;
  return param;
}

}  // namespace HV
