#pragma once

#include "tools/skin-generator/SkinDescription.h"

namespace HV::SkinGenerator {

// DescriptionChecks: the mistakes the skin reader would take silently and
// the program would show only as a missing look or an empty text: names
// defined twice or never, skin attributes it does not know or cannot read
// ("true" is false to it), layout references to controls that are not
// there, sibling controls of one name, and string tables that belong to no
// control of the skin. Throws a DescriptionError naming the place of the
// first one found.
class DescriptionChecks {
 public:
  static void Check(const SkinDescription& description);
};

}  // namespace HV::SkinGenerator
