// The desktop application base: its folders and settings files under a fake
// XDG environment, its main window and the placement kept for it, start-up
// and exit, cursors, message boxes and the box of a fault at run time.
#include "HVFramework/Application/LApplicationBase.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/ControlBase/Window/WindowInputTranslation.h"
#include "HVFramework/ControlBase/Window/WindowPlacement.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/Core/Folders.h"
#include "HVFramework/System/DebugTrace.h"
#include "tests/HVFramework/Application/ApplicationFixture.h"
#include "tests/support/MemoryIniFileManager.h"
#include "tests/support/NotificationRecorder.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace HV::Test {
namespace {

namespace fs = std::filesystem;


// Settings files that open when their folder exists, as the settings-file
// library does, each open counted; failOpens makes them fail.
class CountingIniFileManager : public MemoryIniFileManager {
 public:
  HResult OpenIniFile(const StringW& path, const StringW& version, const StringW& product,
                      int32_t& handle) override {
    opens.push_back({ToUtf8(path), ToUtf8(version), ToUtf8(product)});
    handle = 0;
    if (failOpens || !fs::is_directory(fs::path(ToUtf8(path)).parent_path())) return E_FAIL;
    handle = static_cast<int32_t>(opens.size()) + 40;
    return S_OK;
  }
  struct Open {
    std::string path, version, product;
    bool operator==(const Open&) const = default;
  };
  std::vector<Open> opens;
  bool failOpens = false;
};

// The lines the debug trace sends to the debugger while it lives.
class TraceLines {
 public:
  TraceLines() {
    DebugTrace::Get().SetDebuggerSink([this](std::string_view line) { lines.emplace_back(line); });
  }
  ~TraceLines() { DebugTrace::Get().SetDebuggerSink(nullptr); }
  size_t CountContaining(const std::string& text) const {
    size_t count = 0;
    for (const std::string& line : lines) count += line.find(text) != std::string::npos ? 1 : 0;
    return count;
  }
  std::vector<std::string> lines;
};

class ApplicationBase : public ApplicationFixture {
 public:
  CountingIniFileManager settings;  // outlives the application, which TearDown closes
};

// --- Folders ---

TEST_F(ApplicationBase, FoldersFollowTheXdgFoldersAndMakeTheApplicationsLevels) {
  const std::string h = home.GetPath();
  setenv("XDG_DATA_HOME", (h + "/data").c_str(), 1);
  ApplicationIdentity identity = Identity();
  identity.companyName = StringW(u"Hal&vern (R)");
  identity.productName = StringW(u"Test: Editor/2");
  TestApplication& application = MakeApp(identity);
  struct Row {
    int32_t number;
    std::string expected;
    bool isMade;
  } const rows[] = {
      {LApplicationBase::kProgramFolder, Platform::GetProgramFolder(), true},
      {LApplicationBase::kResourceFolder, "::", false},
      {LApplicationBase::kSharedDataFolder, h + "/data/Hal_vern _R_/Test_ Editor_2", true},
      {LApplicationBase::kUserFolder, h + "/.config/Hal_vern _R_/Test_ Editor_2", true},
      {LApplicationBase::kDocumentsFolder, h, true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ToUtf8(application.GetFolder(row.number)), row.expected) << row.number;
    EXPECT_EQ(fs::is_directory(row.expected), row.isMade) << row.number;
  }
}

TEST_F(ApplicationBase, AFolderWithoutABaseIsEmptyAndNothingIsMadeAtTheRoot) {
  const std::string h = home.GetPath();
  struct Row {
    const char* what;
    const char* home;  // null: unset
    const char* configHome;
    std::string userFolder;
  } const rows[] = {
      {"no home", nullptr, nullptr, ""},
      {"a relative config home without a home", nullptr, "relative/config", ""},
      {"a relative config home falls back to the home", h.c_str(), "relative/config",
       h + "/.config/Halvern/Test Editor"},
  };
  TestApplication& application = MakeApp();
  for (const Row& row : rows) {
    row.home ? setenv("HOME", row.home, 1) : unsetenv("HOME");
    row.configHome ? setenv("XDG_CONFIG_HOME", row.configHome, 1) : unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ToUtf8(application.GetFolder(LApplicationBase::kUserFolder)), row.userFolder) << row.what;
  }
  unsetenv("HOME");
  EXPECT_TRUE(application.GetFolder(LApplicationBase::kSharedDataFolder).IsEmpty());
  EXPECT_TRUE(application.GetFolder(LApplicationBase::kDocumentsFolder).IsEmpty());
  EXPECT_FALSE(fs::exists("/Halvern"));
}

