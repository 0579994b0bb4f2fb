// The push-button and pad panels in the editor started headless from the
// real skin: the colour and HID key lists and their bytes, the tiles'
// colour preview, refused lengths, and the bytes an edit keeps.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/LMouseButtonParam.h"
#include "Panel/UI/PresetEditorCommon/LButtonGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LPadGroupPanel.h"

#include <stdexcept>
#include <string>

namespace HV {
namespace {

using Test::Bytes;
using Test::BytesOf;
using Test::EditorRun;
using Test::LabelText;
using Test::Utf8;
using Test::Value;

TEST(ColoredSwitchRecordLayout, TheHidKeyListStartsWithOffStoredAs87) {
  struct Case {
    int byte;
    int32_t entry;  // -1: no entry shows the byte
  };
  const Case cases[] = {{87, 0}, {0, 1}, {10, 11}, {36, 37}, {85, 86}, {86, -1}, {88, -1}, {-1, -1}, {200, -1}};
  for (const Case& test : cases) {
    EXPECT_EQ(ColoredSwitchRecord::HidKeyEntryOf(test.byte), test.entry) << test.byte;
    if (test.entry >= 0) EXPECT_EQ(ColoredSwitchRecord::HidKeyByteOf(test.entry), test.byte) << test.byte;
  }
  const Bytes pad = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  EXPECT_EQ(HV::Test::BytesOf(ColoredSwitchRecord::MessageOf(RecordFromValue(Value(pad)))),
            (Bytes{1, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
}

class ColoredSwitchPanels : public EditorRun {
 protected:
  struct Parts {
    RCPtr<LButtonGroupPanel> buttons;
    RCPtr<LPadGroupPanel> pads;
    HV::Test::AnnouncementsListened announcements;

    explicit Parts(Live& editor) {
      buttons = DynamicCast<LButtonGroupPanel>(editor.deviceView->FindChildControl(StringW(u"buttons")));
      pads = DynamicCast<LPadGroupPanel>(editor.deviceView->FindChildControl(StringW(u"pads")));
    }
    bool Complete() const { return buttons && pads && buttons->GetEditPanel() && pads->GetEditPanel(); }
    static RCPtr<LButton> ButtonOf(const RCPtr<LControl>& tile) {
      return DynamicCast<LButton>(tile->FindChildControl(StringW(u"button")));
    }
    static void Click(const RCPtr<LControl>& tile, uint32_t modifiers = 0) {
      ButtonOf(tile)->SendNotification(LNotification::Create(
          kNidLeftClick, LMouseButtonParam::Create(LMouseButtonParam::kLeft, 0, 0, modifiers, false, 0)));
    }
    int32_t ButtonId(uint32_t index) const { return buttons->GetFirstParamID() + static_cast<int32_t>(index); }
    int32_t PadId(uint32_t index) const { return pads->GetFirstParamID() + static_cast<int32_t>(index); }
    static void Store(int32_t id, const Bytes& record) {
      LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(id), Value(record));
    }
  };
};

TEST_F(ColoredSwitchPanels, KeyBytesShowAsTheirListItemsAndChosenItemsStoreTheirBytes) {
  struct Case {
    int byte;
    const char* item;
  };
  const Case cases[] = {{87, "Off"},  {0, "0"},           {10, "A"},   {36, "Space"}, {37, "F1"},
                        {49, "Back Space"}, {69, "Esc"}, {76, "Num 1"}, {85, "Num 0"}};
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.Complete());
    const RCPtr<LButtonEditPanel> edit = parts.buttons->GetEditPanel();
    Parts::Click(parts.buttons->GetTile(3));
    editor.Drain();
    const RCPtr<LComboBox> key = edit->GetChoiceBox(LButtonEditPanel::kHidKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetItemCount(), 87);
    Bytes record = HV::Test::EngineValue(parts.ButtonId(3));
    ASSERT_EQ(record.size(), 17u);
    for (const Case& test : cases) {
      record[15] = test.byte;
      ASSERT_EQ(edit->SetParamValueLocal(ParamDescriptor(parts.ButtonId(3)), Value(record), true), 0);
      EXPECT_EQ(Utf8(key->GetItemText(key->GetSelectedIndex())), test.item) << test.byte;
    }
    parts.announcements->seen.clear();
    for (const Case& test : cases) {
      key->SetSelectedIndex(ColoredSwitchRecord::HidKeyEntryOf(test.byte));
      editor.Drain();
      EXPECT_EQ(HV::Test::EngineValue(parts.ButtonId(3))[15], test.byte) << test.item;
    }
  });
}

TEST_F(ColoredSwitchPanels, AChoiceSendsTheWholeRecordAndKeepsWhatItsPagesDoNotShow) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.Complete());
    const RCPtr<LButtonEditPanel> edit = parts.buttons->GetEditPanel();
    // The default record of the sixth button carries its index in byte 7,
    // which no field of its control-change page shows.
    const Bytes stored = HV::Test::EngineValue(parts.ButtonId(5));
    ASSERT_EQ(stored.size(), 17u);
    ASSERT_EQ(stored[7], 5);
    Parts::Click(parts.buttons->GetTile(5));
    editor.Drain();
    EXPECT_EQ(LabelText(edit, u"buttonName"), "BUTTON 6");
    EXPECT_EQ(LabelText(edit, u"bankName"), "BANK 1");
    parts.announcements->seen.clear();

    edit->GetChoiceBox(LButtonEditPanel::kColor1 + 1)->SetSelectedIndex(5);  // colour 2: Red
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    Bytes expected = stored;
    expected[2] = 5;
    EXPECT_EQ(parts.announcements->seen[0].second, expected);

    // Bytes that no list can show stay as shown until their list is chosen.
    Bytes odd = expected;
    odd[1] = 9;    // a colour past the list
    odd[14] = 40;  // an HID colour past the list
    odd[15] = 86;  // the key byte that has no item
    Parts::Store(parts.ButtonId(5), odd);
    editor.Drain();
    EXPECT_EQ(edit->GetChoiceBox(LButtonEditPanel::kColor1)->GetSelectedIndex(), -1);
    EXPECT_EQ(Utf8(edit->GetChoiceBox(LButtonEditPanel::kColor1)->GetText()), "");  // not the colour it had
    parts.announcements->seen.clear();
    edit->GetChoiceBox(LButtonEditPanel::kHidModifier)->SetSelectedIndex(17);
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    Bytes sent = odd;
    sent[16] = 17;
    EXPECT_EQ(parts.announcements->seen[0].second, sent);
    edit->GetChoiceBox(LButtonEditPanel::kColor1)->SetSelectedIndex(7);
    editor.Drain();
    EXPECT_EQ(HV::Test::EngineValue(parts.ButtonId(5))[1], 7);

    // Binding to a button of other colours and keys sends nothing.
    parts.announcements->seen.clear();
    Parts::Click(parts.buttons->GetTile(30));
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);  // the requested value only
    EXPECT_EQ(LabelText(edit, u"buttonName"), "BUTTON 4");
    EXPECT_EQ(LabelText(edit, u"bankName"), "BANK 4");
    EXPECT_EQ(HV::Test::EngineValue(parts.ButtonId(30)), parts.announcements->seen[0].second);
  });
}

