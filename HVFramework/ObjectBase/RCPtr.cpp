#include "HVFramework/ObjectBase/RCPtr.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/TypeName.h"

namespace HV::Detail {

thread_local const void* gUnsharingObject = nullptr;

void ThrowUnshareFailed(const std::type_info& type, const char* source, int line) {
  const std::string className = TypeName(type);
  const std::string function = "HV::ConstRCPtr<" + className + ">::Unshare";
  Throw<std::logic_error>(className, SourceLocation{function.c_str(), source, line});
}

}  // namespace HV::Detail

