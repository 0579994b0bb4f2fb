#include "HVFramework/ObjectBase/TraceHook.h"

#include <atomic>
#include <cstdio>
#include <exception>
#include <string>

namespace HV {
namespace {

void WriteToStandardError(std::string_view line) {
  const std::string whole = std::string(line) + '\n';
  std::fwrite(whole.data(), 1, whole.size(), stderr);  // stderr is unbuffered: one write
}

std::atomic<TraceLineHook> gHook{&WriteToStandardError};

std::string DescribeCurrentException() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an exception of unknown type";
  }
}

}  // namespace

void SetTraceLineHook(TraceLineHook hook) { gHook.store(hook ? hook : &WriteToStandardError); }

void TraceDroppedException(std::string_view where) noexcept {
  try {
    std::string line(where);
    line += " dropped an exception: ";
    line += std::current_exception() ? DescribeCurrentException() : std::string("none");
    gHook.load()(line);
  } catch (...) {
    // Out of memory for the line itself: nothing more can be said.
  }
}

}  // namespace HV
