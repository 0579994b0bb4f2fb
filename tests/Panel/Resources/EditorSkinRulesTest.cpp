// The rules the editor's code depends on that the skin must keep: creation
// order, tab buttons and their first pages, what is hidden at start, where
// the colour labels and tiles sit, unique names and layout orders, the
// parts every framework control needs, and a fixed main window that fits
// the screen.

#include "tests/Panel/Resources/ControlPaths.h"
#include "tests/Panel/Resources/EditorDocuments.h"

#include "HVFramework/Application/FrameworkControlClasses.h"
#include "HVFramework/Controls/MessageBox/LMessageBox.h"
#include "Panel/UI/ApplicationControlClasses.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::EditorDocuments;
using Test::ExpandControlPaths;
using Test::Narrow;
using Test::kTileClasses;

const std::string kView = "mainControl/viewDevice/";

// The classes built as tab controls: the framework's own and the application's.
const std::set<std::string>& TabControlClasses() {
  static const std::set<std::string> classes = [] {
    std::set<std::string> names = {"Framework.TabControl"};
    for (const ApplicationControlClass& row : GetApplicationControlClasses())
      if (row.applicationClass == ApplicationClass::TabControl) names.insert(Narrow(StringW(row.name)));
    return names;
  }();
  return classes;
}

std::string ClassOf(const LControlDescriptor& control) { return Narrow(control.GetClassName()); }

bool IsTabControl(const LControlDescriptor& control) { return TabControlClasses().count(ClassOf(control)) != 0; }

// A create parameter's text; "(none)" when the control has no such parameter.
std::string Param(const LControlDescriptor& control, const char16_t* id) {
  StringW text;
  const RCPtr<LStringTable>& params = control.GetCreateParams();
  return params && params->GetString(StringW(id), text) ? Narrow(text) : "(none)";
}

std::vector<std::string> ChildNames(const LControlDescriptor& control) {
  std::vector<std::string> names;
  const RCPtrArray<LControlDescriptor>& children = control.GetChildren();
  for (uint32_t i = 0; i < children.GetCount(); ++i) names.push_back(Narrow((*children.GetItemPtr(i))->GetName()));
  return names;
}

const LControlDescriptor& At(const std::string& path) {
  static const RCPtr<LControlDescriptor> kNone = LControlDescriptor::Create(StringW(), StringW(u"(missing)"), nullptr);
  const RCPtr<LControlDescriptor> found = EditorDocuments::Find(path);
  EXPECT_TRUE(found) << path;
  return found ? *found : *kNone;
}

// The position of a child among its siblings, which is its creation order.
int OrderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::vector<std::string> names = ChildNames(At(path.substr(0, slash)));
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == path.substr(slash + 1)) return static_cast<int>(i);
  return -1;
}

// The tab controls of the skin, by path.
std::map<std::string, const LControlDescriptor*> TabControls() {
  std::map<std::string, const LControlDescriptor*> found;
  EditorDocuments::ForEach([&](const LControlDescriptor& control, const std::string& path) {
    if (IsTabControl(control)) found[path] = &control;
  });
  return found;
}

class EditorSkinRules : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(EditorDocuments::IsLoaded()) << EditorDocuments::GetError(); }
};

TEST_F(EditorSkinRules, EveryKindOfControlIsThereAsOftenAsTheKeyboardNeedsIt) {
  std::map<std::string, int> byClass;
  int tiles = 0;
  EditorDocuments::ForEach([&](const LControlDescriptor& control, const std::string&) {
    ++byClass[ClassOf(control)];
    tiles += kTileClasses.count(ClassOf(control)) ? 1 : 0;
  });
  EXPECT_EQ(tiles, 130);
  EXPECT_EQ(byClass["Framework.ComboBox"], 109);
  EXPECT_EQ(byClass["Framework.NumericUpDown"], 143);
  EXPECT_EQ(byClass["PresetEditor.Control.CCSelector"], 19);
  EXPECT_EQ(byClass["PresetEditor.Control.NoteSelector"], 11);
  EXPECT_EQ(byClass["PresetEditor.Control.ZoneNoteSelector"], 2);
  EXPECT_EQ(byClass["PresetEditor.MainControl.MIDIChannelView"], 130);
  EXPECT_EQ(byClass["PresetEditor.MainControl.MoveableType.ViewPanel"], 73);
  EXPECT_EQ(byClass["PresetEditor.MainControl.PushButtonType.ViewPanel"], 53);
  const auto tabControls = TabControls();
  EXPECT_EQ(tabControls.size(), 11u);
  size_t tabButtons = 0;
  for (const auto& [path, control] : tabControls) tabButtons += ChildNames(At(path + "/buttonHolder")).size();
  EXPECT_EQ(tabButtons, 57u);
}

