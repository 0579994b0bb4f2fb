// The X/Y pad panels in the editor started headless from the real skin: the
// fifteen bytes of an axis split between the controller page and the notes
// page and joined back; an axis click titles, binds and asks the engine
// once; showing sends nothing; a change on either page sends the whole
// record once; other lengths and the other axis's ID are refused.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"

#include "Panel/UI/OrvaneSeriesCommon/LXYPadDirectionGroupPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/TouchPadAxisRecord.h"

#include <string>
#include <vector>

namespace HV {
namespace {

using Test::AnnouncementsListened;
using Test::Bytes;
using HV::Test::BytesOf;
using Test::ChildAt;
using HV::Test::LabelText;
using Test::Value;

// The model's defaults: controller 35 and C major from note 60 on X,
// controller 41 and A minor from note 69 on Y.
const Bytes kDefaultX = {0, 0, 35, 0, 0, 127, 8, 60, 72, 62, 64, 65, 67, 69, 71};
const Bytes kDefaultY = {0, 0, 41, 0, 0, 127, 8, 69, 81, 71, 72, 74, 76, 77, 79};

Bytes Part(const Bytes& bytes, size_t first, size_t count) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(first),
               bytes.begin() + static_cast<std::ptrdiff_t>(first + count));
}

TEST(TouchPadAxisRecordLayout, FifteenBytesSplitIntoSixAndNineAndJoinBack) {
  struct Case {
    const char* what;
    Bytes axis;
  };
  const Case cases[] = {
      {"the X default", kDefaultX},
      {"the Y default", kDefaultY},
      {"a range with bytes above 127", {21, 1, 7, 0, 255, 128, 2, 36, 200, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& test : cases) {
    const ElementRecord axis = RecordFromValue(Value(test.axis));
    const ElementRecord midi = TouchPadAxisRecord::MidiPart(axis);
    const ElementRecord notes = TouchPadAxisRecord::NotesPart(axis);
    EXPECT_EQ(BytesOf(midi), Part(test.axis, 0, 6)) << test.what;
    EXPECT_EQ(BytesOf(notes), Part(test.axis, 6, 9)) << test.what;
    EXPECT_EQ(BytesOf(TouchPadAxisRecord::Join(midi, notes)), test.axis) << test.what;
  }
  // Short halves leave zeros in their places; the record is always fifteen bytes.
  EXPECT_EQ(BytesOf(TouchPadAxisRecord::Join(RecordFromValue(Value({1, 2, 3})), RecordFromValue(Value({8, 60})))),
            (Bytes{1, 2, 3, 0, 0, 0, 8, 60, 0, 0, 0, 0, 0, 0, 0}));
}

class XYPadPanels : public Test::EditorRun {
 protected:
  struct Parts {
    RCPtr<LXYPadDirectionGroupPanel> group;
    RCPtr<LXYPadEditPanel> edit;
    AnnouncementsListened engine;

    explicit Parts(Live& editor) {
      group = DynamicCast<LXYPadDirectionGroupPanel>(editor.deviceView->FindChildControl(StringW(u"xyPad")));
      if (group) edit = group->GetEditPanel();
    }
    int32_t Id(uint32_t axis) const { return group->GetFirstParamID() + static_cast<int32_t>(axis); }
    RCPtr<LButton> Button(uint32_t axis) const {
      return DynamicCast<LButton>(ChildAt(group->GetTile(axis), {u"button"}));
    }
    void Click(uint32_t axis) const { HV::Test::ClickButtonOf(group->GetTile(axis)); }
    std::string TileText(uint32_t axis) const { return LabelText(group->GetTile(axis)->GetView(), u"infoLabel"); }
    Bytes Shown() const {
      return BytesOf(TouchPadAxisRecord::Join(edit->GetMidiPage()->GetParamRecord(),
                                              edit->GetNotePage()->GetParamRecord()));
    }
    LNumericUpDown* ControllerNumber() const {
      return HV::Test::CcAbsoluteUpDown(*edit->GetMidiPage(), {u"cc", u"ccSelector", u"numericUpDown"});
    }
  };
};

TEST_F(XYPadPanels, AnAxisClickTitlesBindsAndShowsBothHalvesWithoutSendingThem) {
  // The note page's lists: entry 6 "8 Notes"; scale 1 "Major", 2 "Minor".
  struct Case {
    uint32_t axis;
    const char* title;
    Bytes record;
    const char* tile;
    int32_t scale;
  };
  const Case cases[] = {
      {1, "Y-AXIS", kDefaultY, "CC:\n41", 2},
      {0, "X-AXIS", kDefaultX, "CC:\n35", 1},
  };
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    ASSERT_EQ(parts.group->GetTileCount(), 2u);
    EXPECT_FALSE(parts.edit->IsBound());
    for (const Case& test : cases) {
      SCOPED_TRACE(test.title);
      parts.engine.Seen().clear();
      parts.Click(test.axis);
      EXPECT_EQ(parts.Button(test.axis)->GetNormalizedValue(), 1.0);
      EXPECT_EQ(parts.Button(1 - test.axis)->GetNormalizedValue(), 0.0);
      EXPECT_TRUE(parts.edit->IsVisible());
      EXPECT_EQ(parts.edit->GetFirstParamID(), parts.Id(test.axis));
      EXPECT_EQ(LabelText(parts.edit, u"axisName"), test.title);
      editor.Drain();
      // The engine's answer to the one request, shown on both pages and the tile.
      ASSERT_EQ(parts.engine.Seen().size(), 1u);
      EXPECT_EQ(parts.engine.Seen()[0].first, parts.Id(test.axis));
      EXPECT_EQ(parts.engine.Seen()[0].second, test.record);
      EXPECT_EQ(BytesOf(parts.edit->GetMidiPage()->GetParamRecord()), Part(test.record, 0, 6));
      EXPECT_EQ(BytesOf(parts.edit->GetNotePage()->GetParamRecord()), Part(test.record, 6, 9));
      EXPECT_EQ(parts.TileText(test.axis), test.tile);
      EXPECT_EQ(parts.edit->GetNotePage()->GetModeTypeComboBox()->GetSelectedIndex(), 6);
      EXPECT_EQ(parts.edit->GetNotePage()->GetScaleComboBox()->GetSelectedIndex(), test.scale);
      // Showing sent nothing back.
      editor.Drain();
      EXPECT_EQ(parts.engine.Seen().size(), 1u);
      EXPECT_EQ(parts.group->GetModuleForParamID(parts.Id(test.axis)).Get(),
                static_cast<LParameterizedModule*>(parts.edit.Get()));
    }
    editor.deviceView->ShowEditPanel(LDeviceView::kWheelPanel, 0);
    EXPECT_EQ(parts.Button(0)->GetNormalizedValue(), 0.0);
  });
}

