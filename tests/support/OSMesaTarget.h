#pragma once

#include "HVFramework/Platform/OSMesa/OSMesaGLContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace HV::Testing {

// An offscreen GL context made current at a size, with the renderer's
// coordinates (one unit a pixel, y down) and blending, and a probe that
// reads one pixel back as 0xAARRGGBB counted from the top-left.
class OSMesaTarget {
 public:
  OSMesaTarget(int width, int height) : mWidth(width), mHeight(height) {
    mContext = Platform::CreateOSMesaGLContext();
    if (!mContext || !mContext->MakeCurrent(width, height)) return;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    mIsReady = true;
  }
  ~OSMesaTarget() {
    if (mContext) mContext->ReleaseCurrent();
  }

  bool IsReady() const { return mIsReady; }

  uint32_t Pixel(int x, int y) const {
    uint8_t p[4] = {};
    glFinish();
    glReadPixels(x, mHeight - 1 - y, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, p);
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  }

 private:
  std::unique_ptr<Platform::IGLContext> mContext;
  int mWidth;
  int mHeight;
  bool mIsReady = false;
};

}  // namespace HV::Testing
