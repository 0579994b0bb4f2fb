#include "Panel/UI/PresetEditorCommon/LFaderEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LFaderGroupPanel.h"

namespace HV {
namespace {

constexpr EditPanelKind kFaderEdit{MoveableControlRecord::kLength, u"moveableTypePanel",
                                     "Cannot find child: moveableTypePanel", "LFaderEditPanel::Initialize",
                                     true};

}  // namespace

LFaderEditPanel::LFaderEditPanel(LControl* parent, const StringW& name)
    : LElementEditPanel(parent, name, kFaderEdit) {}

LFaderEditPanel::~LFaderEditPanel() = default;

RCPtr<LControl>& LFaderEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                           const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LFaderEditPanel>(result, parent, descriptor);
}

HResult LFaderEditPanel::Initialize() {
  const HResult result = LElementEditPanel::Initialize();
  if (Failed(result)) return result;
  if (!DynamicCast<LLabel>(FindChildControl(StringW(u"faderName"))))
    ThrowNullPointer("Cannot find child: faderName", HV_HERE("LFaderEditPanel::Initialize"));
  return result;
}

void LFaderEditPanel::SetFaderLabelText(uint32_t index) {
  WriteBankTitles(*this, u"faderName", LFaderGroupPanel::kLayout, index, "LFaderEditPanel::SetFaderLabelText");
}

}  // namespace HV
