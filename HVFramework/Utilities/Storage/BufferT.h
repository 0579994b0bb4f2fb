#pragma once

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/Allocator.h"
#include "HVFramework/Utilities/Storage/IBuffer.h"

#include <cstring>

namespace HV {

// BufferT: an IBuffer whose capacity policy is fixed by its arguments.
//
// Every capacity requested is the wanted size rounded up to Granularity.
// SetSize reallocates only when the new size does not fit, or when it would
// leave more than max(Slack, Granularity - 1) bytes unused; growth is never
// geometric. Blocks come from AllocatorGetter() and are used as returned.
// When the allocator has no memory the buffer stays as it was and
// Exception<std::bad_alloc> is thrown.
template <uint32_t Granularity, uint32_t Slack, uint32_t Alignment, class TPointer,
          IAllocator* (*AllocatorGetter)() = GetSystemAllocator>
class BufferT : public virtual IBuffer {
  static_assert(Granularity > 0, "the capacity quantum must be at least one byte");

 public:
  static constexpr uint32_t kThreshold = Slack > Granularity - 1 ? Slack : Granularity - 1;

  explicit BufferT(uint32_t size = 0, uint32_t reserve = 0, bool zeroFill = false) {
    if (size < reserve) {
      mBlock = TakeBlock(reserve);
      mCapacity = reserve;
    }
    SetSize(size);
    if (size != 0 && zeroFill) std::memset(mBlock, 0, size);
  }
  BufferT(const BufferT&) = delete;
  BufferT& operator=(const BufferT&) = delete;
  ~BufferT() override {
    if (mBlock) AllocatorGetter()->Free(mBlock);
  }

  uint32_t GetSize() const override { return mSize; }
  uint32_t GetCapacity() const override { return mCapacity; }
  char* GetData() const override { return static_cast<char*>(mBlock); }
  TPointer GetItems() const { return reinterpret_cast<TPointer>(mBlock); }

  uint32_t Allocate(uint32_t size) override {
    if (size == 0) {
      ReleaseBlock();
      return 0;
    }
    const uint32_t capacity = RoundUp(size);
    if (capacity != mCapacity) {
      void* block = TakeBlock(capacity);
      if (mBlock) AllocatorGetter()->Free(mBlock);
      mBlock = block;
      mCapacity = capacity;
    }
    mSize = size;
    return size;
  }

  uint32_t SetSize(uint32_t size) override {
    if (mCapacity == 0) return Allocate(size);
    if (mCapacity < size || mCapacity - size > kThreshold) {
      const uint32_t capacity = RoundUp(size);
      if (capacity == 0) {
        ReleaseBlock();
        return 0;
      }
      void* block = AllocatorGetter()->Reallocate(mBlock, capacity);
      if (!block) throw Exception<std::bad_alloc>();
      mBlock = block;
      mCapacity = capacity;
    }
    mSize = size;
    return size;
  }

  HResult Fill(int32_t value, uint32_t offset, int32_t count) override {
    const uint32_t size = GetSize();
    uint32_t bytes;
    if (count < 0) {
      if (offset > size) return E_INVALIDARG;
      bytes = size - offset;
    } else {
      if (offset > size || static_cast<uint32_t>(count) > size - offset) return E_INVALIDARG;
      bytes = static_cast<uint32_t>(count);
    }
    if (bytes != 0) std::memset(GetData() + offset, value & 0xFF, bytes);
    return S_OK;
  }

  HResult FillWords(int32_t value, uint32_t offset, int32_t count) override {
    const uint32_t size = GetSize();
    if (offset > size) return E_INVALIDARG;
    const uint32_t available = (size - offset) / 2;
    uint32_t units;
    if (count < 0) {
      units = available;
    } else {
      if (static_cast<uint32_t>(count) > available) return E_INVALIDARG;
      units = static_cast<uint32_t>(count);
    }
    const uint16_t word = static_cast<uint16_t>(value);
    char* at = GetData() + offset;
    for (uint32_t i = 0; i < units; ++i) std::memcpy(at + 2 * i, &word, 2);
    return S_OK;
  }

 private:
  static uint32_t RoundUp(uint32_t size) {
    const uint64_t rounded = (uint64_t{size} + Granularity - 1) / Granularity * Granularity;
    if (rounded > UINT32_MAX) throw Exception<std::bad_alloc>();
    return static_cast<uint32_t>(rounded);
  }

  static void* TakeBlock(uint32_t bytes) {
    void* block = AllocatorGetter()->Allocate(bytes);
    if (!block) throw Exception<std::bad_alloc>();
    return block;
  }

  void ReleaseBlock() {
    if (mBlock) AllocatorGetter()->Free(mBlock);
    mBlock = nullptr;
    mSize = 0;
    mCapacity = 0;
  }

  void* mBlock = nullptr;
  uint32_t mSize = 0;
  uint32_t mCapacity = 0;
};

}  // namespace HV
