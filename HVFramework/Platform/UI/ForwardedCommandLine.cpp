#include "HVFramework/Platform/UI/ForwardedCommandLine.h"

#include "HVFramework/Utilities/Storage/TextConversion.h"

#include <algorithm>

namespace HV::Platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

void PutUint32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetUint32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace

std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t at = 0;
  while (at < text.size()) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = 1 + static_cast<size_t>(Utf8TrailingBytes(lead));
    if (at + length <= text.size() && IsValidUtf8Sequence(text.data() + at, static_cast<int32_t>(length))) {
      out.append(text.substr(at, length));
      at += length;
    } else {
      out.append(kReplacement);
      ++at;
    }
  }
  return out;
}

std::optional<std::vector<uint8_t>> EncodeForwardedCommandLine(std::string_view text) {
  if (text.size() > kMaxForwardedText) return std::nullopt;
  std::vector<uint8_t> message;
  message.reserve(kForwardedHeaderBytes + text.size() + 1);
  PutUint32(message, kForwardedCommandLineTag);
  PutUint32(message, static_cast<uint32_t>(text.size() + 1));
  message.insert(message.end(), text.begin(), text.end());
  message.push_back(0);
  return message;
}

std::optional<std::string> ReadForwardedCommandLine(std::span<const uint8_t> message) {
  if (message.size() < kForwardedHeaderBytes) return std::nullopt;
  if (GetUint32(message.data()) != kForwardedCommandLineTag) return std::nullopt;
  const uint32_t count = GetUint32(message.data() + 4);
  if (count == 0 || count > kMaxForwardedBytes) return std::nullopt;
  if (message.size() != kForwardedHeaderBytes + count) return std::nullopt;
  std::string_view text(reinterpret_cast<const char*>(message.data() + kForwardedHeaderBytes), count);
  // The terminating zero belongs to the message; a zero inside ends the text early.
  text = text.substr(0, text.find('\0'));
  return SanitizeUtf8(text);
}

std::optional<std::string> ReceiveForwardedCommandLine(const ReceiveForwardedBytes& receive) {
  std::vector<uint8_t> message(kForwardedHeaderBytes + kMaxForwardedBytes + 1);
  size_t received = 0;
  while (received < message.size()) {
    const std::ptrdiff_t got = receive(std::span<uint8_t>(message).subspan(received));
    if (got <= 0) break;
    received += std::min(static_cast<size_t>(got), message.size() - received);
  }
  message.resize(received);
  return ReadForwardedCommandLine(message);
}

}  // namespace HV::Platform
