#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <utility>

namespace HV {

// LWrapper<V, Base>: a plain value class V made a counted object; usable as a V.
template <class V, class Base = LRefCountedObject>
class LWrapper : public V, public virtual Base {
 public:
  LWrapper() = default;
  explicit LWrapper(const V& value) : V(value) {}
  explicit LWrapper(V&& value) : V(std::move(value)) {}

  V& GetValue() { return *this; }
  const V& GetValue() const { return *this; }
};

}  // namespace HV
