// The editor's main window and dialogs built from the generated skin with
// the editor's control classes: the whole tree is made, laid out where the
// keyboard's picture has room for it, its tab controls open on their first
// pages, its combo boxes list their values, every text fits the control
// that shows it, and it paints; every combo box's list opens inside its
// window in whole rows.

#include "tests/Panel/Resources/EditorDocuments.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Looks/LLook.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/ListBox/LListBox.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "HVFramework/Renderer/LMeasurementRenderer.h"
#include "tests/support/TestFonts.h"
#include "tools/skin-preview/EditorSkinPreview.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::EditorDocuments;
using Test::Narrow;
using Test::Wide;

// Every control below control, depth first, with its path from it.
void ForEach(LControl& control, const std::function<void(LControl&, const std::string&)>& visit,
             const std::string& path = std::string()) {
  for (const RCPtr<LControl>& child : control.GetChildren().Snapshot()) {
    const std::string childPath = path.empty() ? Narrow(child->GetName()) : path + "/" + Narrow(child->GetName());
    visit(*child, childPath);
    ForEach(*child, visit, childPath);
  }
}

// A top-level control of the skin made by name, as the device view makes its dialogs.
RCPtr<LControl> CreateTopLevel(const char16_t* name) {
  LControlFactory& factory = EditorDocuments::Get();
  return factory.CreateControl(factory.FindControlDescriptor(StringW(name)), nullptr);
}

const char* const kEditPanels[] = {"padEditPanel",   "knobEditPanel",   "faderEditPanel",
                                   "volumePedalEditPanel", "wheelEditPanel", "xyPadEditPanel",
                                   "sustainEditPage", "zoneEditPanel",  "buttonEditPanel"};
const char* const kGroups[] = {"pads", "encoders", "faders", "wheels", "pedals", "keybedZones", "buttons", "xyPad"};

bool Inside(const LControl::Rect& inner, const LControl::Rect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

bool Overlap(const LControl::Rect& a, const LControl::Rect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

LControl::Rect InRoot(const LControl& control) {
  const LControl::Point origin = control.GetOriginInRoot();
  return {origin.x, origin.y, control.GetRect().width, control.GetRect().height};
}

class EditorSkinTree : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseTestFonts(); }
  void SetUp() override {
    ASSERT_TRUE(EditorDocuments::IsLoaded()) << EditorDocuments::GetError();
    window = std::make_unique<EditorSkinPreview>(EditorDocuments::Get(), StringW(u"mainControl"));
    ASSERT_TRUE(window->IsBuilt());
  }
  void TearDown() override { window.reset(); }

  // The window's pixel (0xAARRGGBB) at a point of its client area, painted first.
  uint32_t PixelAt(double x, double y) {
    const std::vector<uint32_t> pixels = window->Paint();
    return pixels.at(static_cast<size_t>(y) * window->GetWidth() + static_cast<size_t>(x));
  }

  RCPtr<LControl> At(const std::string& path) const {
    const RCPtr<LControl> control = window->Find(path);
    EXPECT_TRUE(control) << path;
    return control;
  }

  std::unique_ptr<EditorSkinPreview> window;
};

TEST_F(EditorSkinTree, EveryControlOfTheSkinIsBuiltAsItsClass) {
  // Each descriptor below the main control has its control, and the framework's classes are theirs.
  const RCPtr<LControl> root = window->GetRoot();
  EditorDocuments::ForEach([&](const LControlDescriptor& descriptor, const std::string& path) {
    if (!path.starts_with("mainControl/")) return;
    const RCPtr<LControl> control = window->Find(path.substr(std::string("mainControl/").size()));
    if (!control) {
      // The menu bar builds its titles from its template and takes the template out of the tree.
      EXPECT_TRUE(path.starts_with("mainControl/mainMenu/templateMenu")) << "not built: " << path;
      return;
    }
    const std::string name = Narrow(descriptor.GetClassName());
    const std::map<std::string, bool> kIsOfItsClass = {
        {"Framework.ComboBox", dynamic_cast<LComboBox*>(control.Get()) != nullptr},
        {"Framework.NumericUpDown", dynamic_cast<LNumericUpDown*>(control.Get()) != nullptr},
        {"Framework.Button", dynamic_cast<LButton*>(control.Get()) != nullptr},
    };
    const auto known = kIsOfItsClass.find(name);
    EXPECT_TRUE(known == kIsOfItsClass.end() || known->second) << path << " is no " << name;
  });
  int tabControls = 0;
  ForEach(*root, [&](LControl& control, const std::string&) {
    tabControls += dynamic_cast<LTabControl*>(&control) ? 1 : 0;
  });
  EXPECT_EQ(tabControls, 11);
}

