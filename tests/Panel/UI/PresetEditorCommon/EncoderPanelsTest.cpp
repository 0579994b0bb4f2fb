// The encoder panels in the editor started headless from the real skin: a
// tile click selects, binds, titles and asks the engine once; a user edit
// reaches the engine as exactly one record; showing a record sends nothing;
// the moveable-control editor keeps the bytes its controls cannot show; the
// tile's view and channel texts.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "Panel/UI/OrvaneSeriesCommon/LMIDIChannelViewPanel.h"
#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LMidiNoteSelector.h"
#include "Panel/UI/PresetEditorCommon/LNumberBoxTextSelector.h"
#include "Panel/UI/PresetEditorCommon/LWheelGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/WheelRecord.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace HV {
namespace {

using Test::Bytes;
using Test::BytesOf;
using Test::EditorRun;
using Test::Utf8;
using Test::Value;

class EncoderPanels : public EditorRun {
 protected:
  struct Parts {
    RCPtr<LEncoderGroupPanel> group;
    RCPtr<LEncoderEditPanel> edit;
    HV::Test::AnnouncementsListened announcements;

    explicit Parts(Live& editor) {
      group = DynamicCast<LEncoderGroupPanel>(editor.deviceView->FindChildControl(StringW(u"encoders")));
      if (group) edit = group->GetEditPanel();
    }
    RCPtr<LButton> Button(uint32_t index) const {
      return DynamicCast<LButton>(group->GetTile(index)->FindChildControl(StringW(u"button")));
    }
    void Click(uint32_t index) const { Button(index)->SendNotification(LNotification::Create(kNidLeftClick)); }
    int32_t Id(uint32_t index) const { return group->GetFirstParamID() + static_cast<int32_t>(index); }
    std::string Text(const RCPtr<LControl>& panel, const char16_t* name) const { return HV::Test::LabelText(panel, name); }
    LNumericUpDown* CcAbsoluteNumber() const {
      const RCPtr<LControl> page = edit->GetEditor()->GetTabControl()->GetPage(StringW(u"ccAbsolutePage"));
      return DynamicCast<LNumericUpDown>(
                 page->FindChildControl(StringW(u"cc"))->FindChildControl(StringW(u"ccSelector"))->FindChildControl(
                     StringW(u"numericUpDown")))
          .Get();
    }
  };
};

TEST_F(EncoderPanels, ATileClickSelectsBindsTitlesAndAsksTheEngineOnce) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    ASSERT_EQ(parts.group->GetTileCount(), 32u);
    // The walk that placed the IDs reached the tiles: each knows its own.
    EXPECT_EQ(parts.group->GetTile(10)->GetFirstParamID(), parts.Id(10));
    EXPECT_EQ(parts.Text(parts.group->GetTile(10), u"encoderNameLabel"), "E3");
    EXPECT_FALSE(parts.edit->IsBound());

    parts.Click(10);  // encoder 3 of bank 2
    for (uint32_t i = 0; i < 32; ++i) EXPECT_EQ(parts.Button(i)->GetNormalizedValue(), i == 10 ? 1.0 : 0.0) << i;
    EXPECT_TRUE(parts.edit->IsVisible());
    EXPECT_EQ(parts.edit->GetFirstParamID(), parts.Id(10));
    EXPECT_EQ(parts.Text(parts.edit, u"knobName"), "ENCODER 3");
    EXPECT_EQ(parts.Text(parts.edit, u"bankName"), "BANK 2");
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    EXPECT_EQ(parts.announcements->seen[0].first, parts.Id(10));
    // The answer reached the editor, and showing it sent nothing back.
    EXPECT_EQ(BytesOf(parts.edit->GetEditor()->GetParamRecord()), parts.announcements->seen[0].second);
    editor.Drain();
    EXPECT_EQ(parts.announcements->seen.size(), 1u);

