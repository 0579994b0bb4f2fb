#pragma once

#include <cstdint>

namespace HV {

// GLImage: pixels handed to a texture upload: their GL format and type,
// size, row stride and bytes per pixel. An image that owns its bytes frees
// them when reset or destroyed; moving hands the bytes over.
class GLImage {
 public:
  GLImage() = default;
  // Borrows data (the caller keeps it alive during the upload).
  GLImage(uint32_t format, uint32_t type, const uint8_t* data, int32_t width, int32_t height, int32_t stride,
          int32_t bytesPerPixel)
      : mFormat(format),
        mType(type),
        mData(const_cast<uint8_t*>(data)),
        mWidth(width),
        mHeight(height),
        mStride(stride),
        mBytesPerPixel(bytesPerPixel) {}
  GLImage(const GLImage&) = delete;
  GLImage& operator=(const GLImage&) = delete;
  GLImage(GLImage&& other) noexcept { *this = static_cast<GLImage&&>(other); }
  GLImage& operator=(GLImage&& other) noexcept {
    if (this == &other) return *this;
    Reset();
    mFormat = other.mFormat;
    mType = other.mType;
    mOwnsData = other.mOwnsData;
    mData = other.mData;
    mWidth = other.mWidth;
    mHeight = other.mHeight;
    mStride = other.mStride;
    mBytesPerPixel = other.mBytesPerPixel;
    other.mOwnsData = false;
    other.mData = nullptr;
    other.mWidth = other.mHeight = other.mStride = 0;
    return *this;
  }
  ~GLImage() { Reset(); }

  // Takes data (made with new[]) as this image's own bytes.
  void Adopt(uint8_t* data, uint32_t format, uint32_t type, int32_t width, int32_t height, int32_t stride,
             int32_t bytesPerPixel) {
    Reset();
    mFormat = format;
    mType = type;
    mOwnsData = true;
    mData = data;
    mWidth = width;
    mHeight = height;
    mStride = stride;
    mBytesPerPixel = bytesPerPixel;
  }

  void Reset() {
    if (mOwnsData) delete[] mData;
    mOwnsData = false;
    mData = nullptr;
  }

  uint32_t GetFormat() const { return mFormat; }
  uint32_t GetType() const { return mType; }
  const uint8_t* GetData() const { return mData; }
  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  int32_t GetStride() const { return mStride; }
  int32_t GetBytesPerPixel() const { return mBytesPerPixel; }

 private:
  uint32_t mFormat = 0;
  uint32_t mType = 0;
  bool mOwnsData = false;
  uint8_t* mData = nullptr;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  int32_t mStride = 0;
  int32_t mBytesPerPixel = 0;
};

}  // namespace HV
