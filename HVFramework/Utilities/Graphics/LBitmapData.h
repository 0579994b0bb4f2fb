#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Graphics/BitmapImage.h"
#include "HVFramework/Utilities/Graphics/IPixelBuffer.h"

#include <cstdint>

namespace HV {

class LBitmap;

// LBitmapData: the pixels of a bitmap's rectangle, locked for as long as this
// object lives (32-bit ARGB, bytes blue, green, red, alpha). Made by
// LBitmap::CreateBitmapData; holds a reference to the bitmap so its image
// outlives the lock. User-interface thread only.
class LBitmapData : public IPixelBuffer<int32_t>, public virtual LRefCountedObject {
 public:
  // Locks the bitmap's rectangle; IsLocked tells whether that worked. A
  // buffer to forward to is not supported and throws a Domain Error.
  LBitmapData(LBitmap& bitmap, IPixelBuffer<int32_t>* forwardTo = nullptr);
  ~LBitmapData() override;

  bool IsLocked() const { return mLocked; }
  const BitmapImage::LockRecord& GetLockRecord() const { return mRecord; }

  int32_t GetWidth() const override { return mRecord.width; }
  int32_t GetHeight() const override { return mRecord.height; }
  int32_t GetStride() const override { return mRecord.stride; }
  // Null outside the locked rectangle.
  uint8_t* GetPixelAddress(int32_t x, int32_t y) const override;

 private:
  RCPtr<LBitmap> mBitmap;
  BitmapImage* mImage = nullptr;
  BitmapImage::LockRecord mRecord;
  bool mLocked = false;
};

}  // namespace HV
