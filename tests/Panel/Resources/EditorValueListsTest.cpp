// The editor's value lists: item n of a list is the text the editor shows
// for value n, so every list is complete, in order, and exact to the blank
// (a combo box's items, the note and octave names, the controller names).

#include "tests/Panel/Resources/EditorDocuments.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::EditorDocuments;
using Test::Narrow;
using Test::Wide;

using Texts = std::vector<std::string>;

Texts Numbered(const std::string& prefix, int first, int last, const std::string& suffix = "") {
  Texts texts;
  for (int n = first; n <= last; ++n) texts.push_back(prefix + std::to_string(n) + suffix);
  return texts;
}

Texts Join(std::initializer_list<Texts> parts) {
  Texts all;
  for (const Texts& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Texts kNoteNames = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};

struct ValueList {
  const char* name;
  std::string table;
  std::string prefix;  // "ITEM." or "TEXT."
  Texts texts;
};

const ValueList kLists[] = {
    {"MidiChannel", "PresetEditor.Control.LabeledMidiChannelSelector|comboBox", "ITEM.",
     Join({{"Global"}, Numbered("Channel ", 1, 16), {"Zone 1", "Zone 2", "Zone 3", "Zone 4", "Omni"}})},
    {"ZoneChannel", "PresetEditor.Control.LabeledKeyZoneMidiChannelSelector|comboBox", "ITEM.",
     Join({{"Global"}, Numbered("Channel ", 1, 16)})},
    {"GlobalChannel", "PresetEditor.Control.Global.LabeledGlobalChannel|comboBox", "ITEM.",
     Numbered("Channel ", 1, 16)},
    {"MackieHui", "PresetEditor.Control.Global.LabeledMackieHUIToggle|comboBox", "ITEM.", {"Mackie Control", "HUI"}},
    {"KeyCurve", "PresetEditor.Control.Global.LabeledKeySensitivity|comboBox", "ITEM.",
     {"C1", "C2", "C3", "C4", "F1", "F2", "F3"}},
    {"PadCurve", "PresetEditor.Control.Global.LabeledPadSensitivity|comboBox", "ITEM.",
     {"C1", "C2", "C3", "C4", "F1", "F2", "F3", "S2", "S3", "S4"}},
    {"EncoderCurve", "PresetEditor.Control.Global.LabeledControlCurve|comboBox", "ITEM.", {"Off", "C1", "C2", "C3"}},
    {"XYPadCurve", "PresetEditor.Control.Global.LabeledxyPadSensitivity|comboBox", "ITEM.",
     {"F1", "F2", "F3", "S2", "S3", "S4", "S5", "S6", "S7", "S8"}},
    {"MidiDinOut", "PresetEditor.Control.Global.LabeledMidiDin|comboBox", "ITEM.", {"Off", "On"}},
    {"PresetSlot", "PresetEditor.Control.PresetSlotCombobox|comboBox", "ITEM.",
     Join({{"RAM"}, Numbered("Preset ", 1, 12)})},
    {"RelativeType", "PresetEditor.Control.LabeledRelativeTypeSelector|comboBox", "ITEM.",
     {"Up (Type 1)", "Down (Type 1)", "Up (Type 2)", "Down (Type 2)"}},
    {"NrpnRpnType", "PresetEditor.Control.LabeledNrpnRpnSelector|comboBox", "ITEM.",
     {"RPN Coarse", "RPN Fine", "NRPN Coarse", "NRPN Fine"}},
    {"OtherMessage", "PresetEditor.Control.LabeledOtherSelector|comboBox", "ITEM.",
     {"Pitch Bend Sensitivity(RPN)", "Fine Tune (RPN)", "Coarse Tune (RPN)", "Channel Pressure",
      "Master Volume (Sysex)", "Master Pan (Sysex)", "Coarse Tune (Sysex)", "Fine Tune(Sysex)",
      "Chorus Mod. Rate (Sysex)", "Chorus Mod. Depth (Sysex)", "Feedback (Sysex)", "Send to Reverb (Sysex)",
      "Pitch Bend", "Reverb Type (Sysex)", "Reverb Time (Sysex)", "Chorus Type (Sysex)"}},
    {"CycleType", "PresetEditor.Control.LabeledCycleTypeSelector|comboBox", "ITEM.",
     {"2 Values", "3 Values", "4 Values"}},
    {"IncDec", "PresetEditor.Control.LabeledINCDecTypeSelector|comboBox", "ITEM.", {"Increment", "Decrement"}},
    {"Mmc", "PresetEditor.Control.LabeledMMCSelector|comboBox", "ITEM.",
     {"Stop", "Play", "Deferred Play", "Fast Forward", "Rewind", "Record Strobe", "Record Exit", "Record Pause",
      "Pause", "Eject", "Chase", "MMC Reset", "Other"}},
    {"ButtonColour", "PresetEditor.Control.LabeledButtonColorSelector|comboBox", "ITEM.",
     {"Off", "Green", "Cyan", "Blue", "Magenta", "Red", "Yellow", "White"}},
    {"PadColour", "PresetEditor.Control.LabeledPadColorSelector|comboBox", "ITEM.",
     {"Off", "Chartreuse", "Green", "Aquamarine", "Cyan", "Azure", "Blue", "Violet", "Magenta", "Rose", "Red",
      "Orange", "Yellow", "White"}},
    {"HidKey", "PresetEditor.Control.LabeledKeySelector|comboBox", "ITEM.",
     Join({{"Off"}, Numbered("", 0, 9),
           {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U",
            "V", "W", "X", "Y", "Z", "Space"},
           Numbered("F", 1, 12),
           {"Back Space", "Return", "Up", "Down", "Left", "Right", "Tab", ",", ".", "'", "[", "]", "\\", "/", "`", ";",
            "-", "+", "*", "=", "Esc", "Insert", "Home", "Page Up", "Delete", "End", "Page Down"},
           Numbered("Num ", 1, 9), {"Num 0"}})},
    {"HidModifier", "PresetEditor.Control.LabeledModifierKeySelector|comboBox", "ITEM.",
     {"None", "Shift (Windows)", "Ctrl (Windows)", "Win (Windows)", "Alt (Windows)", "Shift + Ctrl (Windows)",
      "Shift + Win (Windows)", "Ctrl + Win (Windows)", "Ctrl + Alt (Windows)", "Win + Alt (Windows)",
      "Shift + Ctrl + Win (Windows)", "Shift + Ctrl + Alt (Windows)", "Shift + Win + Alt (Windows)",
      "Ctrl + Win + Alt (Windows)", "Shift (Mac)", "Ctrl (Mac)", "Cmd (Mac)", "Option (Mac)", "Shift + Ctrl (Mac)",
      "Shift + Option (Mac)", "Shift  + Cmd (Mac)", "Ctrl + Cmd (Mac)", "Ctrl + Option (Mac)", "Cmd + Option (Mac)",
      "Cmd + Option (Mac)", "Shift + Ctrl + Cmd (Mac)", "Shift + Ctrl + Option (Mac)", "Shift + Option + Cmd (Mac)",
      "Ctrl + Cmd + Option (Mac)"}},
    {"NoteNames", "PresetEditor.Control.NoteSelector|noteNameLabel", "ITEM.", kNoteNames},
    {"ZoneNoteNames", "PresetEditor.Control.ZoneNoteSelector|noteNameLabel", "ITEM.", kNoteNames},
    {"Octaves", "PresetEditor.Control.NoteSelector|octaveNameLabel", "ITEM.", Numbered("(", -1, 9, ")")},
    {"ZoneOctaves", "PresetEditor.Control.ZoneNoteSelector|octaveNameLabel", "ITEM.", Numbered("(", 1, 11, ")")},
    {"NoteModeType", "PresetEditor.Control.LabeledNoteModeTypeSelector|comboBox", "ITEM.",
     Join({{"Range"}, Numbered("", 3, 8, " Notes")})},
    {"NoteScale", "PresetEditor.Control.LabeledNoteScaleSelector|comboBox", "ITEM.",
     {"Off", "Major", "Minor", "Phrygian", "Melodic Minor", "Harmonic Minor", "Mixolydian", "Dorian", "Lydian",
      "Locrian", "Chromatic"}},
    {"ControllerNames", "PresetEditor.Control.CCSelector|label", "TEXT.",
     Join({{"Bank Select", "Modulation", "Breath Control", "Controller 3", "Foot Control", "Portamento Time",
            "Data Entry MSB", "Channel Volume", "Balance", "Controller 9", "Pan", "Expression", "Effects Controller1",
            "Effects Controller 2", "Controller 14", "Controller 15", "General Purpose 1", "General Purpose 2",
            "General Purpose 3", "General Purpose 4"},
           Numbered("Controller ", 20, 31),
           {"Bank Select LSB", "Modulation LSB", "Breath Control LSB", "Controller 35", "Foot Control LSB",
            "Portamento Time LSB", "Data Entry LSB", "Channel Volume LSB", "Balance LSB", "Controller 41", "Pan LSB",
            "Expression LSB", "Controller 44", "Controller 45", "Controller 46", "Controller 47",
            "General Purpose 1 LSB", "General Purpose 2 LSB", "General Purpose 3 LSB", "General Purpose 4 LSB"},
           Numbered("Controller ", 52, 63),
           {"Sustain Pedal", "Portamento", "Sostenuto", "Soft Pedal", "Legato Pedal", "Hold 2", "Sound Variation",
            "Resonance", "Release Time", "Attack Time", "Cutoff Frequency"},
           Numbered("Controller ", 75, 79),
           {"General Purpose 5", "General Purpose 6", "General Purpose 7", "General Purpose 8", "Portamento Control",
            "Controller 85", "Controller 86", "Controller 87", "Hi-Res Velocity Prefix", "Controller 89",
            "Controller 90", "Effects 1 Depth", "Effects 2 Depth", "Effects 3 Depth", "Effects 4 Depth",
            "Effects 5 Depth", "Data Increment", "Data Decrement", "NRPN LSB", "NRPN MSB", "RPN LSB", "RPN MSB"},
           Numbered("Controller ", 102, 119),
           {"All Sounds Off", "Reset All Controllers", "Local Control On/Off", "All Notes Off", "Omni Mode Off",
            "Omni Mode On", "Mono Mode On", "Poly Mode On"}})},
};

// The list's name stands for it in test names and messages.
void PrintTo(const ValueList& list, std::ostream* out) { *out << list.name; }

class EditorValueLists : public ::testing::TestWithParam<ValueList> {};

// The list read as the editor reads it: the table's entries of the prefix in identifier order.
TEST_P(EditorValueLists, HoldEveryTextInValueOrder) {
  const ValueList& list = GetParam();
  ASSERT_TRUE(EditorDocuments::IsLoaded()) << EditorDocuments::GetError();
  const RCPtr<LStringTable> table = EditorDocuments::Get().GetStringTable(Wide(list.table));
  ASSERT_TRUE(table) << list.table;
  LStringTable::EntryList entries;
  table->GetStringsWithPrefix(Wide(list.prefix), entries);
  Texts texts;
  for (const auto& [id, text] : entries) texts.push_back(Narrow(text));
  EXPECT_EQ(texts, list.texts);
  // Every entry is numbered by its value, the width of the numbers kept.
  const size_t digits = list.prefix == "TEXT." ? 3 : 2;
  for (size_t value = 0; value < entries.size(); ++value) {
    std::string number = std::to_string(value);
    number.insert(0, digits - std::min(digits, number.size()), '0');
    EXPECT_EQ(Narrow(entries[value].first), list.prefix + number);
  }
}

INSTANTIATE_TEST_SUITE_P(Lists, EditorValueLists, ::testing::ValuesIn(kLists),
                         [](const ::testing::TestParamInfo<ValueList>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace HV
