#pragma once

#include "HVFramework/Platform/2D/IWindowPresenter.h"
#include "HVFramework/Platform/Graphics/PngCodec.h"

struct SDL_Window;

namespace HV::Platform {

// SdlSurfacePresenter: shows finished frames in an SDL window through its
// window surface: copies only the given rectangles and updates only those on
// the screen. The window system detaches it when the window goes; a detached
// presenter presents nothing. User-interface thread only.
class SdlSurfacePresenter : public IWindowPresenter {
 public:
  explicit SdlSurfacePresenter(SDL_Window* window) : mWindow(window) {}

  void Present(const PresentedFrame& frame, const std::vector<RectT<int32_t>>& rects) override;
  // What the window shows now, opaque; false when it cannot be read.
  bool Capture(BgraImage& out) const;
  void Detach() { mWindow = nullptr; }

 private:
  SDL_Window* mWindow;
};

}  // namespace HV::Platform
