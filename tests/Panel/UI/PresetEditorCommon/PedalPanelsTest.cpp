// The pedal panels in the editor started headless from the real skin: a
// pedal's values go to its edit panel exactly while that panel is shown, else
// to its tile; the tile buttons follow the edit panels; the sustain pedal's
// six bytes in the ten-byte editor and view and back; the refusals.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelsFixture.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/PresetEditorCommon/LPedalGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/SustainPedalRecord.h"
#include "tests/support/TemporaryFolder.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

namespace HV {
namespace {

using Test::AnnouncedValues;
using Test::Bytes;
using Test::BytesOf;
using Test::EditorRun;
using Test::LabelText;
using Test::Record;
using Test::Utf8;
using Test::Value;

class PedalPanels : public EditorRun {
 protected:
  struct Parts {
    RCPtr<LPedalGroupPanel> group;
    RCPtr<AnnouncedValues> announcements{new AnnouncedValues()};

    explicit Parts(Live& editor) {
      group = DynamicCast<LPedalGroupPanel>(editor.deviceView->FindChildControl(StringW(u"pedals")));
      announcements->RegisterNotification(
          RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter().Get()),
          kNidParamModuleStateChange);
    }
    ~Parts() { announcements->UnregisterAllNotifications(); }
    static RCPtr<LButton> Button(const RCPtr<LControl>& tile) {
      return DynamicCast<LButton>(tile->FindChildControl(StringW(u"button")));
    }
    void Click(const RCPtr<LControl>& tile) const {
      Button(tile)->SendNotification(LNotification::Create(kNidLeftClick));
    }
    int32_t VolumeId() const { return group->GetFirstParamID(); }
    int32_t SustainId() const { return group->GetFirstParamID() + 1; }
    RCPtr<LControl> VolumeTile() const { return RCPtr<LControl>(group->GetVolumeTile().Get()); }
    RCPtr<LControl> SustainTile() const { return RCPtr<LControl>(group->GetSustainTile().Get()); }
  };
};

TEST_F(PedalPanels, ValuesGoToTheShownEditPanelAndTheTileButtonsFollowIt) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group);
    const auto volumeEdit = parts.group->GetVolumeEditPanel();
    const auto sustainEdit = parts.group->GetSustainEditPanel();
    // Both pedals placed with index 0: volume first, sustain next.
    EXPECT_EQ(parts.group->GetVolumeTile()->GetFirstParamID(), parts.VolumeId());
    EXPECT_EQ(parts.group->GetSustainTile()->GetFirstParamID(), parts.SustainId());
    EXPECT_EQ(parts.group->GetSustainTile()->GetIndex(), 0);
    EXPECT_FALSE(volumeEdit->IsVisible() || sustainEdit->IsVisible());

    struct Step {
      const char* what;
      std::function<void()> act;
      bool volumeShown, sustainShown;
    };
    const Step steps[] = {
        {"sustain clicked", [&] { parts.Click(parts.SustainTile()); }, false, true},
        {"volume clicked", [&] { parts.Click(parts.VolumeTile()); }, true, false},
        {"another kind's edit panel",
         [&] { editor.deviceView->ShowEditPanel(LDeviceView::kEncoderPanel, 0); }, false, false},
        {"the sustain panel shown by the device view",
         [&] { editor.deviceView->ShowEditPanel(LDeviceView::kPedalPanel, 1); }, false, true},
    };
    for (const Step& step : steps) {
      step.act();
      EXPECT_EQ(volumeEdit->IsVisible(), step.volumeShown) << step.what;
      EXPECT_EQ(sustainEdit->IsVisible(), step.sustainShown) << step.what;
      EXPECT_EQ(Parts::Button(parts.VolumeTile())->GetNormalizedValue(), step.volumeShown ? 1.0 : 0.0)
          << step.what;
      EXPECT_EQ(Parts::Button(parts.SustainTile())->GetNormalizedValue(), step.sustainShown ? 1.0 : 0.0)
          << step.what;
      // The route follows what is shown (once bound).
      const bool volumeToEdit = step.volumeShown && volumeEdit->IsBound();
      const bool sustainToEdit = step.sustainShown && sustainEdit->IsBound();
      EXPECT_EQ(parts.group->GetVolumePedal().Get(),
                volumeToEdit ? static_cast<IVolumePedal*>(volumeEdit.Get())
                             : static_cast<IVolumePedal*>(parts.group->GetVolumeTile().Get()))
          << step.what;
      EXPECT_EQ(parts.group->GetSustainPedal().Get(),
                sustainToEdit ? static_cast<ISustainPedal*>(sustainEdit.Get())
                              : static_cast<ISustainPedal*>(parts.group->GetSustainTile().Get()))
          << step.what;
    }
    // Each click asked the engine once for its pedal.
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 2u);
    EXPECT_EQ(parts.announcements->seen[0].first, parts.SustainId());
    EXPECT_EQ(parts.announcements->seen[1].first, parts.VolumeId());

    // While the volume panel is shown a volume value shows there and in the tile.
    parts.Click(parts.VolumeTile());
    editor.Drain();
    LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(parts.VolumeId()),
                                                       Value({2, 0, 11, 0, 5, 120}));
    editor.Drain();
    EXPECT_EQ(BytesOf(volumeEdit->GetEditor()->GetParamRecord()), (Bytes{2, 0, 11, 0, 5, 120}));
    EXPECT_EQ(LabelText(parts.group->GetVolumeTile()->GetView(), u"infoLabel"), "CC:\n11");
    EXPECT_EQ(parts.group->SetParamValue(ParamDescriptor(parts.VolumeId() + 5), Value({0, 0, 0, 0, 0, 0})),
              E_FAIL);
  });
}

