// Bytes from a MIDI input are outside input: any order of status, data,
// System Exclusive and real-time bytes may arrive, in pieces of any size,
// while headers are lent and returned. The stream must neither overrun a
// header nor hold more than its backlog; the output filter must cut only
// inside the piece it was given.
#include "HVFramework/Platform/Midi/MidiInputStream.h"
#include "HVFramework/Platform/Midi/MidiSysExFilter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace HV::Platform;

constexpr size_t kHeaders = 3;
constexpr uint32_t kHeaderBytes = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::array<std::array<uint8_t, kHeaderBytes>, kHeaders> buffers{};
  std::array<MidiHeader, kHeaders> headers;
  LMidiInputStream stream;
  LMidiInputStream::Events events;
  for (size_t i = 0; i < kHeaders; ++i) {
    headers[i].data = buffers[i].data();
    headers[i].bufferLength = kHeaderBytes;
  }
  // Each step: a control byte (the piece's length, and whether to lend the
  // returned headers again), then the piece.
  size_t at = 0;
  uint32_t time = 0;
  if (size > 0 && (data[0] & 1)) stream.Lend(headers[0], events);
  while (at < size) {
    const uint8_t control = data[at++];
    const size_t length = std::min<size_t>(control >> 2, size - at);
    stream.Feed({data + at, length}, ++time, events);
    at += length;
    std::vector<MidiHeader*> returned;
    for (const MidiEvent& event : events) {
      if (!event.header) continue;
      if (event.header->bytesRecorded > event.header->bufferLength) std::abort();
      returned.push_back(event.header);
    }
    events.clear();
    if (control & 1)
      for (MidiHeader* header : returned) stream.Lend(*header, events);
    events.clear();
    if (stream.GetBacklogSize() > LMidiInputStream::kMaxBacklog) std::abort();
    if (control & 2) stream.Stop(time, events);
    events.clear();
  }
  stream.Reset(time, events);

  LMidiSysExFilter filter;
  for (size_t piece = 0; piece < size; piece += kHeaderBytes) {
    const std::span<const uint8_t> bytes(data + piece, std::min<size_t>(kHeaderBytes, size - piece));
    for (const std::span<const uint8_t> run : filter.Cut(bytes))
      if (run.data() < bytes.data() || run.data() + run.size() > bytes.data() + bytes.size()) std::abort();
  }
  return 0;
}
