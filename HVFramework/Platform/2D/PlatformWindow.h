#pragma once

#include "HVFramework/Platform/2D/IWindowPresenter.h"

namespace HV {

// The platform's window as a renderer sees it: what shows its finished frames.
// The window layer owns it and keeps it alive while a render context names it.
struct PlatformWindow {
  RCPtr<Platform::IWindowPresenter> presenter;
};

}  // namespace HV
