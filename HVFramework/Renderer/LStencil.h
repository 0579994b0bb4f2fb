#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <cstdint>

namespace HV {

// LStencil: the stencil a look sets for its parts: its size, an offset (0 at
// creation) and a second size equal to the first at creation. The renderers
// carry it in the render state and restore it; no drawing reads it.
class LStencil : public virtual LRefCountedObject {
 public:
  // The stencil factory: a stencil of the given size.
  static RCPtr<LStencil> Create(int32_t width, int32_t height);
  // A new stencil of this one's first size.
  RCPtr<LStencil> CreateStencilCopy() const { return Create(mWidth, mHeight); }

  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  int32_t GetOffsetX() const { return mOffsetX; }
  int32_t GetOffsetY() const { return mOffsetY; }
  int32_t GetSecondWidth() const { return mSecondWidth; }
  int32_t GetSecondHeight() const { return mSecondHeight; }

 protected:
  LStencil(int32_t width, int32_t height)
      : mWidth(width), mHeight(height), mSecondWidth(width), mSecondHeight(height) {}

 private:
  int32_t mWidth;
  int32_t mHeight;
  int32_t mOffsetX = 0;
  int32_t mOffsetY = 0;
  int32_t mSecondWidth;
  int32_t mSecondHeight;
};

inline RCPtr<LStencil> LStencil::Create(int32_t width, int32_t height) {
  return RCPtr<LStencil>(new LStencil(width, height));
}

}  // namespace HV
