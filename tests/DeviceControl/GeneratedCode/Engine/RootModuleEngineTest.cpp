// The engine without the device-control library beside the program: its
// first announcements, how it batches them, change requests, value reads and
// the device-list searches that find no library.

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"
#include "tests/support/DevicePackets.h"
#include "tests/support/EngineAnnouncements.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

namespace {

using HV::ParamDescriptor;
using HV::RCPtr;
using HV::Variant;
using HV::Test::EngineAnnouncements;

Variant Record(std::vector<uint8_t> bytes) { return MakeRecordValue(bytes); }

// The default record of a device-relative ID.
Variant DefaultOf(int32_t id) {
  const std::optional<ElementAddress> element = FindElement(0, id);
  return element ? Record(MakeDefaultRecord(element->kind, element->index)) : Variant();
}

HV::ParamDescriptors DescriptorsOf(const std::vector<int32_t>& ids) {
  std::vector<ParamDescriptor> descriptors;
  for (int32_t id : ids) descriptors.emplace_back(id);
  HV::ParamDescriptors list;
  list.Set(descriptors.data(), static_cast<uint32_t>(descriptors.size()));
  return list;
}

class LRootModuleEngineOffline : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mEngine->Initialize(0), HV::S_OK);
    mAnnounced.Drain();
  }
  void TearDown() override { mEngine = nullptr; }

  EngineAnnouncements mAnnounced;
  RCPtr<LRootModuleEngine> mEngine = LRootModuleEngine::Create(CreateDeviceLink);
};

TEST_F(LRootModuleEngineOffline, FirstAnnouncesEveryDefaultAsOneBatchThenConnected) {
  EXPECT_EQ(mAnnounced.Names(), (std::vector<std::string>{"NID_PARAM_MODULE_STATE_CHANGE",
                                                          "NID_DEVICE_CONNECTION_STATE_CHANGE"}));
  const auto changes = mAnnounced.StateChanges();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_TRUE(changes[0].isBatch);
  ASSERT_EQ(changes[0].values.size(), 131u);
  for (int32_t id = 0; id < 131; ++id) {
    EXPECT_EQ(changes[0].values[id].paramID, id);
    EXPECT_EQ(changes[0].values[id].value, DefaultOf(id)) << id;
  }
  EXPECT_EQ(mAnnounced.ConnectionStates(), std::vector<int32_t>{LRootModuleEngine::Connected});
  EXPECT_EQ(mEngine->GetConnectionState(), LRootModuleEngine::Connected);
}

TEST_F(LRootModuleEngineOffline, AnEditIsAnnouncedOnceAsASingleValue) {
  mAnnounced.Clear();
  const Variant record = Record({1, 5, 0, 0, 0, 0});
  EXPECT_EQ(mEngine->SetParamValue(ParamDescriptor(7), record), HV::S_OK);
  EXPECT_EQ(mEngine->SetParamValue(ParamDescriptor(7), record), HV::S_OK);
  mAnnounced.Drain();
  const auto changes = mAnnounced.StateChanges();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_FALSE(changes[0].isBatch);
  ASSERT_EQ(changes[0].values.size(), 1u);
  EXPECT_EQ(changes[0].values[0].paramID, 7);
  EXPECT_EQ(changes[0].values[0].value, record);

  Variant out;
  EXPECT_EQ(mEngine->GetParamValue(ParamDescriptor(7), &out), HV::S_OK);
  EXPECT_EQ(out, record);
}

TEST_F(LRootModuleEngineOffline, OneOrTwoValuesComeSingleThreeOrMoreAsOneBatch) {
  const struct {
    std::vector<int32_t> ids;
    std::vector<bool> batches;  // one entry per announcement
  } cases[] = {
      {{4}, {false}},
      {{4, 9}, {false, false}},
      {{4, 9, 130}, {true}},
  };
  for (const auto& c : cases) {
    mAnnounced.Clear();
    EXPECT_EQ(mEngine->RequestParamValues(DescriptorsOf(c.ids)), HV::S_OK);
    mAnnounced.Drain();
    const auto changes = mAnnounced.StateChanges();
    ASSERT_EQ(changes.size(), c.batches.size()) << c.ids.size();
    std::vector<int32_t> announced;
    for (size_t i = 0; i < changes.size(); ++i) {
      EXPECT_EQ(changes[i].isBatch, c.batches[i]);
      for (const auto& value : changes[i].values) {
        announced.push_back(value.paramID);
        EXPECT_EQ(value.value, DefaultOf(value.paramID));
      }
    }
    EXPECT_EQ(announced, c.ids);
  }
}

TEST_F(LRootModuleEngineOffline, MalformedDescriptorListsAnnounceNothing) {
  HV::ParamDescriptors notAList;
  notAList.Set(HV::kVariantInt32, "\x01\x00\x00\x00", 4);
  HV::ParamDescriptors tiny;
  tiny.Set(HV::kVariantList, "\x00\x00\x00\x00", 4);
  // A record claiming size 0 first: the walk must stop, not spin.
  HV::ParamDescriptors zeroSize;
  std::vector<uint8_t> data(12, 0);
  const HV::ParamDescriptors good = DescriptorsOf({3});
  uint32_t goodSize = 0;
  const auto* goodData = static_cast<const uint8_t*>(std::as_const(good).GetData(&goodSize));
  data.insert(data.end(), goodData, goodData + goodSize);
  zeroSize.Set(HV::kVariantList, data.data(), static_cast<uint32_t>(data.size()));

  for (const HV::ParamDescriptors* list : {&notAList, &tiny, &zeroSize}) {
    mAnnounced.Clear();
    EXPECT_EQ(mEngine->RequestParamValues(*list), HV::S_OK);
    mAnnounced.Drain();
    EXPECT_TRUE(mAnnounced.StateChanges().empty());
  }
}

