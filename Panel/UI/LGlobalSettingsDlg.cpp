#include "Panel/UI/LGlobalSettingsDlg.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Notification/LNotificationCenter.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/UIThread.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/GlobalParameters.h"
#include "Panel/UI/DeviceOperation.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/LApplication.h"

#include <cmath>
#include <string>

namespace HV {
namespace {

constexpr const char* kInitialize = "LGlobalSettingsDlg::Initialize";

// One row of the dialog: where its control is, how it starts, and how its
// value maps to the keyboard's (sent = shown + offset).
struct Setting {
  const WChar* container;
  const char* missingContainer;  // the exceptions' details
  const char* missingValue;
  bool isComboBox;
  std::optional<std::pair<double, double>> range;
  std::u16string_view key;
  int32_t offset;
};

// In the order the dialog looks them up.
constexpr std::array<Setting, LGlobalSettingsDlg::kSettingCount> kSettings = {{
    {u"controlCurve", "Could not find child ControlCurve", "Could not find child numericUpDown", true,
     std::pair{0.0, 3.0}, u"CURVE_ACCELLERATION", 0},
    {u"keyOctave", "Could not find child Key Octave", "Could not find child numericUpDown", false,
     std::pair{-4.0, 5.0}, u"KEY_OCTAVE", 5},
    {u"keySensitivity", "Could not find child keySensitivity", "Could not find child comboBox", true,
     std::pair{0.0, 6.0}, u"KEY_SENSITIVITY", 0},
    {u"keyTranspose", "Could not find child keyTranspose", "Could not find child numericUpDown", false,
     std::pair{-12.0, 12.0}, u"KEY_TRANSPOSE", 12},
    {u"lsb", "Could not find child lsb", "Could not find child numericUpDown", false, std::pair{0.0, 127.0},
     u"GLOBAL_BANK_LSB", 0},
    {u"msb", "Could not find child msb", "Could not find child numericUpDown", false, std::pair{0.0, 127.0},
     u"GLOBAL_BANK_MSB", 0},
    {u"mackieHUIToggle", "Could not find child mackieHUIToggle", "Could not find child numericUpDown", true,
     std::nullopt, u"MACKIE_HUI_ENABLED", 0},
    {u"midiChannel", "Could not find child midiChannel", "Could not find child comboBox", true, std::nullopt,
     u"Global_Channel", 1},
    {u"padOctave", "Could not find child padOctave", "Could not find child numericUpDown", false,
     std::pair{-5.0, 5.0}, u"PAD_OCTAVE", 5},
    {u"padSensitivity", "Could not find child padSensitivity", "Could not find child numericUpDown", true,
     std::pair{0.0, 9.0}, u"PAD_SENSITIVITY", 0},
    {u"padTranspose", "Could not find child padTranspose", "Could not find child numericUpDown", false,
     std::pair{-12.0, 12.0}, u"PAD_TRANSPOSE", 12},
    {u"program", "Could not find child program", "Could not find child numericUpDown", false,
     std::pair{0.0, 127.0}, u"GLOBAL_PROGRAM", 0},
    {u"xyPadSensitivity", "Could not find child xyPadSensitivity", "Could not find child combo box", true,
     std::nullopt, u"XY_SENSITIVITY", 0},
    {u"midiDin", "Could not find child midiDin", "Could not find child comboBox", true, std::nullopt,
     u"MIDI_DIN_OUT", 0},
}};

// The rows whose controls start at 0, in the order they are set.
constexpr std::array<std::u16string_view, 4> kZeroedAtStart = {u"PAD_OCTAVE", u"PAD_TRANSPOSE", u"KEY_OCTAVE",
                                                               u"KEY_TRANSPOSE"};

// The key octave's control runs from -4 to 5, but the keyboard takes -3 to 4.
constexpr double kLowestKeyOctave = -3, kHighestKeyOctave = 4;

// The manager's answer for a keyboard whose firmware cannot be used.
constexpr HResult kFirmwareNotUsable = -2;

constexpr const WChar* kErrorCaption = u"LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_CAPTION";

// The X/Y pad's own parameters: no control here, never sent nor requested.
bool IsXYPadParameter(std::u16string_view key) {
  return key == u"XYPAD_VELOCITY" || key == u"XYPAD_FRACTION" || key == u"XYPAD_REBOUND";
}

std::optional<size_t> FindRow(std::u16string_view key) {
  for (size_t row = 0; row < kSettings.size(); ++row)
    if (kSettings[row].key == key) return row;
  return std::nullopt;
}

// The parameters the dialog transfers, in wire order.
std::vector<std::u16string_view> TransferredKeys() {
  std::vector<std::u16string_view> keys;
  for (const GlobalParameters::Row& parameter : GlobalParameters::kTable)
    if (!IsXYPadParameter(parameter.key) && FindRow(parameter.key)) keys.push_back(parameter.key);
  return keys;
}

StringW AppText(const WChar* id) { return GetApplicationString(StringW(id)); }

void ShowError(const StringW& text, const StringW& caption) {
  ShowApplicationMessageBox(text, caption, LFrameworkApp::kMessageBoxIconError);
}

StringW ToStringW(std::u16string_view text) {
  return StringW(std::u16string(text).c_str());
}

}  // namespace

LGlobalSettingsDlg::LGlobalSettingsDlg(LControl* parent, const StringW& name) : LOwnHandlerControl(parent, name) {}

RCPtr<LControl>& LGlobalSettingsDlg::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                            const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LGlobalSettingsDlg>(result, parent, descriptor);
}

