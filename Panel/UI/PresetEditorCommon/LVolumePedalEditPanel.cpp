#include "Panel/UI/PresetEditorCommon/LVolumePedalEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"

namespace HV {
namespace {

constexpr EditPanelKind kVolumePedalEdit{MoveableControlRecord::kLength, u"moveableTypePanel",
                                         "Cannot find child: moveableTypePanel",
                                         "LVolumePedalEditPanel::Initialize", true};

}  // namespace

LVolumePedalEditPanel::LVolumePedalEditPanel(LControl* parent, const StringW& name)
    : LElementEditPanel(parent, name, kVolumePedalEdit) {}

LVolumePedalEditPanel::~LVolumePedalEditPanel() = default;

RCPtr<LControl>& LVolumePedalEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                               const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LVolumePedalEditPanel>(result, parent, descriptor);
}

}  // namespace HV
