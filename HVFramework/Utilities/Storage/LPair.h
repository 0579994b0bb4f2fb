#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <utility>

namespace HV {

// LPair<K, V, ToStringFn>: a counted key/value pair, the entry of a hashed
// list. The value is held by value (a counted pointer value keeps its object
// alive). ToString gives ToStringFn applied to the key.
template <class K, class V, auto ToStringFn>
class LPair : public virtual LRefCountedObject {
 public:
  LPair(const K& key, const V& value) : mKey(key), mValue(value) {}

  const K& GetKey() const { return mKey; }
  const V& GetValue() const { return mValue; }
  V& GetValue() { return mValue; }
  void SetValue(const V& value) { mValue = value; }

  StringW ToString() const override { return ToStringFn(mKey); }

 private:
  K mKey;
  V mValue;
};

}  // namespace HV
