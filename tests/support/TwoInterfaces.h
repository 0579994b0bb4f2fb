#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

namespace HV::Test {

// Two interfaces over one counted part, and a class that is both: the shape
// of a panel that is also a device-model group. OnlyFirst is one of them alone.
class IFirst : public virtual LRefCountedObject {
 public:
  virtual int First() const { return 1; }
};
class ISecond : public virtual LRefCountedObject {
 public:
  virtual int Second() const { return 2; }
};
class Both : public IFirst, public ISecond {};
class OnlyFirst : public IFirst {};

}  // namespace HV::Test
