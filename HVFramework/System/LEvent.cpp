#include "HVFramework/System/LEvent.h"

namespace HV {

using Platform::EventHub;

LEvent::LEvent() : mHandle(EventHub::Get().CreateEvent(Platform::ResetMode::Auto)) {}

RCPtr<LEvent> LEvent::Create() { return RCPtr<LEvent>(new LEvent()); }

bool LEvent::Set() { return EventHub::Get().Set(mHandle); }
bool LEvent::Reset() { return EventHub::Get().Reset(mHandle); }
uint32_t LEvent::Wait(uint32_t milliseconds) { return EventHub::Get().Wait(mHandle, milliseconds); }

}  // namespace HV
