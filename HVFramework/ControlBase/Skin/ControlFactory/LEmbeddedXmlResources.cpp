#include "HVFramework/ControlBase/Skin/ControlFactory/LEmbeddedXmlResources.h"

#include "HVFramework/Platform/Graphics/Resources.h"

namespace HV {

std::span<const uint8_t> LEmbeddedXmlResources::FindXmlResource(const StringW& name,
                                                                std::vector<uint8_t>& storage) const {
  if (!Platform::LoadResource("HVXML", name.ToCharString().GetView(), storage)) return {};
  return storage;
}

}  // namespace HV
