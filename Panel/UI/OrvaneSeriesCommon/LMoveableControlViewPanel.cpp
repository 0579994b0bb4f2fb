#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlViewPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"
#include "Panel/UI/OrvaneSeriesCommon/LMIDIChannelViewPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"

namespace HV {

LMoveableControlViewPanel::LMoveableControlViewPanel(LControl* parent, const StringW& name) : LPanel(parent, name) {}

LMoveableControlViewPanel::~LMoveableControlViewPanel() = default;

RCPtr<LControl>& LMoveableControlViewPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                   const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LMoveableControlViewPanel>(result, parent, descriptor);
}

StringW LMoveableControlViewPanel::InfoText(const LControl& label, const ElementRecord& record) {
  using namespace MoveableControlRecord;
  const auto byte = [&record](uint32_t index) { return static_cast<int>(*record.GetItemPtr(index)); };
  const auto text = [&label](const char16_t* id) { return label.GetString(StringW(id)); };
  const int type = byte(kNumber);
  const unsigned parameter = static_cast<unsigned>(byte(kParam1) + 128 * byte(kParam2));
  if (byte(kMessageGroup) == 0) return StringW::FromFormat(text(u"CC_LABEL").GetText(), static_cast<unsigned>(type));
  if (type == kRpnCoarse || type == kRpnFine) return StringW::FromFormat(text(u"RPN_LABEL").GetText(), parameter);
  if (type == kNrpnCoarse || type == kNrpnFine) return StringW::FromFormat(text(u"NRPN_LABEL").GetText(), parameter);
  if (type < kChannelPressure) return text(u"OTHER_LABEL");
  if (type == kChannelPressure) return text(u"AFTERTOUCH_LABEL");
  if (type == kPitchBend) return text(u"PITCHBEND_LABEL");
  return text(u"SYSEX_LABEL");
}

void LMoveableControlViewPanel::SetParamRecord(const ElementRecord& record) {
  if (record.GetCount() != MoveableControlRecord::kLength) return;
  if (const auto channel = DynamicCast<LMIDIChannelViewPanel>(FindChildControl(StringW(u"midiChannel"))))
    channel->SetChannel(static_cast<int8_t>(*record.GetItemPtr(MoveableControlRecord::kMidiChannel)));
  const auto label = DynamicCast<LLabel>(FindChildControl(StringW(u"infoLabel")));
  if (!label) return;
  label->SetText(InfoText(*label, record));
}

}  // namespace HV
