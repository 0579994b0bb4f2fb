#include "HVFramework/System/RuntimeFaults.h"

#include "HVFramework/ObjectBase/TraceHook.h"
#include "HVFramework/System/DebugTrace.h"

#include <mutex>
#include <string>
#include <utility>

namespace HV {
namespace {

struct SinkSlot {
  std::mutex lock;
  std::shared_ptr<IRuntimeFaultSink> sink;
};

SinkSlot& GetSlot() {
  static SinkSlot slot;
  return slot;
}

}  // namespace

std::shared_ptr<IRuntimeFaultSink> SetRuntimeFaultSink(std::shared_ptr<IRuntimeFaultSink> sink) {
  SinkSlot& slot = GetSlot();
  const std::lock_guard hold(slot.lock);
  return std::exchange(slot.sink, std::move(sink));
}

std::shared_ptr<IRuntimeFaultSink> GetRuntimeFaultSink() {
  SinkSlot& slot = GetSlot();
  const std::lock_guard hold(slot.lock);
  return slot.sink;
}

void ReportCurrentException(std::string_view where) {
  const std::string what = CurrentExceptionText();
  std::string line = "Runtime fault in ";
  line.append(where).append(" : ").append(what);
  DebugTrace::Get().WriteLine(line);
  // Called with no lock held: the sink may trace or post in turn.
  if (const std::shared_ptr<IRuntimeFaultSink> sink = GetRuntimeFaultSink()) sink->OnRuntimeFault(what);
}

}  // namespace HV
