// The editor's string documents: every text the application, its panels and
// dialogs look up is there under its table and ID, in English, exactly as
// the program must show it (its spellings and double blanks included).

#include "tests/Panel/Resources/EditorDocuments.h"

#include "HVFramework/Platform/Graphics/Resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

using Test::EditorDocuments;
using Test::Narrow;

struct TextRow {
  const char* table;
  const char* id;
  const char* text;
};

constexpr char kApp[] = "|PresetEditor";

// The application's own table: hot keys, messages, file dialogs, the user guide.
const TextRow kApplicationTexts[] = {
    {kApp, "GHK_WIN.NID_EDIT_COPY_REQ", "Ctrl+VKEY_C"},
    {kApp, "GHK_WIN.NID_EDIT_CUT_REQ", "Ctrl+VKEY_X"},
    {kApp, "GHK_WIN.NID_EDIT_PASTE_REQ", "Ctrl+VKEY_V"},
    {kApp, "GHK_WIN.NID_MENU_FILE_LOAD_PRESET_FROM_FILE", "Ctrl+VKEY_O"},
    {kApp, "GHK_WIN.NID_MENU_FILE_SAVE_PRESET_TO_FILE", "Ctrl+VKEY_S"},
    {kApp, "GHK_WIN.NID_MENU_FILE_SEND_PRESET_TO_DEVICE", "Ctrl+Shift+VKEY_S"},
    {kApp, "GHK_WIN.NID_MENU_FILE_LOAD_PRESET_FROM_DEVICE", "Ctrl+Shift+VKEY_R"},
    {kApp, "GHK.NID_EDIT_DELETE_REQ", "VKEY_DELETE"},
    {kApp, "GHK.NID_BUTTON_TOGGLE_DIALOG_BUTTON", "VKEY_D"},
    {kApp, "APP_VERSION", "Version"},
    {kApp, "SETTINGS_FILE_LOAD_CAPTION", "Preset File Load"},
    {kApp, "SETTINGS_FILE_LOAD_OLDER_MESSAGE", "Preset file is not compatible with this vesion of the preset editor"},
    {kApp, "SETTINGS_FILE_LOAD_NEWER_MESSAGE", "Preset file is not compatible with this version of the editor"},
    {kApp, "SETTINGS_FILE_LOAD_CORRUPT_MESSAGE", "Preset file is not compatible with this vesion of the preset editor"},
    {kApp, "SETTINGS_FILE_LOAD_WRONG_DEVICE_MESSAGE",
     "Preset file is not compatible with this vesion of the preset editor"},
    {kApp, "LABEL_GET_PRESET_FAILED_MSGBOX_CAPTION", "Retrieve Preset Error"},
    {kApp, "LABEL_GET_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
     "The Preset has failed to get from the device. Verify the device is connected to your computer via the USB "
     "cable."},
    {kApp, "LABEL_GET_PRESET_SUCEESS_MSGBOX_CAPTION", "Retrieve Sucessful"},
    {kApp, "LABEL_GET_PRESET_SUCEESS_MSGBOX_TEXT", "The preset has been sucessfully retreived."},
    {kApp, "LABEL_SEND_PRESET_FAILED_MSGBOX_CAPTION", "Send Preset Error"},
    {kApp, "LABEL_SEND_PRESET_FAILED_MIDI_ERROR_MSGBOX_TEXT",
     "Error connecting to device. Verify your Orvane Keyboard is plugged into the USB port and try again."},
    {kApp, "LABEL_SEND_PRESET_SUCEESS_MSGBOX_CAPTION", "Send Sucess"},
    {kApp, "LABEL_SEND_PRESET_SUCEESS_MSGBOX_TEXT", "The preset has been sucessfully sent to the device"},
    {kApp, "LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_CAPTION", "Global Settings Error"},
    {kApp, "LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_TEXT",
     "Error connecting to device. Verify your Orvane Keyboard is plugged into the USB port and try again."},
    {kApp, "USER_GUIDE_FILE_NAME", "Tarsel Preset Editor - User Guide - v1.2.pdf"},
    {kApp, "LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_TEXT", "The user guide could not be opened."},
    {kApp, "LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_CAPTION", "Open User Guide Error"},
    {kApp, "CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_1", "Control Panel Settings (*."},
    {kApp, "CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_2", "|All Files (*.*)|*.*"},
    {kApp, "LOAD_PRESET_DIALOG_TITLE", "Select Preset File"},
    {kApp, "SAVE_PRESET_DIALOG_TITLE", "Select Save Location"},
    {"Framework", "STARTUP_ERROR", "The application encountered problems during startup and will now close."},
    {"Framework", "STARTUP_ERROR_CAPTION", "Error"},
    {"Framework", "EXCEPTION_ID",
     "The application has encountered Error ID %d.  Please contact Halvern Technical Support."},
    {"Framework", "EDIT_CUT", "Cut"},
    {"Framework", "EDIT_COPY", "Copy"},
    {"Framework", "EDIT_PASTE", "Paste"},
    {"Framework", "EDIT_DELETE", "Delete"},
};