// The four dialogs and the main control are found by name, as the program creates them.
TEST_F(EditorSkinRules, TopLevelControlsAreFoundByName) {
  for (const char16_t* name : {u"mainControl", u"dialogSendPreset", u"dialogRetrievePresetFromHardware",
                               u"globalEditorControl", u"dialogAbout"}) {
    const RCPtr<LControlDescriptor> control = EditorDocuments::Get().FindControlDescriptor(StringW(name));
    ASSERT_TRUE(control) << Narrow(StringW(name));
    EXPECT_TRUE(control->GetLayout()->visible);
  }
  const LControlDescriptor& send = At("dialogSendPreset");
  EXPECT_EQ(send.GetLayout()->size[0].absolute, 400);
  EXPECT_EQ(send.GetLayout()->size[1].absolute, 150);
  const LControlDescriptor& global = At("globalEditorControl");
  EXPECT_EQ(global.GetLayout()->size[0].absolute, 450);
  EXPECT_EQ(global.GetLayout()->size[1].absolute, 470);
}

TEST_F(EditorSkinRules, EveryClassIsTheApplicationsOrTheFrameworks) {
  std::set<std::string> registered;
  for (const FrameworkControlClass& row : GetFrameworkControlClasses())
    if (row.create) registered.insert(Narrow(StringW(row.name)));
  for (const ApplicationControlClass& row : GetApplicationControlClasses()) registered.insert(Narrow(StringW(row.name)));
  // The message box is the framework's too, registered beside its table.
  registered.insert(Narrow(StringW(LMessageBox::kClassName)));
  EditorDocuments::ForEach([&](const LControlDescriptor& control, const std::string& path) {
    EXPECT_TRUE(registered.count(ClassOf(control))) << path << ": " << ClassOf(control);
  });
}

// Children are made in layout order: the menu before the device view (which
// gives the menu its item updater), the edit panels before the groups (which
// look their edit panel up).
TEST_F(EditorSkinRules, TheMenuAndTheEditPanelsAreMadeBeforeWhatUsesThem) {
  EXPECT_LT(OrderOf("mainControl/mainMenu"), OrderOf("mainControl/viewDevice"));
  int lastEditPanel = -1;
  for (const char* panel : {"padEditPanel", "knobEditPanel", "faderEditPanel", "volumePedalEditPanel",
                            "wheelEditPanel", "xyPadEditPanel", "sustainEditPage", "zoneEditPanel", "buttonEditPanel"})
    lastEditPanel = std::max(lastEditPanel, OrderOf(kView + panel));
  for (const char* group : {"pads", "encoders", "faders", "wheels", "pedals", "keybedZones", "buttons", "xyPad"})
    EXPECT_LT(lastEditPanel, OrderOf(kView + group)) << group;
}

TEST_F(EditorSkinRules, EveryTabButtonIsASelfSettingRadioButtonOfItsPage) {
  for (const auto& [path, tabs] : TabControls()) {
    const std::vector<std::string> buttons = ChildNames(At(path + "/buttonHolder"));
    EXPECT_EQ(buttons, ChildNames(At(path + "/pageHolder"))) << path;
    for (const std::string& button : buttons) {
      const LControlDescriptor& tab = At(path + "/buttonHolder/" + button);
      EXPECT_EQ(ClassOf(tab), "Framework.Button") << path << "/" << button;
      EXPECT_EQ(Param(tab, u"IS_RADIO"), "True") << path << "/" << button;
      EXPECT_EQ(Param(tab, u"AUTO_VALUE_SET"), "True") << path << "/" << button;
    }
  }
}

