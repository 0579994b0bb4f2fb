#include "HVFramework/Platform/UI/ForwardedLineQueue.h"

#include "HVFramework/Platform/Core/PlatformTrace.h"

#include <utility>

namespace HV::Platform {

bool ForwardedLineQueue::Push(std::string line) {
  {
    std::lock_guard<std::mutex> hold(mLock);
    if (mLines.size() < kMaxWaitingLines) {
      mLines.push_back(std::move(line));
      return true;
    }
  }
  LPlatformTrace::Write("forwarded command line dropped: " + std::to_string(kMaxWaitingLines) +
                        " lines are already waiting");
  return false;
}

std::deque<std::string> ForwardedLineQueue::TakeAll() {
  std::lock_guard<std::mutex> hold(mLock);
  return std::exchange(mLines, {});
}

}  // namespace HV::Platform
