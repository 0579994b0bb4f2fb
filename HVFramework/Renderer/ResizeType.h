#pragma once

#include <cstdint>

namespace HV {

// How DrawBitmap fits an image into its destination (the skin's image-sizing
// attribute). Values from outside may be anything; renderers refuse others.
enum class ResizeType : int32_t {
  Stretch = 0,  // the source scaled to the destination
  Tile = 1,     // the source repeated at its own size from the top-left corner
  Center = 2,   // the source at its own size, centred
};

}  // namespace HV
