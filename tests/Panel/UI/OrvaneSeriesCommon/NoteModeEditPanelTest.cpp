// The note-mode editor of an X/Y pad axis in the editor started headless from
// the real skin: records in range and list mode shown and read back, counts
// and notes its controls cannot show kept, the scale recognised and applied,
// one change announced per user action and none while showing, and all eight
// note selectors required.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"
#include "tests/Panel/UI/SkinWithout.h"

#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/OrvaneSeriesCommon/LNoteModeEditPanel.h"

#include <functional>
#include <string>
#include <vector>

namespace HV {
namespace {

using HV::Test::Bytes;
using HV::Test::BytesOf;
using HV::Test::ChildAt;
using HV::Test::LabelText;
using HV::Test::Value;

// Counts the changes the panel announces.
class ChangeCounter : public LNotificationClient {
 public:
  void ReceiveNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) override {
    ++count;
  }
  int count = 0;
};

class NoteModeEditor : public HV::Test::EditorRun {
 protected:
  struct Parts {
    RCPtr<LNoteModeEditPanel> panel;
    RCPtr<ChangeCounter> changes{new ChangeCounter()};

    explicit Parts(Live& editor) {
      panel = DynamicCast<LNoteModeEditPanel>(
          ChildAt(RCPtr<LControl>(editor.deviceView.Get()),
                  {u"xyPadEditPanel", u"viewTabControl", u"pageHolder", u"noteModePage"}));
      if (panel)
        changes->RegisterNotification(RCPtr<LNotificationDistributor>(panel.Get()), kNidParametersChanged);
    }
    ~Parts() { changes->UnregisterAllNotifications(); }

