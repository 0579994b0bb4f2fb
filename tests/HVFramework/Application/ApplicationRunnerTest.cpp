// The runner of a program's life on the headless window system: the order of
// its phases, the roads that end in the start-up error box, the debug
// option, the missing display, the second instance and the way out.
#include "HVFramework/Application/ApplicationRunner.h"

#include "HVFramework/Platform/UI/SingleInstance.h"
#include "HVFramework/System/DebugTrace.h"
#include "tests/HVFramework/Application/ApplicationFixture.h"
#include "tests/support/BorrowedWindowSystem.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <stdexcept>
#include <string>
#include <vector>

namespace HV::Test {
namespace {

using Phase = ApplicationRunner::Phase;
using Box = std::pair<std::string, std::string>;

const Box kBuiltInStartupError{"Error", "The application encountered problems during startup and will now close."};
const Box kTableStartupError{"Tarsel", "Start-up failed."};

class ApplicationRunnerTest : public ApplicationFixture {
 public:
  // A runner over the test's window system, recording its phases.
  std::unique_ptr<ApplicationRunner> MakeRunner(ApplicationRunner::Program program = {}) {
    if (!program.makeApplication) program = Program();
    program.openWindowSystem = [this](std::string&) -> std::unique_ptr<Platform::IWindowSystem> {
      return std::make_unique<BorrowedWindowSystem>(system);
    };
    ApplicationRunner::Options options;
    options.instanceFolder = instances.GetPath();
    options.resources = &resources;
    options.languageId = 0x0409;
    auto runner = std::make_unique<ApplicationRunner>(std::move(program), options);
    runner->SetPhaseObserver([this](Phase phase) { phases.push_back(phase); });
    return runner;
  }
  std::vector<Phase> PhasesUpTo(Phase last) const {
    std::vector<Phase> upTo;
    for (int phase = 0; phase <= static_cast<int>(last); ++phase) upTo.push_back(static_cast<Phase>(phase));
    return upTo;
  }

