#include "HVFramework/Application/PendingRuntimeFault.h"

namespace HV {

// The text is in the trace already; the box says the same for every fault.
void PendingRuntimeFault::OnRuntimeFault(std::string_view) { mIsPending = true; }

}  // namespace HV