TEST_F(XYPadPanels, AChangeOnEitherPageSendsTheWholeRecordOnceAndUnboundNothing) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    LNumericUpDown* number = parts.ControllerNumber();
    ASSERT_TRUE(number);
    // Unbound: a change leaves nothing.
    HV::Test::SetUpDown(*number, 20);
    editor.Drain();
    EXPECT_TRUE(parts.engine.Seen().empty());

    parts.Click(1);
    editor.Drain();
    parts.engine.Seen().clear();
    HV::Test::SetUpDown(*number, 74);
    editor.Drain();
    ASSERT_EQ(parts.engine.Seen().size(), 1u);
    EXPECT_EQ(parts.engine.Seen()[0].first, parts.Id(1));
    EXPECT_EQ(parts.engine.Seen()[0].second, (Bytes{0, 0, 74, 0, 0, 127, 8, 69, 81, 71, 72, 74, 76, 77, 79}));
    EXPECT_EQ(parts.TileText(1), "CC:\n74");

    // The last of the eight notes changed by hand: the controller half goes
    // along unchanged, and the last note is byte 2 of the notes.
    parts.engine.Seen().clear();
    const RCPtr<LNumericUpDown> lastNote = parts.edit->GetNotePage()->GetNoteUpDown(7);
    ASSERT_TRUE(lastNote);
    HV::Test::SetUpDown(*lastNote, 80);
    editor.Drain();
    ASSERT_EQ(parts.engine.Seen().size(), 1u);
    EXPECT_EQ(parts.engine.Seen()[0].second, (Bytes{0, 0, 74, 0, 0, 127, 8, 69, 80, 71, 72, 74, 76, 77, 79}));
    EXPECT_EQ(parts.Shown(), parts.engine.Seen()[0].second);
    EXPECT_EQ(parts.TileText(0), "CC:\n35");
  });
}

