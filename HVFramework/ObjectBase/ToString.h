#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/TypeName.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <type_traits>

namespace HV {

namespace Detail {
template <class T> struct IsCountedPointer : std::false_type {};
template <class T> struct IsCountedPointer<ConstRCPtr<T>> : std::true_type {};
template <class T> struct IsCountedPointer<RCPtr<T>> : std::true_type {};
}  // namespace Detail

// The text of a value: a counted object's own ToString (empty for a null
// pointer); for types without a text form, the type's run-time name, the
// same for every value of the type (keys of hashed lists).
template <class T>
StringW ToString(const T& value) {
  if constexpr (Detail::IsCountedPointer<T>::value)
    return value ? value->ToString() : StringW();
  else
    return StringW(TypeName(typeid(T)).c_str());
}

}  // namespace HV
