// The parameter cache: the change test of plain slots, the bounds of the
// slots and sub-keyed records kept in order.

#include "DeviceControl/GeneratedCode/Engine/Src/ParamCache.h"

#include "HVFramework/Utilities/Storage/ParamValues.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using HV::ParamDescriptor;
using HV::Variant;
using HV::Test::MakeText;
using HV::Test::MakeValue;

Variant Bytes(std::vector<uint8_t> bytes) {
  Variant value;
  value.SetBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return value;
}

ParamDescriptor SubKeyed(int32_t id, const Variant& subKey) {
  ParamDescriptor descriptor(id);
  descriptor.descriptor = subKey;
  return descriptor;
}

// Counts what it is told of.
class CountingCache final : public LParamCache {
 public:
  static HV::RCPtr<CountingCache> Create() { return HV::RCPtr<CountingCache>(new CountingCache()); }
  HV::HResult OnValueChanged(uint32_t index, const Variant& value) override {
    ++mChanges;
    mLastIndex = index;
    mLastValue = value;
    return HV::S_OK;
  }
  int mChanges = 0;
  uint32_t mLastIndex = 0;
  Variant mLastValue;

 private:
  CountingCache() : LParamCache(131) {}
};

TEST(LParamCache, StoringTheSameValueTwiceChangesItOnce) {
  const auto cache = CountingCache::Create();
  const Variant record = Bytes({1, 2, 3});
  EXPECT_EQ(cache->SetValue(ParamDescriptor(7), record, true), 0);
  EXPECT_EQ(cache->SetValue(ParamDescriptor(7), Bytes({1, 2, 3}), true), 1);
  EXPECT_EQ(cache->mChanges, 1);
  EXPECT_EQ(cache->mLastIndex, 7u);
  EXPECT_EQ(cache->mLastValue, record);

  Variant out;
  EXPECT_EQ(cache->GetValue(ParamDescriptor(7), &out), 0);
  EXPECT_EQ(out, record);
}

TEST(LParamCache, AStoreWithoutNotifyTellsNobody) {
  const auto cache = CountingCache::Create();
  EXPECT_EQ(cache->SetValue(ParamDescriptor(0), Bytes({9}), false), 0);
  EXPECT_EQ(cache->mChanges, 0);
}

TEST(LParamCache, AValueOfAnotherTypeCountsAsChanged) {
  const auto cache = LParamCache::Create(131);
  EXPECT_EQ(cache->SetValue(ParamDescriptor(3), Bytes({1}), false), 0);
  EXPECT_EQ(cache->SetValue(ParamDescriptor(3), MakeValue(HV::kVariantUInt8, uint8_t{1}), false), 0);
  EXPECT_EQ(cache->SetValue(ParamDescriptor(3), Variant(), false), 0);
  EXPECT_EQ(cache->SetValue(ParamDescriptor(3), Variant(), false), 1);
}

TEST(LParamCache, IDsOutsideTheSlotsAnswerMinusOneAndLeaveOutEmpty) {
  const auto cache = LParamCache::Create(131);
  for (int32_t id : {131, 132, -1, -8, INT_MIN, INT_MAX}) {
    EXPECT_EQ(cache->SetValue(ParamDescriptor(id), Bytes({1}), true), -1) << id;
    Variant out = Bytes({5});
    EXPECT_EQ(cache->GetValue(ParamDescriptor(id), &out), -1) << id;
    EXPECT_TRUE(out.IsEmpty()) << id;
  }
}

TEST(LParamCache, ASlotNeverWrittenReadsEmpty) {
  const auto cache = LParamCache::Create(131);
  Variant out = Bytes({5});
  EXPECT_EQ(cache->GetValue(ParamDescriptor(130), &out), 0);
  EXPECT_TRUE(out.IsEmpty());
}

TEST(LParamCache, SubKeyedRecordsOfOneIDCoexistInSubKeyOrder) {
  const auto cache = CountingCache::Create();
  const Variant five = MakeValue(HV::kVariantInt32, int32_t{5});
  const Variant two = MakeValue(HV::kVariantInt32, int32_t{2});
  EXPECT_EQ(cache->SetValue(SubKeyed(4, five), Bytes({50}), true), 0);
  EXPECT_EQ(cache->SetValue(SubKeyed(4, two), Bytes({20}), true), 0);
  EXPECT_EQ(cache->SetValue(SubKeyed(4, two), Bytes({20}), true), 1);
  EXPECT_EQ(cache->mChanges, 2);

  // The slot is a list ordered by sub-key.
  Variant slot;
  ASSERT_EQ(cache->GetValue(ParamDescriptor(4), &slot), 0);
  HV::ParamValues list;
  list.Set(slot);
  ASSERT_EQ(list.GetListCount(), 2u);
  Variant value;
  Variant subKey;
  int32_t id = 0;
  ASSERT_EQ(list.GetParamValue(0, value, id, subKey), 0);
  EXPECT_EQ(id, 4);
  EXPECT_EQ(subKey, two);
  EXPECT_EQ(value, Bytes({20}));

  Variant out;
  EXPECT_EQ(cache->GetValue(SubKeyed(4, five), &out), 0);
  EXPECT_EQ(out, Bytes({50}));
  EXPECT_EQ(cache->GetValue(SubKeyed(4, MakeValue(HV::kVariantInt32, int32_t{3})), &out), 1);
  EXPECT_TRUE(out.IsEmpty());
}

TEST(LParamCache, ReplacingASubKeyedValueKeepsTheOtherRecords) {
  const auto cache = LParamCache::Create(131);
  EXPECT_EQ(cache->SetValue(SubKeyed(1, MakeText("b")), Bytes({1}), false), 0);
  EXPECT_EQ(cache->SetValue(SubKeyed(1, MakeText("a")), Bytes({2}), false), 0);
  EXPECT_EQ(cache->SetValue(SubKeyed(1, MakeText("b")), Bytes({3}), false), 0);

  Variant out;
  EXPECT_EQ(cache->GetValue(SubKeyed(1, MakeText("a")), &out), 0);
  EXPECT_EQ(out, Bytes({2}));
  EXPECT_EQ(cache->GetValue(SubKeyed(1, MakeText("b")), &out), 0);
  EXPECT_EQ(out, Bytes({3}));
}

TEST(LParamCache, ASubKeyedStoreIntoAPlainValueFailsAndKeepsIt) {
  const auto cache = LParamCache::Create(131);
  EXPECT_EQ(cache->SetValue(ParamDescriptor(2), Bytes({7, 7}), false), 0);
  EXPECT_EQ(cache->SetValue(SubKeyed(2, MakeText("k")), Bytes({1}), false), -1);
  Variant out;
  EXPECT_LT(cache->GetValue(SubKeyed(2, MakeText("k")), &out), 0);
  EXPECT_EQ(cache->GetValue(ParamDescriptor(2), &out), 0);
  EXPECT_EQ(out, Bytes({7, 7}));
}

}  // namespace
