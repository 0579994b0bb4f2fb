#include "HVFramework/System/EventPool.h"

namespace HV {

namespace {
constexpr uint32_t kImpossibleCount = 0x40000000u;
}

EventPool::EventPool(uint32_t count) {
  if (count >= kImpossibleCount) return;
  mHandles.reserve(count);
  mEvents.SetCount(count);
  for (uint32_t i = 0; i < count; ++i) {
    GetEvent(i) = LEvent::Create();
    mHandles.push_back(GetEvent(i)->GetHandle());
  }
}

int32_t EventPool::WaitForAny(uint32_t milliseconds) {
  const uint32_t result = Platform::EventHub::Get().WaitForAny(mHandles, milliseconds);
  if (result == kWaitFailed || result == kWaitTimeout) return -1;
  return static_cast<int32_t>(result - kWaitObject0);
}

}  // namespace HV
