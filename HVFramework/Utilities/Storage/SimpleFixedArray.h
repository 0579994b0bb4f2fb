#pragma once

#include "HVFramework/Utilities/Storage/IArray.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace HV {

// SimpleFixedArray<T, N>: at most N plain items stored inside the object; never
// touches the heap. Opened items are not cleared. No lock.
template <class T, uint32_t N>
class SimpleFixedArray : public IArray<T> {
  static_assert(std::is_trivially_copyable_v<T>, "fixed arrays move their items as bytes");

 public:
  using IArray<T>::GetItemPtr;
  using IArray<T>::GetData;

  uint32_t GetCount() const override { return mCount; }
  uint32_t GetMaxCount() const override { return N; }
  T* GetData() override { return mItems; }

  HResult SetCount(uint32_t count) override {
    mCount = std::min(count, N);
    return static_cast<HResult>(mCount);
  }

  HResult InsertSpace(uint32_t index, uint32_t count) override {
    if (count == 0) return static_cast<HResult>(mCount);
    if (index > mCount || count > N - mCount) return E_INVALIDARG;
    const uint32_t old = mCount;
    SetCount(old + count);
    std::memmove(mItems + index + count, mItems + index, (old - index) * sizeof(T));
    return static_cast<HResult>(mCount);
  }

  HResult RemoveSpace(uint32_t index, uint32_t count) override {
    if (count == 0) return static_cast<HResult>(mCount);
    if (index > mCount || count > mCount - index) return E_INVALIDARG;
    std::memmove(mItems + index, mItems + index + count, (mCount - index - count) * sizeof(T));
    return SetCount(mCount - count);
  }

  // E_INVALIDARG, storage untouched, for an index past the end.
  HResult RemoveItem(uint32_t index, T& out) override {
    if (index >= mCount) return E_INVALIDARG;
    out = mItems[index];
    return RemoveSpace(index, 1);
  }

  HResult RemoveLastItem(T& out) override {
    if (mCount == 0) return E_INVALIDARG;
    return RemoveItem(mCount - 1, out);
  }

 private:
  uint32_t mCount = 0;
  T mItems[N] = {};
};

}  // namespace HV