TEST_F(LRootModuleEngineOffline, AChangeRequestIsAppliedAndAnnounced) {
  mAnnounced.Clear();
  const Variant record = Record({9, 9, 9, 9, 9, 9});
  mAnnounced.GetCenter()->CreateAndPostNotification(
      LRootModuleEngine::kChangeRequestName,
      RCPtr<HV::LParamValuePair>(new HV::LParamValuePair(ParamDescriptor(100), record)));
  mAnnounced.Drain();  // the request reaches the engine, which posts the change
  mAnnounced.Drain();
  const auto changes = mAnnounced.StateChanges();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].values.at(0).paramID, 100);
  EXPECT_EQ(changes[0].values.at(0).value, record);
}

// The record length of a device-relative ID.
int32_t LengthOf(int32_t id) { return GetElementLayout(FindElement(0, id)->kind).recordLength; }

// A record of the length given, in bytes no default holds.
Variant RecordOfLength(int32_t length) { return Record(std::vector<uint8_t>(static_cast<size_t>(length), 0x55)); }

// The values that are no record of the parameter's length: each is refused
// at both doors of an edit, nothing stored and nothing announced.
std::vector<std::pair<std::string, Variant>> MisfitsOf(int32_t id) {
  Variant text;
  text.SetString("TARSEL");
  return {{"empty record", RecordOfLength(0)},
          {"one byte short", RecordOfLength(LengthOf(id) - 1)},
          {"one byte long", RecordOfLength(LengthOf(id) + 1)},
          {"no value", Variant()},
          {"text", text}};
}

TEST_F(LRootModuleEngineOffline, EveryParameterTakesOnlyARecordOfItsLength) {
  for (int32_t id = 0; id < LRootModuleEngine::kParamCount; ++id) {
    SCOPED_TRACE(id);
    for (const auto& [name, misfit] : MisfitsOf(id)) {
      SCOPED_TRACE(name);
      mAnnounced.Clear();
      EXPECT_EQ(mEngine->SetParamValue(ParamDescriptor(id), misfit), HV::E_INVALIDARG);
      mAnnounced.GetCenter()->CreateAndPostNotification(
          LRootModuleEngine::kChangeRequestName,
          RCPtr<HV::LParamValuePair>(new HV::LParamValuePair(ParamDescriptor(id), misfit)));
      mAnnounced.Drain();  // the request reaches the engine
      mAnnounced.Drain();  // and whatever it posted
      EXPECT_TRUE(mAnnounced.StateChanges().empty());
      Variant held;
      EXPECT_EQ(mEngine->GetParamValue(ParamDescriptor(id), &held), HV::S_OK);
      EXPECT_EQ(held, DefaultOf(id));
    }
    mAnnounced.Clear();
    const Variant fit = RecordOfLength(LengthOf(id));
    EXPECT_EQ(mEngine->SetParamValue(ParamDescriptor(id), fit), HV::S_OK);
    mAnnounced.Drain();
    const auto changes = mAnnounced.StateChanges();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].values.at(0).paramID, id);
    EXPECT_EQ(changes[0].values.at(0).value, fit);
  }
}

TEST_F(LRootModuleEngineOffline, GetParamValuesFillsFromThePosition) {
  HV::Array<HV::ParamValue> out;
  out.SetCount(1);
  EXPECT_EQ(mEngine->GetParamValues(HV::ParamRange{5, 3}, &out, 2), HV::S_OK);
  ASSERT_EQ(out.GetCount(), 5u);
  for (uint32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(out.GetItemPtr(2 + i)->paramID, static_cast<int32_t>(5 + i));
    EXPECT_EQ(out.GetItemPtr(2 + i)->value, DefaultOf(5 + i));
  }
  // A negative position starts afresh at 0.
  EXPECT_EQ(mEngine->GetParamValues(HV::ParamRange{0, 131}, &out, -3), HV::S_OK);
  EXPECT_EQ(out.GetCount(), 131u);
  EXPECT_EQ(out.GetItemPtr(130)->value, DefaultOf(130));
  EXPECT_EQ(mEngine->GetFirstParamID(), 0);
}

TEST_F(LRootModuleEngineOffline, SwitchingOnFailsWithTheFirstSearchsErrorEveryTime) {
  EXPECT_EQ(mEngine->SetActive(true), HV::E_FAIL);
  EXPECT_EQ(mEngine->SetActive(true), HV::E_FAIL);
  HV::Array<Variant> devices;
  EXPECT_EQ(mEngine->GetDeviceList(&devices), HV::E_FAIL);
  EXPECT_EQ(devices.GetCount(), 0u);
}

TEST(LRootModuleEngine, BeforeConnectingEditsAreRefused) {
  EngineAnnouncements announced;
  const RCPtr<LRootModuleEngine> engine = LRootModuleEngine::Create(CreateDeviceLink);
  EXPECT_EQ(engine->GetConnectionState(), LRootModuleEngine::Disconnected);
  // Not initialised: nothing is connected, and a change request is ignored.
  announced.GetCenter()->CreateAndPostNotification(
      LRootModuleEngine::kChangeRequestName,
      RCPtr<HV::LParamValuePair>(new HV::LParamValuePair(ParamDescriptor(1), Record({1}))));
  announced.Drain();
  EXPECT_EQ(engine->SetParamValue(ParamDescriptor(1), Record({1})), HV::E_FAIL);
  EXPECT_TRUE(announced.Names().empty());
}

}  // namespace
