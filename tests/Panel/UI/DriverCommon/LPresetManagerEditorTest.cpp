// The preset manager inside the editor as the program starts it, on the
// headless window system: the program's engine (no device-control library
// beside the test) takes a loaded preset, and every failure reaches the
// user as a message box with the application's texts.
#include "Panel/UI/DriverCommon/LPresetManager.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "Panel/UI/EditorProgram.h"
#include "Panel/UI/LApplication.h"
#include "tests/Panel/UI/DriverCommon/PresetFileFixtures.h"
#include "tests/support/BorrowedWindowSystem.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace HV {
namespace {

using Box = std::pair<std::string, std::string>;  // caption, text
using Test::Wide;

constexpr const char* kLoadCaption = "Preset File Load";
constexpr const char* kIncompatible = "Preset file is not compatible with this vesion of the preset editor";

class PresetManagerInTheEditor : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseTestFonts(); }
  void SetUp() override { Platform::LMidiPlatform::Install(Platform::LLoopbackMidiSystem::Create()); }
  void TearDown() override { Platform::LMidiPlatform::Install(nullptr); }

  // Runs the editor to its first frame, where inspect works with it, and
  // ends it there; answers the message boxes shown meanwhile.
  std::vector<Box> Inspect(const std::function<void(LApplication&)>& inspect) {
    ApplicationRunner::Options options;
    options.isSingleInstance = false;
    options.languageId = 0x0409;
    ApplicationRunner runner(Editor::MakeEditorProgram(
                                 [this](std::string&) -> std::unique_ptr<Platform::IWindowSystem> {
                                   return std::make_unique<HV::Test::BorrowedWindowSystem>(mSystem);
                                 },
                                 LApplication::EngineParts::Program()),
                             options);
    runner.SetFirstFrameHook([&](LApplicationBase& application) -> std::optional<int> {
      try {
        inspect(dynamic_cast<LApplication&>(application));
      } catch (const std::exception& exception) {
        ADD_FAILURE() << "thrown: " << exception.what();
      }
      return 0;
    });
    EXPECT_EQ(runner.Run("tarsel-preset-editor"), 0);
    return mSystem.GetShownMessageBoxes();
  }

  Platform::HeadlessWindowSystem mSystem;
  HV::Test::TemporaryFolder mFolder;
};

TEST_F(PresetManagerInTheEditor, EachLoadFailureShowsItsTextUnderTheLoadCaption) {
  const std::vector<Box> boxes = Inspect([](LApplication&) {
    const RCPtr<LPresetManager> manager = LPresetManager::Create();
    for (int32_t result : {0, -1, -2, -3, -4, -5}) manager->ShowLoadError(result);
  });
  EXPECT_EQ(boxes, (std::vector<Box>{
                       {kLoadCaption, kIncompatible},
                       {kLoadCaption, "Preset file is not compatible with this version of the editor"},
                       {kLoadCaption, kIncompatible},
                       {kLoadCaption, kIncompatible},
                       {kLoadCaption, "The preset file was read, but the editor could not apply its values."},
                   }));
}

// A failure raised in a header template of the program's own library names
// the header by its repository path, not by the copy staged in the build
// folder. (This suite compiles none of the panel templates itself, so the
// library's instance is the one that raises.) A pad group made without a
// device view has no edit panel to bind.
TEST_F(PresetManagerInTheEditor, AFailureInAPanelTemplateNamesItsRepositoryPath) {
  std::string message;
  Inspect([&](LApplication& application) {
    const RCPtr<LControlDescriptor> group =
        LControlDescriptor::Create(StringW(u"PresetEditor.MainControl.PadView"), StringW(u"pads"), nullptr);
    try {
      application.GetControlFactory()->CreateControl(group, nullptr);
    } catch (const std::exception& failure) {
      message = failure.what();
    }
  });
  EXPECT_EQ(message.rfind("Runtime Error : Null Pointer : ", 0), 0u) << message;
  EXPECT_NE(message.find(" : LPadGroupPanel::Initialize : Panel/UI/PresetEditorCommon/LElementGroupPanel.h : Line "),
            std::string::npos)
      << message;
}

// Without the maker's library the program's engine works on its own values:
// a saved preset loads back into it, and a failed save is told.
TEST_F(PresetManagerInTheEditor, TheProgramsEngineTakesALoadedPresetAndAFailedSaveIsShown) {
  const std::vector<Box> boxes = Inspect([&](LApplication&) {
    const RCPtr<LPresetManager> manager = LPresetManager::Create();
    const RCPtr<LRootModuleEngine> engine = LApplication::GetRootModuleEngine();
    ASSERT_TRUE(engine);
    const Variant name = MakeRecordValue(std::vector<uint8_t>{'E', 'D', 'I', 'T', 'E', 'D'});
    ASSERT_EQ(engine->SetParamValue(ParamDescriptor(0), name), S_OK);
    ASSERT_EQ(manager->Save(Wide(mFolder / "edited")), S_OK);
    ASSERT_EQ(engine->SetParamValue(ParamDescriptor(0), MakeRecordValue(std::vector<uint8_t>(6, 'x'))), S_OK);

    EXPECT_EQ(manager->Load(Wide(mFolder / "edited")), LPresetManager::kLoaded);
    Variant value;
    engine->GetParamValue(ParamDescriptor(0), &value);
    EXPECT_EQ(value, name);

    EXPECT_EQ(manager->Save(Wide(mFolder / "no such folder/preset")), E_FAIL);
  });
  EXPECT_EQ(boxes, (std::vector<Box>{
                       {"Preset File Save", "The preset could not be saved. The file on disk was not changed."}}));
}

// A path handed over on the application centre is loaded by the program's
// own manager (the device view's); a failure is shown once.
TEST_F(PresetManagerInTheEditor, AForwardedPathIsLoadedAndItsFailureShown) {
  HV::Test::WriteBytes(mFolder / "corrupt", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0});
  const std::vector<Box> boxes = Inspect([&](LApplication&) {
    // Saved by a manager of the test's that stops listening, so that only
    // the program's own answers the forwarded paths.
    const RCPtr<LPresetManager> saver = LPresetManager::Create();
    saver->UnregisterAllNotifications();
    ASSERT_EQ(saver->Save(Wide(mFolder / "good")), S_OK);
    const RCPtr<LNotificationCenter> centre = GetApplicationNotificationCenter();
    for (const char* file : {"good", "corrupt"})
      centre->CreateAndPostNotification(kNidGlobalLoadControlPanelSettings,
                                        LStringTag::Create(Wide(mFolder / file)));
    // Other payloads are not paths.
    centre->CreateAndPostNotification(kNidGlobalLoadControlPanelSettings, nullptr);
    centre->ProcessNotifications(false);
  });
  EXPECT_EQ(boxes, (std::vector<Box>{{kLoadCaption, kIncompatible}}));
}

}  // namespace
}  // namespace HV
