#include "Panel/UI/PresetEditorCommon/LWheelEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"
#include "Panel/UI/PresetEditorCommon/WheelRecord.h"

namespace HV {
namespace {

constexpr EditPanelKind kWheelEdit{WheelRecord::kLength, u"moveableTypePanel", "Cannot find child: moveableTypePanel",
                                   "LWheelEditPanel::Initialize", false};
constexpr int32_t kPitchWheel = 0;
constexpr int32_t kModWheel = 1;

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

void LWheelEditPanel::WriteTitle(int32_t index) {
  const RCPtr<LLabel> title = DynamicCast<LLabel>(FindChildControl(StringW(u"wheelName")));
  if (!title) return;
  if (index == kPitchWheel) title->SetText(title->GetString(StringW(u"PITCH_LABEL")));
  if (index == kModWheel) title->SetText(title->GetString(StringW(u"MOD_LABEL")));
}

ElementRecord LWheelEditPanel::ToEditorRecord(const ElementRecord& record) const {
  return WheelRecord::ToMoveable(record);
}

ElementRecord LWheelEditPanel::FromEditorRecord(const ElementRecord& record) const {
  return WheelRecord::FromMoveable(record);
}

}  // namespace HV
