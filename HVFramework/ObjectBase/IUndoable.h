#pragma once

#include "HVFramework/ObjectBase/IStringable.h"

namespace HV {

// An object whose last change can be taken back. No class of the framework
// implements Undo; the reference-counted base throws.
class IUndoable : public IStringable {
 public:
  virtual void Undo() = 0;
};

}  // namespace HV
