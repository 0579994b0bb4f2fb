#pragma once

#include "HVFramework/Platform/GL/GLContext.h"

#include <memory>

namespace HV::Platform {

// An OpenGL context that draws into memory (OSMesa, compatibility profile):
// the headless target of tests and offscreen drawing. Single-buffered.
// Null when OSMesa cannot make a context.
std::unique_ptr<IGLContext> CreateOSMesaGLContext();

// Makes offscreen contexts the default of CreateGLContext.
void UseOSMesaByDefault();

}  // namespace HV::Platform
