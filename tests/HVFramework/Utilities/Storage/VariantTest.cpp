#include "HVFramework/Utilities/Storage/Variant.h"

#include "tests/support/Hex.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::Hex;
using Bytes = std::vector<uint8_t>;

// A Variant that can make data references (tags 12 and 13).
class ReferenceVariant : public Variant {
 public:
  ReferenceVariant(uint32_t type, const void* data, uint32_t size) { SetReference(type, data, size); }
};

// A Variant whose allocator has run dry.
class DryVariant : public Variant {
 protected:
  uint8_t* AllocateData(uint32_t) override { return nullptr; }
};

template <class T>
Variant Make(uint32_t tag, T value) {
  return Test::MakeValue(tag, value);
}

Variant Text(const char* text) { return Test::MakeText(text); }

Variant BytesOf(const Bytes& bytes) {
  Variant v;
  v.SetBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return v;
}

Variant ListOf(const std::vector<Variant>& items) { return Test::MakeList(items); }

using Test::Serialized;

HResult DeserializeInto(Variant& v, const Bytes& record) {
  return v.Deserialize(record.data(), static_cast<uint32_t>(record.size()));
}

const uint8_t kReferenced[] = {0x10, 0x20, 0x30, 0x40, 0x50};

// ---- records ----

struct GoldenRow {
  const char* name;
  Variant value;
  Bytes record;
};

std::vector<GoldenRow> GoldenRows() {
  return {
      {"empty", Variant(), Hex("0C000000 01000000 00000000")},
      {"bool", Make<uint8_t>(kVariantBool, 1), Hex("0D000000 01000000 01000000 01")},
      {"int8", Make<int8_t>(kVariantInt8, -1), Hex("0D000000 01000000 02000000 FF")},
      {"uint8", Make<uint8_t>(kVariantUInt8, 200), Hex("0D000000 01000000 03000000 C8")},
      {"int16", Make<int16_t>(kVariantInt16, -2), Hex("0E000000 01000000 04000000 FEFF")},
      {"uint16", Make<uint16_t>(kVariantUInt16, 0x1234), Hex("0E000000 01000000 05000000 3412")},
      {"int32", Make<int32_t>(kVariantInt32, -70000), Hex("10000000 01000000 06000000 90EEFEFF")},
      {"uint32", Make<uint32_t>(kVariantUInt32, 0xDEADBEEF), Hex("10000000 01000000 07000000 EFBEADDE")},
      {"float", Make<float>(kVariantFloat, 1.5f), Hex("10000000 01000000 08000000 0000C03F")},
      {"double", Make<double>(kVariantDouble, -2.0), Hex("14000000 01000000 09000000 00000000000000C0")},
      {"int64", Make<int64_t>(kVariantInt64, 0x0102030405060708), Hex("14000000 01000000 0A000000 0807060504030201")},
      {"uint64", Make<uint64_t>(kVariantUInt64, UINT64_MAX), Hex("14000000 01000000 0B000000 FFFFFFFFFFFFFFFF")},
      {"text", Text("ab"), Hex("0F000000 01000000 0F000000 616200")},
      {"bytes", BytesOf({1, 2, 3}), Hex("0F000000 01000000 0E000000 010203")},
      {"empty list", ListOf({}), Hex("0C000000 01000000 10000000")},
      {"list", ListOf({Make<int32_t>(kVariantInt32, 1), Text("ab")}),
       Hex("2B000000 01000000 10000000"
           "  10000000 01000000 06000000 01000000"
           "  0F000000 01000000 0F000000 616200")},
      {"nested list", ListOf({ListOf({Make<uint8_t>(kVariantUInt8, 7)}), Variant()}),
       Hex("31000000 01000000 10000000"
           "  19000000 01000000 10000000"
           "    0D000000 01000000 03000000 07"
           "  0C000000 01000000 00000000")},
  };
}

TEST(Variant, RecordsMatchTheGoldenBytesBothWays) {
  for (const GoldenRow& row : GoldenRows()) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Serialized(row.value), row.record);
    Variant read = Make<int32_t>(kVariantInt32, 99);
    EXPECT_EQ(DeserializeInto(read, row.record), S_OK);
    EXPECT_EQ(read.GetType(), row.value.GetType());
    EXPECT_TRUE(read == row.value);
  }
}

