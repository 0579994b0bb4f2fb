#include "Panel/UI/DriverCommon/PresetFile/PresetFile.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"

#include <cstring>

namespace HV::PresetFile {
namespace {

// The value's own record: size, format version, type tag, then its data.
constexpr uint32_t kValueHeaderSize = 12;
constexpr uint32_t kMinRecordLength = kRecordPrefixSize + kValueHeaderSize;

uint32_t ReadU32(std::span<const uint8_t> bytes, size_t at) {
  return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
         uint32_t{bytes[at + 3]} << 24;
}

void WriteU32(uint8_t* to, uint32_t value) {
  for (int i = 0; i < 4; ++i) to[i] = static_cast<uint8_t>(value >> (8 * i));
}

// What a record of parameter number must hold: a byte array of its length,
// as the engine takes it.
bool IsRecordValue(int32_t number, const Variant& value) {
  return number >= 0 && number < kParamCount && IsValueForParam(0, number, value);
}

}  // namespace

HResult BuildRecord(int32_t number, const Variant& value, std::vector<uint8_t>& out) {
  uint32_t dataSize = 0;
  value.GetData(&dataSize);
  const size_t start = out.size();
  const uint32_t capacity = dataSize + kValueHeaderSize;
  out.resize(start + kRecordPrefixSize + capacity);
  const int32_t written = value.Serialize(out.data() + start + kRecordPrefixSize, capacity);
  if (written < 0) {
    out.resize(start);
    return E_FAIL;
  }
  const uint32_t length = kRecordPrefixSize + static_cast<uint32_t>(written);
  out.resize(start + length);
  WriteU32(out.data() + start, length);
  WriteU32(out.data() + start + 4, 0);
  WriteU32(out.data() + start + 8, static_cast<uint32_t>(number));
  return S_OK;
}

int32_t ParseRecord(std::span<const uint8_t> record, ParamValue& out) {
  if (record.size() < kMinRecordLength || ReadU32(record, 0) != record.size() || ReadU32(record, 4) != 0)
    return kCorrupt;
  const uint32_t number = ReadU32(record, 8);
  const std::span<const uint8_t> valueRecord = record.subspan(kRecordPrefixSize);
  // The value's record must fill the rest exactly: nothing unread behind it.
  if (number >= static_cast<uint32_t>(kParamCount) || ReadU32(valueRecord, 0) != valueRecord.size())
    return kCorrupt;
  Variant value;
  if (Failed(value.Deserialize(valueRecord.data(), static_cast<uint32_t>(valueRecord.size()))) ||
      !IsRecordValue(static_cast<int32_t>(number), value))
    return kCorrupt;
  out.paramID = static_cast<int32_t>(number);
  out.descriptor.Clear();
  out.value = std::move(value);
  return kLoaded;
}

HResult Encode(const Array<ParamValue>& values, std::vector<uint8_t>& out) {
  out.clear();
  if (values.GetCount() != static_cast<uint32_t>(kParamCount)) return E_FAIL;
  out.reserve(kHeaderSize + kParamCount * (kMinRecordLength + 8));
  out.resize(kHeaderSize);
  WriteU32(out.data(), kFormatVersion);
  WriteU32(out.data() + 4, kDeviceA);
  WriteU32(out.data() + 8, kDeviceB);
  const IArray<ParamValue>& items = values;
  for (int32_t number = 0; number < kParamCount; ++number) {
    const Variant& value = items.GetItemPtr(static_cast<uint32_t>(number))->value;
    // Only what a load takes back: a file this editor cannot read is no save.
    if (!IsRecordValue(number, value) || Failed(BuildRecord(number, value, out))) {
      out.clear();
      return E_FAIL;
    }
  }
  return S_OK;
}

namespace {

int32_t DecodeHeader(std::span<const uint8_t> file) {
  if (file.size() < kHeaderSize) return kCorrupt;
  // The device pair is tested before the version.
  if (ReadU32(file, 4) != kDeviceA || ReadU32(file, 8) != kDeviceB) return kWrongDevice;
  const uint32_t version = ReadU32(file, 0);
  if (version > kFormatVersion) return kNewerVersion;
  if (version == 0) return kOlderVersion;
  return kLoaded;
}

int32_t DecodeRecords(std::span<const uint8_t> file, Array<ParamValue>& records) {
  for (size_t at = kHeaderSize; at < file.size();) {
    const size_t left = file.size() - at;
    // A length that is cut off, or claims more than is left, is corruption.
    if (left < 4) return kCorrupt;
    const uint32_t length = ReadU32(file, at);
    if (length > left || length > kMaxRecordLength) return kCorrupt;
    ParamValue record;
    if (ParseRecord(file.subspan(at, length), record) != kLoaded) return kCorrupt;
    records.InsertItem(records.GetCount(), record);
    at += length;
  }
  return kLoaded;
}

}  // namespace

int32_t Decode(std::span<const uint8_t> file, Array<ParamValue>& records) {
  records.SetCount(0);
  int32_t result = DecodeHeader(file);
  if (result == kLoaded) result = DecodeRecords(file, records);
  if (result != kLoaded) records.SetCount(0);
  return result;
}

}  // namespace HV::PresetFile
