#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>
#include <vector>

namespace HV::Platform {

// A finished frame as a window presenter receives it: premultiplied 32-bit
// ARGB pixels (bytes blue, green, red, alpha), rows stride bytes apart. The
// pixels are lent for the call only.
struct PresentedFrame {
  const uint8_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
};

// IWindowPresenter: puts the finished pixels of a frame on a window. Present
// copies exactly the given rectangles (frame coordinates; the parts outside
// the frame or the window are left out) and nothing else, so a frame that
// changed little costs little. Called on the user-interface thread only; the
// window layer owns the presenter, the renderer borrows it.
class IWindowPresenter : public virtual LRefCountedObject {
 public:
  virtual void Present(const PresentedFrame& frame, const std::vector<RectT<int32_t>>& rects) = 0;
};

}  // namespace HV::Platform
