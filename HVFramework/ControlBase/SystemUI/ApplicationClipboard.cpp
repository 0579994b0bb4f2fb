#include "HVFramework/ControlBase/SystemUI/ApplicationClipboard.h"

namespace HV {
namespace {

RCPtr<LClipboard>& Slot() {
  static RCPtr<LClipboard> clipboard;
  return clipboard;
}

}  // namespace

const RCPtr<LClipboard>& GetApplicationClipboard() { return Slot(); }

void SetApplicationClipboard(const RCPtr<LClipboard>& clipboard) { Slot() = clipboard; }

}  // namespace HV
