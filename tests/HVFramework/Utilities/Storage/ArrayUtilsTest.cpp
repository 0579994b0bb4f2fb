#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ArrayBuffer.h"
#include "HVFramework/Utilities/Storage/ArrayUtils.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace HV {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

using Entry = std::pair<int, char>;  // key, then a tag that shows the original order

template <class T>
std::vector<T> Items(const IArray<T>& array) {
  std::vector<T> items;
  for (const T& item : array) items.push_back(item);
  return items;
}

TEST(ArrayUtils, SortIsStableOverTheRangeOnly) {
  Array<Entry> array;
  for (Entry e : {Entry{9, 'x'}, Entry{2, 'a'}, Entry{1, 'b'}, Entry{2, 'c'}, Entry{1, 'd'}, Entry{0, 'y'}})
    array.AddItem(e);
  ArrayUtils::Sort(array, 1, 4, [](const Entry& a, const Entry& b) { return a.first < b.first; });
  EXPECT_THAT(Items<Entry>(array), ElementsAre(Entry{9, 'x'}, Entry{1, 'b'}, Entry{1, 'd'}, Entry{2, 'a'},
                                               Entry{2, 'c'}, Entry{0, 'y'}));
}

TEST(ArrayUtils, SortOfFewerThanTwoItemsChecksNothing) {
  Array<int> array;
  auto less = [](int a, int b) { return a < b; };
  EXPECT_NO_THROW(ArrayUtils::Sort(array, 7, 1, less));
  EXPECT_NO_THROW(ArrayUtils::Sort(array, 0xFFFFFFFFu, 0, less));
  array.AddItem(1);
  array.AddItem(2);
  try {
    ArrayUtils::Sort(array, 0xFFFFFFFFu, 2, less);  // would wrap to 1 in 32 bits
    FAIL() << "no exception";
  } catch (const std::out_of_range& error) {
    EXPECT_THAT(error.what(), StartsWith("Out of Range : HV::ArrayUtils::Sort : "));
  }
}

TEST(ArrayUtils, SortIndeciesOrdersIndicesStably) {
  Array<int> source;
  for (int v : {50, 40, 7, 3, 7}) source.AddItem(v);
  ArrayBuffer<uint32_t, 1, 0> indices;
  ArrayUtils::SortIndecies(indices, source, 2, 3,
                           [&](uint32_t a, uint32_t b) { return *source.GetItemPtr(a) < *source.GetItemPtr(b); });
  EXPECT_THAT(Items<uint32_t>(indices), ElementsAre(3u, 2u, 4u));
}

TEST(ArrayUtils, SortIndeciesChecksTheRangeForEveryCount) {
  Array<int> source;
  source.AddItem(1);
  ArrayBuffer<uint32_t, 1, 0> indices;
  auto less = [](uint32_t a, uint32_t b) { return a < b; };
  ArrayUtils::SortIndecies(indices, source, 1, 0, less);
  EXPECT_EQ(indices.GetCount(), 0u);
  try {
    ArrayUtils::SortIndecies(indices, source, 1, 1, less);
    FAIL() << "no exception";
  } catch (const std::out_of_range& error) {
    EXPECT_THAT(error.what(), StartsWith("Out of Range : HV::ArrayUtils::SortIndecies : "));
  }
}

}  // namespace
}  // namespace HV
