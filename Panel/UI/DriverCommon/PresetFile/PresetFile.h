#pragma once

// The preset file: the 131 parameter values of one preset, little-endian
// 32-bit fields without padding.
//
//   header   version (1), device pair A and B (0, 0)
//   records  length L (this field included), reserved 0, parameter number
//            0 to 130, then the value's binary record (Variant::Serialize:
//            size, format version, type tag, data)
//
// A saved preset holds the 131 records in parameter order. Reading is
// strict: every field whole, every record a byte array (tag 14) of exactly
// its parameter's record length, no bytes after the last record. Pure
// functions, any thread.

#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ParamValue.h"

#include <cstdint>
#include <span>
#include <vector>

namespace HV::PresetFile {

inline constexpr uint32_t kFormatVersion = 1;
inline constexpr uint32_t kDeviceA = 0;
inline constexpr uint32_t kDeviceB = 0;
inline constexpr uint32_t kHeaderSize = 12;
// Length, reserved word and parameter number before the value's record.
inline constexpr uint32_t kRecordPrefixSize = 12;
inline constexpr int32_t kParamCount = 131;
// No record of this format comes near it; a longer one is corrupt, never allocated.
inline constexpr uint32_t kMaxRecordLength = 64 * 1024;
// The largest file a load reads: far more than 131 records of any length
// the format allows.
inline constexpr uint32_t kMaxFileSize = 1024 * 1024;

// Load results. 0 to -4 are the format's; -5 is a file that was read whole
// but whose values the engine did not take.
enum LoadResult : int32_t {
  kLoaded = 0,
  kOlderVersion = -1,
  kNewerVersion = -2,
  kCorrupt = -3,
  kWrongDevice = -4,
  kNotApplied = -5,
};

// Appends the record of parameter number with value to out. E_FAIL, and out
// as it was, when the value has no binary record.
HResult BuildRecord(int32_t number, const Variant& value, std::vector<uint8_t>& out);

// One whole record (its length field included) into out: paramID the
// parameter number, value the record's byte array. kLoaded, or kCorrupt for
// anything but a well-formed record of a known parameter with its exact length.
int32_t ParseRecord(std::span<const uint8_t> record, ParamValue& out);

// The whole file: the header, then 131 values in list order (their IDs are
// not read). E_FAIL, and out empty, unless there are exactly 131 values and
// each has a binary record.
HResult Encode(const Array<ParamValue>& values, std::vector<uint8_t>& out);

// Reads and checks a whole file into records (emptied first), in file order.
// A load result; on any result but kLoaded records is left empty.
int32_t Decode(std::span<const uint8_t> file, Array<ParamValue>& records);

}  // namespace HV::PresetFile
