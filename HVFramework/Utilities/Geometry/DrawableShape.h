#pragma once

#include "HVFramework/Utilities/Geometry/PointT.h"

#include <atomic>
#include <cstdint>

namespace HV {

// DrawableShape: what every cached drawable shape carries besides its items:
// a handle that keys the renderer's cache of the shape, a changed flag that
// the owner raises when it edits the items and the renderer reads and clears
// when it rebuilds its cached form, a line width and a scale (x, y).
// Handles come from a process-wide counter, so no two shapes share one and a
// copy of a shape is a new shape with its own handle.
template <class T>
class DrawableShape {
 public:
  DrawableShape() : mHandle(NextHandle()) {}
  DrawableShape(const DrawableShape& other)
      : mHandle(NextHandle()), mLineWidth(other.mLineWidth), mScale(other.mScale) {}
  DrawableShape& operator=(const DrawableShape& other) {
    mLineWidth = other.mLineWidth;
    mScale = other.mScale;
    mChanged = true;
    return *this;
  }

  uint64_t GetHandle() const { return mHandle; }

  bool IsChanged() const { return mChanged; }
  void SetChanged(bool isChanged) { mChanged = isChanged; }

  T GetLineWidth() const { return mLineWidth; }
  void SetLineWidth(T width) {
    if (width == mLineWidth) return;
    mLineWidth = width;
    mChanged = true;
  }

  const PointT<T>& GetScale() const { return mScale; }
  void SetScale(const PointT<T>& scale) {
    if (scale == mScale) return;
    mScale = scale;
    mChanged = true;
  }

 private:
  static uint64_t NextHandle() {
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
  }

  uint64_t mHandle;
  bool mChanged = true;  // a new shape has no cached form yet
  T mLineWidth = T(1);
  PointT<T> mScale{T(1), T(1)};
};

}  // namespace HV
