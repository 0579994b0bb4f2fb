#include "HVFramework/Platform/Splash/NullSplashPainter.h"

namespace HV::Platform {

RCPtr<NullSplashPainter> NullSplashPainter::Create(const RectT<int32_t>& workArea) {
  return RCPtr<NullSplashPainter>(new NullSplashPainter(workArea));
}

NullSplashPainter::NullSplashPainter(const RectT<int32_t>& workArea)
    : mWorkArea(workArea), mWake(EventHub::Get().CreateEvent(ResetMode::Auto)) {}

void NullSplashPainter::Wait(uint32_t milliseconds) { EventHub::Get().Wait(mWake, milliseconds); }

void NullSplashPainter::Wake() { EventHub::Get().Set(mWake); }

}  // namespace HV::Platform
