#include "HVFramework/Platform/OSMesa/OSMesaGLContext.h"

#include <GL/osmesa.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace HV::Platform {

GLContextFactory& DefaultGLContextFactory();

namespace {

class OSMesaGLContext : public IGLContext {
 public:
  explicit OSMesaGLContext(OSMesaContext context) : mContext(context) {}
  ~OSMesaGLContext() override {
    if (OSMesaGetCurrentContext() == mContext) ReleaseCurrent();
    OSMesaDestroyContext(mContext);
  }

  bool MakeCurrent(int width, int height) override {
    width = std::clamp(width, 1, kMaxSide);
    height = std::clamp(height, 1, kMaxSide);
    if (width > mWidth || height > mHeight || mPixels.empty()) {
      // Growing keeps nothing: a new target starts cleared.
      mWidth = std::max(width, mWidth);
      mHeight = std::max(height, mHeight);
      mPixels.assign(static_cast<size_t>(mWidth) * mHeight * 4, 0);
    }
    return OSMesaMakeCurrent(mContext, mPixels.data(), GL_UNSIGNED_BYTE, mWidth, mHeight) == GL_TRUE;
  }

  void ReleaseCurrent() override { OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0); }
  void SwapBuffers() override {}
  GLPixelFormat GetPixelFormat() const override { return {false, false, 32}; }

  const uint8_t* GetOffscreenPixels(int& width, int& height) const override {
    width = mWidth;
    height = mHeight;
    return mPixels.empty() ? nullptr : mPixels.data();
  }

 private:
  static constexpr int kMaxSide = 16384;
  OSMesaContext mContext;
  std::vector<uint8_t> mPixels;
  int mWidth = 0;
  int mHeight = 0;
};

}  // namespace

std::unique_ptr<IGLContext> CreateOSMesaGLContext() {
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_BGRA, 0, 0, 0, nullptr);
  if (!context) return nullptr;
  return std::make_unique<OSMesaGLContext>(context);
}

void UseOSMesaByDefault() {
  DefaultGLContextFactory() = [](PlatformWindow*) { return CreateOSMesaGLContext(); };
}

}  // namespace HV::Platform
