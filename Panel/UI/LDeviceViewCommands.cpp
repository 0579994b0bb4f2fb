// LDeviceView as the main window's command handler: the main menu, the
// global hot keys, the preset file dialogs, the dialogs of the keyboard and
// the user guide.
#include "Panel/UI/LDeviceView.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/System/DebugTrace.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/System/File.h"
#include "Panel/UI/DeviceOperation.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/LApplication.h"
#include "Panel/UI/OrvaneSeriesCommon/PresetNameRecord.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <string>

namespace HV {
namespace {

// The product name without its blanks.
constexpr const char16_t* kPresetFileExtension = u"TarselPresetEditor";

// What Save proposes for a preset without a name.
constexpr const char16_t* kUntitled = u"Untitled";

// The dialogs of the keyboard and the program, as the skin names them.
constexpr const WChar* kGlobalSettingsDialog = u"globalEditorControl";
constexpr const WChar* kRetrievePresetDialog = u"dialogRetrievePresetFromHardware";
constexpr const WChar* kSendPresetDialog = u"dialogSendPreset";
constexpr const WChar* kAboutDialog = u"dialogAbout";

StringW AppText(const char16_t* id) { return GetApplicationString(StringW(id)); }

LApplication* GetEditor() { return dynamic_cast<LApplication*>(LFrameworkApp::GetInstance()); }

// The menu items that need the keyboard: enabled only while its ports are open.
bool IsDeviceCommand(const StringW& commandId) {
  for (const NotificationName* name :
       {&kNidMenuFileSendPresetToDevice, &kNidMenuFileLoadPresetFromDevice, &kNidMenuFileGlobalSettingsReq})
    if (commandId == StringW(name->GetText())) return true;
  return false;
}

// The name of the preset the engine holds (its first parameter), without
// the blanks that fill it up; empty without an engine.
StringW HeldPresetName() {
  const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine();
  Variant value;
  if (!engine || Failed(engine->GetParamValue(ParamDescriptor(engine->GetFirstParamID()), &value))) return {};
  return PresetNameRecord::ToText(RecordFromValue(value)).Trim();
}

}  // namespace

// --- Registration ---

void LDeviceView::Listen(const RCPtr<LNotificationDistributor>& source, const NotificationName& name,
                         Handler handler) {
  // The framework sets the root window again after a change of skin: the
  // handlers stay registered once.
  if (!source || GetOwnHandler().HasHandler(source, name)) return;
  GetOwnHandler().SetNotification(handler, source, name);
}

void LDeviceView::RefreshIdleNotifications() {
  const RCPtr<LNotificationDistributor> window(GetRootWindow());
  Listen(window, kNidMenuFileLoadPresetFromDevice, &LDeviceView::OnRetrievePresetRequest);
  Listen(window, kNidMenuFileSendPresetToDevice, &LDeviceView::OnSendPresetRequest);
  Listen(window, kNidMenuFileLoadPresetFromFile, &LDeviceView::OnLoadPresetFromFileRequest);
  Listen(window, kNidMenuFileSavePresetToFile, &LDeviceView::OnSavePresetToFileRequest);
  Listen(window, kNidMenuFileExitReq, &LDeviceView::OnExitRequest);
  Listen(window, kNidMenuHelpAboutReq, &LDeviceView::OnAboutRequest);
  Listen(window, kNidMenuHelpOpenUserGuideReq, &LDeviceView::OnOpenUserGuideRequest);
  Listen(window, kNidMenuFileGlobalSettingsReq, &LDeviceView::OnGlobalSettingsRequest);
  // The hot keys arrive at the application centre.
  const RCPtr<LNotificationDistributor> centre(GetApplicationNotificationCenter().Get());
  Listen(centre, kNidMenuFileLoadPresetFromFile, &LDeviceView::OnLoadPresetFromFileRequest);
  Listen(centre, kNidMenuFileSendPresetToDevice, &LDeviceView::OnSendPresetRequest);
  Listen(centre, kNidMenuFileSavePresetToFile, &LDeviceView::OnSavePresetToFileRequest);
  Listen(centre, kNidMenuFileLoadPresetFromDevice, &LDeviceView::OnRetrievePresetRequest);
  // What the desktop's opener of the user guide reports when it failed.
  Listen(centre, kNidDocumentOpenFailed, &LDeviceView::OnUserGuideOpenFailed);
  LControl::RefreshIdleNotifications();
}

HResult LDeviceView::UpdateMenuItem(const RCPtr<LMenuDescriptor>& /*menu*/, int32_t /*index*/,
                                    const StringW& commandId, LMenuItemState& state) {
  if (IsDeviceCommand(commandId)) {
    const RCPtr<LMidiManager> midi = LApplication::GetMidiManager();
    state.enabled = midi && midi->ArePortsOpen();
  }
  return 0;
}

// --- Exit, dialogs, user guide ---

HResult LDeviceView::OnExitRequest(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  GetApplicationNotificationCenter()->CreateAndPostNotification(kNidAppExitReq);
  return 1;
}

HResult LDeviceView::OnGlobalSettingsRequest(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  RunDeviceDialog(kGlobalSettingsDialog, u"LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_CAPTION");
  return 1;
}

HResult LDeviceView::OnRetrievePresetRequest(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  RunDeviceDialog(kRetrievePresetDialog, u"LABEL_GET_PRESET_FAILED_MSGBOX_CAPTION");
  return 1;
}

HResult LDeviceView::OnSendPresetRequest(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  RunDeviceDialog(kSendPresetDialog, u"LABEL_SEND_PRESET_FAILED_MSGBOX_CAPTION");
  return 1;
}

HResult LDeviceView::OnAboutRequest(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  RunDialog(kAboutDialog);
  return 1;
}

void LDeviceView::RunDeviceDialog(const WChar* name, const WChar* busyCaptionId) {
  // The keyboard answers one transfer at a time: a device command that comes
  // (by its hot key) while a device dialog or a transfer runs waits for the user instead.
  LApplication* editor = GetEditor();
  if (mDeviceOperationRunning || (editor && editor->GetBusyRunner().IsBusy())) {
    ShowDeviceBusyBox(busyCaptionId);
    return;
  }
  const RCPtr<LControl> self(this);
  mDeviceOperationRunning = true;
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{mDeviceOperationRunning};
  RunDialog(name);
}

bool LDeviceView::RunDialog(const WChar* name) {
  LApplication* editor = GetEditor();
  if (!editor) return false;
  const RCPtr<LDialog> dialog = DynamicCast<LDialog>(editor->CreateControl(StringW(name), nullptr));
  if (!dialog) {
    DebugTrace::Get().WriteLine(u"LDeviceView: the skin has no dialog " + std::u16string(name));
    return false;
  }
  editor->RunModalWindow(dialog);
  return true;
}

HResult LDeviceView::OnOpenUserGuideRequest(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  LApplication* editor = GetEditor();
  if (!editor) return 1;
  const StringW folder = editor->GetFolder(LApplicationBase::kProgramFolder);
  const StringW name = AppText(u"USER_GUIDE_FILE_NAME");
  // No program folder or no name: there is nothing to open. The opener runs
  // on its own; a failure it reports later comes as "NID_DOCUMENT_OPEN_FAILED".
  const bool isStarted = !folder.IsEmpty() && !name.IsEmpty() &&
                         editor->OpenDocument(StringW((std::u16string(folder.GetView()) + u"/" +
                                                       std::u16string(name.GetView())).c_str()));
  if (!isStarted) ShowUserGuideFailure();
  return 1;
}

HResult LDeviceView::OnUserGuideOpenFailed(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  ShowUserGuideFailure();
  return 1;
}

void LDeviceView::ShowUserGuideFailure() {
  ShowApplicationMessageBox(AppText(u"LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_TEXT"),
                            AppText(u"LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_CAPTION"), LFrameworkApp::kMessageBoxOk);
}

// --- Preset files ---

StringW LDeviceView::GetPresetFileExtension() const { return StringW(kPresetFileExtension); }

StringW LDeviceView::GetPresetFilePattern() const {
  return StringW((u"*." + std::u16string(kPresetFileExtension)).c_str());
}

StringW LDeviceView::GetPresetFileFilter() const {
  const std::u16string extension(kPresetFileExtension);
  const std::u16string filter = std::u16string(AppText(u"CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_1").GetView()) +
                                extension + u")|*." + extension +
                                std::u16string(AppText(u"CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_2").GetView());
  return StringW(filter.c_str());
}

LFileDialog* LDeviceView::GetFileDialog() {
  // Made when first needed: the dialog belongs to the main window, which
  // exists by then. It starts where presets were chosen last, never in the
  // program's working folder.
  if (!mFileDialog)
    if (LApplication* editor = GetEditor()) mFileDialog = editor->CreateFileDialog(editor->GetPresetFolder());
  return mFileDialog.Get();
}

StringW LDeviceView::GetProposedPresetFileName() const {
  const StringW name = File::MakeValidFileName(HeldPresetName());
  return StringW((std::u16string(name.IsEmpty() ? kUntitled : name.GetView()) + u"." + kPresetFileExtension).c_str());
}

void LDeviceView::KeepChosenFolder(const LFileDialog& dialog) {
  if (LApplication* editor = GetEditor()) editor->KeepPresetFolder(dialog.GetLastFolder());
}

HResult LDeviceView::ShowLoadPresetDialog(StringW& path) {
  LFileDialog* dialog = GetFileDialog();
  if (!dialog) return E_FAIL;
  const HResult result =
      dialog->Open(GetPresetFileFilter(), GetPresetFileExtension(), AppText(u"LOAD_PRESET_DIALOG_TITLE"), false);
  if (Failed(result)) return result;
  path = dialog->GetFileName();
  KeepChosenFolder(*dialog);
  return result;
}

HResult LDeviceView::ShowSavePresetDialog(StringW& path) {
  LFileDialog* dialog = GetFileDialog();
  if (!dialog) return E_FAIL;
  // The default extension completes a name typed without one.
  const HResult result = dialog->Save(GetPresetFileFilter(), GetPresetFileExtension(),
                                     AppText(u"SAVE_PRESET_DIALOG_TITLE"), -1, GetProposedPresetFileName());
  if (Failed(result)) return result;
  path = dialog->GetFileName();
  KeepChosenFolder(*dialog);
  return result;
}

int32_t LDeviceView::LoadPresetFromFile() {
  StringW path;
  int32_t result = ShowLoadPresetDialog(path);
  if (result < 0 || !mPresetManager) return result;
  const RCPtr<LControl> self(this);
  result = mPresetManager->Load(path);
  if (result < 0) mPresetManager->ShowLoadError(result);
  return result;
}

HResult LDeviceView::SavePresetToFile() {
  StringW path;
  HResult result = ShowSavePresetDialog(path);
  // The manager tells the user itself when a save fails.
  if (Succeeded(result) && mPresetManager) result = mPresetManager->Save(path);
  return result;
}

HResult LDeviceView::OnLoadPresetFromFileRequest(const RCPtr<LNotificationDistributor>&,
                                                 const RCPtr<LNotification>&) {
  LoadPresetFromFile();
  return 1;
}

HResult LDeviceView::OnSavePresetToFileRequest(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  SavePresetToFile();
  return 1;
}

}  // namespace HV
