#pragma once

#include "tools/skin-generator/SkinDescription.h"

#include <string>

namespace HV::SkinGenerator {

// ArtLayoutWriter: where the art goes, for the build's art composer. It
// lists the skin's colours (the art draws in the same palette), every image the looks draw (its picture file and rectangle) and
// every control whose place the skin fixes in pixels (its path from its
// top-level control, class, rectangle within that top-level control and
// whether it shows at start), one a line:
//   colour NAME 0xAARRGGBB
//   image NAME FILE X Y W H
//   control PATH CLASS X Y W H VISIBLE
// A control placed relative to its parent or a sibling is left out, with
// everything below it: its place is known only once the window lays it out.
class ArtLayoutWriter {
 public:
  static std::string Write(const SkinDescription& description);
};

}  // namespace HV::SkinGenerator
