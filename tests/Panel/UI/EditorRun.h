#pragma once

// EditorRun: the editor as the program's runner starts it, on the headless
// window system, with a scripted file chooser (the answers zenity would
// give) and a recording document opener; the test's body runs at the first
// frame with the live application, and the main window's parts it uses.

#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "tests/support/EditorSession.h"
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

 public:
  using Live = LiveEditor;

 protected:
  // Runs the editor; at its first frame body looks at it and answers whether
  // the program ends there (an exit status) or runs its loop on.
  int Run(const std::function<std::optional<int>(Live&)>& body) {
    LApplication::EngineParts parts = LApplication::EngineParts::Program();
    parts.fileChooser = mChooser;
    parts.documentOpener = mOpener;
    if (mAdjustParts) mAdjustParts(parts);
    std::string failure;
    const int status = RunEditorSession(mSessionSystem ? *mSessionSystem : mSystem, std::move(parts), body, failure);
    if (!failure.empty()) ADD_FAILURE() << failure;
    return status;
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
  // What the editor runs on, when not mSystem itself: one that hands its calls to mSystem.
  Platform::IWindowSystem* mSessionSystem = nullptr;
  std::shared_ptr<ScriptedFileChooser> mChooser = std::make_shared<ScriptedFileChooser>();
  std::shared_ptr<RecordingDocumentOpener> mOpener = std::make_shared<RecordingDocumentOpener>();
};

}  // namespace HV::Test
