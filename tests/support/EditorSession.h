#pragma once

// EditorSession: the editor program as its runner starts it, on a window
// system the caller owns (the headless one in tests and benchmarks); the
// caller's body runs at the first frame with the live application and the
// main window's parts. Free of any test framework, for benchmarks too.

#include "HVFramework/Application/ApplicationRunner.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "Panel/UI/EditorProgram.h"
#include "Panel/UI/LDeviceView.h"
#include "Panel/UI/LMainControl.h"
#include "tests/support/BorrowedWindowSystem.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace HV::Test {

// What a body works with: the application and its main window's parts.
struct LiveEditor {
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

// Runs the editor with parts on system; at its first frame body looks at it
// and answers whether the program ends there (an exit status) or runs its
// loop on. failure tells what went wrong before or in the body (no main
// window, an exception); the program then ends with 1.
inline int RunEditorSession(Platform::IWindowSystem& system, LApplication::EngineParts parts,
                            const std::function<std::optional<int>(LiveEditor&)>& body, std::string& failure) {
  ApplicationRunner::Options options;
  options.isSingleInstance = false;
  options.languageId = 0x0409;
  ApplicationRunner runner(HV::Editor::MakeEditorProgram(
                               [&system](std::string&) -> std::unique_ptr<Platform::IWindowSystem> {
                                 return std::make_unique<BorrowedWindowSystem>(system);
                               },
                               std::move(parts)),
                           options);
  runner.SetFirstFrameHook([&](LApplicationBase& application) -> std::optional<int> {
    auto* editor = dynamic_cast<LApplication*>(&application);
    OSWindow* main = editor ? editor->GetMainWindow() : nullptr;
    if (!main) {
      failure = "no editor window";
      return 1;
    }
    LiveEditor live{*editor, main->GetRootWindow(), DynamicCast<LMainControl>(main->GetRootWindow()->GetRootControl()),
                    nullptr};
    if (live.mainControl) live.deviceView = live.mainControl->GetDeviceView();
    if (!live.deviceView) {
      failure = "no main control with a device view";
      return 1;
    }
    live.Drain();
    try {
      return body(live);
    } catch (const std::exception& exception) {
      failure = std::string("thrown: ") + exception.what();
      return 1;
    }
  });
  return runner.Run("tarsel-preset-editor");
}

}  // namespace HV::Test
