// The editor's application object as the program's runner starts it from the
// program's own documents, on the headless window system and an empty
// loopback MIDI system: what start-up makes and in which order, its hot keys,
// its failed start, its cursors, folders and texts, and its way out.
#include "Panel/UI/LApplication.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/SystemUI/SystemUINotificationNames.h"
#include "HVFramework/ControlBase/Window/WindowInputTranslation.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/WeakRCPtr.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/EditorProgram.h"
#include "tests/support/BorrowedWindowSystem.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace HV {
namespace {

using Phase = ApplicationRunner::Phase;

std::string Narrow(const StringW& text) { return std::string(text.ToCharString().GetText()); }

class EditorStartup : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseTestFonts(); }
  // No sound devices needed: the MIDI manager finds an empty system.
  void SetUp() override { Platform::LMidiPlatform::Install(Platform::LLoopbackMidiSystem::Create()); }
  void TearDown() override { Platform::LMidiPlatform::Install(nullptr); }

  // The program's parts, telling mEvents when the manager and the device link are made.
  LApplication::EngineParts RecordingParts() {
    LApplication::EngineParts parts = LApplication::EngineParts::Program();
    parts.makeDeviceLink = [this](const DeviceTiming& timing) {
      mEvents.push_back("device link");
      return CreateDeviceLink(timing);
    };
    parts.makeMidiManager = [this](const RCPtr<LRootModuleEngine>& engine) {
      mEvents.push_back(engine && engine == LApplication::GetRootModuleEngine() ? "manager with the engine"
                                                                               : "manager without the engine");
      mEngine = engine;
      return LMidiManager::Create(engine);
    };
    return parts;
  }

  // Runs the editor; at its first frame, atFirstFrame looks at it and
  // answers whether the program ends there (an exit status) or runs its loop.
  int Run(const std::function<std::optional<int>(LApplication&)>& atFirstFrame,
          LApplication::EngineParts parts) {
    ApplicationRunner::Options options;
    options.isSingleInstance = false;
    options.languageId = 0x0409;
    // The runner takes the window system and ends it: it gets one that hands
    // every call to the test's, which keeps what it showed.
    ApplicationRunner runner(Editor::MakeEditorProgram(
                                 [this](std::string&) -> std::unique_ptr<Platform::IWindowSystem> {
                                   return std::make_unique<HV::Test::BorrowedWindowSystem>(mSystem);
                                 },
                                 std::move(parts)),
                             options);
    runner.SetPhaseObserver([this](Phase phase) {
      mPhases.push_back(phase);
      if (phase == Phase::ApplicationStartup) mHadEngineBeforeStartup = bool(LApplication::GetRootModuleEngine());
    });
    runner.SetFirstFrameHook([&](LApplicationBase& application) -> std::optional<int> {
      auto* editor = dynamic_cast<LApplication*>(&application);
      EXPECT_TRUE(editor);
      return editor ? atFirstFrame(*editor) : std::optional<int>(1);
    });
    return runner.Run("tarsel-preset-editor");
  }
  // Runs the editor to its first frame, where inspect looks at it, and ends
  // it there: the runner would take an exception from inspect for a failed
  // start, so it fails the test here.
  int Inspect(const std::function<void(LApplication&)>& inspect) {
    const int status = Run(
        [&](LApplication& editor) -> std::optional<int> {
          try {
            inspect(editor);
          } catch (const std::exception& exception) {
            ADD_FAILURE() << "thrown: " << exception.what();
          }
          return 0;
        },
        RecordingParts());
    EXPECT_TRUE(mSystem.GetShownMessageBoxes().empty());
    return status;
  }

  std::vector<std::string> mEvents;
  std::vector<Phase> mPhases;
  Platform::HeadlessWindowSystem mSystem;
  WeakRCPtr<LRootModuleEngine> mEngine;
  bool mHadEngineBeforeStartup = false;
};

// The manager reaches the preset through the engine, so the engine object
// comes first; its Initialize, which makes the device link, comes last.
TEST_F(EditorStartup, MakesTheEngineThenTheManagerWithItThenStartsTheEngine) {
  EXPECT_EQ(Inspect([&](LApplication&) {
              EXPECT_TRUE(LApplication::GetRootModuleEngine());
              EXPECT_TRUE(LApplication::GetMidiManager());
            }),
            0);
  EXPECT_FALSE(mHadEngineBeforeStartup);
  EXPECT_EQ(mEvents, (std::vector<std::string>{"manager with the engine", "device link"}));
  // Gone with the application, the engine with its worker.
  EXPECT_FALSE(LApplication::GetRootModuleEngine());
  EXPECT_FALSE(LApplication::GetMidiManager());
  EXPECT_FALSE(mEngine.Get());
}

