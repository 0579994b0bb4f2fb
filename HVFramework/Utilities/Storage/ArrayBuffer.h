#pragma once

#include "HVFramework/Utilities/Storage/BufferT.h"
#include "HVFramework/Utilities/Storage/IArray.h"

#include <cstring>
#include <type_traits>

namespace HV {

// ArrayBuffer: plain items (numbers, raw pointers) in a BufferT whose
// capacity steps and slack are counted in items. Opened ranges are
// zero-filled; items are moved as bytes. InsertItem answers the new count.
// Kind is carried for the instantiations that name it; nothing depends on it.
// No lock.
template <class T, uint32_t GranularityItems, uint32_t SlackItems, uint32_t Kind = 1,
          uint32_t Alignment = 8, IAllocator* (*AllocatorGetter)() = GetSystemAllocator>
class ArrayBuffer : public IArray<T>,
                    public BufferT<GranularityItems * sizeof(T), SlackItems * sizeof(T), Alignment, T*,
                                   AllocatorGetter> {
  static_assert(std::is_trivially_copyable_v<T>, "buffer arrays move their items as bytes");

 public:
  using Buffer = BufferT<GranularityItems * sizeof(T), SlackItems * sizeof(T), Alignment, T*, AllocatorGetter>;
  using IArray<T>::GetItemPtr;
  static constexpr uint32_t kItemSize = sizeof(T);

  ArrayBuffer() : Buffer(0, 0) {}

  uint32_t GetCount() const override { return Buffer::GetSize() / kItemSize; }
  T* GetData() override { return reinterpret_cast<T*>(Buffer::GetData()); }
  char* GetData() const override { return Buffer::GetData(); }
  T* GetItemPtr(uint32_t index) override { return GetData() + index; }

  // Makes room for exactly count items; answers count.
  virtual HResult ResizeStorage(uint32_t count) {
    if (count > IIterable<T>::kMaxCount || uint64_t{count} * kItemSize > UINT32_MAX) return E_INVALIDARG;
    return static_cast<HResult>(Buffer::SetSize(count * kItemSize) / kItemSize);
  }

  HResult SetCount(uint32_t count) override {
    const uint32_t old = GetCount();
    const HResult result = ResizeStorage(count);
    if (result >= 0 && count > old) ZeroItems(old, count - old);
    return result;
  }

  HResult InsertSpace(uint32_t index, uint32_t count) override {
    const uint32_t old = GetCount();
    if (count == 0) return static_cast<HResult>(old);
    if (index > old || count > IIterable<T>::kMaxCount - old) return E_INVALIDARG;
    if (index == old) return SetCount(old + count);
    const HResult result = ResizeStorage(old + count);
    if (result < 0) return result;
    T* data = GetData();
    std::memmove(data + index + count, data + index, (old - index) * kItemSize);
    ZeroItems(index, count);
    return static_cast<HResult>(old + count);
  }

  HResult RemoveSpace(uint32_t index, uint32_t count) override {
    const uint32_t old = GetCount();
    if (count == 0) return static_cast<HResult>(old);
    if (index > old || count > old - index) return E_INVALIDARG;
    T* data = GetData();
    std::memmove(data + index, data + index + count, (old - index - count) * kItemSize);
    return ResizeStorage(old - count);
  }

  // Reads item index into out, then closes its gap; E_INVALIDARG, storage
  // untouched, for an index past the end.
  HResult RemoveItem(uint32_t index, T& out) override {
    if (index >= GetCount()) return E_INVALIDARG;
    out = GetData()[index];
    return RemoveSpace(index, 1);
  }

  HResult RemoveLastItem(T& out) override {
    if (GetCount() == 0) return E_INVALIDARG;
    return RemoveItem(GetCount() - 1, out);
  }

 private:
  void ZeroItems(uint32_t first, uint32_t count) {
    if (count != 0) std::memset(static_cast<void*>(GetData() + first), 0, uint64_t{count} * kItemSize);
  }
};

}  // namespace HV
