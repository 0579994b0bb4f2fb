#include "HVFramework/Platform/UI/ForwardedCommandLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace HV::Platform {
namespace {

std::vector<uint8_t> Message(uint32_t tag, uint32_t count, const std::string& body) {
  std::vector<uint8_t> out;
  for (uint32_t value : {tag, count})
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

TEST(ForwardedCommandLine, RoundTripsTextWithItsTerminatingZero) {
  const std::string text = "editor \"/home/u/Presets/Bright \xC3\xA9.tpr\"";
  const std::vector<uint8_t> message = EncodeForwardedCommandLine(text).value();
  EXPECT_EQ(message, Message(1125, static_cast<uint32_t>(text.size() + 1), text + '\0'));
  EXPECT_EQ(ReadForwardedCommandLine(message), text);
}

TEST(ForwardedCommandLine, RefusesMalformedMessages) {
  struct Case {
    const char* what;
    std::vector<uint8_t> message;
  };
  const Case cases[] = {
      {"empty", {}},
      {"header cut short", {0x65, 0x04, 0, 0, 3, 0}},
      {"wrong tag", Message(1124, 3, std::string("ab\0", 3))},
      {"zero count", Message(1125, 0, "")},
      {"count past the cap", Message(1125, kMaxForwardedBytes + 1, std::string(kMaxForwardedBytes + 1, 'a'))},
      {"body shorter than count", Message(1125, 10, "abc")},
      {"body longer than count", Message(1125, 2, "abcdef")},
  };
  for (const Case& c : cases) EXPECT_FALSE(ReadForwardedCommandLine(c.message)) << c.what;
}

TEST(ForwardedCommandLine, TextIsBoundedByTheCountNotByAZero) {
  // No terminating zero at all: the text still ends with the message.
  EXPECT_EQ(ReadForwardedCommandLine(Message(1125, 3, "abc")), "abc");
  // A zero inside ends the text, as it ends a command line.
  EXPECT_EQ(ReadForwardedCommandLine(Message(1125, 6, std::string("ab\0cd\0", 6))), "ab");
}

TEST(ForwardedCommandLine, IllFormedUtf8BecomesReplacementCharacters) {
  struct Case {
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"a\xFF"
       "b",
       "a\xEF\xBF\xBD"
       "b"},
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // overlong '/'
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // surrogate
      {"end\xE2\x82", "end\xEF\xBF\xBD\xEF\xBF\xBD"},            // cut sequence
      {"\xF0\x9F\x8E\xB9 keys", "\xF0\x9F\x8E\xB9 keys"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SanitizeUtf8(c.in), c.out);
    EXPECT_EQ(ReadForwardedCommandLine(Message(1125, static_cast<uint32_t>(c.in.size() + 1), c.in + '\0')),
              c.out);
  }
}

// Repeats piece up to exactly size bytes (piece divides size).
std::string Filled(const std::string& piece, size_t size) {
  std::string text;
  while (text.size() < size) text += piece;
  return text;
}

// A command line goes over whole or not at all: a cut one could name another file.
TEST(ForwardedCommandLine, ALineIsEncodedWholeUpToTheCapAndRefusedPastIt) {
  const std::string euros = Filled("\xE2\x82\xAC", kMaxForwardedText);  // 65535 = 3 x 21845
  struct Case {
    const char* what;
    std::string text;
    std::optional<std::string> read;  // none: refused
  };
  const Case cases[] = {
      {"exactly the cap", std::string(kMaxForwardedText, 'a'), std::string(kMaxForwardedText, 'a')},
      {"exactly the cap in three-byte characters", euros, euros},
      {"one byte over", std::string(kMaxForwardedText + 1, 'a'), std::nullopt},
      {"one byte over, the cap inside a character", "a" + euros, std::nullopt},
      {"bad UTF-8 at the cap", std::string(kMaxForwardedText - 1, 'a') + "\xFF",
       std::string(kMaxForwardedText - 1, 'a') + "\xEF\xBF\xBD"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<std::vector<uint8_t>> message = EncodeForwardedCommandLine(c.text);
    ASSERT_EQ(message.has_value(), c.read.has_value());
    if (!message) continue;
    EXPECT_EQ(message->size(), kForwardedHeaderBytes + c.text.size() + 1);
    EXPECT_EQ(ReadForwardedCommandLine(*message), c.read);
  }
}

// What the reader takes at the cap, from senders that need not be this program.
TEST(ForwardedCommandLine, TheReaderTakesACountUpToTheCapWithOrWithoutItsZero) {
  struct Case {
    const char* what;
    std::vector<uint8_t> message;
    std::optional<std::string> read;
  };
  const std::string full(kMaxForwardedBytes, 'a');
  const Case cases[] = {
      {"exactly the cap", Message(1125, kMaxForwardedBytes, std::string(kMaxForwardedText, 'a') + '\0'),
       std::string(kMaxForwardedText, 'a')},
      {"exactly the cap, missing zero", Message(1125, kMaxForwardedBytes, full), full},
      {"one byte over", Message(1125, kMaxForwardedBytes + 1, full + '\0'), std::nullopt},
      {"bad UTF-8 at the cap, missing zero", Message(1125, kMaxForwardedBytes, std::string(kMaxForwardedText, 'a') + "\xC3"),
       std::string(kMaxForwardedText, 'a') + "\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadForwardedCommandLine(c.message), c.read) << c.what;
}

// A stream that hands its bytes over in pieces of at most `piece` bytes, then
// ends (0) or fails (-1), and remembers how it was read.
class PiecewiseStream {
 public:
  enum class Ending { End, Error };
  PiecewiseStream(std::vector<uint8_t> bytes, size_t piece, Ending ending)
      : mBytes(std::move(bytes)), mPiece(piece), mEnding(ending) {}

  std::ptrdiff_t Receive(std::span<uint8_t> into) {
    if (mEnded) ++callsAfterTheEnd;
    const size_t count = std::min({into.size(), mPiece, mBytes.size() - mAt});
    if (count == 0) {
      mEnded = true;
      return mEnding == Ending::End ? 0 : -1;
    }
    std::copy_n(mBytes.begin() + static_cast<std::ptrdiff_t>(mAt), count, into.begin());
    mAt += count;
    return static_cast<std::ptrdiff_t>(count);
  }
  size_t Taken() const { return mAt; }

  int callsAfterTheEnd = 0;

 private:
  std::vector<uint8_t> mBytes;
  size_t mPiece;
  Ending mEnding;
  size_t mAt = 0;
  bool mEnded = false;
};

TEST(ForwardedCommandLine, ReceivingReadsTheStreamToItsEndInAnyPieces) {
  using Ending = PiecewiseStream::Ending;
  const std::vector<uint8_t> whole = EncodeForwardedCommandLine("editor --open a.tpr").value();
  std::vector<uint8_t> header(whole.begin(), whole.begin() + kForwardedHeaderBytes);
  std::vector<uint8_t> withTail = whole;
  withTail.push_back('x');
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    size_t piece;
    Ending ending;
    std::optional<std::string> read;
  };
  const Case cases[] = {
      {"at once", whole, whole.size(), Ending::End, "editor --open a.tpr"},
      {"a byte at a time", whole, 1, Ending::End, "editor --open a.tpr"},
      {"failing after the whole message", whole, 5, Ending::Error, "editor --open a.tpr"},
      {"failing after the header", header, 3, Ending::Error, std::nullopt},
      {"a byte past the count", withTail, 7, Ending::End, std::nullopt},
      {"nothing", {}, 1, Ending::End, std::nullopt},
  };
  for (const Case& c : cases) {
    PiecewiseStream stream(c.bytes, c.piece, c.ending);
    EXPECT_EQ(ReceiveForwardedCommandLine([&](std::span<uint8_t> into) { return stream.Receive(into); }), c.read)
        << c.what;
    EXPECT_EQ(stream.Taken(), c.bytes.size()) << c.what;
    EXPECT_EQ(stream.callsAfterTheEnd, 0) << c.what;
  }
}

TEST(ForwardedCommandLine, ReceivingStopsOneBytePastTheLargestMessage) {
  // A sender that never stops: the reader takes no more than tells an
  // oversized message apart, and refuses it.
  const size_t largest = kForwardedHeaderBytes + kMaxForwardedBytes;
  std::vector<uint8_t> endless = Message(1125, kMaxForwardedBytes, std::string(4 * kMaxForwardedBytes, 'a'));
  PiecewiseStream stream(endless, 4096, PiecewiseStream::Ending::End);
  EXPECT_FALSE(ReceiveForwardedCommandLine([&](std::span<uint8_t> into) { return stream.Receive(into); }));
  EXPECT_EQ(stream.Taken(), largest + 1);
}

}  // namespace
}  // namespace HV::Platform