    // Later lookups of the bound element reach the edit panel; a value for it
    // shows there and in the tile, a value for another element only in its tile.
    EXPECT_EQ(parts.group->GetModuleForParamID(parts.Id(10)).Get(), static_cast<LParameterizedModule*>(parts.edit.Get()));
    LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(parts.Id(10)), Value({3, 0, 74, 0, 0, 127}));
    LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(parts.Id(11)), Value({0, 1, 6, 0, 5, 2}));
    editor.Drain();
    EXPECT_EQ(parts.Text(parts.group->GetTile(10)->GetView(), u"infoLabel"), "CC:\n74");
    EXPECT_EQ(parts.Text(parts.group->GetTile(11)->GetView(), u"infoLabel"), "NRPN:\n261");
    EXPECT_EQ(BytesOf(parts.edit->GetEditor()->GetParamRecord()), (Bytes{3, 0, 74, 0, 0, 127}));
    EXPECT_EQ(parts.announcements->seen.size(), 3u);  // the two values only

    // Another kind's edit panel shown: no encoder stays selected.
    editor.deviceView->ShowEditPanel(LDeviceView::kFaderPanel, 0);
    EXPECT_EQ(parts.Button(10)->GetNormalizedValue(), 0.0);
  });
}

TEST_F(EncoderPanels, AUserEditSendsExactlyOneRecordAndAnUnboundPanelSendsNothing) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    // Unbound: the editor shows a record and the user changes it; nothing leaves.
    parts.edit->GetEditor()->SetParamRecord(RecordFromValue(Value({1, 0, 7, 0, 0, 127})));
    LNumericUpDown* number = parts.CcAbsoluteNumber();
    ASSERT_TRUE(number);
    number->SetNormalizedValue(number->ValueToNormalized(20));
    editor.Drain();
    EXPECT_TRUE(parts.announcements->seen.empty());

    LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(parts.Id(4)), Value({2, 0, 7, 0, 10, 100}));
    parts.Click(4);
    editor.Drain();
    parts.announcements->seen.clear();
    number->SetNormalizedValue(number->ValueToNormalized(74));
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    EXPECT_EQ(parts.announcements->seen[0].first, parts.Id(4));
    EXPECT_EQ(parts.announcements->seen[0].second, (Bytes{2, 0, 74, 0, 10, 100}));
    EXPECT_EQ(parts.Text(parts.group->GetTile(4)->GetView(), u"infoLabel"), "CC:\n74");
  });
}

TEST_F(EncoderPanels, ShowingARecordSendsNothingAndEveryPageReadsItBack) {
  struct Case {
    const char* what;
    Bytes record;
    Bytes readBack;
  };
  const Case cases[] = {
      {"CC absolute", {5, 0, 74, 0, 3, 120}, {5, 0, 74, 0, 3, 120}},
      {"CC relative drops its last byte", {0, 0, 10, 1, 2, 99}, {0, 0, 10, 1, 2, 0}},
      {"RPN coarse", {21, 1, 4, 0, 0, 0}, {21, 1, 4, 0, 0, 0}},
      {"NRPN fine", {16, 1, 7, 0, 127, 127}, {16, 1, 7, 0, 127, 127}},
      {"channel pressure", {17, 1, 3, 0, 1, 2}, {17, 1, 3, 0, 1, 2}},
      {"pitch bend", {1, 1, 16, 0, 0, 127}, {1, 1, 16, 0, 0, 127}},
      {"SysEx master volume", {1, 1, 8, 0, 0, 127}, {1, 1, 8, 0, 0, 127}},
      // Bytes the controls cannot show are kept as shown.
      {"a channel without an entry", {30, 0, 74, 0, 0, 127}, {30, 0, 74, 0, 0, 127}},
      {"an other type cut from the list", {1, 1, 18, 0, 0, 127}, {1, 1, 18, 0, 0, 127}},
      {"bytes above 127", {1, 0, 200, 0, 255, 128}, {1, 0, 200, 0, 255, 128}},
      {"a relative type without an entry", {1, 0, 9, 1, 9, 0}, {1, 0, 9, 1, 9, 0}},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    parts.Click(0);
    editor.Drain();
    parts.announcements->seen.clear();
    for (const Case& test : cases) {
      EXPECT_EQ(parts.edit->SetParamValueLocal(ParamDescriptor(parts.Id(0)), Value(test.record), true), 0);
      EXPECT_EQ(BytesOf(parts.edit->GetEditor()->GetParamRecord()), test.readBack) << test.what;
    }
    editor.Drain();
    EXPECT_TRUE(parts.announcements->seen.empty());

    // A held byte goes once the user changes its control.
    parts.edit->SetParamValueLocal(ParamDescriptor(parts.Id(0)), Value({1, 0, 200, 0, 0, 127}), true);
    LNumericUpDown* number = parts.CcAbsoluteNumber();
    number->SetNormalizedValue(number->ValueToNormalized(5));
    EXPECT_EQ(BytesOf(parts.edit->GetEditor()->GetParamRecord()), (Bytes{1, 0, 5, 0, 0, 127}));

    // A list holding a byte it has no entry for shows no entry, not the one it had.
    const auto type = HV::Test::ControlAt<LComboBox>(
        parts.edit->GetEditor()->GetTabControl()->GetPage(StringW(u"otherPage")),
        {u"otherType", u"comboBox"});
    ASSERT_TRUE(type);
    parts.edit->SetParamValueLocal(ParamDescriptor(parts.Id(0)), Value({1, 1, 8, 0, 0, 127}), true);
    EXPECT_EQ(Utf8(type->GetText()), "Master Volume (Sysex)");
    parts.edit->SetParamValueLocal(ParamDescriptor(parts.Id(0)), Value({1, 1, 18, 0, 0, 127}), true);
    EXPECT_EQ(Utf8(type->GetText()), "");
  });
}

