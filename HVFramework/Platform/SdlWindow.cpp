#include "HVFramework/Platform/SdlWindow.h"

#include "HVFramework/Platform/PresentRects.h"

#include <SDL.h>

#include <cstring>
#include <vector>

namespace HV::Platform {

namespace {

// Copies the rectangles into the window surface and shows exactly those.
class SdlSurfacePresenter : public IWindowPresenter {
 public:
  explicit SdlSurfacePresenter(SDL_Window* window) : mWindow(window) {}

  void Present(const PresentedFrame& frame, const std::vector<RectT<int32_t>>& rects) override {
    SDL_Surface* surface = SDL_GetWindowSurface(mWindow);
    if (!surface) return;
    std::vector<SDL_Rect> shown;
    SDL_LockSurface(surface);
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

 private:
  SDL_Window* mWindow;
};

}  // namespace

struct SdlWindow::Native {
  SDL_Window* window = nullptr;
  ~Native() {
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // The last user of SDL also lets go of what SDL set up besides (its bus connection).
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
  }
};

SdlWindow::SdlWindow(std::unique_ptr<Native> native) : mNative(std::move(native)) {
  mWindow.presenter = RCPtr<IWindowPresenter>(new SdlSurfacePresenter(mNative->window));
}

SdlWindow::~SdlWindow() {
  mWindow.presenter = nullptr;
  mNative.reset();
}

std::unique_ptr<SdlWindow> SdlWindow::Open(const std::string& title, int32_t width, int32_t height,
                                           std::string& error) {
  // Shut the session bus connection down with SDL, so nothing is left behind at exit.
  SDL_SetHint("SDL_SHUTDOWN_DBUS_ON_QUIT", "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = SDL_GetError();
    return nullptr;
  }
  auto native = std::make_unique<Native>();
  native->window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                    height, SDL_WINDOW_SHOWN);
  if (!native->window) {
    error = SDL_GetError();
    return nullptr;
  }
  return std::unique_ptr<SdlWindow>(new SdlWindow(std::move(native)));
}

bool SdlWindow::ProcessEvents(int32_t timeoutMs) {
  SDL_Event event;
  bool isOpen = true;
  if (SDL_WaitEventTimeout(&event, timeoutMs)) {
    do {
      if (event.type == SDL_QUIT ||
          (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE))
        isOpen = false;
      if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                            event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED))
        mNeedsWholeRepaint = true;
    } while (SDL_PollEvent(&event));
  }
  return isOpen;
}

bool SdlWindow::TakeWholeRepaint() {
  const bool needed = mNeedsWholeRepaint;
  mNeedsWholeRepaint = false;
  return needed;
}

bool SdlWindow::Capture(BgraImage& out) {
  SDL_Surface* surface = SDL_GetWindowSurface(mNative->window);
  if (!surface || SDL_LockSurface(surface) != 0) return false;
  out.width = surface->w;
  out.height = surface->h;
  out.pixels.resize(size_t(surface->w) * surface->h * 4);
  const int bytes = surface->format->BytesPerPixel;
  for (int y = 0; y < surface->h; ++y)
    for (int x = 0; x < surface->w; ++x) {
      Uint32 value = 0;
      std::memcpy(
          &value,
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