TEST_F(ColoredSwitchPanels, APadClickBindsTitlesAndTheColourPageSendsFourteenBytes) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.Complete());
    ASSERT_EQ(parts.pads->GetTileCount(), 16u);
    const RCPtr<LPadEditPanel> edit = parts.pads->GetEditPanel();
    EXPECT_TRUE(edit->GetEditor()->GetShowOnOffOnlyWhenLatching());
    EXPECT_FALSE(parts.buttons->GetEditPanel()->GetEditor()->GetShowOnOffOnlyWhenLatching());
    EXPECT_EQ(LabelText(parts.pads->GetTile(12), u"padNumberLabel"), "P13");
    EXPECT_EQ(LabelText(parts.buttons->GetTile(12), u"buttonNumberLabel"), "B4");

    Parts::Click(parts.pads->GetTile(12));
    for (uint32_t i = 0; i < 16; ++i)
      EXPECT_EQ(Parts::ButtonOf(parts.pads->GetTile(i))->GetNormalizedValue(), i == 12 ? 1.0 : 0.0) << i;
    EXPECT_TRUE(edit->IsVisible());
    EXPECT_EQ(edit->GetPadIndex(), 12);
    EXPECT_EQ(LabelText(edit, u"padName"), "PAD 13");
    EXPECT_EQ(edit->SetPadIndex(16), E_FAIL);
    EXPECT_EQ(edit->SetPadIndex(-1), E_FAIL);
    EXPECT_EQ(LabelText(edit, u"padName"), "PAD 13");
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    const Bytes stored = parts.announcements->seen[0].second;
    ASSERT_EQ(stored.size(), 14u);
    EXPECT_EQ(HV::Test::BytesOf(edit->GetEditor()->GetParamRecord()),
              HV::Test::BytesOf(ColoredSwitchRecord::MessageOf(RecordFromValue(Value(stored)))));

    parts.announcements->seen.clear();
    edit->GetChoiceBox(3)->SetSelectedIndex(13);  // colour 4: White
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    Bytes expected = stored;
    expected[4] = 13;
    EXPECT_EQ(parts.announcements->seen[0].second, expected);

    // The captions carry their selector's number; the push buttons' fifth is the HID colour's.
    RCPtrArray<LControl> captions;
    edit->FindDescendantControls(StringW(u"colorNameLabel"), captions);
    ASSERT_EQ(captions.GetCount(), 4u);
    for (uint32_t p = 0; p < 4; ++p)
      EXPECT_EQ(Utf8(captions.GetAt(p)->GetText()), "COLOR " + std::to_string(p + 1));
    RCPtrArray<LControl> buttonCaptions;
    parts.buttons->GetEditPanel()->FindDescendantControls(StringW(u"colorNameLabel"), buttonCaptions);
    ASSERT_EQ(buttonCaptions.GetCount(), 5u);
    EXPECT_EQ(Utf8(buttonCaptions.GetAt(3)->GetText()), "COLOR 4");
    EXPECT_EQ(Utf8(buttonCaptions.GetAt(4)->GetText()), "HID COLOR");

    // Another kind's edit panel shown: no pad stays selected.
    Parts::Click(parts.buttons->GetTile(0));
    EXPECT_FALSE(edit->IsVisible());
    EXPECT_EQ(Parts::ButtonOf(parts.pads->GetTile(12))->GetNormalizedValue(), 0.0);
  });
}