// The texts of the controls' own tables: labels, formats, tab captions and menus.
const TextRow kControlTexts[] = {
    {"PresetEditor.MainControl|mainMenu", "MENU_LABEL.00", "File"},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU0.00.NID_MENU_FILE_SEND_PRESET_TO_DEVICE",
     "Send Preset| Send this preset to the controller."},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU0.01.NID_MENU_FILE_LOAD_PRESET_FROM_DEVICE",
     "Retrieve Preset| Retreive a preset from the controller."},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU0.02.-", "-"},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU0.03.NID_MENU_FILE_LOAD_PRESET_FROM_FILE",
     "Load Preset | Load Preset from disk."},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU0.04.NID_MENU_FILE_SAVE_PRESET_TO_FILE",
     "Save Preset | Save Preset to disk"},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU0.05.-", "-"},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU0.06.NID_MENU_FILE_GLOBALSETTINGS_REQ", "Global Settings"},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU0.07.-", "-"},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU0.08.NID_MENU_FILE_EXIT_REQ", "Exit|Exit Tarsel Preset Editor"},
    {"PresetEditor.MainControl|mainMenu", "MENU_LABEL.01", "Help"},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU1.00.NID_MENU_HELP_OPEN_USER_GUIDE_REQ", "Open User Guide"},
    {"PresetEditor.MainControl|mainMenu", "CONTEXT_MENU1.01.NID_MENU_HELP_ABOUT_REQ",
     "About Tarsel Preset Editor|About Tarsel Preset Editor"},
    {"PresetEditor|mainControl", "GHK.NID_EDIT_DELETE_REQ", "VKEY_DELETE"},
    {"PresetEditor|mainControl", "GHK.NID_BUTTON_TOGGLE_DIALOG_BUTTON", "VKEY_D"},
    {"PresetEditor.Dialog.SendPresetToHardware|send", "LABEL", "SEND"},
    {"PresetEditor.Dialog.SendPresetToHardware|header", "LABEL", "SEND PRESET TO DEVICE"},
    {"PresetEditor.Dialog.RetrievePresetFromHardware|getButton", "LABEL", "GET"},
    {"PresetEditor.Dialog.RetrievePresetFromHardware|header", "LABEL", "GET PRESET FROM DEVICE"},
    {"PresetEditor.GlobalEditorControl|headerLabel", "LABEL", "GLOBAL SETTINGS"},
    {"PresetEditor.GlobalEditorControl|getGlobalSettingsButton", "LABEL", "Get Settings"},
    {"PresetEditor.GlobalEditorControl|sendGlobalSettingsButton", "LABEL", "Send Settings"},
    {"PresetEditor.Control.Global.LabeledGlobalChannel|label", "LABEL", "CHANNEL"},
    {"PresetEditor.Control.Global.LabeledGlobalChannel|label", "GLOBAL_LABEL", "GLOBAL CHANNEL"},
    {"PresetEditor.Control.Global.LabeledMackieHUIToggle|label", "LABEL", "MACKIE CONTROL / HUI"},
    {"PresetEditor.Control.Global.LabeledKeyOctave|label", "LABEL", "KEY OCTAVE"},
    {"PresetEditor.Control.Global.LabeledKeyTranspose|label", "LABEL", "KEY TRANSPOSE"},
    {"PresetEditor.Control.Global.LabeledKeySensitivity|label", "LABEL", "KEY CURVE"},
    {"PresetEditor.Control.Global.LabeledPadOctave|label", "LABEL", "PAD OCTAVE"},
    {"PresetEditor.Control.Global.LabeledPadTranspose|label", "LABEL", "PAD TRANSPOSE"},
    {"PresetEditor.Control.Global.LabeledPadSensitivity|label", "LABEL", "PAD CURVE"},
    {"PresetEditor.Control.Global.LabeledControlCurve|label", "LABEL", "ENCODER CURVE"},
    {"PresetEditor.Control.Global.LabeledxyPadSensitivity|label", "LABEL", "XY PAD CURVE"},
    {"PresetEditor.Control.Global.LabeledMidiDin|label", "LABEL", "MIDI DIN OUT"},
    {"PresetEditor.MainControl.DeviceView.PresetNameEditPanel|controlNameLabel", "LABEL", "PRESET NAME"},
    {"PresetEditor.MainControl.EncoderView.Encoder|encoderNameLabel", "LABEL", "E%d"},
    {"PresetEditor.MainPage.KnobEditPanel|knobName", "LABEL", "ENCODER %d"},
    {"PresetEditor.MainPage.KnobEditPanel|bankName", "LABEL", "BANK %d"},
    {"PresetEditor.MainPage.KnobEditPanel|midiLabel", "LABEL", "MIDI"},
    {"PresetEditor.MainControl.FaderView.Fader|faderNumberLabel", "LABEL", "F%d"},
    {"PresetEditor.MainPage.FaderEditPanel|faderName", "LABEL", "FADER %d"},
    {"PresetEditor.MainPage.FaderEditPanel|bankName", "LABEL", "BANK %d"},
    {"PresetEditor.MainPage.FaderEditPanel|midiLabel", "LABEL", "MIDI"},
    {"PresetEditor.TabControl.PageHolder.WheelsPage.Wheel|wheelName", "PITCH_LABEL", "P. WHEEL"},
    {"PresetEditor.TabControl.PageHolder.WheelsPage.Wheel|wheelName", "MOD_LABEL", "M. WHEEL"},
    {"PresetEditor.TabControl.PageHolder.WheelsPage.Wheel|midiLabel", "LABEL", "MIDI"},
    {"PresetEditor.Control.MovementTypes.TabControl.ButtonHolder|ccAbsolutePage", "LABEL", "CC ABSOLUTE"},
    {"PresetEditor.Control.MovementTypes.TabControl.ButtonHolder|ccRelativePage", "LABEL", "CC RELATIVE"},
    {"PresetEditor.Control.MovementTypes.TabControl.ButtonHolder|nrpnRpnPage", "LABEL", "RPN/NRPN"},
    {"PresetEditor.Control.MovementTypes.TabControl.ButtonHolder|otherPage", "LABEL", "OTHER"},
    {"PresetEditor.Control.LabeledCCSelector|controlNameLabel", "LABEL", "CC"},
    {"PresetEditor.Control.LabeledMinSelector|controlNameLabel", "LABEL", "MIN"},
    {"PresetEditor.Control.LabeledMaxSelector|controlNameLabel", "LABEL", "MAX"},
    {"PresetEditor.Control.LabeledMidiChannelSelector|controlNameLabel", "LABEL", "CHAN"},
    {"PresetEditor.Control.LabeledRelativeTypeSelector|controlNameLabel", "LABEL", "TYPE"},
    {"PresetEditor.Control.LabeledNrpnRpnSelector|controlNameLabel", "LABEL", "TYPE"},
    {"PresetEditor.Control.LabeledOtherSelector|controlNameLabel", "LABEL", "TYPE"},
    {"PresetEditor.Control.LabeledMSBSelector|controlNameLabel", "LABEL", "MSB"},
    {"PresetEditor.Control.LabeledLSBSelector|controlNameLabel", "LABEL", "LSB"},
    {"PresetEditor.MainControl.MoveableType.ViewPanel|infoLabel", "CC_LABEL", "CC:\n%u"},
    {"PresetEditor.MainControl.MoveableType.ViewPanel|infoLabel", "RPN_LABEL", "RPN:\n%u"},
    {"PresetEditor.MainControl.MoveableType.ViewPanel|infoLabel", "NRPN_LABEL", "NRPN:\n%u"},
    {"PresetEditor.MainControl.MoveableType.ViewPanel|infoLabel", "PITCHBEND_LABEL", "PITCH\nBEND"},
    {"PresetEditor.MainControl.MoveableType.ViewPanel|infoLabel", "AFTERTOUCH_LABEL", "CH. AFT."},
    {"PresetEditor.MainControl.MoveableType.ViewPanel|infoLabel", "SYSEX_LABEL", "SYSEX"},
    {"PresetEditor.MainControl.MoveableType.ViewPanel|infoLabel", "OTHER_LABEL", "OTHER"},
    {"PresetEditor.MainControl.MIDIChannelView|label", "GLOBAL_LABEL", "CH:G"},
    {"PresetEditor.MainControl.MIDIChannelView|label", "CHANNEL_LABEL", "CH:%d"},
    {"PresetEditor.MainControl.MIDIChannelView|label", "ZONE_LABEL", "CH:Z%d"},
    {"PresetEditor.MainControl.MIDIChannelView|label", "OMNI_LABEL", "CH:OM"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|notePage", "LABEL", "NOTE"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|mmcPage", "LABEL", "MMC"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|programPage", "LABEL", "PROGRAM"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|programCyclePage", "LABEL", "PROGRAM CYCLE"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|programIncDecPage", "LABEL", "PROGRAM INC/DEC"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|ccAbsolutePage", "LABEL", "CC ABSOLUTE"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|ccCyclePage", "LABEL", "CC CYCLE"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|ccIncDecPage", "LABEL", "CC INC/DEC"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|nrpnRpnPage", "LABEL", "RPN/NRPN"},
    {"PresetEditor.Control.ButtonModesControl.TabControl.ButtonHolder|otherPage", "LABEL", "OTHER"},
    {"PresetEditor.Control.LabeledCycleTypeSelector|controlNameLabel", "LABEL", "TYPE"},
    {"PresetEditor.Control.LabeledINCDecTypeSelector|controlNameLabel", "LABEL", "TYPE"},
    {"PresetEditor.Control.LabeledMMCSelector|controlNameLabel", "LABEL", "MMC"},
    {"PresetEditor.Control.LabeledLatchingSelector|controlNameLabel", "LABEL", "LATCH"},
    {"PresetEditor.Control.LabeledOnSelector|controlNameLabel", "LABEL", "ON"},
    {"PresetEditor.Control.LabeledOffSelector|controlNameLabel", "LABEL", "OFF"},
    {"PresetEditor.Control.LabeledPressedSelector|controlNameLabel", "LABEL", "DOWN"},
    {"PresetEditor.Control.LabeledReleasedSelector|controlNameLabel", "LABEL", "UP"},
    {"PresetEditor.Control.LabeledProgramSelector|controlNameLabel", "LABEL", "PROGRAM"},
    {"PresetEditor.Control.LabeledProgramSelector|controlNameLabel", "PROGRAM1_LABEL", "FIRST"},
    {"PresetEditor.Control.LabeledProgramSelector|controlNameLabel", "PROGRAM2_LABEL", "LAST"},
    {"PresetEditor.Control.LabeledProgramSelector|controlNameLabel", "PROGRAM3_LABEL", "VALUE 2"},
    {"PresetEditor.Control.LabeledProgramSelector|controlNameLabel", "PROGRAM4_LABEL", "VALUE 3"},
    {"PresetEditor.Control.LabeledCCValueSelector|controlNameLabel", "VALUE1_LABEL", "FIRST"},
    {"PresetEditor.Control.LabeledCCValueSelector|controlNameLabel", "VALUE2_LABEL", "LAST"},
    {"PresetEditor.Control.LabeledCCValueSelector|controlNameLabel", "VALUE3_LABEL", "VALUE 2"},
    {"PresetEditor.Control.LabeledCCValueSelector|controlNameLabel", "VALUE4_LABEL", "VALUE 3"},
    {"PresetEditor.Control.LabeledCCValueSelector|controlNameLabel", "LABEL", "VALUE"},
    {"PresetEditor.Control.LabeledNoteSelector|controlNameLabel", "LABEL", "NOTE"},
    {"PresetEditor.Control.LabeledNoteSelector|controlNameLabel", "START_NOTE_LABEL", "FIRST"},
    {"PresetEditor.Control.LabeledNoteSelector|controlNameLabel", "END_NOTE_LABEL", "LAST"},
    {"PresetEditor.Control.LabeledNoteSelector|controlNameLabel", "MULTI_NOTE_LABEL", "NOTE %d"},
    {"PresetEditor.Control.LabeledNoteSelector|controlNameLabel", "KEY_LABEL", "KEY"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "CC_LABEL", "CC:\n%u"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "PROGRAM_LABEL", "PG:\n%u"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "NOTE_LABEL", "NT:\n%u"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "RPN_LABEL", "RPN:\n%u"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "NRPN_LABEL", "NRPN:\n%u"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "PROGRAM_CYCLE_LABEL", "PG\nCYCLE"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "PROGRAM_INC_DEC_LABEL", "PG\nINC/DEC"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "OTHER_LABEL", "OTHER"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "AFTERTOUCH_LABEL", "CH. AFT."},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "PITCHBEND_LABEL", "PITCH\nBEND"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "SYSEX_LABEL", "SYSEX"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_STOP_LABEL", "STOP"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_PLAY_LABEL", "PLAY"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_DEFERREDPLAY_LABEL", "PLAY"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_FASTFORWARD_LABEL", "FF"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_REWIND_LABEL", "RR"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_RECORDSTROBE_LABEL", "REC"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_RECORDEXIT_LABEL", "REC"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_RECORDPAUSE_LABEL", "REC"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_PAUSE_LABEL", "PAUSE"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_EJECT_LABEL", "EJECT"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_CHASE_LABEL", "CHASE"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_MMCRESET_LABEL", "RESET"},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_OTHER_LABEL", "MMC"},
    {"PresetEditor.MainControl.ButtonView.Button|buttonNumberLabel", "LABEL", "B%d"},
    {"PresetEditor.MainPage.ButtonEditPanel|buttonName", "LABEL", "BUTTON %d"},
    {"PresetEditor.MainPage.ButtonEditPanel|bankName", "LABEL", "BANK %d"},
    {"PresetEditor.MainPage.ButtonEditPanel.TabControl.ButtonHolder|midiPage", "LABEL", "MIDI"},
    {"PresetEditor.MainPage.ButtonEditPanel.TabControl.ButtonHolder|colorPage", "LABEL", "COLORS"},
    {"PresetEditor.MainPage.ButtonEditPanel.TabControl.ButtonHolder|asciiPage", "LABEL", "HID"},
    {"PresetEditor.Control.LabeledButtonColorSelector|colorNameLabel", "NUMBERED_COLOR_LABEL", "COLOR %d"},
    {"PresetEditor.Control.LabeledButtonColorSelector|colorNameLabel", "ASCII_COLOR_LABEL", "HID COLOR"},
    {"PresetEditor.Control.LabeledKeySelector|controlNameLabel", "LABEL", "KEY"},
    {"PresetEditor.Control.LabeledModifierKeySelector|controlNameLabel", "LABEL", "MOD KEY"},
    {"PresetEditor.MainControl.PadView.Pad|padNumberLabel", "LABEL", "P%d"},
    {"PresetEditor.MainPage.PadEditPanel|padName", "LABEL", "PAD %d"},
    {"PresetEditor.MainPage.PadEditPanel.TabControl.ButtonHolder|midiPage", "LABEL", "MIDI"},
    {"PresetEditor.MainPage.PadEditPanel.TabControl.ButtonHolder|colorPage", "LABEL", "COLOR"},
    {"PresetEditor.Control.LabeledPadColorSelector|colorNameLabel", "NUMBERED_COLOR_LABEL", "COLOR %d"},
    {"PresetEditor.MainPage.VolumeEditPanel|controlNameLabel", "LABEL", "VOLUME"},
    {"PresetEditor.MainPage.VolumeEditPanel|midiLabel", "LABEL", "MIDI"},
    {"PresetEditor.MainPage.SustainEditPanel|controlNameLabel", "LABEL", "SUSTAIN"},
    {"PresetEditor.MainPage.SustainEditPanel|midiLabel", "LABEL", "MIDI"},
    {"PresetEditor.MainControl.KeybedZones.Zone|zoneName", "LABEL", "ZONE %d"},
    {"PresetEditor.MainControl.KeybedZones.Zone|infoLabel", "INFO_TEXT", "First: %s %s | Last %s %s"},
    {"PresetEditor.MainPage.ZoneEditPanel|zoneName", "LABEL", "ZONE %d"},
    {"PresetEditor.MainPage.ZoneEditPanel|zoneOnOffLabel", "LABEL", "ON/OFF"},
    {"PresetEditor.MainPage.ZoneEditPanel|midiLabel", "LABEL", "MIDI"},
    {"PresetEditor.Control.LabeledKeyZoneMidiChannelSelector|controlNameLabel", "LABEL", "CHAN"},
    {"PresetEditor.Control.LabeledOctaveSelector|controlNameLabel", "LABEL", "OCTAVE"},
    {"PresetEditor.Control.LabeledTransposeSelector|controlNameLabel", "LABEL", "TRANSPOSE"},
    {"PresetEditor.Control.LabeledKeyZoneNoteSelector|controlNameLabel", "START_NOTE_LABEL", "FIRST"},
    {"PresetEditor.Control.LabeledKeyZoneNoteSelector|controlNameLabel", "END_NOTE_LABEL", "LAST"},
    {"PresetEditor.MainPage.XYPadEditPanel|axisName", "LABEL_X_AXIS", "X-AXIS"},
    {"PresetEditor.MainPage.XYPadEditPanel|axisName", "LABEL_Y_AXIS", "Y-AXIS"},
    {"PresetEditor.MainPage.XYPadEditPanel.TabControl.ButtonHolder|midiPage", "LABEL", "MIDI"},
    {"PresetEditor.MainPage.XYPadEditPanel.TabControl.ButtonHolder|noteModePage", "LABEL", "NOTE"},
    {"PresetEditor.Control.LabeledNoteModeTypeSelector|controlNameLabel", "LABEL", "TYPE"},
    {"PresetEditor.Control.LabeledNoteScaleSelector|controlNameLabel", "LABEL", "SCALE"},
};

