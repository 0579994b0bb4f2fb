#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/Variant.h"

#include <cstdint>

namespace HV {

// IPresetValues: the model's 131 preset values, addressed from the root
// module's first parameter ID (0 to 130). Setting goes through the engine so
// the cache and the panels follow. Any thread.
class IPresetValues {
 public:
  virtual ~IPresetValues() = default;
  virtual Variant GetPresetValue(int32_t relativeParamID) = 0;
  virtual HResult SetPresetValue(int32_t relativeParamID, const Variant& value) = 0;
};

}  // namespace HV
