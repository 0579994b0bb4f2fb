#pragma once

// The desktop application base on the headless window system, in a fresh
// HOME: a program's documents held in memory (a skin with "mainControl",
// the application's and the framework's string tables), a test application
// derived from LApplicationBase, and helpers to build documents for the
// failure roads.

#include "HVFramework/Application/ApplicationRunner.h"
#include "HVFramework/Application/LApplicationBase.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "tests/support/MemoryXmlResourceSource.h"
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace HV::Test {

// A program of the base with hooks for the tests.
class TestApplication : public LApplicationBase {
 public:
  static constexpr CursorHandle kOwnCursor = 0x777;

  static RCPtr<TestApplication> Create(std::unique_ptr<LControlFactory> factory,
                                       const RCPtr<LStringTable>& frameworkStrings,
                                       const ApplicationIdentity& identity, OSWindowDispatcher& dispatcher) {
    return RCPtr<TestApplication>(new TestApplication(std::move(factory), frameworkStrings, identity, dispatcher));
  }

  // Run in place of the base's start-up when set.
  std::function<HResult()> onStartup;

  HResult RunApplicationStartup() override {
    return onStartup ? onStartup() : LApplicationBase::RunApplicationStartup();
  }
  // A name of the program's own in front of the framework's.
  CursorHandle GetCursorHandle(const StringW& name) override {
    return name == StringW(u"TEST_CURSOR_OWN") ? kOwnCursor : LApplicationBase::GetCursorHandle(name);
  }
  Platform::WindowId GetMessageBoxOwnerForTest() const { return GetMessageBoxOwner(); }

 private:
  using LApplicationBase::LApplicationBase;
};

class ApplicationFixture : public ::testing::Test {
 public:
  static ApplicationIdentity Identity() {
    return {.companyName = StringW(u"Halvern"),
            .productName = StringW(u"Test Editor"),
            .productVersion = StringW(u"1.0.7"),
            .versionString = StringW(u"1_0_0"),
            .copyright = StringW(u"Copyright line"),
            .applicationName = StringW(u"App"),
            .mainControlName = StringW(u"mainControl")};
  }

  // A skin document whose "mainControl" has these attributes.
  static std::string SkinDocument(const std::string& mainAttributes =
                                      "XPositionAbs=\"40\" YPositionAbs=\"30\" XSizeAbs=\"640\" YSizeAbs=\"480\"") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_Skin_Definitions><Application Name=\"App\"><Skins>"
           "<Skin Name=\"Main\" FontName=\"DejaVu Sans\" FontSize=\"11\"><SubControl Class=\"Framework.Panel\" "
           "Name=\"mainControl\" " +
           mainAttributes + "/></Skin></Skins></Application></Halvern_Skin_Definitions>";
  }
  // A string-table document of one table: {id, text} pairs in English.
  static std::string StringsDocument(const std::string& table,
                                     std::initializer_list<std::pair<const char*, const char*>> texts) {
    std::string body;
    for (const auto& [id, text] : texts)
      body += std::string("<String ID=\"") + id + "\"><Locale LCID=\"0x0009\">" + text + "</Locale></String>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_StringTable_Definitions><Application Name=\"App\">"
           "<StringTable ID=\"" +
           table + "\">" + body + "</StringTable></Application></Halvern_StringTable_Definitions>";
  }

  void SetUp() override {
    system.AdvanceClockInWaits(&clock);
    resources.Add("APP_SKINS", SkinDocument());
    resources.Add("APP_STRINGS", StringsDocument("|App", {{"TITLE", "Test"}}));
    resources.Add("FRAMEWORK_STRINGS", StringsDocument("Framework", {{"STARTUP_ERROR", "Start-up failed."},
                                                                     {"STARTUP_ERROR_CAPTION", "Tarsel"}}));
  }
  void TearDown() override {
    if (app) app->Close();
    app = nullptr;
  }

  ApplicationRunner::Program Program() {
    ApplicationRunner::Program program;
    program.identity = Identity();
    program.makeApplication = [this](std::unique_ptr<LControlFactory> factory,
                                     const RCPtr<LStringTable>& frameworkStrings, const ApplicationIdentity& identity,
                                     OSWindowDispatcher& on) -> RCPtr<LApplicationBase> {
      app = TestApplication::Create(std::move(factory), frameworkStrings, identity, on);
      if (onMade) onMade(*app);
      return app;
    };
    return program;
  }

  // The application over the documents, not yet started.
  TestApplication& MakeApp(const ApplicationIdentity& identity = Identity()) {
    ApplicationRunner::Program program = Program();
    program.identity = identity;
    std::unique_ptr<LControlFactory> factory = ApplicationRunner::LoadControlFactory(program, 0x0409, &resources);
    EXPECT_TRUE(factory);
    const RCPtr<LStringTable> frameworkStrings = factory->GetFrameworkStringTable();
    // One application at a time: the one before goes first.
    if (app) app->Close();
    app = nullptr;
    app = TestApplication::Create(std::move(factory), frameworkStrings, identity, dispatcher);
    return *app;
  }
  // Made, started and its main window shown.
  TestApplication& OpenApp() {
    TestApplication& made = MakeApp();
    EXPECT_EQ(made.RunApplicationStartup(), S_OK);
    EXPECT_EQ(made.CreateMainWindow(), S_OK);
    EXPECT_TRUE(made.ShowMainWindow());
    return made;
  }

  // Where the main window's placement is kept for Identity().
  std::filesystem::path PlacementFile() const {
    return std::filesystem::path(home.GetPath()) / ".config/Halvern/Test Editor/Profile/Halvern_Test_Editor.WP";
  }

  void Send(Platform::WindowEvent event) {
    event.window = app->GetMainWindow()->GetWindowId();
    system.Script(event);
  }
  void SendKind(Platform::WindowEventKind kind) {
    Platform::WindowEvent event;
    event.kind = kind;
    Send(event);
  }
  // A key pressed and released, with modifier flags (0x40 Alt, 0x80 its left side).
  void Key(int32_t key, uint32_t modifiers) {
    Platform::WindowEvent event;
    event.key = key;
    event.modifiers = modifiers;
    event.kind = Platform::WindowEventKind::KeyDown;
    Send(event);
    event.kind = Platform::WindowEventKind::KeyUp;
    Send(event);
  }

  TemporaryHome home;
  Platform::VirtualClock clock{1000};
  Platform::HeadlessWindowSystem system;
  OSWindowDispatcher dispatcher{system};
  MemoryXmlResourceSource resources;
  RCPtr<TestApplication> app;
  std::function<void(TestApplication&)> onMade;
};

}  // namespace HV::Test
