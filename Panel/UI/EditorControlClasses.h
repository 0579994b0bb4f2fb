#pragma once

// The editor's own control classes as its skin names them
// ("PresetEditor.MainControl"), each with the create function the control
// factory builds it with. This table is the one place they are listed; the
// application registers it at start-up after the framework's classes.

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <span>

namespace HV {
class LControlFactory;
}

namespace HV::Editor {

struct EditorControlClass {
  const WChar* name;  // matched exactly, letter case included
  LControlDescriptor::CreateFunction create;
};

// Every row, in registration order.
std::span<const EditorControlClass> GetEditorControlClasses();

// Registers every row in table order and answers how many were registered.
// A refused row throws the Failed Result exception; the rows after it are
// not offered.
int32_t RegisterEditorControlClasses(LControlFactory& factory);

}  // namespace HV::Editor
