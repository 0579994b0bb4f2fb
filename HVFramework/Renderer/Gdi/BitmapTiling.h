#pragma once

#include "HVFramework/Platform/2D/Graphics2D.h"
#include "HVFramework/Platform/2D/Surface2D.h"

#include <cstdint>

namespace HV {

// How a tiled bitmap is built: by drawing copies of the source, or by
// filling with the source as a texture brush. Both give the same pixels;
// copies are cheaper for few repeats.
enum class TileMethod { Automatic, Copies, TextureBrush };

// Fills (0, 0, width, height) of g with source repeated at its own size from
// the corner. Automatic picks copies below three repeats each way. A source
// without pixels draws nothing.
void TileBitmap(Platform::Graphics2D& g, const Platform::Surface2D& source, int32_t width, int32_t height,
                TileMethod method);

}  // namespace HV
