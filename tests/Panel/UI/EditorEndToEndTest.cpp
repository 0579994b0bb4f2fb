// The whole editor end to end, headless from the real skin with the
// simulated keyboard plugged in (as TARSEL_MIDI=simulated gives it): the
// user picks an encoder, a fader, a wheel and an X/Y pad axis on their
// tiles, edits each in its edit panel, saves the preset and sends it; the
// file differs from the default preset saved at the start in exactly those
// records, and the keyboard's copy from the defaults in the edited bytes.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"
#include "tests/support/TemporaryFolder.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"
#include "Panel/UI/DriverCommon/PresetFile/PresetFile.h"
#include "Panel/UI/OrvaneSeriesCommon/LXYPadDirectionGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LWheelGroupPanel.h"

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::Bytes;
using Test::CcAbsoluteUpDown;
using Test::ChildAt;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file's records by parameter ID; empty when it does not load.
std::map<int32_t, Bytes> RecordsOf(const std::string& path) {
  const std::vector<uint8_t> file = ReadFile(path);
  Array<ParamValue> records;
  std::map<int32_t, Bytes> byId;
  if (PresetFile::Decode(file, records) != PresetFile::kLoaded) return byId;
  for (uint32_t i = 0; i < records.GetCount(); ++i) {
    uint32_t size = 0;
    const auto* bytes = static_cast<const uint8_t*>(records.GetItemPtr(i)->value.GetData(&size));
    byId[records.GetItemPtr(i)->paramID] = Bytes(bytes, bytes + (bytes ? size : 0));
  }
  return byId;
}

class EditorEndToEnd : public Test::EditorRun {
 protected:
  void SetUp() override {
    EditorRun::SetUp();
    Simulated::AttachSimulatedKeyboard(*mMidi, mKeyboard);
  }
  void TearDown() override {
    Simulated::DetachSimulatedKeyboard(mKeyboard);
    EditorRun::TearDown();
  }
  // Saves the preset through the save dialog, answered with path.
  void Save(Live& editor, const std::string& path) {
    mChooser->Choose(path);
    editor.Menu(kNidMenuFileSavePresetToFile);
  }

  Simulated::SimulatedKeyboard mKeyboard;
  HV::Test::TemporaryFolder mFolder;
};

TEST_F(EditorEndToEnd, EachKindEditedAndSavedDiffersOnlyInItsRecord) {
  const std::string defaults = mFolder.GetPath() + "/defaults.TarselPresetEditor";
  const std::string edited = mFolder.GetPath() + "/edited.TarselPresetEditor";
  std::map<int32_t, Bytes> expected;
  Inspect([&](Live& editor) {
    Save(editor, defaults);
    const auto encoders = DynamicCast<LEncoderGroupPanel>(editor.deviceView->FindChildControl(StringW(u"encoders")));
    const auto faders = DynamicCast<LFaderGroupPanel>(editor.deviceView->FindChildControl(StringW(u"faders")));
    const auto wheels = DynamicCast<LWheelGroupPanel>(editor.deviceView->FindChildControl(StringW(u"wheels")));
    ASSERT_TRUE(encoders && faders && wheels);

    // Encoder 3 of bank 2 to controller 74: its tile shows "CC:" over 74.
    ChildAt(editor.deviceView, {u"groupBankPanel", u"bank2"})->SendNotification(LNotification::Create(kNidLeftClick));
    const RCPtr<LEncoderPanel> encoder = encoders->GetTile(10);
    ASSERT_TRUE(encoder->IsVisible());
    HV::Test::ClickButtonOf(encoder);
    editor.Drain();
    HV::Test::SetUpDown(*CcAbsoluteUpDown(*encoders->GetEditPanel()->GetEditor(), {u"cc", u"ccSelector", u"numericUpDown"}),
                    74);
    editor.Drain();
    EXPECT_EQ(HV::Test::LabelText(encoder->GetView(), u"infoLabel"), "CC:\n74");
    expected[encoder->GetFirstParamID()] = HV::Test::BytesOf(encoders->GetEditPanel()->GetEditor()->GetParamRecord());

    // Fader 4 of bank 2 up to 64 only.
    const RCPtr<LFaderPanel> fader = faders->GetTile(12);
    HV::Test::ClickButtonOf(fader);
    editor.Drain();
    HV::Test::SetUpDown(*CcAbsoluteUpDown(*faders->GetEditPanel()->GetEditor(), {u"minMaxSelectors", u"max", u"numericUpDown"}),
                    64);
    editor.Drain();
    expected[fader->GetFirstParamID()] = HV::Test::BytesOf(faders->GetEditPanel()->GetEditor()->GetParamRecord());

    // The modulation wheel to controller 2 (five bytes: no relative mode).
    const RCPtr<LWheelPanel> wheel = wheels->GetTile(1);
    HV::Test::ClickButtonOf(wheel);
    editor.Drain();
    HV::Test::SetUpDown(*CcAbsoluteUpDown(*wheels->GetEditPanel()->GetEditor(), {u"cc", u"ccSelector", u"numericUpDown"}), 2);
    editor.Drain();
    expected[wheel->GetFirstParamID()] = Bytes{0, 0, 2, 0, 127};

    // The X axis's last note (of eight) from 72 to 74, on its note page.
    const auto axes = DynamicCast<LXYPadDirectionGroupPanel>(editor.deviceView->FindChildControl(StringW(u"xyPad")));
    ASSERT_TRUE(axes);
    const RCPtr<LXYPadDirectionPanel> axis = axes->GetTile(0);
    HV::Test::ClickButtonOf(axis);
    editor.Drain();
    HV::Test::SetUpDown(*axes->GetEditPanel()->GetNotePage()->GetNoteUpDown(7), 74);
    editor.Drain();
    expected[axis->GetFirstParamID()] = Bytes{0, 0, 35, 0, 0, 127, 8, 60, 74, 62, 64, 65, 67, 69, 71};

    Save(editor, edited);
    // Sent to the keyboard, the preset differs from the defaults in the four edited bytes alone.
    ASSERT_GT(LApplication::GetMidiManager()->SendPresetToMidiDevice(3), 0);
    const Simulated::SimulatedKeyboard::Preset slot = mKeyboard.GetSlot(3);
    const std::vector<uint8_t> defaultPreset = MakeDefaultPresetData();
    ASSERT_EQ(defaultPreset.size(), slot.size());
    size_t differing = 0;
    for (size_t i = 0; i < slot.size(); ++i) differing += slot[i] != defaultPreset[i];
    EXPECT_EQ(differing, 4u);
  });
  EXPECT_TRUE(Boxes().empty()) << Boxes().front();

  const std::map<int32_t, Bytes> before = RecordsOf(defaults);
  const std::map<int32_t, Bytes> after = RecordsOf(edited);
  ASSERT_EQ(before.size(), 131u);
  ASSERT_EQ(after.size(), 131u);
  std::map<int32_t, Bytes> changed;
  for (const auto& [id, record] : after)
    if (before.at(id) != record) changed[id] = record;
  EXPECT_EQ(changed, expected);
  // Each edit changed its record in the edited byte alone.
  for (const auto& [id, record] : expected) {
    size_t differing = 0;
    for (size_t i = 0; i < record.size(); ++i) differing += record[i] != before.at(id)[i];
    EXPECT_EQ(differing, 1u) << id;
  }
}

}  // namespace
}  // namespace HV