TEST(Variant, SerializeRefusesWhatItCannotWrite) {
  const Variant value = Make<int16_t>(kVariantInt16, -2);
  uint8_t buffer[14];
  EXPECT_EQ(value.Serialize(buffer, 13), E_FAIL);
  EXPECT_EQ(value.Serialize(nullptr, 100), E_FAIL);
  EXPECT_EQ(value.Serialize(buffer, 14), 14);
  EXPECT_EQ(ReferenceVariant(kVariantDataRef, nullptr, 0).Serialize(buffer, 14), E_FAIL);
  EXPECT_EQ(ReferenceVariant(kVariantDataRef2, nullptr, 0).Serialize(buffer, 14), E_FAIL);
  // A data reference with bytes writes them, and they come back as an owned byte array.
  EXPECT_EQ(Serialized(ReferenceVariant(kVariantDataRef, kReferenced, 2)), Hex("0E000000 01000000 0C000000 1020"));
}

// Old records (version 0) number their tags differently.
TEST(Variant, Version0RecordsAreReadWithTheOldTagNumbers) {
  struct Row {
    const char* record;
    HResult result;
    uint32_t tag;
  } rows[] = {
      {"0C000000 00000000 00000000", S_OK, kVariantEmpty},
      {"0D000000 00000000 01000000 01", S_OK, kVariantBool},
      {"10000000 00000000 02000000 FEFFFFFF", S_OK, kVariantInt32},
      {"14000000 00000000 03000000 0100000000000000", S_OK, kVariantInt64},
      {"10000000 00000000 04000000 0000C03F", S_OK, kVariantFloat},
      {"14000000 00000000 05000000 000000000000F03F", S_OK, kVariantDouble},
      {"0E000000 00000000 06000000 0102", E_FAIL, kVariantBytes},  // references come back as bytes
      {"0E000000 00000000 07000000 0102", E_FAIL, kVariantBytes},
      {"0E000000 00000000 08000000 0102", S_OK, kVariantBytes},
      {"0E000000 00000000 09000000 6100", S_OK, kVariantText},
      {"18000000 00000000 0A000000 0C000000 01000000 06000000", S_OK, kVariantList},
      {"0C000000 00000000 0A000000", S_OK, kVariantList},
      {"10000000 00000000 0B000000 01000000", E_FAIL, kVariantInt32},  // refused: untouched
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.record);
    Variant v = Make<int32_t>(kVariantInt32, 5);
    EXPECT_EQ(DeserializeInto(v, Hex(row.record)), row.result);
    EXPECT_EQ(v.GetType(), row.tag);
  }
  Variant v;
  DeserializeInto(v, Hex("10000000 00000000 02000000 FEFFFFFF"));
  EXPECT_EQ(v.GetInt32(), -2);
}

// Every way a record is refused, and what the refusal leaves in the value
// (it held the signed 32-bit 77 before).
TEST(Variant, DeserializeRefusesBadRecords) {
  enum Left { Untouched, Empty, ByteArray };
  struct Row {
    const char* name;
    const char* record;
    uint32_t available;  // 0: the whole record
    Left left;
  } rows[] = {
      {"fewer than 12 bytes", "0C000000 01000000 000000", 0, Untouched},
      {"header shorter than available", "0C000000 01000000 00000000", 11, Untouched},
      {"record runs past the bytes", "10000000 01000000 06000000 010000", 0, Untouched},
      {"record size below the header", "0B000000 01000000 00000000", 0, Untouched},
      {"record size 0", "00000000 01000000 06000000 01000000", 0, Untouched},
      {"unknown version", "10000000 02000000 06000000 01000000", 0, Untouched},
      {"unknown tag", "10000000 01000000 11000000 01000000", 0, Untouched},
      {"huge tag", "10000000 01000000 FFFFFFFF 01000000", 0, Untouched},
      {"header-only int32", "0C000000 01000000 06000000", 0, Untouched},
      {"header-only bytes", "0C000000 01000000 0E000000", 0, Untouched},
      {"header-only text", "0C000000 01000000 0F000000", 0, Untouched},
      {"empty value with data", "0D000000 01000000 00000000 01", 0, Untouched},
      {"int32 with 2 bytes", "0E000000 01000000 06000000 0100", 0, Empty},
      {"bool with 2 bytes", "0E000000 01000000 01000000 0100", 0, Empty},
      {"double with 4 bytes", "10000000 01000000 09000000 00000000", 0, Empty},
      {"data reference", "0F000000 01000000 0C000000 010203", 0, ByteArray},
      {"second-kind reference", "0F000000 01000000 0D000000 010203", 0, ByteArray},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Bytes record = Hex(row.record);
    Variant v = Make<int32_t>(kVariantInt32, 77);
    const uint32_t available = row.available ? row.available : static_cast<uint32_t>(record.size());
    EXPECT_EQ(v.Deserialize(record.data(), available), E_FAIL);
    switch (row.left) {
      case Untouched:
        EXPECT_EQ(v.GetType(), kVariantInt32);
        EXPECT_EQ(v.GetInt32(), 77);
        break;
      case Empty:
        EXPECT_TRUE(v.IsEmpty());
        break;
      case ByteArray:
        EXPECT_TRUE(v == BytesOf({1, 2, 3}));
        break;
    }
  }
  Variant v;
  EXPECT_EQ(v.Deserialize(nullptr, 100), E_FAIL);
}

