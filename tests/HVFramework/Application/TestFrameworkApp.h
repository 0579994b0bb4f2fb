#pragma once

// TestFrameworkApp: the framework application as a program would derive it,
// on the headless window system. The desktop's answers are plain fields the
// test sets; the settings live in a MemoryIniFileManager (the user settings
// file has handle userFileHandle, 0 meaning it cannot be opened). It is its
// own message-loop client, so RunMessageLoop runs the platform's loop with
// the application's idle rule; what it does on events and ticks is the test's.
//
// FrameworkApp: a virtual clock, the headless window system, a control factory
// with skins read from memory, the settings, and the application.

#include "HVFramework/Application/LFrameworkApp.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "HVFramework/Platform/UI/MessageLoop.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "tests/support/FakeWindowHost.h"
#include "tests/support/MemoryIniFileManager.h"
#include "tests/support/MemoryXmlResourceSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace HV::Test {

class TestFrameworkApp : public LFrameworkApp, public Platform::IMessageLoopClient {
 public:
  static constexpr CursorHandle kWaitCursor = 99;

  static RCPtr<TestFrameworkApp> Create(std::unique_ptr<LControlFactory> factory,
                                        const RCPtr<LStringTable>& frameworkStrings,
                                        Platform::IWindowSystem& system, MemoryIniFileManager& settings) {
    return RCPtr<TestFrameworkApp>(
        new TestFrameworkApp(std::move(factory), frameworkStrings, system, settings));
  }

  // --- What the test sets ---
  int32_t userFileHandle = 5;
  HResult systemFontResult = S_OK;
  std::function<void(const Platform::WindowEvent&)> onEvent;
  std::function<void(Platform::MessageLoop&)> onTick;

  // --- What the test reads ---
  std::vector<bool> idlePasses;        // ProcessIdle's first-pass flag, per pass
  std::vector<int32_t> idleCallbacks;  // the loop's idle counts
  std::vector<std::u16string> cursorNames;

  bool ProcessIdle(bool firstPass) override {
    idlePasses.push_back(firstPass);
    return LFrameworkApp::ProcessIdle(firstPass);
  }

  // --- The message loop's client ---
  int32_t RunMessageLoop() override {
    Platform::MessageLoop loop(mSystem, *this);
    mLoop = &loop;
    const int32_t code = loop.Run();
    mLoop = nullptr;
    return code;
  }
  void OnEvent(const Platform::WindowEvent& event) override {
    if (onEvent) onEvent(event);
  }
  void OnTick() override {
    if (onTick && mLoop) onTick(*mLoop);
  }
  void PaintDirtyWindows() override {}
  bool OnIdle(int32_t count) override {
    idleCallbacks.push_back(count);
    return LFrameworkApp::OnIdle(count);
  }

  // --- The desktop ---
  StringW GetCompanyName() const override { return StringW(u"Company"); }
  StringW GetProductName() const override { return StringW(u"Product"); }
  StringW GetProductVersion() const override { return StringW(u"1.0"); }
  StringW GetVersionString() const override { return StringW(u"1.0.0"); }
  StringW GetApplicationName() const override { return StringW(u"App"); }
  StringW GetMainControlName() const override { return StringW(u"main"); }
  CursorHandle GetCursorHandle(const StringW& name) override {
    cursorNames.emplace_back(name.GetView());
    return name == StringW(u"UI_CURSOR_WAIT") ? kWaitCursor : 0;
  }
  int32_t GetInstanceValue() override { return 0; }
  int32_t GetApplicationValue() override { return 0; }
  HResult GetSystemFont(StringW& name, float& size, int32_t& style) override {
    name = StringW(u"SystemFont");
    size = 9;
    style = 0;
    return systemFontResult;
  }
  RectT<double> GetWorkArea() override { return {0, 0, 1920, 1040}; }
  StringW GetFolder(int32_t) override { return StringW(); }
  double GetElapsedSeconds() override { return 0; }
  uint32_t GetMilliseconds() override { return 0; }
  SystemTime GetSystemTime() override { return {}; }
  int32_t GetKeyState(int32_t virtualKey) override { return virtualKey == pressedKey ? kKeyPressed : 0; }
  PointT<int32_t> GetDesktopCursorPosition() override { return {-7, -9}; }
  void ShowCursor(bool) override {}
  void SetCursorPosition(const PointT<int32_t>&) override {}
  IIniFileManager* GetIniFileManager() override { return &mSettings; }
  int32_t OpenIniFile(int32_t number) override { return number == kUserSettingsFile ? userFileHandle : 0; }
  RCPtr<LControl> CreateControl(const StringW&, const RCPtr<LControl>&) override { return nullptr; }
  int32_t RunModalWindow(const RCPtr<LControl>&) override { return 0; }
  RCPtr<LRootWindow> CreateRootWindow(const StringW&, const RectT<int32_t>&) override { return nullptr; }
  HResult CreateMainWindow() override { return S_OK; }
  int32_t OnPowerBroadcast(uint32_t, intptr_t) override { return 1; }

