#pragma once

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/IArray.h"

#include <algorithm>

namespace HV {

// ArrayUtils: stable sorting of a range of an array, or of an index array
// over a source array. Items that compare equal keep their order.
class ArrayUtils {
 public:
  // Sorts items [first, first + count) in place. Ranges of fewer than two
  // items are left alone without a range check.
  template <class T, class Less>
  static void Sort(IArray<T>& array, uint32_t first, uint32_t count, Less less) {
    if (count < 2) return;
    if (uint64_t{first} + count > array.GetCount()) Throw<std::out_of_range>(HV_HERE("HV::ArrayUtils::Sort"));
    T* begin = array.GetData() + first;
    std::stable_sort(begin, begin + count, less);
  }

  // Makes indices {first, ..., first + count - 1} and sorts them with less,
  // which compares the source items two indices name.
  template <class T, class Less>
  static void SortIndecies(IArray<uint32_t>& indices, const IArray<T>& source, uint32_t first, uint32_t count,
                           Less less) {
    if (uint64_t{first} + count > source.GetCount())
      Throw<std::out_of_range>(HV_HERE("HV::ArrayUtils::SortIndecies"));
    if (indices.SetCount(count) != static_cast<HResult>(count)) throw Exception<std::bad_alloc>();
    for (uint32_t i = 0; i < count; ++i) *indices.GetItemPtr(i) = first + i;
    if (count < 2) return;
    uint32_t* begin = indices.GetItemPtr(0);
    std::stable_sort(begin, begin + count, less);
  }
};

}  // namespace HV
