// The MIDI device layer's byte paths: a 1350-byte dump assembled into 256-byte
// input headers (in small reads, and in one read that has to wait for the
// headers to come back), the same dump's six padded pieces filtered for the wire, and
// a loopback round trip (short message out, peer answers, callback in).
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Platform/Midi/MidiInputStream.h"
#include "HVFramework/Platform/Midi/MidiSysExFilter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

using namespace HV::Platform;

std::vector<uint8_t> MakeDump() {
  std::vector<uint8_t> dump(1350, 0x11);
  dump.front() = 0xF0;
  dump.back() = 0xF7;
  return dump;
}

// Three headers of 256 bytes lent to a stream, each lent again as soon as it
// comes back (as the port layer does).
struct LendingHeaders {
  std::array<std::array<uint8_t, 256>, 3> bytes{};
  std::array<MidiHeader, 3> headers;
  LMidiInputStream stream;
  LMidiInputStream::Events events;
  LMidiInputStream::Events relent;

  LendingHeaders() {
    for (size_t i = 0; i < headers.size(); ++i) {
      headers[i].data = bytes[i].data();
      headers[i].bufferLength = 256;
      stream.Lend(headers[i], events);
    }
  }
  void Feed(std::span<const uint8_t> read) {
    events.clear();
    stream.Feed(read, 0, events);
    while (!events.empty()) {
      relent.clear();
      for (const MidiEvent& event : events) stream.Lend(*event.header, relent);
      std::swap(events, relent);
    }
  }
};

// The plain path: reads small enough that a header is always there.
void InputStreamAssemblesDump(benchmark::State& state) {
  const std::vector<uint8_t> dump = MakeDump();
  LendingHeaders input;
  for (auto _ : state) {
    for (size_t offset = 0; offset < dump.size(); offset += 64) {
      input.Feed(std::span(dump).subspan(offset, std::min<size_t>(64, dump.size() - offset)));
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * dump.size()));
}
BENCHMARK(InputStreamAssemblesDump);

// The whole dump in one read: what finds no header waits in the backlog and
// goes on as the headers come back.
void InputStreamAssemblesDumpReadInOneGo(benchmark::State& state) {
  const std::vector<uint8_t> dump = MakeDump();
  LendingHeaders input;
  for (auto _ : state) input.Feed(dump);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * dump.size()));
}
BENCHMARK(InputStreamAssemblesDumpReadInOneGo);

void SysExFilterCutsPaddedPieces(benchmark::State& state) {
  std::vector<uint8_t> padded = MakeDump();
  padded.resize(6 * 256, 0);
  LMidiSysExFilter filter;
  for (auto _ : state) {
    for (size_t offset = 0; offset < padded.size(); offset += 256) {
      benchmark::DoNotOptimize(filter.Cut(std::span(padded).subspan(offset, 256)));
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * padded.size()));
}
BENCHMARK(SysExFilterCutsPaddedPieces);

struct Echo final : IMidiLoopbackPeer, IMidiCallback {
  std::mutex mutex;
  std::condition_variable arrived;
  int count = 0;
  void OnMidiFromEditor(LLoopbackMidiDevice& device, const MidiLoopbackPacket& packet) override {
    device.Reply(packet.bytes);
  }
  void OnMidiInput(MidiInHandle, const MidiEvent&) override {
    {
      std::lock_guard lock(mutex);
      ++count;
    }
    arrived.notify_all();
  }
  void OnMidiOutput(MidiOutHandle, const MidiEvent&) override {}
};

void LoopbackRoundTrip(benchmark::State& state) {
  Echo echo;
  const auto system = LLoopbackMidiSystem::Create();
  system->AddDevice(u"In", u"Out", echo);
  const MidiInHandle input = system->OpenInput(0, echo).handle;
  const MidiOutHandle output = system->OpenOutput(0, echo).handle;
  system->StartInput(input);
  int expected = 0;
  for (auto _ : state) {
    system->SendShortMessage(output, 0x7F3C90);
    std::unique_lock lock(echo.mutex);
    ++expected;
    echo.arrived.wait(lock, [&] { return echo.count == expected; });
  }
  system->CloseInput(input);
  system->CloseOutput(output);
  system->WaitForCallbacks();
}
BENCHMARK(LoopbackRoundTrip)->UseRealTime();

}  // namespace
