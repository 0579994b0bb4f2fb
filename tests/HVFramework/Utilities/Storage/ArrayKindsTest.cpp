// One table of operations run over every array kind, with a column for each
// place where the kinds are meant to differ.
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ArrayBuffer.h"
#include "HVFramework/Utilities/Storage/ArrayBufferM.h"
#include "HVFramework/Utilities/Storage/Pair.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "HVFramework/Utilities/Storage/SimpleFixedArray.h"
#include "HVFramework/Utilities/Storage/StringT.h"
#include "HVFramework/Utilities/Storage/Variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <vector>

namespace HV {
namespace {

class Box : public virtual LRefCountedObject {
 public:
  explicit Box(int value) : mValue(value) {}
  int mValue;
};

enum class Removal { Throws, InvalidArg };
enum class LastOfEmpty { Throws, Fail, InvalidArg };

// Per kind: how to make and read an item, and the specified differences.
template <class A, class I>
struct ValueKind {
  using ArrayType = A;
  using Item = I;
  static Item Make(int v) { return static_cast<Item>(v); }
  static int Read(const Item& item) { return static_cast<int>(item); }
};

struct VectorKind : ValueKind<Array<int32_t>, int32_t> {
  static constexpr bool kInsertAnswersIndex = true;
  static constexpr bool kRemoveSpaceAtEndIsInvalid = true;
  static constexpr Removal kRemovePastEnd = Removal::Throws;
  static constexpr LastOfEmpty kLastOfEmpty = LastOfEmpty::Throws;
  static constexpr bool kEmptyDataIsNull = true;
  static constexpr bool kOpenedItemsCleared = true;
};

template <class A, class I>
struct PlainKind : ValueKind<A, I> {
  static constexpr bool kInsertAnswersIndex = false;
  static constexpr bool kRemoveSpaceAtEndIsInvalid = false;
  static constexpr Removal kRemovePastEnd = Removal::InvalidArg;
  static constexpr LastOfEmpty kLastOfEmpty = LastOfEmpty::InvalidArg;
  static constexpr bool kEmptyDataIsNull = true;
  static constexpr bool kOpenedItemsCleared = true;
};
struct BufferKind : PlainKind<ArrayBuffer<uint32_t, 1, 0>, uint32_t> {};
struct SlackBufferKind : PlainKind<ArrayBuffer<uint32_t, 4, 1600>, uint32_t> {};
struct InlineKind : PlainKind<ArrayBufferM<int8_t, 4, 1, 0>, int8_t> {
  static constexpr bool kEmptyDataIsNull = false;  // the inline storage
};
struct FixedKind : PlainKind<SimpleFixedArray<int8_t, 8>, int8_t> {
  static constexpr bool kEmptyDataIsNull = false;
  static constexpr bool kOpenedItemsCleared = false;
};

template <class A, class I>
struct ReferenceKind {
  using ArrayType = A;
  using Item = I;
  static Item Make(int v) { return Item(new Box(v)); }
  static int Read(const Item& item) { return item ? item->mValue : 0; }
  static constexpr bool kInsertAnswersIndex = true;
  static constexpr bool kRemoveSpaceAtEndIsInvalid = false;
  static constexpr Removal kRemovePastEnd = Removal::Throws;
  static constexpr LastOfEmpty kLastOfEmpty = LastOfEmpty::Fail;
  static constexpr bool kEmptyDataIsNull = true;
  static constexpr bool kOpenedItemsCleared = true;
};
struct RefKind : ReferenceKind<RCPtrArray<Box>, RCPtr<Box>> {};
struct ConstRefKind : ReferenceKind<ConstRCPtrArray<Box>, ConstRCPtr<Box>> {};
struct QueueStorageKind : ReferenceKind<RCPtrArray<Box, 256, 256>, RCPtr<Box>> {};

template <class Kind>
class ArrayKinds : public ::testing::Test {
 protected:
  using ArrayType = typename Kind::ArrayType;
  using Item = typename Kind::Item;
  using Interface = IArray<Item>;

  // Reached through the interface so every kind is driven the same way.
  Interface& Of(ArrayType& array) { return array; }

  void Fill(Interface& array, std::vector<int> values) {
    array.RemoveAll();
    for (int v : values) ASSERT_GE(array.AddItem(Kind::Make(v)), 0);
  }

