#pragma once

// EditorRun: the editor as the program's runner starts it, on the headless
// window system, with a scripted file chooser (the answers zenity would
// give) and a recording document opener; the test's body runs at the first
// frame with the live application, and the main window's parts it uses.

#include "HVFramework/Application/ApplicationRunner.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "Panel/UI/EditorProgram.h"
#include "Panel/UI/LDeviceView.h"
#include "Panel/UI/LMainControl.h"
#include "tests/support/BorrowedWindowSystem.h"
#include "tests/support/RecordingDocumentOpener.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace HV::Test {

// Answers each run of the file chooser from a script (cancelled when the
// script is empty) and keeps every run's arguments.
class ScriptedFileChooser : public Platform::IChildProcessRunner {
 public:
  Platform::ChildProcessResult Run(const std::vector<std::string>& argv) override {
    runs.push_back(argv);
    if (answers.empty()) return {true, 1, ""};
    Platform::ChildProcessResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Choose(const std::string& path) { answers.push_back({true, 0, path + "\n"}); }
  // The argument of the last run that starts with prefix; "" when none does.
  std::string Argument(const std::string& prefix) const {
    if (runs.empty()) return "";
    for (const std::string& argument : runs.back())
      if (argument.rfind(prefix, 0) == 0) return argument;
    return "";
  }
  bool LastRunHas(const std::string& argument) const {
    return !runs.empty() && std::find(runs.back().begin(), runs.back().end(), argument) != runs.back().end();
  }

  std::deque<Platform::ChildProcessResult> answers;
  std::vector<std::vector<std::string>> runs;
};

class EditorRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseTestFonts(); }
  void SetUp() override { Platform::LMidiPlatform::Install(mMidi); }
  void TearDown() override {
    Platform::LMidiPlatform::Install(nullptr);
    mMidi->WaitForCallbacks();
  }

  // What a body works with: the application and its main window's parts.
 public:
  struct Live {
    LApplication& application;
    RCPtr<LRootWindow> window;
    RCPtr<LMainControl> mainControl;
    RCPtr<LDeviceView> deviceView;

    // A menu command, as the menu bar posts it into the window's queue.
    void Menu(const NotificationName& name) {
      window->CreateAndPostNotification(name);
      window->ProcessIdle();
    }
    // What waits on the application centre (the engine's values, hot keys).
    void Drain() { GetApplicationNotificationCenter()->ProcessNotifications(false); }
  };

 protected:
  // Runs the editor; at its first frame body looks at it and answers whether
  // the program ends there (an exit status) or runs its loop on.
  int Run(const std::function<std::optional<int>(Live&)>& body) {
    ApplicationRunner::Options options;
    options.isSingleInstance = false;
    options.languageId = 0x0409;
    LApplication::EngineParts parts = LApplication::EngineParts::Program();
    parts.fileChooser = mChooser;
    parts.documentOpener = mOpener;
    if (mAdjustParts) mAdjustParts(parts);
    ApplicationRunner runner(HV::Editor::MakeEditorProgram(
                                 [this](std::string&) -> std::unique_ptr<Platform::IWindowSystem> {
                                   return std::make_unique<BorrowedWindowSystem>(mSystem);
                                 },
                                 std::move(parts)),
                             options);
    runner.SetFirstFrameHook([&](LApplicationBase& application) -> std::optional<int> {
      auto* editor = dynamic_cast<LApplication*>(&application);
      OSWindow* main = editor ? editor->GetMainWindow() : nullptr;
      if (!main) {
        ADD_FAILURE() << "no editor window";
        return 1;
      }
      Live parts{*editor, main->GetRootWindow(),
                   DynamicCast<LMainControl>(main->GetRootWindow()->GetRootControl()), nullptr};
      if (parts.mainControl) parts.deviceView = parts.mainControl->GetDeviceView();
      if (!parts.deviceView) {
        ADD_FAILURE() << "no main control with a device view";
        return 1;
      }
      parts.Drain();
      try {
        return body(parts);
      } catch (const std::exception& exception) {
        ADD_FAILURE() << "thrown: " << exception.what();
        return 1;
      }
    });
    return runner.Run("tarsel-preset-editor");
  }
  // Runs body at the first frame and ends the editor there.
  void Inspect(const std::function<void(Live&)>& body) {
    EXPECT_EQ(Run([&](Live& editor) -> std::optional<int> {
                body(editor);
                return 0;
              }),
              0);
  }
  // The titles and texts of the message boxes shown, as "title: text".
  std::vector<std::string> Boxes() const {
    std::vector<std::string> shown;
    for (const auto& [title, text] : mSystem.GetShownMessageBoxes()) shown.push_back(title + ": " + text);
    return shown;
  }

  // Changes the program's engine parts before the start (no device link, say).
  std::function<void(LApplication::EngineParts&)> mAdjustParts;
  RCPtr<Platform::LLoopbackMidiSystem> mMidi = Platform::LLoopbackMidiSystem::Create();
  Platform::HeadlessWindowSystem mSystem;
  std::shared_ptr<ScriptedFileChooser> mChooser = std::make_shared<ScriptedFileChooser>();
  std::shared_ptr<RecordingDocumentOpener> mOpener = std::make_shared<RecordingDocumentOpener>();
};

}  // namespace HV::Test
