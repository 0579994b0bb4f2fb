#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/IXmlResourceSource.h"

namespace HV {

// LEmbeddedXmlResources: the "HVXML" resources of the program's resource
// table (the documents the build embeds, and those registered at run time).
// An embedded document is handed out where it lies (it lives as long as the
// program); one registered at run time is copied into the caller's storage:
// it may be replaced or removed while it is being read.
// Holds no state; any thread.
class LEmbeddedXmlResources : public IXmlResourceSource {
 public:
  std::span<const uint8_t> FindXmlResource(const StringW& name, std::vector<uint8_t>& storage) const override;
};

}  // namespace HV
