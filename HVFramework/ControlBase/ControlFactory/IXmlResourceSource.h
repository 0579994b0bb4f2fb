#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <span>

namespace HV {

// IXmlResourceSource: where the control factory finds the XML documents the
// program carries as resources (type "HVXML": "APP_SKINS", "APP_STRINGS",
// "FRAMEWORK_STRINGS"...). The bytes stay owned by the source and must stay
// valid while the factory reads them.
class IXmlResourceSource {
 public:
  // The bytes of the named resource (upper case, '_' for '.' and blanks);
  // empty when there is none.
  virtual std::span<const uint8_t> FindXmlResource(const StringW& name) const = 0;
  virtual ~IXmlResourceSource() = default;
};

}  // namespace HV
