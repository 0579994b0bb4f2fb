// hv-gallery: the framework's demo program. Opens a window and paints the
// gallery scene through the GDI+-style renderer, about 30 frames a second.
//
//   hv-gallery [--screenshot FILE] [--frames N]
//
// --screenshot writes the first frame, as the window shows it, to FILE (PNG)
// and exits; --frames stops after N frames. Without either it runs until the
// window is closed.

#include "HVFramework/Platform/PngCodec.h"
#include "HVFramework/Platform/SdlWindow.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "tools/gallery/GalleryScene.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Options {
  std::string screenshot;
  long frames = -1;  // no limit
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--screenshot") == 0 && hasValue) {
      options.screenshot = argv[++i];
    } else if (std::strcmp(argv[i], "--frames") == 0 && hasValue) {
      char* end = nullptr;
      options.frames = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || options.frames < 0) return false;
    } else {
      return false;
    }
  }
  return true;
}

int Run(const Options& options) {
  using namespace HV;
  using Gallery::GalleryScene;
  std::string error;
  std::unique_ptr<Platform::SdlWindow> window =
      Platform::SdlWindow::Open("HV Gallery", GalleryScene::kWidth, GalleryScene::kHeight, error);
  if (!window) {
    std::fprintf(stderr, "hv-gallery: no window: %s\n", error.c_str());
    return 1;
  }
  const RectT<int32_t> viewport{0, 0, GalleryScene::kWidth, GalleryScene::kHeight};
  RCPtr<LRenderer> renderer = LRenderer::Create(LRenderer::GdiPlus, viewport, window->GetPlatformWindow());
  SetApplicationRenderer(renderer);
  RCPtr<LRenderContextInfo> context;
  if (renderer->InitRenderContextInfo(viewport, window->GetPlatformWindow(), false, context) != S_OK) {
    std::fprintf(stderr, "hv-gallery: no drawing surface\n");
    return 1;
  }

  GalleryScene scene;
  int result = 0;
  const RectT<int32_t> moving = GalleryScene::GetMovingArea();
  for (uint32_t frame = 0; options.frames < 0 || frame < uint32_t(options.frames); ++frame) {
    // The first frame and an uncovered window show everything; later frames only what moved.
    const bool isWhole = frame == 0 || window->TakeWholeRepaint();
    context->GetUpdateRegion().Clear();
    context->GetUpdateRegion().AddRect(isWhole
                                           ? RegionRect{0, 0, viewport.width, viewport.height}
                                           : RegionRect{moving.x, moving.y, moving.Right(), moving.Bottom()});
    renderer->RenderStart(context);
    scene.Paint(*renderer, frame);
    renderer->RenderFinish(context);
    if (!options.screenshot.empty()) {
      Platform::BgraImage shot;
      std::vector<uint8_t> png;
      if (!window->Capture(shot) || !Platform::EncodePng(shot, png)) {
        std::fprintf(stderr, "hv-gallery: the window could not be captured\n");
        result = 1;
      } else if (FILE* file = std::fopen(options.screenshot.c_str(), "wb")) {
        const bool isWritten = std::fwrite(png.data(), 1, png.size(), file) == png.size();
        result = (std::fclose(file) == 0 && isWritten) ? 0 : 1;
      } else {
        result = 1;
      }
      if (result != 0) std::fprintf(stderr, "hv-gallery: cannot write %s\n", options.screenshot.c_str());
      break;
    }
    if (!window->ProcessEvents(33)) break;
  }
  SetApplicationRenderer(nullptr);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: hv-gallery [--screenshot FILE] [--frames N]\n");
    return 2;
  }
  return Run(options);
}
