#pragma once

// The process-wide report of exceptions caught at run time. Where the
// framework hands work to a client (a notification delivery, a window event)
// it catches what the client throws and calls ReportCurrentException, so one
// faulty handler loses one action, not the program and the person's work.
// Any thread.

#include "HVFramework/System/IRuntimeFaultSink.h"

#include <memory>
#include <string_view>

namespace HV {

// Installs the sink (null: none) and answers the one it replaces. Shared: a
// report running on another thread keeps its sink alive to the end.
std::shared_ptr<IRuntimeFaultSink> SetRuntimeFaultSink(std::shared_ptr<IRuntimeFaultSink> sink);
std::shared_ptr<IRuntimeFaultSink> GetRuntimeFaultSink();

// Inside a catch block only: traces "Runtime fault in <where> : <what>" and
// hands the exception's text to the sink.
void ReportCurrentException(std::string_view where);

}  // namespace HV