    void Show(const Bytes& record) const { panel->SetParamRecord(RecordFromValue(Value(record))); }
    Bytes Read() const { return BytesOf(panel->GetParamRecord()); }
    std::vector<int> Notes() const {
      std::vector<int> notes;
      for (uint32_t i = 0; i < LNoteModeEditPanel::kNoteSelectors; ++i)
        notes.push_back(static_cast<int>(panel->GetNoteUpDown(i)->GetValue()));
      return notes;
    }
    // The labels of the selectors shown, in order.
    std::vector<std::string> Labels() const {
      std::vector<std::string> labels;
      for (int k = 1; k <= 8; ++k) {
        const RCPtr<LControl> selector = panel->FindChildControl(StringW::FromFormat(u"note%d", k));
        if (selector->IsVisible()) labels.push_back(LabelText(selector, u"controlNameLabel"));
      }
      return labels;
    }
    std::string Mode() const { return HV::Test::Utf8(panel->GetModeTypeComboBox()->GetText()); }
    std::string Scale() const { return HV::Test::Utf8(panel->GetScaleComboBox()->GetText()); }
    void SetNote(uint32_t index, double note) const {
      HV::Test::SetUpDown(*panel->GetNoteUpDown(index), note);
    }
  };
};

TEST_F(NoteModeEditor, RecordsShowAsListsOrRangesAndReadBackUnchanged) {
  struct Case {
    const char* what;
    Bytes record;
    const char* mode;
    std::vector<std::string> labels;
    std::vector<int> notes;  // all eight selectors
    const char* scale;
    Bytes readBack;
  };
  const Case cases[] = {
      {"three notes: first, the one between, last",
       {3, 60, 67, 64, 1, 2, 3, 4, 5},
       "3 Notes",
       {"FIRST", "NOTE 2", "LAST"},
       {60, 64, 67, 1, 2, 3, 4, 5},
       "Off",
       {3, 60, 67, 64, 1, 2, 3, 4, 5}},
      {"a range plays its first and last note; the hidden selectors keep theirs",
       {2, 48, 72, 0, 0, 0, 0, 0, 0},
       "Range",
       {"FIRST", "LAST"},
       {48, 72, 67, 1, 2, 3, 4, 5},
       "Off",
       {2, 48, 72, 0, 0, 0, 0, 0, 0}},
      {"a range writes 0 after its notes",
       {2, 48, 72, 9, 9, 9, 9, 9, 9},
       "Range",
       {"FIRST", "LAST"},
       {48, 72, 67, 1, 2, 3, 4, 5},
       "Off",
       {2, 48, 72, 0, 0, 0, 0, 0, 0}},
      {"eight notes of the major scale",
       {8, 60, 72, 62, 64, 65, 67, 69, 71},
       "8 Notes",
       {"KEY", "NOTE 2", "NOTE 3", "NOTE 4", "NOTE 5", "NOTE 6", "NOTE 7", "LAST"},
       {60, 62, 64, 65, 67, 69, 71, 72},
       "Major",
       {8, 60, 72, 62, 64, 65, 67, 69, 71}},
      {"five notes: the hidden ones still make the scale",
       {5, 62, 69, 64, 65, 67, 71, 72, 74},
       "5 Notes",
       {"KEY", "NOTE 2", "NOTE 3", "NOTE 4", "LAST"},
       {62, 64, 65, 67, 69, 71, 72, 74},
       "Dorian",
       {5, 62, 69, 64, 65, 67, 71, 72, 74}},
      {"a chromatic run",
       {8, 50, 57, 51, 52, 53, 54, 55, 56},
       "8 Notes",
       {"KEY", "NOTE 2", "NOTE 3", "NOTE 4", "NOTE 5", "NOTE 6", "NOTE 7", "LAST"},
       {50, 51, 52, 53, 54, 55, 56, 57},
       "Chromatic",
       {8, 50, 57, 51, 52, 53, 54, 55, 56}},
      {"a count below 2 shows as a range and is kept",
       {0, 40, 41, 0, 0, 0, 0, 0, 0},
       "Range",
       {"FIRST", "LAST"},
       {40, 41, 52, 53, 54, 55, 56, 57},
       "Off",
       {0, 40, 41, 0, 0, 0, 0, 0, 0}},
      {"a count above 8 shows as eight notes and is kept",
       {12, 1, 9, 2, 3, 4, 5, 6, 7},
       "8 Notes",
       {"FIRST", "NOTE 2", "NOTE 3", "NOTE 4", "NOTE 5", "NOTE 6", "NOTE 7", "LAST"},
       {1, 2, 3, 4, 5, 6, 7, 9},
       "Off",
       {12, 1, 9, 2, 3, 4, 5, 6, 7}},
      {"notes outside 0-127 show as the nearest and are kept",
       {4, 255, 128, 60, 61, 0, 0, 0, 0},
       "4 Notes",
       {"FIRST", "NOTE 2", "NOTE 3", "LAST"},
       {0, 60, 61, 0, 0, 0, 0, 0},
       "Off",
       {4, 255, 128, 60, 61, 0, 0, 0, 0}},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.panel);
    for (const Case& test : cases) {
      parts.Show(test.record);
      EXPECT_EQ(parts.Mode(), test.mode) << test.what;
      EXPECT_EQ(parts.Labels(), test.labels) << test.what;
      EXPECT_EQ(parts.Notes(), test.notes) << test.what;
      EXPECT_EQ(parts.Scale(), test.scale) << test.what;
      EXPECT_EQ(parts.Read(), test.readBack) << test.what;
    }
    // Showing announced nothing; another length shows nothing.
    EXPECT_EQ(parts.changes->count, 0);
    parts.Show({3, 1, 2, 3, 4, 5, 6, 7});
    parts.Show({3, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(parts.Read().front(), 4);
  });
}

// A range's record holds no notes past its last: the selectors it hides keep
// the notes they showed, so a switch back to a list brings them back.
TEST_F(NoteModeEditor, ARangeLeavesTheHiddenSelectorsWithTheNotesTheyHeld) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.panel);
    parts.Show({8, 60, 72, 62, 64, 65, 67, 69, 71});
    parts.Show({2, 36, 48, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(parts.Notes(), (std::vector<int>{36, 48, 64, 65, 67, 69, 71, 72}));
    EXPECT_EQ(parts.Read(), (Bytes{2, 36, 48, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(parts.changes->count, 0);

    parts.panel->GetModeTypeComboBox()->SetSelectedIndex(6);  // "8 Notes"
    EXPECT_EQ(parts.changes->count, 1);
    EXPECT_EQ(parts.Notes(), (std::vector<int>{36, 48, 64, 65, 67, 69, 71, 72}));
    EXPECT_EQ(parts.Read(), (Bytes{8, 36, 72, 48, 64, 65, 67, 69, 71}));
  });
}

TEST_F(NoteModeEditor, EachUserActionAnnouncesOneChange) {
  struct Case {
    const char* what;
    Bytes shown;
    std::function<void(const Parts&)> act;
    std::vector<int> notes;
    const char* scale;
    Bytes readBack;
  };
  const auto chooseScale = [](const char* name) {
    return [name](const Parts& parts) {
      const RCPtr<LComboBox> scales = parts.panel->GetScaleComboBox();
      for (int32_t i = 0; i < scales->GetItemCount(); ++i)
        if (HV::Test::Utf8(scales->GetItemText(i)) == name) scales->SetSelectedIndex(i);
    };
  };
  const Bytes unscaled = {8, 60, 70, 61, 63, 64, 66, 67, 69};  // 60 61 63 64 66 67 69 70: no scale
  const Case cases[] = {
      {"major fills the list from the first note",
       unscaled,
       chooseScale("Major"),
       {60, 62, 64, 65, 67, 69, 71, 72},
       "Major",
       {8, 60, 72, 62, 64, 65, 67, 69, 71}},
      {"lydian",
       unscaled,
       chooseScale("Lydian"),
       {60, 62, 64, 66, 67, 69, 71, 72},
       "Lydian",
       {8, 60, 72, 62, 64, 66, 67, 69, 71}},
      {"dorian",
       unscaled,
       chooseScale("Dorian"),
       {60, 62, 63, 65, 67, 69, 70, 72},
       "Dorian",
       {8, 60, 72, 62, 63, 65, 67, 69, 70}},
      {"a scale stops at the highest note",
       {8, 120, 0, 0, 0, 0, 0, 0, 0},
       chooseScale("Major"),
       {120, 122, 124, 125, 127, 127, 127, 127},
       "Major",
       {8, 120, 127, 122, 124, 125, 127, 127, 127}},
      {"a note set by hand ends the scale",
       {8, 60, 72, 62, 63, 65, 67, 68, 70},
       [](const Parts& parts) { parts.SetNote(2, 64); },
       {60, 62, 64, 65, 67, 68, 70, 72},
       "Off",
       {8, 60, 72, 62, 64, 65, 67, 68, 70}},
      {"a new first note moves the scale along",
       {8, 60, 72, 62, 63, 65, 67, 68, 70},
       [](const Parts& parts) { parts.SetNote(0, 62); },
       {62, 64, 65, 67, 69, 70, 72, 74},
       "Minor",
       {8, 62, 74, 64, 65, 67, 69, 70, 72}},
      {"fewer notes: the last selector shown is the last note",
       unscaled,
       [](const Parts& parts) { parts.panel->GetModeTypeComboBox()->SetSelectedIndex(2); },
       {60, 61, 63, 64, 66, 67, 69, 70},
       "Off",
       {4, 60, 64, 61, 63, 66, 67, 69, 70}},
      {"a kept count goes when the user picks one",
       {20, 60, 70, 61, 63, 64, 66, 67, 69},
       [](const Parts& parts) { parts.panel->GetModeTypeComboBox()->SetSelectedIndex(1); },
       {60, 61, 63, 64, 66, 67, 69, 70},
       "Off",
       {3, 60, 63, 61, 64, 66, 67, 69, 70}},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.panel);
    for (const Case& test : cases) {
      parts.Show(test.shown);
      parts.changes->count = 0;
      test.act(parts);
      EXPECT_EQ(parts.changes->count, 1) << test.what;
      EXPECT_EQ(parts.Notes(), test.notes) << test.what;
      EXPECT_EQ(parts.Scale(), test.scale) << test.what;
      EXPECT_EQ(parts.Read(), test.readBack) << test.what;
    }
    // In a range a scale changes no note and nothing is announced.
    parts.Show({2, 50, 70, 0, 0, 0, 0, 0, 0});
    parts.changes->count = 0;
    chooseScale("Major")(parts);
    EXPECT_EQ(parts.changes->count, 0);
    EXPECT_EQ(parts.Read(), (Bytes{2, 50, 70, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(parts.Labels(), (std::vector<std::string>{"FIRST", "LAST"}));
  });
}

// A skin without one of the eight note selectors, or without a list, fails
// loudly instead of giving a shorter row.
TEST_F(NoteModeEditor, EveryNoteSelectorAndBothListsAreRequired) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.panel);
    const RCPtr<LControlDescriptor>& whole = parts.panel->GetDescriptor();
    ASSERT_TRUE(whole);
    EXPECT_EQ(HV::Test::CreationFailure<LNoteModeEditPanel>(HV::Test::WithoutChild(*whole, {})), "");
    for (const char16_t* missing : {u"note1", u"note5", u"note8", u"noteModeType", u"noteScaleType"}) {
      const std::string message =
          HV::Test::CreationFailure<LNoteModeEditPanel>(HV::Test::WithoutChild(*whole, {missing}));
      EXPECT_NE(message.find("Null Pointer"), std::string::npos) << message;
      EXPECT_NE(message.find(HV::Test::Utf8(StringW(missing))), std::string::npos) << message;
      EXPECT_NE(message.find("LNoteModeEditPanel::Initialize"), std::string::npos) << message;
    }
  });
}

}  // namespace
}  // namespace HV
