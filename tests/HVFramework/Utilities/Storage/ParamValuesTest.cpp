#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/Wrapper.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ParamDescriptors.h"
#include "HVFramework/Utilities/Storage/ParamListItems.h"
#include "HVFramework/Utilities/Storage/ParamValuePair.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"

#include "tests/support/Hex.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace HV {
namespace {

using Test::Serialized;

ParamValue MakeValue(int32_t id, int32_t value, const char* descriptor = nullptr) {
  ParamValue v(id);
  v.value.Set(kVariantInt32, &value, sizeof value);
  if (descriptor) v.descriptor.SetString(descriptor);
  return v;
}

TEST(ParamValues, OneValueMatchesTheGoldenRecordBothWays) {
  const ParamValue input = MakeValue(64, 1000);
  ParamValues values;
  ASSERT_EQ(values.Set(&input, 1), 0);
  const std::vector<uint8_t> golden = HV::Test::Hex(
      "44000000 01000000 10000000"
      "  38000000 01000000 10000000"
      "    10000000 01000000 06000000 E8030000"
      "    10000000 01000000 06000000 40000000"
      "    0C000000 01000000 00000000");
  EXPECT_EQ(Serialized(values), golden);

  ParamValues read;
  ASSERT_EQ(read.Deserialize(golden.data(), static_cast<uint32_t>(golden.size())), S_OK);
  Variant value;
  int32_t id = 0;
  Variant descriptor;
  descriptor.SetString("stale");
  EXPECT_EQ(read.GetParamValue(0, value, id, descriptor), 0);
  EXPECT_EQ(value.GetInt32(), 1000);
  EXPECT_EQ(id, 64);
  EXPECT_TRUE(descriptor.IsEmpty());
}

TEST(ParamValues, ValuesAreReadBackByIndex) {
  const ParamValue input[] = {MakeValue(1, 10), MakeValue(2, 20, "second")};
  ParamValues values;
  ASSERT_EQ(values.Set(input, 2), 0);
  EXPECT_EQ(values.GetListCount(), 2u);
  Variant value;
  int32_t id = 0;
  Variant descriptor;
  EXPECT_EQ(values.GetParamValue(1, value, id, descriptor), 0);
  EXPECT_EQ(value.GetInt32(), 20);
  EXPECT_EQ(id, 2);
  EXPECT_STREQ(descriptor.GetText(), "second");

  descriptor.SetString("kept");
  EXPECT_EQ(values.GetParamValue(2, value, id, descriptor), kParamMissing);
  EXPECT_TRUE(value.IsEmpty());
  EXPECT_EQ(id, -1);
  EXPECT_STREQ(descriptor.GetText(), "kept");
}

TEST(ParamValues, MissingInputKeepsTheOldList) {
  const ParamValue input = MakeValue(5, 50);
  ParamValues values;
  values.Set(&input, 1);
  const Variant before = values;
  EXPECT_EQ(values.Set(nullptr, 1), kParamMissing);
  EXPECT_EQ(values.Set(&input, 0), kParamMissing);
  EXPECT_TRUE(values == before);
}

TEST(ParamValues, DescriptorItemsHaveTheWrongShape) {
  const ParamDescriptors descriptors(ParamRange{1, 2});
  ParamValues values;
  values.Variant::Set(descriptors);
  Variant value;
  value.SetString("stale");
  int32_t id = 0;
  Variant descriptor;
  descriptor.SetString("kept");
  EXPECT_EQ(values.GetParamValue(0, value, id, descriptor), kParamWrongShape);
  EXPECT_TRUE(value.IsEmpty());
  EXPECT_EQ(id, -1);
  EXPECT_STREQ(descriptor.GetText(), "kept");
}

// The packet the device link queues: counted, shared, never copied.
TEST(ParamValues, CountedPacketsAreSharedNotCopied) {
  using Packet = LWrapper<ParamValues, LRefCountedObject>;
  RCPtr<Packet> packet(new Packet());
  const ParamValue input = MakeValue(7, 70);
  EXPECT_EQ(packet->Set(&input, 1), 0);
  RCPtr<Packet> shared = packet;
  EXPECT_EQ(shared.Get(), packet.Get());
  EXPECT_EQ(packet->GetRefCount(), 2);
  EXPECT_THROW(packet->CreateCopy(), std::logic_error);
  Variant value;
  int32_t id = 0;
  Variant descriptor;
  EXPECT_EQ(shared->GetParamValue(0, value, id, descriptor), 0);
  EXPECT_EQ(id, 7);
}

// A preset is an array of values; swapping one with itself must keep it.
TEST(ParamValues, ADefaultValueNamesNoParameter) {
  EXPECT_EQ(ParamValue().paramID, -1);
  EXPECT_EQ(ParamValue(7).paramID, 7);
  Array<ParamValue> preset;
  preset.SetCount(1);
  EXPECT_EQ(preset.GetItemPtr(0)->paramID, -1);
  EXPECT_EQ(preset.GetItemPtr(0)->value.GetType(), kVariantEmpty);
}

TEST(ParamValues, PresetArraysSwapValuesWithThemselves) {
  Array<ParamValue> preset;
  preset.AddItem(MakeValue(1, 10, "first"));
  preset.AddItem(MakeValue(2, 20));
  EXPECT_EQ(preset.SwapItems(0, 0), 0);
  EXPECT_EQ(preset.GetItemPtr(0)->paramID, 1);
  EXPECT_STREQ(preset.GetItemPtr(0)->descriptor.GetText(), "first");
  EXPECT_EQ(preset.SwapItems(0, 1), 0);
  EXPECT_EQ(preset.GetItemPtr(0)->value.GetInt32(), 20);
  EXPECT_EQ(preset.GetItemPtr(1)->value.GetInt32(), 10);

  ParamValues values;
  ASSERT_EQ(values.Set(preset.GetData(), preset.GetCount()), 0);
  EXPECT_EQ(values.GetListCount(), 2u);
}

TEST(ParamValues, SingleValuesTravelAsCountedPairsNamedByTheirID) {
  Variant value;
  value.SetString("on");
  RCPtr<LParamValuePair> pair(new LParamValuePair(ParamDescriptor(-8), value));
  EXPECT_EQ(pair->ToString(), StringW(u"-8"));
  EXPECT_STREQ(pair->GetValue().GetText(), "on");
}

}  // namespace
}  // namespace HV
