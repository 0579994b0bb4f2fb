#pragma once

#include <string>
#include <typeinfo>

namespace HV {

// The name of a class as the framework's messages quote it: the class keyword,
// a blank and the qualified name, template arguments written the same way
// ("class HV::ConstRCPtr<class HV::LIBuffer>").
std::string TypeName(const std::type_info& type);

}  // namespace HV