TEST(Variant, TextRecordsEndAtTheirFirstNulOrTheirLastByte) {
  Variant v;
  EXPECT_EQ(DeserializeInto(v, Hex("0E000000 01000000 0F000000 6162")), S_OK);  // no terminator
  EXPECT_STREQ(v.GetText(), "ab");
  EXPECT_EQ(Serialized(v), Hex("0F000000 01000000 0F000000 616200"));
  EXPECT_EQ(DeserializeInto(v, Hex("0F000000 01000000 0F000000 610062")), S_OK);
  EXPECT_STREQ(v.GetText(), "a");
  EXPECT_EQ(v.GetInt32(), 1);
}

TEST(Variant, RecordsAreReadFromInsideLargerBuffers) {
  Bytes stream = Hex("0E000000 01000000 04000000 FEFF  0C000000 01000000 00000000");
  Variant v;
  EXPECT_EQ(v.Deserialize(stream.data(), static_cast<uint32_t>(stream.size())), S_OK);
  EXPECT_EQ(v.GetInt16(), -2);
}

// ---- setters ----

TEST(Variant, SetChecksTypeAndWidth) {
  const uint8_t data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  struct Row {
    uint32_t type;
    uint32_t size;
    uint32_t result;
  } rows[] = {
      {kVariantBool, 1, kVariantBool},   {kVariantBool, 2, kVariantEmpty},   {kVariantUInt8, 0, kVariantEmpty},
      {kVariantInt16, 2, kVariantInt16}, {kVariantUInt16, 4, kVariantEmpty}, {kVariantInt32, 4, kVariantInt32},
      {kVariantFloat, 4, kVariantFloat}, {kVariantFloat, 8, kVariantEmpty},  {kVariantDouble, 8, kVariantDouble},
      {kVariantUInt64, 8, kVariantUInt64}, {kVariantDataRef, 3, kVariantBytes}, {kVariantDataRef2, 3, kVariantBytes},
      {kVariantBytes, 3, kVariantBytes}, {kVariantText, 3, kVariantText},   {kVariantList, 0, kVariantList},
      {kVariantEmpty, 0, kVariantEmpty}, {17, 4, kVariantEmpty},             {0xFFFFFFFF, 4, kVariantEmpty},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "type " << row.type << " size " << row.size);
    Variant v = Text("old");
    EXPECT_EQ(v.Set(row.type, data, row.size), row.result);
    EXPECT_EQ(v.GetType(), row.result);
  }
  Variant v;
  EXPECT_EQ(v.Set(kVariantInt32, nullptr, 4), kVariantEmpty);
  EXPECT_EQ(v.SetBytes(nullptr, 3), kVariantEmpty);
  EXPECT_EQ(v.SetString(nullptr), kVariantEmpty);
}

TEST(Variant, ValuesCanBeSetFromThemselves) {
  Variant text = Text("hello");
  Variant& same = text;
  text = same;
  EXPECT_STREQ(text.GetText(), "hello");
  EXPECT_EQ(text.Set(same), kVariantText);
  EXPECT_STREQ(text.GetText(), "hello");

  uint32_t size = 0;
  const void* own = std::as_const(text).GetData(&size);
  EXPECT_EQ(text.SetBytes(own, size), kVariantBytes);
  EXPECT_TRUE(text == BytesOf({'h', 'e', 'l', 'l', 'o', 0}));
  own = std::as_const(text).GetData(&size);
  EXPECT_EQ(text.Set(kVariantText, own, size), kVariantText);
  EXPECT_STREQ(text.GetText(), "hello");

  Variant list = ListOf({Make<int32_t>(kVariantInt32, 1)});
  const Variant before = list;
  EXPECT_EQ(list.SetList(&list, 1), kVariantList);
  EXPECT_EQ(list.GetListCount(), 1u);
  Variant item;
  EXPECT_EQ(list.GetListItem(0, item), 0);
  EXPECT_TRUE(item == before);
  EXPECT_EQ(list.GetListItem(0, list), 0);  // the list replaced by its own item
  EXPECT_TRUE(list == before);
}

