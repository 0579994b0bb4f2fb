#include "HVFramework/ControlBase/SystemUI/LFileDialog.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/IMessageBoxService.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "tests/support/TemporaryFolder.h"

namespace HV {
namespace {

using Platform::ChildProcessResult;
using Platform::MessageBoxAnswer;
using Strings = std::vector<std::string>;

std::string Utf8(const StringW& text) { return text.ToCharString().GetText(); }
StringW Wide(const std::string& text) { return StringW(text.c_str()); }

// Answers each zenity run from a script and keeps the arguments.
class ScriptedRunner : public Platform::IChildProcessRunner {
 public:
  ChildProcessResult Run(const std::vector<std::string>& argv) override {
    calls.push_back(argv);
    ChildProcessResult result = answers.empty() ? ChildProcessResult{true, 1, ""} : answers.front();
    if (!answers.empty()) answers.pop_front();
    return result;
  }
  // The argument that starts with prefix in the last run, or "".
  std::string LastArgument(const std::string& prefix) const {
    for (const std::string& argument : calls.back())
      if (argument.rfind(prefix, 0) == 0) return argument;
    return "";
  }
  std::deque<ChildProcessResult> answers;
  std::vector<std::vector<std::string>> calls;
};

ChildProcessResult Chosen(const std::string& output) { return {true, 0, output}; }

class FileDialog : public ::testing::Test {
 protected:
  RCPtr<LFileDialog> Make(const std::string& folder) {
    return LFileDialog::Create({mSystem, 7}, mRunner, Wide(folder));
  }
  Strings Shown() const {
    Strings shown;
    for (const auto& [title, text] : mSystem.GetShownMessageBoxes()) shown.push_back(title + ": " + text);
    return shown;
  }