  TemporaryFolder instances;
  std::vector<Phase> phases;
};

// The listener of the running instance is a thread of its own.
class ApplicationRunnerThreads : public ApplicationRunnerTest {};

TEST_F(ApplicationRunnerTest, APlainRunGoesThroughEveryPhaseInOrderAndKeepsThePlacement) {
  const std::unique_ptr<ApplicationRunner> runner = MakeRunner();
  runner->SetFirstFrameHook([this](LApplicationBase& application) -> std::optional<int> {
    EXPECT_EQ(phases.back(), Phase::FirstFrame);
    EXPECT_TRUE(system.IsWindowVisible(application.GetMainWindow()->GetWindowId()));
    Platform::WindowEvent close;
    close.kind = Platform::WindowEventKind::Close;
    close.window = application.GetMainWindow()->GetWindowId();
    system.Script(close);
    return std::nullopt;
  });

  EXPECT_EQ(runner->Run("editor"), 0);

  EXPECT_EQ(phases, PhasesUpTo(Phase::Shutdown));
  EXPECT_TRUE(system.GetShownMessageBoxes().empty());
  EXPECT_TRUE(std::filesystem::is_regular_file(PlacementFile()));
  // Closed, the application holds nothing that keeps it alive.
  app = nullptr;
  EXPECT_EQ(LFrameworkApp::GetInstance(), nullptr);
}

TEST_F(ApplicationRunnerTest, AFirstFrameHookCanEndTheProgramWithItsStatus) {
  const std::unique_ptr<ApplicationRunner> runner = MakeRunner();
  runner->SetFirstFrameHook([](LApplicationBase&) -> std::optional<int> { return 3; });
  EXPECT_EQ(runner->Run("editor --screenshot"), 3);
  EXPECT_EQ(phases.back(), Phase::Shutdown);
  EXPECT_EQ(std::count(phases.begin(), phases.end(), Phase::MainLoop), 0);
}

// Each road out of start-up shows one box and ends the program with 0. The
// framework's texts count only once every document loaded.
TEST_F(ApplicationRunnerTest, StartUpFailuresShowOneStartupErrorBoxAndExitWithZero) {
  struct Row {
    const char* what;
    std::function<void(ApplicationRunnerTest&)> breakIt;
    Phase lastPhase;
    Box box;
  } const rows[] = {
      {"no skin", [](ApplicationRunnerTest& t) { t.resources.Add("APP_SKINS", ""); }, Phase::LoadResources,
       kBuiltInStartupError},
      {"a malformed skin",
       [](ApplicationRunnerTest& t) { t.resources.Add("APP_SKINS", SkinDocument().substr(0, 120)); },
       Phase::LoadResources, kBuiltInStartupError},
      {"a skin without skins",
       [](ApplicationRunnerTest& t) {
         t.resources.Add("APP_SKINS", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_Skin_Definitions>"
                                      "<Application Name=\"App\"><Skins/></Application></Halvern_Skin_Definitions>");
       },
       Phase::LoadResources, kBuiltInStartupError},
      {"a start-up that fails",
       [](ApplicationRunnerTest& t) {
         t.onMade = [](TestApplication& made) { made.onStartup = [] { return HResult(E_FAIL); }; };
       },
       Phase::ApplicationStartup, kTableStartupError},
      {"a start-up that throws",
       [](ApplicationRunnerTest& t) {
         t.onMade = [](TestApplication& made) {
           made.onStartup = []() -> HResult { throw std::runtime_error("the engine did not start"); };
         };
       },
       Phase::ApplicationStartup, kTableStartupError},
      {"no main control",
       [](ApplicationRunnerTest& t) {
         t.resources.Add("APP_SKINS", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_Skin_Definitions>"
                                      "<Application Name=\"App\"><Skins><Skin Name=\"Main\"><SubControl "
                                      "Class=\"Framework.Panel\" Name=\"other\"/></Skin></Skins></Application>"
                                      "</Halvern_Skin_Definitions>");
       },
       Phase::CreateMainWindow, kTableStartupError},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    onMade = nullptr;
    phases.clear();
    const size_t boxesBefore = system.GetShownMessageBoxes().size();
    row.breakIt(*this);
    const std::unique_ptr<ApplicationRunner> runner = MakeRunner();
    // A program that got as far as its first frame ends there, telling so.
    runner->SetFirstFrameHook([](LApplicationBase&) -> std::optional<int> { return 99; });

    EXPECT_EQ(runner->Run("editor"), 0);

    ASSERT_EQ(system.GetShownMessageBoxes().size(), boxesBefore + 1);
    EXPECT_EQ(system.GetShownMessageBoxes().back(), row.box);
    const bool hasStarted = row.lastPhase > Phase::LoadResources;
    std::vector<Phase> expected = PhasesUpTo(row.lastPhase);
    if (hasStarted) expected.push_back(Phase::Shutdown);
    EXPECT_EQ(phases, expected);
    app = nullptr;
    EXPECT_EQ(LFrameworkApp::GetInstance(), nullptr);
  }
}

TEST_F(ApplicationRunnerTest, WithoutADisplayTheReasonGoesToStandardErrorAndTheStatusIsOne) {
  char* text = nullptr;
  size_t size = 0;
  std::FILE* errors = open_memstream(&text, &size);
  ApplicationRunner::Program program = Program();
  program.openWindowSystem = [](std::string& error) -> std::unique_ptr<Platform::IWindowSystem> {
    error = "no display found";
    return nullptr;
  };
  ApplicationRunner::Options options;
  options.errorStream = errors;
  ApplicationRunner runner(std::move(program), options);
  runner.SetPhaseObserver([this](Phase phase) { phases.push_back(phase); });

  EXPECT_EQ(runner.Run("editor"), 1);

  std::fclose(errors);
  EXPECT_EQ(std::string(text, size), "App: no display found\n");
  std::free(text);
  EXPECT_EQ(phases, PhasesUpTo(Phase::OpenWindowSystem));
}

TEST_F(ApplicationRunnerTest, TheDebugConsoleOptionSetsTheTraceTarget) {
  struct Row {
    const char* commandLine;
    bool isUdp;
  } const rows[] = {
      {"editor", false},
      {"editor -debug_console:9000:localhost", true},
      {"editor -DEBUG_CONSOLE:9000", true},
      {"editor -DEBUG_CONSOLE:9", false},
      {"editor -DEBUG_CONSOLE:", false},
  };
  for (const Row& row : rows) {
    DebugTrace trace;
    ApplicationRunner::Program program = Program();
    program.openWindowSystem = [](std::string&) -> std::unique_ptr<Platform::IWindowSystem> { return nullptr; };
    ApplicationRunner::Options options;
    options.trace = &trace;
    options.errorStream = std::fopen("/dev/null", "w");
    ApplicationRunner runner(std::move(program), options);
    runner.Run(row.commandLine);
    std::fclose(options.errorStream);
    EXPECT_EQ(trace.IsSendingUdp(), row.isUdp) << row.commandLine;
  }
}

TEST_F(ApplicationRunnerThreads, ASecondStartHandsItsCommandLineToTheRunningOneAndEndsWithZero) {
  std::promise<std::string> received;
  Platform::SingleInstance running(instances.GetPath(), "Halvern_Test EditorPrevent");
  ASSERT_EQ(running.Start("editor", [&received](const std::string& line) { received.set_value(line); }),
            Platform::SingleInstance::Role::First);
  const std::unique_ptr<ApplicationRunner> runner = MakeRunner();

  EXPECT_EQ(runner->Run("editor --second \"a file.preset\""), 0);

  std::future<std::string> line = received.get_future();
  ASSERT_EQ(line.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  EXPECT_EQ(line.get(), "editor --second \"a file.preset\"");
  EXPECT_EQ(phases, PhasesUpTo(Phase::SingleInstance));
  EXPECT_TRUE(system.GetShownMessageBoxes().empty());
  running.Stop();
}

}  // namespace
}  // namespace HV::Test