TEST_F(ApplicationBase, AFolderThatCannotBeMadeIsStillAnsweredAndItsSettingsFileDoesNotOpen) {
  const std::string h = home.GetPath();
  // A file where the company folder should be, and a base below a file.
  fs::create_directories(h + "/.config");
  std::ofstream(h + "/.config/Halvern") << "not a folder";
  std::ofstream(h + "/plain-file") << "not a folder";
  setenv("XDG_DATA_HOME", (h + "/plain-file/data").c_str(), 1);
  TestApplication& application = MakeApp();
  application.UseIniFileManager(&settings);

  EXPECT_EQ(ToUtf8(application.GetFolder(LApplicationBase::kUserFolder)), h + "/.config/Halvern/Test Editor");
  EXPECT_EQ(ToUtf8(application.GetFolder(LApplicationBase::kSharedDataFolder)),
            h + "/plain-file/data/Halvern/Test Editor");
  EXPECT_TRUE(fs::is_regular_file(h + "/.config/Halvern"));
  EXPECT_EQ(application.OpenIniFile(LFrameworkApp::kUserSettingsFile), 0);
  EXPECT_EQ(application.OpenIniFile(LFrameworkApp::kAppSettingsFile), 0);
}

TEST_F(ApplicationBase, AnUnknownFolderNumberIsOutOfRange) {
  TestApplication& application = MakeApp();
  for (int32_t number : {-1, 5, 6}) {
    try {
      application.GetFolder(number);
      ADD_FAILURE() << number << ": no exception";
    } catch (const std::out_of_range& error) {
      EXPECT_EQ(std::string(error.what()).rfind("Out of Range : Unknown Path ID. : HV::LApplicationBase::GetFolder : ", 0),
                0u)
          << error.what();
    }
  }
}

// --- Settings files ---

TEST_F(ApplicationBase, EachSettingsFileOpensOnceInItsFolderWithTheVersionAndTheProduct) {
  TestApplication& application = MakeApp();
  application.UseIniFileManager(&settings);
  const int32_t user = application.OpenIniFile(LFrameworkApp::kUserSettingsFile);
  EXPECT_NE(user, 0);
  EXPECT_EQ(application.OpenIniFile(LFrameworkApp::kUserSettingsFile), user);
  const int32_t shared = application.OpenIniFile(LFrameworkApp::kAppSettingsFile);
  EXPECT_NE(shared, 0);
  EXPECT_EQ(application.OpenIniFile(2), 0);
  const std::string h = home.GetPath();
  EXPECT_EQ(settings.opens,
            (std::vector<CountingIniFileManager::Open>{
                {h + "/.config/Halvern/Test Editor/UserSettings.ini", "1_0_0", "Test Editor"},
                {h + "/.local/share/Halvern/Test Editor/AppSettings.ini", "1_0_0", "Test Editor"}}));
}

TEST_F(ApplicationBase, AFailedOpenLeavesNoHandleAndTheNextAskTriesAgain) {
  settings.failOpens = true;
  TestApplication& application = MakeApp();
  application.UseIniFileManager(&settings);
  EXPECT_EQ(application.OpenIniFile(LFrameworkApp::kUserSettingsFile), 0);
  settings.failOpens = false;
  EXPECT_NE(application.OpenIniFile(LFrameworkApp::kUserSettingsFile), 0);
  EXPECT_EQ(settings.opens.size(), 2u);
}

TEST_F(ApplicationBase, WithoutAFolderNoSettingsFileOpensAndTheTraceSaysSoOnce) {
  TraceLines trace;
  TestApplication& application = MakeApp();
  application.UseIniFileManager(&settings);
  unsetenv("HOME");
  EXPECT_EQ(application.OpenIniFile(LFrameworkApp::kUserSettingsFile), 0);
  EXPECT_EQ(application.OpenIniFile(LFrameworkApp::kUserSettingsFile), 0);
  EXPECT_TRUE(settings.opens.empty());
  EXPECT_EQ(trace.CountContaining("UserSettings.ini"), 1u);
}

