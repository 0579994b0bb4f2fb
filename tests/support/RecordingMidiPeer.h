#pragma once

#include "HVFramework/Platform/Midi/IMidiLoopbackPeer.h"
#include "HVFramework/Platform/Midi/LoopbackMidiDevice.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace HV::Test {

// A loopback peer that keeps everything the editor sent, lets a test wait
// for it, and can answer each packet through `answer`.
class RecordingMidiPeer : public Platform::IMidiLoopbackPeer {
 public:
  using Answer = std::function<void(Platform::LLoopbackMidiDevice&, const Platform::MidiLoopbackPacket&)>;

  void OnMidiFromEditor(Platform::LLoopbackMidiDevice& device, const Platform::MidiLoopbackPacket& packet) override {
    Answer answer;
    {
      std::lock_guard lock(mMutex);
      mPackets.push_back(packet);
      mThreads.push_back(std::this_thread::get_id());
      answer = mAnswer;
    }
    mChanged.notify_all();
    if (answer) answer(device, packet);
  }

  void SetAnswer(Answer answer) {
    std::lock_guard lock(mMutex);
    mAnswer = std::move(answer);
  }

  // The first `count` packets, once that many arrived.
  std::vector<Platform::MidiLoopbackPacket> WaitForPackets(size_t count) {
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [&] { return mPackets.size() >= count; });
    return {mPackets.begin(), mPackets.begin() + static_cast<std::ptrdiff_t>(count)};
  }

  std::vector<Platform::MidiLoopbackPacket> GetPackets() {
    std::lock_guard lock(mMutex);
    return mPackets;
  }

  std::vector<std::thread::id> GetThreads() {
    std::lock_guard lock(mMutex);
    return mThreads;
  }

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  std::vector<Platform::MidiLoopbackPacket> mPackets;
  std::vector<std::thread::id> mThreads;
  Answer mAnswer;
};

}  // namespace HV::Test
