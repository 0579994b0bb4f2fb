// Feeds arbitrary bytes to the control factory as a skin document and as a
// string-table document (in the language the first byte picks), then builds
// menus and hot keys from every table that was read. Nothing may crash, hang
// or leak; a loaded skin must answer its lookups.
#include "HVFramework/ControlBase/Skin/ControlFactory/IXmlResourceSource.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Skin/HotKeyMap.h"
#include "HVFramework/ControlBase/Skin/Menu/MenuBuilder.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

class OneDocument : public HV::IXmlResourceSource {
 public:
  explicit OneDocument(std::span<const uint8_t> bytes) : mBytes(bytes) {}
  std::span<const uint8_t> FindXmlResource(const HV::StringW& name, std::vector<uint8_t>&) const override {
    return name == u"DOCUMENT" ? mBytes : std::span<const uint8_t>();
  }

 private:
  std::span<const uint8_t> mBytes;
};

// A skin read to its end has every SubControl's children in layout order; a
// load that failed may leave the open controls unsorted.
void WalkDescriptor(const HV::LControlDescriptor& control, int depth, bool loaded) {
  if (depth > 10000) std::abort();  // the tree cannot be deeper than the document
  const HV::RCPtrArray<HV::LControlDescriptor>& children = control.GetChildren();
  for (uint32_t i = 0; i < children.GetCount(); ++i) {
    const HV::LControlDescriptor& child = **children.GetItemPtr(i);
    if (child.GetParent() != &control) std::abort();
    if (loaded && i > 0 &&
        child.GetLayout()->layoutOrder < (*children.GetItemPtr(i - 1))->GetLayout()->layoutOrder)
      std::abort();
    WalkDescriptor(child, depth + 1, loaded);
  }
}

void UseStringTables(const HV::LControlFactory& factory) {
  for (const char16_t* key : {u"Framework", u"|App", u"T"}) {
    const HV::RCPtr<HV::LStringTable> table = factory.GetStringTable(HV::StringW(key));
    if (!table) continue;
    HV::MenuEntries entries(table->GetEntries().begin(), table->GetEntries().end());
    HV::BuildMenuFromEntries(entries)->Clone();
    HV::HotKeyMap map;
    HV::LoadHotKeysFromStringTable(map, table, HV::StringW(u"GHK"));
    table->GetIndexedTexts(HV::StringW(u"ITEM."));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 256 * 1024) return 0;
  static constexpr int32_t kLanguages[] = {0x0409, 0x0407, 0x0C04, 0x0011, 0x0009, 0x0425};
  const int32_t language = kLanguages[data[0] % std::size(kLanguages)];
  const OneDocument document({data + 1, size - 1});

  HV::LControlFactory factory{HV::StringW(u"App")};
  factory.SetResourceSource(&document);
  factory.SetBaseLocation(HV::StringW(u"::"));
  factory.LoadStringTables(HV::StringW(u"::DOCUMENT"), HV::StringW(u"::DOCUMENT"), language);
  UseStringTables(factory);

  const bool loaded = factory.LoadSkins(HV::StringW(u"::DOCUMENT")) == HV::S_OK;
  if (factory.GetCurrentSkinIndex() != 0) std::abort();
  for (uint32_t i = 0; i < factory.GetSkins().GetCount(); ++i) {
    factory.SetCurrentSkinIndex(static_cast<int32_t>(i));
    WalkDescriptor(**factory.GetSkins().GetItemPtr(i), 0, loaded);
    HV::StringW name;
    float fontSize = 0;
    int32_t style = 0;
    factory.GetSkinFont(name, fontSize, style);
    factory.FindControlDescriptor(HV::StringW(u"mainControl"));
  }
  return 0;
}
