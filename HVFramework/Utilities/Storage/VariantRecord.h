#pragma once

#include <cstdint>

namespace HV {

// The serialised value record: three little-endian 32-bit header fields
// (record size including the header, format version, type tag) followed by
// the value's data bytes. Packed lists hold such records back to back.
struct VariantRecordHeader {
  static constexpr uint32_t kSize = 12;
  static constexpr uint32_t kCurrentVersion = 1;

  uint32_t recordSize = 0;
  uint32_t version = 0;
  uint32_t tag = 0;

  // The header at record, which must hold at least kSize bytes.
  static VariantRecordHeader Read(const uint8_t* record);
  // Writes the header of a current-version record of tag with dataSize data bytes.
  static void Write(uint8_t* record, uint32_t tag, uint32_t dataSize);
};

}  // namespace HV