TEST(SustainPedalLayout, SixPedalBytesAreTenEditorBytesWithTheMiddleSlotsUnused) {
  EXPECT_EQ(BytesOf(SustainPedalRecord::ToButtonMessage(Record({1, 2, 3, 4, 5, 6}))),
            (Bytes{1, 2, 3, 4, 5, 1, 0, 1, 0, 6}));
  EXPECT_EQ(BytesOf(SustainPedalRecord::FromButtonMessage(Record({1, 2, 3, 4, 5, 9, 9, 9, 9, 6}))),
            (Bytes{1, 2, 3, 4, 5, 6}));
  // Another length passes unchanged, so the length checks still see it.
  EXPECT_EQ(BytesOf(SustainPedalRecord::ToButtonMessage(Record({1, 2, 3, 4, 5}))), (Bytes{1, 2, 3, 4, 5}));
}

TEST_F(PedalPanels, TheSustainPedalIsEditedAndSummarisedInTheTenByteLayout) {
  using E = LButtonControlEditPanel;
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group);
    const auto sustainEdit = parts.group->GetSustainEditPanel();
    // Program Inc/Dec keeps its kind in the tile as in the editor.
    LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(parts.SustainId()),
                                                       Value({3, 1, 28, 0, 0, 127}));
    editor.Drain();
    EXPECT_EQ(LabelText(parts.group->GetSustainTile()->GetView(), u"infoLabel"), "PG\nINC/DEC");

    parts.Click(parts.SustainTile());
    editor.Drain();
    const RCPtr<LButtonControlEditPanel> buttonEditor = sustainEdit->GetEditor();
    EXPECT_EQ(BytesOf(buttonEditor->GetParamRecord()), (Bytes{3, 1, 28, 0, 0, 1, 0, 1, 0, 127}));
    EXPECT_EQ(Utf8(buttonEditor->GetTabControl()->GetSelectedPageName()), "programIncDecPage");

    // A user edit sends the six bytes 0-4 and 9.
    parts.announcements->seen.clear();
    const auto max = HV::Test::ControlAt<LNumericUpDown>(
        buttonEditor->GetTabControl()->GetPage(StringW(E::PageName(E::kProgramIncDecPage))),
        {u"minMaxSelectors", u"max", u"numericUpDown"});
    ASSERT_TRUE(max);
    HV::Test::SetUpDown(*max, 90);
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    EXPECT_EQ(parts.announcements->seen[0].first, parts.SustainId());
    EXPECT_EQ(parts.announcements->seen[0].second, (Bytes{3, 1, 28, 0, 0, 90}));
    EXPECT_EQ(LabelText(parts.group->GetSustainTile()->GetView(), u"infoLabel"), "PG\nINC/DEC");
  });
}

TEST_F(PedalPanels, PedalPanelsRefuseAnotherPedalsIdAndAnotherLength) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group);
    parts.Click(parts.SustainTile());
    parts.Click(parts.VolumeTile());
    editor.Drain();
    struct Panel {
      const char* what;
      LParameterizedModule* module;
      int32_t id;
    };
    const Panel panels[] = {
        {"volume tile", parts.group->GetVolumeTile().Get(), parts.VolumeId()},
        {"volume edit panel", parts.group->GetVolumeEditPanel().Get(), parts.VolumeId()},
        {"sustain tile", parts.group->GetSustainTile().Get(), parts.SustainId()},
        {"sustain edit panel", parts.group->GetSustainEditPanel().Get(), parts.SustainId()},
    };
    struct Case {
      int32_t idOffset;  // from the panel's own ID
      Bytes record;
      HResult expected;
    };
    const Case cases[] = {
        {0, {0, 0, 64, 0, 0, 127}, 0},
        {1, {0, 0, 64, 0, 0, 127}, E_FAIL},
        {0, {0, 0, 64, 0, 0}, E_FAIL},
        {0, {0, 0, 64, 0, 0, 127, 0}, E_FAIL},
        {0, {0, 0, 64, 0, 0, 0, 0, 0, 0, 127}, E_FAIL},
        {0, {}, E_FAIL},
    };
    for (const Panel& panel : panels)
      for (const Case& test : cases)
        EXPECT_EQ(panel.module->SetParamValueLocal(ParamDescriptor(panel.id + test.idOffset),
                                                   Value(test.record), true),
                  test.expected)
            << panel.what << " " << test.record.size();
    EXPECT_EQ(LabelText(parts.group->GetSustainTile()->GetView(), u"infoLabel"), "CC:\n64");
    EXPECT_EQ(BytesOf(parts.group->GetVolumeEditPanel()->GetEditor()->GetParamRecord()),
              (Bytes{0, 0, 64, 0, 0, 127}));
  });
}

