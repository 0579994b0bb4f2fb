#include "HVFramework/Platform/Core/Clock.h"

#include <atomic>
#include <ctime>

namespace HV::Platform {
namespace {

uint64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1'000'000'000u + static_cast<uint64_t>(now.tv_nsec);
}

// CLOCK_MONOTONIC never jumps with wall-clock changes; only its low 32 bits
// of milliseconds are handed out, so the count wraps like the system's does.
class MonotonicClock final : public IClock {
 public:
  uint32_t GetTickCount() const override {
    return static_cast<uint32_t>(MonotonicNanoseconds() / 1'000'000u);
  }
  double GetSecondsSinceStart() const override {
    return static_cast<double>(MonotonicNanoseconds() - mStart) / 1e9;
  }

 private:
  uint64_t mStart = MonotonicNanoseconds();
};

// Never destroyed: detached threads may still time their waits while the
// program exits.
MonotonicClock& gSystemClock = *new MonotonicClock();
std::atomic<IClock*> gClock{&gSystemClock};

}  // namespace

IClock& GetClock() { return *gClock.load(std::memory_order_acquire); }
uint32_t GetTickCount() { return GetClock().GetTickCount(); }
double GetSecondsSinceStart() { return GetClock().GetSecondsSinceStart(); }

IClock* InstallClock(IClock* clock) {
  IClock* previous = gClock.exchange(clock ? clock : &gSystemClock, std::memory_order_acq_rel);
  return previous == &gSystemClock ? nullptr : previous;
}

}  // namespace HV::Platform
