#include "HVFramework/Utilities/Storage/StorageErrors.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/TypeName.h"

namespace HV::Detail {

std::string ContainerFunctionName(const char* container, const std::type_info& item,
                                  std::initializer_list<uint32_t> arguments, const char* method) {
  std::string name = std::string("HV::") + container + "<" + TypeName(item);
  for (uint32_t argument : arguments) {
    name += ',';
    name += std::to_string(argument);
  }
  return name + ">::" + method;
}

void ThrowOutOfRange(const std::string& function, const char* file, int line) {
  Throw<std::out_of_range>(SourceLocation{function.c_str(), file, line});
}

void ThrowRuntimeError(const std::string& function, const char* file, int line) {
  Throw<std::runtime_error>(SourceLocation{function.c_str(), file, line});
}

}  // namespace HV::Detail
