// Every element editor that keeps a byte its controls cannot show, in the
// editor started headless from the real skin: after an element whose record
// holds such a byte, another element's record is shown, every page the user
// can reach is visited and one value is edited. What reaches the engine for
// that element is only what the user sees: no 0xFF of an empty list and no
// byte kept for the element shown before.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "Panel/UI/LApplication.h"
#include "Panel/UI/OrvaneSeriesCommon/LKeybedZoneGroupPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LXYPadDirectionGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LButtonGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LPadGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LPedalGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LWheelGroupPanel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::Bytes;
using Test::Value;

// One element of a kind: the tile the user clicks, the kind's edit panel and
// the element's parameter.
struct Element {
  RCPtr<LControl> tile;
  RCPtr<LControl> editPanel;
  int32_t id = 0;
};
using ElementFinder = Element (*)(Test::LiveEditor&, const char16_t* group, uint32_t index);

template <class Group>
Element InGroup(Test::LiveEditor& editor, const char16_t* group, uint32_t index) {
  const auto panel = DynamicCast<Group>(editor.deviceView->FindChildControl(StringW(group)));
  if (!panel || !panel->GetTile(index)) return {};
  const auto tile = panel->GetTile(index);
  return {RCPtr<LControl>(tile.Get()), RCPtr<LControl>(panel->GetEditPanel().Get()), tile->GetFirstParamID()};
}

// The pedals are one of a kind each: index 0 the volume pedal, 1 the sustain pedal.
Element Pedal(Test::LiveEditor& editor, const char16_t* group, uint32_t index) {
  const auto pedals = DynamicCast<LPedalGroupPanel>(editor.deviceView->FindChildControl(StringW(group)));
  if (!pedals) return {};
  if (index == 0)
    return {RCPtr<LControl>(pedals->GetVolumeTile().Get()),
            RCPtr<LControl>(pedals->GetVolumeEditPanel().Get()), pedals->GetFirstParamID()};
  return {RCPtr<LControl>(pedals->GetSustainTile().Get()),
          RCPtr<LControl>(pedals->GetSustainEditPanel().Get()), pedals->GetFirstParamID() + 1};
}

// Visible from the control up to (not including) top.
bool ShownWithin(const LControl& control, const LControl& top) {
  for (const LControl* at = &control; at && at != &top; at = at->GetParent())
    if (!at->IsVisible()) return false;
  return true;
}

// The tab controls of the edit panel, outer ones first.
std::vector<RCPtr<LTabControl>> TabControls(const LControl& editPanel) {
  std::vector<RCPtr<LTabControl>> tabs;
  for (const char16_t* name : {u"viewTabControl", u"tabControl"}) {
    RCPtrArray<LControl> found;
    editPanel.FindDescendantControls(StringW(name), found);
    for (uint32_t i = 0; i < found.GetCount(); ++i)
      if (const auto tab = DynamicCast<LTabControl>(found.GetAt(i))) tabs.push_back(tab);
  }
  return tabs;
}

// The user clicks every page button shown, the last first, so that each tab
// control ends on its first page.
void VisitEveryPage(Test::LiveEditor& editor, const LControl& editPanel) {
  for (const RCPtr<LTabControl>& tab : TabControls(editPanel)) {
    for (int32_t page = tab->GetPageCount() - 1; page >= 0; --page) {
      const RCPtr<LControl> button = tab->GetPageButtonAt(page);
      if (!button || !button->IsVisible()) continue;  // a page the skin does not offer
      tab->SelectPageAt(page);
      editor.Drain();
    }
  }
}

// The channel list the user sees; null without one.
LComboBox* ShownChannelList(const LControl& editPanel) {
  RCPtrArray<LControl> found;
  editPanel.FindDescendantControls(StringW(u"midiChannel"), found);
  for (uint32_t i = 0; i < found.GetCount(); ++i) {
    const auto list = Test::ControlAt<LComboBox>(found.GetAt(i), {u"comboBox"});
    if (list && ShownWithin(*list, editPanel)) return list.Get();
  }
  return nullptr;
}

std::string AsText(const Bytes& bytes) {
  std::string text;
  for (int byte : bytes) text += std::to_string(byte) + " ";
  return text;
}

class PanelsWriteWhatTheyShow : public Test::EditorRun {};

