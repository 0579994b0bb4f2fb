#pragma once

#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <cstdint>
#include <vector>

namespace HV::Gallery {

// GalleryScene: the picture the gallery program shows: bitmaps stretched,
// tiled and centred, colour gradients, shapes and text in several fonts, and
// a small bar that moves from frame to frame. Drawn through any renderer, so
// the window and a headless render can be compared at its probe points.
// User-interface thread only.
class GalleryScene {
 public:
  static constexpr int32_t kWidth = 800;
  static constexpr int32_t kHeight = 600;

  // A point of the scene with the straight colour it must show (the frame
  // number does not change it); 0 when only the window and the headless
  // render must agree.
  struct Probe {
    const char* what;
    int32_t x;
    int32_t y;
    uint32_t argb;
  };

  GalleryScene();

  // Draws frame number frame between RenderStart and RenderFinish.
  void Paint(LRenderer& renderer, uint32_t frame);
  // Where frame (above 0) differs from the frame before it.
  static RectT<int32_t> GetMovingArea();
  static const std::vector<Probe>& GetProbes();

 private:
  void PaintBitmaps(LRenderer& renderer);
  void PaintGradients(LRenderer& renderer);
  void PaintShapes(LRenderer& renderer);
  void PaintText(LRenderer& renderer);

  RCPtr<LBitmap> mChecker;
  RCPtr<LBitmap> mGradient;
  RCPtr<LBitmap> mBadge;
  ColorRectListT<float> mBand;
  PolylineT<float> mStar;
  PolylineT<float> mWave;
};

}  // namespace HV::Gallery
