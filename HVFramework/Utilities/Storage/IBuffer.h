#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"

#include <cstdint>

namespace HV {

// IBuffer: a resizable block of bytes. Sizes, offsets and capacities are byte
// counts; a negative count given to Fill or FillWords means "to the end".
class IBuffer {
 public:
  virtual ~IBuffer() = default;

  virtual uint32_t GetSize() const = 0;
  // Room for n bytes; the old contents are not kept. Returns n.
  virtual uint32_t Allocate(uint32_t size) = 0;
  // Resizes keeping the contents up to the smaller size. Returns n.
  virtual uint32_t SetSize(uint32_t size) = 0;
  virtual HResult Fill(int32_t value, uint32_t offset, int32_t count) = 0;
  virtual HResult FillWords(int32_t value, uint32_t offset, int32_t count) = 0;
  virtual uint32_t GetCapacity() const = 0;
  // Null while no block is held.
  virtual char* GetData() const = 0;

  // The address of the byte at offset, or null when offset is not inside the data.
  char* GetPointerAt(uint32_t offset) const {
    return offset < GetSize() ? GetData() + offset : nullptr;
  }
};

}  // namespace HV