// --- Initialize ---

void LGlobalSettingsDlg::Listen(Handler handler, const RCPtr<LNotificationDistributor>& source,
                                const NotificationName& name) {
  const HResult registered = GetOwnHandler().SetNotification(handler, source, name);
  if (Failed(registered)) ThrowFailedResult(registered, HV_HERE(kInitialize));
}

void LGlobalSettingsDlg::FindFields() {
  for (size_t row = 0; row < kSettings.size(); ++row) {
    const Setting& setting = kSettings[row];
    Field& field = mFields[row];
    field.container = FindChildControl(StringW(setting.container));
    if (!field.container) ThrowNullPointer(setting.missingContainer, HV_HERE(kInitialize));
    const RCPtr<LControl> value =
        field.container->FindChildControl(StringW(setting.isComboBox ? u"comboBox" : u"numericUpDown"));
    if (setting.isComboBox)
      field.comboBox = DynamicCast<LComboBox>(value);
    else
      field.upDown = DynamicCast<LNumericUpDown>(value);
    if (!field.comboBox && !field.upDown) ThrowNullPointer(setting.missingValue, HV_HERE(kInitialize));
    if (setting.range) field.GetControl().SetRange(setting.range->first, setting.range->second, kLinear);
  }
}

HResult LGlobalSettingsDlg::Initialize() {
  const HResult result = LDialog::Initialize();
  if (Failed(result)) return result;
  FindFields();
  const Field& keyOctave = mFields[*FindRow(u"KEY_OCTAVE")];
  keyOctave.upDown->SetValue(0);
  Listen(&LGlobalSettingsDlg::OnKeyOctaveChanged, RCPtr<LNotificationDistributor>(keyOctave.upDown.Get()),
         kNidValueChange);
  for (const Field& field : mFields)
    if (&field != &keyOctave)
      Listen(&LGlobalSettingsDlg::OnFieldChanged, RCPtr<LNotificationDistributor>(&field.GetControl()),
             field.comboBox ? kNidSelectionChange : kNidValueChange);
  // The channel's caption names it the global one.
  const Field& channel = mFields[*FindRow(u"Global_Channel")];
  if (const RCPtr<LLabel> label = DynamicCast<LLabel>(channel.container->FindChildControl(StringW(u"label"))))
    label->SetText(label->GetString(StringW(u"GLOBAL_LABEL")));

  const RCPtr<LControl> getButton = DynamicCast<LButton>(FindChildControl(StringW(u"getGlobalSettingsButton")));
  if (!getButton) ThrowNullPointer("getSettingsButton child not found", HV_HERE(kInitialize));
  Listen(&LGlobalSettingsDlg::OnGetSettingsClicked, RCPtr<LNotificationDistributor>(getButton.Get()), kNidLeftClick);
  const RCPtr<LControl> sendButton = DynamicCast<LButton>(FindChildControl(StringW(u"sendGlobalSettingsButton")));
  if (!sendButton) ThrowNullPointer("sendSettingsButton child not found", HV_HERE(kInitialize));
  Listen(&LGlobalSettingsDlg::OnSendSettingsClicked, RCPtr<LNotificationDistributor>(sendButton.Get()),
         kNidLeftClick);

  // Built without the program (a preview of the skin), the dialog only shows
  // itself; in the program it cannot work without the manager.
  mMidiManager = LApplication::GetMidiManager();
  if (!mMidiManager && LApplicationBase::GetBase())
    ThrowNullPointer("Could not find MidiManager", HV_HERE(kInitialize));
  if (mMidiManager)
    Listen(&LGlobalSettingsDlg::OnParameterReceived, RCPtr<LNotificationDistributor>(mMidiManager.Get()),
           kNidMidiManagerParameterRecieved);
  // Reports that arrive on a worker are queued; the application centre's
  // notification brings the user-interface thread to them.
  mReplyCentre = GetApplicationNotificationCenter();
  if (mReplyCentre)
    Listen(&LGlobalSettingsDlg::OnRepliesPosted, RCPtr<LNotificationDistributor>(mReplyCentre.Get()),
           kNidGlobalSettingsReceived);

  for (std::u16string_view key : kZeroedAtStart) mFields[*FindRow(key)].upDown->SetValue(0);
  return result;
}

