#include "HVFramework/Application/ApplicationRunner.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LEmbeddedXmlResources.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LanguageIds.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/Core/TerminationSignals.h"
#include "HVFramework/Platform/UI/SingleInstance.h"
#include "HVFramework/System/DebugTrace.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace HV {
namespace {

constexpr const char* kPhaseNames[] = {
    "ParseOptions",      "OpenWindowSystem",   "LoadResources",    "SingleInstance",
    "CreateApplication", "ApplicationStartup", "CreateMainWindow", "ShowMainWindow",
    "FirstFrame",        "MainLoop",           "Shutdown",
};
static_assert(std::size(kPhaseNames) == static_cast<size_t>(ApplicationRunner::Phase::Shutdown) + 1);


// Stateless: the factory reads the program's embedded documents through it
// for as long as the program runs.
const IXmlResourceSource& EmbeddedResources() {
  static const LEmbeddedXmlResources resources;
  return resources;
}

}  // namespace

const char* ApplicationRunner::GetPhaseName(Phase phase) { return kPhaseNames[static_cast<size_t>(phase)]; }

ApplicationRunner::ApplicationRunner(Program program, Options options)
    : mProgram(std::move(program)), mOptions(std::move(options)) {}

ApplicationRunner::~ApplicationRunner() = default;

void ApplicationRunner::Enter(Phase phase) {
  if (mObserver) mObserver(phase);
}

std::unique_ptr<LControlFactory> ApplicationRunner::LoadControlFactory(const Program& program, int32_t languageId,
                                                                       const IXmlResourceSource* resources) {
  auto factory = std::make_unique<LControlFactory>(program.identity.applicationName);
  factory->SetResourceSource(resources ? resources : &EmbeddedResources());
  factory->SetBaseLocation(StringW(u"::"));
  if (Failed(factory->LoadDocuments(program.applicationStrings, program.frameworkStrings, languageId,
                                    program.skins)) ||
      factory->GetSkins().GetCount() == 0)
    return nullptr;
  return factory;
}

int ApplicationRunner::Run(const std::string& commandLine) {
  Enter(Phase::ParseOptions);
  (mOptions.trace ? *mOptions.trace : DebugTrace::Get()).ApplyCommandLine(commandLine);

  Enter(Phase::OpenWindowSystem);
  std::string error = "no window system";
  std::unique_ptr<Platform::IWindowSystem> system =
      mProgram.openWindowSystem ? mProgram.openWindowSystem(error) : nullptr;
  if (!system) {
    // Without a display no box can say it: the words go to the terminal.
    std::fprintf(mOptions.errorStream, "%s: %s\n", ToUtf8(mProgram.identity.applicationName).c_str(), error.c_str());
    return 1;
  }
  return RunOnWindowSystem(*system, commandLine);
}

int ApplicationRunner::RunOnWindowSystem(Platform::IWindowSystem& system, const std::string& commandLine) {
  OSWindowDispatcher dispatcher(system);

  Enter(Phase::LoadResources);
  const int32_t languageId = mOptions.languageId >= 0 ? mOptions.languageId : GetUserDefaultLanguageId();
  std::unique_ptr<LControlFactory> factory = LoadControlFactory(mProgram, languageId, mOptions.resources);
  if (!factory) {
    // The framework's texts count only once everything loaded: the built-in ones say it.
    LFrameworkApp::ShowStartupError(system, nullptr);
    return 0;
  }
  const RCPtr<LStringTable> frameworkStrings = factory->GetFrameworkStringTable();

  Enter(Phase::SingleInstance);
  std::unique_ptr<Platform::SingleInstance> instance;
  if (mOptions.isSingleInstance) {
    const std::string folder = mOptions.instanceFolder.empty() ? Platform::GetRuntimeFolder() : mOptions.instanceFolder;
    const std::string name = mOptions.instanceName.empty()
                                 ? ToUtf8(mProgram.identity.GetApplicationKey()) + "Prevent"
                                 : mOptions.instanceName;
    instance = std::make_unique<Platform::SingleInstance>(folder, name);
    // The dispatcher outlives the listener (stopped below) and takes lines from any thread.
    const auto role = instance->Start(
        commandLine, [&dispatcher](const std::string& line) { dispatcher.ReceiveOtherInstanceCommandLine(line); });
    if (role == Platform::SingleInstance::Role::Forwarded) return 0;
  }

  Enter(Phase::CreateApplication);
  RCPtr<LApplicationBase> application;
  if (mProgram.makeApplication)
    application = mProgram.makeApplication(std::move(factory), frameworkStrings, mProgram.identity, dispatcher);
  int status = 0;
  if (!application) {
    LFrameworkApp::ShowStartupError(system, frameworkStrings);
  } else {
    // The signal's thread only posts; the request is taken on the UI
    // thread, at the loop's next idle pass (at once, as posting wakes it).
    // The loop is asked to quit as well: a dialog opened from a
    // notification runs its modal loop inside the delivery of that
    // notification, and the request waits behind it until the dialog ends.
    // The quit ends the dialog's loop; the request then comes through.
    std::optional<Platform::TerminationSignals> signals;
    if (mOptions.isEndedBySignals)
      signals.emplace([centre = GetApplicationNotificationCenter(), &dispatcher](int) {
        centre->CreateAndPostNotification(kNidAppExitReq);
        dispatcher.Quit(0);
      });
    status = RunApplication(*application, dispatcher, frameworkStrings);
    Enter(Phase::Shutdown);
    application->Close();
  }
  // No line reaches the dispatcher once it goes.
  if (instance) instance->Stop();
  return status;
}

int ApplicationRunner::RunApplication(LApplicationBase& application, OSWindowDispatcher& dispatcher,
                                      const RCPtr<LStringTable>& frameworkStrings) {
  try {
    Enter(Phase::ApplicationStartup);
    if (application.RunApplicationStartup() != S_OK) throw std::runtime_error("the application's start-up failed");
    Enter(Phase::CreateMainWindow);
    if (application.CreateMainWindow() != S_OK) throw std::runtime_error("the main window could not be made");
    Enter(Phase::ShowMainWindow);
    application.ShowMainWindow();
    Enter(Phase::FirstFrame);
    dispatcher.PaintDirtyWindows();
    if (mFirstFrameHook)
      if (const std::optional<int> status = mFirstFrameHook(application)) return *status;
  } catch (const std::exception& exception) {
    DebugTrace::Get().WriteLine(std::string("Start-up stopped: ") + exception.what());
    LFrameworkApp::ShowStartupError(dispatcher.GetWindowSystem(), frameworkStrings);
    return 0;
  } catch (...) {
    LFrameworkApp::ShowStartupError(dispatcher.GetWindowSystem(), frameworkStrings);
    return 0;
  }
  Enter(Phase::MainLoop);
  application.Run();
  return 0;
}

}  // namespace HV
