#pragma once

#include "HVFramework/Utilities/Storage/StringFwd.h"

namespace HV {

// Something with a text form. Callers include StringT.h to use the text.
class IStringable {
 public:
  virtual ~IStringable() = default;
  virtual StringW ToString() const = 0;
};

}  // namespace HV
