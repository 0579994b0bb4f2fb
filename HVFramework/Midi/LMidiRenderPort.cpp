#include "HVFramework/Midi/LMidiRenderPort.h"

#include "HVFramework/Midi/LMidiComm.h"
#include "HVFramework/Midi/LMidiMessageLength.h"
#include "HVFramework/Midi/LMidiPortNames.h"
#include "HVFramework/Platform/Midi/MidiShortMessage.h"

#include <algorithm>

namespace HV {

using namespace Platform;

LMidiRenderPort::LMidiRenderPort(LMidiComm& comm, const StringW& name) : mComm(&comm), mName(name) {
  mLight.SetGreen();
}

LMidiRenderPort::~LMidiRenderPort() { Close(); }

HResult LMidiRenderPort::ReleaseInternalReferences() { return mComm->ForgetPort(*this); }

MidiResult LMidiRenderPort::Open() {
  Close();
  const int32_t device = LMidiPortNames::SelectDevice(mComm->GetOutputDeviceNames(), mName);
  if (device < 0) return kMidiNoDriver;
  const MidiOpened<MidiOutHandle> opened = System().OpenOutput(static_cast<uint32_t>(device), *mComm);
  if (opened.result == kMidiNoError) mHandle = opened.handle;
  return opened.result;
}

void LMidiRenderPort::Close() {
  const MidiOutHandle handle = mHandle.exchange(MidiOutHandle::None);
  if (handle == MidiOutHandle::None) return;
  System().ResetOutput(handle);
  System().CloseOutput(handle);
}

bool LMidiRenderPort::IsDeviceAlive() { return IsOpen() && System().GetOutputStatus(GetHandle()) == kMidiNoError; }

int32_t LMidiRenderPort::Send(std::span<const uint8_t> bytes, uint32_t timeout) {
  if (bytes.empty() || bytes.size() > UINT32_MAX / 2) return E_INVALIDARG;
  const uint8_t first = bytes.front();
  const bool isShort = (first & 0x80) != 0 && first != 0xF0 && first != 0xF7;
  // A short message missing data bytes would go out with zeros in their place.
  if (isShort && bytes.size() < LMidiShortMessage::GetLength(first)) return E_INVALIDARG;
  std::lock_guard<std::mutex> sending(mSendLock);
  if (mLight.Wait(timeout) != kWaitObject0) return E_FAIL;
  return isShort ? SendShort(bytes) : SendLong(bytes, timeout);
}

int32_t LMidiRenderPort::SendShort(std::span<const uint8_t> bytes) {
  const uint32_t message = LMidiShortMessage::Pack(bytes.first(std::min<size_t>(bytes.size(), 3)));
  if (System().SendShortMessage(GetHandle(), message) != kMidiNoError) return E_FAIL;
  return static_cast<int32_t>(LMidiMessageLength::GetShortMessageLength(bytes.front()));
}

int32_t LMidiRenderPort::SendLong(std::span<const uint8_t> bytes, uint32_t timeout) {
  const MidiOutHandle handle = GetHandle();
  // The device layer copies the bytes when they are submitted; the header
  // stays lent until it comes back done.
  mHeader.data = const_cast<uint8_t*>(bytes.data());
  mHeader.bufferLength = static_cast<uint32_t>(bytes.size());
  mHeader.bytesRecorded = mHeader.bufferLength;
  mHeader.flags = 0;
  if (System().PrepareOutputHeader(handle, mHeader) != kMidiNoError) return E_FAIL;
  mLight.SetRed();
  bool isSent = System().SendLongMessage(handle, mHeader) == kMidiNoError;
  if (isSent && mLight.Wait(timeout) != kWaitObject0) {
    // Not done in time: take the header back before it is reused, and let
    // its late report run now rather than during the next send.
    isSent = false;
    System().ResetOutput(handle);
    mComm->GetSystem().WaitForCallbacks();
  }
  System().UnprepareOutputHeader(handle, mHeader);
  mHeader.data = nullptr;
  mLight.SetGreen();
  return isSent ? static_cast<int32_t>(bytes.size()) : E_FAIL;
}

void LMidiRenderPort::OnOutputDone(const MidiHeader* header) {
  if (header == &mHeader) mLight.SetGreen();
}

IMidiSystem& LMidiRenderPort::System() { return mComm->GetSystem(); }

}  // namespace HV