// A tab control opens on the first tab in tab order; that tab's button starts pressed.
TEST_F(EditorSkinRules, EveryTabControlOpensOnThePageItsPressedButtonNames) {
  for (const auto& [path, tabs] : TabControls()) {
    const LControlDescriptor& holder = At(path + "/buttonHolder");
    std::string firstInTabOrder;
    int lowest = 1 << 30;
    std::vector<std::string> pressed;
    for (const std::string& button : ChildNames(holder)) {
      const LControlDescriptor& tab = At(path + "/buttonHolder/" + button);
      if (tab.GetLayout()->tabStop < lowest) lowest = tab.GetLayout()->tabStop, firstInTabOrder = button;
      if (Param(tab, u"INITIAL_VALUE") != "(none)") pressed.push_back(button);
    }
    EXPECT_EQ(pressed, std::vector<std::string>{firstInTabOrder}) << path;
    const bool isEditor = ClassOf(*tabs).find("ModesControl") != std::string::npos ||
                          ClassOf(*tabs).find("MovementTypes") != std::string::npos;
    EXPECT_EQ(firstInTabOrder, isEditor ? "ccAbsolutePage" : "midiPage") << path;
  }
  // The button-message editor's first page is still the note page: pages pair with buttons by layout order.
  EXPECT_EQ(ChildNames(At(kView + "sustainEditPage/buttonTypePanel/tabControl/buttonHolder")).front(), "notePage");
}

TEST_F(EditorSkinRules, WhatStartsHiddenIsHidden) {
  for (const char* panel : {"padEditPanel", "knobEditPanel", "faderEditPanel", "volumePedalEditPanel",
                            "wheelEditPanel", "sustainEditPage", "zoneEditPanel", "buttonEditPanel"})
    EXPECT_FALSE(At(kView + panel).GetLayout()->visible) << panel;
  EXPECT_TRUE(At(kView + "xyPadEditPanel").GetLayout()->visible);
  for (const std::string& bank : ExpandControlPaths(
           kView + "{encoders/encoderBank,faders/faderBank,buttons/buttonBank}{2..4}"))
    EXPECT_FALSE(At(bank).GetLayout()->visible) << bank;
  for (const std::string& bank : ExpandControlPaths(kView + "{encoders/encoderBank,faders/faderBank,buttons/buttonBank}1"))
    EXPECT_TRUE(At(bank).GetLayout()->visible) << bank;
  EXPECT_FALSE(At(kView + "wheelEditPanel/moveableTypePanel/tabControl/buttonHolder/ccRelativePage").GetLayout()->visible);
  EXPECT_FALSE(At("mainControl/mainMenu/templateMenu/popupMenu").GetLayout()->visible);
  EditorDocuments::ForEach([](const LControlDescriptor& control, const std::string& path) {
    if (ClassOf(control) == "Framework.ComboBox") {
      EXPECT_FALSE(At(path + "/listBox").GetLayout()->visible) << path;
    }
  });
}

TEST_F(EditorSkinRules, EditPanelsHaveASize) {
  for (const char* panel : {"padEditPanel", "knobEditPanel", "faderEditPanel", "volumePedalEditPanel",
                            "wheelEditPanel", "xyPadEditPanel", "sustainEditPage", "zoneEditPanel", "buttonEditPanel"}) {
    EXPECT_GT(At(kView + panel).GetLayout()->size[0].absolute, 0) << panel;
    EXPECT_GT(At(kView + panel).GetLayout()->size[1].absolute, 0) << panel;
  }
}

