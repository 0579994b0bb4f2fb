#pragma once

#include "HVFramework/Utilities/Storage/VariantRecord.h"

#include <cstdint>

namespace HV {

// PackedListWalker: steps through the records of a packed list block, front
// to back. The block may come from a file or a device, so the walk stops at
// the first record whose size field is below the header size or runs past
// the block's end; whatever follows such a record is not part of the list.
class PackedListWalker {
 public:
  PackedListWalker(const uint8_t* block, uint32_t size) : mBlock(block), mSize(block ? size : 0) {}

  // True while a well-formed record starts at the current position.
  bool HasRecord() const {
    const uint32_t remaining = mSize - mOffset;
    if (remaining < VariantRecordHeader::kSize) return false;
    const uint32_t recordSize = VariantRecordHeader::Read(mBlock + mOffset).recordSize;
    return recordSize >= VariantRecordHeader::kSize && recordSize <= remaining;
  }

  // The current record and the bytes from it to the block's end. Only while HasRecord().
  const uint8_t* GetRecord() const { return mBlock + mOffset; }
  uint32_t GetRemaining() const { return mSize - mOffset; }

  void Next() { mOffset += VariantRecordHeader::Read(mBlock + mOffset).recordSize; }

  // Moves to the record count places further on; false when the list ends first.
  bool MoveBy(uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
      if (!HasRecord()) return false;
      Next();
    }
    return HasRecord();
  }

  // The number of well-formed records from the current position on.
  uint32_t CountRecords() {
    uint32_t count = 0;
    for (; HasRecord(); Next()) ++count;
    return count;
  }

 private:
  const uint8_t* mBlock;
  uint32_t mSize;
  uint32_t mOffset = 0;
};

}  // namespace HV
