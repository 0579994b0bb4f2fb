#include "HVFramework/Midi/LMidiCapturePort.h"

#include "HVFramework/Midi/LMidiComm.h"
#include "HVFramework/Midi/LMidiMessageLength.h"
#include "HVFramework/Midi/LMidiPortNames.h"

namespace HV {

using namespace Platform;

LMidiCapturePort::LMidiCapturePort(LMidiComm& comm, const StringW& name) : mComm(&comm), mName(name) {}

LMidiCapturePort::~LMidiCapturePort() { Close(); }

HResult LMidiCapturePort::ReleaseInternalReferences() { return mComm->ForgetPort(*this); }

MidiResult LMidiCapturePort::Open() {
  Close();
  const int32_t device = LMidiPortNames::SelectDevice(mComm->GetInputDeviceNames(), mName);
  if (device < 0) return kMidiNoDriver;
  const MidiOpened<MidiInHandle> opened = System().OpenInput(static_cast<uint32_t>(device), *mComm);
  if (opened.result != kMidiNoError) return opened.result;
  mHandle = opened.handle;
  mClosing = false;
  for (uint32_t i = 0; i < kBufferCount; ++i) {
    MidiHeader& header = mHeaders[i];
    header.data = mBuffers[i].data();
    header.bufferLength = kBufferSize;
    header.bytesRecorded = 0;
    header.flags = 0;
    MidiResult result = System().PrepareInputHeader(mHandle, header);
    if (result == kMidiNoError) result = System().AddInputBuffer(mHandle, header);
    if (result != kMidiNoError) {
      Close();
      return result;
    }
  }
  return kMidiNoError;
}

MidiResult LMidiCapturePort::Start() { return System().StartInput(mHandle); }

void LMidiCapturePort::Close() {
  if (!IsOpen()) return;
  mClosing = true;
  System().StopInput(mHandle);
  System().ResetInput(mHandle);
  for (MidiHeader& header : mHeaders)
    if (header.IsPrepared()) System().UnprepareInputHeader(mHandle, header);
  System().CloseInput(mHandle);
  mHandle = MidiInHandle::None;
  mReassembler.Reset();
}

bool LMidiCapturePort::IsDeviceAlive() { return IsOpen() && System().GetInputStatus(mHandle) == kMidiNoError; }

void LMidiCapturePort::OnInput(const MidiEvent& event) {
  switch (event.kind) {
    case MidiEventKind::InputData:
      OnShortMessage(event);
      break;
    case MidiEventKind::InputLongData:
    case MidiEventKind::InputLongError:
      if (MidiHeader* header = FindHeader(event.header)) {
        if (event.kind == MidiEventKind::InputLongData) OnLongData(*header, event.timeStamp);
        Requeue(*header);
      }
      break;
    default:
      break;
  }
}

void LMidiCapturePort::OnShortMessage(const MidiEvent& event) {
  const uint8_t bytes[] = {static_cast<uint8_t>(event.message), static_cast<uint8_t>(event.message >> 8),
                           static_cast<uint8_t>(event.message >> 16)};
  const uint32_t length = LMidiMessageLength::GetCapturedMessageLength(bytes[0]);
  mComm->HandOn(LMidiCaptureNotificationData::Create({bytes, length}, event.timeStamp, mName));
}

void LMidiCapturePort::OnLongData(MidiHeader& header, uint32_t timeStamp) {
  const uint32_t recorded = std::min(header.bytesRecorded, header.bufferLength);
  if (recorded == 0) return;
  mComm->HandOn(mReassembler.AddPiece({header.data, recorded}, header.bufferLength, timeStamp, mName));
}

void LMidiCapturePort::Requeue(MidiHeader& header) {
  if (mClosing || !IsOpen()) return;
  header.flags &= ~MidiHeader::kDone;
  header.bytesRecorded = 0;
  if (!header.IsPrepared() && System().PrepareInputHeader(mHandle, header) != kMidiNoError) return;
  System().AddInputBuffer(mHandle, header);
}

MidiHeader* LMidiCapturePort::FindHeader(const MidiHeader* header) {
  for (MidiHeader& own : mHeaders)
    if (&own == header) return &own;
  return nullptr;
}

IMidiSystem& LMidiCapturePort::System() { return mComm->GetSystem(); }

}  // namespace HV