TEST(Variant, CopiesAreDeepForOwnedBlocksAndShallowForReferences) {
  Variant text = Text("abc");
  Variant copy(text);
  EXPECT_NE(copy.GetText(), text.GetText());
  EXPECT_TRUE(copy == text);

  const ReferenceVariant reference(kVariantDataRef, kReferenced, 5);
  Variant refCopy(reference);
  uint32_t size = 0;
  EXPECT_EQ(std::as_const(refCopy).GetData(&size), kReferenced);
  EXPECT_EQ(size, 5u);
  EXPECT_TRUE(refCopy == reference);
}

TEST(Variant, FailedAllocationLeavesAnEmptyValue) {
  DryVariant v;
  EXPECT_EQ(v.SetString("text"), kVariantEmpty);
  EXPECT_TRUE(v.IsEmpty());
  EXPECT_EQ(v.SetList(std::vector<Variant>(2).data(), 2), kVariantEmpty);
  EXPECT_EQ(v.SetBytes("", 0), kVariantBytes);  // nothing to allocate
  EXPECT_EQ(v.Set(kVariantInt32, "1234", 4), kVariantInt32);
}

TEST(Variant, WritableDataHidesListsAndSecondKindReferences) {
  uint32_t size = 99;
  Variant list = ListOf({Variant()});
  EXPECT_EQ(list.GetData(&size), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_NE(std::as_const(list).GetData(&size), nullptr);
  EXPECT_EQ(size, 12u);
  ReferenceVariant second(kVariantDataRef2, kReferenced, 5);
  EXPECT_EQ(second.GetData(&size), nullptr);
  Variant bytes = BytesOf({1, 2});
  static_cast<uint8_t*>(bytes.GetData(&size))[0] = 9;
  EXPECT_EQ(bytes.GetUInt16(), 0x0209);
  EXPECT_EQ(Variant().GetText(), nullptr);
  EXPECT_EQ(bytes.GetText(), nullptr);
}

// ---- getters ----

struct GetterRow {
  const char* name;
  Variant value;
  bool b;
  int8_t i8;
  uint8_t u8;
  int16_t i16;
  uint16_t u16;
  int32_t i32;
  uint32_t u32;
  int64_t i64;
  uint64_t u64;
  float f;
  double d;
};

std::vector<GetterRow> GetterRows() {
  constexpr uint64_t kMax = UINT64_MAX;
  // clang-format off
  return {
      //name            value                                                    b      i8    u8   i16     u16    i32          u32         i64                    u64                     f              d
      {"empty",         Variant(),                                               false, 0,    0,   0,      0,     0,           0,          0,                     0,                      0,             0},
      {"bool",          Make<uint8_t>(kVariantBool, 1),                          true,  1,    1,   1,      1,     1,           1,          1,                     1,                      1,             1},
      {"bool byte 5",   Make<uint8_t>(kVariantBool, 5),                          true,  1,    1,   5,      5,     5,           5,          5,                     5,                      5,             5},
      {"int8 -1",       Make<int8_t>(kVariantInt8, -1),                          true,  -1,   255, -1,     255,   -1,          0xFFFFFFFF, -1,                    kMax,                   -1,            -1},
      {"uint8 200",     Make<uint8_t>(kVariantUInt8, 200),                       true,  -56,  200, 200,    200,   200,         200,        200,                   200,                    200,           200},
      {"int16 -2",      Make<int16_t>(kVariantInt16, -2),                        true,  -2,   254, -2,     65534, -2,          0xFFFFFFFE, -2,                    kMax - 1,               -2,            -2},
      {"uint16 65534",  Make<uint16_t>(kVariantUInt16, 65534),                   true,  -2,   254, -2,     65534, 65534,       65534,      65534,                 65534,                  65534,         65534},
      {"int32 -70000",  Make<int32_t>(kVariantInt32, -70000),                    true,  -112, 144, -4464,  61072, -70000,      4294897296, -70000,                kMax - 69999,           -70000,        -70000},
      {"uint32 max",    Make<uint32_t>(kVariantUInt32, 0xFFFFFFFF),              true,  -1,   255, -1,     65535, -1,          0xFFFFFFFF, 4294967295,            4294967295,             4294967295.0f, 4294967295.0},
      {"float 2.5",     Make<float>(kVariantFloat, 2.5f),                        true,  3,    3,   3,      3,     3,           3,          3,                     3,                      2.5f,          2.5},
      {"double -2.5",   Make<double>(kVariantDouble, -2.5),                      true,  -3,   253, -3,     65533, -3,          0xFFFFFFFD, -3,                    kMax - 2,               -2.5f,         -2.5},
      {"double 300.4",  Make<double>(kVariantDouble, 300.4),                     true,  44,   44,  300,    300,   300,         300,        300,                   300,                    300.4f,        300.4},
      // Rounded by adding 0.5 in double arithmetic: the sum rounds up to 1, and past 2^52 to the even neighbour.
      {"double 0.49..", Make<double>(kVariantDouble, 0.49999999999999994),       true,  1,    1,   1,      1,     1,           1,          1,                     1,                      0.5f,          0.49999999999999994},
      {"double -0.49..",Make<double>(kVariantDouble, -0.49999999999999994),      true,  -1,   255, -1,     65535, -1,          0xFFFFFFFF, -1,                    kMax,                   -0.5f,         -0.49999999999999994},
      {"double 2^52+1", Make<double>(kVariantDouble, 4503599627370497.0),        true,  -1,   255, -1,     65535, INT32_MAX,   2,          4503599627370498,      4503599627370498,       4503599627370496.f, 4503599627370497.0},
      {"double 4e9",    Make<double>(kVariantDouble, 4e9),                       true,  -1,   255, -1,     65535, INT32_MAX,   4000000000, 4000000000,            4000000000,             4e9f,          4e9},
      {"double -1e30",  Make<double>(kVariantDouble, -1e30),                     true,  0,    0,   0,      0,     INT32_MIN,   0,          INT64_MIN,             0x8000000000000000,     -1e30f,        -1e30},
      {"double NaN",    Make<double>(kVariantDouble, std::nan("")),              true,  0,    0,   0,      0,     0,           0,          0,                     0,                      NAN,           NAN},
      {"double -0.0",   Make<double>(kVariantDouble, -0.0),                      false, 0,    0,   0,      0,     0,           0,          0,                     0,                      0,             0},
      {"int64",         Make<int64_t>(kVariantInt64, 0x123456789ABCDEF0),        true,  -16,  240, -8464,  57072, -1698898192, 2596069104, 0x123456789ABCDEF0,    0x123456789ABCDEF0,     float(0x123456789ABCDEF0), double(0x123456789ABCDEF0)},
      {"uint64 max",    Make<uint64_t>(kVariantUInt64, kMax),                    true,  -1,   255, -1,     65535, -1,          0xFFFFFFFF, -1,                    kMax,                   1.8446744e19f, 18446744073709551615.0},
      {"reference",     ReferenceVariant(kVariantDataRef, kReferenced, 5),       true,  16,   16,  0x2010, 0x2010, 0x40302010, 0x40302010, 0x5040302010,          0x5040302010,           1076895760.f,  double(0x5040302010)},
      {"reference 2",   ReferenceVariant(kVariantDataRef2, kReferenced, 1),      true,  16,   16,  16,     16,    16,          16,         16,                    16,                     16,            16},
      {"null reference",ReferenceVariant(kVariantDataRef, nullptr, 0),           false, 0,    0,   0,      0,     0,           0,          0,                     0,                      0,             0},
      {"bytes",         BytesOf({1, 2, 3, 4, 5, 6, 7, 0x88}),                    true,  1,    1,   513,    513,   0x04030201,  0x04030201, int64_t(0x8807060504030201), 0x8807060504030201, 67305985.f, double(int64_t(0x8807060504030201))},
      {"one byte",      BytesOf({0xFF}),                                         true,  -1,   255, 255,    255,   255,         255,        255,                   255,                    255,           255},
      {"no bytes",      BytesOf({}),                                             false, 0,    0,   0,      0,     0,           0,          0,                     0,                      0,             0},
      {"text abc",      Text("abc"),                                             true,  3,    3,   3,      3,     3,           3,          3,                     3,                      3,             3},
      {"empty text",    Text(""),                                                false, 0,    0,   0,      0,     0,           0,          0,                     0,                      0,             0},
      {"list",          ListOf({Text("a"), Text("b")}),                          true,  0,    0,   0,      0,     0,           0,          0,                     0,                      0,             0},
      {"empty list",    ListOf({}),                                              false, 0,    0,   0,      0,     0,           0,          0,                     0,                      0,             0},
  };
  // clang-format on
}

void ExpectSameFloat(double actual, double expected) {
  if (std::isnan(expected))
    EXPECT_TRUE(std::isnan(actual));
  else
    EXPECT_EQ(actual, expected);
}

TEST(Variant, GettersConvertEveryTagAsTheTableSays) {
  for (const GetterRow& row : GetterRows()) {
    SCOPED_TRACE(row.name);
    const Variant& v = row.value;
    EXPECT_EQ(v.GetBool(), row.b);
    EXPECT_EQ(v.GetInt8(), row.i8);
    EXPECT_EQ(v.GetUInt8(), row.u8);
    EXPECT_EQ(v.GetInt16(), row.i16);
    EXPECT_EQ(v.GetUInt16(), row.u16);
    EXPECT_EQ(v.GetInt32(), row.i32);
    EXPECT_EQ(v.GetUInt32(), row.u32);
    EXPECT_EQ(v.GetInt64(), row.i64);
    EXPECT_EQ(v.GetUInt64(), row.u64);
    ExpectSameFloat(v.GetFloat(), row.f);
    ExpectSameFloat(v.GetDouble(), row.d);
  }
}

// Text, bytes and references read their floating values through the integer
// getters, so a derived class's integer reading carries over.
TEST(Variant, FloatingGettersOfBlocksGoThroughTheIntegerGetters) {
  struct Doubled : Variant {
    int32_t GetInt32() const override { return 2 * Variant::GetInt32(); }
    int64_t GetInt64() const override { return 3 * Variant::GetInt64(); }
  } v;
  v.SetString("abcd");
  EXPECT_EQ(v.GetFloat(), 8.0f);
  EXPECT_EQ(v.GetDouble(), 12.0);
}

// ---- lists ----

TEST(Variant, ListItemsAreReadBackInOrder) {
  const Variant list = ListOf({Make<int32_t>(kVariantInt32, 1), Text("two"), ListOf({Make<uint8_t>(kVariantUInt8, 3)})});
  EXPECT_EQ(list.GetListCount(), 3u);
  Variant item = Text("stale");
  EXPECT_EQ(list.GetListItem(0, item), 0);
  EXPECT_EQ(item.GetInt32(), 1);
  EXPECT_EQ(list.GetListItem(1, item), 0);
  EXPECT_STREQ(item.GetText(), "two");
  EXPECT_EQ(list.GetListItem(2, item), 0);
  EXPECT_TRUE(item == ListOf({Make<uint8_t>(kVariantUInt8, 3)}));
  EXPECT_EQ(list.GetListItem(3, item), -1);
  EXPECT_TRUE(item.IsEmpty());

  Variant notAList = Text("x");
  item = Text("stale");
  EXPECT_EQ(notAList.GetListItem(0, item), -1);
  EXPECT_TRUE(item.IsEmpty());
  EXPECT_EQ(notAList.GetListCount(), 0u);
  EXPECT_EQ(ListOf({}).GetListCount(), 0u);
}

TEST(Variant, ListPointerFormPacksNullItemsAsEmptyValues) {
  const Variant one = Make<int8_t>(kVariantInt8, 1);
  const Variant* items[] = {&one, nullptr};
  Variant list;
  EXPECT_EQ(list.SetList(items, 2), kVariantList);
  EXPECT_TRUE(list == ListOf({one, Variant()}));
  EXPECT_EQ(list.SetList(static_cast<const Variant* const*>(nullptr), 1), kVariantEmpty);
  EXPECT_EQ(list.SetList(static_cast<const Variant*>(nullptr), 0), kVariantList);
}

// An empty data reference has no bytes to write: its item is a header of its
// tag alone, which reads back as an unreadable (empty) item.
TEST(Variant, EmptyReferencesPackAsCompleteHeaders) {
  const ReferenceVariant none(kVariantDataRef2, nullptr, 0);
  const Variant list = ListOf({none, Make<uint8_t>(kVariantUInt8, 9)});
  EXPECT_EQ(Serialized(list), Hex("25000000 01000000 10000000"
                                   "  0C000000 01000000 0D000000"
                                   "  0D000000 01000000 03000000 09"));
  EXPECT_EQ(list.GetListCount(), 2u);
  Variant item = Text("stale");
  EXPECT_EQ(list.GetListItem(0, item), 0);
  EXPECT_TRUE(item.IsEmpty());
  EXPECT_EQ(list.GetListItem(1, item), 0);
  EXPECT_EQ(item.GetUInt8(), 9);
}

// Lists read from outside may hold any size fields: the walk stops at the
// first record that is too small or runs past the end.
TEST(Variant, ListWalksStopAtBadRecordSizes) {
  struct Row {
    const char* name;
    const char* block;
    uint32_t count;
  } rows[] = {
      {"size 0", "00000000 01000000 06000000 01000000", 0},
      {"size below the header", "05000000 01000000 06000000 01000000", 0},
      {"size past the end", "40000000 01000000 06000000 01000000", 0},
      {"huge size", "FFFFFFFF 01000000 06000000 01000000", 0},
      {"good then size 0", "10000000 01000000 06000000 01000000  00000000 01000000 00000000", 1},
      {"good then 4 stray bytes", "10000000 01000000 06000000 01000000  0C000000", 1},
      {"good then 11 stray bytes", "10000000 01000000 06000000 01000000  0C000000 01000000 000000", 1},
      {"4 bytes", "0C000000", 0},
      {"two headers", "0C000000 01000000 00000000 0C000000 01000000 00000000", 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Bytes block = Hex(row.block);
    Variant list;
    ASSERT_EQ(list.Set(kVariantList, block.data(), static_cast<uint32_t>(block.size())), kVariantList);
    EXPECT_EQ(list.GetListCount(), row.count);
    Variant item;
    for (uint32_t i = 0; i < row.count; ++i) EXPECT_EQ(list.GetListItem(i, item), 0);
    EXPECT_EQ(list.GetListItem(row.count, item), -1);
    EXPECT_EQ(list.GetListItem(0xFFFFFFFF, item), -1);
  }
}

TEST(Variant, UnreadableItemsReadAsEmptyButAreFound) {
  const Bytes block = Hex("0C000000 01000000 06000000  0E000000 01000000 06000000 0100");
  Variant list;
  list.Set(kVariantList, block.data(), static_cast<uint32_t>(block.size()));
  EXPECT_EQ(list.GetListCount(), 2u);
  Variant item = Text("stale");
  EXPECT_EQ(list.GetListItem(0, item), 0);
  EXPECT_TRUE(item.IsEmpty());
  item = Text("stale");
  EXPECT_EQ(list.GetListItem(1, item), 0);
  EXPECT_TRUE(item.IsEmpty());
}

// ---- equality ----

TEST(Variant, EqualityComparesTagsThenValues) {
  struct Row {
    const char* name;
    Variant a;
    Variant b;
    bool equal;
  } rows[] = {
      {"two empties", Variant(), Variant(), true},
      {"two empty lists", ListOf({}), ListOf({}), true},
      {"list and bytes alike", ListOf({Variant()}), BytesOf(Hex("0C000000 01000000 00000000")), false},
      {"int32 and uint32 alike", Make<int32_t>(kVariantInt32, 1), Make<uint32_t>(kVariantUInt32, 1), false},
      {"same int16", Make<int16_t>(kVariantInt16, -2), Make<int16_t>(kVariantInt16, -2), true},
      {"NaN", Make<double>(kVariantDouble, NAN), Make<double>(kVariantDouble, NAN), false},
      {"signed zeros", Make<float>(kVariantFloat, 0.0f), Make<float>(kVariantFloat, -0.0f), true},
      {"texts", Text("abc"), Text("abc"), true},
      {"texts differ", Text("abc"), Text("abd"), false},
      {"empty and no bytes", BytesOf({}), BytesOf({}), true},
      {"same reference", ReferenceVariant(kVariantDataRef, kReferenced, 2), ReferenceVariant(kVariantDataRef, kReferenced, 2), true},
      {"same bytes elsewhere", ReferenceVariant(kVariantDataRef, kReferenced, 2), BytesOf({0x10, 0x20}), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.a == row.b, row.equal);
  }
}

}  // namespace
}  // namespace HV