  std::vector<int> Forward(Interface& array) {
    std::vector<int> seen;
    for (auto at = array.Begin(); at != array.End(); ++at) seen.push_back(Kind::Read(*at));
    return seen;
  }

  std::vector<int> Backward(Interface& array) {
    std::vector<int> seen;
    for (auto at = array.RBegin(); at != array.REnd(); ++at) seen.push_back(Kind::Read(*at));
    return seen;
  }

  ArrayType mStorage;
  Interface& mArray = mStorage;
};

using Kinds = ::testing::Types<VectorKind, BufferKind, SlackBufferKind, InlineKind, FixedKind, RefKind,
                               ConstRefKind, QueueStorageKind>;
TYPED_TEST_SUITE(ArrayKinds, Kinds);

TYPED_TEST(ArrayKinds, EmptyArrayHasOnlyNullPositions) {
  auto& array = this->mArray;
  EXPECT_EQ(array.GetCount(), 0u);
  EXPECT_EQ(array.GetFirstPosition(), nullptr);
  EXPECT_EQ(array.GetEndPosition(), nullptr);
  EXPECT_EQ(array.GetLastPosition(), nullptr);
  EXPECT_EQ(array.GetBeforeFirstPosition(), nullptr);
  EXPECT_TRUE(array.Begin() == array.End());
  EXPECT_EQ(array.GetData() == nullptr, TypeParam::kEmptyDataIsNull);
  EXPECT_EQ(array.AdvancePosition(nullptr, 3), nullptr);
}

TYPED_TEST(ArrayKinds, WalksBothWaysAndClampsAtTheEnds) {
  auto& array = this->mArray;
  this->Fill(array, {1, 2, 3});
  EXPECT_EQ(this->Forward(array), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(this->Backward(array), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(array.AdvancePosition(array.GetLastPosition(), 5), array.GetEndPosition());
  EXPECT_EQ(array.AdvancePosition(array.GetFirstPosition(), -5), array.GetBeforeFirstPosition());
  EXPECT_EQ(array.AdvancePosition(array.GetFirstPosition(), 2), array.GetLastPosition());
  EXPECT_EQ(TypeParam::Read(*array.GetItemPtr(1)), 2);
}

TYPED_TEST(ArrayKinds, InsertItemAnswersIndexOrCountAndRefusesGaps) {
  auto& array = this->mArray;
  this->Fill(array, {1, 2, 3});
  EXPECT_EQ(array.InsertItem(3, TypeParam::Make(4)), TypeParam::kInsertAnswersIndex ? 3 : 4);
  EXPECT_EQ(array.InsertItem(5, TypeParam::Make(6)), E_INVALIDARG);
  EXPECT_EQ(array.InsertItem(0, TypeParam::Make(0)), TypeParam::kInsertAnswersIndex ? 0 : 5);
  EXPECT_EQ(this->Forward(array), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(array.InsertItem(0xFFFFFFFFu, TypeParam::Make(9)), E_INVALIDARG);
}

TYPED_TEST(ArrayKinds, InsertSpaceOpensAndRemoveSpaceCloses) {
  auto& array = this->mArray;
  this->Fill(array, {7, 8, 9});
  EXPECT_EQ(array.InsertSpace(1, 2), 5);
  EXPECT_EQ(TypeParam::Read(*array.GetItemPtr(0)), 7);
  EXPECT_EQ(TypeParam::Read(*array.GetItemPtr(3)), 8);
  EXPECT_EQ(TypeParam::Read(*array.GetItemPtr(4)), 9);
  if (TypeParam::kOpenedItemsCleared) {
    EXPECT_EQ(TypeParam::Read(*array.GetItemPtr(1)), 0);
    EXPECT_EQ(TypeParam::Read(*array.GetItemPtr(2)), 0);
  }
  EXPECT_EQ(array.InsertSpace(6, 1), E_INVALIDARG);
  EXPECT_EQ(array.RemoveSpace(1, 2), 3);
  EXPECT_EQ(this->Forward(array), (std::vector<int>{7, 8, 9}));
  EXPECT_EQ(array.RemoveSpace(3, 0), TypeParam::kRemoveSpaceAtEndIsInvalid ? E_INVALIDARG : 3);
  // Ranges that would wrap in 32-bit arithmetic are refused, not obeyed.
  if (!std::is_base_of_v<ConstRCPtrArray<Box>, typename TypeParam::ArrayType> &&
      !std::is_base_of_v<ConstRCPtrArray<Box, 256, 256>, typename TypeParam::ArrayType>) {
    EXPECT_EQ(array.RemoveSpace(1, 0xFFFFFFFFu), E_INVALIDARG);
    EXPECT_EQ(array.GetCount(), 3u);
  }
}

TYPED_TEST(ArrayKinds, RemovingPastTheEndThrowsOrIsRefused) {
  auto& array = this->mArray;
  typename TypeParam::Item out = TypeParam::Make(5);
  if (TypeParam::kRemovePastEnd == Removal::Throws) {
    EXPECT_THROW(array.RemoveItem(0, out), std::out_of_range);
  } else {
    EXPECT_EQ(array.RemoveItem(0, out), E_INVALIDARG);
  }
  switch (TypeParam::kLastOfEmpty) {
    case LastOfEmpty::Throws:
      EXPECT_THROW(array.RemoveLastItem(out), std::out_of_range);
      break;
    case LastOfEmpty::Fail:
      EXPECT_EQ(array.RemoveLastItem(out), E_FAIL);
      break;
    case LastOfEmpty::InvalidArg:
      EXPECT_EQ(array.RemoveLastItem(out), E_INVALIDARG);
      break;
  }
  this->Fill(array, {1, 2});
  EXPECT_EQ(array.RemoveItem(0, out), 1);
  EXPECT_EQ(TypeParam::Read(out), 1);
  EXPECT_EQ(array.RemoveLastItem(out), 0);
  EXPECT_EQ(TypeParam::Read(out), 2);
}

TYPED_TEST(ArrayKinds, SwapsInRangeOnly) {
  auto& array = this->mArray;
  this->Fill(array, {1, 2, 3});
  EXPECT_EQ(array.SwapItems(0, 2), S_OK);
  EXPECT_EQ(array.SwapItems(1, 1), S_OK);
  EXPECT_EQ(this->Forward(array), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(array.SwapItems(0, 3), E_INVALIDARG);
  EXPECT_EQ(this->Forward(array), (std::vector<int>{3, 2, 1}));
}

TYPED_TEST(ArrayKinds, AppendAddAndAssignCopyInSourceOrder) {
  auto& array = this->mArray;
  typename TypeParam::ArrayType source;
  this->Fill(source, {4, 5});
  this->Fill(array, {1});
  EXPECT_EQ(array.AppendItems(source), 3);
  EXPECT_EQ(array.AddItems(source), 5);
  EXPECT_EQ(this->Forward(array), (std::vector<int>{1, 4, 5, 4, 5}));
  typename TypeParam::ArrayType empty;
  EXPECT_EQ(array.AppendItems(empty), 5);
  EXPECT_EQ(array.AssignItems(source), 2);
  EXPECT_EQ(this->Forward(array), (std::vector<int>{4, 5}));
  EXPECT_EQ(array.FindItem(*source.GetItemPtr(1)), 1);
  EXPECT_EQ(array.RemoveAll(), S_OK);
  EXPECT_EQ(array.GetCount(), 0u);
}

// Only the kinds with a fixed bound refuse to grow past it.
TEST(SimpleFixedArray, KeepsAtMostItsBound) {
  SimpleFixedArray<int8_t, 8> array;
  EXPECT_EQ(array.GetMaxCount(), 8u);
  EXPECT_EQ(array.SetCount(12), 8);
  EXPECT_EQ(array.InsertSpace(0, 1), E_INVALIDARG);
  EXPECT_EQ(array.GetCount(), 8u);
}

TEST(ArrayBuffer, GrowingZeroFillsTheNewItems) {
  ArrayBuffer<uint32_t, 1, 0> array;
  array.AddItem(0xAAAAAAAA);
  array.AddItem(0xBBBBBBBB);
  array.SetCount(1);
  EXPECT_EQ(array.SetCount(5), 5);
  EXPECT_EQ(*array.GetItemPtr(0), 0xAAAAAAAAu);
  for (uint32_t i = 1; i < 5; ++i) EXPECT_EQ(*array.GetItemPtr(i), 0u) << i;
}

TEST(ArrayBufferM, MovesBetweenInlineStorageAndTheHeapWithTheItems) {
  ArrayBufferM<int8_t, 4, 1, 0> array;
  for (int8_t v = 1; v <= 4; ++v) array.AddItem(v);
  EXPECT_TRUE(array.IsInline());
  EXPECT_EQ(array.GetCapacity(), 0u);
  array.AddItem(5);
  array.AddItem(6);
  EXPECT_FALSE(array.IsInline());
  EXPECT_EQ(array.GetCapacity(), 6u);
  EXPECT_EQ(array.SetCount(3), 3);
  EXPECT_TRUE(array.IsInline());
  EXPECT_EQ(array.GetCapacity(), 0u);
  for (int8_t i = 0; i < 3; ++i) EXPECT_EQ(*array.GetItemPtr(i), i + 1);
}

TEST(ArrayBufferM, FillsTheStorageTheItemsLiveIn) {
  ArrayBufferM<int8_t, 4, 1, 0> array;
  array.SetCount(3);
  EXPECT_EQ(array.GetSize(), 3u);
  EXPECT_EQ(array.Fill(0x7F, 1, -1), S_OK);
  EXPECT_EQ(array.Fill(0, 2, 5), E_INVALIDARG);
  EXPECT_EQ(*array.GetItemPtr(0), 0);
  EXPECT_EQ(*array.GetItemPtr(2), 0x7F);
  array.SetCount(6);
  EXPECT_EQ(array.FillWords(0x0101, 0, 3), S_OK);
  for (uint32_t i = 0; i < 6; ++i) EXPECT_EQ(*array.GetItemPtr(i), 1) << i;
}

TEST(Array, ReadingPastTheEndThrowsTheVectorSubscriptError) {
  Array<int32_t> array;
  array.AddItem(1);
  try {
    array.GetItemPtr(1);
    FAIL();
  } catch (const std::out_of_range& error) {
    EXPECT_STREQ(error.what(), "invalid vector<T> subscript");
  }
}

TEST(Array, SetRangeCopiesClippedAtTheEnd) {
  Array<uint8_t> array;
  array.SetCount(4);
  const uint8_t bytes[] = {1, 2, 3};
  EXPECT_EQ(array.SetRange(bytes, 2, 3), 2u);
  EXPECT_EQ(array.SetRange(bytes, 4, 3), 0u);
  EXPECT_EQ(*array.GetItemPtr(3), 2);
  EXPECT_EQ(array.GetCount(), 4u);
}

TEST(Array, EqualWhenTheCountsAndEveryPairOfItemsAre) {
  auto doubles = [](std::initializer_list<double> items) {
    Array<double> array;
    for (double item : items) array.AddItem(item);
    return array;
  };
  struct Case {
    const char* name;
    Array<double> a;
    Array<double> b;
    bool equal;
  };
  const Case cases[] = {
      {"both empty", doubles({}), doubles({}), true},
      {"same items", doubles({1.5, -2}), doubles({1.5, -2}), true},
      {"one item differs", doubles({1.5, -2}), doubles({1.5, 2}), false},
      {"a prefix", doubles({1.5}), doubles({1.5, -2}), false},
      {"NaN is never equal", doubles({std::nan("")}), doubles({std::nan("")}), false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.a == c.b, c.equal) << c.name;

  Array<Variant> texts;
  texts.SetCount(2);
  texts.GetItemPtr(0)->SetString("a");
  Array<Variant> copy = texts;
  EXPECT_TRUE(copy == texts);
  copy.GetItemPtr(1)->SetString("b");
  EXPECT_FALSE(copy == texts);
}

TEST(Array, HoldsPairsOfWideStringsSharingTheirBuffers) {
  using Entry = Pair<StringW, StringW>;
  Array<Entry> entries;
  entries.AddItem({StringW(u"key"), StringW(u"text")});
  const Entry copy = *entries.GetItemPtr(0);
  EXPECT_EQ(copy.first.GetBuffer().Get(), entries.GetItemPtr(0)->first.GetBuffer().Get());
  EXPECT_TRUE(copy == *entries.GetItemPtr(0));
  EXPECT_FALSE((Entry{StringW(u"key"), StringW(u"other")} == copy));
  Array<Entry> same = entries;
  EXPECT_TRUE(same == entries);
}

}  // namespace
}  // namespace HV