TEST_F(EditorSkinTree, TheFourDialogsAreMadeByName) {
  for (const char16_t* name :
       {u"dialogSendPreset", u"dialogRetrievePresetFromHardware", u"globalEditorControl", u"dialogAbout"}) {
    const RCPtr<LControl> dialog = CreateTopLevel(name);
    ASSERT_TRUE(dialog) << Narrow(StringW(name));
    EXPECT_FALSE(dialog->GetString(StringW(u"LABEL")).IsEmpty()) << "the window's caption";
  }
}

// The groups of tiles lie on the keyboard's body and the edit panels on their
// ground beside it, each with a size; tiles do not overlap.
TEST_F(EditorSkinTree, GroupsAndEditPanelsAreLaidOutWhereTheirGroundIs) {
  const LControl::Rect body = InRoot(*At("viewDevice/deviceBody"));
  const LControl::Rect editArea = InRoot(*At("viewDevice/editArea"));
  EXPECT_FALSE(Overlap(body, editArea));
  for (const char* panel : kEditPanels) {
    const LControl::Rect rect = InRoot(*At(std::string("viewDevice/") + panel));
    EXPECT_GT(rect.width, 0) << panel;
    EXPECT_GT(rect.height, 0) << panel;
    EXPECT_TRUE(Inside(rect, editArea)) << panel;
  }
  std::vector<LControl::Rect> groups;
  for (const char* group : kGroups) {
    groups.push_back(InRoot(*At(std::string("viewDevice/") + group)));
    EXPECT_TRUE(Inside(groups.back(), body)) << group;
  }
  for (size_t i = 0; i < groups.size(); ++i)
    for (size_t j = i + 1; j < groups.size(); ++j) EXPECT_FALSE(Overlap(groups[i], groups[j])) << kGroups[i] << " " << kGroups[j];
  // Every tile's button lies inside its tile, inside its group.
  for (const char* group : kGroups) {
    ForEach(*At(std::string("viewDevice/") + group), [&](LControl& control, const std::string& path) {
      if (control.GetName() == StringW(u"button")) {
        EXPECT_TRUE(Inside(InRoot(control), InRoot(*control.GetParent()))) << group << "/" << path;
      }
    });
  }
}

TEST_F(EditorSkinTree, TabControlsOpenOnThePageTheirPressedButtonNames) {
  ForEach(*window->GetRoot(), [](LControl& control, const std::string& path) {
    auto* tabs = dynamic_cast<LTabControl*>(&control);
    if (!tabs) return;
    const StringW selected = tabs->GetSelectedPageName();
    const bool isEditor = path.find("tabControl") != std::string::npos;
    EXPECT_EQ(Narrow(selected), isEditor ? "ccAbsolutePage" : "midiPage") << path;
    for (int32_t i = 0; i < tabs->GetPageCount(); ++i) {
      auto* button = dynamic_cast<LButton*>(tabs->GetPageButtonAt(i).Get());
      ASSERT_TRUE(button) << path;
      EXPECT_EQ(button->IsChecked(), button->GetName() == selected) << path << "/" << Narrow(button->GetName());
      EXPECT_EQ(tabs->GetPageAt(i)->IsVisible(), i == tabs->GetSelectedPageIndex()) << path;
    }
  });
}

bool InsideMoveableEditor(LControl& control) {
  for (LControl* at = control.GetParent(); at; at = at->GetParent())
    if (at->GetDescriptor() &&
        Narrow(at->GetDescriptor()->GetClassName()) == "PresetEditor.MainControl.EditPanel.MoveableTypePanel")
      return true;
  return false;
}

bool InsideSustainEditor(LControl& control) {
  for (LControl* at = control.GetParent(); at; at = at->GetParent())
    if (at->GetDescriptor() && Narrow(at->GetDescriptor()->GetClassName()) == "PresetEditor.MainPage.SustainEditPanel")
      return true;
  return false;
}

