#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <typeinfo>

namespace HV::Detail {

// "HV::<container><<item type>,<a>[,<b>]>::<method>", the way the messages of the
// container templates name their instantiation ("HV::RCPtrArray<class HV::LControl,1,0>::RemoveItem").
std::string ContainerFunctionName(const char* container, const std::type_info& item,
                                  std::initializer_list<uint32_t> arguments, const char* method);

// Throws Exception<E> "Kind : <that name> : file : Line n".
[[noreturn]] void ThrowOutOfRange(const std::string& function, const char* file, int line);
[[noreturn]] void ThrowRuntimeError(const std::string& function, const char* file, int line);

}  // namespace HV::Detail
