#pragma once

// DebugBuffer<C>: the stream buffer behind the debug trace's streams. It
// collects text and hands it to its flush function in pieces of at most
// kPieceLength characters: when the stream is flushed, when a piece is full,
// and when the buffer is destroyed. One thread at a time.

#include <algorithm>
#include <functional>
#include <streambuf>
#include <string>
#include <string_view>

namespace HV {

template <class C>
class DebugBuffer : public std::basic_streambuf<C> {
 public:
  using Flush = std::function<void(std::basic_string_view<C>)>;
  using Traits = typename std::basic_streambuf<C>::traits_type;
  using IntType = typename Traits::int_type;

  // Trace receivers take one piece of text at a time up to this size.
  static constexpr size_t kPieceLength = 1023;

  explicit DebugBuffer(Flush flush) : mFlush(std::move(flush)) {}
  ~DebugBuffer() override { sync(); }
  DebugBuffer(const DebugBuffer&) = delete;
  DebugBuffer& operator=(const DebugBuffer&) = delete;

 protected:
  int sync() override {
    if (!mText.empty() && mFlush) mFlush(mText);
    mText.clear();
    return 0;
  }

  std::streamsize xsputn(const C* text, std::streamsize count) override {
    std::streamsize stored = 0;
    while (stored < count) {
      if (mText.size() >= kPieceLength) sync();
      size_t room = kPieceLength - mText.size();
      size_t piece = std::min(room, static_cast<size_t>(count - stored));
      mText.append(text + stored, piece);
      stored += static_cast<std::streamsize>(piece);
    }
    return stored;
  }

  IntType overflow(IntType c) override {
    if (Traits::eq_int_type(c, Traits::eof())) return Traits::not_eof(c);
    C unit = Traits::to_char_type(c);
    xsputn(&unit, 1);
    return c;
  }

 private:
  Flush mFlush;
  std::basic_string<C> mText;
};

}  // namespace HV
