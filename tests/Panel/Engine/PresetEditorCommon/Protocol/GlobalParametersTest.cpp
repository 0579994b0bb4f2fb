#include "Panel/Engine/PresetEditorCommon/Protocol/GlobalParameters.h"

#include "HVFramework/Utilities/Storage/StringT.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/KeyboardSysEx.h"
#include "tests/Panel/Engine/PresetEditorCommon/MidiBytes.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace HV {
namespace {

using namespace GlobalParameters;
using HV::Test::Bytes;

struct RangeRow {
  std::u16string key;
  int32_t index;
  int32_t minimum;
  int32_t maximum;  // -1: never settable
};

// Written out again from the keyboard's documentation, not from kTable.
const RangeRow kRanges[] = {
    {u"Global_Channel", 0, 0, 16},    {u"XYPAD_VELOCITY", 1, 0, -1},    {u"XYPAD_FRACTION", 2, 0, -1},
    {u"XYPAD_REBOUND", 3, 0, -1},     {u"MACKIE_HUI_ENABLED", 4, 0, 1}, {u"KEY_OCTAVE", 5, 2, 9},
    {u"KEY_TRANSPOSE", 6, 0, 24},     {u"KEY_SENSITIVITY", 7, 0, 6},    {u"PAD_OCTAVE", 8, 0, 10},
    {u"PAD_TRANSPOSE", 9, 0, 25},     {u"PAD_SENSITIVITY", 10, 0, 9},   {u"CURVE_ACCELLERATION", 11, 0, 3},
    {u"XY_SENSITIVITY", 12, 0, 9},    {u"GLOBAL_PROGRAM", 13, 0, 127},  {u"GLOBAL_BANK_MSB", 14, 0, 127},
    {u"GLOBAL_BANK_LSB", 15, 0, 127}, {u"MIDI_DIN_OUT", 16, 0, 1},
};

TEST(GlobalParameters, EveryKeyAcceptsItsRangeAndRefusesJustOutside) {
  for (const RangeRow& row : kRanges) {
    SCOPED_TRACE(std::string(row.key.begin(), row.key.end()));
    EXPECT_EQ(FindNonPresetParameterIndex(row.key), row.index);
    const bool settable = row.maximum >= row.minimum;
    EXPECT_FALSE(IsGlobalParameterValueValid(row.key, row.minimum - 1));
    EXPECT_EQ(IsGlobalParameterValueValid(row.key, row.minimum), settable);
    EXPECT_EQ(IsGlobalParameterValueValid(row.key, row.maximum), settable);
    EXPECT_FALSE(IsGlobalParameterValueValid(row.key, row.maximum + 1));
    EXPECT_FALSE(IsGlobalParameterValueValid(row.key, std::numeric_limits<int32_t>::min()));
    EXPECT_FALSE(IsGlobalParameterValueValid(row.key, std::numeric_limits<int32_t>::max()));
  }
}

TEST(GlobalParameters, KeysMatchExactlyAndUnknownKeysAreRefused) {
  EXPECT_EQ(FindNonPresetParameterIndex(u"global_channel"), -1);
  EXPECT_EQ(FindNonPresetParameterIndex(u"CURVE_ACCELERATION"), -1);
  EXPECT_EQ(FindNonPresetParameterIndex(u""), -1);
  EXPECT_FALSE(IsGlobalParameterValueValid(u"NOT_A_KEY", 0));
  EXPECT_EQ(GetKey(17), u"");
  EXPECT_EQ(GetKey(-1), u"");
  EXPECT_EQ(GetKey(5), u"KEY_OCTAVE");
}

TEST(GlobalParameters, NamesComeInWireOrderIntoAnEmptiedArray) {
  StringArrayW names;
  names.AddItem(StringW(u"left over"));
  GetNonPresetParameterNames(names);
  ASSERT_EQ(names.GetCount(), 17u);
  for (const RangeRow& row : kRanges)
    EXPECT_TRUE(*names.GetItemPtr(static_cast<uint32_t>(row.index)) == StringW(row.key.c_str()));
}

TEST(GlobalParameters, SetMessagesCarryIndexAndSevenBitHalves) {
  MidiMessage message;
  ASSERT_EQ(KeyboardSysEx::MakeGlobalParameterSet(u"GLOBAL_PROGRAM", 127, message), S_OK);
  EXPECT_EQ(Bytes(message),
            HV::Test::Join(HV::Test::kHeaderBytes, {0x6A, 0x00, 0x04, 0x00, 0x0D, 0x00, 0x7F, 0xF7}));
  ASSERT_EQ(KeyboardSysEx::MakeGlobalParameterSet(u"Global_Channel", 16, message), S_OK);
  EXPECT_EQ(Bytes(message),
            HV::Test::Join(HV::Test::kHeaderBytes, {0x6A, 0x00, 0x04, 0x00, 0x00, 0x00, 0x10, 0xF7}));
  EXPECT_EQ(EncodeValue(130), (std::array<uint8_t, 2>{0x01, 0x02}));
  EXPECT_EQ(DecodeValue(0x7F, 0x7F), 16383);
}

TEST(GlobalParameters, RefusedSetsAndUnknownRequestsBuildNothing) {
  const std::vector<uint8_t> untouched = {0x11, 0x22};
  struct Case {
    std::u16string key;
    int32_t value;
  };
  for (const Case& c : {Case{u"XYPAD_VELOCITY", 0}, Case{u"KEY_OCTAVE", 10}, Case{u"NOT_A_KEY", 1}}) {
    MidiMessage message = HV::Test::Message(untouched);
    EXPECT_EQ(KeyboardSysEx::MakeGlobalParameterSet(c.key, c.value, message), E_FAIL);
    EXPECT_EQ(Bytes(message), untouched);
  }
  MidiMessage message = HV::Test::Message(untouched);
  EXPECT_EQ(KeyboardSysEx::MakeGlobalParameterRequest(u"NOT_A_KEY", message), E_FAIL);
  EXPECT_EQ(Bytes(message), untouched);
}

TEST(GlobalParameters, EveryKeyCanBeRequestedEvenTheUnsettableOnes) {
  MidiMessage message;
  ASSERT_EQ(KeyboardSysEx::MakeGlobalParameterRequest(u"XYPAD_REBOUND", message), S_OK);
  EXPECT_EQ(Bytes(message), HV::Test::Join(HV::Test::kHeaderBytes, {0x6B, 0x00, 0x02, 0x00, 0x03, 0xF7}));
}

}  // namespace
}  // namespace HV
