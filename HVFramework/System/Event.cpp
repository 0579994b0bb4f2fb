#include "HVFramework/System/Event.h"

namespace HV {

using Platform::EventHub;

Event::Event(bool autoReset)
    : mHandle(EventHub::Get().CreateEvent(autoReset ? Platform::ResetMode::Auto : Platform::ResetMode::Manual)) {}

bool Event::Set() { return EventHub::Get().Set(mHandle); }
bool Event::Reset() { return EventHub::Get().Reset(mHandle); }
uint32_t Event::Wait(uint32_t milliseconds) { return EventHub::Get().Wait(mHandle, milliseconds); }

}  // namespace HV
