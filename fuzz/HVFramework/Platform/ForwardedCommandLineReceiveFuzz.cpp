// The running instance receives a second instance's command line over its
// socket in whatever pieces the connection delivers, ended by the sender
// closing it or by an error. The first byte picks the piece sizes, the second
// how the stream ends; the rest is what the other process sent. However the
// bytes arrive, the reader takes no more than one byte past the largest
// message, never asks again after the end, and reads what it would read from
// the same bytes arriving at once.
#include "HVFramework/Platform/UI/ForwardedCommandLine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

class PiecewiseStream {
 public:
  PiecewiseStream(std::span<const uint8_t> bytes, uint8_t pieceSeed, bool failsAtTheEnd)
      : mBytes(bytes), mSeed(pieceSeed | 1u), mFailsAtTheEnd(failsAtTheEnd) {}

  std::ptrdiff_t Receive(std::span<uint8_t> into) {
    if (mEnded || into.empty()) std::abort();
    mSeed = mSeed * 1103515245u + 12345u;
    const size_t piece = 1 + (mSeed >> 16) % 300;
    const size_t count = std::min({into.size(), piece, mBytes.size() - mAt});
    if (count == 0) {
      mEnded = true;
      return mFailsAtTheEnd ? -1 : 0;
    }
    std::memcpy(into.data(), mBytes.data() + mAt, count);
    mAt += count;
    return static_cast<std::ptrdiff_t>(count);
  }
  size_t Taken() const { return mAt; }

 private:
  std::span<const uint8_t> mBytes;
  uint32_t mSeed;
  bool mFailsAtTheEnd;
  size_t mAt = 0;
  bool mEnded = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace HV::Platform;
  if (size < 2) return 0;
  const std::span<const uint8_t> sent(data + 2, size - 2);
  PiecewiseStream stream(sent, data[0], (data[1] & 1) != 0);
  const std::optional<std::string> text =
      ReceiveForwardedCommandLine([&](std::span<uint8_t> into) { return stream.Receive(into); });

  const size_t largest = kForwardedHeaderBytes + kMaxForwardedBytes;
  if (stream.Taken() != std::min(sent.size(), largest + 1)) std::abort();
  const std::span<const uint8_t> taken = sent.first(stream.Taken());
  if (text != ReadForwardedCommandLine(taken)) std::abort();
  if (text && (text->size() > 3 * kMaxForwardedBytes || SanitizeUtf8(*text) != *text)) std::abort();
  return 0;
}