// Texts whose wording is the editor's own: each must be there and say something.
const TextRow kOwnTexts[] = {
    {kApp, "LABEL_GET_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT", nullptr},
    {kApp, "LABEL_SEND_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT", nullptr},
    {kApp, "HARDWARE_CONFIG_ERROR_TITLE", nullptr},
    {kApp, "HARDWARE_CONFIG_ERROR_MESSAGE", nullptr},
    {kApp, "SETTINGS_FILE_SAVE_FAILED_CAPTION", nullptr},
    {kApp, "SETTINGS_FILE_SAVE_FAILED_MESSAGE", nullptr},
    {kApp, "SETTINGS_FILE_LOAD_NOT_APPLIED_MESSAGE", nullptr},
    {kApp, "SETTINGS_FILE_LOAD_UNREADABLE_MESSAGE", nullptr},
    {kApp, "LABEL_PRESET_SLOT_INVALID_MSGBOX_TEXT", nullptr},
    {kApp, "LABEL_GLOBALSETTINGS_VALUE_INVALID_MESSAGEBOX_TEXT", nullptr},
    {kApp, "LABEL_DEVICE_BUSY_MSGBOX_TEXT", nullptr},
    {kApp, "LABEL_GLOBALSETTINGS_SEND_CONFIRM_TEXT", nullptr},
    {"PresetEditor|dialogSendPreset", "LABEL", nullptr},
    {"PresetEditor|dialogRetrievePresetFromHardware", "LABEL", nullptr},
    {"PresetEditor|globalEditorControl", "LABEL", nullptr},
    {"PresetEditor|dialogAbout", "LABEL", nullptr},
    {"PresetEditor.DialogAbout|buttonOK", "LABEL", nullptr},
    {"PresetEditor.MainControl.DeviceView.GroupBanks|bank1", "LABEL", nullptr},
    {"PresetEditor.MainControl.DeviceView.GroupBanks|bank2", "LABEL", nullptr},
    {"PresetEditor.MainControl.DeviceView.GroupBanks|bank3", "LABEL", nullptr},
    {"PresetEditor.MainControl.DeviceView.GroupBanks|bank4", "LABEL", nullptr},
    {"PresetEditor.TabControl.PageHolder.WheelsPage.Wheel|wheelName", "LABEL", nullptr},
    {"PresetEditor.MainPage.XYPadEditPanel|axisName", "LABEL", nullptr},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "MMC_LABEL", nullptr},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "CC_CYCLE_LABEL", nullptr},
    {"PresetEditor.MainControl.PushButtonType.ViewPanel|infoLabel", "CC_INCDEC_LABEL", nullptr},
};

