#pragma once

#include "HVFramework/Midi/LMidiCapturePort.h"
#include "HVFramework/Midi/LMidiCommInterface.h"
#include "HVFramework/Midi/LMidiPortNames.h"
#include "HVFramework/Midi/LMidiRenderPort.h"
#include "HVFramework/Platform/Midi/IMidiCallback.h"
#include "HVFramework/Platform/Midi/IMidiSystem.h"
#include "HVFramework/System/LThreadPool.h"
#include "HVFramework/System/LThreadWorker.h"
#include "HVFramework/System/Mutex.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "HVFramework/Utilities/Storage/StringArrayT.h"

#include <atomic>
#include <cstdint>
#include <span>

namespace HV {

// LMidiComm: the MIDI port layer over the platform's MIDI devices. Lists the
// devices under unique port names, opens capture and render ports by name
// (a second open of a name shares the open port), sends through render
// ports, and receives for every open capture port.
//
// Threads: the device layer reports on its own thread; that report only
// takes the port layer's lock, finds the port and hands each captured
// message to a thread-pool worker, which publishes it (LMidiCommInterface).
// The lock guards the port lists and every report; no client code runs
// under it. Ports hold the port layer, so it outlives every open device.
class LMidiComm : public LMidiCommInterface, public LThreadWorker, private Platform::IMidiCallback {
 public:
  static constexpr uint32_t kDefaultSendTimeout = 10000;  // milliseconds

  // Over the process's MIDI system when none is given; delivers on a
  // process-wide pool of one thread (so messages keep their order) when no
  // pool is given.
  static RCPtr<LMidiComm> Create(const RCPtr<Platform::IMidiSystem>& system = nullptr,
                                 const RCPtr<LThreadPool>& pool = nullptr);
  ~LMidiComm() override;
  LMidiComm(const LMidiComm&) = delete;
  LMidiComm& operator=(const LMidiComm&) = delete;

  // The device names, in device order, and the port names made of them.
  StringArrayW GetInputDeviceNames();
  StringArrayW GetOutputDeviceNames();
  StringArrayW GetCapturePortNames() { return LMidiPortNames::MakeUniquePortNames(GetInputDeviceNames()); }
  StringArrayW GetRenderPortNames() { return LMidiPortNames::MakeUniquePortNames(GetOutputDeviceNames()); }

  HResult OpenCapturePort(const StringW& name, RCPtr<LMidiCapturePort>& port) override;
  HResult OpenRenderPort(const StringW& name, RCPtr<LMidiRenderPort>& port) override;
  int32_t SendBuffer(const RCPtr<LMidiRenderPort>& port, const IBuffer& buffer) override;
  int32_t SendBytes(const RCPtr<LMidiRenderPort>& port, const Array<signed char>& bytes) override;
  int32_t Send(const RCPtr<LMidiRenderPort>& port, std::span<const uint8_t> bytes);

  // How long a send waits for a long message to be done (tests shorten it).
  void SetSendTimeout(uint32_t milliseconds) { mSendTimeout.store(milliseconds); }

  // Ports open now (diagnostics and tests).
  uint32_t GetOpenCapturePortCount();
  uint32_t GetOpenRenderPortCount();

  // The pool worker's run: publishes one captured message.
  int32_t DoWork(RCPtr<LRefCountedObject>& parameters) override;

 protected:
  LMidiComm(const RCPtr<Platform::IMidiSystem>& system, const RCPtr<LThreadPool>& pool);

 private:
  friend class LMidiCapturePort;
  friend class LMidiRenderPort;

  template <class Port>
  using PortList = RCPtrArray<Port, 1, 0>;

  template <class Port>
  HResult OpenPort(PortList<Port>& list, const StringArrayW& listed, const StringW& name, RCPtr<Port>& port);
  template <class Port>
  static int32_t FindPort(PortList<Port>& list, const StringW& name);
  template <class Port>
  HResult Forget(PortList<Port>& list, Port& port);

  // Ports leave the lists here at their last outside release; E_FAIL when
  // someone took the port again meanwhile.
  HResult ForgetPort(LMidiCapturePort& port);
  HResult ForgetPort(LMidiRenderPort& port);
  // Queues one captured message for delivery (under the lock).
  void HandOn(const RCPtr<LMidiCaptureNotificationData>& data);
  Platform::IMidiSystem& GetSystem() const { return *mSystem; }

  void OnMidiInput(Platform::MidiInHandle handle, const Platform::MidiEvent& event) override;
  void OnMidiOutput(Platform::MidiOutHandle handle, const Platform::MidiEvent& event) override;

  static const RCPtr<LThreadPool>& GetDeliveryPool();

  const RCPtr<Platform::IMidiSystem> mSystem;
  const RCPtr<LThreadPool> mPool;
  std::atomic<uint32_t> mSendTimeout{kDefaultSendTimeout};
  Mutex mMutex;
  PortList<LMidiCapturePort> mCapturePorts;
  PortList<LMidiRenderPort> mRenderPorts;
};

}  // namespace HV
