#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <vector>

namespace HV {

// IProfileStore: the application's profile, binary values by section and
// name. The OS window keeps the main window's placement there. A store that
// cannot be read answers false; a failed write is not reported (a lost
// placement is no error). UI thread only.
class IProfileStore {
 public:
  virtual ~IProfileStore() = default;
  virtual bool GetBinary(const StringW& section, const StringW& name, std::vector<uint8_t>& value) const = 0;
  virtual void SetBinary(const StringW& section, const StringW& name, const std::vector<uint8_t>& value) = 0;
};

}  // namespace HV
