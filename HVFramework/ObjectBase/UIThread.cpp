#include "HVFramework/ObjectBase/UIThread.h"

#include <atomic>
#include <thread>

namespace HV {
namespace {

// A default id stands for "none recorded".
std::atomic<std::thread::id>& UIThreadId() {
  static std::atomic<std::thread::id> id;
  return id;
}

}  // namespace

void RecordUIThread() { UIThreadId().store(std::this_thread::get_id()); }

bool IsUIThread() {
  const std::thread::id self = std::this_thread::get_id();
  std::thread::id recorded = UIThreadId().load();
  if (recorded == std::thread::id()) {
    // Two threads claiming at once: one wins, the other compares with it.
    if (UIThreadId().compare_exchange_strong(recorded, self)) return true;
  }
  return recorded == self;
}

void ResetUIThread() { UIThreadId().store(std::thread::id()); }

}  // namespace HV
