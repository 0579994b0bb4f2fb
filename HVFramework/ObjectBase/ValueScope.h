#pragma once

#include <utility>

namespace HV {

// ValueScope<T>: gives a variable a value for the life of a scope and puts
// back the value it had when the scope ends, also when an exception ends it.
// Scopes on one variable nest: an inner one gives back what the outer one
// set, never a default. The variable outlives the scope and belongs to the
// thread that makes it; a scope is neither copied nor moved.
//   const ValueScope notDropDown(mDropDownMode, false);
template <class T>
class ValueScope {
 public:
  ValueScope(T& variable, T value) : mVariable(variable), mSaved(std::exchange(variable, std::move(value))) {}
  ~ValueScope() { mVariable = std::move(mSaved); }
  ValueScope(const ValueScope&) = delete;
  ValueScope& operator=(const ValueScope&) = delete;

 private:
  T& mVariable;
  T mSaved;
};

// The variable's type decides: ValueScope(count, 0) for a uint32_t count.
template <class T, class U>
ValueScope(T&, U) -> ValueScope<T>;

// FlagScope: a flag set for the life of a scope (a re-entrancy guard, a
// "busy" mark), then back to what it was.
//   const FlagScope inLayout(mInLayout);
class FlagScope : public ValueScope<bool> {
 public:
  explicit FlagScope(bool& flag) : ValueScope<bool>(flag, true) {}
};

}  // namespace HV
