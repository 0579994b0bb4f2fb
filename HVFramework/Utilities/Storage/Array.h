#pragma once

#include "HVFramework/Utilities/Storage/IArray.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace HV {

// Array<T>: items held by value in a std::vector. InsertItem answers the
// index it inserted at; reading or removing past the end throws
// std::out_of_range ("invalid vector<T> subscript"). No lock.
template <class T>
class Array : public IArray<T> {
 public:
  using IArray<T>::GetItemPtr;
  using IArray<T>::GetData;

  Array() = default;
  Array(const Array&) = default;
  Array& operator=(const Array&) = default;

  uint32_t GetCount() const override { return static_cast<uint32_t>(mItems.size()); }

  T* GetItemPtr(uint32_t index) override {
    if (index >= mItems.size()) throw std::out_of_range("invalid vector<T> subscript");
    return &mItems[index];
  }

  HResult InsertItem(uint32_t index, const T& item) override {
    if (index > mItems.size() || mItems.size() >= IIterable<T>::kMaxCount) return E_INVALIDARG;
    mItems.insert(mItems.begin() + index, item);
    return static_cast<HResult>(index);
  }

  HResult SetCount(uint32_t count) override {
    if (count > IIterable<T>::kMaxCount) return E_INVALIDARG;
    mItems.resize(count);
    return static_cast<HResult>(count);
  }

  HResult InsertSpace(uint32_t index, uint32_t count) override {
    if (index > mItems.size() || count > IIterable<T>::kMaxCount - mItems.size()) return E_INVALIDARG;
    mItems.insert(mItems.begin() + index, count, T());
    return static_cast<HResult>(mItems.size());
  }

  // Unlike the buffer arrays, (count, 0) is refused: the index must name an item.
  HResult RemoveSpace(uint32_t index, uint32_t count) override {
    if (index >= mItems.size() || count > mItems.size() - index) return E_INVALIDARG;
    mItems.erase(mItems.begin() + index, mItems.begin() + index + count);
    return static_cast<HResult>(mItems.size());
  }

  T* GetData() override { return mItems.empty() ? nullptr : mItems.data(); }

  // Copies source items into [offset, offset + count), clipped at the end; the
  // array never grows. Returns how many were copied.
  uint32_t SetRange(const T* source, uint32_t offset, uint32_t count) {
    if (offset >= mItems.size()) return 0;
    const uint32_t copied = std::min<uint32_t>(count, static_cast<uint32_t>(mItems.size()) - offset);
    std::copy(source, source + copied, mItems.begin() + offset);
    return copied;
  }

  // The same count and every pair of items equal by T's operator==.
  bool operator==(const Array& other) const { return mItems == other.mItems; }

 private:
  std::vector<T> mItems;
};

}  // namespace HV
