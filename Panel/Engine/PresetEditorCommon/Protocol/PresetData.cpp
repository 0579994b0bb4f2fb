#include "Panel/Engine/PresetEditorCommon/Protocol/PresetData.h"

#include <algorithm>

namespace HV::PresetData {
namespace {

std::array<uint32_t, kDeviceParamCount> MakeRecordLengths() {
  std::array<uint32_t, kDeviceParamCount> lengths{};
  for (const ElementLayout& layout : kElementLayouts)
    for (int32_t i = 0; i < layout.count; ++i)
      lengths[static_cast<size_t>(layout.firstOffset + i)] = static_cast<uint32_t>(layout.recordLength);
  return lengths;
}

}  // namespace

const std::array<uint32_t, kDeviceParamCount>& GetRecordLengths() {
  static const std::array<uint32_t, kDeviceParamCount> lengths = MakeRecordLengths();
  return lengths;
}

std::optional<Records> SplitRecords(std::span<const uint8_t> data) {
  if (data.size() != static_cast<size_t>(kPresetDataLength)) return std::nullopt;
  Records records;
  size_t offset = 0;
  for (size_t i = 0; i < records.size(); ++i) {
    records[i] = data.subspan(offset, GetRecordLengths()[i]);
    offset += GetRecordLengths()[i];
  }
  return records;
}

bool IsRecordSendable(int32_t relativeParamID, std::span<const uint8_t> record) {
  if (relativeParamID < 0 || relativeParamID >= kDeviceParamCount) return false;
  return record.size() == GetRecordLengths()[static_cast<size_t>(relativeParamID)] &&
         std::all_of(record.begin(), record.end(), [](uint8_t byte) { return byte < 0x80; });
}

HResult MakePresetDump(int32_t slot, const Records& records, MidiMessage& message) {
  if (!KeyboardSysEx::IsValidSlot(slot)) return E_FAIL;
  for (size_t i = 0; i < records.size(); ++i)
    if (!IsRecordSendable(static_cast<int32_t>(i), records[i])) return E_FAIL;
  MidiMessage dump = KeyboardSysEx::MakePresetDumpHeader(static_cast<uint8_t>(slot));
  for (const std::span<const uint8_t>& record : records) {
    const HResult result = KeyboardSysEx::AppendBytes(dump, record);
    if (Failed(result)) return result;
  }
  message = std::move(dump);
  return S_OK;
}

}  // namespace HV::PresetData
