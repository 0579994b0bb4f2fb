#pragma once

// Builds a control from the real skin's descriptor with one child left out,
// to see how a panel takes a skin that lacks a control it needs.

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace HV::Test {

// A copy of descriptor without the child at path (names of nested children);
// the descriptors along the path are copied, the others shared.
inline RCPtr<LControlDescriptor> WithoutChild(const LControlDescriptor& descriptor,
                                              const std::vector<const char16_t*>& path, size_t from = 0) {
  const RCPtr<LControlDescriptor> copy =
      LControlDescriptor::Clone(descriptor, descriptor.GetName(), descriptor.GetLayout());
  if (from >= path.size()) return copy;
  RCPtrArray<LControlDescriptor>& children = copy->GetChildren();
  for (uint32_t i = 0; i < children.GetCount(); ++i) {
    if (children.GetAt(i)->GetName() != StringW(path[from])) continue;
    RCPtr<LControlDescriptor> child;
    children.RemoveItem(i, child);
    if (from + 1 < path.size()) children.InsertItem(i, WithoutChild(*child, path, from + 1));
    break;
  }
  return copy;
}

// The message of the failure that creating a T from descriptor throws, ""
// when it makes one.
template <class T>
std::string CreationFailure(const RCPtr<LControlDescriptor>& descriptor) {
  RCPtr<LControl> made;
  try {
    CreateControlOfClass<T>(made, nullptr, descriptor);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

}  // namespace HV::Test
