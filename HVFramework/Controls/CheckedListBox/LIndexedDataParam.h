#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LIndexedDataParam: a notification payload naming one item of a list by its
// index, with an optional object that belongs to it.
class LIndexedDataParam : public virtual LRefCountedObject {
 public:
  static RCPtr<LIndexedDataParam> Create(const RCPtr<LRefCountedObject>& data, int32_t index) {
    return RCPtr<LIndexedDataParam>(new LIndexedDataParam(data, index));
  }

  // "LIndexedDataParam: Index = <index>, Data = " and the data's own text
  // (nothing for no data).
  StringW ToString() const override;

  RCPtr<LRefCountedObject> Data;
  int32_t Index = -1;

 protected:
  LIndexedDataParam(const RCPtr<LRefCountedObject>& data, int32_t index) : Data(data), Index(index) {}
};

// LIndexedDataWithValueParam: the same with a value, as the check
// notifications of the checked lists carry the check box's value (1 checked,
// 0 not).
class LIndexedDataWithValueParam : public LIndexedDataParam {
 public:
  static RCPtr<LIndexedDataWithValueParam> Create(const RCPtr<LRefCountedObject>& data, int32_t index,
                                                  double value) {
    return RCPtr<LIndexedDataWithValueParam>(new LIndexedDataWithValueParam(data, index, value));
  }

  // The base's text, then " Value = " and the value as "%lf" writes it.
  StringW ToString() const override;

  double Value = 0;

 protected:
  LIndexedDataWithValueParam(const RCPtr<LRefCountedObject>& data, int32_t index, double value)
      : LIndexedDataParam(data, index), Value(value) {}
};

}  // namespace HV
