#include "HVFramework/Utilities/Storage/VariantRecord.h"

#include <bit>
#include <cstring>

namespace HV {

// Records are little-endian; the fields are copied as the machine stores them.
static_assert(std::endian::native == std::endian::little, "the value record format is little-endian");

VariantRecordHeader VariantRecordHeader::Read(const uint8_t* record) {
  VariantRecordHeader header;
  std::memcpy(&header.recordSize, record, 4);
  std::memcpy(&header.version, record + 4, 4);
  std::memcpy(&header.tag, record + 8, 4);
  return header;
}

void VariantRecordHeader::Write(uint8_t* record, uint32_t tag, uint32_t dataSize) {
  const uint32_t fields[3] = {dataSize + kSize, kCurrentVersion, tag};
  std::memcpy(record, fields, sizeof fields);
}

}  // namespace HV
