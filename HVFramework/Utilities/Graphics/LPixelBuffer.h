#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Graphics/IPixelBuffer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace HV {

// LPixelBuffer: pixels held in memory, 32 bits a pixel (bytes blue, green,
// red, alpha), rows top to bottom with no padding; the plain counterpart of
// a locked bitmap for images made by code (glyphs, uploads). A size of zero
// or less makes an empty buffer. User-interface thread only.
template <class T>
class LPixelBuffer : public IPixelBuffer<int32_t>, public virtual LRefCountedObject {
  static_assert(sizeof(T) == 1, "a pixel buffer holds bytes");

 public:
  static RCPtr<LPixelBuffer> Create(int32_t width, int32_t height) {
    return RCPtr<LPixelBuffer>(new LPixelBuffer(width, height));
  }

  int32_t GetWidth() const override { return mWidth; }
  int32_t GetHeight() const override { return mHeight; }
  int32_t GetStride() const override { return mWidth * 4; }
  // Null outside the buffer.
  uint8_t* GetPixelAddress(int32_t x, int32_t y) const override {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return nullptr;
    return reinterpret_cast<uint8_t*>(mBytes.data()) + static_cast<size_t>(y) * GetStride() +
           static_cast<size_t>(x) * 4;
  }

 protected:
  LPixelBuffer(int32_t width, int32_t height) {
    if (width > 0 && height > 0) {
      mWidth = width;
      mHeight = height;
      mBytes.resize(static_cast<size_t>(width) * height * 4);
    }
  }

 private:
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  mutable std::vector<T> mBytes;  // handed out for writing through the const interface
};

}  // namespace HV
