#include "Panel/Engine/PresetEditorCommon/Protocol/KeyboardSysEx.h"

#include "Panel/Engine/PresetEditorCommon/Protocol/GlobalParameters.h"

#include <algorithm>
#include <cstring>

namespace HV::KeyboardSysEx {
namespace {

constexpr uint8_t kUniversalNonRealTime = 0x7E;
constexpr uint8_t kAllDevices = 0x7F;
constexpr uint8_t kGeneralInformation = 0x06;
constexpr uint8_t kIdentityRequest = 0x01;
constexpr uint8_t kIdentityReply = 0x02;

// The lowest firmware that speaks this protocol, digit by digit.
constexpr std::array<int32_t, 4> kLowestFirmware = {1, 0, 4, 1};

// The header without its F0: the builders whose output the framing completes.
std::span<const uint8_t> HeaderAfterStart() { return std::span(kHeader).subspan(1); }

MidiMessage MakeUnframed(std::initializer_list<uint8_t> tail) {
  MidiMessage message = MakeMessage(HeaderAfterStart());
  AppendBytes(message, std::span(tail.begin(), tail.size()));
  return message;
}

bool IsCommand(const MidiMessage& message, Command command) {
  return HasHeader(message) && message.GetCount() > kCommandOffset &&
         ByteAt(message, kCommandOffset) == static_cast<uint8_t>(command);
}

// Header, command and the 00 that opens every global parameter payload.
HResult StartGlobalParameterMessage(MidiMessage& message, Command command, uint8_t payloadLength,
                                    int32_t index) {
  const HResult result = WriteHeader(message);
  if (Failed(result)) return result;
  const uint8_t tail[] = {static_cast<uint8_t>(command), 0x00, payloadLength, 0x00,
                          static_cast<uint8_t>(index)};
  return AppendBytes(message, tail);
}

}  // namespace

MidiMessage MakeMessage(std::span<const uint8_t> bytes) {
  MidiMessage message;
  AppendBytes(message, bytes);
  return message;
}

std::span<const uint8_t> BytesOf(const MidiMessage& message) {
  return {reinterpret_cast<const uint8_t*>(message.GetData()), message.GetCount()};
}

HResult AppendBytes(MidiMessage& message, std::span<const uint8_t> bytes) {
  const uint32_t start = message.GetCount();
  const HResult result = message.SetCount(start + static_cast<uint32_t>(bytes.size()));
  if (Failed(result)) return result;
  if (!bytes.empty()) std::memcpy(message.GetData() + start, bytes.data(), bytes.size());
  return S_OK;
}

HResult WriteHeader(MidiMessage& message) {
  const HResult result = message.SetCount(0);
  if (Failed(result)) return result;
  return AppendBytes(message, kHeader);
}

MidiMessage MakeLeadIn() { return MakeUnframed({static_cast<uint8_t>(Command::LeadIn), 0x00, 0x01, 0x01}); }

MidiMessage MakePresetRequest(uint8_t slot) {
  return MakeUnframed({static_cast<uint8_t>(Command::PresetRequest), slot});
}

MidiMessage MakePresetDumpHeader(uint8_t slot) {
  // Payload length 1339: the slot byte and the 1338 data bytes.
  return MakeUnframed({static_cast<uint8_t>(Command::PresetDump), 0x0A, 0x3B, slot});
}

MidiMessage MakeIdentityRequest() {
  const uint8_t bytes[] = {kSysExStart,         kUniversalNonRealTime, kAllDevices,
                           kGeneralInformation, kIdentityRequest,      kSysExEnd};
  return MakeMessage(bytes);
}

HResult MakeGlobalParameterRequest(std::u16string_view key, MidiMessage& message) {
  const int32_t index = GlobalParameters::FindNonPresetParameterIndex(key);
  if (index < 0) return E_FAIL;
  const HResult result = StartGlobalParameterMessage(message, Command::GlobalRequest, 0x02, index);
  if (Failed(result)) return result;
  const uint8_t end[] = {kSysExEnd};
  return AppendBytes(message, end);
}

HResult MakeGlobalParameterSet(std::u16string_view key, int32_t value, MidiMessage& message) {
  const int32_t index = GlobalParameters::FindNonPresetParameterIndex(key);
  if (index < 0 || !GlobalParameters::IsGlobalParameterValueValid(key, value)) return E_FAIL;
  const HResult result = StartGlobalParameterMessage(message, Command::GlobalSet, 0x04, index);
  if (Failed(result)) return result;
  const std::array<uint8_t, 2> encoded = GlobalParameters::EncodeValue(value);
  const uint8_t tail[] = {encoded[0], encoded[1], kSysExEnd};
  return AppendBytes(message, tail);
}

HResult FrameSysEx(MidiMessage& message) {
  const uint32_t count = message.GetCount();
  if (count == 0) return E_FAIL;
  const bool startsFramed = ByteAt(message, 0) == kSysExStart;
  const bool endsFramed = ByteAt(message, count - 1) == kSysExEnd;
  if (count == 1 && (startsFramed || endsFramed)) return E_FAIL;
  if (!startsFramed) {
    if (Failed(message.InsertItem(0, static_cast<signed char>(kSysExStart)))) return E_OUTOFMEMORY;
  }
  if (!endsFramed) {
    const uint8_t end[] = {kSysExEnd};
    return AppendBytes(message, end);
  }
  return S_OK;
}

std::vector<MidiMessage> CutIntoPieces(const MidiMessage& message) {
  const std::span<const uint8_t> bytes = BytesOf(message);
  std::vector<MidiMessage> pieces(CountPieces(static_cast<uint32_t>(bytes.size())));
  for (size_t i = 0; i < pieces.size(); ++i) {
    const size_t start = i * kPieceLength;
    const size_t take = std::min<size_t>(kPieceLength, bytes.size() - start);
    pieces[i].SetCount(kPieceLength);  // value-initialised: the padding is 00
    std::memcpy(pieces[i].GetData(), bytes.data() + start, take);
  }
  return pieces;
}

bool HasHeader(const MidiMessage& message) {
  const std::span<const uint8_t> bytes = BytesOf(message);
  return bytes.size() >= kHeader.size() && std::equal(kHeader.begin(), kHeader.end(), bytes.begin());
}

bool IsPresetDump(const MidiMessage& message) {
  return message.GetCount() == kPresetDumpLength && IsCommand(message, Command::PresetDumpReply);
}

std::span<const uint8_t> GetPresetData(const MidiMessage& dump) {
  if (dump.GetCount() != kPresetDumpLength) return {};
  return BytesOf(dump).subspan(kPresetDataOffset, kPresetDumpLength - kPresetDataOffset - 1);
}

int32_t GetPresetDumpSlot(const MidiMessage& dump) {
  return IsPresetDump(dump) ? ByteAt(dump, kPresetSlotOffset) : -1;
}

std::optional<GlobalParameterReply> ParseGlobalParameterReply(const MidiMessage& message) {
  if (message.GetCount() != kGlobalReplyLength || !IsCommand(message, Command::GlobalReply))
    return std::nullopt;
  return GlobalParameterReply{ByteAt(message, kGlobalIndexOffset),
                              GlobalParameters::DecodeValue(ByteAt(message, kGlobalIndexOffset + 1),
                                                            ByteAt(message, kGlobalIndexOffset + 2))};
}

bool IsIdentityReply(const MidiMessage& message) {
  return message.GetCount() == kIdentityReplyLength && ByteAt(message, 0) == kSysExStart &&
         ByteAt(message, 1) == kUniversalNonRealTime && ByteAt(message, 3) == kGeneralInformation &&
         ByteAt(message, 4) == kIdentityReply;
}

bool IsFirmwareVersionAcceptable(const MidiMessage& message) {
  if (!IsIdentityReply(message)) return false;
  for (uint32_t i = 0; i < kLowestFirmware.size(); ++i) {
    // Signed, as the keyboard's protocol reads them: a byte from 0x80 up is
    // below every digit, never above.
    const int32_t digit = static_cast<int8_t>(ByteAt(message, kFirmwareOffset + i)) - int32_t{'0'};
    if (digit != kLowestFirmware[i]) return digit > kLowestFirmware[i];
  }
  return true;
}

}  // namespace HV::KeyboardSysEx