void LGlobalSettingsDlg::RefreshIdleNotifications() {
  LOwnHandlerControl::RefreshIdleNotifications();
  LRootWindow* window = GetRootWindow();
  if (!window || mIsOpenFetchPosted || !IsCreated()) return;
  // Fetched from the window's queue, once the dialog's loop runs.
  mIsOpenFetchPosted = true;
  const RCPtr<LNotificationDistributor> source(window);
  if (Succeeded(GetOwnHandler().SetNotification(&LGlobalSettingsDlg::OnOpened, source, kNidGlobalSettingsOpened)))
    window->CreateAndPostNotification(kNidGlobalSettingsOpened);
}

HResult LGlobalSettingsDlg::OnOpened(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  // Without the keyboard there is nothing to fetch; its buttons tell the user.
  if (!mIsClosed && mMidiManager && mMidiManager->ArePortsOpen()) FetchSettings();
  return 1;
}

// --- Values ---

std::optional<int32_t> LGlobalSettingsDlg::ReadField(size_t row) const {
  const Field& field = mFields[row];
  if (field.kept) return field.kept;
  if (field.comboBox) {
    const int32_t index = field.comboBox->GetSelectedIndex();
    if (index < 0) return std::nullopt;
    return index + kSettings[row].offset;
  }
  return static_cast<int32_t>(std::trunc(field.upDown->GetValue())) + kSettings[row].offset;
}

std::vector<LGlobalSettingsDlg::Outgoing> LGlobalSettingsDlg::ComputeOutgoing(std::optional<Refusal>& refusal) {
  std::vector<Outgoing> outgoing;
  refusal.reset();
  for (std::u16string_view key : TransferredKeys()) {
    const size_t row = *FindRow(key);
    const std::optional<int32_t> value = ReadField(row);
    if (!value || !GlobalParameters::IsGlobalParameterValueValid(key, *value)) {
      StringW caption;
      for (const WChar* name : {u"label", u"controlNameLabel"})
        if (const RCPtr<LControl> label = mFields[row].container->FindChildControl(StringW(name)))
          if (caption.IsEmpty()) caption = label->GetText();
      refusal = Refusal{key, caption.IsEmpty() ? ToStringW(key) : caption};
      return {};
    }
    outgoing.push_back({key, *value});
  }
  return outgoing;
}

