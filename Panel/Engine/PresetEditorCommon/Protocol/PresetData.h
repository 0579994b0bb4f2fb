#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/KeyboardSysEx.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace HV {

// The 1338 data bytes of a preset dump: the 131 element records in ID order,
// back to back, each of its kind's fixed length. Pure functions, any thread.
namespace PresetData {

using Records = std::array<std::span<const uint8_t>, kDeviceParamCount>;

// The record length of each device-relative ID.
const std::array<uint32_t, kDeviceParamCount>& GetRecordLengths();

// The records of preset data, cut by the fixed lengths; none when the data
// is not exactly 1338 bytes long.
std::optional<Records> SplitRecords(std::span<const uint8_t> data);

// True when the record is of the ID's length and holds only data bytes
// (below 0x80): anything else would corrupt the dump on the wire.
bool IsRecordSendable(int32_t relativeParamID, std::span<const uint8_t> record);

// The unframed dump message for the slot: the dump header, then the records.
// E_FAIL, and the message left as it was, when the slot is not a data byte
// or a record is not sendable.
HResult MakePresetDump(int32_t slot, const Records& records, MidiMessage& message);

}  // namespace PresetData
}  // namespace HV
