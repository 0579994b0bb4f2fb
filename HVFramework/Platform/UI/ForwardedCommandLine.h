#pragma once

// The message a second instance of the program sends to the running one: its
// command line as UTF-8. On the wire: tag (uint32, 1125), byte count (uint32),
// then that many bytes -- the text and its terminating zero. Both numbers are
// little-endian.
//
// The reader trusts nothing from the other process: the text is bounded by the
// byte count (never by a zero), the byte count by kMaxForwardedBytes, and bad
// UTF-8 becomes U+FFFD. A message whose tag, byte count or size is wrong is
// refused as a whole.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace HV::Platform {

inline constexpr uint32_t kForwardedCommandLineTag = 1125;
inline constexpr size_t kForwardedHeaderBytes = 8;
inline constexpr size_t kMaxForwardedBytes = 64 * 1024;

// The longest command line a message carries (the cap less the terminating zero).
inline constexpr size_t kMaxForwardedText = kMaxForwardedBytes - 1;

// The message for commandLine; nothing when the text is longer than
// kMaxForwardedText: a command line is handed over whole or not at all.
std::optional<std::vector<uint8_t>> EncodeForwardedCommandLine(std::string_view commandLine);

// The command line in message, or nothing when the message is malformed.
std::optional<std::string> ReadForwardedCommandLine(std::span<const uint8_t> message);

// Reads into the free part of its buffer: how many bytes it put there, 0 at
// the end of the stream, negative on an error (a signal's interruption is
// retried by the reader itself, not reported).
using ReceiveForwardedBytes = std::function<std::ptrdiff_t(std::span<uint8_t> into)>;

// Receives one message from a stream and reads it: receive is asked for more
// until the stream ends, fails or has sent one byte more than the largest
// message (so an oversized message is refused, not cut). A stream that fails
// part-way is read from what arrived.
std::optional<std::string> ReceiveForwardedCommandLine(const ReceiveForwardedBytes& receive);

// text with every ill-formed UTF-8 sequence replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view text);

}  // namespace HV::Platform
