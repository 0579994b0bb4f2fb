#pragma once

// OpenGL on the windows of an SdlWindowSystem opened for OpenGL: the GL
// attributes its windows need, and the GL-context factory the renderer's
// CreateGLContext goes through. This library links the desktop's libGL: a
// windowed program links it and never the offscreen (OSMesa) backend.

#include "HVFramework/Platform/GL/GLContext.h"
#include "HVFramework/Platform/SDL/SdlWindowSystem.h"

namespace HV::Platform {

// Sets SDL's GL attributes; call after the system opened and before its first window.
void PrepareSdlGLWindows(SdlWindowSystem& system);
// Makes an SDL GL context on the SDL window behind the platform window it is
// given (a window of system); null for anything else. The system must outlive the factory.
GLContextFactory MakeSdlGLContextFactory(SdlWindowSystem& system);

}  // namespace HV::Platform