// The program's own settings-file library, beside the test.
TEST_F(ApplicationBase, TheSettingsFileLibraryWritesTheUsersSettingsWhereTheFolderSays) {
  TestApplication& application = MakeApp();
  const int32_t user = application.OpenIniFile(LFrameworkApp::kUserSettingsFile);
  ASSERT_NE(user, 0);
  ASSERT_EQ(application.GetIniFileManager()->SetIniValueInt(user, StringW(u"CurrentSkinIndex"), 0), S_OK);
  EXPECT_TRUE(fs::is_regular_file(fs::path(home.GetPath()) / ".config/Halvern/Test Editor/UserSettings.ini"));
}

// --- Main window ---

TEST_F(ApplicationBase, TheMainWindowShowsTheMainControlCaptionedWithTheCompanyWhereTheSkinPutsIt) {
  TestApplication& application = OpenApp();
  const OSWindow* main = application.GetMainWindow();
  ASSERT_TRUE(main);
  std::string title;
  ASSERT_TRUE(system.GetWindowTitle(main->GetWindowId(), title));
  EXPECT_EQ(title, "Halvern");
  EXPECT_EQ(main->GetClientRect(), (RectT<int32_t>{40, 30, 640, 480}));
  EXPECT_TRUE(system.IsWindowVisible(main->GetWindowId()));
  ASSERT_EQ(application.GetRootWindows().GetCount(), 1u);
  EXPECT_EQ(application.GetRootWindows().GetAt(0), main->GetRootWindow());
  EXPECT_EQ(ToUtf8(main->GetRootWindow()->GetRootControl()->GetName()), "mainControl");
  EXPECT_EQ(main->GetRenderer()->GetRendererType(), LApplicationBase::kApplicationRendererKind);
  Platform::SizeLimits limits;
  ASSERT_TRUE(system.GetSizeLimits(main->GetWindowId(), limits));
  EXPECT_TRUE(limits.isResizable);
}

TEST_F(ApplicationBase, ASkinOfOneSizeMakesAWindowOfFixedSize) {
  resources.Add("APP_SKINS", SkinDocument("XPositionAbs=\"40\" YPositionAbs=\"30\" XSizeAbs=\"640\" YSizeAbs=\"480\" "
                                          "XMinSizeAbs=\"640\" YMinSizeAbs=\"480\" XMaxSizeAbs=\"640\" "
                                          "YMaxSizeAbs=\"480\""));
  TestApplication& application = OpenApp();
  Platform::SizeLimits limits;
  ASSERT_TRUE(system.GetSizeLimits(application.GetMainWindow()->GetWindowId(), limits));
  EXPECT_FALSE(limits.isResizable);
  EXPECT_EQ(application.GetMainWindow()->GetClientRect(), (RectT<int32_t>{40, 30, 640, 480}));
}

TEST_F(ApplicationBase, ASkinWithoutTheMainControlStopsTheMainWindow) {
  ApplicationIdentity identity = Identity();
  identity.mainControlName = StringW(u"missingControl");
  TestApplication& application = MakeApp(identity);
  ASSERT_EQ(application.RunApplicationStartup(), S_OK);
  try {
    application.CreateMainWindow();
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind(
                  "Runtime Error : Null Pointer : Invalid Control Name : HV::LApplicationBase::CreateMainWindow : ", 0),
              0u)
        << error.what();
  }
  EXPECT_FALSE(application.GetMainWindow());
}

