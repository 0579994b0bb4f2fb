#pragma once

// The framework's control classes as a skin names them ("Framework.Button"),
// each with the create function the control factory builds it with. The
// application registers them once at start-up, in the order of the table,
// before its own classes.

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <functional>
#include <span>

namespace HV {

class LControlFactory;

struct FrameworkControlClass {
  const WChar* name;  // matched exactly, letter case included
  // Null while the control library has no such class yet: the row keeps its
  // place in the order but registers nothing.
  LControlDescriptor::CreateFunction create;
};

// All 39 rows in registration order. Several names share one class.
std::span<const FrameworkControlClass> GetFrameworkControlClasses();

// Enters one (name, create function) pair; negative when it is refused.
using ControlClassRegistrar =
    std::function<HResult(const StringW& name, LControlDescriptor::CreateFunction create)>;

// Registers every row that has a create function, in table order, and
// answers how many were registered. The first refused row ends the
// registration with the Failed Result exception (naming
// HV::LFrameworkApp::RunApplicationStartup); the rows after it are not
// offered.
int32_t RegisterFrameworkControlClasses(const ControlClassRegistrar& registrar);
int32_t RegisterFrameworkControlClasses(LControlFactory& factory);

}  // namespace HV
