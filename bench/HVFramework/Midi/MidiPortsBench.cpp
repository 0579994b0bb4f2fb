// The port layer's capture path: a 1350-byte dump reassembled from its six
// 256-byte buffers, a short message made into a pooled payload, the port
// names made from a list of devices with duplicates, and a round trip through
// a loopback device (sent through a render port, echoed by the peer, captured
// and delivered to a client on the pool worker).
#include "HVFramework/Midi/LMidiCaptureNotificationData.h"
#include "HVFramework/Midi/LMidiComm.h"
#include "HVFramework/Midi/LMidiPortNames.h"
#include "HVFramework/Midi/LMidiSysExReassembler.h"
#include "HVFramework/Notification/LNotificationClient.h"
#include "HVFramework/Platform/Midi/IMidiLoopbackPeer.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

using namespace HV;

void ReassembleDump(benchmark::State& state) {
  std::vector<uint8_t> dump(1350, 0x11);
  dump.front() = 0xF0;
  dump.back() = 0xF7;
  const StringW port(u"MIDIIN4 (Tarsel)");
  LMidiSysExReassembler reassembler;
  for (auto _ : state) {
    RCPtr<LMidiCaptureNotificationData> message;
    for (size_t offset = 0; offset < dump.size(); offset += 256) {
      const size_t count = std::min<size_t>(256, dump.size() - offset);
      message = reassembler.AddPiece({dump.data() + offset, count}, 256, 0, port);
    }
    benchmark::DoNotOptimize(message.Get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(dump.size()));
}
BENCHMARK(ReassembleDump);

void ShortMessagePayload(benchmark::State& state) {
  const uint8_t note[] = {0x90, 0x3C, 0x7F};
  const StringW port(u"MIDIIN4 (Tarsel)");
  for (auto _ : state) {
    const RCPtr<LMidiCaptureNotificationData> data = LMidiCaptureNotificationData::Create(note, 0, port);
    benchmark::DoNotOptimize(data.Get());
  }
}
BENCHMARK(ShortMessagePayload);

void UniquePortNames(benchmark::State& state) {
  StringArrayW devices;
  for (const char16_t* name : {u"Tarsel", u"MIDIIN2 (Tarsel)", u"MIDIIN3 (Tarsel)", u"MIDIIN4 (Tarsel)",
                               u"Synth", u"Synth", u"Interface", u"Synth"})
    devices.AddItem(StringW(name));
  for (auto _ : state) {
    const StringArrayW ports = LMidiPortNames::MakeUniquePortNames(devices);
    benchmark::DoNotOptimize(ports.GetCount());
  }
}
BENCHMARK(UniquePortNames);

// Answers every packet with the same bytes.
class EchoPeer : public Platform::IMidiLoopbackPeer {
 public:
  void OnMidiFromEditor(Platform::LLoopbackMidiDevice& device, const Platform::MidiLoopbackPacket& packet) override {
    device.Reply(packet.bytes);
  }
};

// Counts the captured messages delivered to it.
class DeliveryCounter : public LNotificationClient {
 public:
  void ReceiveNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) override {
    {
      std::lock_guard<std::mutex> lock(mMutex);
      ++mCount;
    }
    mChanged.notify_one();
  }
  void WaitFor(uint64_t count) {
    std::unique_lock<std::mutex> lock(mMutex);
    mChanged.wait(lock, [&] { return mCount >= count; });
  }

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  uint64_t mCount = 0;
};

void CaptureRoundTrip(benchmark::State& state) {
  EchoPeer peer;
  const RCPtr<Platform::LLoopbackMidiSystem> system = Platform::LLoopbackMidiSystem::Create();
  system->AddDevice(u"Tarsel", u"Tarsel", peer);
  const RCPtr<LThreadPool> pool = LThreadPool::Create(1, 0);
  const RCPtr<LMidiComm> comm = LMidiComm::Create(system, pool);
  const RCPtr<DeliveryCounter> counter(new DeliveryCounter);
  counter->RegisterNotification(comm, LMidiCommInterface::kDataCapturedName);
  RCPtr<LMidiCapturePort> capture;
  RCPtr<LMidiRenderPort> render;
  comm->OpenCapturePort(StringW(u"Tarsel"), capture);
  comm->OpenRenderPort(StringW(u"Tarsel"), render);
  const uint8_t note[] = {0x90, 0x3C, 0x7F};
  uint64_t sent = 0;
  for (auto _ : state) {
    comm->Send(render, note);
    counter->WaitFor(++sent);
  }
}
BENCHMARK(CaptureRoundTrip)->UseRealTime();

}  // namespace
