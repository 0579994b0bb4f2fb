#pragma once

#include "HVFramework/Utilities/Storage/ArrayBuffer.h"

#include <algorithm>

namespace HV {

// ArrayBufferM: an ArrayBuffer that keeps up to InlineItems items inside the
// object and takes a heap block only above that. No lock.
template <class T, uint32_t InlineItems, uint32_t GranularityItems, uint32_t SlackItems, uint32_t Kind = 1,
          uint32_t Alignment = 8, IAllocator* (*AllocatorGetter)() = GetSystemAllocator>
class ArrayBufferM : public ArrayBuffer<T, GranularityItems, SlackItems, Kind, Alignment, AllocatorGetter> {
  using Base = ArrayBuffer<T, GranularityItems, SlackItems, Kind, Alignment, AllocatorGetter>;
  static_assert(InlineItems > 0, "use ArrayBuffer when nothing is kept inline");

 public:
  using Base::GetData;

  ArrayBufferM() = default;

  uint32_t GetCount() const override { return mInlineCount != 0 ? mInlineCount : Base::GetCount(); }
  bool IsInline() const { return GetCount() <= InlineItems; }

  T* GetData() override { return IsInline() ? mInline : Base::GetData(); }

  // The byte view (and with it Fill, FillWords, GetPointerAt) follows the
  // items: the inline storage while they live there, else the buffer.
  uint32_t GetSize() const override {
    return IsInline() ? GetCount() * static_cast<uint32_t>(sizeof(T)) : Base::Buffer::GetSize();
  }
  char* GetData() const override {
    return IsInline() ? reinterpret_cast<char*>(const_cast<T*>(mInline)) : Base::Buffer::GetData();
  }

  HResult ResizeStorage(uint32_t count) override {
    const uint32_t old = GetCount();
    if (count > IIterable<T>::kMaxCount || uint64_t{count} * sizeof(T) > UINT32_MAX) return E_INVALIDARG;
    if (count <= InlineItems) {
      if (old > InlineItems) {
        std::copy_n(Base::GetData(), count, mInline);
        Base::Buffer::Allocate(0);
      }
      mInlineCount = count;
    } else if (old <= InlineItems) {
      Base::Buffer::Allocate(count * static_cast<uint32_t>(sizeof(T)));
      std::copy_n(mInline, old, Base::GetData());
      mInlineCount = 0;
    } else {
      Base::Buffer::SetSize(count * static_cast<uint32_t>(sizeof(T)));
    }
    return static_cast<HResult>(count);
  }

 private:
  uint32_t mInlineCount = 0;
  T mInline[InlineItems] = {};
};

}  // namespace HV
