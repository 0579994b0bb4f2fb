#include "Panel/UI/PresetEditorCommon/LEncoderEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"

namespace HV {
namespace {

constexpr EditPanelKind kEncoderEdit{MoveableControlRecord::kLength, u"moveableTypePanel",
                                     "Cannot find child: moveableTypePanel", "LEncoderEditPanel::Initialize",
                                     false};
constexpr uint32_t kEncodersPerBank = 8;
constexpr uint32_t kEncoderCount = 32;

}  // namespace

LEncoderEditPanel::LEncoderEditPanel(LControl* parent, const StringW& name)
    : LElementEditPanel(parent, name, kEncoderEdit) {}

LEncoderEditPanel::~LEncoderEditPanel() = default;

RCPtr<LControl>& LEncoderEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                           const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LEncoderEditPanel>(result, parent, descriptor);
}

void LEncoderEditPanel::SetEncoderLabelText(uint32_t index) {
  if (index >= kEncoderCount) return;
  const RCPtr<LLabel> knob = DynamicCast<LLabel>(FindChildControl(StringW(u"knobName")));
  if (!knob) ThrowNullPointer("Couldn't find child knobName", HV_HERE("LEncoderEditPanel::SetEncoderLabelText"));
  const RCPtr<LLabel> bank = DynamicCast<LLabel>(FindChildControl(StringW(u"bankName")));
  if (!bank) ThrowNullPointer("Couldn't find child bankName", HV_HERE("LEncoderEditPanel::SetEncoderLabelText"));
  knob->SetText(StringW::FromFormat(knob->GetString(StringW(u"LABEL")).GetText(), index % kEncodersPerBank + 1));
  bank->SetText(StringW::FromFormat(bank->GetString(StringW(u"LABEL")).GetText(), index / kEncodersPerBank + 1));
}

}  // namespace HV
