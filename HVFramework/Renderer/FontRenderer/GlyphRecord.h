#pragma once

#include <cstdint>
#include <vector>

namespace HV {

// The coverage of one glyph: one byte a pixel, 0 transparent to 255 opaque,
// rows top to bottom, pitch bytes apart.
struct GlyphCoverage {
  int32_t width = 0;
  int32_t rows = 0;
  int32_t pitch = 0;
  std::vector<uint8_t> bytes;
};

// GlyphRecord: what the font renderer hands a glyph processor for each
// character: the pen on the baseline (pixels, relative to the text origin),
// the glyph box relative to the pen (y down: top is negative for ink above
// the baseline), the advance in 26.6 fixed point, the glyph index (0: none)
// and, for a glyph rasterised during this call only, its coverage.
struct GlyphRecord {
  uint32_t position = 0;
  uint32_t charCode = 0;
  float penX = 0;
  float penY = 0;
  int8_t left = 0;
  int8_t top = 0;
  int8_t right = 0;
  int8_t bottom = 0;
  int16_t advanceX = 0;
  int16_t advanceY = 0;
  uint32_t glyphIndex = 0;
  bool hasCoverage = false;
  GlyphCoverage coverage;
};

}  // namespace HV
