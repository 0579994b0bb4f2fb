#pragma once

// The gesture notifications of a value control as short texts:
// "capture true", "capture false", "key down", "key up" and, for a key-up
// without a key (the focus left), "key up (no key)".

#include "HVFramework/ControlBase/Control/LKeyParam.h"
#include "HVFramework/ObjectBase/Holder.h"
#include "tests/support/NotificationRecorder.h"

#include <string>
#include <vector>

namespace HV::Test {

inline std::vector<std::string> DescribeValueGestures(NotificationLog& log) {
  std::vector<std::string> out;
  for (const NotificationLog::Entry& entry : log.GetEntries()) {
    const RCPtr<LRefCountedObject>& payload = entry.notification->GetPayload();
    if (entry.name == "NID_VALUE_CHANGE_CAPTURE") {
      const auto* holder = dynamic_cast<const LHolder<bool>*>(payload.Get());
      out.push_back(!holder ? "capture ?" : *holder->GetValue() ? "capture true" : "capture false");
    } else if (entry.name == "NID_VALUE_CHANGE_KEY_DOWN") {
      out.push_back(dynamic_cast<const LKeyParam*>(payload.Get()) ? "key down" : "key down (no key)");
    } else if (entry.name == "NID_VALUE_CHANGE_KEY_UP") {
      out.push_back(dynamic_cast<const LKeyParam*>(payload.Get()) ? "key up" : "key up (no key)");
    }
  }
  log.Clear();
  return out;
}

}  // namespace HV::Test
