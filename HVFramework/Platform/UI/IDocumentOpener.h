#pragma once

// IDocumentOpener: opens a document with the program the desktop keeps for
// its kind (the user guide's PDF with the PDF reader, say).
//
// Threads: Open on the user-interface thread; it returns at once and the
// opener runs on its own, outliving the call. How the opener ended is told
// on a thread of the opener's own: the caller hands it on to its UI thread.

#include <functional>
#include <string>

namespace HV::Platform {

class IDocumentOpener {
 public:
  // Whether the desktop's opener took the document: false when it ended
  // with a failure (no program for the document's kind, say).
  using EndHandler = std::function<void(bool isOpened)>;

  virtual ~IDocumentOpener() = default;
  // True when the desktop's opener was started for path (UTF-8); onEnded
  // (when given) is then called once, when it has ended. False, and onEnded
  // never called, when the file does not exist or no opener could be started.
  virtual bool Open(const std::string& path, EndHandler onEnded) = 0;
};

}  // namespace HV::Platform
