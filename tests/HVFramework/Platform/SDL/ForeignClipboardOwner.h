#pragma once

// ForeignClipboardOwner: another X client that owns the clipboard and hands
// its text over the way large-text owners do: whole when it is at most
// kPieceBytes, else announced as incremental and sent kPieceBytes at a time,
// each piece after the reader took the last, ended by an empty piece.
// It answers on a thread and connection of its own until one reader got the
// whole text, or until nobody asked for kIdleTimeout.

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace HV::Platform {

class ForeignClipboardOwner {
 public:
  static constexpr size_t kPieceBytes = 4000;
  static constexpr std::chrono::seconds kIdleTimeout{10};

  // Owns the clipboard once the constructor returns (false IsOwning() without a display).
  explicit ForeignClipboardOwner(std::string text);
  ~ForeignClipboardOwner();
  ForeignClipboardOwner(const ForeignClipboardOwner&) = delete;
  ForeignClipboardOwner& operator=(const ForeignClipboardOwner&) = delete;

  bool IsOwning() const { return mIsOwning; }
  // Waits until the owner stopped: the whole text was taken, or it gave up.
  bool WaitUntilTaken();

 private:
  void Serve();

  std::string mText;
  void* mDisplay = nullptr;
  unsigned long mWindow = 0;
  bool mIsOwning = false;
  std::atomic<bool> mIsTaken{false};
  std::thread mThread;
};

}  // namespace HV::Platform
