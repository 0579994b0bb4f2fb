#include "Panel/UI/OrvaneSeriesCommon/LKeybedZonePanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/UI/OrvaneSeriesCommon/KeybedZoneRecord.h"
#include "Panel/UI/OrvaneSeriesCommon/LMIDIChannelViewPanel.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

namespace HV {
namespace {

namespace Zone = KeybedZoneRecord;  // LControl has names of its own like these

}  // namespace

LKeybedZonePanel::LKeybedZonePanel(LControl* parent, const StringW& name) : LPanel(parent, name) {}

LKeybedZonePanel::~LKeybedZonePanel() = default;

RCPtr<LControl>& LKeybedZonePanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                          const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LKeybedZonePanel>(result, parent, descriptor);
}

HResult LKeybedZonePanel::Initialize() {
  const HResult result = LPanel::Initialize();
  if (Failed(result)) return result;
  mInfo = DynamicCast<LLabel>(FindChildControl(StringW(u"infoLabel")));
  if (!mInfo) ThrowNullPointer("Cannot find child: infoLabel ", HV_HERE("LKeybedZonePanel::Initialize"));
  return result;
}

void LKeybedZonePanel::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  const RCPtr<LLabel> title = DynamicCast<LLabel>(FindChildControl(StringW(u"zoneName")));
  if (!title) ThrowNullPointer("Cannot find child: zoneName", HV_HERE("LKeybedZonePanel::SetFirstParamID"));
  // The title's own "ZONE %d", so that a second placing titles it again.
  StringW format = title->GetString(StringW(u"LABEL"));
  if (format.IsEmpty()) format = title->GetText();
  title->SetText(StringW::FromFormat(format.GetText(), index + 1));
}

HResult LKeybedZonePanel::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool) {
  if (descriptor.paramID != GetFirstParamID()) return E_FAIL;
  const ElementRecord record = RecordFromValue(value);
  if (record.GetCount() != Zone::kLength) return E_FAIL;
  const int32_t first = *record.GetItemPtr(Zone::kFirstKey);
  const int32_t last = *record.GetItemPtr(Zone::kLastKey);
  mInfo->SetText(StringW::FromFormat(mInfo->GetString(StringW(u"INFO_TEXT")).GetText(),
                                     mKeyNames.NoteName(first), mKeyNames.OctaveName(first),
                                     mKeyNames.NoteName(last), mKeyNames.OctaveName(last)));
  if (const RCPtr<LMIDIChannelViewPanel> channel =
          DynamicCast<LMIDIChannelViewPanel>(FindChildControl(StringW(u"midiChannel"))))
    channel->SetChannel(*record.GetItemPtr(Zone::kChannel));
  return 0;
}

}  // namespace HV
