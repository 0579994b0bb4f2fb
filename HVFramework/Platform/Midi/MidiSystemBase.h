#pragma once

#include "HVFramework/Platform/Midi/IMidiSystem.h"
#include "HVFramework/Platform/Midi/MidiCallbackDispatcher.h"
#include "HVFramework/Platform/Midi/MidiInputStream.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <span>
#include <vector>

namespace HV::Platform {

// LMidiSystemBase: the part of every MIDI backend that does not depend on
// where the bytes go: handles, header bookkeeping and its result numbers,
// input assembly into the lent headers, and the callback thread. A backend
// lists its devices, connects and disconnects handles, and moves bytes.
class LMidiSystemBase : public IMidiSystem {
 public:
  MidiOpened<MidiInHandle> OpenInput(uint32_t device, IMidiCallback& callback) final;
  MidiResult GetInputStatus(MidiInHandle handle) final;
  MidiResult PrepareInputHeader(MidiInHandle handle, MidiHeader& header) final;
  MidiResult UnprepareInputHeader(MidiInHandle handle, MidiHeader& header) final;
  MidiResult AddInputBuffer(MidiInHandle handle, MidiHeader& header) final;
  MidiResult StartInput(MidiInHandle handle) final;
  MidiResult StopInput(MidiInHandle handle) final;
  MidiResult ResetInput(MidiInHandle handle) final;
  MidiResult CloseInput(MidiInHandle handle) final;

  MidiOpened<MidiOutHandle> OpenOutput(uint32_t device, IMidiCallback& callback) final;
  MidiResult GetOutputStatus(MidiOutHandle handle) final;
  MidiResult SendShortMessage(MidiOutHandle handle, uint32_t message) final;
  MidiResult PrepareOutputHeader(MidiOutHandle handle, MidiHeader& header) final;
  MidiResult UnprepareOutputHeader(MidiOutHandle handle, MidiHeader& header) final;
  MidiResult SendLongMessage(MidiOutHandle handle, MidiHeader& header) final;
  MidiResult ResetOutput(MidiOutHandle handle) final;
  MidiResult CloseOutput(MidiOutHandle handle) final;

  void WaitForCallbacks() final { mDispatcher.WaitUntilIdle(); }

  // Input bytes dropped so far because an input's backlog was full (its
  // client did not lend buffers back in time). Any thread.
  uint64_t GetDroppedInputByteCount() const { return mDroppedInputBytes.load(); }

 protected:
  LMidiSystemBase() = default;

  // Backend hooks, called with this base's lock held: they must not call
  // back into the base. A connect answers kMidiNoError or the reason.
  virtual MidiResult ConnectInput(uint32_t device, MidiInHandle handle) = 0;
  virtual void DisconnectInput(MidiInHandle handle) = 0;
  virtual bool IsInputConnected(MidiInHandle handle) = 0;
  virtual MidiResult ConnectOutput(uint32_t device, MidiOutHandle handle) = 0;
  virtual void DisconnectOutput(MidiOutHandle handle) = 0;
  virtual bool IsOutputConnected(MidiOutHandle handle) = 0;
  // One short message, 1 to 3 bytes.
  virtual MidiResult TransmitShort(MidiOutHandle handle, std::vector<uint8_t> bytes) = 0;
  // A copy of a long message. The backend reports it sent by calling
  // CompleteLongMessage(handle, ticket) later, from its own thread.
  virtual MidiResult TransmitLong(MidiOutHandle handle, uint64_t ticket, std::vector<uint8_t> bytes) = 0;

  // Bytes that arrived at an input; dropped unless the input is started.
  // While the client holds every buffer, they wait for one to come back
  // (bounded: see LMidiInputStream). Call without holding a lock that a
  // callback takes: an overflow is traced.
  void ReceiveInput(MidiInHandle handle, std::span<const uint8_t> bytes);
  // A long message went out: its header comes back through OutputDone. A
  // ticket that a reset or close already settled is ignored.
  void CompleteLongMessage(MidiOutHandle handle, uint64_t ticket);

  // The layer's own thread; backends run their work on it too. Backends
  // whose work items use their own members shut it down in their destructor.
  LMidiCallbackDispatcher& GetDispatcher() { return mDispatcher; }
  static uint64_t KeyOf(MidiInHandle handle) { return static_cast<uint64_t>(handle); }
  static uint64_t KeyOf(MidiOutHandle handle) { return static_cast<uint64_t>(handle); }

 private:
  using Clock = std::chrono::steady_clock;

  struct InputEndpoint {
    IMidiCallback* callback = nullptr;
    LMidiInputStream stream;
    bool isStarted = false;
    Clock::time_point startTime;
  };
  struct LongMessage {
    uint64_t ticket;
    MidiHeader* header;
  };
  struct OutputEndpoint {
    IMidiCallback* callback = nullptr;
    std::deque<LongMessage> inFlight;
  };

  enum class Ending { Stop, Reset };
  MidiResult EndRecording(MidiInHandle handle, Ending ending);
  InputEndpoint* Find(MidiInHandle handle);
  OutputEndpoint* Find(MidiOutHandle handle);
  MidiResult Connect(uint32_t device, MidiInHandle handle) { return ConnectInput(device, handle); }
  MidiResult Connect(uint32_t device, MidiOutHandle handle) { return ConnectOutput(device, handle); }
  bool IsConnected(MidiInHandle handle) { return IsInputConnected(handle); }
  bool IsConnected(MidiOutHandle handle) { return IsOutputConnected(handle); }
  template <class Handle, class Endpoint>
  MidiOpened<Handle> Open(std::map<Handle, Endpoint>& endpoints, uint32_t device, IMidiCallback& callback);
  template <class Handle>
  MidiResult GetStatus(Handle handle);
  template <class Handle>
  MidiResult ChangeHeader(Handle handle, MidiHeader& header, MidiResult (*change)(MidiHeader&));
  static uint32_t TimeSince(const InputEndpoint& input);
  void TraceOverflow(MidiInHandle handle);
  void PostInputEvents(MidiInHandle handle, IMidiCallback* callback, const LMidiInputStream::Events& events);
  void PostOutputDone(MidiOutHandle handle, IMidiCallback* callback, MidiHeader* header);
  static MidiResult Prepare(MidiHeader& header);
  static MidiResult Unprepare(MidiHeader& header);
  // kMidiNoError when the header may be lent to the device layer now.
  static MidiResult CheckLendable(const MidiHeader& header);

  std::mutex mMutex;
  std::map<MidiInHandle, InputEndpoint> mInputs;
  std::map<MidiOutHandle, OutputEndpoint> mOutputs;
  uint64_t mNextHandle = 1;  // one count for both kinds: keys never collide
  uint64_t mNextTicket = 1;
  std::atomic<uint64_t> mDroppedInputBytes{0};
  LMidiCallbackDispatcher mDispatcher;  // last: stops first
};

}  // namespace HV::Platform
