#include "HVFramework/Midi/LMidiCaptureNotificationData.h"

#include <new>

#include <cstring>

namespace HV {

RCPtr<LMidiCaptureNotificationData> LMidiCaptureNotificationData::Create(std::span<const uint8_t> bytes,
                                                                         uint32_t timeStamp,
                                                                         const StringW& portName) {
  RCPtr<LMidiCaptureNotificationData> data(new LMidiCaptureNotificationData(timeStamp, portName));
  if (Failed(data->Append(bytes))) return nullptr;
  return data;
}

LMidiCaptureNotificationData::LMidiCaptureNotificationData(uint32_t timeStamp, const StringW& portName)
    : mTimeStamp(timeStamp), mPortName(portName) {}

HResult LMidiCaptureNotificationData::Append(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return S_OK;
  const uint32_t old = mBytes.GetCount();
  if (bytes.size() > UINT32_MAX - old) return E_OUTOFMEMORY;
  try {
    if (Failed(mBytes.SetCount(old + static_cast<uint32_t>(bytes.size())))) return E_OUTOFMEMORY;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  std::memcpy(mBytes.GetData() + old, bytes.data(), bytes.size());
  return S_OK;
}

std::span<const uint8_t> LMidiCaptureNotificationData::GetBytes() const {
  return {reinterpret_cast<const uint8_t*>(mBytes.GetData()), mBytes.GetCount()};
}

StringW LMidiCaptureNotificationData::ToString() const {
  return StringW::FromFormat(u"MIDI data: %u bytes from %s at %u", GetCount(), mPortName, mTimeStamp);
}

}  // namespace HV
