#include "HVFramework/Platform/SDL/SdlSurfacePresenter.h"

#include "HVFramework/Platform/2D/PresentRects.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace HV::Platform {

void SdlSurfacePresenter::Present(const PresentedFrame& frame, const std::vector<RectT<int32_t>>& rects) {
  SDL_Surface* surface = mWindow ? SDL_GetWindowSurface(mWindow) : nullptr;
  if (!surface || SDL_LockSurface(surface) != 0) return;
  std::vector<SDL_Rect> shown;
  const bool isDirect = surface->format->BytesPerPixel == 4 && surface->format->Rmask == 0x00FF0000 &&
                        surface->format->Gmask == 0x0000FF00 && surface->format->Bmask == 0x000000FF;
  for (RectT<int32_t> r : rects) {
    if (!ClipToSize(r, std::min(frame.width, surface->w), std::min(frame.height, surface->h))) continue;
    for (int32_t y = r.y; y < r.y + r.height; ++y) {
      const uint8_t* from = frame.pixels + size_t(y) * frame.stride + size_t(r.x) * 4;
      auto* to = static_cast<uint8_t*>(surface->pixels) + size_t(y) * surface->pitch;
      if (isDirect) {
        // Premultiplied pixels are the colour over black: what an opaque window shows.
        std::memcpy(to + size_t(r.x) * 4, from, size_t(r.width) * 4);
        continue;
      }
      for (int32_t x = 0; x < r.width; ++x, from += 4) {
        const Uint32 value = SDL_MapRGB(surface->format, from[2], from[1], from[0]);
        std::memcpy(to + size_t(r.x + x) * surface->format->BytesPerPixel, &value,
                    surface->format->BytesPerPixel);
      }
    }
    shown.push_back({r.x, r.y, r.width, r.height});
  }
  SDL_UnlockSurface(surface);
  if (!shown.empty()) SDL_UpdateWindowSurfaceRects(mWindow, shown.data(), int(shown.size()));
}

bool SdlSurfacePresenter::Capture(BgraImage& out) const {
  SDL_Surface* surface = mWindow ? SDL_GetWindowSurface(mWindow) : nullptr;
  if (!surface || SDL_LockSurface(surface) != 0) return false;
  out.width = surface->w;
  out.height = surface->h;
  out.pixels.resize(size_t(surface->w) * surface->h * 4);
  const int bytes = surface->format->BytesPerPixel;
  for (int y = 0; y < surface->h; ++y)
    for (int x = 0; x < surface->w; ++x) {
      Uint32 value = 0;
      std::memcpy(&value,
                  static_cast<const uint8_t*>(surface->pixels) + size_t(y) * surface->pitch + size_t(x) * bytes,
                  size_t(bytes));
      uint8_t* p = &out.pixels[(size_t(y) * surface->w + x) * 4];
      SDL_GetRGB(value, surface->format, &p[2], &p[1], &p[0]);
      p[3] = 255;
    }
  SDL_UnlockSurface(surface);
  return true;
}

}  // namespace HV::Platform
