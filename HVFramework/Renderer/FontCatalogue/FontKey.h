#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <atomic>
#include <cstdint>

namespace HV {

// FontKey: the typeface family, size and style a text is drawn in, with the
// unique id that keys a font's glyph atlas. Style: 0 regular, 1 bold,
// 2 italic, 3 bold italic. Each Make takes a new id from a process-wide
// counter, so keep one key per font and reuse it.
struct FontKey {
  StringW family;
  float size = 0;
  int32_t style = 0;
  int32_t uniqueId = 0;

  static FontKey Make(const StringW& family, float size, int32_t style) {
    static std::atomic<int32_t> lastId{0};
    return FontKey{family, size, style, ++lastId};
  }
};

}  // namespace HV
