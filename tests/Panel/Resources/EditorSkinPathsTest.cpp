// The editor's skin as its panels and dialogs look into it: every control
// they find by name is at its path with its class, and the controls the
// framework's classes need inside them are there.

#include "tests/Panel/Resources/ControlPaths.h"
#include "tests/Panel/Resources/EditorDocuments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

using Test::EditorDocuments;
using Test::ExpandControlPaths;
using Test::Narrow;

struct PathRow {
  std::string path;  // braces expand (ControlPaths.h)
  std::string className;
};

const std::string kMain = "mainControl/";
const std::string kView = "mainControl/viewDevice/";
const std::string P = "PresetEditor.";  // the application's classes

// The moveable-control editor below `at` (a path ending in "/").
std::vector<PathRow> MoveableEditorRows(const std::string& at) {
  const std::string tabs = at + "tabControl/";
  const std::string pages = tabs + "pageHolder/";
  const std::string holder = P + "Control.MovementTypes.TabControl.PageHolder";
  return {
      {tabs.substr(0, tabs.size() - 1), P + "Control.MovementTypes.TabControl"},
      {tabs + "buttonHolder", P + "Control.MovementTypes.TabControl.ButtonHolder"},
      {tabs + "buttonHolder/{ccAbsolutePage,ccRelativePage,nrpnRpnPage,otherPage}", "Framework.Button"},
      {tabs + "pageHolder", holder},
      {pages + "ccAbsolutePage", holder + ".CCAbsolutePage"},
      {pages + "ccRelativePage", holder + ".CCRelativePage"},
      {pages + "nrpnRpnPage", holder + ".NrpnRpnPage"},
      {pages + "otherPage", holder + ".OtherPage"},
      {pages + "{ccAbsolutePage,ccRelativePage}/cc", P + "Control.LabeledCCSelector"},
      {pages + "{ccAbsolutePage,ccRelativePage}/cc/controlNameLabel", "Framework.Label"},
      {pages + "{ccAbsolutePage,ccRelativePage}/cc/ccSelector", P + "Control.CCSelector"},
      {pages + "{ccAbsolutePage,ccRelativePage}/cc/ccSelector/label", "Framework.Label"},
      {pages + "{ccAbsolutePage,ccRelativePage}/cc/ccSelector/numericUpDown", "Framework.NumericUpDown"},
      {pages + "{ccAbsolutePage,otherPage}/minMaxSelectors", P + "Control.MinMaxSelectors"},
      {pages + "{ccAbsolutePage,otherPage}/minMaxSelectors/min", P + "Control.LabeledMinSelector"},
      {pages + "{ccAbsolutePage,otherPage}/minMaxSelectors/max", P + "Control.LabeledMaxSelector"},
      {pages + "{ccAbsolutePage,otherPage}/minMaxSelectors/{min,max}/controlNameLabel", "Framework.Label"},
      {pages + "{ccAbsolutePage,otherPage}/minMaxSelectors/{min,max}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "{ccAbsolutePage,ccRelativePage,nrpnRpnPage,otherPage}/midiChannel",
       P + "Control.LabeledMidiChannelSelector"},
      {pages + "{ccAbsolutePage,ccRelativePage,nrpnRpnPage,otherPage}/midiChannel/controlNameLabel", "Framework.Label"},
      {pages + "{ccAbsolutePage,ccRelativePage,nrpnRpnPage,otherPage}/midiChannel/comboBox", "Framework.ComboBox"},
      {pages + "ccRelativePage/relativeType", P + "Control.LabeledRelativeTypeSelector"},
      {pages + "ccRelativePage/relativeType/{controlNameLabel,comboBox}", ""},
      {pages + "nrpnRpnPage/NrpnRpnSelector", P + "Control.LabeledNrpnRpnSelector"},
      {pages + "nrpnRpnPage/NrpnRpnSelector/comboBox", "Framework.ComboBox"},
      {pages + "nrpnRpnPage/msbLSBSelectors", P + "Control.MSBLSBSelectors"},
      {pages + "nrpnRpnPage/msbLSBSelectors/lsb", P + "Control.LabeledLSBSelector"},
      {pages + "nrpnRpnPage/msbLSBSelectors/msb", P + "Control.LabeledMSBSelector"},
      {pages + "nrpnRpnPage/msbLSBSelectors/{lsb,msb}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "otherPage/otherType", P + "Control.LabeledOtherSelector"},
      {pages + "otherPage/otherType/{controlNameLabel,comboBox}", ""},
  };
}

// The button-message editor below `at`.
std::vector<PathRow> ButtonEditorRows(const std::string& at) {
  const std::string tabs = at + "tabControl/";
  const std::string pages = tabs + "pageHolder/";
  const std::string pads = P + "Control.PadModes.TabControl.PageHolder";
  const std::string buttons = P + "Control.ButtonModesControl.TabControl.PageHolder";
  const std::string all = "{notePage,mmcPage,programPage,programCyclePage,programIncDecPage,ccAbsolutePage,"
                          "ccCyclePage,ccIncDecPage,nrpnRpnPage,otherPage}";
  return {
      {tabs.substr(0, tabs.size() - 1), P + "Control.ButtonModesControl.TabControl"},
      {tabs + "buttonHolder", P + "Control.ButtonModesControl.TabControl.ButtonHolder"},
      {tabs + "buttonHolder/" + all, "Framework.Button"},
      {tabs + "pageHolder", buttons},
      {pages + all + "/midiChannel", P + "Control.LabeledMidiChannelSelector"},
      {pages + all + "/midiChannel/{controlNameLabel,comboBox}", ""},
      {pages + "notePage", pads + ".NotePage"},
      {pages + "notePage/note", P + "Control.LabeledNoteSelector"},
      {pages + "notePage/note/controlNameLabel", "Framework.Label"},
      {pages + "notePage/note/noteSelector", P + "Control.NoteSelector"},
      {pages + "notePage/note/noteSelector/numericUpDown", "Framework.NumericUpDown"},
      {pages + "notePage/note/noteSelector/{noteNameLabel,octaveNameLabel}", "Framework.Label"},
      {pages + "notePage/latching", P + "Control.LabeledLatchingSelector"},
      {pages + "notePage/latching/controlNameLabel", "Framework.Label"},
      {pages + "notePage/latching/button", "Framework.Button"},
      {pages + "notePage/onOffSelectors", P + "Control.OnOffSelectors"},
      {pages + "notePage/onOffSelectors/on", P + "Control.LabeledOnSelector"},
      {pages + "notePage/onOffSelectors/off", P + "Control.LabeledOffSelector"},
      {pages + "notePage/onOffSelectors/{on,off}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "mmcPage", pads + ".MMCPage"},
      {pages + "mmcPage/mmc", P + "Control.LabeledMMCSelector"},
      {pages + "mmcPage/mmc/comboBox", "Framework.ComboBox"},
      {pages + "programPage", pads + ".ProgramPage"},
      {pages + "programPage/program", P + "Control.LabeledProgramSelector"},
      {pages + "programPage/program/numericUpDown", "Framework.NumericUpDown"},
      {pages + "programPage/msbLSBSelectors/{lsb,msb}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "programCyclePage", pads + ".ProgramCyclePage"},
      {pages + "programCyclePage/program{1..4}", P + "Control.LabeledProgramSelector"},
      {pages + "programCyclePage/program{1..4}/controlNameLabel", "Framework.Label"},
      {pages + "programCyclePage/program{1..4}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "programCyclePage/cycleType", P + "Control.LabeledCycleTypeSelector"},
      {pages + "programCyclePage/cycleType/comboBox", "Framework.ComboBox"},
      {pages + "programIncDecPage", pads + ".ProgramIncDecPage"},
      {pages + "programIncDecPage/minMaxSelectors/{min,max}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "programIncDecPage/incDecType", P + "Control.LabeledINCDecTypeSelector"},
      {pages + "programIncDecPage/incDecType/comboBox", "Framework.ComboBox"},
      {pages + "ccAbsolutePage", buttons + ".CCAbsolutePage"},
      {pages + "{ccAbsolutePage,ccCyclePage,ccIncDecPage}/cc", P + "Control.LabeledCCSelector"},
      {pages + "{ccAbsolutePage,ccCyclePage,ccIncDecPage}/cc/ccSelector", P + "Control.CCSelector"},
      {pages + "{ccAbsolutePage,ccCyclePage,ccIncDecPage}/cc/ccSelector/label", "Framework.Label"},
      {pages + "{ccAbsolutePage,ccCyclePage,ccIncDecPage}/cc/ccSelector/numericUpDown", "Framework.NumericUpDown"},
      {pages + "ccAbsolutePage/pressedReleasedSelectors", P + "Control.PressedReleasedSelectors"},
      {pages + "ccAbsolutePage/pressedReleasedSelectors/pressed", P + "Control.LabeledPressedSelector"},
      {pages + "ccAbsolutePage/pressedReleasedSelectors/released", P + "Control.LabeledReleasedSelector"},
      {pages + "ccAbsolutePage/pressedReleasedSelectors/{pressed,released}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "ccCyclePage", pads + ".CCCyclePage"},
      {pages + "ccCyclePage/ccValue{1..4}", P + "Control.LabeledCCValueSelector"},
      {pages + "ccCyclePage/ccValue{1..4}/controlNameLabel", "Framework.Label"},
      {pages + "ccCyclePage/ccValue{1..4}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "ccCyclePage/cycleType/comboBox", "Framework.ComboBox"},
      {pages + "ccIncDecPage", pads + ".CCIncDecPage"},
      {pages + "ccIncDecPage/minMaxSelectors/{min,max}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "ccIncDecPage/incDec", P + "Control.LabeledINCDecTypeSelector"},
      {pages + "ccIncDecPage/incDec/comboBox", "Framework.ComboBox"},
      {pages + "nrpnRpnPage", buttons + ".NrpnRpnPage"},
      {pages + "nrpnRpnPage/NrpnRpn", P + "Control.LabeledNrpnRpnSelector"},
      {pages + "nrpnRpnPage/NrpnRpn/comboBox", "Framework.ComboBox"},
      {pages + "nrpnRpnPage/msbLSBSelectors/{lsb,msb}/numericUpDown", "Framework.NumericUpDown"},
      {pages + "{nrpnRpnPage,otherPage}/value", P + "Control.LabeledCCValueSelector"},
      {pages + "{nrpnRpnPage,otherPage}/value/{controlNameLabel,numericUpDown}", ""},
      {pages + "otherPage", buttons + ".OtherPage"},
      {pages + "otherPage/type", P + "Control.LabeledOtherSelector"},
      {pages + "otherPage/type/comboBox", "Framework.ComboBox"},
  };
}

std::vector<PathRow> NoteModeEditorRows(const std::string& at) {
  return {
      {at + "noteModeType", P + "Control.LabeledNoteModeTypeSelector"},
      {at + "noteModeType/{controlNameLabel,comboBox}", ""},
      {at + "noteScaleType", P + "Control.LabeledNoteScaleSelector"},
      {at + "noteScaleType/{controlNameLabel,comboBox}", ""},
      {at + "note{1..8}", P + "Control.LabeledNoteSelector"},
      {at + "note{1..8}/controlNameLabel", "Framework.Label"},
      {at + "note{1..8}/noteSelector", P + "Control.NoteSelector"},
      {at + "note{1..8}/noteSelector/numericUpDown", "Framework.NumericUpDown"},
      {at + "note{1..8}/noteSelector/{noteNameLabel,octaveNameLabel}", "Framework.Label"},
  };
}

std::vector<PathRow> DeviceViewRows() {
  const std::string V = kView;
  const std::string moveableView = P + "MainControl.MoveableType.ViewPanel";
  const std::string buttonView = P + "MainControl.PushButtonType.ViewPanel";
  return {
      {"mainControl", P + "MainControl"},
      {kMain + "mainMenu", "Framework.MainMenu"},
      {kMain + "mainMenu/templateMenu", "Framework.ComboMenu"},
      {kMain + "mainMenu/templateMenu/popupMenu", "Framework.PopupMenu"},
      {kMain + "mainMenu/templateMenu/popupMenu/templateItem", "Framework.MenuItem"},
      {kMain + "mainMenu/templateMenu/popupMenu/templateItem/hotKeyLabel", "Framework.Label"},
      {kMain + "mainMenu/templateMenu/popupMenu/templateItem/checkBox", "Framework.Button"},
      {kMain + "mainMenu/templateMenu/popupMenu/{vBar,corner}", ""},
      {kMain + "viewDevice", P + "MainControl.DeviceView"},
      {V + "padEditPanel", P + "MainPage.PadEditPanel"},
      {V + "knobEditPanel", P + "MainPage.KnobEditPanel"},
      {V + "faderEditPanel", P + "MainPage.FaderEditPanel"},
      {V + "volumePedalEditPanel", P + "MainPage.VolumeEditPanel"},
      {V + "wheelEditPanel", P + "TabControl.PageHolder.WheelsPage.Wheel"},
      {V + "xyPadEditPanel", P + "MainPage.XYPadEditPanel"},
      {V + "sustainEditPage", P + "MainPage.SustainEditPanel"},
      {V + "zoneEditPanel", P + "MainPage.ZoneEditPanel"},
      {V + "buttonEditPanel", P + "MainPage.ButtonEditPanel"},
      {V + "pads", P + "MainControl.PadView"},
      {V + "encoders", P + "MainControl.EncoderView"},
      {V + "faders", P + "MainControl.FaderView"},
      {V + "wheels", P + "MainControl.WheelView"},
      {V + "pedals", P + "MainControl.Pedals"},
      {V + "keybedZones", P + "MainControl.KeybedZones"},
      {V + "buttons", P + "MainControl.ButtonView"},
      {V + "xyPad", P + "MainControl.XYPadView"},
      {V + "presetNameEditPanel", P + "MainControl.DeviceView.PresetNameEditPanel"},
      {V + "presetNameEditPanel/controlNameLabel", "Framework.Label"},
      {V + "presetNameEditPanel/textBox", "Framework.TextBox"},
      {V + "groupBankPanel", P + "MainControl.DeviceView.GroupBanks"},
      {V + "groupBankPanel/bank{1..4}", "Framework.Button"},
      // The tiles.
      {V + "encoders/encoderBank{1..4}", P + "MainControl.EncoderView.EncoderBank"},
      {V + "encoders/encoderBank{1..4}/encoder{1..8}", P + "MainControl.EncoderView.Encoder"},
      {V + "encoders/encoderBank{1..4}/encoder{1..8}/button", "Framework.Button"},
      {V + "encoders/encoderBank{1..4}/encoder{1..8}/encoderNameLabel", "Framework.Label"},
      {V + "encoders/encoderBank{1..4}/encoder{1..8}/viewPanel", moveableView},
      {V + "faders/faderBank{1..4}", P + "MainControl.FaderView.FaderBank"},
      {V + "faders/faderBank{1..4}/fader{1..9}", P + "MainControl.FaderView.Fader"},
      {V + "faders/faderBank{1..4}/fader{1..9}/button", "Framework.Button"},
      {V + "faders/faderBank{1..4}/fader{1..9}/faderNumberLabel", "Framework.Label"},
      {V + "faders/faderBank{1..4}/fader{1..9}/viewPanel", moveableView},
      {V + "wheels/{pitchWheel,modWheel}", P + "MainControl.WheelView.Wheel"},
      {V + "wheels/{pitchWheel,modWheel}/button", "Framework.Button"},
      {V + "wheels/{pitchWheel,modWheel}/viewPanel", moveableView},
      {V + "pedals/sustainPedal", P + "MainControl.Pedals.SustainPedal"},
      {V + "pedals/sustainPedal/button", "Framework.Button"},
      {V + "pedals/sustainPedal/viewPanel", buttonView},
      {V + "pedals/volumePedal", P + "MainControl.Pedals.VolumePedal"},
      {V + "pedals/volumePedal/button", "Framework.Button"},
      {V + "pedals/volumePedal/viewPanel", moveableView},
      {V + "pads/pad{1..16}", P + "MainControl.PadView.Pad"},
      {V + "pads/pad{1..16}/button", "Framework.Button"},
      {V + "pads/pad{1..16}/color", P + "MainControl.PadView.Pad.ColorIndicator"},
      {V + "pads/pad{1..16}/padNumberLabel", "Framework.Label"},
      {V + "pads/pad{1..16}/viewPanel", buttonView},
      {V + "buttons/buttonBank{1..4}", P + "MainControl.ButtonView.ButtonBank"},
      {V + "buttons/buttonBank{1..4}/button{1..9}", P + "MainControl.ButtonView.Button"},
      {V + "buttons/buttonBank{1..4}/button{1..9}/button", "Framework.Button"},
      {V + "buttons/buttonBank{1..4}/button{1..9}/buttonNumberLabel", "Framework.Label"},
      {V + "buttons/buttonBank{1..4}/button{1..9}/color", P + "MainControl.ButtonView.Button.ColorIndicator"},
      {V + "buttons/buttonBank{1..4}/button{1..9}/viewPanel", buttonView},
      {V + "keybedZones/zone{1..4}", P + "MainControl.KeybedZones.Zone"},
      {V + "keybedZones/zone{1..4}/button", "Framework.Button"},
      {V + "keybedZones/zone{1..4}/{infoLabel,zoneName}", "Framework.Label"},
      {V + "keybedZones/zone{1..4}/midiChannel", P + "MainControl.MIDIChannelView"},
      {V + "xyPad/{xAxis,yAxis}", P + "MainControl.XYPadView.Axis"},
      {V + "xyPad/{xAxis,yAxis}/button", "Framework.Button"},
      {V + "xyPad/{xAxis,yAxis}/viewPanel", moveableView},
      // Every view shows a channel and a message.
      {V + "encoders/encoderBank{1..4}/encoder{1..8}/viewPanel/{midiChannel/label,infoLabel}", "Framework.Label"},
      {V + "pads/pad{1..16}/viewPanel/midiChannel", P + "MainControl.MIDIChannelView"},
      {V + "pedals/{sustainPedal,volumePedal}/viewPanel/{midiChannel/label,infoLabel}", "Framework.Label"},
  };
}

std::vector<PathRow> EditPanelRows() {
  const std::string V = kView;
  const std::string E = P + "MainControl.EditPanel.";
  std::vector<PathRow> rows = {
      {V + "knobEditPanel/{knobName,bankName,midiLabel}", "Framework.Label"},
      {V + "knobEditPanel/moveableTypePanel", E + "MoveableTypePanel"},
      {V + "faderEditPanel/{faderName,bankName,midiLabel}", "Framework.Label"},
      {V + "faderEditPanel/moveableTypePanel", E + "MoveableTypePanel"},
      {V + "wheelEditPanel/{wheelName,midiLabel}", "Framework.Label"},
      {V + "wheelEditPanel/moveableTypePanel", E + "MoveableTypePanel"},
      {V + "volumePedalEditPanel/{controlNameLabel,midiLabel}", "Framework.Label"},
      {V + "volumePedalEditPanel/moveableTypePanel", E + "MoveableTypePanel"},
      {V + "sustainEditPage/{controlNameLabel,midiLabel}", "Framework.Label"},
      {V + "sustainEditPage/buttonTypePanel", E + "ButtonTypePanel"},
      {V + "xyPadEditPanel/axisName", "Framework.Label"},
      {V + "xyPadEditPanel/viewTabControl", P + "MainPage.XYPadEditPanel.TabControl"},
      {V + "xyPadEditPanel/viewTabControl/buttonHolder", P + "MainPage.XYPadEditPanel.TabControl.ButtonHolder"},
      {V + "xyPadEditPanel/viewTabControl/buttonHolder/{midiPage,noteModePage}", "Framework.Button"},
      {V + "xyPadEditPanel/viewTabControl/pageHolder", P + "MainPage.XYPadEditPanel.TabControl.PageHolder"},
      {V + "xyPadEditPanel/viewTabControl/pageHolder/midiPage", E + "MoveableTypePanel"},
      {V + "xyPadEditPanel/viewTabControl/pageHolder/noteModePage", E + "XYPadNotes"},
      {V + "buttonEditPanel/{buttonName,bankName}", "Framework.Label"},
      {V + "buttonEditPanel/viewTabControl", P + "MainPage.ButtonEditPanel.TabControl"},
      {V + "buttonEditPanel/viewTabControl/buttonHolder", P + "MainPage.ButtonEditPanel.TabControl.ButtonHolder"},
      {V + "buttonEditPanel/viewTabControl/buttonHolder/{midiPage,colorPage,asciiPage}", "Framework.Button"},
      {V + "buttonEditPanel/viewTabControl/pageHolder", P + "MainPage.ButtonEditPanel.TabControl.PageHolder"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/midiPage", E + "ButtonTypePanel"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/colorPage", P + "MainPage.ButtonEditPanel.ColorPage"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/colorPage/{color1,color2,color3,color4,asciiColor}",
       P + "Control.LabeledButtonColorSelector"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/colorPage/{color1,color2,color3,color4,asciiColor}/"
           "colorNameLabel",
       "Framework.Label"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/colorPage/{color1,color2,color3,color4,asciiColor}/comboBox",
       "Framework.ComboBox"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/asciiPage", P + "MainPage.ButtonEditPanel.AsciiPage"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/asciiPage/key", P + "Control.LabeledKeySelector"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/asciiPage/modifierKey",
       P + "Control.LabeledModifierKeySelector"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/asciiPage/{key,modifierKey}/comboBox", "Framework.ComboBox"},
      {V + "buttonEditPanel/viewTabControl/pageHolder/asciiPage/{key,modifierKey}/controlNameLabel",
       "Framework.Label"},
      {V + "padEditPanel/padName", "Framework.Label"},
      {V + "padEditPanel/viewTabControl", P + "MainPage.PadEditPanel.TabControl"},
      {V + "padEditPanel/viewTabControl/buttonHolder", P + "MainPage.PadEditPanel.TabControl.ButtonHolder"},
      {V + "padEditPanel/viewTabControl/buttonHolder/{midiPage,colorPage}", "Framework.Button"},
      {V + "padEditPanel/viewTabControl/pageHolder", P + "MainPage.PadEditPanel.TabControl.PageHolder"},
      {V + "padEditPanel/viewTabControl/pageHolder/midiPage", E + "ButtonTypePanel"},
      {V + "padEditPanel/viewTabControl/pageHolder/colorPage", P + "MainPage.PadEditPanel.ColorPage"},
      {V + "padEditPanel/viewTabControl/pageHolder/colorPage/color{1..4}", P + "Control.LabeledPadColorSelector"},
      {V + "padEditPanel/viewTabControl/pageHolder/colorPage/color{1..4}/colorNameLabel", "Framework.Label"},
      {V + "padEditPanel/viewTabControl/pageHolder/colorPage/color{1..4}/comboBox", "Framework.ComboBox"},
      {V + "zoneEditPanel/{zoneName,zoneOnOffLabel,midiLabel}", "Framework.Label"},
      {V + "zoneEditPanel/zoneEnabledToggleButton", "Framework.Button"},
      {V + "zoneEditPanel/midiChannel", P + "Control.LabeledKeyZoneMidiChannelSelector"},
      {V + "zoneEditPanel/midiChannel/controlNameLabel", "Framework.Label"},
      {V + "zoneEditPanel/midiChannel/comboBox", "Framework.ComboBox"},
      {V + "zoneEditPanel/octave", P + "Control.LabeledOctaveSelector"},
      {V + "zoneEditPanel/transpose", P + "Control.LabeledTransposeSelector"},
      {V + "zoneEditPanel/program", P + "Control.LabeledProgramSelector"},
      {V + "zoneEditPanel/{octave,transpose,program}/controlNameLabel", "Framework.Label"},
      {V + "zoneEditPanel/{octave,transpose,program}/numericUpDown", "Framework.NumericUpDown"},
      {V + "zoneEditPanel/msbLSBSelectors", P + "Control.MSBLSBSelectors"},
      {V + "zoneEditPanel/msbLSBSelectors/msb", P + "Control.LabeledMSBSelector"},
      {V + "zoneEditPanel/msbLSBSelectors/lsb", P + "Control.LabeledLSBSelector"},
      {V + "zoneEditPanel/msbLSBSelectors/{msb,lsb}/controlNameLabel", "Framework.Label"},
      {V + "zoneEditPanel/msbLSBSelectors/{msb,lsb}/numericUpDown", "Framework.NumericUpDown"},
      {V + "zoneEditPanel/startEndNoteSelector", P + "Control.KeyZoneStartEndNoteSelector"},
      {V + "zoneEditPanel/startEndNoteSelector/{startNote,endNote}", P + "Control.LabeledKeyZoneNoteSelector"},
      {V + "zoneEditPanel/startEndNoteSelector/{startNote,endNote}/controlNameLabel", "Framework.Label"},
      {V + "zoneEditPanel/startEndNoteSelector/{startNote,endNote}/noteSelector", P + "Control.ZoneNoteSelector"},
      {V + "zoneEditPanel/startEndNoteSelector/{startNote,endNote}/noteSelector/numericUpDown",
       "Framework.NumericUpDown"},
      {V + "zoneEditPanel/startEndNoteSelector/{startNote,endNote}/noteSelector/{noteNameLabel,octaveNameLabel}",
       "Framework.Label"},
  };
  for (const char* at : {"knobEditPanel/moveableTypePanel/", "faderEditPanel/moveableTypePanel/",
                         "wheelEditPanel/moveableTypePanel/", "volumePedalEditPanel/moveableTypePanel/",
                         "xyPadEditPanel/viewTabControl/pageHolder/midiPage/"})
    for (PathRow& row : MoveableEditorRows(V + at)) rows.push_back(row);
  for (const char* at : {"buttonEditPanel/viewTabControl/pageHolder/midiPage/",
                         "padEditPanel/viewTabControl/pageHolder/midiPage/", "sustainEditPage/buttonTypePanel/"})
    for (PathRow& row : ButtonEditorRows(V + at)) rows.push_back(row);
  for (PathRow& row : NoteModeEditorRows(V + "xyPadEditPanel/viewTabControl/pageHolder/noteModePage/"))
    rows.push_back(row);
  return rows;
}

std::vector<PathRow> DialogRows() {
  const std::string G = "globalEditorControl/";
  const std::string Global = P + "Control.Global.";
  return {
      {"dialogSendPreset", P + "Dialog.SendPresetToHardware"},
      {"dialogSendPreset/send", "Framework.Button"},
      {"dialogSendPreset/header", "Framework.Label"},
      {"dialogSendPreset/presetSlot", P + "Control.PresetSlotCombobox"},
      {"dialogSendPreset/presetSlot/comboBox", "Framework.ComboBox"},
      {"dialogRetrievePresetFromHardware", P + "Dialog.RetrievePresetFromHardware"},
      {"dialogRetrievePresetFromHardware/getButton", "Framework.Button"},
      {"dialogRetrievePresetFromHardware/header", "Framework.Label"},
      {"dialogRetrievePresetFromHardware/presetSlot", P + "Control.PresetSlotCombobox"},
      {"dialogRetrievePresetFromHardware/presetSlot/comboBox", "Framework.ComboBox"},
      {"globalEditorControl", P + "GlobalEditorControl"},
      {G + "midiChannel", Global + "LabeledGlobalChannel"},
      {G + "mackieHUIToggle", Global + "LabeledMackieHUIToggle"},
      {G + "keyOctave", Global + "LabeledKeyOctave"},
      {G + "keyTranspose", Global + "LabeledKeyTranspose"},
      {G + "keySensitivity", Global + "LabeledKeySensitivity"},
      {G + "padOctave", Global + "LabeledPadOctave"},
      {G + "padTranspose", Global + "LabeledPadTranspose"},
      {G + "padSensitivity", Global + "LabeledPadSensitivity"},
      {G + "controlCurve", Global + "LabeledControlCurve"},
      {G + "xyPadSensitivity", Global + "LabeledxyPadSensitivity"},
      {G + "midiDin", Global + "LabeledMidiDin"},
      {G + "{midiChannel,mackieHUIToggle,keySensitivity,padSensitivity,controlCurve,xyPadSensitivity,midiDin}/comboBox",
       "Framework.ComboBox"},
      {G + "{keyOctave,keyTranspose,padOctave,padTranspose}/numericUpDown", "Framework.NumericUpDown"},
      {G + "{midiChannel,mackieHUIToggle,keyOctave,keyTranspose,keySensitivity,padOctave,padTranspose,"
           "padSensitivity,controlCurve,xyPadSensitivity,midiDin}/label",
       "Framework.Label"},
      {G + "program", P + "Control.LabeledProgramSelector"},
      {G + "msb", P + "Control.LabeledMSBSelector"},
      {G + "lsb", P + "Control.LabeledLSBSelector"},
      {G + "{program,msb,lsb}/numericUpDown", "Framework.NumericUpDown"},
      {G + "{headerLabel}", "Framework.Label"},
      {G + "{getGlobalSettingsButton,sendGlobalSettingsButton}", "Framework.Button"},
      {"dialogAbout", P + "DialogAbout"},
      {"dialogAbout/{labelProduct,labelCopyright,HalvernLogo,productLogo}", "Framework.Label"},
      {"dialogAbout/buttonOK", "Framework.Button"},
  };
}

class EditorSkinPaths : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(EditorDocuments::IsLoaded()) << EditorDocuments::GetError(); }

  // Every expanded path of the rows is in the skin with its class ("" for any class).
  static void ExpectEveryPath(const std::vector<PathRow>& rows) {
    for (const PathRow& row : rows) {
      for (const std::string& path : ExpandControlPaths(row.path)) {
        const RCPtr<LControlDescriptor> control = EditorDocuments::Find(path);
        if (!control) {
          ADD_FAILURE() << "missing " << path;
          continue;
        }
        if (!row.className.empty()) {
          EXPECT_EQ(Narrow(control->GetClassName()), row.className) << path;
        }
      }
    }
  }
};

TEST_F(EditorSkinPaths, TheMainWindowDeviceViewAndTilesAreThere) { ExpectEveryPath(DeviceViewRows()); }

TEST_F(EditorSkinPaths, TheEditPanelsAndTheirSharedEditorsAreThere) { ExpectEveryPath(EditPanelRows()); }

TEST_F(EditorSkinPaths, TheFourDialogsAreTopLevelControls) { ExpectEveryPath(DialogRows()); }

// Two controls the main control looks up are absent on purpose: both are optional.
TEST_F(EditorSkinPaths, TheMainControlHasNoStatusViewOrDeviceSelector) {
  EXPECT_FALSE(EditorDocuments::Find(kMain + "viewStatus"));
  EXPECT_FALSE(EditorDocuments::Find(kMain + "panelDeviceSelector"));
}

}  // namespace
}  // namespace HV
