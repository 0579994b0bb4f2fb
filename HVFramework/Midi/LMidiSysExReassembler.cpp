#include "HVFramework/Midi/LMidiSysExReassembler.h"

namespace HV {

namespace {

constexpr uint8_t kSysExStart = 0xF0;
constexpr uint8_t kSysExEnd = 0xF7;

}  // namespace

RCPtr<LMidiCaptureNotificationData> LMidiSysExReassembler::AddPiece(std::span<const uint8_t> piece,
                                                                    uint32_t bufferLength, uint32_t timeStamp,
                                                                    const StringW& portName) {
  if (piece.empty()) return nullptr;
  if (piece.front() == kSysExStart) {
    mPending = nullptr;
    RCPtr<LMidiCaptureNotificationData> message = LMidiCaptureNotificationData::Create({}, timeStamp, portName);
    if (!message) return nullptr;
    mPending = message;
  } else if (!mPending) {
    return nullptr;
  }
  if (!AppendToPending(piece) || !EndsMessage(piece, bufferLength)) return nullptr;
  RCPtr<LMidiCaptureNotificationData> message = std::move(mPending);
  mPending = nullptr;
  return message;
}

bool LMidiSysExReassembler::EndsMessage(std::span<const uint8_t> piece, uint32_t bufferLength) {
  return piece.size() < bufferLength || piece.back() == kSysExEnd;
}

bool LMidiSysExReassembler::AppendToPending(std::span<const uint8_t> piece) {
  if (piece.size() > kMaxMessageLength - mPending->GetCount() || Failed(mPending->Append(piece))) {
    mPending = nullptr;
    return false;
  }
  return true;
}

}  // namespace HV
