#include "HVFramework/Platform/UI/ClipboardState.h"

namespace HV::Platform {

ClipboardState::ClipboardState(IWindowSystem& system)
    : mSystem(system), mSeenChanges(system.GetClipboardChangeCount()) {}

void ClipboardState::Write(const std::string& text, bool ownContent) {
  mSystem.SetClipboardText(text);
  mSeenChanges = mSystem.GetClipboardChangeCount();
  ++mSequence;
  mOwn = ownContent;
}

std::string ClipboardState::ReadText() { return mSystem.GetClipboardText(); }

bool ClipboardState::HoldsOwnContent() {
  Refresh();
  return mOwn;
}

uint32_t ClipboardState::GetSequenceNumber() {
  Refresh();
  return mSequence;
}

void ClipboardState::Refresh() {
  const uint32_t changes = mSystem.GetClipboardChangeCount();
  if (changes == mSeenChanges) return;
  // Someone else wrote: the mark no longer describes what the clipboard holds.
  mSeenChanges = changes;
  ++mSequence;
  mOwn = false;
}

}  // namespace HV::Platform
