#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <memory>

namespace HV {

// LHolder<T>: one value-initialised T travelling as a counted object (the
// engine's connection state, for example). The holder owns the value.
template <class T>
class LHolder : public virtual LRefCountedObject {
 public:
  LHolder() : mValue(new (std::nothrow) T()) {}
  // Holds a copy of value (a notification payload made in one step).
  explicit LHolder(const T& value) : mValue(new (std::nothrow) T(value)) {}

  // Null only when the value could not be allocated.
  T* GetValue() const { return mValue.get(); }

 private:
  std::unique_ptr<T> mValue;
};

}  // namespace HV
