#pragma once

// IDocumentOpener: opens a document with the program the desktop keeps for
// its kind (the user guide's PDF with the PDF reader, say).
//
// Threads: the user-interface thread; Open returns at once and the opened
// program runs on its own, outliving the call.

#include <string>

namespace HV::Platform {

class IDocumentOpener {
 public:
  virtual ~IDocumentOpener() = default;
  // True when the desktop's opener was started for path (UTF-8); false when
  // the file does not exist or no opener could be started.
  virtual bool Open(const std::string& path) = 0;
};

}  // namespace HV::Platform