TEST_F(EditorStartup, BindsTheWindowHotKeysOfItsStringTableAndAltF4) {
  struct HotKey {
    const char16_t* keys;
    const NotificationName& name;
  };
  static constexpr HotKey kHotKeys[] = {
      {u"Ctrl+VKEY_C", kNidEditCopyReq},
      {u"Ctrl+VKEY_X", kNidEditCutReq},
      {u"Ctrl+VKEY_V", kNidEditPasteReq},
      {u"Ctrl+VKEY_O", kNidMenuFileLoadPresetFromFile},
      {u"Ctrl+VKEY_S", kNidMenuFileSavePresetToFile},
      {u"Ctrl+Shift+VKEY_S", kNidMenuFileSendPresetToDevice},
      {u"Ctrl+Shift+VKEY_R", kNidMenuFileLoadPresetFromDevice},
      {u"Alt+VKEY_F4", kNidAppExitReq},
  };
  Inspect([](LApplication& editor) {
    for (const HotKey& hotKey : kHotKeys)
      EXPECT_EQ(Narrow(editor.GetHotKeyManager()->FindName(KeyCode::Parse(StringW(hotKey.keys)))),
                Narrow(StringW(hotKey.name.GetText())))
          << Narrow(StringW(hotKey.keys));
  });
}

TEST_F(EditorStartup, AltF4InTheWindowEndsTheEditorWithStatusZeroKeepingItsPlacement) {
  const int status = Run(
      [&](LApplication& editor) -> std::optional<int> {
        // Keys reach the active window only.
        Platform::WindowEvent event;
        event.window = editor.GetMainWindow()->GetWindowId();
        event.kind = Platform::WindowEventKind::FocusGained;
        mSystem.Script(event);
        event.key = 0x73;  // F4 with the left Alt key
        event.modifiers = 0x40 | 0x80;
        event.kind = Platform::WindowEventKind::KeyDown;
        mSystem.Script(event);
        event.kind = Platform::WindowEventKind::KeyUp;
        mSystem.Script(event);
        return std::nullopt;
      },
      RecordingParts());
  EXPECT_EQ(status, 0);
  EXPECT_EQ(mPhases.back(), Phase::Shutdown);
  EXPECT_TRUE(mSystem.GetShownMessageBoxes().empty());
  // The main window kept its placement for the next start.
  const char* home = std::getenv("HOME");
  ASSERT_TRUE(home);
  EXPECT_TRUE(std::filesystem::is_regular_file(std::string(home) +
                                               "/.config/Halvern/Tarsel Preset Editor/Profile/"
                                               "Halvern_Tarsel_Preset_Editor.WP"));
}

// The engine's Initialize throws a Failed Result when it cannot start (here
// its device link cannot be made): one start-up error box, no main window,
// and the program ends as a program that was told to, with status 0.
TEST_F(EditorStartup, AnEngineThatCannotStartShowsTheStartupErrorAndEndsWithStatusZero) {
  LApplication::EngineParts parts = RecordingParts();
  parts.makeDeviceLink = [](const DeviceTiming&) -> RCPtr<IDeviceLink> {
    ThrowFailedResult(E_FAIL, HV_HERE("EditorStartupTest::MakeDeviceLink"));
  };
  EXPECT_EQ(Run([](LApplication&) -> std::optional<int> { return 0; }, std::move(parts)), 0);
  const auto& boxes = mSystem.GetShownMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, "Error");
  EXPECT_EQ(boxes[0].second, "The application encountered problems during startup and will now close.");
  EXPECT_EQ(std::find(mPhases.begin(), mPhases.end(), Phase::CreateMainWindow), mPhases.end());
  EXPECT_FALSE(mEngine.Get());
}

