#pragma once

namespace HV {

// Edges: a box given by its four edges (left, top, right, bottom), y down,
// as texture quads and glyph bounds take it.
struct Edges {
  float left = 0;
  float top = 0;
  float right = 0;
  float bottom = 0;
};

}  // namespace HV