TEST_F(XYPadPanels, TileAndEditPanelRefuseTheOtherAxisAndOtherLengths) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    parts.Click(0);
    editor.Drain();
    const RCPtr<LXYPadDirectionPanel> tile = parts.group->GetTile(0);
    Bytes sixteen = kDefaultX;
    sixteen.push_back(0);
    struct Case {
      const char* what;
      int32_t id;
      Bytes record;
      HResult expected;
    };
    const Case cases[] = {
        {"the axis's own record", parts.Id(0), kDefaultX, 0},
        {"the other axis", parts.Id(1), kDefaultY, E_FAIL},
        {"six bytes", parts.Id(0), Part(kDefaultY, 0, 6), E_FAIL},
        {"fourteen bytes", parts.Id(0), Part(kDefaultY, 0, 14), E_FAIL},
        {"sixteen bytes", parts.Id(0), sixteen, E_FAIL},
        {"no bytes", parts.Id(0), {}, E_FAIL},
    };
    parts.engine.Seen().clear();
    for (const Case& test : cases) {
      EXPECT_EQ(tile->SetParamValueLocal(ParamDescriptor(test.id), Value(test.record), true), test.expected)
          << test.what;
      EXPECT_EQ(parts.edit->SetParamValueLocal(ParamDescriptor(test.id), Value(test.record), true), test.expected)
          << test.what;
    }
    // The refused values changed nothing and nothing was sent.
    EXPECT_EQ(parts.Shown(), kDefaultX);
    EXPECT_EQ(parts.TileText(0), "CC:\n35");
    editor.Drain();
    EXPECT_TRUE(parts.engine.Seen().empty());
  });
}

// Each panel's own failure for a part of its skin taken away, in the live
// tree: the part is removed and the panel initialised again.
TEST_F(XYPadPanels, APanelMissingAPartOfItsSkinFailsWithItsOwnMessage) {
  Inspect([&](Live& editor) {
    Parts parts(editor);
    ASSERT_TRUE(parts.group && parts.edit);
    const RCPtr<LControl> pages = ChildAt(parts.edit, {u"viewTabControl", u"pageHolder"});
    struct Case {
      const char* what;
      RCPtr<LControl> holder;
      const char16_t* removed;
      RCPtr<LControl> panel;
      std::string message;
    };
    const Case cases[] = {
        {"a tile without its view", parts.group->GetTile(0), u"viewPanel", parts.group->GetTile(0),
         "Runtime Error : Null Pointer : cannot find child viewPanel : LXYPadDirectionPanel::Initialize"},
        {"a group without the Y axis", parts.group, u"yAxis", parts.group,
         "Failed Result : HVRESULT = 80004005 : LXYPadDirectionGroupPanel::Initialize"},
        {"an edit panel without its note page", pages, u"noteModePage", parts.edit,
         "Runtime Error : Null Pointer : Cannot find child: viewTabControl: noteModePage : LXYPadEditPanel::Initialize"},
        {"an edit panel without its MIDI page", pages, u"midiPage", parts.edit,
         "Runtime Error : Null Pointer : Cannot find child: viewTabControl: midiPage : LXYPadEditPanel::Initialize"},
        {"an edit panel without its tab control", parts.edit, u"viewTabControl", parts.edit,
         "Runtime Error : Null Pointer : Cannot find child: viewTabControl : LXYPadEditPanel::Initialize"},
    };
    for (const Case& test : cases) {
      SCOPED_TRACE(test.what);
      const RCPtr<LControl> part = ChildAt(test.holder, {test.removed});
      ASSERT_TRUE(part);
      ASSERT_EQ(test.holder->RemoveChildControl(part), 0);
      std::string message = "<nothing thrown>";
      try {
        test.panel->Initialize();
      } catch (const std::exception& thrown) {
        message = thrown.what();
      }
      EXPECT_EQ(message.substr(0, test.message.size()), test.message);
    }
  });
}

}  // namespace
}  // namespace HV
