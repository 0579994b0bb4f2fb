#pragma once

// LBusyRunner: runs one long operation (a transfer that waits seconds for a
// device) without freezing the program. The operation runs on a worker
// thread while the user-interface thread runs a modal loop: every window
// keeps painting, none takes input (the dialog that started it included),
// and the wait cursor shows. Run returns on the user-interface thread with
// the operation's result, so the caller handles it there as if the call had
// been synchronous. One operation at a time: a Run while another runs is
// refused (no result) and the operation is not started.
//
// UI thread only. The operation must not touch windows or controls; what it
// posts to notification centres wakes the loop and is handled meanwhile.

#include "HVFramework/ControlBase/SystemUI/IBlockingCallRunner.h"
#include "HVFramework/ControlBase/Control/RootWindow/IOSWindowHost.h"
#include "HVFramework/ObjectBase/ResultCodes.h"

#include <functional>
#include <optional>

namespace HV {

class LBusyRunner {
 public:
  // Swaps the cursor shown for another and answers the one before it.
  using CursorSwap = std::function<CursorHandle(CursorHandle)>;

  // calls runs the operation; cursorSwap (may be empty) shows waitCursor
  // during it. calls must outlive the runner.
  LBusyRunner(IBlockingCallRunner& calls, CursorSwap cursorSwap = {}, CursorHandle waitCursor = 0);
  LBusyRunner(const LBusyRunner&) = delete;
  LBusyRunner& operator=(const LBusyRunner&) = delete;

  bool IsBusy() const { return mIsBusy; }
  // The operation's result; none when another operation was running. What
  // the operation throws is thrown again here, on the calling thread.
  std::optional<HResult> Run(const std::function<HResult()>& operation);

 private:
  IBlockingCallRunner& mCalls;
  CursorSwap mCursorSwap;
  CursorHandle mWaitCursor;
  bool mIsBusy = false;
};

}  // namespace HV
