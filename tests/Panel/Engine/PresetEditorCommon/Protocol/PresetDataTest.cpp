#include "Panel/Engine/PresetEditorCommon/Protocol/PresetData.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "tests/Panel/Engine/PresetEditorCommon/MidiBytes.h"

#include <gtest/gtest.h>

#include <numeric>

namespace HV {
namespace {

using HV::Test::Bytes;

std::vector<uint8_t> CountingData() {
  std::vector<uint8_t> data(kPresetDataLength);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i % 0x80);
  return data;
}

TEST(PresetData, RecordsAreCutByTheFixedLayout) {
  const std::array<uint32_t, kDeviceParamCount>& lengths = PresetData::GetRecordLengths();
  EXPECT_EQ(std::accumulate(lengths.begin(), lengths.end(), 0u), 1338u);
  EXPECT_EQ(lengths[0], 6u);     // preset name
  EXPECT_EQ(lengths[1], 9u);     // first keybed zone
  EXPECT_EQ(lengths[25], 17u);   // first push button
  EXPECT_EQ(lengths[130], 15u);  // last touch-pad axis

  const std::vector<uint8_t> data = CountingData();
  const std::optional<PresetData::Records> records = PresetData::SplitRecords(data);
  ASSERT_TRUE(records);
  size_t offset = 0;
  for (size_t i = 0; i < records->size(); ++i) {
    EXPECT_EQ((*records)[i].data(), data.data() + offset) << i;
    EXPECT_EQ((*records)[i].size(), lengths[i]) << i;
    offset += lengths[i];
  }
}

TEST(PresetData, DataOfAnyOtherLengthIsNotCut) {
  const std::vector<uint8_t> data = CountingData();
  EXPECT_FALSE(PresetData::SplitRecords(std::span(data).first(1337)));
  std::vector<uint8_t> longer = data;
  longer.push_back(0);
  EXPECT_FALSE(PresetData::SplitRecords(longer));
  EXPECT_FALSE(PresetData::SplitRecords({}));
}

TEST(PresetData, DumpIsHeaderSlotAndTheRecordsJoined) {
  const std::vector<uint8_t> data = MakeDefaultPresetData();
  MidiMessage message;
  ASSERT_EQ(PresetData::MakePresetDump(5, *PresetData::SplitRecords(data), message), S_OK);
  const std::vector<uint8_t> expected =
      HV::Test::Join({0x00, 0x3C, 0x51, 0x7F, 0x31, 0x05, 0x61, 0x0A, 0x3B, 0x05}, data);
  EXPECT_EQ(Bytes(message), expected);
  EXPECT_EQ(message.GetCount(), 1348u);
  ASSERT_EQ(KeyboardSysEx::FrameSysEx(message), S_OK);
  EXPECT_EQ(message.GetCount(), 1350u);
}

TEST(PresetData, UnsendableRecordsOrSlotsLeaveTheMessageAlone) {
  const std::vector<uint8_t> data = CountingData();
  const std::vector<uint8_t> statusByte = {0x00, 0x01, 0x80, 0x00, 0x00, 0x00};
  const std::vector<uint8_t> tooShort = {0x00, 0x01, 0x02, 0x03, 0x04};
  const std::vector<uint8_t> tooLong = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
  const std::vector<uint8_t> untouched = {0x33};

  for (const std::vector<uint8_t>* name : {&statusByte, &tooShort, &tooLong}) {
    PresetData::Records records = *PresetData::SplitRecords(data);
    records[0] = *name;  // the 6-byte preset name
    MidiMessage message = HV::Test::Message(untouched);
    EXPECT_EQ(PresetData::MakePresetDump(0, records, message), E_FAIL);
    EXPECT_EQ(Bytes(message), untouched);
  }
  for (int32_t slot : {-1, 128, 255}) {
    MidiMessage message = HV::Test::Message(untouched);
    EXPECT_EQ(PresetData::MakePresetDump(slot, *PresetData::SplitRecords(data), message), E_FAIL) << slot;
    EXPECT_EQ(Bytes(message), untouched);
  }
  EXPECT_FALSE(PresetData::IsRecordSendable(131, std::vector<uint8_t>(15)));
  EXPECT_FALSE(PresetData::IsRecordSendable(-1, std::vector<uint8_t>(6)));
}

}  // namespace
}  // namespace HV