// The colour pages hold their selectors directly, in order, each with its label
// first: the panels find the labels by searching the page.
TEST_F(EditorSkinRules, ColourLabelsSitDirectlyInTheirSelectors) {
  const std::string button = kView + "buttonEditPanel/viewTabControl/pageHolder/colorPage";
  const std::string pad = kView + "padEditPanel/viewTabControl/pageHolder/colorPage";
  EXPECT_EQ(ChildNames(At(button)), (std::vector<std::string>{"color1", "color2", "color3", "color4", "asciiColor"}));
  EXPECT_EQ(ChildNames(At(pad)), (std::vector<std::string>{"color1", "color2", "color3", "color4"}));
  for (const std::string& selector : ExpandControlPaths(button + "/{color1,color2,color3,color4,asciiColor}"))
    EXPECT_EQ(ChildNames(At(selector)).front(), "colorNameLabel") << selector;
  for (const std::string& selector : ExpandControlPaths(pad + "/color{1..4}"))
    EXPECT_EQ(ChildNames(At(selector)).front(), "colorNameLabel") << selector;
}

TEST_F(EditorSkinRules, ZoneAndPadTilesSitWhereTheirHandlersLook) {
  for (const std::string& zone : ExpandControlPaths(kView + "keybedZones/zone{1..4}"))
    EXPECT_EQ(ClassOf(At(zone)), "PresetEditor.MainControl.KeybedZones.Zone");
  for (const std::string& pad : ExpandControlPaths(kView + "pads/pad{1..16}/button"))
    EXPECT_EQ(ClassOf(At(pad)), "Framework.Button");
}

TEST_F(EditorSkinRules, CheckBoxesTurnThemselvesOnOnlyWhereThePanelDoesNot) {
  EXPECT_EQ(Param(At(kView + "zoneEditPanel/zoneEnabledToggleButton"), u"AUTO_VALUE_SET"), "(none)");
  EXPECT_EQ(Param(At(kView + "sustainEditPage/buttonTypePanel/tabControl/pageHolder/notePage/latching/button"),
                  u"AUTO_VALUE_SET"),
            "(none)");
}

TEST_F(EditorSkinRules, SiblingsHaveUniqueNamesAndLayoutOrders) {
  EditorDocuments::ForEach([](const LControlDescriptor& control, const std::string& path) {
    std::set<std::string> names;
    std::set<int32_t> orders;
    const RCPtrArray<LControlDescriptor>& children = control.GetChildren();
    for (uint32_t i = 0; i < children.GetCount(); ++i) {
      const LControlDescriptor& child = **children.GetItemPtr(i);
      EXPECT_TRUE(names.insert(Narrow(child.GetName())).second) << path << "/" << Narrow(child.GetName());
      EXPECT_TRUE(orders.insert(child.GetLayout()->layoutOrder).second) << path << "/" << Narrow(child.GetName());
    }
  });
}

// The tiles that draw what they are: X and Y, the two pedals, and the flat cycle tabs of the sustain pedal.
TEST_F(EditorSkinRules, ElementsAndTabsUseTheirNamedLooks) {
  const LControlFactory& factory = EditorDocuments::Get();
  auto looksOf = [](const std::string& path) { return At(path).GetSkin() ? At(path).GetSkin()->lookList : nullptr; };
  EXPECT_EQ(looksOf(kView + "pedals/sustainPedal/button"),
            factory.FindLookList(StringW(u"TSPE.Button.SustainPedalButton")));
  EXPECT_EQ(looksOf(kView + "pedals/volumePedal/button"), factory.FindLookList(StringW(u"TSPE.Button.PedalButton")));
  EXPECT_NE(looksOf(kView + "xyPad/xAxis/button"), looksOf(kView + "xyPad/yAxis/button"));
  const RCPtr<LLookList> flat = factory.FindLookList(StringW(u"Button.Transparent.14"));
  ASSERT_TRUE(flat);
  for (const auto& [path, tabs] : TabControls())
    for (const std::string& button : ChildNames(At(path + "/buttonHolder"))) {
      const bool sustainCycle = path.find("sustainEditPage") != std::string::npos &&
                                (button == "ccCyclePage" || button == "programCyclePage");
      EXPECT_EQ(looksOf(path + "/buttonHolder/" + button) == flat, sustainCycle) << path << "/" << button;
    }
}

