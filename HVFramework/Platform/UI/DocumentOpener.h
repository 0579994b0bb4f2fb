#pragma once

// DocumentOpener: the desktop's opener, run as the child process
// "xdg-open <path>" without a shell (a path is one argument, blanks and all).
// The UI thread does not wait for it: a thread of the opener's own waits for
// each child it started, reaps it, so none is left a zombie, and tells the
// caller's end handler whether it exited with status 0.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "HVFramework/Platform/UI/IDocumentOpener.h"

namespace HV::Platform {

class DocumentOpener final : public IDocumentOpener {
 public:
  // program is looked up on PATH.
  explicit DocumentOpener(std::string program = "xdg-open");

  bool Open(const std::string& path, EndHandler onEnded) override;
  // Blocks until every child started so far has ended, been reaped and its
  // end handler has returned.
  void WaitForStartedChildren();

 private:
  // Shared with the waiting threads, which may outlive the opener.
  struct Children {
    std::mutex lock;
    std::condition_variable ended;
    int running = 0;
  };

  // Waits for child on a thread of its own.
  void Reap(int child, EndHandler onEnded);

  std::string mProgram;
  std::shared_ptr<Children> mChildren = std::make_shared<Children>();
};

}  // namespace HV::Platform
