#pragma once

#include "HVFramework/Utilities/Storage/BufferT.h"
#include "HVFramework/Utilities/Storage/LIBuffer.h"

#include <algorithm>

namespace HV {

// LBufferT: a counted BufferT. Made only by Create and owned through counted
// pointers; the last release deletes it.
template <uint32_t Granularity, uint32_t Slack, uint32_t Alignment = 8, class TPointer = char*,
          IAllocator* (*AllocatorGetter)() = GetSystemAllocator>
class LBufferT final : public BufferT<Granularity, Slack, Alignment, TPointer, AllocatorGetter>,
                       public LIBuffer {
  using Storage = BufferT<Granularity, Slack, Alignment, TPointer, AllocatorGetter>;

 public:
  static RCPtr<LIBuffer> Create(uint32_t size, uint32_t reserve = 0, bool zeroFill = false) {
    return RCPtr<LIBuffer>(new LBufferT(size, reserve, zeroFill));
  }

  RCPtr<LRefCountedObject> CreateCopy() const override {
    RCPtr<LIBuffer> copy = Create(this->GetSize(), 0, true);
    if (this->GetSize() != 0) std::memcpy(copy->GetData(), this->GetData(), this->GetSize());
    return copy;
  }

  RCPtr<LIBuffer> CopyRange(uint32_t count, uint32_t offset) const override {
    RCPtr<LIBuffer> copy = Create(count, 0, true);
    const uint32_t size = this->GetSize();
    if (offset < size) {
      const uint32_t bytes = std::min(count, size - offset);
      if (bytes != 0) std::memcpy(copy->GetData(), this->GetData() + offset, bytes);
    }
    return copy;
  }

 private:
  LBufferT(uint32_t size, uint32_t reserve, bool zeroFill) : Storage(size, reserve, zeroFill) {}
};

// The buffers of the system: raw bytes, the wide string's characters, and the
// preset manager's file data.
using LByteBuffer = LBufferT<1, 0>;
using LTextBuffer = LBufferT<1, 128>;
using LFileBuffer = LBufferT<512, 512>;

}  // namespace HV
