#pragma once

// The editor as a program of the framework: its identity and what the
// application runner needs to start it.

#include "HVFramework/Application/ApplicationIdentity.h"
#include "HVFramework/Application/ApplicationRunner.h"
#include "Panel/UI/LApplication.h"

#include <cstdio>

namespace HV::Editor {

// The editor's names and versions (EditorIdentity.h).
ApplicationIdentity MakeEditorIdentity();

// The editor's documents ("::APP_STRINGS", "::FRAMEWORK_STRINGS",
// "::APP_SKINS"), its identity and its application class made with parts.
// The window system is the caller's to choose.
ApplicationRunner::Program MakeEditorProgram(ApplicationRunner::WindowSystemOpener openWindowSystem,
                                             LApplication::EngineParts parts = LApplication::EngineParts::Program());

// With the environment variable TARSEL_TIMING set, a hook that prints the wall-clock
// time of the first presented frame to out ("tarsel-preset-editor: first
// frame presented at S.N") and lets the program run on, printing from then
// on each time it has handled and shown all it was given and waits for the
// next event ("tarsel-preset-editor: idle at S.N"); empty without it.
ApplicationRunner::FirstFrameHook MakeTimingHook(std::FILE* out);

}  // namespace HV::Editor
