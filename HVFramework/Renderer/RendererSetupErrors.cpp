#include "HVFramework/Renderer/RendererSetupErrors.h"

namespace HV {
namespace {

IRendererSetupErrorSink* gSink = nullptr;

}  // namespace

void SetRendererSetupErrorSink(IRendererSetupErrorSink* sink) { gSink = sink; }

IRendererSetupErrorSink* GetRendererSetupErrorSink() { return gSink; }

void ReportRendererSetupError(const WChar* messageId) {
  if (gSink) gSink->ShowRendererSetupError(StringW(messageId));
}

}  // namespace HV
