#include "Panel/UI/OrvaneSeriesCommon/LButtonControlViewPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"
#include "Panel/UI/OrvaneSeriesCommon/ButtonMessageRecord.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LMIDIChannelViewPanel.h"

namespace HV {
namespace {

// The texts of the MMC list's entries 0-11, by place in the list: the
// label does not depend on the list's (possibly translated) item texts.
constexpr const char16_t* kMmcLabelIds[ButtonMessageRecord::kMmcTableEntries] = {
    u"MMC_STOP_LABEL",   u"MMC_PLAY_LABEL",         u"MMC_DEFERREDPLAY_LABEL", u"MMC_FASTFORWARD_LABEL",
    u"MMC_REWIND_LABEL", u"MMC_RECORDSTROBE_LABEL", u"MMC_RECORDEXIT_LABEL",   u"MMC_RECORDPAUSE_LABEL",
    u"MMC_PAUSE_LABEL",  u"MMC_EJECT_LABEL",        u"MMC_CHASE_LABEL",        u"MMC_MMCRESET_LABEL"};

}  // namespace

LButtonControlViewPanel::LButtonControlViewPanel(LControl* parent, const StringW& name)
    : LPanel(parent, name) {}

LButtonControlViewPanel::~LButtonControlViewPanel() = default;

RCPtr<LControl>& LButtonControlViewPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                 const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LButtonControlViewPanel>(result, parent, descriptor);
}

const char16_t* LButtonControlViewPanel::MmcLabelId(int command) {
  const int32_t entry = ButtonMessageRecord::MmcEntryOf(command);
  return entry >= 0 ? kMmcLabelIds[entry] : u"MMC_OTHER_LABEL";
}

StringW LButtonControlViewPanel::InfoText(const LControl& label, const ElementRecord& shown) {
  using namespace ButtonMessageRecord;
  ElementRecord record = shown;
  LButtonControlEditPanel::NormalizeIncDecRecord(record);
  const auto byte = [&record](uint32_t index) { return static_cast<int>(*record.GetItemPtr(index)); };
  const auto text = [&label](const char16_t* id) { return label.GetString(StringW(id)); };
  const auto number = [&text](const char16_t* id, int value) {
    return StringW::FromFormat(text(id).GetText(), static_cast<unsigned>(value));
  };
  const int type = byte(kNumber);
  const int parameter = byte(kValue1) + 128 * byte(kLastValue);
  if (byte(kMessageGroup) == 0) return number(u"CC_LABEL", byte(kNumber));
  switch (type) {
    case kProgramChange:
      return number(u"PROGRAM_LABEL", byte(kData1));
    case kNote:
    case kNoteLatching:
      return number(u"NOTE_LABEL", byte(kData1));
    case kCcCycle:
    case kCcDecrement:
    case kCcIncrement:
      return number(u"CC_LABEL", byte(kData1));
    case kProgramDecrement:
    case kProgramIncrement:
      return text(u"PROGRAM_INC_DEC_LABEL");
    case kProgramCycle:
      return text(u"PROGRAM_CYCLE_LABEL");
    case kMmc:
      return text(MmcLabelId(byte(kValue1)));
    case kChannelPressure:
      return text(u"AFTERTOUCH_LABEL");
    case kRpnCoarse:
    case kRpnFine:
      return number(u"RPN_LABEL", parameter);
    case kNrpnCoarse:
    case kNrpnFine:
      return number(u"NRPN_LABEL", parameter);
    case kPitchBend:
      return text(u"PITCHBEND_LABEL");
    default:
      return text(type < kChannelPressure ? u"OTHER_LABEL" : u"SYSEX_LABEL");
  }
}

void LButtonControlViewPanel::SetParamRecord(const ElementRecord& record) {
  if (record.GetCount() != ButtonMessageRecord::kLength) return;
  if (const auto channel = DynamicCast<LMIDIChannelViewPanel>(FindChildControl(StringW(u"midiChannel"))))
    channel->SetChannel(static_cast<int8_t>(*record.GetItemPtr(ButtonMessageRecord::kMidiChannel)));
  const auto label = DynamicCast<LLabel>(FindChildControl(StringW(u"infoLabel")));
  if (!label) return;
  label->SetText(InfoText(*label, record));
}

}  // namespace HV
