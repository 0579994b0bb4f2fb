#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

namespace HV {

// LValueParam: the payload of "NID_VALUE_CHANGE": the value in the control's
// units and the normalised position it came from.
class LValueParam : public virtual LRefCountedObject {
 public:
  static RCPtr<LValueParam> Create(double value, double normalizedValue) {
    return RCPtr<LValueParam>(new LValueParam(value, normalizedValue));
  }

  double GetValue() const { return mValue; }
  double GetNormalizedValue() const { return mNormalizedValue; }

 private:
  LValueParam(double value, double normalizedValue) : mValue(value), mNormalizedValue(normalizedValue) {}

  const double mValue;
  const double mNormalizedValue;
};

}  // namespace HV