void LGlobalSettingsDlg::ShowValue(std::u16string_view key, int32_t value) {
  const std::optional<size_t> row = FindRow(key);
  if (!row) return;
  Field& field = mFields[*row];
  const int32_t shown = value - kSettings[*row].offset;
  mIsShowingReply = true;
  if (field.comboBox && field.comboBox->SetSelectedIndex(shown) < 0) {
    // No item for it: the box shows the keyboard's value itself, never its
    // last item nor a blank.
    const StringW text = StringW::FromFormat(u"%d", value);
    field.comboBox->SetText(text);
    if (LTextBox* textBox = field.comboBox->GetTextBox()) textBox->SetText(text);
  } else if (!field.comboBox)
    field.upDown->SetValue(shown);  // the control keeps it in its range
  mIsShowingReply = false;
  field.kept.reset();
  const std::optional<int32_t> read = ReadField(*row);
  if (read != value && GlobalParameters::IsGlobalParameterValueValid(key, value)) field.kept = value;
}

void LGlobalSettingsDlg::ForgetKeptValue(const LNotificationDistributor* control) {
  if (mIsShowingReply) return;
  for (Field& field : mFields)
    if (static_cast<const LNotificationDistributor*>(&field.GetControl()) == control) field.kept.reset();
}

HResult LGlobalSettingsDlg::OnFieldChanged(const RCPtr<LNotificationDistributor>& sender, const RCPtr<LNotification>&) {
  ForgetKeptValue(sender.Get());
  return 1;
}

HResult LGlobalSettingsDlg::OnKeyOctaveChanged(const RCPtr<LNotificationDistributor>& sender,
                                               const RCPtr<LNotification>&) {
  ForgetKeptValue(sender.Get());
  LControl& octave = *mFields[*FindRow(u"KEY_OCTAVE")].upDown;
  const double value = octave.GetValue();
  if (value > kHighestKeyOctave)
    octave.SetNormalizedValue(octave.ValueToNormalized(kHighestKeyOctave));
  else if (value < kLowestKeyOctave)
    octave.SetNormalizedValue(octave.ValueToNormalized(kLowestKeyOctave));
  return 1;
}

// --- Replies ---

HResult LGlobalSettingsDlg::OnParameterReceived(const RCPtr<LNotificationDistributor>&,
                                                const RCPtr<LNotification>& notification) {
  const RCPtr<LMidiParameterNotification> reply =
      notification ? DynamicCast<LMidiParameterNotification>(notification->GetPayload())
                   : RCPtr<LMidiParameterNotification>();
  if (!reply) return 1;
  if (IsUIThread()) {
    ShowValue(reply->GetKey().GetView(), reply->GetValue());
    return 1;
  }
  {
    std::lock_guard<std::mutex> hold(mRepliesLock);
    mQueuedReplies.push_back(reply);
  }
  if (mReplyCentre) mReplyCentre->CreateAndPostNotification(kNidGlobalSettingsReceived);
  return 1;
}

HResult LGlobalSettingsDlg::OnRepliesPosted(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  ApplyQueuedReplies();
  return 1;
}

void LGlobalSettingsDlg::ApplyQueuedReplies() {
  std::vector<RCPtr<LMidiParameterNotification>> replies;
  {
    std::lock_guard<std::mutex> hold(mRepliesLock);
    replies.swap(mQueuedReplies);
  }
  for (const RCPtr<LMidiParameterNotification>& reply : replies)
    ShowValue(reply->GetKey().GetView(), reply->GetValue());
}

// --- Transfers ---