// Where the data of the element at paramID stands in a saved preset: after
// the file's header and, per earlier parameter, its record header and data.
size_t PresetDataOffset(int32_t paramID) {
  constexpr size_t kFileHeader = 12, kRecordHeader = 24;
  size_t offset = kFileHeader;
  for (const ElementLayout& layout : kElementLayouts)
    for (int32_t i = 0; i < layout.count; ++i) {
      const int32_t id = layout.firstOffset + i;
      if (id == paramID) return offset + kRecordHeader;
      if (id < paramID) offset += kRecordHeader + static_cast<size_t>(layout.recordLength);
    }
  return offset;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(PedalPanels, BothPedalsEditedAndSavedDifferFromTheDefaultInTheirRecordsOnly) {
  using E = LButtonControlEditPanel;
  HV::Test::TemporaryFolder folder;
  const std::string defaults = folder.GetPath() + "/default.TarselPresetEditor";
  const std::string edited = folder.GetPath() + "/edited.TarselPresetEditor";
  int32_t volumeId = -1, sustainId = -1;
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group);
    volumeId = parts.VolumeId();
    sustainId = parts.SustainId();
    mChooser->Choose(defaults);
    editor.Menu(kNidMenuFileSavePresetToFile);

    parts.Click(parts.SustainTile());
    editor.Drain();
    const RCPtr<LControl> ccPage = parts.group->GetSustainEditPanel()->GetEditor()->GetTabControl()->GetPage(
        StringW(E::PageName(E::kCcAbsolutePage)));
    HV::Test::SetUpDown(
        *HV::Test::ControlAt<LNumericUpDown>(ccPage, {u"cc", u"ccSelector", u"numericUpDown"}), 66);
    parts.Click(parts.VolumeTile());
    editor.Drain();
    const RCPtr<LControl> volumePage =
        parts.group->GetVolumeEditPanel()->GetEditor()->GetTabControl()->GetPage(StringW(u"ccAbsolutePage"));
    HV::Test::SetUpDown(
        *HV::Test::ControlAt<LNumericUpDown>(volumePage, {u"cc", u"ccSelector", u"numericUpDown"}), 11);
    HV::Test::SetUpDown(
        *HV::Test::ControlAt<LNumericUpDown>(volumePage, {u"minMaxSelectors", u"max", u"numericUpDown"}),
        126);
    editor.Drain();
    mChooser->Choose(edited);
    editor.Menu(kNidMenuFileSavePresetToFile);
  });
  const std::vector<uint8_t> before = ReadBytes(defaults);
  const std::vector<uint8_t> after = ReadBytes(edited);
  ASSERT_EQ(before.size(), 4494u);
  ASSERT_EQ(after.size(), before.size());
  std::map<size_t, int> changed;
  for (size_t i = 0; i < before.size(); ++i)
    if (before[i] != after[i]) changed[i] = after[i];
  const size_t volume = PresetDataOffset(volumeId), sustain = PresetDataOffset(sustainId);
  // The volume pedal's controller and maximum, the sustain pedal's controller.
  EXPECT_EQ(changed, (std::map<size_t, int>{{volume + 2, 11}, {volume + 5, 126}, {sustain + 2, 66}}));
}

TEST_F(PedalPanels, AGroupWithoutTheDeviceViewIsANullPointerFailure) {
  Inspect([&](Live& editor) {
    const RCPtr<LControl> original = editor.deviceView->FindChildControl(StringW(u"pedals"));
    ASSERT_TRUE(original);
    // A pedal group outside the main window's tree: no "viewDevice" above it.
    RCPtr<LPedalGroupPanel> loose(new LPedalGroupPanel(nullptr, StringW(u"pedals")));
    try {
      loose->Initialize();
      ADD_FAILURE() << "no failure";
    } catch (const std::exception& failure) {
      EXPECT_NE(std::string(failure.what()).find("Null Pointer : volumeEditPanel not found"),
                std::string::npos)
          << failure.what();
    }
  });
}

}  // namespace
}  // namespace HV