class EditorStrings : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(EditorDocuments::IsLoaded()) << EditorDocuments::GetError(); }
};

TEST_F(EditorStrings, BothDocumentsAreUtf16ForTheApplicationPresetEditor) {
  for (const char* name : {"APP_STRINGS", "FRAMEWORK_STRINGS"}) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform::LoadResource("HVXML", name, bytes)) << name;
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF) << name;  // little-endian byte-order mark
    EXPECT_EQ(bytes[1], 0xFE) << name;
  }
  EXPECT_EQ(Narrow(EditorDocuments::Get().GetApplicationName()), "PresetEditor");
  EXPECT_TRUE(EditorDocuments::Get().GetApplicationStringTable());
  EXPECT_TRUE(EditorDocuments::Get().GetFrameworkStringTable());
}

TEST_F(EditorStrings, ApplicationAndFrameworkTablesHoldTheirTextsExactly) {
  for (const TextRow& row : kApplicationTexts)
    EXPECT_EQ(EditorDocuments::Text(row.table, row.id), row.text) << row.table << " " << row.id;
}

TEST_F(EditorStrings, ControlTablesHoldTheirTextsExactly) {
  for (const TextRow& row : kControlTexts)
    EXPECT_EQ(EditorDocuments::Text(row.table, row.id), row.text) << row.table << " " << row.id;
}

