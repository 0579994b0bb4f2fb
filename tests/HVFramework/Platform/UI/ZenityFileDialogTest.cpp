#include "HVFramework/Platform/UI/ZenityFileDialog.h"

#include <gtest/gtest.h>

#include <deque>

namespace HV::Platform {
namespace {

// Answers each run from a script and keeps the arguments; never starts a process.
class ScriptedRunner : public IChildProcessRunner {
 public:
  ChildProcessResult Run(const std::vector<std::string>& argv) override {
    calls.push_back(argv);
    ChildProcessResult result = answers.empty() ? ChildProcessResult{} : answers.front();
    if (!answers.empty()) answers.pop_front();
    return result;
  }
  std::deque<ChildProcessResult> answers;
  std::vector<std::vector<std::string>> calls;
};

TEST(ZenityFileDialog, BuildsArgumentsFromFilterTitleAndFolder) {
  ScriptedRunner runner;
  ZenityFileDialog dialog(runner, "/home/u/Presets");
  EXPECT_EQ(dialog.BuildArguments(false, "Presets|*.tpr|All|*.*", "Open preset", true),
            (std::vector<std::string>{"zenity", "--file-selection", "--multiple", "--separator=\n",
                                      "--title=Open preset", "--filename=/home/u/Presets/",
                                      "--file-filter=Presets | *.tpr", "--file-filter=All | *.*"}));
  EXPECT_EQ(
      dialog.BuildArguments(true, "Text|*.txt;*.text||", "", false),
      (std::vector<std::string>{"zenity", "--file-selection", "--save", "--confirm-overwrite",
                                "--filename=/home/u/Presets/Untitled", "--file-filter=Text | *.txt *.text"}));
}

TEST(ZenityFileDialog, SaveAppendsTheDefaultExtensionAndRemembersTheFolder) {
  ScriptedRunner runner;
  runner.answers = {{true, 0, "/data/a b/Bright\n"}, {true, 0, "/data/other/Dark.tpr\n"}};
  ZenityFileDialog dialog(runner, "/start");
  ASSERT_TRUE(dialog.Save("Presets|*.tpr", "tpr", "Save"));
  EXPECT_EQ(dialog.GetFileNames(), (std::vector<std::string>{"/data/a b/Bright.tpr"}));
  EXPECT_EQ(dialog.GetLastFolder(), "/data/a b");
  ASSERT_TRUE(dialog.Save("Presets|*.tpr", "tpr", "Save"));
  EXPECT_EQ(dialog.GetFileNames(), (std::vector<std::string>{"/data/other/Dark.tpr"}));
  EXPECT_EQ(runner.calls[1][5], "--filename=/data/a b/Untitled");
}

TEST(ZenityFileDialog, SaveTakesTheDefaultExtensionFromAPatternAndAddsItOnlyToANameWithoutOne) {
  struct Row {
    const char* typed;
    const char* defaultExtension;
    const char* saved;
  };
  const Row rows[] = {
      {"/p/Bright", "*.tpr", "/p/Bright.tpr"},
      {"/p/Bright", ".tpr", "/p/Bright.tpr"},
      {"/p/Bright", "*.tpr;*.bak", "/p/Bright.tpr"},
      {"/p/Bright.tpr", "*.tpr", "/p/Bright.tpr"},
      {"/p/Bright.tpr", "tpr", "/p/Bright.tpr"},
      {"/p/Bright.bak", "*.tpr", "/p/Bright.bak"},
      {"/p/Bright", "*.*", "/p/Bright"},
      {"/p/Bright", "*", "/p/Bright"},
      {"/p/Bright", "", "/p/Bright"},
      {"/p.d/Bright", "tpr", "/p.d/Bright.tpr"},  // a dot in the folder is no extension
      {"/p/.hidden", "tpr", "/p/.hidden.tpr"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.typed) + " with " + row.defaultExtension);
    ScriptedRunner runner;
    runner.answers = {{true, 0, std::string(row.typed) + "\n"}};
    ZenityFileDialog dialog(runner, "");
    ASSERT_TRUE(dialog.Save("Presets|*.tpr", row.defaultExtension, "Save"));
    EXPECT_EQ(dialog.GetFileNames(), (std::vector<std::string>{row.saved}));
    EXPECT_EQ(dialog.HasAddedExtension(), std::string(row.typed) != row.saved);
  }
}

TEST(ZenityFileDialog, OpenMultipleCancelAndMissingZenity) {
  ScriptedRunner runner;
  runner.answers = {{true, 0, "/p/a.tpr\n/p/b.tpr\n"}, {true, 1, ""}, {false, -1, ""}};
  ZenityFileDialog dialog(runner, "");
  ASSERT_TRUE(dialog.Open("", "", "", true));
  EXPECT_EQ(dialog.GetFileNames(), (std::vector<std::string>{"/p/a.tpr", "/p/b.tpr"}));
  EXPECT_FALSE(dialog.Open("", "", "", false));  // cancelled: no error to show
  EXPECT_TRUE(dialog.GetError().empty());
  EXPECT_EQ(dialog.GetLastFolder(), "/p");
  EXPECT_FALSE(dialog.Open("", "", "", false));
  EXPECT_NE(dialog.GetError().find("zenity"), std::string::npos);
}

TEST(ChildProcessRunner, RunsWithoutAShellAndReportsAMissingProgram) {
  ChildProcessRunner runner;
  const ChildProcessResult echoed = runner.Run({"printf", "%s", "a;b $(x)"});
  EXPECT_TRUE(echoed.started);
  EXPECT_EQ(echoed.exitCode, 0);
  EXPECT_EQ(echoed.output, "a;b $(x)");
  EXPECT_FALSE(runner.Run({"hv-no-such-program-here"}).started);
}

}  // namespace
}  // namespace HV::Platform