TEST_F(PanelsWriteWhatTheyShow, NoEditorWritesAByteTheUserCannotSeeAfterShowingAnotherElement) {
  struct Case {
    const char* what;
    ElementFinder find;
    const char16_t* group;
    uint32_t first, next;  // equal: a kind of one element, given a new record
    Bytes unlisted;        // the first element's record, with a byte no control can show
    Bytes listed;          // the next element's record, every byte shown
    uint32_t at;           // where the byte no control can show sits
  };
  const ElementFinder encoders = &InGroup<LEncoderGroupPanel>;
  const ElementFinder faders = &InGroup<LFaderGroupPanel>;
  const ElementFinder wheels = &InGroup<LWheelGroupPanel>;
  const ElementFinder axes = &InGroup<LXYPadDirectionGroupPanel>;
  const ElementFinder buttons = &InGroup<LButtonGroupPanel>;
  const ElementFinder pads = &InGroup<LPadGroupPanel>;
  const ElementFinder zones = &InGroup<LKeybedZoneGroupPanel>;
  // The listed records shown second, and the X/Y and switch records with a
  // byte no control can show.
  const Bytes ccAbsolute = {0, 0, 7, 0, 0, 127};
  const Bytes yAxis = {0, 0, 41, 0, 0, 127, 8, 69, 81, 71, 72, 74, 76, 77, 79};
  const Bytes axisOther18 = {0, 1, 18, 0, 0, 127, 8, 60, 72, 62, 64, 65, 67, 69, 71};
  const Bytes axisCount9 = {0, 0, 35, 0, 0, 127, 9, 60, 72, 62, 64, 65, 67, 69, 71};
  const Bytes buttonCc = {0, 1, 1, 1, 1, 0, 64, 3, 0, 0, 0, 0, 0, 100, 1, 87, 0};
  const Bytes buttonMmc12 = {0, 1, 1, 1, 1, 1, 21, 0, 12, 0, 0, 0, 0, 0, 1, 87, 0};
  const Bytes buttonOther30 = {0, 1, 1, 1, 1, 1, 30, 0, 7, 0, 0, 0, 0, 0, 1, 87, 0};
  const Bytes padCc = {0, 1, 1, 1, 1, 0, 64, 3, 0, 0, 0, 0, 0, 100};
  const Bytes padMmc12 = {0, 1, 1, 1, 1, 1, 21, 0, 12, 0, 0, 0, 0, 0};
  const Bytes padOther30 = {0, 1, 1, 1, 1, 1, 30, 0, 7, 0, 0, 0, 0, 0};
  const Bytes padColour100 = {0, 100, 1, 1, 1, 0, 64, 3, 0, 0, 0, 0, 0, 100};
  const Bytes sustainCc = {0, 0, 64, 3, 0, 100};
  const Bytes zone = {1, 2, 10, 0, 0, 0, 48, 5, 12};
  const Bytes zoneChannel30 = {1, 30, 10, 0, 0, 0, 48, 5, 12};
  const Case cases[] = {
      {"a fader's other type 18", faders, u"faders", 0, 1, {0, 1, 18, 0, 0, 127}, ccAbsolute, 2},
      {"a fader's relative type 5", faders, u"faders", 0, 1, {0, 0, 10, 1, 5, 0}, ccAbsolute, 4},
      {"an encoder's other type 18", encoders, u"encoders", 0, 1, {0, 1, 18, 0, 0, 127}, ccAbsolute, 2},
      {"an encoder's relative type 5", encoders, u"encoders", 0, 1, {0, 0, 10, 1, 5, 0}, ccAbsolute, 4},
      {"an encoder's channel 30", encoders, u"encoders", 0, 1, {30, 0, 10, 0, 0, 127}, ccAbsolute, 0},
      {"a wheel's other type 18", wheels, u"wheels", 0, 1, {0, 1, 18, 0, 127}, {0, 0, 1, 0, 127}, 2},
      {"the volume pedal's other type 18", &Pedal, u"pedals", 0, 0, {0, 1, 18, 0, 0, 127}, ccAbsolute, 2},
      {"an X/Y axis's other type 18", axes, u"xyPad", 0, 1, axisOther18, yAxis, 2},
      {"an X/Y axis's note count 9", axes, u"xyPad", 0, 1, axisCount9, yAxis, 6},
      {"a push button's MMC command 12", buttons, u"buttons", 0, 1, buttonMmc12, buttonCc, 8},
      {"a push button's other type 30", buttons, u"buttons", 0, 1, buttonOther30, buttonCc, 6},
      {"a pad's MMC command 12", pads, u"pads", 0, 1, padMmc12, padCc, 8},
      {"a pad's other type 30", pads, u"pads", 0, 1, padOther30, padCc, 6},
      {"a pad's colour past the list", pads, u"pads", 0, 1, padColour100, padCc, 1},
      {"the sustain pedal's MMC command 12", &Pedal, u"pedals", 1, 1, {0, 1, 21, 0, 12, 0}, sustainCc, 4},
      {"the sustain pedal's other type 30", &Pedal, u"pedals", 1, 1, {0, 1, 30, 0, 7, 0}, sustainCc, 2},
      {"a keybed zone's channel 30", zones, u"keybedZones", 0, 1, zoneChannel30, zone, 1},
  };
  Inspect([&](Live& editor) {
    const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine();
    ASSERT_TRUE(engine);
    for (const Case& test : cases) {
      const Element first = test.find(editor, test.group, test.first);
      const Element next = test.find(editor, test.group, test.next);
      ASSERT_TRUE(first.tile && next.tile && next.editPanel) << test.what;
      engine->SetParamValue(ParamDescriptor(first.id), Value(test.unlisted));
      if (next.id != first.id) engine->SetParamValue(ParamDescriptor(next.id), Value(test.listed));
      editor.Drain();
      HV::Test::ClickButtonOf(first.tile);
      editor.Drain();

      HV::Test::AnnouncementsListened listened;
      if (next.id == first.id)
        engine->SetParamValue(ParamDescriptor(next.id), Value(test.listed));
      else
        HV::Test::ClickButtonOf(next.tile);
      editor.Drain();
      VisitEveryPage(editor, *next.editPanel);
      LComboBox* channel = ShownChannelList(*next.editPanel);
      ASSERT_TRUE(channel) << test.what;
      channel->SetSelectedIndex(channel->GetSelectedIndex() == 3 ? 4 : 3);
      editor.Drain();

      ASSERT_FALSE(listened.Seen().empty()) << test.what;
      EXPECT_EQ(listened.Seen().back().first, next.id) << test.what << ": the edit reached the engine";
      for (const auto& [id, bytes] : listened.Seen()) {
        if (next.id != first.id) {
          EXPECT_NE(id, first.id) << test.what;
        }
        if (id != next.id) continue;
        ASSERT_EQ(bytes.size(), test.listed.size()) << test.what;
        bool inRange = true;
        for (int byte : bytes) inRange = inRange && byte < 0x80;
        EXPECT_TRUE(inRange) << test.what << ": " << AsText(bytes);
        EXPECT_NE(bytes[test.at], test.unlisted[test.at]) << test.what << ": " << AsText(bytes);
      }
    }
  });
}

}  // namespace
}  // namespace HV
