#pragma once

#include <string_view>

namespace HV {

// IRuntimeFaultSink: told of an exception the framework caught while it
// handed work to a client at run time (a notification delivered, a window
// event handled), after the exception's text was traced. The program keeps
// running; the sink decides what the person sees.
// Called on the thread the fault happened on, which may be a worker: a sink
// that shows something does so later on the user-interface thread.
class IRuntimeFaultSink {
 public:
  virtual ~IRuntimeFaultSink() = default;
  // what: the exception's text (UTF-8), or a fixed text for one that is no std::exception.
  virtual void OnRuntimeFault(std::string_view what) = 0;
};

}  // namespace HV
