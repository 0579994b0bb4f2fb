#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/ArrayBufferM.h"
#include "HVFramework/Utilities/Storage/PooledObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <span>

namespace HV {

// LMidiCaptureNotificationData: one MIDI message captured at an input port,
// the payload of "NID_MIDI_DATA_CAPTURED": its bytes, the time stamp the
// device layer gave them and the name of the port. Objects come from a
// process-wide pool and go back to it at their last release, so steady
// capture allocates no objects. Filled on the capture thread, then only read.
class LMidiCaptureNotificationData final : public virtual LRefCountedObject,
                                     public PooledObject<LMidiCaptureNotificationData, 4, true> {
 public:
  using Bytes = ArrayBufferM<signed char, 16, 256, 256>;

  static RCPtr<LMidiCaptureNotificationData> Create(std::span<const uint8_t> bytes, uint32_t timeStamp,
                                                    const StringW& portName);

  // Adds the bytes at the end; E_OUTOFMEMORY (nothing added) when the
  // message cannot grow.
  HResult Append(std::span<const uint8_t> bytes);

  const Bytes& GetData() const { return mBytes; }
  std::span<const uint8_t> GetBytes() const;
  uint32_t GetCount() const { return mBytes.GetCount(); }
  uint32_t GetTimeStamp() const { return mTimeStamp; }
  const StringW& GetPortName() const { return mPortName; }

  StringW ToString() const override;

 protected:
  LMidiCaptureNotificationData(uint32_t timeStamp, const StringW& portName);

 private:
  Bytes mBytes;
  const uint32_t mTimeStamp;
  const StringW mPortName;
};

}  // namespace HV
