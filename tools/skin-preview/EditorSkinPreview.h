#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace HV {

// EditorSkinPreview: a top-level control of the editor's skin ("mainControl"
// or a dialog) built headless as the program builds it: the framework's and
// the editor's control classes registered in the factory, the skin's font as
// every control's, a window of the control's skin size drawn by the
// GDI+-style renderer, which also measures its texts. For looking at the skin
// and testing it without the program. The factory must outlive the preview;
// one preview at a time, on the user-interface thread.
class EditorSkinPreview {
 public:
  // The editor's documents from the program's resources ("::APP_STRINGS",
  // "::FRAMEWORK_STRINGS", "::APP_SKINS") in English; null, and why in
  // error, when one cannot be read.
  static std::unique_ptr<LControlFactory> LoadEditorDocuments(std::string& error);

  // What is done to the control once it is made, before it is shown: its
  // window then takes the size the control has after it.
  using Prepare = std::function<void(LControl& control)>;

  EditorSkinPreview(LControlFactory& factory, const StringW& topLevelName, const Prepare& prepare = {});
  ~EditorSkinPreview();
  EditorSkinPreview(const EditorSkinPreview&) = delete;
  EditorSkinPreview& operator=(const EditorSkinPreview&) = delete;

  bool IsBuilt() const { return mBuilt; }
  RCPtr<LControl> GetRoot() const;
  // The control at a path of names below the top-level control
  // ("viewDevice/pads"); null when a name is missing.
  RCPtr<LControl> Find(const std::string& path) const;

  // Paints what changed; the window's picture, 0xAARRGGBB by rows.
  std::vector<uint32_t> Paint();
  int32_t GetWidth() const { return mRect.width; }
  int32_t GetHeight() const { return mRect.height; }

 private:
  Platform::VirtualClock mClock{1000};
  Platform::HeadlessWindowSystem mSystem;
  OSWindowDispatcher mDispatcher{mSystem};
  bool OpenWindow(const StringW& title);
  void CloseWindow();

  RCPtr<OSWindow> mWindow;
  RectT<int32_t> mRect;
  bool mBuilt = false;
};

}  // namespace HV
