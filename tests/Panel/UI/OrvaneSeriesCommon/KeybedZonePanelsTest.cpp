// The keybed zone panels in the editor started headless from the real skin:
// the key rule on the user's key edits, one exact record per user edit,
// nothing sent and no byte changed while a record is shown, the bytes the
// controls cannot show kept, the tiles' key names and channels (bounded for
// any key byte), the refusal of other lengths and of another zone's value,
// and the Null Pointer failures of a skin without a needed control.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"
#include "tests/Panel/UI/SkinWithout.h"

#include "Panel/UI/OrvaneSeriesCommon/KeybedZoneRecord.h"
#include "Panel/UI/OrvaneSeriesCommon/LKeybedZoneGroupPanel.h"

#include <string>
#include <vector>

namespace HV {
namespace {

using HV::Test::Bytes;
using HV::Test::BytesOf;
using HV::Test::LabelText;
using HV::Test::Value;
using namespace KeybedZoneRecord;

TEST(KeybedZoneKeyRule, TheEditedKeyStaysOnTheKeybedAndTheFirstFollowsTheLastDown) {
  struct Case {
    const char* what;
    KeyRange keys;  // after the user's edit, before the rule
    KeyEdited edited;
    KeyRange expected;
  };
  const Case cases[] = {
      {"first raised above the last", {40, 30}, KeyEdited::First, {30, 30}},
      {"last lowered below the first", {20, 10}, KeyEdited::Last, {10, 10}},
      {"first past the keybed", {60, 48}, KeyEdited::First, {48, 48}},
      {"first past the keybed and above the last", {49, 30}, KeyEdited::First, {30, 30}},
      {"last past the keybed", {0, 100}, KeyEdited::Last, {0, 48}},
      {"last at the top", {0, 48}, KeyEdited::Last, {0, 48}},
      {"both at the top", {48, 48}, KeyEdited::First, {48, 48}},
      {"both at the bottom", {0, 0}, KeyEdited::Last, {0, 0}},
      {"first equal to the last", {30, 30}, KeyEdited::First, {30, 30}},
      {"the last is never moved for the first", {47, 12}, KeyEdited::First, {12, 12}},
  };
  for (const Case& test : cases) EXPECT_EQ(ApplyKeyRule(test.keys, test.edited), test.expected) << test.what;
}

class KeybedZonePanels : public HV::Test::EditorRun {
 protected:
  struct Parts {
    RCPtr<LKeybedZoneGroupPanel> group;
    RCPtr<LKeybedZoneEditPanel> edit;
    HV::Test::AnnouncementsListened listened;

    explicit Parts(Live& editor) {
      group =
          DynamicCast<LKeybedZoneGroupPanel>(editor.deviceView->FindChildControl(StringW(u"keybedZones")));
      if (group) edit = group->GetEditPanel();
    }
    int32_t Id(uint32_t zone) const { return group->GetFirstParamID() + static_cast<int32_t>(zone); }
    void Click(uint32_t zone) const { HV::Test::ClickButtonOf(RCPtr<LControl>(group->GetTile(zone).Get())); }
    HResult Show(uint32_t zone, const Bytes& record) const {
      return edit->SetParamValueLocal(ParamDescriptor(Id(zone)), Value(record), true);
    }
    // The engine takes record as the zone's value and announces it.
    void Announce(Live& editor, uint32_t zone, const Bytes& record) const {
      LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(Id(zone)), Value(record));
      editor.Drain();
    }
    RCPtr<LControl> ControlOf(uint32_t byte) const { return edit->GetControlOfByte(byte); }
    LNumericUpDown& Box(uint32_t byte) const { return *DynamicCast<LNumericUpDown>(ControlOf(byte)); }
    LComboBox& Channel() const { return *DynamicCast<LComboBox>(ControlOf(kChannel)); }
    std::string Info(uint32_t zone) const {
      return LabelText(RCPtr<LControl>(group->GetTile(zone).Get()), u"infoLabel");
    }
    std::string TileChannel(uint32_t zone) const {
      return LabelText(group->GetTile(zone)->FindChildControl(StringW(u"midiChannel")), u"label");
    }
    std::vector<std::pair<int32_t, Bytes>>& Seen() { return listened.Seen(); }
  };
};

TEST_F(KeybedZonePanels, ATileClickBindsTitlesAndAsksTheEngineOnce) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    ASSERT_EQ(parts.group->GetTileCount(), 4u);
    for (uint32_t zone = 0; zone < 4; ++zone)
      EXPECT_EQ(LabelText(RCPtr<LControl>(parts.group->GetTile(zone).Get()), u"zoneName"),
                "ZONE " + std::to_string(zone + 1));
    // The default zones cover the whole keybed on the global channel.
    EXPECT_EQ(parts.Info(0), "First: C (1) | Last C (5)");
    EXPECT_EQ(parts.TileChannel(0), "CH:G");
    EXPECT_FALSE(parts.edit->IsBound());

