#include "HVFramework/Platform/PlatformTrace.h"

#include "HVFramework/Platform/StandardError.h"

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
  std::string text(line);
  text += '\n';
  WriteToStandardError(text);
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
    try {
      throw;
    } catch (const std::exception& exception) {
      line += " threw and was dropped: ";
      line += exception.what();
    } catch (...) {
      line += " threw something that is not a std::exception and was dropped";
    }
    Write(line);
  } catch (...) {
    // Out of memory for the line itself: nothing more can be said.
  }
}

}  // namespace HV::Platform