// Each combo box lists its table's values, as many as the record can hold.
TEST_F(EditorSkinTree, ComboBoxesListTheValuesOfTheirTables) {
  const std::map<std::string, int32_t> kItemsByOwner = {
      {"PresetEditor.Control.LabeledMidiChannelSelector", 22},
      {"PresetEditor.Control.LabeledKeyZoneMidiChannelSelector", 17},
      {"PresetEditor.Control.LabeledOtherSelector", 16},
      {"PresetEditor.Control.LabeledKeySelector", 87},
      {"PresetEditor.Control.LabeledModifierKeySelector", 29},
      {"PresetEditor.Control.PresetSlotCombobox", 13},
      {"PresetEditor.Control.LabeledPadColorSelector", 14},
      {"PresetEditor.Control.Global.LabeledGlobalChannel", 16},
  };
  std::map<std::string, int> seen;
  auto check = [&](LControl& control, const std::string& path) {
    auto* combo = dynamic_cast<LComboBox*>(&control);
    if (!combo) return;
    const std::string owner = Narrow(control.GetParent()->GetDescriptor()->GetClassName());
    const auto expected = kItemsByOwner.find(owner);
    ASSERT_TRUE(combo->GetListBox()) << path;
    // The sustain pedal's record holds one value pair: its cycles offer "2 Values" only.
    if (InsideSustainEditor(control) && owner == "PresetEditor.Control.LabeledCycleTypeSelector")
      EXPECT_EQ(combo->GetListBox()->GetItemCount(), 1) << path;
    else
      EXPECT_GT(combo->GetListBox()->GetItemCount(), 1) << path;
    if (expected != kItemsByOwner.end()) {
      // The moveable-control editor offers only the first 13 other messages.
      const int32_t items = InsideMoveableEditor(control) && owner == "PresetEditor.Control.LabeledOtherSelector"
                                ? 13
                                : expected->second;
      EXPECT_EQ(combo->GetListBox()->GetItemCount(), items) << path;
      ++seen[owner];
    }
    EXPECT_FALSE(combo->GetListBox()->IsVisible()) << path;
  };
  ForEach(*window->GetRoot(), check);
  for (const char16_t* dialog : {u"dialogSendPreset", u"globalEditorControl"}) {
    const RCPtr<LControl> made = CreateTopLevel(dialog);
    ASSERT_TRUE(made);
    ForEach(*made, check);
  }
  EXPECT_EQ(seen.size(), kItemsByOwner.size());
}

// A text as long as the control will show it: numbers put in at their widest.
std::string Widest(std::string text) {
  for (const auto& [format, widest] : {std::pair<std::string, std::string>{"%d", "32"}, {"%u", "16383"}, {"%s", "Bb"}})
    for (size_t at; (at = text.find(format)) != std::string::npos;) text.replace(at, format.size(), widest);
  return text;
}

// Every text a control shows -- its own and every other text of its own table
// (the messages of a view, the items of a combo box, the labels a panel
// writes into it) -- fits the text box of its look, in its font.
TEST_F(EditorSkinTree, EveryTextFitsTheControlThatShowsIt) {
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  ASSERT_TRUE(renderer);
  int measured = 0;
  auto check = [&](LControl& control, const std::string& path) {
    const RCPtr<LLook>& look = control.GetLook(0);
    if (!look || !look->GetDescriptor() || !look->GetDescriptor()->HasTextProperties()) return;
    const SkinTextProperties& t = look->GetDescriptor()->GetTextProperties();
    const double width = control.GetRect().width, height = control.GetRect().height;
    const double areaWidth = (t.rightAbsolute + t.rightRelative * width) - (t.leftAbsolute + t.leftRelative * width);
    const double areaHeight = (t.bottomAbsolute + t.bottomRelative * height) - (t.topAbsolute + t.topRelative * height);
    std::vector<std::pair<std::string, std::string>> texts = {{"text", Narrow(control.GetText())}};
    if (const RCPtr<LStringTable> table = control.GetStringTable())
      for (const auto& [id, text] : table->GetEntries())
        if (!id.GetView().starts_with(u"GHK") && id != StringW(u"TOOLTIP")) texts.emplace_back(Narrow(id), Narrow(text));
    for (const auto& [id, text] : texts) {
      if (text.empty()) continue;
      int32_t lineHeight = 0, ascent = 0, descent = 0;
      renderer->GetFontMetrics(control.GetFont(), lineHeight, ascent, descent);
      size_t lines = 0;
      for (size_t start = 0; start <= text.size(); ++lines) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const double lineWidth = renderer->MeasureText(Wide(Widest(text.substr(start, end - start))), control.GetFont()).width;
        EXPECT_LE(lineWidth, areaWidth) << path << " " << id << ": \"" << text << "\"";
        ++measured;
        start = end + 1;
      }
      EXPECT_LE(static_cast<double>(lines * lineHeight), areaHeight + 1) << path << " " << id << ": \"" << text << "\"";
    }
  };
  ForEach(*window->GetRoot(), check);
  for (const char16_t* dialog :
       {u"dialogSendPreset", u"dialogRetrievePresetFromHardware", u"globalEditorControl", u"dialogAbout"}) {
    const RCPtr<LControl> made = CreateTopLevel(dialog);
    ASSERT_TRUE(made);
    ForEach(*made, check);
  }
  EXPECT_GT(measured, 1000);
}

