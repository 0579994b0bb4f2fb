#pragma once

#include "HVFramework/Renderer/LStencil.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

namespace HV {

// RenderState: where and how a context draws right now: the translation added
// to every coordinate, the clip rectangle (in translated coordinates), the
// alpha factor that looks may set, and the stencil with its active flag. A
// value; copying takes a new reference on the stencil.
struct RenderState {
  // So far out that nothing is clipped: -5e15 and 1e16 as single-precision
  // values, held as doubles.
  static constexpr double kUnclippedOrigin = -5000000136282112.0;
  static constexpr double kUnclippedSize = 10000000272564224.0;

  PointT<double> translation{0, 0};
  RectT<double> clipRect{kUnclippedOrigin, kUnclippedOrigin, kUnclippedSize, kUnclippedSize};
  float alphaFactor = 1.0f;
  bool isStencilActive = false;
  RCPtr<LStencil> stencil;
};

}  // namespace HV
