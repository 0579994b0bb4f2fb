#include "HVFramework/Application/LBusyRunner.h"

#include <exception>
#include <utility>

namespace HV {

LBusyRunner::LBusyRunner(IBlockingCallRunner& calls, CursorSwap cursorSwap, CursorHandle waitCursor)
    : mCalls(calls), mCursorSwap(std::move(cursorSwap)), mWaitCursor(waitCursor) {}

std::optional<HResult> LBusyRunner::Run(const std::function<HResult()>& operation) {
  if (mIsBusy) return std::nullopt;
  mIsBusy = true;
  const CursorHandle before = mCursorSwap ? mCursorSwap(mWaitCursor) : 0;
  HResult result = 0;
  std::exception_ptr thrown;
  // The worker writes both before its end, which the blocking call waits for.
  mCalls.RunBlockingCall([&] {
    try {
      result = operation();
    } catch (...) {
      thrown = std::current_exception();
    }
  });
  if (mCursorSwap) mCursorSwap(before);
  mIsBusy = false;
  if (thrown) std::rethrow_exception(thrown);
  return result;
}

}  // namespace HV
