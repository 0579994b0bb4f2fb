#include "Panel/UI/EditorProgram.h"

#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "Panel/UI/EditorIdentity.h"

#include <cstdlib>
#include <ctime>
#include <utility>

namespace HV::Editor {

ApplicationIdentity MakeEditorIdentity() {
  return {.companyName = StringW(kCompanyName),
          .productName = StringW(kProductName),
          .productVersion = StringW(kProductVersion),
          .versionString = StringW(kSettingsVersion),
          .copyright = StringW(kCopyright),
          .applicationName = StringW(kApplicationName),
          .mainControlName = StringW(kMainControlName)};
}

ApplicationRunner::Program MakeEditorProgram(ApplicationRunner::WindowSystemOpener openWindowSystem,
                                             LApplication::EngineParts parts) {
  ApplicationRunner::Program program;
  program.identity = MakeEditorIdentity();
  program.openWindowSystem = std::move(openWindowSystem);
  program.makeApplication = [parts = std::move(parts)](std::unique_ptr<LControlFactory> factory,
                                                        const RCPtr<LStringTable>& frameworkStrings,
                                                        const ApplicationIdentity& identity,
                                                        OSWindowDispatcher& dispatcher) -> RCPtr<LApplicationBase> {
    return LApplication::Create(std::move(factory), frameworkStrings, identity, dispatcher, parts);
  };
  return program;
}

namespace {

// "tarsel-preset-editor: EVENT at S.N", S.N the wall-clock time.
void PrintTimed(std::FILE* out, const char* event) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::fprintf(out, "%s: %s at %lld.%09ld\n", kProgramName, event, static_cast<long long>(now.tv_sec), now.tv_nsec);
  std::fflush(out);
}

}  // namespace

ApplicationRunner::FirstFrameHook MakeTimingHook(std::FILE* out) {
  if (std::getenv("TARSEL_TIMING") == nullptr) return nullptr;
  return [out](LApplicationBase& application) -> std::optional<int> {
    PrintTimed(out, "first frame presented");
    application.GetDispatcher().SetIdleObserver([out] { PrintTimed(out, "idle"); });
    return std::nullopt;
  };
}

}  // namespace HV::Editor
