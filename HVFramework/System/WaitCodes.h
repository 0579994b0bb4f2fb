#pragma once

#include "HVFramework/Platform/Core/WaitCodes.h"

// The framework's waits answer in the platform layer's terms: milliseconds,
// kInfinite, and kWaitObject0 / kWaitTimeout / kWaitFailed.
namespace HV {

using Platform::kInfinite;
using Platform::kMaximumWaitObjects;
using Platform::kWaitFailed;
using Platform::kWaitObject0;
using Platform::kWaitTimeout;

}  // namespace HV
