#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"

#include <cstdint>
#include <type_traits>
#include <utility>

namespace HV {

// IIterable<T>: read access to an ordered collection through positions.
//
// A position is the address of an item, or null; an empty collection has only
// null positions. Walking past either end stops at the end position (forward)
// or the before-first position (backward). Iterators are plain records of
// collection, position and step; they also work with range-for.
template <class T>
class IIterable {
 public:
  template <class Collection, class Item>
  struct BasicIterator {
    Collection* collection;
    Item* position;
    int32_t step;

    Item& operator*() const { return collection->GetAtPosition(position); }
    BasicIterator& operator++() {
      position = collection->AdvancePosition(const_cast<std::remove_const_t<Item>*>(position), step);
      return *this;
    }
    friend bool operator==(const BasicIterator& a, const BasicIterator& b) {
      return a.position == b.position;
    }
  };
  using Iterator = BasicIterator<IIterable, T>;
  using ConstIterator = BasicIterator<const IIterable, const T>;

  static constexpr uint32_t kMaxCount = 0x7FFFFFFF;

  virtual ~IIterable() = default;

  virtual uint32_t GetCount() const = 0;
  virtual uint32_t GetMaxCount() const { return kMaxCount; }

  ConstIterator Begin() const { return {this, GetFirstPosition(), +1}; }
  Iterator Begin() { return {this, GetFirstPosition(), +1}; }
  ConstIterator End() const { return {this, GetEndPosition(), +1}; }
  Iterator End() { return {this, GetEndPosition(), +1}; }
  ConstIterator RBegin() const { return {this, GetLastPosition(), -1}; }
  Iterator RBegin() { return {this, GetLastPosition(), -1}; }
  ConstIterator REnd() const { return {this, GetBeforeFirstPosition(), -1}; }
  Iterator REnd() { return {this, GetBeforeFirstPosition(), -1}; }

  // Range-for support: forward walk.
  ConstIterator begin() const { return Begin(); }
  Iterator begin() { return Begin(); }
  ConstIterator end() const { return End(); }
  Iterator end() { return End(); }

  virtual T& GetAtPosition(T* position) = 0;
  const T& GetAtPosition(const T* position) const {
    return const_cast<IIterable*>(this)->GetAtPosition(const_cast<T*>(position));
  }

  // The generic walk: index steps from the first position. Contiguous
  // collections replace it with plain arithmetic.
  virtual T* GetItemPtr(uint32_t index) {
    Iterator at = Begin();
    for (uint32_t i = 0; i < index; ++i) ++at;
    return &GetAtPosition(at.position);
  }
  const T* GetItemPtr(uint32_t index) const { return const_cast<IIterable*>(this)->GetItemPtr(index); }

  // E_INVALIDARG unless both indices are below the count; exchanges through a copy.
  virtual HResult SwapItems(uint32_t a, uint32_t b) {
    const uint32_t count = GetCount();
    if (a >= count || b >= count) return E_INVALIDARG;
    T& first = *GetItemPtr(a);
    T& second = *GetItemPtr(b);
    T temporary = first;
    first = second;
    second = temporary;
    return S_OK;
  }

  // The position n items on, clamped to [before-first, end].
  virtual T* AdvancePosition(T* position, int32_t n) const = 0;
  virtual T* GetFirstPosition() const = 0;
  virtual T* GetEndPosition() const = 0;
  virtual T* GetLastPosition() const = 0;
  virtual T* GetBeforeFirstPosition() const = 0;
};

}  // namespace HV