TEST_F(EncoderPanels, ElementPanelsRefuseAnotherElementsIdAndAnotherLength) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    parts.Click(2);
    editor.Drain();
    const RCPtr<LEncoderPanel> tile = parts.group->GetTile(2);
    struct Case {
      int32_t id;
      Bytes record;
      HResult expected;
    };
    const Case cases[] = {
        {parts.Id(2), {1, 0, 1, 0, 0, 127}, 0},     {parts.Id(3), {1, 0, 1, 0, 0, 127}, E_FAIL},
        {parts.Id(2), {1, 0, 1, 0, 0}, E_FAIL},     {parts.Id(2), {1, 0, 1, 0, 0, 127, 0}, E_FAIL},
        {parts.Id(2), {}, E_FAIL},
    };
    for (const Case& test : cases) {
      EXPECT_EQ(tile->SetParamValueLocal(ParamDescriptor(test.id), Value(test.record), true), test.expected);
      EXPECT_EQ(parts.edit->SetParamValueLocal(ParamDescriptor(test.id), Value(test.record), true), test.expected);
    }
    // The refused values changed nothing.
    EXPECT_EQ(BytesOf(parts.edit->GetEditor()->GetParamRecord()), (Bytes{1, 0, 1, 0, 0, 127}));
    EXPECT_EQ(parts.Text(tile->GetView(), u"infoLabel"), "CC:\n1");
    // No title for an index past the encoders.
    parts.edit->SetEncoderLabelText(32);
    EXPECT_EQ(parts.Text(parts.edit, u"knobName"), "ENCODER 3");
  });
}

TEST_F(EncoderPanels, TheTileViewWritesTheChannelAndTheMessage) {
  struct Case {
    Bytes record;
    const char* channel;
    const char* info;
  };
  const Case cases[] = {
      {{0, 0, 74, 1, 0, 0}, "CH:G", "CC:\n74"},        {{16, 1, 4, 0, 0, 0}, "CH:16", "RPN:\n0"},
      {{17, 1, 6, 0, 5, 2}, "CH:Z1", "NRPN:\n261"},   {{20, 1, 1, 0, 0, 0}, "CH:Z4", "OTHER"},
      {{21, 1, 3, 0, 0, 0}, "CH:OM", "CH. AFT."},     {{255, 1, 16, 0, 0, 0}, "CH:-1", "PITCH\nBEND"},
      {{22, 1, 12, 0, 0, 0}, "CH:-1", "SYSEX"},  // 22 names no channel: the text stays
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group);
    const RCPtr<LMoveableControlViewPanel> view = parts.group->GetTile(31)->GetView();
    const RCPtr<LControl> channel = view->FindChildControl(StringW(u"midiChannel"));
    for (const Case& test : cases) {
      view->SetParamRecord(RecordFromValue(Value(test.record)));
      EXPECT_EQ(parts.Text(channel, u"label"), test.channel);
      EXPECT_EQ(parts.Text(view, u"infoLabel"), test.info);
    }
    // Five or seven bytes change nothing.
    view->SetParamRecord(RecordFromValue(Value({1, 0, 9, 0, 0})));
    view->SetParamRecord(RecordFromValue(Value({1, 0, 9, 0, 0, 0, 0})));
    EXPECT_EQ(parts.Text(view, u"infoLabel"), "SYSEX");
  });
}

