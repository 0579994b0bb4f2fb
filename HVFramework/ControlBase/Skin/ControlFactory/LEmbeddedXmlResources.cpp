#include "HVFramework/ControlBase/Skin/ControlFactory/LEmbeddedXmlResources.h"

#include "HVFramework/Platform/Graphics/Resources.h"

namespace HV {

std::span<const uint8_t> LEmbeddedXmlResources::FindXmlResource(const StringW& name,
                                                                std::vector<uint8_t>& storage) const {
  const auto utf8 = name.ToCharString();
  // Embedded documents are read where they lie: the skin is a megabyte.
  if (const std::span<const uint8_t> bytes = Platform::FindEmbeddedResource("HVXML", utf8.GetView()); !bytes.empty())
    return bytes;
  if (!Platform::LoadResource("HVXML", utf8.GetView(), storage)) return {};
  return storage;
}

}  // namespace HV
