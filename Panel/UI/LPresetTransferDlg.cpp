#include "Panel/UI/LPresetTransferDlg.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/UI/DeviceOperation.h"
#include "Panel/UI/LApplication.h"

namespace HV {
namespace {

StringW AppText(const WChar* id) { return GetApplicationString(StringW(id)); }

constexpr HResult kFirmwareNotUsable = -2;

// A language without the text shows nothing.
void ShowBox(const WChar* textId, const WChar* captionId, uint32_t style) {
  const StringW text = AppText(textId);
  if (!text.IsEmpty()) ShowApplicationMessageBox(text, AppText(captionId), style);
}

}  // namespace

LPresetTransferDlg::LPresetTransferDlg(LControl* parent, const StringW& name, const Texts& texts)
    : LOwnHandlerControl(parent, name), mTexts(texts) {}

HResult LPresetTransferDlg::Initialize() {
  const HResult result = LDialog::Initialize();
  if (Failed(result)) return result;
  mButton = DynamicCast<LButton>(FindChildControl(StringW(mTexts.button)));
  if (!mButton) ThrowNullPointer(mTexts.missingButton, HV_HERE(mTexts.function));
  const HResult registered =
      GetOwnHandler().SetNotification(&LPresetTransferDlg::OnButtonClicked, RCPtr<LNotificationDistributor>(mButton.Get()),
                                kNidLeftClick);
  if (Failed(registered)) ThrowFailedResult(registered, HV_HERE(mTexts.function));
  return result;
}

int32_t LPresetTransferDlg::GetSelectedSlot() {
  const RCPtr<LControl> holder = FindChildControl(StringW(u"presetSlot"));
  const RCPtr<LComboBox> list = holder ? DynamicCast<LComboBox>(holder->FindChildControl(StringW(u"comboBox")))
                                       : RCPtr<LComboBox>();
  return list ? list->GetSelectedIndex() : -1;
}

HResult LPresetTransferDlg::OnButtonClicked(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  TransferSlot(GetSelectedSlot());
  return 1;
}

std::optional<HResult> LPresetTransferDlg::TransferSlot(int32_t slot) {
  const RCPtr<LControl> self(this);  // the dialog stays while its box shows
  if (slot < 0 || slot > kLastSlot) {
    // Nothing was tried: the user is asked for a slot, not told of the keyboard.
    ShowBox(u"LABEL_PRESET_SLOT_INVALID_MSGBOX_TEXT", mTexts.errorCaption, LFrameworkApp::kMessageBoxIconWarning);
    return E_INVALIDARG;
  }
  const std::optional<HResult> result =
      RunDeviceOperation([&](LMidiManager& manager) { return Transfer(manager, slot); }, mTexts.errorCaption);
  if (result) ShowOutcome(*result);
  return result;
}

void LPresetTransferDlg::ShowOutcome(HResult result) {
  const bool isSuccess = result >= 0;
  const WChar* text = isSuccess                       ? mTexts.successText
                      : result == kFirmwareNotUsable ? mTexts.firmwareErrorText
                                                     : mTexts.connectionErrorText;
  ShowBox(text, isSuccess ? mTexts.successCaption : mTexts.errorCaption,
          isSuccess ? LFrameworkApp::kMessageBoxOk : LFrameworkApp::kMessageBoxIconError);
}

}  // namespace HV
