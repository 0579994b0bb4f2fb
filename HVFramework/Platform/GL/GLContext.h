#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace HV {
struct PlatformWindow;
}

namespace HV::Platform {

// What the chosen pixel format of a GL context offers. A context that is
// double-buffered without swap-copy leaves the copy of the back buffer to
// the front one to its caller.
struct GLPixelFormat {
  bool isDoubleBuffered = false;
  bool isSwapCopy = false;
  int colorBits = 32;
};

// IGLContext: one OpenGL 1.1 compatibility context and the target it draws
// on (a window, or an offscreen buffer). Made, used and destroyed on the
// user-interface thread; current on at most that thread.
class IGLContext {
 public:
  virtual ~IGLContext() = default;

  // Makes the context current on its target. Offscreen targets grow their
  // buffer to at least width x height. False when the platform refuses.
  virtual bool MakeCurrent(int width, int height) = 0;
  // Leaves no context current on this thread.
  virtual void ReleaseCurrent() = 0;
  // Shows the back buffer (windows that swap; nothing for the others).
  virtual void SwapBuffers() = 0;
  virtual GLPixelFormat GetPixelFormat() const = 0;
  // The pixels of an offscreen target: rows bottom-up, 4 bytes a pixel
  // (blue, green, red, alpha); null for a window.
  virtual const uint8_t* GetOffscreenPixels(int& width, int& height) const = 0;
};

using GLContextFactory = std::function<std::unique_ptr<IGLContext>(PlatformWindow*)>;

// The context for a window through the installed factory; without one, an
// offscreen (OSMesa) context when the OSMesa backend is linked in, else null.
std::unique_ptr<IGLContext> CreateGLContext(PlatformWindow* window);
// Installed once at start-up by the window layer (or by tests); an empty
// factory restores the default.
void SetGLContextFactory(GLContextFactory factory);

}  // namespace HV::Platform
