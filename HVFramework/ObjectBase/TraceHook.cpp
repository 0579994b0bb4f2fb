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

}  // namespace

std::string CurrentExceptionText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an exception of unknown type";
  }
}

void TraceLine(std::string_view line) noexcept {
  try {
    gHook.load()(line);
  } catch (...) {
    // A hook that fails to write has nowhere left to say so.
  }
}

void SetTraceLineHook(TraceLineHook hook) { gHook.store(hook ? hook : &WriteToStandardError); }

void TraceDroppedException(std::string_view where) noexcept {
  try {
    std::string line(where);
    line += " dropped an exception: ";
    line += std::current_exception() ? CurrentExceptionText() : std::string("none");
    TraceLine(line);
  } catch (...) {
    // Out of memory for the line itself: nothing more can be said.
  }
}

}  // namespace HV
