#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"

#include <string>

namespace HV {
namespace {

constexpr GroupKind kEncoderGroup{u"knobEditPanel", "knobEditPanel knob found", LDeviceView::kEncoderPanel, false,
                                  "LEncoderGroupPanel::Initialize"};
constexpr int32_t kBanks = 4;
constexpr int32_t kEncodersPerBank = 8;

StringW Numbered(const char16_t* stem, int32_t number) {
  std::u16string text(stem);
  for (char c : std::to_string(number)) text += static_cast<char16_t>(c);
  return StringW(text.c_str());
}

}  // namespace

LEncoderGroupPanel::LEncoderGroupPanel(LControl* parent, const StringW& name)
    : LElementGroupPanel(parent, name, kEncoderGroup) {}

LEncoderGroupPanel::~LEncoderGroupPanel() = default;

RCPtr<LControl>& LEncoderGroupPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                            const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LEncoderGroupPanel>(result, parent, descriptor);
}

void LEncoderGroupPanel::CollectTiles() {
  RCPtr<LControl> banks[kBanks];
  for (int32_t bank = 0; bank < kBanks; ++bank) {
    banks[bank] = FindChildControl(Numbered(u"encoderBank", bank + 1));
    if (!banks[bank])
      ThrowNullPointer("can not find child encoderBank" + std::to_string(bank + 1),
                       HV_HERE("LEncoderGroupPanel::Initialize"));
  }
  for (const RCPtr<LControl>& bank : banks)
    for (int32_t n = 1; n <= kEncodersPerBank; ++n) AppendTile(bank, Numbered(u"encoder", n));
}

}  // namespace HV