    parts.Click(2);
    for (uint32_t zone = 0; zone < 4; ++zone)
      EXPECT_EQ(DynamicCast<LButton>(parts.group->GetTile(zone)->FindChildControl(StringW(u"button")))
                    ->GetNormalizedValue(),
                zone == 2 ? 1.0 : 0.0);
    EXPECT_TRUE(parts.edit->IsVisible());
    EXPECT_EQ(parts.edit->GetFirstParamID(), parts.Id(2));
    EXPECT_EQ(LabelText(RCPtr<LControl>(parts.edit.Get()), u"zoneName"), "ZONE 3");
    editor.Drain();
    ASSERT_EQ(parts.Seen().size(), 1u);
    EXPECT_EQ(parts.Seen()[0], (std::pair<int32_t, Bytes>{parts.Id(2), {0, 0, 0, 0, 0, 0, 48, 5, 12}}));
    // The answer showed in the panel and sent nothing back.
    EXPECT_EQ(BytesOf(parts.edit->GetZoneRecord()), (Bytes{0, 0, 0, 0, 0, 0, 48, 5, 12}));
    editor.Drain();
    EXPECT_EQ(parts.Seen().size(), 1u);

    // A value for the bound zone reaches the panel and its tile; one for
    // another zone only that zone's tile.
    parts.Announce(editor, 2, {1, 16, 0, 0, 0, 13, 35, 5, 12});
    parts.Announce(editor, 3, {1, 4, 0, 0, 0, 24, 30, 5, 12});
    EXPECT_EQ(parts.Info(2), "First: Db (2) | Last B (3)");
    EXPECT_EQ(parts.TileChannel(2), "CH:16");
    EXPECT_EQ(parts.Info(3), "First: C (3) | Last Gb (3)");
    EXPECT_EQ(parts.TileChannel(3), "CH:4");
    EXPECT_EQ(BytesOf(parts.edit->GetZoneRecord()), (Bytes{1, 16, 0, 0, 0, 13, 35, 5, 12}));
    EXPECT_EQ(parts.Seen().size(), 3u);  // the two values only

    // Another kind's edit panel shown: no zone stays selected.
    editor.deviceView->ShowEditPanel(LDeviceView::kEncoderPanel, 0);
    EXPECT_EQ(DynamicCast<LButton>(parts.group->GetTile(2)->FindChildControl(StringW(u"button")))
                  ->GetNormalizedValue(),
              0.0);
  });
}

TEST_F(KeybedZonePanels, EachUserEditSendsOneExactRecordAndKeyEditsFollowTheRule) {
  struct Case {
    const char* what;
    int first;  // the keys of the record shown
    int last;
    uint32_t byte;  // the control the user sets
    double value;
    Bytes sent;
  };
  const Case cases[] = {
      {"first raised above the last", 10, 30, kFirstKey, 40, {1, 3, 10, 20, 30, 30, 30, 5, 12}},
      {"last lowered below the first", 20, 30, kLastKey, 10, {1, 3, 10, 20, 30, 10, 10, 5, 12}},
      {"first typed past the keybed", 0, 48, kFirstKey, 60, {1, 3, 10, 20, 30, 48, 48, 5, 12}},
      {"last typed past the keybed", 0, 20, kLastKey, 100, {1, 3, 10, 20, 30, 0, 48, 5, 12}},
      {"first down to the bottom", 5, 48, kFirstKey, 0, {1, 3, 10, 20, 30, 0, 48, 5, 12}},
      {"a shown first above the last follows a new last",
       40,
       30,
       kLastKey,
       35,
       {1, 3, 10, 20, 30, 35, 35, 5, 12}},
      {"a channel edit keeps shown keys as they are", 40, 30, kChannel, 5, {1, 5, 10, 20, 30, 40, 30, 5, 12}},
      {"a program edit keeps keys past the keybed",
       60,
       100,
       kProgram,
       99,
       {1, 3, 99, 20, 30, 60, 100, 5, 12}},
      {"octave up by five", 0, 48, kOctave, 5, {1, 3, 10, 20, 30, 0, 48, 10, 12}},
      {"transpose down by twelve", 0, 48, kTranspose, -12, {1, 3, 10, 20, 30, 0, 48, 5, 0}},
      {"octave held at +5", 0, 48, kOctave, 9, {1, 3, 10, 20, 30, 0, 48, 10, 12}},
      {"MSB", 0, 48, kMsb, 127, {1, 3, 10, 127, 30, 0, 48, 5, 12}},
      {"LSB", 0, 48, kLsb, 1, {1, 3, 10, 20, 1, 0, 48, 5, 12}},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    parts.Click(1);
    editor.Drain();
    for (const Case& test : cases) {
      parts.Announce(editor, 1, {1, 3, 10, 20, 30, test.first, test.last, 5, 12});
      ASSERT_EQ(BytesOf(parts.edit->GetZoneRecord()),
                (Bytes{1, 3, 10, 20, 30, test.first, test.last, 5, 12}));
      parts.Seen().clear();
      if (test.byte == kChannel)
        parts.Channel().SetSelectedIndex(static_cast<int32_t>(test.value));
      else
        HV::Test::SetUpDown(parts.Box(test.byte), test.value);
      editor.Drain();
      ASSERT_EQ(parts.Seen().size(), 1u) << test.what;
      EXPECT_EQ(parts.Seen()[0], (std::pair<int32_t, Bytes>{parts.Id(1), test.sent})) << test.what;
    }
  });
}

