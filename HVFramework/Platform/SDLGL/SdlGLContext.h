#pragma once

#include "HVFramework/Platform/GL/GLContext.h"

#include <memory>

namespace HV::Platform {

// An OpenGL compatibility-profile context on an SDL window (GLX under X11),
// asked for double buffering. sdlWindow is the SDL_Window the window layer
// made with SDL_WINDOW_OPENGL. Null when SDL cannot make the context.
std::unique_ptr<IGLContext> CreateSdlGLContext(void* sdlWindow);

// The attributes CreateSdlGLContext needs: call before the window is made.
void PrepareSdlGLAttributes();

}  // namespace HV::Platform
