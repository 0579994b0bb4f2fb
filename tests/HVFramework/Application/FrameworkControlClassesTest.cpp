#include "HVFramework/Application/FrameworkControlClasses.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "tests/support/ThrownMessage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

std::string Narrow(const WChar* text) { return StringW(text).ToCharString().GetText(); }

// The skin class names as skins spell them, in registration order.
const std::vector<std::string> kExpectedOrder = {
    "Framework.Button",
    "Framework.OverlayButton",
    "Framework.ListBox",
    "Framework.listboxNoScroll",
    "Framework.ListBoxItem",
    "Framework.CheckedListBox",
    "Framework.CheckedListBoxItem",
    "Framework.ListBoxWithIcons",
    "Framework.listbox2ColumnSortable",
    "Framework.ScrollBar",
    "Framework.ScrollChannel",
    "Framework.ComboBox",
    "Framework.ComboTextBox",
    "Framework.CheckedComboBox",
    "Framework.ComboBoxWithIcons",
    "Framework.ComboSlider",
    "Framework.ComboSlider.DropDownPanel",
    "Framework.Slider",
    "Framework.Knob",
    "Framework.TabControl",
    "Framework.Label",
    "Framework.TextBox",
    "Framework.NumericUpDown",
    "Framework.Panel",
    "Framework.ToolTip",
    "Framework.PopupMenu",
    "Framework.MenuItem",
    "Framework.ComboMenu",
    "Framework.MainMenu",
    "Framework.FileDropper",
    "Framework.StatusBar",
    "Framework.SplitterH",
    "Framework.SplitterV",
    "Framework.LevelMeter",
    "Framework.ProgressBar",
    "Framework.TreeView",
    "Framework.TreeViewItem",
    "Framework.CenteredSlider",
    "Framework.CenteredSliderBounds",
};

// Offers every registration to a list, refusing the one at refuseAt.
struct RecordingRegistrar {
  int32_t refuseAt = -1;
  std::vector<std::string> offered;

  ControlClassRegistrar Get() {
    return [this](const StringW& name, LControlDescriptor::CreateFunction create) -> HResult {
      EXPECT_NE(create, nullptr);
      offered.emplace_back(name.ToCharString().GetText());
      return static_cast<int32_t>(offered.size()) - 1 == refuseAt ? E_FAIL : S_OK;
    };
  }
};

std::vector<std::string> AvailableNames() {
  std::vector<std::string> names;
  for (const FrameworkControlClass& row : GetFrameworkControlClasses())
    if (row.create) names.push_back(Narrow(row.name));
  return names;
}

TEST(FrameworkControlClasses, TheTableHoldsTheThirtyNineNamesInRegistrationOrder) {
  std::vector<std::string> names;
  for (const FrameworkControlClass& row : GetFrameworkControlClasses()) names.push_back(Narrow(row.name));
  EXPECT_EQ(names, kExpectedOrder);
}

TEST(FrameworkControlClasses, EveryAvailableClassIsRegisteredInTableOrderAndMissingOnesAreSkipped) {
  RecordingRegistrar registrar;
  const int32_t registered = RegisterFrameworkControlClasses(registrar.Get());
  EXPECT_EQ(registrar.offered, AvailableNames());
  EXPECT_EQ(registered, static_cast<int32_t>(registrar.offered.size()));
  // The control library has these today; the rest follow as they arrive.
  for (const char* name :
       {"Framework.Button", "Framework.ListBox", "Framework.ListBoxItem", "Framework.FileDropper", "Framework.ScrollBar", "Framework.Panel", "Framework.TabControl", "Framework.Label",
        "Framework.TextBox", "Framework.NumericUpDown", "Framework.ToolTip", "Framework.StatusBar",
        "Framework.LevelMeter", "Framework.ProgressBar"})
    EXPECT_NE(std::find(registrar.offered.begin(), registrar.offered.end(), name), registrar.offered.end())
        << name;
}

TEST(FrameworkControlClasses, ARefusedEntryStopsTheRegistrationWithAFailedResult) {
  const size_t available = AvailableNames().size();
  for (size_t k = 0; k < available; ++k) {
    SCOPED_TRACE(k);
    RecordingRegistrar registrar;
    registrar.refuseAt = static_cast<int32_t>(k);
    const std::string message =
        HV::Test::ThrownMessage([&] { RegisterFrameworkControlClasses(registrar.Get()); });
    EXPECT_EQ(
        message.rfind("Failed Result : HVRESULT = 80004005 : HV::LFrameworkApp::RunApplicationStartup", 0),
        0u)
        << message;
    EXPECT_EQ(registrar.offered.size(), k + 1);  // nothing after the refused entry
  }
}

TEST(FrameworkControlClasses, TheFactoryKnowsTheRegisteredNamesExactlyAsWritten) {
  LControlFactory factory(StringW(u"App"));
  RegisterFrameworkControlClasses(factory);
  LControlDescriptor::CreateFunction create = nullptr;
  EXPECT_EQ(factory.GetControlCreateFunction(StringW(u"Framework.Label"), create), S_OK);
  EXPECT_NE(create, nullptr);
  // Another spelling, and any class the library does not have yet, are not registered.
  std::vector<std::u16string> unknown{u"framework.label"};
  for (const FrameworkControlClass& row : GetFrameworkControlClasses())
    if (!row.create) unknown.emplace_back(row.name);
  for (const std::u16string& name : unknown) {
    EXPECT_NE(HV::Test::ThrownMessage([&] { factory.GetControlCreateFunction(StringW(name.c_str()), create); }),
              "(nothing thrown)")
        << Narrow(name.c_str());
  }
}

}  // namespace
}  // namespace HV
