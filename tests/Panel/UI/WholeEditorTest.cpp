// The whole editor started headless from the real skin, every kind of element
// at once: each of the 131 values reaches a panel that takes it and showing
// them sends nothing back; one user edit per kind reaches the engine as one
// record of that element, and the saved preset differs from the one saved at
// start in exactly those records.
#include "tests/Panel/UI/EditorRun.h"
#include "tests/Panel/UI/PresetEditorCommon/ElementPanelFixtures.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "Panel/UI/DriverCommon/PresetFile/PresetFile.h"
#include "Panel/UI/LApplication.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"
#include "tests/support/TemporaryFolder.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace HV {
namespace {

using Test::EditorRun;
using Test::AnnouncementsListened;
using Bytes = std::vector<uint8_t>;

constexpr int32_t kParameterCount = 131;

Bytes BytesOf(const Variant& value) {
  uint32_t size = 0;
  const auto* data = static_cast<const uint8_t*>(value.GetData(&size));
  return data ? Bytes(data, data + size) : Bytes();
}

// The records of a saved preset file by parameter ID.
std::map<int32_t, Bytes> RecordsOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::map<int32_t, Bytes> records;
  Array<ParamValue> values;
  if (PresetFile::Decode(file, values) != PresetFile::kLoaded) return records;
  for (uint32_t i = 0; i < values.GetCount(); ++i) records[values.GetItemPtr(i)->paramID] = BytesOf(values.GetItemPtr(i)->value);
  return records;
}

// The first shown up-down below control, in layout order.
LNumericUpDown* FirstShownUpDown(LControl& control) {
  LControl::ChildControlList& children = control.GetChildren();
  for (uint32_t i = 0; i < children.GetCount(); ++i) {
    const RCPtr<LControl>& child = children.GetAt(i);
    if (!child || !child->IsVisible()) continue;
    if (auto* upDown = dynamic_cast<LNumericUpDown*>(child.Get())) return upDown;
    if (LNumericUpDown* below = FirstShownUpDown(*child)) return below;
  }
  return nullptr;
}

// The first shown tile button of each group of the device view, by group name.
std::vector<std::pair<std::string, RCPtr<LButton>>> FirstTileOfEachGroup(LDeviceView& view) {
  std::vector<std::pair<std::string, RCPtr<LButton>>> tiles;
  LControl::ChildControlList& groups = view.GetChildren();
  for (uint32_t i = 0; i < groups.GetCount(); ++i) {
    const RCPtr<LControl>& group = groups.GetAt(i);
    if (!group || !dynamic_cast<LParameterizedModule*>(group.Get()) || !group->IsVisible()) continue;
    RCPtrArray<LControl> buttons;
    group->FindDescendantControls(StringW(u"button"), buttons);
    for (uint32_t b = 0; b < buttons.GetCount(); ++b) {
      const RCPtr<LButton> button = DynamicCast<LButton>(buttons.GetAt(b));
      if (!button || !button->IsVisible(true)) continue;
      std::string name;
      for (char16_t c : group->GetName().GetView()) name += static_cast<char>(c);
      tiles.emplace_back(name, button);
      break;
    }
  }
  return tiles;
}

// The shown edit panel of the device view: a direct child module that is
// not a group of tiles.
RCPtr<LControl> ShownEditPanel(LDeviceView& view, const std::set<std::string>& groups) {
  LControl::ChildControlList& children = view.GetChildren();
  for (uint32_t i = 0; i < children.GetCount(); ++i) {
    const RCPtr<LControl>& child = children.GetAt(i);
    if (!child || !child->IsVisible() || !dynamic_cast<LParameterizedModule*>(child.Get())) continue;
    std::string name;
    for (char16_t c : child->GetName().GetView()) name += static_cast<char>(c);
    if (!groups.count(name)) return child;
  }
  return nullptr;
}

class WholeEditor : public EditorRun {};

TEST_F(WholeEditor, EveryValueReachesAPanelThatTakesItAndShowingItSendsNothing) {
  Inspect([&](Live& editor) {
    const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine();
    ASSERT_TRUE(engine);
    const int32_t first = engine->GetFirstParamID();
    AnnouncementsListened log;
    for (int32_t id = first; id < first + kParameterCount; ++id) {
      Variant value;
      ASSERT_EQ(engine->GetParamValue(ParamDescriptor(id), &value), 0) << id;
      const RCPtr<LParameterizedModule> module = editor.mainControl->GetModuleForParamID(id);
      ASSERT_TRUE(module) << "no panel for parameter " << id;
      // Straight into the panel, past the main control's echo guard: what
      // the panel's own controls report while they show it would reach the
      // engine.
      EXPECT_EQ(module->SetParamValueLocal(ParamDescriptor(id), value, true), 0) << id;
    }
    editor.Drain();
    EXPECT_TRUE(log.Seen().empty()) << log.Seen().size() << " values sent, the first for parameter "
                                   << log.Seen().front().first;
  });
}

TEST_F(WholeEditor, OneEditPerKindChangesExactlyThoseRecordsOfTheSavedPreset) {
  const HV::Test::TemporaryFolder folder;
  const std::string before = folder.GetPath() + "/before.tpr";
  const std::string after = folder.GetPath() + "/after.tpr";
  Inspect([&](Live& editor) {
    const RCPtr<LPresetManager> manager = editor.deviceView->GetPresetManager();
    ASSERT_TRUE(manager);
    ASSERT_EQ(manager->Save(StringW(before.c_str())), 0);
    const auto tiles = FirstTileOfEachGroup(*editor.deviceView);
    std::set<std::string> groups;
    for (const auto& [name, button] : tiles) groups.insert(name);
    // Every kind with tiles: the preset name is its own edit panel.
    EXPECT_EQ(groups, (std::set<std::string>{"buttons", "encoders", "faders", "keybedZones", "pads", "pedals",
                                             "wheels", "xyPad"}));

    std::set<int32_t> edited;
    for (const auto& [name, button] : tiles) {
      SCOPED_TRACE(name);
      AnnouncementsListened log;
      button->SendNotification(LNotification::Create(kNidLeftClick));
      editor.Drain();
      // The click binds the edit panel and asks for the element's value once.
      ASSERT_EQ(log.Seen().size(), 1u);
      const auto [id, shown] = log.Seen().front();
      const RCPtr<LControl> panel = ShownEditPanel(*editor.deviceView, groups);
      ASSERT_TRUE(panel);
      LNumericUpDown* upDown = FirstShownUpDown(*panel);
      ASSERT_TRUE(upDown) << "no up-down shown in " << ToUtf8(panel->GetName());
      const double value = upDown->GetValue();
      const double next = value < upDown->NormalizedToValue(1.0) ? value + 1 : value - 1;
      upDown->SetNormalizedValue(upDown->ValueToNormalized(next));
      editor.Drain();
      // One record, of the bound element, changed.
      ASSERT_EQ(log.Seen().size(), 2u);
      EXPECT_EQ(log.Seen()[1].first, id);
      EXPECT_NE(log.Seen()[1].second, shown);
        edited.insert(id);
    }
    ASSERT_EQ(manager->Save(StringW(after.c_str())), 0);

    const std::map<int32_t, Bytes> start = RecordsOf(before);
    const std::map<int32_t, Bytes> end = RecordsOf(after);
    ASSERT_EQ(start.size(), static_cast<size_t>(kParameterCount));
    ASSERT_EQ(end.size(), start.size());
    for (const auto& [id, bytes] : start) EXPECT_EQ(end.at(id) != bytes, edited.count(id) > 0) << "parameter " << id;
  });
}

}  // namespace
}  // namespace HV