  Platform::HeadlessWindowSystem mSystem;
  ScriptedRunner mRunner;
};

TEST_F(FileDialog, OpenRemembersTheFolderForTheNextDialog) {
  const RCPtr<LFileDialog> dialog = Make("/home/u/Presets");
  mRunner.answers = {Chosen("/data/live/Organ.tpr\n")};
  ASSERT_EQ(dialog->Open(u"Presets|*.tpr|All|*.*|", u"tpr", u"Open preset", false), S_OK);
  EXPECT_EQ(mRunner.LastArgument("--filename="), "--filename=/home/u/Presets/");
  EXPECT_EQ(mRunner.calls.back().back(), "--file-filter=All | *.*");  // a trailing "|" adds nothing
  EXPECT_EQ(Utf8(dialog->GetFileName()), "/data/live/Organ.tpr");
  EXPECT_EQ(Utf8(dialog->GetLastFolder()), "/data/live");

  // The next dialog, a save, starts there and proposes "Untitled".
  ASSERT_NE(dialog->Save(u"Presets|*.tpr", u"tpr", u"Save preset", -1), S_OK);  // cancelled
  EXPECT_EQ(mRunner.LastArgument("--filename="), "--filename=/data/live/Untitled");
  EXPECT_EQ(Utf8(dialog->GetFileName()), "Untitled");
}

TEST_F(FileDialog, MultipleSelectionListsEveryFileOfTheLastDialogOnly) {
  const RCPtr<LFileDialog> dialog = Make("");
  mRunner.answers = {Chosen("/p/a.tpr\n/p/b.tpr\n"), Chosen("/q/c.tpr\n")};
  ASSERT_EQ(dialog->Open(u"", u"", u"", true), S_OK);
  EXPECT_EQ(Utf8(dialog->GetFileName()), "/p");  // several files: their folder
  ASSERT_EQ(dialog->GetSelectedFiles().size(), 2u);
  EXPECT_EQ(Utf8(dialog->GetSelectedFiles()[1]), "/p/b.tpr");

  ASSERT_EQ(dialog->Open(u"", u"", u"", true), S_OK);
  ASSERT_EQ(dialog->GetSelectedFiles().size(), 1u);
  EXPECT_EQ(Utf8(dialog->GetSelectedFiles()[0]), "/q/c.tpr");
  EXPECT_EQ(Utf8(dialog->GetFileName()), "/q/c.tpr");
  EXPECT_EQ(Utf8(dialog->GetLastFolder()), "/q");
}

TEST_F(FileDialog, CancelFailsQuietlyAndAMissingZenityIsReported) {
  const RCPtr<LFileDialog> dialog = Make("/start");
  mRunner.answers = {{true, 1, ""}, {false, -1, ""}};
  EXPECT_EQ(dialog->Open(u"", u"", u"", false), E_FAIL);
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(dialog->Open(u"", u"", u"", false), E_FAIL);
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_NE(Shown()[0].find("zenity"), std::string::npos);
  EXPECT_EQ(Utf8(dialog->GetLastFolder()), "/start");
}

TEST_F(FileDialog, SaveChecksTheFileNameLength) {
  struct Row {
    int32_t maximum;
    HResult result;
    bool shown;
  };
  // "Bright.tpr" is 10 characters long.
  const Row rows[] = {{0, E_INVALIDARG, false}, {-1, S_OK, false}, {10, S_OK, false}, {9, E_FAIL, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.maximum);
    Platform::HeadlessWindowSystem system;
    ScriptedRunner runner;
    runner.answers = {Chosen("/new/Bright.tpr\n")};
    const RCPtr<LFileDialog> dialog = LFileDialog::Create({system, 7}, runner, u"/old");
    EXPECT_EQ(dialog->Save(u"Presets|*.tpr", u"tpr", u"Save", row.maximum), row.result);
    EXPECT_EQ(runner.calls.size(), row.maximum == 0 ? 0u : 1u);
    EXPECT_EQ(system.GetShownMessageBoxes().size(), row.shown ? 1u : 0u);
    if (row.shown) {
      EXPECT_EQ(system.GetShownMessageBoxes()[0].first, "File Save Error");
      EXPECT_EQ(system.GetShownMessageBoxes()[0].second,
                "The file length is larger than the maximum limit of 9 characters ");
      EXPECT_EQ(Utf8(dialog->GetFileName()), "/new/Bright.tpr");  // the path stays readable
      EXPECT_EQ(Utf8(dialog->GetLastFolder()), "/old");
    }
  }
}

TEST_F(FileDialog, ACompletedNameThatExistsIsConfirmedAgain) {
  HV::Test::TemporaryFolder folder;
  std::ofstream(folder / "Dark.tpr") << "preset";
  const RCPtr<LFileDialog> dialog = Make(folder.GetPath());
  // Typed without extension: zenity could not know "Dark.tpr" exists.
  mRunner.answers = {Chosen(folder / "Dark\n"), Chosen(folder / "Dark\n"), Chosen(folder / "Dark.tpr\n"),
                     Chosen(folder / "Light\n")};
  mSystem.ScriptMessageBoxAnswer(MessageBoxAnswer::No);
  mSystem.ScriptMessageBoxAnswer(MessageBoxAnswer::Yes);
  EXPECT_EQ(dialog->Save(u"", u"tpr", u"", -1), E_FAIL);
  EXPECT_EQ(dialog->Save(u"", u"tpr", u"", -1), S_OK);
  EXPECT_EQ(Utf8(dialog->GetFileName()), folder / "Dark.tpr");
  EXPECT_EQ(Shown().size(), 2u);
  EXPECT_NE(Shown()[0].find("Dark.tpr already exists"), std::string::npos);
  // Typed in full, zenity asked already; a new name needs no question.
  EXPECT_EQ(dialog->Save(u"", u"tpr", u"", -1), S_OK);
  EXPECT_EQ(dialog->Save(u"", u"tpr", u"", -1), S_OK);
  EXPECT_EQ(Utf8(dialog->GetFileName()), folder / "Light.tpr");
  EXPECT_EQ(Shown().size(), 2u);
}

// With an application, the dialogs speak through its message boxes (drawn in
// the program's look), with the kind of box each message is; the desktop's
// plain box is left alone.
TEST_F(FileDialog, TheApplicationsMessageBoxesSpeakWhereThereAreAny) {
  struct RecordingBoxes : IMessageBoxService {
    int32_t ShowMessageBox(const StringW& text, const StringW& caption, uint32_t style) override {
      shown.push_back(Utf8(caption) + ": " + Utf8(text));
      styles.push_back(style);
      return 6;  // Yes
    }
    Strings shown;
    std::vector<uint32_t> styles;
  } boxes;
  SetApplicationMessageBoxes(&boxes);
  HV::Test::TemporaryFolder folder;
  std::ofstream(folder / "Dark.tpr") << "preset";
  const RCPtr<LFileDialog> dialog = Make(folder.GetPath());
  mRunner.answers = {Chosen(folder / "Dark\n"), Chosen(folder / "Bright.tpr\n"), {false, -1, ""}};
  EXPECT_EQ(dialog->Save(u"", u"tpr", u"", -1), S_OK);  // replacing: answered Yes
  EXPECT_EQ(dialog->Save(u"", u"tpr", u"", 5), E_FAIL);
  EXPECT_EQ(dialog->Open(u"", u"", u"", false), E_FAIL);
  SetApplicationMessageBoxes(nullptr);
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_NE(boxes.shown[0].find("Confirm Save As: Dark.tpr already exists"), std::string::npos);
  EXPECT_EQ(boxes.shown[1].rfind("File Save Error: ", 0), 0u);
  EXPECT_EQ(boxes.shown[2].rfind("File Dialog Error: ", 0), 0u);
  EXPECT_EQ(boxes.styles, (std::vector<uint32_t>{0x24, 0x10, 0x10}));
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
}  // namespace HV
