// The button-control editor and view in the editor started headless from the
// real skin: every page shows its kind of record and reads it back; bytes a
// control cannot show, and bytes the page does not edit, come back as shown;
// showing raises nothing, a user's change raises one notification; the cycle
// types, the MMC list, latching and the sustain instance's two-value cycles;
// the view's texts.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelsFixture.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Notification/LNotification.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlViewPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LMIDIChannelViewPanel.h"

#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::Bytes;
using Test::BytesOf;
using Test::EditorRun;
using Test::LabelText;
using Test::Record;
using Test::Utf8;

// Counts the editor's "NID_PARAMETERS_CHANGED" and reads the record at each,
// as an owner does.
class ChangeRecorder : public LNotificationClient {
 public:
  explicit ChangeRecorder(const RCPtr<LButtonControlEditPanel>& editor) : mEditor(editor) {}
  void ReceiveNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) override {
    records.push_back(BytesOf(mEditor->GetParamRecord()));
  }
  std::vector<Bytes> records;

 private:
  RCPtr<LButtonControlEditPanel> mEditor;
};

// Listens to the editor for its scope.
class ChangeCounter {
 public:
  explicit ChangeCounter(const RCPtr<LButtonControlEditPanel>& editor)
      : mRecorder(new ChangeRecorder(editor)), records(mRecorder->records) {
    mRecorder->RegisterNotification(RCPtr<LNotificationDistributor>(editor.Get()), kNidParametersChanged);
  }
  ~ChangeCounter() { mRecorder->UnregisterAllNotifications(); }
  ChangeCounter(const ChangeCounter&) = delete;
  ChangeCounter& operator=(const ChangeCounter&) = delete;

 private:
  RCPtr<ChangeRecorder> mRecorder;

 public:
  std::vector<Bytes>& records;
};

RCPtr<LControl> Path(const RCPtr<LControl>& from, std::initializer_list<const char16_t*> names) {
  return HV::Test::ControlAt(from, names);
}

class ButtonControlPanels : public EditorRun {
 protected:
  // The push-button edit panel's instance of the editor, or the sustain pedal's.
  static RCPtr<LButtonControlEditPanel> PushButtonEditor(Live& editor) {
    return DynamicCast<LButtonControlEditPanel>(
        Path(RCPtr<LControl>(editor.deviceView.Get()),
             {u"buttonEditPanel", u"viewTabControl", u"pageHolder", u"midiPage"}));
  }
  static RCPtr<LButtonControlEditPanel> SustainEditor(Live& editor) {
    return DynamicCast<LButtonControlEditPanel>(
        Path(RCPtr<LControl>(editor.deviceView.Get()), {u"sustainEditPage", u"buttonTypePanel"}));
  }
  static RCPtr<LControl> Page(const RCPtr<LButtonControlEditPanel>& editor, int32_t page) {
    return editor->GetTabControl()->GetPage(StringW(LButtonControlEditPanel::PageName(page)));
  }
  static LNumericUpDown* UpDown(const RCPtr<LButtonControlEditPanel>& editor, int32_t page,
                                std::initializer_list<const char16_t*> path) {
    return DynamicCast<LNumericUpDown>(Path(Page(editor, page), path)).Get();
  }
  static LComboBox* Combo(const RCPtr<LButtonControlEditPanel>& editor, int32_t page,
                          const char16_t* selector) {
    return DynamicCast<LComboBox>(Path(Page(editor, page), {selector, u"comboBox"})).Get();
  }
  static void Set(LNumericUpDown* upDown, double value) { HV::Test::SetUpDown(*upDown, value); }
};