  int32_t pressedKey = 0;

 private:
  TestFrameworkApp(std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
                   Platform::IWindowSystem& system, MemoryIniFileManager& settings)
      : LFrameworkApp(std::move(factory), frameworkStrings, StringA("Test"), system),
        mSystem(system),
        mSettings(settings) {}

  Platform::IWindowSystem& mSystem;
  MemoryIniFileManager& mSettings;
  Platform::MessageLoop* mLoop = nullptr;
};

// A fake OS window that also writes the end of its modal loop into a log
// shared by several windows, so the order across windows shows.
class LoggingWindowHost : public FakeWindowHost {
 public:
  LoggingWindowHost(std::string label, std::vector<std::string>& log) : mLabel(std::move(label)), mLog(log) {}
  void EndModal(int32_t result) override {
    FakeWindowHost::EndModal(result);
    mLog.push_back(mLabel + ":" + std::to_string(result));
  }

 private:
  std::string mLabel;
  std::vector<std::string>& mLog;
};

class FrameworkApp : public ::testing::Test {
 protected:
  // Three skins "Zero", "One", "Two", each naming its font "Font<n>" and
  // holding a top-level label "main".
  static std::string ThreeSkins() {
    std::string skins;
    for (const char* name : {"Zero", "One", "Two"})
      skins += std::string("<Skin Name=\"") + name + "\" FontName=\"Font" + name +
               "\" FontSize=\"11\"><SubControl Class=\"Framework.Label\" Name=\"main\"/></Skin>";
    return "<Skins>" + skins + "</Skins>";
  }

  // A factory holding the skins of a Skins body (none for an empty body).
  std::unique_ptr<LControlFactory> MakeFactory(const std::string& skinsBody) {
    auto factory = std::make_unique<LControlFactory>(StringW(u"App"));
    factory->SetResourceSource(&resources);
    factory->SetBaseLocation(StringW(u"::"));
    if (!skinsBody.empty()) {
      resources.Add("SKIN",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Halvern_Skin_Definitions><Application "
                    "Name=\"App\">" +
                        skinsBody + "</Application></Halvern_Skin_Definitions>");
      EXPECT_EQ(factory->LoadSkins(StringW(u"::SKIN")), S_OK);
    }
    return factory;
  }

  RCPtr<LStringTable> StartupTexts() {
    LStringTable::Entries entries;
    entries[StringW(u"STARTUP_ERROR")] = StringW(u"Start-up went wrong.");
    entries[StringW(u"STARTUP_ERROR_CAPTION")] = StringW(u"Tarsel");
    return LStringTable::Create(std::move(entries));
  }

  // The application over a factory with the three skins.
  TestFrameworkApp& MakeApp(const std::string& skinsBody = ThreeSkins(),
                            RCPtr<LStringTable> strings = nullptr) {
    app = TestFrameworkApp::Create(MakeFactory(skinsBody), strings ? strings : StartupTexts(), system,
                                   settings);
    return *app;
  }
  TestFrameworkApp& StartApp() {
    TestFrameworkApp& started = MakeApp();
    EXPECT_EQ(started.RunApplicationStartup(), S_OK);
    return started;
  }

  void TearDown() override { app = nullptr; }

  Platform::VirtualClock clock{1000};
  Platform::HeadlessWindowSystem system;
  MemoryXmlResourceSource resources;
  MemoryIniFileManager settings;
  // OS windows for the root windows; they outlive the application, which
  // holds its root windows until it goes. Each logs the end of its modal loop.
  std::vector<std::string> modalEnds;
  LoggingWindowHost hosts[3] = {{"first", modalEnds}, {"second", modalEnds}, {"third", modalEnds}};
  RCPtr<TestFrameworkApp> app;
};

}  // namespace HV::Test
