#pragma once

#include "HVFramework/Utilities/Storage/IIterableModifiable.h"

#include <cstddef>

namespace HV {

// IArray<T>: an IIterableModifiable whose items lie in one contiguous block.
//
// Positions are worked out as indices in [-1, count] and only then turned into
// addresses, so no pointer is ever computed outside the block by arithmetic.
template <class T>
class IArray : public IIterableModifiable<T> {
 public:
  using IIterable<T>::GetAtPosition;
  using IIterable<T>::GetItemPtr;
  using IIterable<T>::GetCount;
  using IIterableModifiable<T>::SetCount;

  // The first item, or null while the array holds no storage.
  virtual T* GetData() = 0;
  const T* GetData() const { return const_cast<IArray*>(this)->GetData(); }

  T& GetAtPosition(T* position) override { return *position; }
  T* GetItemPtr(uint32_t index) override { return GetData() + index; }

  T* AdvancePosition(T* position, int32_t n) const override {
    if (!position) return nullptr;
    const int64_t index = IndexOf(position) + n;
    const int64_t count = GetCount();
    return PositionAt(index <= -1 ? -1 : index >= count ? count : index);
  }
  T* GetFirstPosition() const override { return GetCount() ? PositionAt(0) : nullptr; }
  T* GetEndPosition() const override { return GetCount() ? PositionAt(GetCount()) : nullptr; }
  T* GetLastPosition() const override { return GetCount() ? PositionAt(GetCount() - int64_t{1}) : nullptr; }
  T* GetBeforeFirstPosition() const override { return GetCount() ? PositionAt(-1) : nullptr; }

  // Appends the source's items, written straight into the storage.
  virtual HResult AddItems(const IIterable<T>& source) {
    const uint32_t base = GetCount();
    const uint32_t added = source.GetCount();
    if (added == 0) return static_cast<HResult>(base);
    if (!this->GrowBy(base, added)) return E_FAIL;
    T* to = GetData() + base;
    auto from = source.Begin();
    for (uint32_t i = 0; i < added; ++i, ++from) to[i] = *from;
    return static_cast<HResult>(base + added);
  }

  // The index of the first item equal to item, or -1.
  int32_t FindItem(const T& item) const {
    const T* data = GetData();
    const uint32_t count = GetCount();
    for (uint32_t i = 0; i < count; ++i)
      if (data[i] == item) return static_cast<int32_t>(i);
    return -1;
  }

 protected:
  // The address of item index, index in [-1, count]; the before-first address
  // is formed on the integer so no out-of-range pointer arithmetic happens.
  T* PositionAt(int64_t index) const {
    const auto base = reinterpret_cast<uintptr_t>(const_cast<IArray*>(this)->GetData());
    return reinterpret_cast<T*>(base + static_cast<uintptr_t>(index * static_cast<int64_t>(sizeof(T))));
  }
  int64_t IndexOf(const T* position) const {
    const auto base = reinterpret_cast<intptr_t>(GetData());
    return (reinterpret_cast<intptr_t>(position) - base) / static_cast<intptr_t>(sizeof(T));
  }
};

}  // namespace HV
