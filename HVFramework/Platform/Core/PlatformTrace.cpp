#include "HVFramework/Platform/Core/PlatformTrace.h"

#include "HVFramework/ObjectBase/TraceHook.h"

#include <exception>
#include <mutex>
#include <string>

namespace HV::Platform {

namespace {

struct SinkSlot {
  std::mutex mutex;
  LPlatformTrace::Sink sink;
};

SinkSlot& GetSlot() {
  static SinkSlot* const slot = new SinkSlot;  // never destroyed: threads may trace while the process ends
  return *slot;
}

}  // namespace

void LPlatformTrace::Write(std::string_view line) {
  Sink sink;
  {
    SinkSlot& slot = GetSlot();
    std::lock_guard lock(slot.mutex);
    sink = slot.sink;
  }
  if (sink) return sink(line);
  TraceLine(line);  // the debug trace once the runtime has hooked it in
}

LPlatformTrace::Sink LPlatformTrace::SetSink(Sink sink) {
  SinkSlot& slot = GetSlot();
  std::lock_guard lock(slot.mutex);
  std::swap(slot.sink, sink);
  return sink;
}

void LPlatformTrace::WriteCurrentException(std::string_view what) noexcept {
  try {
    std::string line(what);
    line += " threw and was dropped: ";
    line += CurrentExceptionText();
    Write(line);
  } catch (...) {
    // Out of memory for the line itself: nothing more can be said.
  }
}

}  // namespace HV::Platform
