#include "Panel/UI/OrvaneSeriesCommon/LButtonControlViewPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"

namespace HV {

LButtonControlViewPanel::LButtonControlViewPanel(LControl* parent, const StringW& name) : LPanel(parent, name) {}

LButtonControlViewPanel::~LButtonControlViewPanel() = default;

RCPtr<LControl>& LButtonControlViewPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                 const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LButtonControlViewPanel>(result, parent, descriptor);
}

void LButtonControlViewPanel::SetParamRecord(const ElementRecord& /*record*/) {}

StringW LButtonControlViewPanel::InfoText(const LControl& /*label*/, const ElementRecord& /*record*/) {
  return StringW();
}

const char16_t* LButtonControlViewPanel::MmcLabelId(int /*command*/) { return u"MMC_OTHER_LABEL"; }

}  // namespace HV
