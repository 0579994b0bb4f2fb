#include "Panel/UI/ApplicationControlClasses.h"

#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace HV {
namespace {

std::u16string Name(const ApplicationControlClass& row) { return row.name; }

// What a factory would hold after the registration: the first function per name.
struct RecordingRegistrar {
  std::vector<std::u16string> offered;
  std::map<std::u16string, LControlDescriptor::CreateFunction> entered;
  size_t refuseAt = SIZE_MAX;

  ControlClassRegistrar Get() {
    return [this](const StringW& name, LControlDescriptor::CreateFunction create) -> HResult {
      offered.emplace_back(name.GetView());
      if (offered.size() - 1 == refuseAt) return E_FAIL;
      entered.emplace(std::u16string(name.GetView()), create);
      return S_OK;
    };
  }
};

TEST(ApplicationControlClasses, TheTableHoldsItsNamesInRegistrationOrder) {
  const auto rows = GetApplicationControlClasses();
  ASSERT_EQ(rows.size(), 188u);
  std::set<std::u16string> names;
  std::set<ApplicationClass> classes;
  for (const ApplicationControlClass& row : rows) {
    names.insert(Name(row));
    classes.insert(row.applicationClass);
  }
  EXPECT_EQ(names.size(), 177u) << "eleven names are registered twice";
  EXPECT_EQ(classes.size(), static_cast<size_t>(ApplicationClass::Count)) << "every class has a name";

  // Positions the skin and the start-up order rely on (1-based, as the table is read).
  struct Place {
    size_t position;
    const char16_t* name;
    ApplicationClass applicationClass;
  };
  const Place kPlaces[] = {
      {1, u"PresetEditor.GlobalEditorControl", ApplicationClass::GlobalSettingsDlg},
      {16, u"PresetEditor.MainControl", ApplicationClass::MainControl},
      {18, u"PresetEditor.MainControl.DeviceView", ApplicationClass::DeviceView},
      {32, u"PresetEditor.MainControl.EncoderView", ApplicationClass::EncoderGroupPanel},
      {54, u"PresetEditor.MainControl.EncoderView", ApplicationClass::EncoderGroupPanel},
      {114, u"PresetEditor.Control.ButtonModesControl.TabControl", ApplicationClass::TabControl},
      {174, u"PresetEditor.TabControl.ProgramCyclePage.TabControl", ApplicationClass::TabControl},
      {178, u"PresetEditor.DialogAbout", ApplicationClass::AboutDlg},
      {188, u"PresetEditor.Control.LabeledNrpnRpnSelector", ApplicationClass::Panel},
  };
  for (const Place& place : kPlaces) {
    const ApplicationControlClass& row = rows[place.position - 1];
    EXPECT_EQ(Name(row), place.name) << "position " << place.position;
    EXPECT_EQ(row.applicationClass, place.applicationClass) << "position " << place.position;
  }
}

TEST(ApplicationControlClasses, NamesThatLookAlikeBuildDifferentClasses) {
  std::map<std::u16string, ApplicationClass> classOf;
  for (const ApplicationControlClass& row : GetApplicationControlClasses()) {
    const auto [at, isNew] = classOf.emplace(Name(row), row.applicationClass);
    EXPECT_TRUE(isNew || at->second == row.applicationClass) << "a repeated name keeps its class";
  }
  EXPECT_EQ(classOf[u"PresetEditor.Control.CCSelector"], ApplicationClass::NumberBoxTextSelector);
  EXPECT_EQ(classOf[u"PresetEditor.Control.LabeledCCSelector"], ApplicationClass::Panel);
  EXPECT_EQ(classOf[u"PresetEditor.Control.ZoneNoteSelector"], ApplicationClass::MidiNoteSelector);
  EXPECT_EQ(classOf[u"PresetEditor.Control.NoteSelector"], ApplicationClass::MidiNoteSelector);
  // The two names without the product's prefix are registered as they stand.
  EXPECT_EQ(classOf.count(u"MainControl.ProductImageSelector"), 1u);
  EXPECT_EQ(classOf.count(u"MainControl.MainPage.ButtonEditPanel.MidiPage"), 1u);
}

TEST(ApplicationControlClasses, TheFrameworkClassesBuildTheFrameworkControls) {
  EXPECT_EQ(GetApplicationClassCreator(ApplicationClass::Panel), &LPanel::Create);
  EXPECT_EQ(GetApplicationClassCreator(ApplicationClass::TabControl), &LTabControl::Create);
  for (int32_t i = 0; i < static_cast<int32_t>(ApplicationClass::Count); ++i)
    EXPECT_NE(GetApplicationClassCreator(static_cast<ApplicationClass>(i)), nullptr) << "class " << i;
}

TEST(ApplicationControlClasses, RegistrationEntersEveryRowInOrder) {
  RecordingRegistrar registrar;
  const ApplicationClassRegistration done = RegisterApplicationControlClasses(registrar.Get());
  EXPECT_EQ(done.registered, 188);
  EXPECT_EQ(done.result, S_OK);
  const auto rows = GetApplicationControlClasses();
  ASSERT_EQ(registrar.offered.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(registrar.offered[i], Name(rows[i])) << "row " << i + 1;
  EXPECT_EQ(registrar.entered.size(), 177u);
}

TEST(ApplicationControlClasses, ARefusedRowEndsTheRegistration) {
  for (const size_t refused : {size_t{0}, size_t{17}, size_t{187}}) {
    RecordingRegistrar registrar;
    registrar.refuseAt = refused;
    const ApplicationClassRegistration done = RegisterApplicationControlClasses(registrar.Get());
    EXPECT_EQ(done.result, E_FAIL) << "refused row " << refused;
    EXPECT_EQ(done.registered, static_cast<int32_t>(refused));
    EXPECT_EQ(registrar.offered.size(), refused + 1) << "no row after the refused one is offered";
  }
}

}  // namespace
}  // namespace HV
