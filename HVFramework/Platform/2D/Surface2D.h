#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <cstdint>
#include <memory>

namespace HV::Platform {

struct NativeSurface;

// Surface2D: a picture in memory that 2-D drawing goes into and comes from:
// 32-bit premultiplied ARGB, each pixel in memory the bytes blue, green, red,
// alpha, rows top to bottom at GetStride() bytes apart. Made transparent
// black. Serves as a drawing target, a bitmap to draw, a cached bitmap and the
// frame handed to a window presenter. One thread at a time (the user-interface
// thread); the owner holds it by counted reference.
class Surface2D : public virtual LRefCountedObject {
 public:
  // The largest side a surface may have.
  static constexpr int32_t kMaxSide = 16384;

  // A transparent surface; null for a side below 1 or above kMaxSide, or
  // when no memory is left.
  static RCPtr<Surface2D> Create(int32_t width, int32_t height);
  // A surface holding straight (not premultiplied) BGRA pixels, converted;
  // stride is the distance in bytes between the source's rows.
  static RCPtr<Surface2D> CreateFromStraight(const uint8_t* bgra, int32_t width, int32_t height,
                                             int32_t stride);

  ~Surface2D() override;

  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  int32_t GetStride() const;

  // Direct access to the pixels (lock bits): every drawing so far has landed
  // when this returns. After writing, call MarkChanged.
  uint8_t* LockBits();
  void MarkChanged();
  const uint8_t* GetPixels() const;

  // The pixel as premultiplied 0xAARRGGBB; 0 outside the surface.
  uint32_t GetPixel(int32_t x, int32_t y) const;
  // The pixel made straight again (0xAARRGGBB); 0 outside the surface.
  uint32_t GetStraightPixel(int32_t x, int32_t y) const;

  // The platform's surface; for the drawing code of this folder only.
  NativeSurface& GetNative() const { return *mNative; }

 protected:
  Surface2D(std::unique_ptr<NativeSurface> native, int32_t width, int32_t height);

 private:
  std::unique_ptr<NativeSurface> mNative;
  int32_t mWidth;
  int32_t mHeight;
};

}  // namespace HV::Platform
