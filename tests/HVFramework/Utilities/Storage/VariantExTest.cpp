#include "HVFramework/Utilities/Storage/VariantEx.h"

#include "tests/support/Hex.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace HV {
namespace {

template <class T>
VariantEx Make(uint32_t tag, T value) {
  return Test::MakeValue<VariantEx>(tag, value);
}

VariantEx Text(const char* text) { return Test::MakeText<VariantEx>(text); }

VariantEx ListOf(const std::vector<Variant>& items) { return Test::MakeList<VariantEx>(items); }

std::u16string Wide(const StringW& s) { return std::u16string(s.GetText()); }

// Text values are read as the C runtime reads numbers; 64-bit readings (and
// the unsigned 32-bit one, which goes through them) do not stop at 32 bits.
TEST(VariantEx, TextValuesAreParsed) {
  struct Row {
    const char* text;
    bool b;
    int8_t i8;
    int32_t i32;
    uint32_t u32;
    int64_t i64;
    double d;
  } rows[] = {
      {"TRUE", true, 0, 0, 0, 0, 0},
      {"true", true, 0, 0, 0, 0, 0},
      {"yes", false, 0, 0, 0, 0, 0},
      {"42", false, 42, 42, 42, 42, 42},
      {"-1", false, -1, -1, 0xFFFFFFFF, -1, -1},
      {"  12abc", false, 12, 12, 12, 12, 12},
      {"300", false, 44, 300, 300, 300, 300},
      {"9999999999", false, -1, INT32_MAX, 1410065407, 9999999999, 9999999999.0},
      {"1.5e3", false, 1, 1, 1, 1, 1500},
      {"", false, 0, 0, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const VariantEx v = Text(row.text);
    EXPECT_EQ(v.GetBool(), row.b);
    EXPECT_EQ(v.GetInt8(), row.i8);
    EXPECT_EQ(v.GetUInt8(), static_cast<uint8_t>(row.i8));
    EXPECT_EQ(v.GetInt16(), static_cast<int16_t>(row.i32));
    EXPECT_EQ(v.GetUInt16(), static_cast<uint16_t>(row.i32));
    EXPECT_EQ(v.GetInt32(), row.i32);
    EXPECT_EQ(v.GetUInt32(), row.u32);
    EXPECT_EQ(v.GetInt64(), row.i64);
    EXPECT_EQ(v.GetUInt64(), static_cast<uint64_t>(row.i64));
    EXPECT_EQ(v.GetDouble(), row.d);
    EXPECT_EQ(v.GetFloat(), static_cast<float>(row.d));
  }
  // Other values convert as plain Variants do.
  EXPECT_EQ(Make<int16_t>(kVariantInt16, -2).GetUInt16(), 65534);
  EXPECT_EQ(Make<double>(kVariantDouble, -2.5).GetInt32(), -3);
  Variant plain;
  plain.SetString("abc");
  EXPECT_EQ(plain.GetInt32(), 3);
  EXPECT_EQ(VariantEx(plain).GetInt32(), 0);
}

TEST(VariantEx, ValueTextsFollowTheTag) {
  struct Row {
    VariantEx value;
    std::u16string text;
  } rows[] = {
      {VariantEx(), u"<empty>"},
      {Make<uint8_t>(kVariantBool, 1), u"true"},
      {Make<uint8_t>(kVariantBool, 0), u"false"},
      {Make<int8_t>(kVariantInt8, -5), u"-5"},
      {Make<uint8_t>(kVariantUInt8, 200), u"200"},
      {Make<int16_t>(kVariantInt16, -300), u"-300"},
      {Make<uint16_t>(kVariantUInt16, 65535), u"65535"},
      {Make<int32_t>(kVariantInt32, INT32_MIN), u"-2147483648"},
      {Make<uint32_t>(kVariantUInt32, 0xFFFFFFFF), u"4294967295"},
      {Make<float>(kVariantFloat, 0.5f), u"0.500000"},
      {Make<double>(kVariantDouble, -2.25), u"-2.250000"},
      {Make<int64_t>(kVariantInt64, -9000000000), u"-9000000000"},
      {Make<uint64_t>(kVariantUInt64, 255), u"FF"},
      {Text("h\xC3\xA9llo"), u"h\u00E9llo"},
      {ListOf({}), u"<empty array>"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Wide(row.value.GetValueText()), row.text);
    EXPECT_EQ(Wide(static_cast<const IStringable&>(row.value).ToString()), row.text);
  }
  // Byte arrays show their value bytes: the block's address.
  VariantEx bytes;
  bytes.SetBytes("ab", 2);
  uint32_t size = 0;
  char address[32];
  std::snprintf(address, sizeof address, "%llX",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(std::as_const(bytes).GetData(&size))));
  EXPECT_EQ(bytes.GetValueText(), StringW(address));
}

TEST(VariantEx, ListsAreListedWithIndentation) {
  const VariantEx list = ListOf({Make<int32_t>(kVariantInt32, 1), Text("ab"), ListOf({Make<int32_t>(kVariantInt32, 2)})});
  EXPECT_EQ(Wide(list.ToString(0)), u"array(3):\n  [0] 1\n  [1] ab\n  [2] array(1):\n    [0] 2");
  EXPECT_EQ(Wide(list.GetValueText()), Wide(list.ToString(0)));
  EXPECT_EQ(Wide(ListOf({Text("x")}).ToString(1)), u"array(1):\n    [0] x");
  EXPECT_EQ(Wide(Text("x").ToString(3)), u"x");
  EXPECT_EQ(Wide(ListOf({ListOf({})}).ToString(0)), u"array(1):\n  [0] <empty array>");
}

// Lists from outside may nest as deep as their size allows; the listing stops
// descending at a fixed depth and stays linear in the list's size.
TEST(VariantEx, DeeplyNestedListsAreListedToAFixedDepth) {
  VariantEx list = ListOf({Make<int32_t>(kVariantInt32, 7)});
  for (int i = 0; i < 200; ++i) list.SetList(&list, 1);
  const std::u16string text = Wide(list.ToString(0));
  EXPECT_EQ(text.find(u"[0] 7"), std::u16string::npos);
  EXPECT_NE(text.find(u"array(1): ..."), std::u16string::npos);
  EXPECT_LT(text.size(), 4000u);
}

TEST(VariantEx, BuffersAreHandedOutForBytesAndText) {
  VariantEx text = Text("ab");
  const ConstRCPtr<LIBuffer> buffer = text.GetBuffer();
  ASSERT_TRUE(buffer);
  EXPECT_EQ(buffer->GetSize(), 3u);
  EXPECT_EQ(std::memcmp(buffer->GetData(), "ab", 3), 0);
  EXPECT_EQ(static_cast<const void*>(buffer->GetData()), static_cast<const void*>(text.GetText()));

  text.SetString("changed");  // a new buffer: the one handed out keeps its bytes
  EXPECT_EQ(std::memcmp(buffer->GetData(), "ab", 3), 0);
  {
    VariantEx bytes;
    bytes.SetBytes("xyz", 3);
    const ConstRCPtr<LIBuffer> kept = bytes.GetBuffer();
    bytes.Clear();
    EXPECT_EQ(std::memcmp(kept->GetData(), "xyz", 3), 0);
  }

  try {
    Make<int32_t>(kVariantInt32, 1).GetBuffer();
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Runtime Error : HV::VariantEx::GetBuffer : ", 0), 0u) << e.what();
  }
  EXPECT_THROW(ListOf({}).GetBuffer(), std::runtime_error);
}

TEST(VariantEx, CopiesTakeBuffersOfTheirOwn) {
  Variant plain;
  plain.SetString("plain");
  const VariantEx fromPlain(plain);
  ASSERT_TRUE(fromPlain.GetBuffer());
  EXPECT_STREQ(fromPlain.GetText(), "plain");

  const VariantEx original = Text("text");
  VariantEx copy(original);
  EXPECT_NE(copy.GetBuffer().Get(), original.GetBuffer().Get());
  EXPECT_TRUE(copy == original);
  copy = plain;
  EXPECT_STREQ(copy.GetText(), "plain");
}

// Setting a value from itself keeps the old buffer alive until the new one is filled.
TEST(VariantEx, ValuesCanBeSetFromThemselves) {
  VariantEx v = Text("hello");
  VariantEx& same = v;
  v = same;
  EXPECT_STREQ(v.GetText(), "hello");
  uint32_t size = 0;
  const void* own = std::as_const(v).GetData(&size);
  EXPECT_EQ(v.SetBytes(own, size), kVariantBytes);
  EXPECT_EQ(std::memcmp(v.GetBuffer()->GetData(), "hello", 6), 0);

  VariantEx list = ListOf({Text("a")});
  const VariantEx before = list;
  EXPECT_EQ(list.SetList(&list, 1), kVariantList);
  EXPECT_EQ(list.GetListItem(0, list), 0);
  EXPECT_TRUE(list == before);
  list = Make<int32_t>(kVariantInt32, 3);  // the list's buffer goes
  EXPECT_EQ(list.GetInt32(), 3);
}

// ---- unpacking ----

TEST(VariantEx, ToArrayUnpacksOneLevel) {
  const VariantEx list = ListOf({Make<int32_t>(kVariantInt32, 1), Text("ab"), ListOf({Make<int32_t>(kVariantInt32, 2)})});
  Array<VariantEx> items;
  items.SetCount(5);
  EXPECT_EQ(VariantEx::ToArray(list, items), S_OK);
  ASSERT_EQ(items.GetCount(), 3u);
  EXPECT_EQ(items.GetItemPtr(0)->GetInt32(), 1);
  EXPECT_EQ(Wide(items.GetItemPtr(1)->GetValueText()), u"ab");
  EXPECT_EQ(Wide(items.GetItemPtr(2)->ToString(1)), u"array(1):\n    [0] 2");

  EXPECT_EQ(VariantEx::ToArray(VariantEx(), items), S_OK);
  EXPECT_EQ(items.GetCount(), 0u);
  items.SetCount(2);
  EXPECT_EQ(VariantEx::ToArray(Make<uint8_t>(kVariantBool, 1), items), E_INVALIDARG);
  EXPECT_EQ(items.GetCount(), 0u);
  EXPECT_EQ(VariantEx::ToArray(ListOf({}), items), S_OK);
  EXPECT_EQ(items.GetCount(), 0u);
}

TEST(VariantEx, ToArrayStopsAtABadRecordAndEmptiesUnreadableItems) {
  const std::vector<uint8_t> block = HV::Test::Hex(
      "0C000000 01000000 06000000"           // header-only int32: unreadable
      "0D000000 01000000 03000000 07"        // uint8 7
      "00000000 01000000 00000000");         // size 0: the list ends here
  VariantEx list;
  list.Set(kVariantList, block.data(), static_cast<uint32_t>(block.size()));
  Array<VariantEx> items;
  EXPECT_EQ(VariantEx::ToArray(list, items), S_OK);
  ASSERT_EQ(items.GetCount(), 2u);
  EXPECT_TRUE(items.GetItemPtr(0)->IsEmpty());
  EXPECT_EQ(items.GetItemPtr(1)->GetUInt8(), 7);
}

TEST(VariantEx, ToArrayReadsAListHeldInTheArrayItself) {
  Array<VariantEx> items;
  items.AddItem(ListOf({Text("x"), Text("y")}));
  EXPECT_EQ(VariantEx::ToArray(*items.GetItemPtr(0), items), S_OK);
  ASSERT_EQ(items.GetCount(), 2u);
  EXPECT_STREQ(items.GetItemPtr(1)->GetText(), "y");
}

// Swapping an item with itself copies it onto itself through a temporary.
TEST(VariantEx, ArraysSwapItemsWithThemselves) {
  Array<VariantEx> items;
  items.AddItem(Text("first"));
  items.AddItem(ListOf({Text("second")}));
  EXPECT_EQ(items.SwapItems(0, 0), 0);
  EXPECT_STREQ(items.GetItemPtr(0)->GetText(), "first");
  EXPECT_EQ(items.SwapItems(0, 1), 0);
  EXPECT_STREQ(items.GetItemPtr(1)->GetText(), "first");
  EXPECT_EQ(Wide(items.GetItemPtr(0)->GetValueText()), u"array(1):\n  [0] second");
  EXPECT_EQ(items.SwapItems(1, 2), E_INVALIDARG);
}

}  // namespace
}  // namespace HV
