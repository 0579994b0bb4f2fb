#pragma once

#include "HVFramework/Platform/Core/PlatformTrace.h"

#include <mutex>
#include <string>
#include <vector>

namespace HV::Test {

// PlatformTraceRecorder: keeps the platform layer's trace lines while it
// lives (instead of standard error), then puts the previous sink back.
// Lines may come from any thread.
class PlatformTraceRecorder {
 public:
  PlatformTraceRecorder()
      : mPrevious(Platform::LPlatformTrace::SetSink([this](std::string_view line) {
          std::lock_guard lock(mMutex);
          mLines.emplace_back(line);
        })) {}
  ~PlatformTraceRecorder() { Platform::LPlatformTrace::SetSink(std::move(mPrevious)); }
  PlatformTraceRecorder(const PlatformTraceRecorder&) = delete;
  PlatformTraceRecorder& operator=(const PlatformTraceRecorder&) = delete;

  std::vector<std::string> GetLines() {
    std::lock_guard lock(mMutex);
    return mLines;
  }

 private:
  std::mutex mMutex;
  std::vector<std::string> mLines;
  Platform::LPlatformTrace::Sink mPrevious;  // last: the sink above uses the members
};

}  // namespace HV::Test
