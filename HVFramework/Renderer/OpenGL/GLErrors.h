#pragma once

namespace HV {

// Reads glGetError until it answers no error: GL errors of the renderer's
// own calls are not reported further, and none is left for the next caller.
void DrainGLErrors();

}  // namespace HV
