#include "HVFramework/Platform/Core/VirtualClock.h"

#include "HVFramework/Platform/Core/EventHub.h"

namespace HV::Platform {

VirtualClock::VirtualClock(uint32_t startTick) : mTick(startTick), mPrevious(InstallClock(this)) {}

VirtualClock::~VirtualClock() { InstallClock(mPrevious); }

double VirtualClock::GetSecondsSinceStart() const { return static_cast<double>(mElapsed.load()) / 1000.0; }

void VirtualClock::Advance(uint32_t milliseconds) {
  mElapsed.fetch_add(milliseconds);
  mTick.fetch_add(milliseconds);
  EventHub::Get().ClockMoved();
}

void VirtualClock::AdvanceWhenWaiting(uint32_t milliseconds) {
  EventHub::Get().WaitUntilBlocked({.timed = 1, .untimed = 0});
  Advance(milliseconds);
}

}  // namespace HV::Platform