TEST_F(ApplicationBase, TheMainWindowOpensWhereItWasClosedAndAFixedOneKeepsItsSize) {
  struct Row {
    const char* what;
    std::string limits;
    RectT<int32_t> reopened;
  } const rows[] = {
      {"resizable", "", {300, 200, 500, 400}},
      {"fixed", "XMinSizeAbs=\"640\" YMinSizeAbs=\"480\" XMaxSizeAbs=\"640\" YMaxSizeAbs=\"480\"", {300, 200, 640, 480}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    fs::remove(PlacementFile());
    resources.Add("APP_SKINS",
                  SkinDocument("XPositionAbs=\"40\" YPositionAbs=\"30\" XSizeAbs=\"640\" YSizeAbs=\"480\" " + row.limits));
    OpenApp().GetMainWindow()->SetClientRect({300, 200, 500, 400});
    app->Close();
    ASSERT_TRUE(fs::is_regular_file(PlacementFile()));
    EXPECT_EQ(OpenApp().GetMainWindow()->GetClientRect(), row.reopened);
    app->Close();
  }
}

// --- Start-up and exit ---

TEST_F(ApplicationBase, StartUpBindsAltF4ToTheExitRequestUnlessTheKeyIsTaken) {
  struct Row {
    const char* what;
    std::string strings;
    const char* boundTo;
  } const rows[] = {
      {"free", StringsDocument("|App", {{"TITLE", "Test"}}), "NID_APP_EXIT_REQ"},
      {"taken by the application's table", StringsDocument("|App", {{"GHK.NID_TEST_OTHER", "Alt+VKEY_F4"}}),
       "NID_TEST_OTHER"},
  };
  for (const Row& row : rows) {
    resources.Add("APP_STRINGS", row.strings);
    TestApplication& application = MakeApp();
    ASSERT_EQ(application.RunApplicationStartup(), S_OK) << row.what;
    EXPECT_EQ(ToUtf8(application.GetHotKeyManager()->FindName(KeyCode::Parse(StringW(u"Alt+VKEY_F4")))),
              row.boundTo)
        << row.what;
    application.Close();
  }
}

TEST_F(ApplicationBase, AltF4AndTheCloseBoxEndTheLoopAndTheMainWindowKeepsItsPlacement) {
  struct Row {
    const char* what;
    std::function<void(ApplicationBase&)> ask;
  } const rows[] = {
      {"Alt+F4", [](ApplicationBase& test) { test.Key(0x73, 0x40 | 0x80); }},
      {"close box", [](ApplicationBase& test) { test.SendKind(Platform::WindowEventKind::Close); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    fs::remove(PlacementFile());
    TestApplication& application = OpenApp();
    SendKind(Platform::WindowEventKind::FocusGained);
    row.ask(*this);
    EXPECT_EQ(application.Run(), 0);
    EXPECT_TRUE(application.IsExiting());
    application.Close();
    EXPECT_FALSE(application.GetMainWindow());
    EXPECT_TRUE(fs::is_regular_file(PlacementFile()));
  }
}

// --- Desktop services ---

TEST_F(ApplicationBase, CursorsByNameAreTheSystemsAndTheProgramsOwnComeFirst) {
  TestApplication& application = OpenApp();
  struct Row {
    const char* name;
    Platform::CursorKind kind;
  } const rows[] = {
      {"UI_CURSOR_ARROW", Platform::CursorKind::Arrow},    {"UI_CURSOR_IBEAM", Platform::CursorKind::IBeam},
      {"UI_CURSOR_WAIT", Platform::CursorKind::Wait},      {"UI_CURSOR_SIZE_NWSE", Platform::CursorKind::SizeAll},
      {"UI_CURSOR_HAND", Platform::CursorKind::Hand},      {"UI_CURSOR_NO_DROP", Platform::CursorKind::No},
      {"UI_CURSOR_HELP", Platform::CursorKind::Arrow},     {"NOT_A_CURSOR", Platform::CursorKind::Arrow},
  };
  for (const Row& row : rows)
    EXPECT_EQ(CursorKindFromHandle(application.GetCursorHandle(StringW(row.name))), row.kind) << row.name;
  // The windows ask the application through the dispatcher.
  EXPECT_EQ(application.GetMainWindow()->GetCursorByName(StringW(u"TEST_CURSOR_OWN")), TestApplication::kOwnCursor);
}

TEST_F(ApplicationBase, MessageBoxesBelongToTheActiveWindowElseToTheMainWindow) {
  EXPECT_EQ(MakeApp().GetMessageBoxOwnerForTest(), 0u);
  app->Close();
  TestApplication& application = OpenApp();
  const Platform::WindowId main = application.GetMainWindow()->GetWindowId();
  EXPECT_EQ(application.GetMessageBoxOwnerForTest(), main);
  const RCPtr<LRootWindow> other = application.CreateRootWindow(StringW(u"other"), {0, 0, 100, 100});
  ASSERT_TRUE(other);
  const OSWindow* otherWindow = dynamic_cast<const OSWindow*>(other->GetHost());
  Platform::WindowEvent focus;
  focus.kind = Platform::WindowEventKind::FocusGained;
  focus.window = otherWindow->GetWindowId();
  dispatcher.OnEvent(focus);
  EXPECT_EQ(application.GetMessageBoxOwnerForTest(), otherWindow->GetWindowId());
}

TEST_F(ApplicationBase, KeyStatesAreTheModifiersAndButtonsTheActiveWindowSaw) {
  TestApplication& application = OpenApp();
  Platform::WindowEvent event;
  event.window = application.GetMainWindow()->GetWindowId();
  event.kind = Platform::WindowEventKind::FocusGained;
  dispatcher.OnEvent(event);
  event.kind = Platform::WindowEventKind::KeyDown;
  event.key = 0x41;
  event.modifiers = 0x08 | 0x10;  // Shift, left
  dispatcher.OnEvent(event);
  EXPECT_EQ(application.GetKeyState(0x10), LFrameworkApp::kKeyPressed);
  EXPECT_EQ(application.GetKeyState(0x11), 0);
  EXPECT_EQ(application.GetKeyState(0x41), 0);
}

// --- Faults at run time ---

TEST_F(ApplicationBase, AThrowingHandlerCostsItsActionTheLoopRunsOnAndOneBoxSaysSo) {
  TestApplication& application = OpenApp();
  NotificationLog log;
  const RCPtr<NotificationRecorder> faulty = NotificationRecorder::Create("faulty", log);
  const RCPtr<NotificationRecorder> other = NotificationRecorder::Create("other", log);
  const RCPtr<LNotificationDistributor> centre(GetApplicationNotificationCenter().Get());
  other->RegisterNotification(centre, u"NID_TEST_WORK");
  faulty->RegisterNotification(centre, u"NID_TEST_WORK");
  faulty->SetReaction([](NotificationRecorder&, const auto&, const auto&) { throw std::runtime_error("broken"); });
  for (int i = 0; i < 2; ++i) GetApplicationNotificationCenter()->CreateAndPostNotification(u"NID_TEST_WORK");
  system.ScriptPause();
  SendKind(Platform::WindowEventKind::Close);

  EXPECT_EQ(application.Run(), 0);

  // Both notifications reached both clients; two faults, one box, with the built-in texts.
  EXPECT_EQ(log.Recorders(), (std::vector<std::string>{"faulty", "other", "faulty", "other"}));
  ASSERT_EQ(system.GetShownMessageBoxes().size(), 1u);
  EXPECT_EQ(system.GetShownMessageBoxes()[0],
            std::make_pair(std::string("Error"),
                           std::string("The application met an error and could not finish the last action. Your "
                                       "work has not been lost.")));
  faulty->UnregisterAllNotifications();
  other->UnregisterAllNotifications();
}

// A main control whose wheel handler throws, counting its calls.
class ThrowingControl : public LControl {
 public:
  ThrowingControl(LControl* parent, const StringW& name) : LControl(parent, name) {}
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<ThrowingControl>(result, parent, descriptor);
  }
  HResult OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>&) override {
    ++Calls();
    throw std::runtime_error("wheel");
  }
  static int& Calls() {
    static int calls = 0;
    return calls;
  }
};

TEST_F(ApplicationBase, AFaultInAWindowEventIsReportedAndTheNextEventIsHandled) {
  resources.Add("APP_SKINS", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_Skin_Definitions><Application "
                             "Name=\"App\"><Skins><Skin Name=\"Main\"><SubControl Class=\"Test.Throwing\" "
                             "Name=\"mainControl\" XSizeAbs=\"200\" YSizeAbs=\"100\"/></Skin></Skins></Application>"
                             "</Halvern_Skin_Definitions>");
  TestApplication& application = MakeApp();
  application.onStartup = [&application] {
    application.onStartup = nullptr;
    const HResult started = application.RunApplicationStartup();
    application.GetControlFactory()->RegisterControlCreateFunction(StringW(u"Test.Throwing"),
                                                                   &ThrowingControl::Create);
    return started;
  };
  ASSERT_EQ(application.RunApplicationStartup(), S_OK);
  ASSERT_EQ(application.CreateMainWindow(), S_OK);
  application.ShowMainWindow();
  ThrowingControl::Calls() = 0;
  SendKind(Platform::WindowEventKind::FocusGained);
  Platform::WindowEvent wheel;
  wheel.kind = Platform::WindowEventKind::Wheel;
  wheel.x = 10;
  wheel.y = 10;
  wheel.delta = 120;
  Send(wheel);
  Send(wheel);
  SendKind(Platform::WindowEventKind::Close);

  EXPECT_EQ(application.Run(), 0);

  EXPECT_EQ(ThrowingControl::Calls(), 2);
  EXPECT_EQ(system.GetShownMessageBoxes().size(), 1u);
}

}  // namespace
}  // namespace HV::Test
