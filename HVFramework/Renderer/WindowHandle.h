#pragma once

namespace HV {

// The platform layer's window behind a render context or renderer; opaque
// above the platform layer and null for a target that is no window.
struct PlatformWindow;
using WindowHandle = PlatformWindow*;

}  // namespace HV