HResult LGlobalSettingsDlg::OnSendSettingsClicked(const RCPtr<LNotificationDistributor>&,
                                                  const RCPtr<LNotification>&) {
  SendSettings();
  return 1;
}

HResult LGlobalSettingsDlg::OnGetSettingsClicked(const RCPtr<LNotificationDistributor>&,
                                                 const RCPtr<LNotification>&) {
  FetchSettings();
  return 1;
}

std::optional<HResult> LGlobalSettingsDlg::SendSettings() {
  if (!mMidiManager || !mMidiManager->ArePortsOpen()) return ReportFailure(-1, true);
  std::optional<Refusal> refusal;
  const std::vector<Outgoing> outgoing = ComputeOutgoing(refusal);
  if (refusal) {
    std::u16string text(AppText(u"LABEL_GLOBALSETTINGS_VALUE_INVALID_MESSAGEBOX_TEXT").GetView());
    if (const size_t at = text.find(u"%s"); at != std::u16string::npos)
      text.replace(at, 2, refusal->caption.GetView());
    ShowError(StringW(text.c_str()), AppText(kErrorCaption));
    return E_INVALIDARG;
  }
  if (!mShowsKeyboardSettings && !ConfirmSendingUnread()) return S_FALSE;
  const std::optional<HResult> result = RunTransfer(true, outgoing);
  // Sent whole, the keyboard now holds what the dialog shows.
  if (result == S_OK) mShowsKeyboardSettings = true;
  return result;
}

bool LGlobalSettingsDlg::ConfirmSendingUnread() {
  const int32_t answer =
      ShowApplicationMessageBox(AppText(u"LABEL_GLOBALSETTINGS_SEND_CONFIRM_TEXT"), GetString(StringW(u"LABEL")),
                                LFrameworkApp::kMessageBoxYesNo | LFrameworkApp::kMessageBoxIconWarning);
  return answer == LDialog::kYes;
}

std::optional<HResult> LGlobalSettingsDlg::FetchSettings() {
  if (!mMidiManager || !mMidiManager->ArePortsOpen()) {
    mShowsKeyboardSettings = false;
    return ReportFailure(-1, true);
  }
  std::vector<Outgoing> requested;
  for (std::u16string_view key : TransferredKeys()) requested.push_back({key, 0});
  const std::optional<HResult> result = RunTransfer(false, requested);
  // Only a whole fetch makes the controls the keyboard's settings; one that
  // stopped part-way leaves some of them as they were.
  if (result) mShowsKeyboardSettings = *result == S_OK;
  return result;
}

std::optional<HResult> LGlobalSettingsDlg::RunTransfer(bool isSend, const std::vector<Outgoing>& outgoing) {
  const RCPtr<LControl> self(this);  // the dialog stays while its boxes show
  bool isFirmwareUsable = true;
  const std::optional<HResult> result = RunDeviceOperation(
      [&](LMidiManager& manager) -> HResult {
        isFirmwareUsable = manager.IsDeviceFirmwareVersionUseable();
        if (!isFirmwareUsable) return kFirmwareNotUsable;
        for (const Outgoing& setting : outgoing) {
          const HResult sent = isSend ? manager.SetNonPresetParameter(setting.key, setting.value, true)
                                      : manager.RequestNonPresetParameterFromDevice(setting.key, true);
          if (sent < 0) return sent;
        }
        return 0;
      },
      kErrorCaption);
  // What arrived after the loop's last pass.
  ApplyQueuedReplies();
  if (!result || *result >= 0) return result;
  return ReportFailure(*result, isFirmwareUsable);
}

HResult LGlobalSettingsDlg::ReportFailure(HResult result, bool isFirmwareUsable) {
  if (isFirmwareUsable)
    ShowError(AppText(u"LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_TEXT"), AppText(kErrorCaption));
  else
    ShowError(AppText(u"LABEL_SEND_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT"),
              AppText(u"LABEL_SEND_PRESET_FAILED_MSGBOX_CAPTION"));
  return result;
}

}  // namespace HV
