#pragma once

#include "HVFramework/Midi/LIMidiFilterByIncludePrefixList.h"
#include "HVFramework/Midi/LMidiCaptureNotificationData.h"
#include "HVFramework/Midi/MidiNotificationNames.h"
#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationQueue.h"
#include "HVFramework/System/Mutex.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/IBuffer.h"

namespace HV {

class LMidiCapturePort;
class LMidiRenderPort;

// LMidiCommInterface: what the editor sees of the MIDI port layer. Opens
// input (capture) and output (render) ports by name, sends through render
// ports, and publishes every captured message as "NID_MIDI_DATA_CAPTURED"
// (payload LMidiCaptureNotificationData) to the clients registered for it at
// this distributor, skipping those whose filter rejects the message.
// Deliveries arrive on a worker thread; the rest may be called on any thread.
class LMidiCommInterface : public LNotificationDistributor {
 public:
  // A client's filter. The client is a key only: it is not held, so a
  // client with a filter removes it (SetFilter with none) before it goes.
  // The client comes first: the entry's first word is its key.
  struct MidiFilterEntry {
    const LNotificationClient* client = nullptr;
    RCPtr<LIMidiFilterByIncludePrefixList> filter;
  };

  static constexpr const NotificationName& kDataCapturedName = kNidMidiDataCaptured;

  // 0 and the port; E_INVALIDARG when the name is ambiguous; E_FAIL when no
  // port could be opened. port is cleared first.
  virtual HResult OpenCapturePort(const StringW& name, RCPtr<LMidiCapturePort>& port) = 0;
  virtual HResult OpenRenderPort(const StringW& name, RCPtr<LMidiRenderPort>& port) = 0;
  // The number of bytes sent, E_INVALIDARG for no port or no bytes, E_FAIL
  // when the device refused them or did not finish in time.
  virtual int32_t SendBuffer(const RCPtr<LMidiRenderPort>& port, const IBuffer& buffer) = 0;
  virtual int32_t SendBytes(const RCPtr<LMidiRenderPort>& port, const Array<signed char>& bytes) = 0;

  // The client a filter entry belongs to (its first word): the key the
  // filter list is searched by.
  virtual const LNotificationClient* GetFilterEntryClient(const MidiFilterEntry& entry) const {
    return entry.client;
  }

  // A copy of the client's filter, or null.
  virtual RCPtr<LIMidiFilterByIncludePrefixList> GetFilter(const LNotificationClient* client);
  // Stores a copy of the filter for the client (replacing one it had); no
  // filter removes the client's entry. 0.
  virtual HResult SetFilter(const LNotificationClient* client, const LIMidiFilterByIncludePrefixList* filter);
  // Publishes one captured message: into the attached queue first (if any),
  // then to the registered clients, the last registered first.
  virtual void DeliverCapturedData(const RCPtr<LMidiCaptureNotificationData>& data);

  // Captured messages are also posted into this queue (null: none).
  void SetNotificationQueue(const RCPtr<LNotificationQueue>& queue);

 protected:
  LMidiCommInterface() = default;

 private:
  int32_t FindFilter(const LNotificationClient* client);
  bool Passes(const LNotificationClient* client, std::span<const uint8_t> message);
  RCPtr<LNotificationQueue> GetNotificationQueue();

  Mutex mFilterLock;  // guards the filters and the queue
  Array<MidiFilterEntry> mFilters;
  RCPtr<LNotificationQueue> mQueue;
};

}  // namespace HV
