#pragma once

#include "HVFramework/Application/ApplicationIdentity.h"
#include "HVFramework/Application/LApplicationBase.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/IXmlResourceSource.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace HV {

class DebugTrace;
class OSWindowDispatcher;

// ApplicationRunner: the life of a desktop program of the framework, from
// its command line to its exit status, in phases:
//   ParseOptions       "-DEBUG_CONSOLE[:port[:host]]" sets the debug trace's target
//   OpenWindowSystem   no display: the window system's error on standard
//                      error and exit status 1
//   LoadResources      a control factory with the application's and the
//                      framework's string tables and the skin
//   SingleInstance     "<application key>Prevent": a later start hands its
//                      command line to the running one and exits with 0
//   CreateApplication  the program's class, made by its maker
//   ApplicationStartup RunApplicationStartup
//   CreateMainWindow   CreateMainWindow
//   ShowMainWindow     the main window shown
//   FirstFrame         the first frame painted and presented
//   MainLoop           LFrameworkApp::Run until the exit request (which a
//                      termination signal also makes, see Options)
//   Shutdown           the application closed (RunApplicationShutdown)
// String tables or a skin that do not load, a missing main control, a
// failed start-up and any exception before the loop show one box,
// "STARTUP_ERROR" / "STARTUP_ERROR_CAPTION" of the framework string table
// (English built in when it is not loaded), and end with exit status 0.
// UI thread: the thread that calls Run.
class ApplicationRunner {
 public:
  enum class Phase {
    ParseOptions,
    OpenWindowSystem,
    LoadResources,
    SingleInstance,
    CreateApplication,
    ApplicationStartup,
    CreateMainWindow,
    ShowMainWindow,
    FirstFrame,
    MainLoop,
    Shutdown,
  };
  static const char* GetPhaseName(Phase phase);

  // The program's window system; null, with error set, when there is no display.
  using WindowSystemOpener = std::function<std::unique_ptr<Platform::IWindowSystem>(std::string& error)>;
  // The program's application class over what the runner made.
  using ApplicationMaker = std::function<RCPtr<LApplicationBase>(
      std::unique_ptr<LControlFactory> factory, const RCPtr<LStringTable>& frameworkStrings,
      const ApplicationIdentity& identity, OSWindowDispatcher& dispatcher)>;
  // Told of every phase as it begins.
  using PhaseObserver = std::function<void(Phase phase)>;
  // Called once the first frame is presented: an exit status ends the
  // program there (a screenshot run), nullopt runs the main loop.
  using FirstFrameHook = std::function<std::optional<int>(LApplicationBase& application)>;

  struct Program {
    ApplicationIdentity identity;
    // Resource names ("::NAME") of the documents the factory loads.
    StringW applicationStrings{u"::APP_STRINGS"};
    StringW frameworkStrings{u"::FRAMEWORK_STRINGS"};
    StringW skins{u"::APP_SKINS"};
    ApplicationMaker makeApplication;
    WindowSystemOpener openWindowSystem;
  };

  struct Options {
    // False: no single-instance check (tool runs, screenshots).
    bool isSingleInstance = true;
    // Where the instance's lock and socket live; empty: Platform::GetRuntimeFolder().
    std::string instanceFolder;
    // Empty: the application key followed by "Prevent".
    std::string instanceName;
    // The string tables' language (LCID); -1: the user's locale (GetUserDefaultLanguageId).
    int32_t languageId = -1;
    // The documents' source; null: the program's embedded resources.
    const IXmlResourceSource* resources = nullptr;
    // The trace "-DEBUG_CONSOLE" sets; null: the process-wide one.
    DebugTrace* trace = nullptr;
    // Where the runner's own complaints go (no display).
    std::FILE* errorStream = stderr;
    // True: SIGTERM, SIGINT and SIGHUP end the program as its exit request
    // does (windows closed in order, placement and settings written, exit
    // status 0), from the application's making to its closing. A second
    // signal of a kind ends it at once. False: the signals keep their handlers.
    bool isEndedBySignals = false;
  };

  ApplicationRunner(Program program, Options options);
  ~ApplicationRunner();
  ApplicationRunner(const ApplicationRunner&) = delete;
  ApplicationRunner& operator=(const ApplicationRunner&) = delete;

  void SetPhaseObserver(PhaseObserver observer) { mObserver = std::move(observer); }
  void SetFirstFrameHook(FirstFrameHook hook) { mFirstFrameHook = std::move(hook); }

  // The program from start to end (commandLine as the process got it, UTF-8);
  // its exit status.
  int Run(const std::string& commandLine);

  // A factory of the program's documents from resources (null: the
  // embedded ones), with its string tables in languageId; null when a
  // document does not load or holds no skin.
  static std::unique_ptr<LControlFactory> LoadControlFactory(const Program& program, int32_t languageId,
                                                             const IXmlResourceSource* resources);

 private:
  void Enter(Phase phase);
  int RunOnWindowSystem(Platform::IWindowSystem& system, const std::string& commandLine);
  // Start-up to the end of the main loop; the exit status.
  int RunApplication(LApplicationBase& application, OSWindowDispatcher& dispatcher,
                     const RCPtr<LStringTable>& frameworkStrings);

  Program mProgram;
  Options mOptions;
  PhaseObserver mObserver;
  FirstFrameHook mFirstFrameHook;
};

}  // namespace HV
