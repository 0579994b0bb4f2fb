#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/PooledObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

// LValueParam: the payload of "NID_VALUE_CHANGE": the value in the control's
// units and the normalised position it came from. Pooled, 4 per block.
class LValueParam : public virtual LRefCountedObject, public PooledObject<LValueParam, 4, true> {
 public:
  static RCPtr<LValueParam> Create(double value, double normalizedValue) {
    return RCPtr<LValueParam>(new LValueParam(value, normalizedValue));
  }

  double GetValue() const { return mValue; }
  double GetNormalizedValue() const { return mNormalizedValue; }

  // "ValueParam = %lf" with the value.
  StringW ToString() const override;

 private:
  LValueParam(double value, double normalizedValue) : mValue(value), mNormalizedValue(normalizedValue) {}

  const double mValue;
  const double mNormalizedValue;
};

}  // namespace HV