TEST_F(ColoredSwitchPanels, TilesAndEditPanelsRefuseAnotherLengthAndAnotherElement) {
  struct Case {
    const char* what;
    bool pad;
    int32_t offset;  // from the element's own ID
    size_t length;
    HResult expected;
  };
  const Case cases[] = {
      {"button, 17 bytes", false, 0, 17, 0}, {"button, 16 bytes", false, 0, 16, E_FAIL},
      {"button, 18 bytes", false, 0, 18, E_FAIL}, {"button, none", false, 0, 0, E_FAIL},
      {"button, pad length", false, 0, 14, E_FAIL}, {"button, next ID", false, 1, 17, E_FAIL},
      {"pad, 14 bytes", true, 0, 14, 0},           {"pad, 13 bytes", true, 0, 13, E_FAIL},
      {"pad, 15 bytes", true, 0, 15, E_FAIL},      {"pad, next ID", true, 1, 14, E_FAIL},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.Complete());
    Parts::Click(parts.buttons->GetTile(2));
    Parts::Click(parts.pads->GetTile(2));
    editor.Drain();
    const Bytes buttonBefore = HV::Test::BytesOf(parts.buttons->GetEditPanel()->GetEditor()->GetParamRecord());
    const Bytes padBefore = HV::Test::BytesOf(parts.pads->GetEditPanel()->GetEditor()->GetParamRecord());
    parts.announcements->seen.clear();
    for (const Case& test : cases) {
      const int32_t id = (test.pad ? parts.PadId(2) : parts.ButtonId(2)) + test.offset;
      Bytes record = HV::Test::EngineValue(test.pad ? parts.PadId(2) : parts.ButtonId(2));
      record.resize(test.length, 0);
      const Variant value = Value(record);
      LParameterizedModule& tile = test.pad ? static_cast<LParameterizedModule&>(*parts.pads->GetTile(2))
                                            : static_cast<LParameterizedModule&>(*parts.buttons->GetTile(2));
      LParameterizedModule& edit = test.pad ? static_cast<LParameterizedModule&>(*parts.pads->GetEditPanel())
                                            : static_cast<LParameterizedModule&>(*parts.buttons->GetEditPanel());
      EXPECT_EQ(tile.SetParamValueLocal(ParamDescriptor(id), value, true), test.expected) << test.what;
      EXPECT_EQ(edit.SetParamValueLocal(ParamDescriptor(id), value, true), test.expected) << test.what;
    }
    EXPECT_EQ(HV::Test::BytesOf(parts.buttons->GetEditPanel()->GetEditor()->GetParamRecord()), buttonBefore);
    EXPECT_EQ(HV::Test::BytesOf(parts.pads->GetEditPanel()->GetEditor()->GetParamRecord()), padBefore);
    editor.Drain();
    EXPECT_TRUE(parts.announcements->seen.empty());
  });
}