// The faders follow the same pattern with nine to a bank; their group
// listens to the edit panel's visibility from the first click on.
TEST_F(EncoderPanels, AFaderClickTitlesAndAsksOnceAndTwoClicksLeaveOneSelected) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    const auto faders = DynamicCast<LFaderGroupPanel>(editor.deviceView->FindChildControl(StringW(u"faders")));
    ASSERT_TRUE(faders);
    ASSERT_EQ(faders->GetTileCount(), 36u);
    const auto button = [&](uint32_t i) {
      return DynamicCast<LButton>(faders->GetTile(i)->FindChildControl(StringW(u"button")));
    };
    EXPECT_EQ(parts.Text(faders->GetTile(9), u"faderNumberLabel"), "F1");
    button(9)->SendNotification(LNotification::Create(kNidLeftClick));
    button(35)->SendNotification(LNotification::Create(kNidLeftClick));
    const RCPtr<LFaderEditPanel> edit = faders->GetEditPanel();
    EXPECT_EQ(parts.Text(edit, u"faderName"), "FADER 9");
    EXPECT_EQ(parts.Text(edit, u"bankName"), "BANK 4");
    EXPECT_EQ(button(9)->GetNormalizedValue(), 0.0);
    EXPECT_EQ(button(35)->GetNormalizedValue(), 1.0);
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 2u);
    EXPECT_EQ(parts.announcements->seen[1].first, faders->GetFirstParamID() + 35);

    // A user edit: one record for fader 36.
    parts.announcements->seen.clear();
    const RCPtr<LControl> page = edit->GetEditor()->GetTabControl()->GetPage(StringW(u"ccAbsolutePage"));
    auto* max = DynamicCast<LNumericUpDown>(page->FindChildControl(StringW(u"minMaxSelectors"))
                                                ->FindChildControl(StringW(u"max"))
                                                ->FindChildControl(StringW(u"numericUpDown")))
                    .Get();
    ASSERT_TRUE(max);
    max->SetNormalizedValue(max->ValueToNormalized(64));
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    EXPECT_EQ(parts.announcements->seen[0].first, faders->GetFirstParamID() + 35);
    EXPECT_EQ(parts.announcements->seen[0].second[5], 64);

    edit->SetFaderLabelText(36);
    EXPECT_EQ(parts.Text(edit, u"faderName"), "FADER 9");
    editor.deviceView->ShowEditPanel(LDeviceView::kEncoderPanel, 0);
    EXPECT_EQ(button(35)->GetNormalizedValue(), 0.0);
  });
}

TEST(WheelRecordLayout, FiveWheelBytesAreSixEditorBytesWithoutTheRelativeMode) {
  EXPECT_EQ(BytesOf(WheelRecord::ToMoveable(RecordFromValue(Value({1, 2, 3, 4, 5})))), (Bytes{1, 2, 3, 0, 4, 5}));
  EXPECT_EQ(BytesOf(WheelRecord::FromMoveable(RecordFromValue(Value({10, 11, 12, 13, 14, 15})))),
            (Bytes{10, 11, 12, 14, 15}));
  // Another length passes unchanged, so the length checks still see it.
  EXPECT_EQ(BytesOf(WheelRecord::ToMoveable(RecordFromValue(Value({1, 2, 3, 4, 5, 6})))), (Bytes{1, 2, 3, 4, 5, 6}));
}

