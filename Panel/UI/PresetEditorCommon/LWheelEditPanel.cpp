#include "Panel/UI/PresetEditorCommon/LWheelEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"
#include "Panel/UI/PresetEditorCommon/WheelRecord.h"

namespace HV {
namespace {

constexpr EditPanelKind kWheelEdit{WheelRecord::kLength, u"moveableTypePanel", "Cannot find child: moveableTypePanel",
                                   "LWheelEditPanel::Initialize", false};

}  // namespace

LWheelEditPanel::LWheelEditPanel(LControl* parent, const StringW& name) : LElementEditPanel(parent, name, kWheelEdit) {}

LWheelEditPanel::~LWheelEditPanel() = default;

RCPtr<LControl>& LWheelEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                         const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LWheelEditPanel>(result, parent, descriptor);
}

HResult LWheelEditPanel::Initialize() {
  const HResult result = LElementEditPanel::Initialize();
  if (Failed(result)) return result;
  if (!DynamicCast<LLabel>(FindChildControl(StringW(u"wheelName"))))
    ThrowNullPointer("couldn't find child wheelName", HV_HERE("LWheelEditPanel::Initialize"));
  return 0;
}

// Index 0 the pitch wheel, 1 the modulation wheel.
void LWheelEditPanel::WriteTitle(int32_t index) { WriteTitleFrom(u"wheelName", {u"PITCH_LABEL", u"MOD_LABEL"}, index); }

ElementRecord LWheelEditPanel::ToEditorRecord(const ElementRecord& record) const {
  return WheelRecord::ToMoveable(record);
}

ElementRecord LWheelEditPanel::FromEditorRecord(const ElementRecord& record) const {
  return WheelRecord::FromMoveable(record);
}

}  // namespace HV
