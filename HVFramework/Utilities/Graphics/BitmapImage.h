#pragma once

#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace HV {

// BitmapImage: the pixels of a root bitmap, 32-bit straight (not
// premultiplied) ARGB, each pixel in memory the bytes blue, green, red,
// alpha; rows top to bottom, stride width * 4. One lock at a time gives
// direct access to a rectangle of it. Not locked against threads: bitmaps
// live on the user-interface thread.
class BitmapImage {
 public:
  // The pixel format of every image and lock (32 bits a pixel, ARGB).
  static constexpr int32_t kPixelFormat32bppARGB = 0x26200A;

  // Result of the last operation that failed (0 when none did).
  enum Status : int32_t { Ok = 0, InvalidParameter = 2, ObjectBusy = 4 };

  // What a lock hands out: the locked rectangle's size, the distance in bytes
  // from one row to the next, the pixel format and the first pixel.
  struct LockRecord {
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
    int32_t pixelFormat = 0;
    uint8_t* scan0 = nullptr;
  };

  // width * height pixels from bytes in the layout above (copied); a size that
  // does not match the bytes makes an empty image.
  BitmapImage(int32_t width, int32_t height, std::vector<uint8_t> pixels);

  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  int32_t GetStride() const { return mWidth * 4; }
  Status GetLastStatus() const { return mLastStatus; }

  // The pixel as 0xAARRGGBB; false (and InvalidParameter recorded) outside the image.
  bool GetPixel(int32_t x, int32_t y, uint32_t& argb) const;

  // Locks a rectangle that lies wholly inside the image. Refused (false, with
  // the status recorded) for a rectangle that is empty or reaches outside,
  // and while another lock is held.
  bool LockBits(const RectT<int32_t>& rect, LockRecord& out);
  void UnlockBits();
  bool IsLocked() const { return mLocked; }

  // A new image of a rectangle inside this one; null when it reaches outside.
  std::unique_ptr<BitmapImage> Clone(const RectT<int32_t>& rect) const;

 private:
  bool Contains(const RectT<int32_t>& rect) const;

  int32_t mWidth = 0;
  int32_t mHeight = 0;
  std::vector<uint8_t> mPixels;
  bool mLocked = false;
  mutable Status mLastStatus = Ok;
};

}  // namespace HV