TEST_F(KeybedZonePanels, ShowingARecordSendsNothingAndKeepsWhatTheControlsCannotShow) {
  struct Case {
    const char* what;
    Bytes record;
    double octave;
    double transpose;
    int32_t channel;  // the entry selected, -1 for none
    const char* tileChannel;
    const char* info;
  };
  const Case cases[] = {
      {"the first default zone", {1, 0, 0, 0, 0, 0, 48, 5, 12}, 0, 0, 0, "CH:G", "First: C (1) | Last C (5)"},
      {"the ends of every range",
       {0, 16, 127, 127, 127, 13, 35, 10, 0},
       5,
       -12,
       16,
       "CH:16",
       "First: Db (2) | Last B (3)"},
      {"keys in the wrong order and past the keybed",
       {1, 1, 0, 0, 0, 40, 30, 0, 24},
       -5,
       12,
       1,
       "CH:1",
       "First: E (4) | Last Gb (3)"},
      {"keys past the keybed",
       {1, 2, 0, 0, 0, 60, 127, 5, 12},
       0,
       0,
       2,
       "CH:2",
       "First: C (6) | Last G (11)"},
      {"bytes no control can show",
       {2, 17, 200, 128, 255, 0, 48, 11, 25},
       5,
       12,
       -1,
       "CH:Z1",
       "First: C (1) | Last C (5)"},
      {"negative keys have no names", {1, 0, 0, 0, 0, 255, 128, 5, 12}, 0, 0, 0, "CH:G", "First:   | Last  "},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    parts.Click(0);
    editor.Drain();
    parts.Seen().clear();
    for (const Case& test : cases) {
      ASSERT_EQ(parts.Show(0, test.record), 0) << test.what;
      EXPECT_EQ(BytesOf(parts.edit->GetZoneRecord()), test.record) << test.what;
      EXPECT_EQ(parts.Box(kOctave).GetValue(), test.octave) << test.what;
      EXPECT_EQ(parts.Box(kTranspose).GetValue(), test.transpose) << test.what;
      EXPECT_EQ(parts.Channel().GetSelectedIndex(), test.channel) << test.what;
      EXPECT_EQ(parts.TileChannel(0), test.tileChannel) << test.what;
      EXPECT_EQ(parts.Info(0), test.info) << test.what;
    }
    editor.Drain();
    EXPECT_TRUE(parts.Seen().empty());

    // A kept byte goes once the user sets its control; the others stay.
    parts.Show(0, {2, 17, 200, 128, 255, 0, 48, 11, 25});
    HV::Test::SetUpDown(parts.Box(kProgram), 7);
    editor.Drain();
    ASSERT_EQ(parts.Seen().size(), 1u);
    EXPECT_EQ(parts.Seen()[0].second, (Bytes{2, 17, 7, 128, 255, 0, 48, 11, 25}));
  });
}

TEST_F(KeybedZonePanels, TheEnableBoxTogglesTheZoneAndSendsIt) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    parts.Click(3);
    editor.Drain();
    parts.Seen().clear();
    const RCPtr<LControl> enable = parts.ControlOf(kEnabled);
    for (const int expected : {1, 0, 1}) {
      enable->SendNotification(LNotification::Create(kNidLeftClick));
      editor.Drain();
      ASSERT_EQ(parts.Seen().size(), 1u);
      EXPECT_EQ(parts.Seen()[0],
                (std::pair<int32_t, Bytes>{parts.Id(3), {expected, 0, 0, 0, 0, 0, 48, 5, 12}}));
      parts.Seen().clear();
    }
  });
}