// A Shift-click steps a tile's indicator through colours 1, 2, 3, 4 and
// round; a plain click leaves it; a colour past the looks leaves it too.
TEST_F(ColoredSwitchPanels, ShiftClicksStepTheColourPreviewAndTheIndicatorFollowsTheValue) {
  struct Kind {
    const char* what;
    bool pad;
    Bytes colours;     // bytes 1-4
    int32_t pastLooks;  // a colour byte without a look
  };
  const Kind kinds[] = {{"push button", false, {1, 2, 3, 4}, 8}, {"pad", true, {1, 5, 9, 13}, 14}};
  constexpr uint32_t kShift = 0x08;
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.Complete());
    for (const Kind& kind : kinds) {
      const RCPtr<LControl> tile = kind.pad ? RCPtr<LControl>(parts.pads->GetTile(7).Get())
                                            : RCPtr<LControl>(parts.buttons->GetTile(7).Get());
      const int32_t id = kind.pad ? parts.PadId(7) : parts.ButtonId(7);
      const RCPtr<LControl> indicator = tile->FindChildControl(StringW(u"color"));
      ASSERT_TRUE(indicator) << kind.what;
      Bytes record = HV::Test::EngineValue(id);
      std::copy(kind.colours.begin(), kind.colours.end(), record.begin() + 1);
      Parts::Store(id, record);
      editor.Drain();
      const auto shows = [&] { return indicator->GetCurrentLookIndex(); };
      EXPECT_EQ(shows(), kind.colours[0]) << kind.what;
      Parts::Click(tile);
      EXPECT_EQ(shows(), kind.colours[0]) << kind.what;
      const int expected[] = {kind.colours[0], kind.colours[1], kind.colours[2], kind.colours[3], kind.colours[0]};
      for (int colour : expected) {
        Parts::Click(tile, kShift);
        EXPECT_EQ(shows(), colour) << kind.what;
      }
      // Step 0 shows colour 1: a stored colour 1 past the looks leaves the indicator.
      record[1] = kind.pastLooks;
      Parts::Store(id, record);
      editor.Drain();
      EXPECT_EQ(shows(), kind.colours[0]) << kind.what;
      record[1] = 0;
      Parts::Store(id, record);
      editor.Drain();
      EXPECT_EQ(shows(), 0) << kind.what;  // "Off": the transparent look
    }
  });
}

}  // namespace
}  // namespace HV

namespace HV {
namespace {

// A pad group outside a device view has no edit panel to bind on a click:
// it fails when it is made, not when the first pad is clicked.
TEST(PadGroupWithoutEditPanel, FailsAtInitializeWithTheNullPointerError) {
  const RCPtr<LPadGroupPanel> group(new LPadGroupPanel(nullptr, StringW(u"pads")));
  std::string what;
  try {
    group->Initialize();
  } catch (const std::runtime_error& failure) {
    what = failure.what();
  }
  EXPECT_NE(what.find("Runtime Error : Null Pointer : "), std::string::npos) << what;
  EXPECT_NE(what.find("LPadGroupPanel::Initialize"), std::string::npos) << what;
}

}  // namespace
}  // namespace HV