// The first frame: the menu bar across the top, the keyboard's picture (also
// through the pads' group, which is transparent), the edit area's ground.
TEST_F(EditorSkinTree, TheMainWindowPaintsItsSkin) {
  const LControl::Rect body = InRoot(*At("viewDevice/deviceBody"));
  const LControl::Rect edit = InRoot(*At("viewDevice/editArea"));
  const LControl::Rect pads = InRoot(*At("viewDevice/pads"));
  const LControl::Rect menu = InRoot(*At("mainMenu"));
  EXPECT_EQ(menu.width, window->GetRoot()->GetRect().width);
  EXPECT_EQ(PixelAt(menu.width - 4, 4), 0xFF16191Du);                  // the bar, at its right end
  const RCPtr<LBitmap> keyboard = LBitmap::GetCachedBitmap(StringW(u"::Keyboard.png"));
  ASSERT_TRUE(keyboard && keyboard->HasImage());
  const auto picture = [&](int32_t x, int32_t y) { return keyboard->GetPixel(x - body.x, y - body.y).ToARGB(); };
  for (const auto& [x, y] : {std::pair{body.x + 20, body.y + body.height - 4}, {pads.x + 2, pads.y + 2},
                             {pads.x + pads.width / 2, pads.y + 4}}) {
    EXPECT_EQ(picture(x, y) >> 24, 0xFFu) << x << ", " << y;
    EXPECT_EQ(PixelAt(x, y), picture(x, y)) << x << ", " << y;
  }
  // The device view hides every edit panel until a tile is clicked: the edit area's own ground shows.
  EXPECT_EQ(PixelAt(edit.x + 20, edit.y + edit.height - 20), 0xFF24282Eu);
}

// Each combo box of the main window and of the dialogs, opened in a window
// of its top-level control's size: its list lies inside the window and shows
// whole rows, at least three where it has as many (the Send Preset dialog,
// 150 pixels high, shows three of its thirteen slots and scrolls the rest).
TEST(EditorDropDownLists, OpenInsideTheirWindowInWholeRows) {
  UseTestFonts();
  ASSERT_TRUE(EditorDocuments::IsLoaded()) << EditorDocuments::GetError();
  for (const char16_t* name : {u"mainControl", u"dialogSendPreset", u"dialogRetrievePresetFromHardware",
                               u"globalEditorControl"}) {
    EditorSkinPreview window(EditorDocuments::Get(), StringW(name));
    ASSERT_TRUE(window.IsBuilt()) << Narrow(StringW(name));
    const LControl::Rect client{0, 0, static_cast<double>(window.GetWidth()), static_cast<double>(window.GetHeight())};
    int opened = 0;
    ForEach(*window.GetRoot(), [&](LControl& control, const std::string& path) {
      auto* combo = dynamic_cast<LComboBox*>(&control);
      if (!combo || !combo->GetListBox() || combo->GetItemCount() == 0) return;
      ASSERT_EQ(combo->ShowDropDown(true), S_OK) << path;
      ++opened;
      const LListBox& list = *combo->GetListBox();
      EXPECT_TRUE(Inside(InRoot(list), client)) << Narrow(StringW(name)) << "/" << path;
      const double rowsHeight = list.GetClientOffsets(-1).height;
      const int32_t rows = static_cast<int32_t>(rowsHeight / list.GetItemHeight());
      EXPECT_EQ(rows * list.GetItemHeight(), rowsHeight) << Narrow(StringW(name)) << "/" << path << ": a row cut";
      EXPECT_GE(rows, std::min(3, combo->GetItemCount())) << Narrow(StringW(name)) << "/" << path;
      combo->ShowDropDown(false);
    });
    EXPECT_GT(opened, 0) << Narrow(StringW(name));
  }
}

}  // namespace
}  // namespace HV
