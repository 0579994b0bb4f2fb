#include "HVFramework/Utilities/Storage/ParamValuePair.h"

namespace HV {

StringW ParamDescriptorToString(const ParamDescriptor& descriptor) {
  return StringW::FromFormat(u"%d", descriptor.paramID);
}

}  // namespace HV
