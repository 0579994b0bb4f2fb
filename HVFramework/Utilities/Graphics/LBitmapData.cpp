#include "HVFramework/Utilities/Graphics/LBitmapData.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

namespace HV {

LBitmapData::LBitmapData(LBitmap& bitmap, IPixelBuffer<int32_t>* forwardTo) {
  if (forwardTo) Throw<std::domain_error>(HV_HERE("HV::LBitmapData::LBitmapData"));
  mBitmap = RCPtr<LBitmap>(&bitmap);
  mImage = bitmap.GetGdiplusBitmap();
  mLocked = mImage && mImage->LockBits(bitmap.GetRect(), mRecord);
}

LBitmapData::~LBitmapData() {
  if (mLocked) mImage->UnlockBits();
}

uint8_t* LBitmapData::GetPixelAddress(int32_t x, int32_t y) const {
  if (!mLocked || x < 0 || y < 0 || x >= mRecord.width || y >= mRecord.height) return nullptr;
  return mRecord.scan0 + static_cast<ptrdiff_t>(y) * mRecord.stride + static_cast<ptrdiff_t>(x) * 4;
}

}  // namespace HV