TEST_F(KeybedZonePanels, ZonePanelsRefuseAnotherZonesValueAndAnotherLength) {
  struct Case {
    uint32_t zone;
    Bytes record;
    HResult expected;
  };
  const Case cases[] = {
      {1, {1, 3, 0, 0, 0, 12, 24, 5, 12}, 0},  {2, {1, 3, 0, 0, 0, 12, 24, 5, 12}, E_FAIL},
      {1, {1, 3, 0, 0, 0, 12, 24, 5}, E_FAIL}, {1, {1, 3, 0, 0, 0, 12, 24, 5, 12, 0}, E_FAIL},
      {1, {1, 3, 0, 0, 0, 12}, E_FAIL},        {1, {}, E_FAIL},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    parts.Click(1);
    editor.Drain();
    const RCPtr<LKeybedZonePanel> tile = parts.group->GetTile(1);
    for (const Case& test : cases) {
      const ParamDescriptor id(parts.Id(test.zone));
      EXPECT_EQ(tile->SetParamValueLocal(id, Value(test.record), true), test.expected) << test.record.size();
      EXPECT_EQ(parts.edit->SetParamValueLocal(id, Value(test.record), true), test.expected)
          << test.record.size();
    }
    // The refused values changed nothing.
    EXPECT_EQ(BytesOf(parts.edit->GetZoneRecord()), (Bytes{1, 3, 0, 0, 0, 12, 24, 5, 12}));
    EXPECT_EQ(parts.Info(1), "First: C (2) | Last C (3)");
    EXPECT_EQ(parts.TileChannel(1), "CH:3");
  });
}

TEST_F(KeybedZonePanels, ASkinWithoutANeededControlFailsLoudly) {
  struct Case {
    bool tile;
    std::vector<const char16_t*> missing;
    const char* detail;
    const char* method;
  };
  const Case cases[] = {
      {false, {u"zoneName"}, "couldn't find child zoneName", "LKeybedZoneEditPanel::Initialize"},
      {false,
       {u"zoneEnabledToggleButton"},
       "couldn't find child zoneEnabledToggleButton",
       "LKeybedZoneEditPanel::Initialize"},
      {false,
       {u"midiChannel", u"comboBox"},
       "couldn't find child midiChannel/comboBox",
       "LKeybedZoneEditPanel::Initialize"},
      {false,
       {u"startEndNoteSelector"},
       "Cannot find child startEndNoteSelector",
       "LKeybedZoneEditPanel::Initialize"},
      {false,
       {u"startEndNoteSelector", u"endNote"},
       "Cannot find child endNote",
       "LKeybedZoneEditPanel::Initialize"},
      {false,
       {u"msbLSBSelectors", u"lsb"},
       "couldn't find child msbLSBSelectors/lsb/numericUpDown",
       "LKeybedZoneEditPanel::Initialize"},
      {false, {u"program"}, "couldn't find child program/numericUpDown", "LKeybedZoneEditPanel::Initialize"},
      {true, {u"infoLabel"}, "Cannot find child: infoLabel ", "LKeybedZonePanel::Initialize"},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    const RCPtr<LControlDescriptor> editDescriptor = parts.edit->GetDescriptor();
    const RCPtr<LControlDescriptor> tileDescriptor = parts.group->GetTile(0)->GetDescriptor();
    EXPECT_EQ(HV::Test::CreationFailure<LKeybedZoneEditPanel>(HV::Test::WithoutChild(*editDescriptor, {})),
              "");
    EXPECT_EQ(HV::Test::CreationFailure<LKeybedZonePanel>(HV::Test::WithoutChild(*tileDescriptor, {})), "");
    for (const Case& test : cases) {
      const std::string message = test.tile ? HV::Test::CreationFailure<LKeybedZonePanel>(
                                                  HV::Test::WithoutChild(*tileDescriptor, test.missing))
                                            : HV::Test::CreationFailure<LKeybedZoneEditPanel>(
                                                  HV::Test::WithoutChild(*editDescriptor, test.missing));
      EXPECT_EQ(message.rfind(
                    std::string("Runtime Error : Null Pointer : ") + test.detail + " : " + test.method, 0),
                0u)
          << message;
    }
  });
}

}  // namespace
}  // namespace HV
