// tarsel-preset-editor: the editor program. It runs as one instance per user
// (a second start hands its command line to the running one and exits), in
// a window of the desktop's window system, drawn with the 2-D renderer.
// SIGTERM, SIGINT and SIGHUP end it as File > Exit does.
//
// TARSEL_MIDI=simulated gives it the simulated keyboard instead of the MIDI
// devices of the machine, and with TARSEL_SIMULATED_LOG naming a file, it
// writes there at its end what that keyboard received and answered; with
// TARSEL_TIMING set it prints the wall-clock time of its first presented
// frame on standard output, and of each moment it goes idle after that.

#include "HVFramework/Application/ApplicationRunner.h"
#include "HVFramework/Platform/Core/CommandLine.h"
#include "HVFramework/Platform/SDL/SdlWindowSystem.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardLog.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"
#include "Panel/UI/EditorProgram.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

int main() {
  using namespace HV;
  Simulated::SimulatedKeyboard& keyboard = Simulated::RegisterSimulatedKeyboard();
  ApplicationRunner::Options options;
  options.isEndedBySignals = true;
  ApplicationRunner runner(
      Editor::MakeEditorProgram([](std::string& error) -> std::unique_ptr<Platform::IWindowSystem> {
        return Platform::SdlWindowSystem::Open({}, error);
      }),
      options);
  runner.SetFirstFrameHook(Editor::MakeTimingHook(stdout));
  const int status = runner.Run(Platform::GetProcessCommandLine());
  if (const char* logFile = std::getenv("TARSEL_SIMULATED_LOG"); logFile && *logFile)
    std::ofstream(logFile) << Simulated::FormatKeyboardLog(keyboard.GetLog());
  return status;
}
