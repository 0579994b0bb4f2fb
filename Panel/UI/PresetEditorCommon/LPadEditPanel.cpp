#include "Panel/UI/PresetEditorCommon/LPadEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"

namespace HV {
namespace {

using namespace ColoredSwitchRecord;

constexpr SwitchEditKind kPadEdit{
    {kPadLength, u"midiPage", "Couldn't find viewTabControl page: midiPage", "LPadEditPanel::Initialize", false},
    u"padName",
    "Couldn't find child padName",
    {}};

}  // namespace

LPadEditPanel::LPadEditPanel(LControl* parent, const StringW& name)
    : LColoredSwitchEditPanel(parent, name, kPadEdit) {}

LPadEditPanel::~LPadEditPanel() = default;

RCPtr<LControl>& LPadEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                       const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LPadEditPanel>(result, parent, descriptor);
}

HResult LPadEditPanel::Initialize() {
  const HResult result = LColoredSwitchEditPanel::Initialize();
  if (Failed(result)) return result;
  GetEditor()->SetShowOnOffOnlyWhenLatching(true);
  return result;
}

HResult LPadEditPanel::SetPadIndex(int32_t index) {
  if (index < 0 || index >= kPadCount) return E_FAIL;
  WriteTitle(index);
  RequestValue();
  return 0;
}

void LPadEditPanel::WriteTitle(int32_t index) {
  if (index < 0 || index >= kPadCount) return;
  mPadIndex = index;
  if (const RCPtr<LLabel> title = DynamicCast<LLabel>(FindChildControl(StringW(u"padName"))))
    title->SetText(StringW::FromFormat(title->GetString(StringW(u"LABEL")).GetText(), index + 1));
}

}  // namespace HV
