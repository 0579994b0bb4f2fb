#pragma once

#include "HVFramework/ControlBase/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/ControlFactory/LEmbeddedXmlResources.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/ControlBase/Window/LGlobalHotKeyManager.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/System/LClipboard.h"

#include <memory>
#include <string>

namespace HV::Gallery {

// SkinDemo: the gallery's skinned window. The demo skin (the program's
// embedded "demoskin.xml" and "DemoStrings.xml") is loaded into the
// application's control factory, and its root control "mainControl" is shown
// through an OS window and its root window on the dispatcher's loop. The
// window's close box and the application's hot key Alt+F4 ask the
// application to exit ("NID_APP_EXIT_REQ"), which ends the loop; the clipboard's edit commands reach the focused
// control of the active window.
//
// Framework control classes the build does not have yet are made as plain
// controls, which draw their looks and take no part of their own in input.
// One at a time (it installs the application's factory); UI thread only.
class SkinDemo {
 public:
  static constexpr const char16_t* kRootControlName = u"mainControl";

  // Null, with error set, when the skin cannot be loaded or shown.
  static std::unique_ptr<SkinDemo> Open(OSWindowDispatcher& dispatcher, const RectT<int32_t>& rect,
                                        std::string& error);
  ~SkinDemo();
  SkinDemo(const SkinDemo&) = delete;
  SkinDemo& operator=(const SkinDemo&) = delete;

  OSWindow& GetWindow() { return *mWindow; }

 private:
  explicit SkinDemo(OSWindowDispatcher& dispatcher);
  bool Load(const RectT<int32_t>& rect, std::string& error);

  OSWindowDispatcher& mDispatcher;
  LEmbeddedXmlResources mResources;
  LControlFactory mFactory{StringW(u"Gallery")};
  RCPtr<OSWindow> mWindow;
  RCPtr<LClipboard> mClipboard;
  RCPtr<LGlobalHotKeyManager> mHotKeys;
  RCPtr<LNotificationClient> mExitListener;
};

}  // namespace HV::Gallery
