#include "Panel/UI/PresetEditorCommon/LSustainPedalEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/PresetEditorCommon/SustainPedalRecord.h"

namespace HV {
namespace {

constexpr EditPanelKind kSustainPedalEdit{SustainPedalRecord::kLength, u"buttonTypePanel",
                                          "Couldn't find child buttonTypePanel",
                                          "LSustainPedalEditPanel::Initialize", true};

}  // namespace

LSustainPedalEditPanel::LSustainPedalEditPanel(LControl* parent, const StringW& name)
    : LElementEditPanel(parent, name, kSustainPedalEdit) {}

LSustainPedalEditPanel::~LSustainPedalEditPanel() = default;

RCPtr<LControl>& LSustainPedalEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LSustainPedalEditPanel>(result, parent, descriptor);
}

HResult LSustainPedalEditPanel::Initialize() {
  const HResult result = LElementEditPanel::Initialize();
  if (Failed(result)) return result;
  GetEditor()->SetTwoValueCyclesOnly(true);
  return result;
}

ElementRecord LSustainPedalEditPanel::ToEditorRecord(const ElementRecord& record) const {
  return SustainPedalRecord::ToButtonMessage(record);
}

ElementRecord LSustainPedalEditPanel::FromEditorRecord(const ElementRecord& record) const {
  return SustainPedalRecord::FromButtonMessage(record);
}

}  // namespace HV
