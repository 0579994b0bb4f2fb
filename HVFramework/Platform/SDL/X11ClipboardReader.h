#pragma once

// X11ClipboardReader: reads the text another X client holds as the
// clipboard, on an X connection of its own. Large texts come in pieces
// (the owner announces an incremental transfer and hands the text over one
// property at a time); the reader takes every piece, so a text of any size
// up to kMaxBytes arrives whole.
//
// Threads: one thread at a time (the user-interface thread). Each read waits
// on the connection for the owner's answers, up to kPieceTimeout for each.

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

struct SDL_Window;

namespace HV::Platform {

class X11ClipboardReader {
 public:
  static constexpr size_t kMaxBytes = size_t(64) << 20;
  static constexpr std::chrono::milliseconds kPieceTimeout{2000};

  // Null when no X display can be opened.
  static std::unique_ptr<X11ClipboardReader> Open();
  ~X11ClipboardReader();
  X11ClipboardReader(const X11ClipboardReader&) = delete;
  X11ClipboardReader& operator=(const X11ClipboardReader&) = delete;

  enum class Owner { Nobody, SameClient, OtherClient };
  // Who owns the clipboard now, told apart by the X connection that made
  // `ourWindow` (SDL's own connection answers for its clipboard itself).
  Owner FindOwner(SDL_Window* ourWindow) const;
  // The clipboard's text as UTF-8, asked of its owner: empty when the owner offers no text;
  // nothing when the owner stops answering or the text passes kMaxBytes.
  std::optional<std::string> ReadText();

 public:
  struct Connection;  // the X state, opaque to users

 private:
  explicit X11ClipboardReader(std::unique_ptr<Connection> connection);

  std::unique_ptr<Connection> mConnection;
};

}  // namespace HV::Platform