// A colour indicator's look index is the colour: its list holds them in value order.
TEST_F(EditorSkinRules, ColourIndicatorsShowEachColourAtItsValue) {
  struct Indicator {
    std::string path;
    std::vector<std::string> looks;
  };
  const Indicator kIndicators[] = {
      {kView + "buttons/buttonBank1/button1/color",
       {"Transparent", "SolidColor.Green", "SolidColor.Cyan", "SolidColor.Blue", "SolidColor.Magenta",
        "SolidColor.Red", "SolidColor.Yellow", "SolidColor.White"}},
      {kView + "pads/pad1/color",
       {"Transparent", "SolidColor.Chartreuse", "SolidColor.Green", "SolidColor.Aquamarine", "SolidColor.Cyan",
        "SolidColor.Azure", "SolidColor.Blue", "SolidColor.Violet", "SolidColor.Magenta", "SolidColor.Rose",
        "SolidColor.Red", "SolidColor.Orange", "SolidColor.Yellow", "SolidColor.White"}},
  };
  for (const Indicator& indicator : kIndicators) {
    const RCPtr<LLookList>& list = At(indicator.path).GetSkin()->lookList;
    ASSERT_TRUE(list) << indicator.path;
    std::vector<std::string> names;
    for (uint32_t i = 0; i < list->GetCount(); ++i)
      names.push_back(*list->GetItemPtr(i) ? Narrow((*list->GetItemPtr(i))->GetName()) : "(empty)");
    EXPECT_EQ(names, indicator.looks) << indicator.path;
  }
}

TEST_F(EditorSkinRules, FrameworkControlsHaveThePartsTheyNeed) {
  EditorDocuments::ForEach([](const LControlDescriptor& control, const std::string& path) {
    const std::string name = ClassOf(control);
    if (name == "Framework.ComboBox") {
      EXPECT_EQ(ClassOf(At(path + "/listBox")), "Framework.ListBox") << path;
      EXPECT_EQ(ClassOf(At(path + "/listBox/templateItem")), "Framework.ListBoxItem") << path;
      EXPECT_FALSE(At(path + "/listBox").GetLayout()->clipToParent) << path;
    } else if (name == "Framework.NumericUpDown") {
      EXPECT_EQ(ClassOf(At(path + "/textBox")), "Framework.TextBox") << path;
      EXPECT_EQ(ClassOf(At(path + "/buttonUp")), "Framework.Button") << path;
      EXPECT_EQ(ClassOf(At(path + "/buttonDown")), "Framework.Button") << path;
    } else if (IsTabControl(control)) {
      EXPECT_FALSE(ChildNames(At(path + "/buttonHolder")).empty()) << path;
      EXPECT_TRUE(EditorDocuments::Find(path + "/pageHolder")) << path;
    }
    EXPECT_TRUE(control.GetSkin() && control.GetSkin()->lookList) << path << " has no looks";
  });
  EXPECT_EQ(Param(At("mainControl/mainMenu/templateMenu/popupMenu/templateItem"), u"NOT_FOCUSABLE"), "True");
  EXPECT_EQ(Param(At("mainControl/mainMenu/templateMenu/popupMenu/templateItem/checkBox"), u"AUTO_VALUE_SET"),
            "True");
}

// Its size is its minimum and maximum, which makes the window fixed, and it fits a 1280 x 800 screen.
TEST_F(EditorSkinRules, TheMainWindowIsFixedAndFitsTheScreen) {
  const LLayoutDescriptor& layout = *At("mainControl").GetLayout();
  for (int axis : {0, 1}) {
    EXPECT_GT(layout.size[axis].absolute, 0);
    EXPECT_EQ(layout.minimum[axis].absolute, layout.size[axis].absolute);
    EXPECT_EQ(layout.maximum[axis].absolute, layout.size[axis].absolute);
  }
  EXPECT_LE(layout.position[0].absolute + layout.size[0].absolute, 1280);
  EXPECT_LE(layout.position[1].absolute + layout.size[1].absolute + 30, 800);  // and its caption bar
  const LLayoutDescriptor& menu = *At("mainControl/mainMenu").GetLayout();
  EXPECT_EQ(menu.size[0].referenceMode, 1);  // as wide as the window's client area
  EXPECT_EQ(menu.size[0].relative, 1);
}

}  // namespace
}  // namespace HV
