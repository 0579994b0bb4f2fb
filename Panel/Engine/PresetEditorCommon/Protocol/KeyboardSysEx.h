#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/Array.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace HV {

// A MIDI message as the editor holds it. The items are signed: every test of
// a byte reads it as unsigned (KeyboardSysEx::ByteAt).
using MidiMessage = Array<signed char>;

// The keyboard's System Exclusive messages: the maker header, the builders of
// what the editor sends, the framing and cutting into 256-byte pieces, and
// the recognisers of what the keyboard answers. Pure functions, any thread.
//
// Builders leave framing to FrameSysEx: most return the message without the
// opening F0 and the closing F7, as the sending path adds them.
namespace KeyboardSysEx {

inline constexpr uint8_t kSysExStart = 0xF0;
inline constexpr uint8_t kSysExEnd = 0xF7;

// F0, the maker's 3-byte ID, device number 7F (all), two model bytes.
inline constexpr std::array<uint8_t, 7> kHeader = {0xF0, 0x00, 0x3C, 0x51, 0x7F, 0x31, 0x05};
inline constexpr uint32_t kCommandOffset = 7;

enum class Command : uint8_t {
  PresetDump = 0x61,       // editor -> keyboard
  PresetRequest = 0x62,    // editor -> keyboard
  PresetDumpReply = 0x63,  // keyboard -> editor
  GlobalSet = 0x6A,
  GlobalRequest = 0x6B,
  GlobalReply = 0x6C,
  LeadIn = 0x6D,
};

inline constexpr uint32_t kPresetDumpLength = 1350;  // framed
inline constexpr uint32_t kPresetSlotOffset = 10;
inline constexpr uint32_t kPresetDataOffset = 11;
inline constexpr uint32_t kGlobalReplyLength = 15;
inline constexpr uint32_t kGlobalIndexOffset = 11;
inline constexpr uint32_t kIdentityReplyLength = 15;
inline constexpr uint32_t kFirmwareOffset = 10;  // four ASCII digits
inline constexpr uint32_t kPieceLength = 256;

// Slots are data bytes inside the message: 0 to 127.
inline constexpr int32_t kHighestSlot = 127;
constexpr bool IsValidSlot(int32_t slot) { return slot >= 0 && slot <= kHighestSlot; }

// The byte at index as unsigned; the caller keeps index below the count.
inline uint8_t ByteAt(const MidiMessage& message, uint32_t index) {
  return static_cast<uint8_t>(*message.GetItemPtr(index));
}
MidiMessage MakeMessage(std::span<const uint8_t> bytes);
std::span<const uint8_t> BytesOf(const MidiMessage& message);
HResult AppendBytes(MidiMessage& message, std::span<const uint8_t> bytes);

// Builders.
HResult WriteHeader(MidiMessage& message);       // empties, then the 7 header bytes
MidiMessage MakeLeadIn();                        // 10 bytes, no F0, no F7
MidiMessage MakePresetRequest(uint8_t slot);     // 8 bytes, no F0, no F7
MidiMessage MakePresetDumpHeader(uint8_t slot);  // 10 bytes, no F0, no F7; the 1338 data bytes follow
MidiMessage MakeIdentityRequest();               // F0 7E 7F 06 01 F7, complete
// With F7. E_FAIL for a key not in the global parameter table.
HResult MakeGlobalParameterRequest(std::u16string_view key, MidiMessage& message);
// With F7. E_FAIL for an unknown key or a refused value.
HResult MakeGlobalParameterSet(std::u16string_view key, int32_t value, MidiMessage& message);

// Puts F0 in front and F7 at the end where they are missing; a single byte b
// other than F0/F7 becomes F0 b F7. E_FAIL for an empty message or a lone F0
// or F7 (nothing can be framed from them).
HResult FrameSysEx(MidiMessage& message);

// How many 256-byte pieces a message of this length needs.
constexpr uint32_t CountPieces(uint32_t length) {
  return length / kPieceLength + (length % kPieceLength ? 1 : 0);
}
// The message in 256-byte pieces, the last one padded with 00.
std::vector<MidiMessage> CutIntoPieces(const MidiMessage& message);

// Recognisers of whole captured messages.
bool HasHeader(const MidiMessage& message);
bool IsPresetDump(const MidiMessage& message);                    // 1350 bytes, header, 63
std::span<const uint8_t> GetPresetData(const MidiMessage& dump);  // the 1338 data bytes of a dump
int32_t GetPresetDumpSlot(const MidiMessage& dump);               // the slot byte; -1 for no dump

struct GlobalParameterReply {
  int32_t index;  // the wire index, read unsigned: 0 to 255
  int32_t value;  // high * 128 + low
};
std::optional<GlobalParameterReply> ParseGlobalParameterReply(const MidiMessage& message);

bool IsIdentityReply(const MidiMessage& message);
// An Identity Reply whose firmware is 1.0.4.1 or later, its four digits read
// as signed bytes less 0x30.
bool IsFirmwareVersionAcceptable(const MidiMessage& message);

}  // namespace KeyboardSysEx
}  // namespace HV
