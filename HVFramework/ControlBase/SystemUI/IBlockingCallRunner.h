#pragma once

// IBlockingCallRunner: runs a call that blocks for as long as the user takes
// (a desktop chooser in a child process) without stopping the program's
// windows. The call runs on a thread of its own while the user-interface
// thread runs a modal loop: every window paints on, none takes input. Run
// returns once the call has returned. Called on the user-interface thread;
// the call must not touch windows or controls.

#include <functional>

namespace HV {

class IBlockingCallRunner {
 public:
  virtual ~IBlockingCallRunner() = default;
  virtual void RunBlockingCall(const std::function<void()>& call) = 0;
};

}  // namespace HV
