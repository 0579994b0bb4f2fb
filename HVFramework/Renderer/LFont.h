#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

namespace HV {

// LFont: a font of the framework's font pool, handed to the renderers for
// measuring and drawing text. Only its identity is used so far; the font
// pool gives it its face, size and style.
class LFont : public virtual LRefCountedObject {
 protected:
  LFont() = default;
};

}  // namespace HV
