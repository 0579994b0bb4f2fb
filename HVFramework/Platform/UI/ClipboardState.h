#pragma once

// ClipboardState: the program's view of the desktop clipboard. The desktop
// keeps only text; that the clipboard holds content of the program's own
// kinds (which stays inside the program) is a mark kept here, in-process,
// and it lasts until anyone else changes the clipboard. The sequence number
// moves on with every change, the program's own or another's, so a reader
// knows when its cached content is out of date.
//
// Threads: UI thread, like the window system it reads.

#include <cstdint>
#include <string>

#include "HVFramework/Platform/UI/IWindowSystem.h"

namespace HV::Platform {

class ClipboardState {
 public:
  explicit ClipboardState(IWindowSystem& system);

  // Puts text on the clipboard; ownContent marks it as the program's own.
  void Write(const std::string& text, bool ownContent);
  std::string ReadText();
  // True while the clipboard still holds what the program wrote with the mark.
  bool HoldsOwnContent();
  uint32_t GetSequenceNumber();

 private:
  void Refresh();

  IWindowSystem& mSystem;
  uint32_t mSeenChanges;
  uint32_t mSequence = 0;
  bool mOwn = false;
};

}  // namespace HV::Platform