TEST_F(ButtonControlPanels, EveryPageShowsItsRecordAndReadsItBackWithoutRaisingAChange) {
  using E = LButtonControlEditPanel;
  struct Case {
    const char* what;
    Bytes record;
    int32_t page;
    Bytes readBack;
  };
  const Case cases[] = {
      // The bytes the page does not edit (3 and 5-8 here) keep what the record held.
      {"CC absolute",
       {3, 0, 74, 9, 10, 1, 2, 3, 4, 127},
       E::kCcAbsolutePage,
       {3, 0, 74, 9, 10, 1, 2, 3, 4, 127}},
      {"CC cycle, 2 values",
       {1, 1, 18, 7, 10, 1, 0, 1, 0, 20},
       E::kCcCyclePage,
       {1, 1, 18, 7, 10, 1, 0, 1, 0, 20}},
      {"CC cycle, 3 values",
       {1, 1, 18, 7, 10, 0, 15, 1, 0, 20},
       E::kCcCyclePage,
       {1, 1, 18, 7, 10, 0, 15, 1, 0, 20}},
      {"CC cycle, 4 values",
       {1, 1, 18, 7, 10, 0, 15, 0, 17, 20},
       E::kCcCyclePage,
       {1, 1, 18, 7, 10, 0, 15, 0, 17, 20}},
      {"CC decrement",
       {2, 1, 25, 7, 0, 1, 0, 1, 0, 127},
       E::kCcIncDecPage,
       {2, 1, 25, 7, 0, 1, 0, 1, 0, 127}},
      {"CC increment", {2, 1, 26, 7, 5, 1, 0, 1, 0, 99}, E::kCcIncDecPage, {2, 1, 26, 7, 5, 1, 0, 1, 0, 99}},
      {"CC inc/dec of three values is a cycle",
       {1, 1, 25, 7, 4, 0, 6, 1, 0, 9},
       E::kCcCyclePage,
       {1, 1, 18, 7, 4, 0, 6, 1, 0, 9}},
      {"program inc/dec with byte 7 at 0: four values",
       {0, 1, 27, 0, 1, 1, 2, 0, 3, 4},
       E::kProgramCyclePage,
       {0, 1, 29, 0, 1, 0, 2, 0, 3, 4}},
      {"note", {2, 1, 19, 60, 0, 0, 0, 0, 0, 127}, E::kNotePage, {2, 1, 19, 60, 0, 0, 0, 0, 0, 127}},
      {"note latching", {2, 1, 20, 61, 1, 0, 0, 0, 0, 100}, E::kNotePage, {2, 1, 20, 61, 1, 0, 0, 0, 0, 100}},
      {"program change", {0, 1, 17, 5, 1, 0, 0, 0, 0, 2}, E::kProgramPage, {0, 1, 17, 5, 1, 0, 0, 0, 0, 2}},
      {"program decrement",
       {0, 1, 27, 0, 0, 1, 0, 1, 0, 127},
       E::kProgramIncDecPage,
       {0, 1, 27, 0, 0, 1, 0, 1, 0, 127}},
      {"program increment",
       {0, 1, 28, 0, 3, 1, 0, 1, 0, 9},
       E::kProgramIncDecPage,
       {0, 1, 28, 0, 3, 1, 0, 1, 0, 9}},
      {"program cycle, 2 values",
       {0, 1, 29, 0, 3, 1, 0, 1, 0, 9},
       E::kProgramCyclePage,
       {0, 1, 29, 0, 3, 1, 0, 1, 0, 9}},
      {"MMC rewind", {0, 1, 21, 0, 5, 0, 0, 0, 0, 0}, E::kMmcPage, {0, 1, 21, 0, 5, 0, 0, 0, 0, 0}},
      {"MMC reset", {0, 1, 21, 0, 13, 0, 0, 0, 0, 0}, E::kMmcPage, {0, 1, 21, 0, 13, 0, 0, 0, 0, 0}},
      {"MMC command 12, outside the list",
       {0, 1, 21, 0, 12, 0, 0, 0, 0, 0},
       E::kMmcPage,
       {0, 1, 21, 0, 12, 0, 0, 0, 0, 0}},
      {"NRPN coarse", {0, 1, 6, 10, 20, 0, 0, 0, 0, 30}, E::kNrpnRpnPage, {0, 1, 6, 10, 20, 0, 0, 0, 0, 30}},
      {"RPN fine", {4, 1, 5, 1, 2, 0, 0, 0, 0, 3}, E::kNrpnRpnPage, {4, 1, 5, 1, 2, 0, 0, 0, 0, 3}},
      {"reverb type", {0, 1, 22, 0, 5, 0, 0, 0, 0, 0}, E::kOtherPage, {0, 1, 22, 0, 5, 0, 0, 0, 0, 0}},
      {"pitch bend", {0, 1, 16, 0, 5, 0, 0, 0, 0, 0}, E::kOtherPage, {0, 1, 16, 0, 5, 0, 0, 0, 0, 0}},
      {"pitch bend sensitivity",
       {0, 1, 0, 0, 2, 0, 0, 0, 0, 0},
       E::kOtherPage,
       {0, 1, 0, 0, 2, 0, 0, 0, 0, 0}},
      {"master volume", {0, 1, 8, 0, 2, 0, 0, 0, 0, 0}, E::kOtherPage, {0, 1, 8, 0, 2, 0, 0, 0, 0, 0}},
      // What a control cannot show is kept as shown.
      {"a channel without an entry",
       {30, 0, 74, 0, 0, 0, 0, 0, 0, 127},
       E::kCcAbsolutePage,
       {30, 0, 74, 0, 0, 0, 0, 0, 0, 127}},
      {"a type past the other list",
       {0, 1, 30, 0, 5, 0, 0, 0, 0, 0},
       E::kOtherPage,
       {0, 1, 30, 0, 5, 0, 0, 0, 0, 0}},
      {"a negative type", {0, 1, 200, 0, 5, 0, 0, 0, 0, 0}, E::kOtherPage, {0, 1, 200, 0, 5, 0, 0, 0, 0, 0}},
      {"values above 127",
       {0, 0, 200, 0, 255, 0, 0, 0, 0, 128},
       E::kCcAbsolutePage,
       {0, 0, 200, 0, 255, 0, 0, 0, 0, 128}},
  };
  Inspect([&](Live& editor) {
    const RCPtr<LButtonControlEditPanel> panel = PushButtonEditor(editor);
    ASSERT_TRUE(panel);
    ChangeCounter changes(panel);
    for (const Case& test : cases) {
      panel->SetParamRecord(Record(test.record));
      EXPECT_EQ(Utf8(panel->GetTabControl()->GetSelectedPageName()), Utf8(StringW(E::PageName(test.page))))
          << test.what;
      EXPECT_EQ(panel->GetTabControl()->GetPageButton(StringW(E::PageName(test.page)))->GetNormalizedValue(),
                1.0)
          << test.what;
      EXPECT_EQ(BytesOf(panel->GetParamRecord()), test.readBack) << test.what;
    }
    EXPECT_TRUE(changes.records.empty());
    // Another length changes nothing.
    panel->SetParamRecord(Record({0, 1, 17, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(BytesOf(panel->GetParamRecord()), cases[std::size(cases) - 1].readBack);
  });
}

TEST_F(ButtonControlPanels, AUserEditRaisesOneChangeAndKeepsTheBytesThePageDoesNotEdit) {
  using E = LButtonControlEditPanel;
  Inspect([&](Live& editor) {
    const RCPtr<LButtonControlEditPanel> panel = PushButtonEditor(editor);
    ASSERT_TRUE(panel);
    ChangeCounter changes(panel);
    // A default push button: CC absolute with the button's index in byte 3.
    panel->SetParamRecord(Record({0, 0, 20, 5, 0, 0, 0, 0, 0, 127}));
    Set(UpDown(panel, E::kCcAbsolutePage, {u"pressedReleasedSelectors", u"pressed", u"numericUpDown"}), 100);
    ASSERT_EQ(changes.records.size(), 1u);
    EXPECT_EQ(changes.records[0], (Bytes{0, 0, 20, 5, 0, 0, 0, 0, 0, 100}));

    // A value the up-down could not show stays until the user changes that up-down.
    panel->SetParamRecord(Record({0, 0, 200, 5, 0, 0, 0, 0, 0, 127}));
    Set(UpDown(panel, E::kCcAbsolutePage, {u"pressedReleasedSelectors", u"released", u"numericUpDown"}), 3);
    EXPECT_EQ(changes.records.back(), (Bytes{0, 0, 200, 5, 3, 0, 0, 0, 0, 127}));
    Set(UpDown(panel, E::kCcAbsolutePage, {u"cc", u"ccSelector", u"numericUpDown"}), 64);
    EXPECT_EQ(changes.records.back(), (Bytes{0, 0, 64, 5, 3, 0, 0, 0, 0, 127}));

    // A combo box without a selection: its byte is written back, not 0xFF.
    panel->SetParamRecord(Record({40, 1, 6, 10, 20, 0, 0, 0, 0, 30}));
    Set(UpDown(panel, E::kNrpnRpnPage, {u"value", u"numericUpDown"}), 11);
    EXPECT_EQ(changes.records.back(), (Bytes{40, 1, 6, 11, 20, 0, 0, 0, 0, 30}));
    Combo(panel, E::kNrpnRpnPage, u"midiChannel")->SetSelectedIndex(3);
    EXPECT_EQ(changes.records.back(), (Bytes{3, 1, 6, 11, 20, 0, 0, 0, 0, 30}));
  });
}

TEST_F(ButtonControlPanels, SwitchingPagesKeepsTheChannelAndTheControllerAndStartsTheNewKindAfresh) {
  using E = LButtonControlEditPanel;
  Inspect([&](Live& editor) {
    const RCPtr<LButtonControlEditPanel> panel = PushButtonEditor(editor);
    ASSERT_TRUE(panel);
    panel->SetParamRecord(Record({1, 1, 25, 3, 10, 1, 0, 1, 0, 90}));
    panel->SetParamRecord(Record({4, 0, 74, 9, 0, 0, 0, 0, 0, 127}));
    ChangeCounter changes(panel);
    panel->GetTabControl()->SelectPage(StringW(E::PageName(E::kCcIncDecPage)));
    ASSERT_EQ(changes.records.size(), 1u);
    // Channel and controller follow; MIN and MAX show what they last showed.
    EXPECT_EQ(changes.records[0], (Bytes{4, 1, 25, 74, 10, 1, 0, 1, 0, 90}));
    panel->GetTabControl()->SelectPage(StringW(E::PageName(E::kOtherPage)));
    EXPECT_EQ(changes.records.back()[0], 4);
    EXPECT_EQ(changes.records.back()[3], 0);  // byte 3 of the CC record does not carry over
  });
}

TEST_F(ButtonControlPanels, TheCycleTypeShowsItsValuesUnderTheirCaptions) {
  using E = LButtonControlEditPanel;
  struct Case {
    int32_t type;
    bool shown[3];  // values 2, 3, 4
    const char* captions[3];
    Bytes readBack;
  };
  const Case cases[] = {
      {E::kTwoValues, {true, false, false}, {"LAST", "", ""}, {0, 1, 18, 7, 1, 1, 0, 1, 0, 2}},
      {E::kThreeValues, {true, true, false}, {"VALUE 2", "LAST", ""}, {0, 1, 18, 7, 1, 0, 2, 1, 0, 3}},
      {E::kFourValues, {true, true, true}, {"VALUE 2", "VALUE 3", "LAST"}, {0, 1, 18, 7, 1, 0, 2, 0, 3, 4}},
  };
  Inspect([&](Live& editor) {
    const RCPtr<LButtonControlEditPanel> panel = PushButtonEditor(editor);
    ASSERT_TRUE(panel);
    panel->SetParamRecord(Record({0, 1, 18, 7, 1, 0, 2, 0, 3, 4}));
    const RCPtr<LControl> page = Page(panel, E::kCcCyclePage);
    EXPECT_EQ(LabelText(page->FindChildControl(StringW(u"ccValue1")), u"controlNameLabel"), "FIRST");
    ChangeCounter changes(panel);
    for (const Case& test : cases) {
      Combo(panel, E::kCcCyclePage, u"cycleType")->SetSelectedIndex(test.type);
      for (int i = 0; i < 3; ++i) {
        const RCPtr<LControl> field = page->FindChildControl(StringW(i == 0   ? u"ccValue2"
                                                                     : i == 1 ? u"ccValue3"
                                                                              : u"ccValue4"));
        EXPECT_EQ(field->IsVisible(), test.shown[i]) << test.type << " " << i;
        if (test.shown[i]) {
          EXPECT_EQ(LabelText(field, u"controlNameLabel"), test.captions[i]) << test.type;
        }
      }
      ASSERT_FALSE(changes.records.empty());
      EXPECT_EQ(changes.records.back(), test.readBack) << test.type;
    }
    // Program cycles work alike, under their own captions.
    panel->SetParamRecord(Record({0, 1, 29, 0, 1, 0, 2, 1, 0, 3}));
    const RCPtr<LControl> programs = Page(panel, E::kProgramCyclePage);
    EXPECT_EQ(Combo(panel, E::kProgramCyclePage, u"cycleType")->GetSelectedIndex(), E::kThreeValues);
    EXPECT_FALSE(programs->FindChildControl(StringW(u"program4"))->IsVisible());
    EXPECT_EQ(LabelText(programs->FindChildControl(StringW(u"program3")), u"controlNameLabel"), "LAST");
  });
}

TEST_F(ButtonControlPanels, TheMmcListOffersOtherOnlyForACommandOutsideItAndKeepsThatCommand) {
  using E = LButtonControlEditPanel;
  Inspect([&](Live& editor) {
    const RCPtr<LButtonControlEditPanel> panel = PushButtonEditor(editor);
    ASSERT_TRUE(panel);
    LComboBox* mmc = Combo(panel, E::kMmcPage, u"mmc");
    ASSERT_TRUE(mmc);
    EXPECT_EQ(mmc->GetItemCount(), 13);
    struct Case {
      int command;
      int32_t entries;
      const char* text;
    };
    const Case cases[] = {{5, 12, "Rewind"}, {13, 12, "MMC Reset"}, {1, 12, "Stop"},  {12, 13, "Other"},
                          {0, 13, "Other"},  {100, 13, "Other"},    {11, 12, "Chase"}};
    for (const Case& test : cases) {
      panel->SetParamRecord(Record({0, 1, 21, 0, test.command, 0, 0, 0, 0, 0}));
      EXPECT_EQ(mmc->GetItemCount(), test.entries) << test.command;
      EXPECT_EQ(Utf8(mmc->GetItemText(mmc->GetSelectedIndex())), test.text) << test.command;
    }
    // While "Other" stays chosen an edit elsewhere keeps the command; another
    // choice gives its own, and "Other" chosen again gives back the kept one.
    panel->SetParamRecord(Record({0, 1, 21, 0, 100, 0, 0, 0, 0, 0}));
    ChangeCounter changes(panel);
    Combo(panel, E::kMmcPage, u"midiChannel")->SetSelectedIndex(2);
    mmc->SetSelectedIndex(0);
    mmc->SetSelectedIndex(12);
    ASSERT_EQ(changes.records.size(), 3u);
    EXPECT_EQ(changes.records[0], (Bytes{2, 1, 21, 0, 100, 0, 0, 0, 0, 0}));
    EXPECT_EQ(changes.records[1][4], 1);
    EXPECT_EQ(changes.records[2][4], 100);
  });
}

TEST_F(ButtonControlPanels, LatchingChoosesTheNoteTypeAndOnlyThePadsHideOnOffWithoutIt) {
  using E = LButtonControlEditPanel;
  Inspect([&](Live& editor) {
    const RCPtr<LButtonControlEditPanel> panel = PushButtonEditor(editor);
    ASSERT_TRUE(panel);
    const RCPtr<LControl> onOff = Page(panel, E::kNotePage)->FindChildControl(StringW(u"onOffSelectors"));
    const auto latching = DynamicCast<LButton>(Path(Page(panel, E::kNotePage), {u"latching", u"button"}));
    ASSERT_TRUE(onOff && latching);

    EXPECT_FALSE(panel->GetShowOnOffOnlyWhenLatching());
    panel->SetParamRecord(Record({0, 1, 19, 60, 0, 0, 0, 0, 0, 127}));
    EXPECT_TRUE(onOff->IsVisible());  // without the flag they stay as they are
    panel->SetParamRecord(Record({0, 1, 20, 60, 0, 0, 0, 0, 0, 127}));
    EXPECT_EQ(latching->GetNormalizedValue(), 1.0);
    ChangeCounter changes(panel);
    latching->SetNormalizedValue(0.0);
    ASSERT_FALSE(changes.records.empty());
    EXPECT_EQ(changes.records.back()[2], 19);

    panel->SetShowOnOffOnlyWhenLatching(true);
    panel->SetParamRecord(Record({0, 1, 19, 60, 0, 0, 0, 0, 0, 127}));
    EXPECT_FALSE(onOff->IsVisible());
    panel->SetParamRecord(Record({0, 1, 20, 60, 0, 0, 0, 0, 0, 127}));
    EXPECT_TRUE(onOff->IsVisible());
    latching->SetNormalizedValue(0.0);  // the user unchecks it: the values go at once
    EXPECT_FALSE(onOff->IsVisible());
    panel->SetShowOnOffOnlyWhenLatching(false);
  });
}

TEST_F(ButtonControlPanels, TheSustainInstanceOffersTwoValueCyclesOnly) {
  using E = LButtonControlEditPanel;
  Inspect([&](Live& editor) {
    const RCPtr<LButtonControlEditPanel> sustain = SustainEditor(editor);
    const RCPtr<LButtonControlEditPanel> button = PushButtonEditor(editor);
    ASSERT_TRUE(sustain && button);
    for (int32_t page : {E::kCcCyclePage, E::kProgramCyclePage}) {
      EXPECT_EQ(Combo(sustain, page, u"cycleType")->GetItemCount(), 1) << page;
      EXPECT_EQ(Utf8(Combo(sustain, page, u"cycleType")->GetItemText(0)), "2 Values");
      EXPECT_EQ(Combo(button, page, u"cycleType")->GetItemCount(), 3) << page;
    }
    // Offered again under the list's own texts.
    sustain->SetTwoValueCyclesOnly(false);
    EXPECT_EQ(Utf8(Combo(sustain, E::kCcCyclePage, u"cycleType")->GetItemText(2)), "4 Values");
  });
}

TEST(ButtonMessageNormalizing, IncDecRecordsOfACycleShapeBecomeCycles) {
  struct Case {
    Bytes record;
    Bytes normalized;
  };
  const Case cases[] = {
      {{0, 1, 25, 0, 0, 0, 0, 1, 0, 0}, {0, 1, 18, 0, 0, 0, 0, 1, 0, 0}},
      {{0, 1, 26, 0, 0, 1, 0, 0, 0, 0}, {0, 1, 18, 0, 0, 1, 0, 0, 0, 0}},
      {{0, 1, 27, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 29, 0, 0, 0, 0, 0, 0, 0}},
      {{0, 1, 28, 0, 0, 1, 0, 0, 0, 0}, {0, 1, 29, 0, 0, 1, 0, 0, 0, 0}},
      // Two-value shape, message group 0 or negative, another length: unchanged.
      {{0, 1, 26, 0, 0, 1, 0, 1, 0, 0}, {0, 1, 26, 0, 0, 1, 0, 1, 0, 0}},
      {{0, 0, 25, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 25, 0, 0, 0, 0, 0, 0, 0}},
      {{0, 255, 25, 0, 0, 0, 0, 0, 0, 0}, {0, 255, 25, 0, 0, 0, 0, 0, 0, 0}},
      {{0, 1, 25, 0, 0, 0, 0, 0, 0}, {0, 1, 25, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& test : cases) {
    ElementRecord record = Record(test.record);
    LButtonControlEditPanel::NormalizeIncDecRecord(record);
    EXPECT_EQ(BytesOf(record), test.normalized);
  }
}

TEST_F(ButtonControlPanels, TheViewWritesTheChannelAndTheMessage) {
  struct Case {
    Bytes record;
    const char* channel;
    const char* info;
  };
  const Case cases[] = {
      {{0, 0, 64, 0, 0, 0, 0, 0, 0, 127}, "CH:G", "CC:\n64"},
      {{1, 1, 17, 5, 0, 0, 0, 0, 0, 0}, "CH:1", "PG:\n5"},
      {{2, 1, 20, 60, 0, 0, 0, 0, 0, 0}, "CH:2", "NT:\n60"},
      {{17, 1, 18, 11, 0, 1, 0, 1, 0, 0}, "CH:Z1", "CC:\n11"},
      {{21, 1, 25, 12, 0, 1, 0, 1, 0, 0}, "CH:OM", "CC:\n12"},
      {{0, 1, 28, 0, 0, 1, 0, 1, 0, 0}, "CH:G", "PG\nINC/DEC"},
      {{0, 1, 27, 0, 0, 0, 0, 1, 0, 0}, "CH:G", "PG\nCYCLE"},  // the cycle it normalises to
      {{0, 1, 29, 0, 0, 1, 0, 1, 0, 0}, "CH:G", "PG\nCYCLE"},
      {{0, 1, 7, 0, 1, 0, 0, 0, 0, 2}, "CH:G", "NRPN:\n257"},
      {{0, 1, 4, 0, 3, 0, 0, 0, 0, 0}, "CH:G", "RPN:\n3"},
      {{0, 1, 21, 0, 3, 0, 0, 0, 0, 0}, "CH:G", "PLAY"},
      {{0, 1, 21, 0, 13, 0, 0, 0, 0, 0}, "CH:G", "RESET"},
      {{0, 1, 21, 0, 4, 0, 0, 0, 0, 0}, "CH:G", "FF"},
      {{0, 1, 21, 0, 12, 0, 0, 0, 0, 0}, "CH:G", "MMC"},
      {{0, 1, 21, 0, 0, 0, 0, 0, 0, 0}, "CH:G", "MMC"},
      {{0, 1, 1, 0, 0, 0, 0, 0, 0, 0}, "CH:G", "OTHER"},
      {{0, 1, 3, 0, 0, 0, 0, 0, 0, 0}, "CH:G", "CH. AFT."},
      {{0, 1, 16, 0, 0, 0, 0, 0, 0, 0}, "CH:G", "PITCH\nBEND"},
      {{0, 1, 9, 0, 0, 0, 0, 0, 0, 0}, "CH:G", "SYSEX"},
      {{0, 1, 23, 0, 0, 0, 0, 0, 0, 0}, "CH:G", "SYSEX"},
  };
  Inspect([&](Live& editor) {
    const auto view = DynamicCast<LButtonControlViewPanel>(
        Path(RCPtr<LControl>(editor.deviceView.Get()), {u"pedals", u"sustainPedal", u"viewPanel"}));
    ASSERT_TRUE(view);
    const RCPtr<LControl> channel = view->FindChildControl(StringW(u"midiChannel"));
    for (const Case& test : cases) {
      view->SetParamRecord(Record(test.record));
      EXPECT_EQ(LabelText(channel, u"label"), test.channel);
      EXPECT_EQ(LabelText(view, u"infoLabel"), test.info) << test.info;
    }
    // Nine or eleven bytes change nothing.
    view->SetParamRecord(Record({1, 0, 9, 0, 0, 0, 0, 0, 0}));
    view->SetParamRecord(Record({1, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(LabelText(view, u"infoLabel"), "SYSEX");
  });
}

}  // namespace
}  // namespace HV