TEST_F(EditorStartup, ShowsItsSkinsMainControlInAWindowOfFixedSizeCaptionedWithTheMaker) {
  Inspect([&](LApplication& editor) {
    OSWindow* window = editor.GetMainWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(Narrow(window->GetRootWindow()->GetRootControl()->GetName()), "mainControl");
    // The skin's size, and one that fits a 1280 x 800 screen with the window's frame.
    const RCPtr<LControlDescriptor> skin = editor.GetControlFactory()->FindControlDescriptor(StringW(u"mainControl"));
    ASSERT_TRUE(skin && skin->GetLayout());
    const OSWindow::Rect client = window->GetClientRect();
    EXPECT_EQ(client.width, static_cast<int32_t>(skin->GetLayout()->size[LLayoutDescriptor::kX].absolute));
    EXPECT_EQ(client.height, static_cast<int32_t>(skin->GetLayout()->size[LLayoutDescriptor::kY].absolute));
    EXPECT_LE(client.width, 1280 - 16);
    EXPECT_LE(client.height, 800 - 48);
    std::string title;
    EXPECT_TRUE(mSystem.GetWindowTitle(window->GetWindowId(), title));
    EXPECT_EQ(title, "Halvern");
    // The window carries the program's icon in every size it is drawn in.
    std::vector<int32_t> sides;
    for (const Platform::WindowIconImage& image : mSystem.GetWindowIcon(window->GetWindowId())) {
      EXPECT_EQ(image.width, image.height);
      sides.push_back(image.width);
    }
    EXPECT_EQ(sides, (std::vector<int32_t>{16, 32, 48, 256}));
  });
}

// The drop cursors are the editor's images, made once; the splitter, rotate
// and magnifier names have no cursor (the base would give the splitters its
// sizing arrows); other names are the base's, an unknown one the arrow.
TEST_F(EditorStartup, AnswersItsOwnCursorsAndLeavesTheOthersToTheBase) {
  Inspect([](LApplication& editor) {
    const CursorHandle move = editor.GetCursorHandle(StringW(u"UI_CURSOR_DROP_MOVE"));
    const CursorHandle copy = editor.GetCursorHandle(StringW(u"UI_CURSOR_DROP_COPY"));
    EXPECT_NE(ImageCursorFromHandle(move), 0u);
    EXPECT_NE(ImageCursorFromHandle(copy), 0u);
    EXPECT_NE(move, copy);
    EXPECT_EQ(editor.GetCursorHandle(StringW(u"UI_CURSOR_DROP_MOVE")), move);
    for (const char16_t* name : {u"UI_CURSOR_SPLIT_V", u"UI_CURSOR_SPLIT_H", u"UI_CURSOR_ROTATE", u"UI_CURSOR_MAG",
                                 u"UI_CURSOR_MAG_PLUS", u"UI_CURSOR_MAG_MINUS"})
      EXPECT_EQ(editor.GetCursorHandle(StringW(name)), 0u) << Narrow(StringW(name));
    EXPECT_EQ(CursorKindFromHandle(editor.GetCursorHandle(StringW(u"UI_CURSOR_WAIT"))), Platform::CursorKind::Wait);
    const CursorHandle unknown = editor.GetCursorHandle(StringW(u"UI_CURSOR_NO_SUCH_CURSOR"));
    EXPECT_EQ(ImageCursorFromHandle(unknown), 0u);
    EXPECT_EQ(CursorKindFromHandle(unknown), Platform::CursorKind::Arrow);
  });
}

TEST_F(EditorStartup, FoldersFiveAndSixAreTheDocumentsFolder) {
  Inspect([](LApplication& editor) {
    const StringW documents = editor.GetFolder(LApplicationBase::kDocumentsFolder);
    EXPECT_FALSE(documents.IsEmpty());
    EXPECT_EQ(Narrow(editor.GetFolder(5)), Narrow(documents));
    EXPECT_EQ(Narrow(editor.GetFolder(6)), Narrow(documents));
    EXPECT_THROW(editor.GetFolder(7), std::out_of_range);
  });
}

TEST_F(EditorStartup, ApplicationStringsComeFromItsOwnTableAndAreEmptyWhenMissing) {
  Inspect([](LApplication&) {
    EXPECT_EQ(Narrow(GetApplicationString(StringW(u"GHK_WIN.NID_EDIT_COPY_REQ"))), "Ctrl+VKEY_C");
    EXPECT_TRUE(GetApplicationString(StringW(u"NO_SUCH_TEXT")).IsEmpty());
    // The framework's table is not the application's.
    EXPECT_TRUE(GetApplicationString(StringW(u"STARTUP_ERROR")).IsEmpty());
  });
  EXPECT_TRUE(GetApplicationString(StringW(u"GHK_WIN.NID_EDIT_COPY_REQ")).IsEmpty());
}

}  // namespace
}  // namespace HV
