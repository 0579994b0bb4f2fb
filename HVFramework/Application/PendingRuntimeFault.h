#pragma once

#include "HVFramework/System/IRuntimeFaultSink.h"

#include <atomic>

namespace HV {

// PendingRuntimeFault: the application's runtime fault sink. A fault, on
// any thread, is only marked here; the user-interface thread's next idle
// pass takes the mark and shows one box for every fault marked until then.
class PendingRuntimeFault : public IRuntimeFaultSink {
 public:
  void OnRuntimeFault(std::string_view what) override;
  // UI thread: whether a fault was marked since the last call.
  bool TakePending() { return mIsPending.exchange(false); }

 private:
  std::atomic<bool> mIsPending{false};
};

}  // namespace HV
