#include "Panel/UI/PresetEditorCommon/LEncoderEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"

namespace HV {
namespace {

constexpr EditPanelKind kEncoderEdit{MoveableControlRecord::kLength, u"moveableTypePanel",
                                     "Cannot find child: moveableTypePanel", "LEncoderEditPanel::Initialize",
                                     false};

}  // namespace

LEncoderEditPanel::LEncoderEditPanel(LControl* parent, const StringW& name)
    : LElementEditPanel(parent, name, kEncoderEdit) {}

LEncoderEditPanel::~LEncoderEditPanel() = default;

RCPtr<LControl>& LEncoderEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                           const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LEncoderEditPanel>(result, parent, descriptor);
}

void LEncoderEditPanel::SetEncoderLabelText(uint32_t index) {
  WriteBankTitles(*this, u"knobName", LEncoderGroupPanel::kLayout, index, "LEncoderEditPanel::SetEncoderLabelText");
}

}  // namespace HV
