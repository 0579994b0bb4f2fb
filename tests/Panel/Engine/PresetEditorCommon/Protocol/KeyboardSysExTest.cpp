#include "Panel/Engine/PresetEditorCommon/Protocol/KeyboardSysEx.h"

#include "tests/Panel/Engine/PresetEditorCommon/MidiBytes.h"

#include <gtest/gtest.h>

namespace HV {
namespace {

using namespace KeyboardSysEx;
using HV::Test::Bytes;
using HV::Test::Join;
using HV::Test::kHeaderBytes;
using HV::Test::Message;

TEST(KeyboardSysEx, FramingAddsOnlyWhatIsMissing) {
  struct Case {
    std::vector<uint8_t> in;
    HResult result;
    std::vector<uint8_t> out;
  };
  const Case cases[] = {
      {{0xF0, 0x01, 0xF7}, S_OK, {0xF0, 0x01, 0xF7}},
      {{0x01, 0x02}, S_OK, {0xF0, 0x01, 0x02, 0xF7}},
      {{0xF0, 0x01}, S_OK, {0xF0, 0x01, 0xF7}},
      {{0x01, 0xF7}, S_OK, {0xF0, 0x01, 0xF7}},
      {{0xF0, 0xF7}, S_OK, {0xF0, 0xF7}},
      {{0x42}, S_OK, {0xF0, 0x42, 0xF7}},
      {{0xF0}, E_FAIL, {0xF0}},
      {{0xF7}, E_FAIL, {0xF7}},
      {{}, E_FAIL, {}},
  };
  for (const Case& c : cases) {
    MidiMessage message = Message(c.in);
    EXPECT_EQ(FrameSysEx(message), c.result);
    EXPECT_EQ(Bytes(message), c.out);
  }
}

TEST(KeyboardSysEx, BuildersFramedGiveTheMessagesOnTheWire) {
  struct Case {
    const char* name;
    MidiMessage message;
    std::vector<uint8_t> framed;
  };
  Case cases[] = {
      {"lead-in", MakeLeadIn(), Join(kHeaderBytes, {0x6D, 0x00, 0x01, 0x01, 0xF7})},
      {"preset request", MakePresetRequest(5), Join(kHeaderBytes, {0x62, 0x05, 0xF7})},
      {"identity request", MakeIdentityRequest(), {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(FrameSysEx(c.message), S_OK);
    EXPECT_EQ(Bytes(c.message), c.framed);
  }
  EXPECT_EQ(Bytes(MakePresetDumpHeader(9)),
            (std::vector<uint8_t>{0x00, 0x3C, 0x51, 0x7F, 0x31, 0x05, 0x61, 0x0A, 0x3B, 0x09}));
  MidiMessage header = Message({1, 2, 3});
  ASSERT_EQ(WriteHeader(header), S_OK);
  EXPECT_EQ(Bytes(header), kHeaderBytes);
}

TEST(KeyboardSysEx, PiecesAre256BytesWithZeroPaddingInTheLast) {
  std::vector<uint8_t> bytes(1350);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i % 0x7F + 1);
  const std::vector<MidiMessage> pieces = CutIntoPieces(Message(bytes));
  ASSERT_EQ(pieces.size(), 6u);
  std::vector<uint8_t> joined;
  for (const MidiMessage& piece : pieces) {
    ASSERT_EQ(piece.GetCount(), 256u);
    joined = Join(joined, Bytes(piece));
  }
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), joined.begin()));
  EXPECT_TRUE(std::all_of(joined.begin() + 1350, joined.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(joined.size() - 1350, 186u);

  struct Count {
    uint32_t length;
    uint32_t pieces;
  };
  for (const Count& c :
       {Count{0, 0}, Count{1, 1}, Count{256, 1}, Count{257, 2}, Count{512, 2}, Count{1350, 6}})
    EXPECT_EQ(CountPieces(c.length), c.pieces) << c.length;
  EXPECT_EQ(CutIntoPieces(Message(std::vector<uint8_t>(256, 1))).size(), 1u);
}

TEST(KeyboardSysEx, RecognisersTakeOnlyTheExactForms) {
  const std::vector<uint8_t> data(1338, 0x11);
  std::vector<uint8_t> dump = HV::Test::DumpReply(3, data);
  std::vector<uint8_t> longer = dump;
  longer.insert(longer.end() - 1, 0x00);
  std::vector<uint8_t> shorter = dump;
  shorter.erase(shorter.end() - 2);
  std::vector<uint8_t> wrongMaker = dump;
  wrongMaker[2] = 0x3D;
  std::vector<uint8_t> sentDump = dump;
  sentDump[7] = 0x61;
  const std::vector<uint8_t> reply = Join(kHeaderBytes, {0x6C, 0x00, 0x04, 0x00, 0x05, 0x01, 0x02, 0xF7});
  std::vector<uint8_t> replyHighIndex = reply;
  replyHighIndex[11] = 0x85;
  const std::vector<uint8_t> identity = {0xF0, 0x7E, 0x10, 0x06, 0x02, 0,   0,   0,
                                         0,    0,    '1',  '0',  '4',  '1', 0xF7};

  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    bool isDump;
    std::optional<int32_t> globalIndex;
    bool isIdentity;
  };
  const Case cases[] = {
      {"dump", dump, true, {}, false},
      {"dump one byte longer", longer, false, {}, false},
      {"dump one byte shorter", shorter, false, {}, false},
      {"dump of another maker", wrongMaker, false, {}, false},
      {"dump sent to the keyboard", sentDump, false, {}, false},
      {"global reply", reply, false, 5, false},
      {"global reply with an index past every table", replyHighIndex, false, 0x85, false},
      {"global reply one byte short", std::vector<uint8_t>(reply.begin(), reply.end() - 1), false, {}, false},
      {"identity reply", identity, false, {}, true},
      {"identity reply one byte short",
       std::vector<uint8_t>(identity.begin() + 1, identity.end()),
       false,
       {},
       false},
      {"header only", kHeaderBytes, false, {}, false},
      {"empty", {}, false, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MidiMessage message = Message(c.bytes);
    EXPECT_EQ(IsPresetDump(message), c.isDump);
    const std::optional<GlobalParameterReply> global = ParseGlobalParameterReply(message);
    EXPECT_EQ(global.has_value(), c.globalIndex.has_value());
    if (global && c.globalIndex) {
      EXPECT_EQ(global->index, *c.globalIndex);
    }
    EXPECT_EQ(IsIdentityReply(message), c.isIdentity);
  }
  EXPECT_EQ(ParseGlobalParameterReply(Message(reply))->value, 130);
  const MidiMessage dumpMessage = Message(dump);
  EXPECT_EQ(GetPresetDumpSlot(dumpMessage), 3);
  EXPECT_EQ(GetPresetDumpSlot(Message(sentDump)), -1);
  EXPECT_EQ(GetPresetDumpSlot(Message(longer)), -1);
  const std::span<const uint8_t> presetData = GetPresetData(dumpMessage);
  EXPECT_TRUE(std::equal(presetData.begin(), presetData.end(), data.begin(), data.end()));
}

TEST(KeyboardSysEx, FirmwareFrom1041OnIsAcceptable) {
  struct Case {
    std::string digits;
    bool acceptable;
  };
  const Case cases[] = {
      {"1041", true},
      {"1040", false},
      {"0999", false},
      {"2000", true},
      {"1100", true},
      {"1042", true},
      {"1050", true},
      {"1039", false},
      {"1031", false},
      {"10/1", false},
      // Digits are read as signed bytes: one from 0x80 up counts below every digit.
      {"\x80"
       "041",
       false},
      {"10\xFF"
       "1",
       false},
      {"104\x80", false},
      {"2\x80"
       "00",
       true},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> reply = {0xF0, 0x7E, 0x7F, 0x06, 0x02, 0, 0, 0, 0, 0};
    reply.insert(reply.end(), c.digits.begin(), c.digits.end());
    reply.push_back(0xF7);
    EXPECT_EQ(IsFirmwareVersionAcceptable(Message(reply)), c.acceptable) << c.digits;
    std::vector<uint8_t> longer = reply;
    longer.insert(longer.end() - 1, 0x00);
    EXPECT_FALSE(IsFirmwareVersionAcceptable(Message(longer))) << c.digits;
    EXPECT_FALSE(IsFirmwareVersionAcceptable(Message({reply.begin(), reply.end() - 1}))) << c.digits;
  }
}

TEST(KeyboardSysEx, SlotsAreDataBytes) {
  EXPECT_TRUE(IsValidSlot(0));
  EXPECT_TRUE(IsValidSlot(127));
  EXPECT_FALSE(IsValidSlot(128));
  EXPECT_FALSE(IsValidSlot(-1));
}

}  // namespace
}  // namespace HV