TEST_F(EncoderPanels, WheelsShowAndSendTheirFiveBytes) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    const auto wheels = DynamicCast<LWheelGroupPanel>(editor.deviceView->FindChildControl(StringW(u"wheels")));
    ASSERT_TRUE(wheels);
    ASSERT_EQ(wheels->GetTileCount(), 2u);
    const int32_t mod = wheels->GetFirstParamID() + 1;
    DynamicCast<LButton>(wheels->GetTile(1)->FindChildControl(StringW(u"button")))
        ->SendNotification(LNotification::Create(kNidLeftClick));
    const RCPtr<LWheelEditPanel> edit = wheels->GetEditPanel();
    EXPECT_EQ(parts.Text(edit, u"wheelName"), "M. WHEEL");
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    EXPECT_EQ(parts.announcements->seen[0].first, mod);

    // The default modulation wheel: controller 1 from 0 to 127 on any channel.
    EXPECT_EQ(BytesOf(edit->GetEditor()->GetParamRecord()), (Bytes{0, 0, 1, 0, 0, 127}));
    EXPECT_EQ(edit->SetParamValueLocal(ParamDescriptor(mod), Value({0, 0, 1, 0, 0, 127}), true), E_FAIL);
    EXPECT_EQ(wheels->GetTile(1)->SetParamValueLocal(ParamDescriptor(mod), Value({0, 0, 1, 0, 0, 127}), true),
              E_FAIL);

    parts.announcements->seen.clear();
    LApplication::GetRootModuleEngine()->SetParamValue(ParamDescriptor(mod), Value({4, 0, 11, 5, 120}));
    editor.Drain();
    EXPECT_EQ(BytesOf(edit->GetEditor()->GetParamRecord()), (Bytes{4, 0, 11, 0, 5, 120}));
    EXPECT_EQ(parts.Text(wheels->GetTile(1)->GetView(), u"infoLabel"), "CC:\n11");
    parts.announcements->seen.clear();
    const RCPtr<LControl> page = edit->GetEditor()->GetTabControl()->GetPage(StringW(u"ccAbsolutePage"));
    auto* number = DynamicCast<LNumericUpDown>(
                       page->FindChildControl(StringW(u"cc"))->FindChildControl(StringW(u"ccSelector"))->FindChildControl(
                           StringW(u"numericUpDown")))
                       .Get();
    number->SetNormalizedValue(number->ValueToNormalized(2));
    editor.Drain();
    ASSERT_EQ(parts.announcements->seen.size(), 1u);
    EXPECT_EQ(parts.announcements->seen[0].second, (Bytes{4, 0, 2, 5, 120}));
  });
}

}  // namespace
}  // namespace HV

namespace HV {
namespace {

template <class T>
void CollectAll(const RCPtr<LControl>& control, std::vector<RCPtr<T>>& found) {
  if (const RCPtr<T> match = DynamicCast<T>(control)) found.push_back(match);
  for (const RCPtr<LControl>& child : control->GetChildren().Snapshot()) CollectAll(child, found);
}

class TextSelectors : public EditorRun {};

TEST_F(TextSelectors, NoteAndControllerNamesFollowTheirUpDowns) {
  Inspect([&](Live& editor) {
    const RCPtr<LControl> view(editor.deviceView.Get());
    std::vector<RCPtr<LMidiNoteSelector>> notes;
    CollectAll(view, notes);
    ASSERT_FALSE(notes.empty());
    const auto text = [](const RCPtr<LControl>& panel, const char16_t* name) {
      return Utf8(DynamicCast<LLabel>(panel->FindChildControl(StringW(name)))->GetText());
    };
    const auto setNote = [](LMidiNoteSelector& selector, double number) {
      LNumericUpDown& upDown = *selector.GetNumericUpDown();
      upDown.SetNormalizedValue(upDown.ValueToNormalized(number));
    };
    std::vector<std::string> highest;
    for (const RCPtr<LMidiNoteSelector>& selector : notes) {
      setNote(*selector, 60);
      EXPECT_EQ(text(selector, u"noteNameLabel"), "C");
      setNote(*selector, 11);
      EXPECT_EQ(text(selector, u"noteNameLabel"), "B");
      setNote(*selector, 127);
      EXPECT_EQ(text(selector, u"noteNameLabel"), "G");
      highest.push_back(text(selector, u"octaveNameLabel"));
    }
    // The plain selector counts octaves from -1, the zone selector from 1.
    EXPECT_NE(std::find(highest.begin(), highest.end(), "(9)"), highest.end());
    EXPECT_NE(std::find(highest.begin(), highest.end(), "(11)"), highest.end());

    std::vector<RCPtr<LNumberBoxTextSelector>> controllers;
    CollectAll(view, controllers);
    ASSERT_FALSE(controllers.empty());
    const RCPtr<LNumberBoxTextSelector> cc = controllers.front();
    LNumericUpDown& upDown = *cc->GetNumericUpDown();
    upDown.SetRange(-10.0, 200.0, 0);  // room for numbers without a name
    const std::pair<double, const char*> cases[] = {
        {0, "Bank Select"}, {66, "Sostenuto"}, {127, "Poly Mode On"}, {3, "Controller 3"},
        {119, "Controller 119"}, {128, "Controller 119"}, {-1, "Controller 119"}, {74, "Cutoff Frequency"},
    };
    for (const auto& [number, name] : cases) {
      upDown.SetNormalizedValue(upDown.ValueToNormalized(number));
      EXPECT_EQ(text(cc, u"label"), name) << number;
    }
  });
}

}  // namespace
}  // namespace HV
