#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <span>
#include <vector>

namespace HV {

// IXmlResourceSource: where the control factory finds the XML documents the
// program carries as resources (type "HVXML": "APP_SKINS", "APP_STRINGS",
// "FRAMEWORK_STRINGS"...).
class IXmlResourceSource {
 public:
  // The bytes of the named resource (upper case, '_' for '.' and blanks);
  // empty when there is none or it is empty. A source whose bytes live as
  // long as it does answers with them in place; any other copies them into
  // storage and answers with storage. Either way the answer stays valid while
  // the source lives unchanged and storage is neither changed nor destroyed.
  virtual std::span<const uint8_t> FindXmlResource(const StringW& name,
                                                   std::vector<uint8_t>& storage) const = 0;
  virtual ~IXmlResourceSource() = default;
};

}  // namespace HV
