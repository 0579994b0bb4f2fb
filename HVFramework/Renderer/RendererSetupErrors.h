#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

// Where a renderer that cannot be set up tells the user why before it gives
// up (throws). It names the failure by the ID of a framework string, such as
// "GL_ERROR_MESSAGE_SET_PIXEL_FORMAT"; the sink turns that into a message
// box. The application installs the sink at start-up (it has the string
// table and the desktop's message boxes); without one nothing is shown.
// User-interface thread only.
class IRendererSetupErrorSink {
 public:
  virtual ~IRendererSetupErrorSink() = default;
  virtual void ShowRendererSetupError(const StringW& messageId) = 0;
};

// Not owned; null removes the sink.
void SetRendererSetupErrorSink(IRendererSetupErrorSink* sink);
IRendererSetupErrorSink* GetRendererSetupErrorSink();
// Shows messageId through the installed sink, if any.
void ReportRendererSetupError(const WChar* messageId);

}  // namespace HV
