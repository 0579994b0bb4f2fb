#include "Panel/UI/OrvaneSeriesCommon/LMIDIChannelViewPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ObjectBase/Exception.h"

namespace HV {
namespace {

constexpr int8_t kGlobal = 0;
constexpr int8_t kFirstZone = 17;
constexpr int8_t kLastZone = 20;
constexpr int8_t kOmni = 21;

}  // namespace

LMIDIChannelViewPanel::LMIDIChannelViewPanel(LControl* parent, const StringW& name) : LPanel(parent, name) {}

LMIDIChannelViewPanel::~LMIDIChannelViewPanel() = default;

RCPtr<LControl>& LMIDIChannelViewPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                               const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LMIDIChannelViewPanel>(result, parent, descriptor);
}

HResult LMIDIChannelViewPanel::Initialize() {
  const HResult result = LPanel::Initialize();
  if (Failed(result)) return E_FAIL;
  mLabel = DynamicCast<LLabel>(FindChildControl(StringW(u"label")));
  if (!mLabel) ThrowNullPointer("Cannot find child midiChannelLabel", HV_HERE("LMIDIChannelViewPanel::Initialize"));
  return result;
}

bool LMIDIChannelViewPanel::ChannelText(const LControl& label, int8_t channel, StringW& text) {
  if (channel == kGlobal) {
    text = label.GetString(StringW(u"GLOBAL_LABEL"));
  } else if (channel == kOmni) {
    text = label.GetString(StringW(u"OMNI_LABEL"));
  } else if (channel < kFirstZone) {
    text = StringW::FromFormat(label.GetString(StringW(u"CHANNEL_LABEL")).GetText(), static_cast<int>(channel));
  } else if (channel <= kLastZone) {
    text = StringW::FromFormat(label.GetString(StringW(u"ZONE_LABEL")).GetText(),
                               static_cast<int>(channel - kFirstZone + 1));
  } else {
    return false;
  }
  return true;
}

void LMIDIChannelViewPanel::SetChannel(int8_t channel) {
  StringW text;
  if (mLabel && ChannelText(*mLabel, channel, text)) mLabel->SetText(text);
}

}  // namespace HV