TEST_F(EditorStrings, TextsOfTheEditorsOwnWordingAreNotEmpty) {
  for (const TextRow& row : kOwnTexts) {
    const std::string text = EditorDocuments::Text(row.table, row.id);
    EXPECT_FALSE(text.empty() || text.starts_with("(no ")) << row.table << " " << row.id << ": " << text;
  }
}

TEST_F(EditorStrings, TheFirmwareMessagesKeepTheirTwoBlanksAfterTheFirstSentence) {
  for (const char* id : {"LABEL_GET_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT",
                         "LABEL_SEND_PRESET_FAILED_FW_COMPATIBILITY_ERROR_MSGBOX_TEXT"}) {
    const std::string text = EditorDocuments::Text(kApp, id);
    EXPECT_TRUE(text.starts_with("The firmware version of your device is not compatible with this version of the "
                                 "Preset Editor.  Visit "))
        << text;
    EXPECT_TRUE(text.ends_with(" for the latest firmware updates.")) << text;
  }
}

// The window hot keys are exactly the seven "GHK_WIN." entries.
TEST_F(EditorStrings, TheApplicationTableBindsSevenWindowHotKeys) {
  LStringTable::EntryList entries;
  EditorDocuments::Get().GetApplicationStringTable()->GetStringsWithPrefix(StringW(u"GHK_WIN."), entries);
  EXPECT_EQ(entries.size(), 7u);
}

}  // namespace
}  // namespace HV
