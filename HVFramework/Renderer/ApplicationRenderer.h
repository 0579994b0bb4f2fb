#pragma once

#include "HVFramework/Renderer/LMeasurementRenderer.h"

namespace HV {

// The renderer that fonts and text layout measure with: the application's
// renderer, so layouts match what is drawn. The application sets it at start
// (tests set their own); null until then. User-interface thread only.
void SetApplicationRenderer(const RCPtr<LMeasurementRenderer>& renderer);
const RCPtr<LMeasurementRenderer>& GetApplicationRenderer();

}  // namespace HV
