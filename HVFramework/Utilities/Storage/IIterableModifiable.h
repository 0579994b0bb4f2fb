#pragma once

#include "HVFramework/Utilities/Storage/IIterable.h"

namespace HV {

// IIterableModifiable<T>: an IIterable whose items can be inserted, removed and
// replaced. Operations that change the count return the new count (or, where a
// class says so, an index) on success and a negative result code on failure.
template <class T>
class IIterableModifiable : public IIterable<T> {
 public:
  using IIterable<T>::Begin;
  using IIterable<T>::GetCount;
  using IIterable<T>::GetItemPtr;

  virtual HResult RemoveAll() { return SetCount(0) == 0 ? S_OK : E_FAIL; }

  virtual HResult InsertItem(uint32_t index, const T& item) {
    const HResult result = InsertSpace(index, 1);
    if (result >= 0) *GetItemPtr(index) = item;
    return result;
  }

  virtual HResult RemoveItem(uint32_t index, T& out) {
    out = *GetItemPtr(index);
    return RemoveSpace(index, 1);
  }

  // Grows once to the total, then assigns the source's items in order.
  virtual HResult AppendItems(const IIterable<T>& source) {
    const uint32_t base = GetCount();
    const uint32_t added = source.GetCount();
    if (added == 0) return static_cast<HResult>(base);
    if (!GrowBy(base, added)) return E_FAIL;
    auto from = source.Begin();
    auto to = Begin();
    for (uint32_t i = 0; i < base; ++i) ++to;
    for (uint32_t i = 0; i < added; ++i, ++from, ++to) *to = *from;
    return static_cast<HResult>(base + added);
  }

  virtual HResult AddItem(const T& item) { return InsertItem(GetCount(), item); }
  virtual HResult RemoveLastItem(T& out) { return RemoveItem(GetCount() - 1, out); }

  virtual HResult AssignItems(const IIterable<T>& source) {
    SetCount(0);
    return AppendItems(source);
  }

  virtual HResult SetCount(uint32_t count) = 0;
  virtual HResult InsertSpace(uint32_t index, uint32_t count) = 0;
  virtual HResult RemoveSpace(uint32_t index, uint32_t count) = 0;

 protected:
  // Sets the count from base to base + added in one step; false when the
  // collection could not take them all.
  bool GrowBy(uint32_t base, uint32_t added) {
    const uint64_t total = uint64_t{base} + added;
    if (total > IIterable<T>::kMaxCount) return false;
    return SetCount(static_cast<uint32_t>(total)) == static_cast<HResult>(total);
  }
};

}  // namespace HV
