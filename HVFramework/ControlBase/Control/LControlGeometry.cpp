#include "HVFramework/ControlBase/Control/LControl.h"

namespace HV {

LControl::Point LControl::GetPositionInParent() const {
  Point position{mRect.x, mRect.y};
  if (mParent) {
    const Rect client = mParent->GetClientOffsets(-1);
    position.x += client.x - mParent->mScrollOffset.x;
    position.y += client.y - mParent->mScrollOffset.y;
  }
  return position;
}

LControl::Point LControl::GetOriginInRoot() const {
  Point origin{mRect.x, mRect.y};
  for (const LControl* ancestor = mParent; ancestor; ancestor = ancestor->mParent) {
    const Rect client = ancestor->GetClientOffsets(-1);
    origin.x += ancestor->mRect.x + client.x - ancestor->mScrollOffset.x;
    origin.y += ancestor->mRect.y + client.y - ancestor->mScrollOffset.y;
  }
  return origin;
}

}  // namespace HV
