#include "Panel/UI/OrvaneSeriesCommon/LButtonControlEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/OrvaneSeriesCommon/ButtonMessageRecord.h"

namespace HV {

LButtonControlEditPanel::LButtonControlEditPanel(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LButtonControlEditPanel::~LButtonControlEditPanel() = default;

RCPtr<LControl>& LButtonControlEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                 const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LButtonControlEditPanel>(result, parent, descriptor);
}

HResult LButtonControlEditPanel::Initialize() { return LPanel::Initialize(); }

void LButtonControlEditPanel::SetParamRecord(const ElementRecord& /*record*/) {}

ElementRecord LButtonControlEditPanel::GetParamRecord() {
  ElementRecord record;
  record.SetCount(ButtonMessageRecord::kLength);
  for (uint32_t i = 0; i < record.GetCount(); ++i) *record.GetItemPtr(i) = 0;
  return record;
}

void LButtonControlEditPanel::SetShowOnOffOnlyWhenLatching(bool showOnlyWhenLatching) {
  mShowOnOffOnlyWhenLatching = showOnlyWhenLatching;
}

void LButtonControlEditPanel::SetTwoValueCyclesOnly(bool /*twoValuesOnly*/) {}

void LButtonControlEditPanel::NormalizeIncDecRecord(ElementRecord& /*record*/) {}

const WChar* LButtonControlEditPanel::PageName(int32_t /*page*/) { return nullptr; }

void LButtonControlEditPanel::UpdateCCCycleTypeVisibleParameters() {}
void LButtonControlEditPanel::UpdateProgramCycleTypeVisibleParameters() {}

HResult LButtonControlEditPanel::OnChildValueChanged(const RCPtr<LNotificationDistributor>&,
                                                     const RCPtr<LNotification>&) {
  return 1;
}
HResult LButtonControlEditPanel::OnCCCycleTypeChanged(const RCPtr<LNotificationDistributor>&,
                                                      const RCPtr<LNotification>&) {
  return 1;
}
HResult LButtonControlEditPanel::OnProgramCycleTypeChanged(const RCPtr<LNotificationDistributor>&,
                                                           const RCPtr<LNotification>&) {
  return 1;
}

}  // namespace HV
