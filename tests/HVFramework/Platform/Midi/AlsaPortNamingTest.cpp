#include "HVFramework/Platform/Midi/AlsaPortNaming.h"

#include <gtest/gtest.h>

namespace HV::Platform {
namespace {

TEST(LAlsaPortNaming, NamesPortsLikeAMultiPortUsbDevice) {
  // Tarsel: four two-way ports; Synth: one output only; Sensor: one input only.
  const std::vector<AlsaPortEntry> ports = {
      {14, 0, "Midi Through", true, true}, {20, 0, "Tarsel", true, true},   {20, 1, "Tarsel", true, true},
      {20, 2, "Tarsel", true, true},       {20, 3, "Tarsel", true, true},   {24, 0, "Synth", false, true},
      {28, 0, "Sensor", true, false},      {28, 1, "Sensor", false, false},
  };
  struct Expected {
    int client;
    int port;
    std::u16string name;
  };
  const std::vector<Expected> inputs = {
      {14, 0, u"Midi Through"},     {20, 0, u"Tarsel"},           {20, 1, u"MIDIIN2 (Tarsel)"},
      {20, 2, u"MIDIIN3 (Tarsel)"}, {20, 3, u"MIDIIN4 (Tarsel)"}, {28, 0, u"Sensor"},
  };
  const std::vector<Expected> outputs = {
      {14, 0, u"Midi Through"},      {20, 0, u"Tarsel"},
      {20, 1, u"MIDIOUT2 (Tarsel)"}, {20, 2, u"MIDIOUT3 (Tarsel)"},
      {20, 3, u"MIDIOUT4 (Tarsel)"}, {24, 0, u"Synth"},
  };
  const auto check = [&](LAlsaPortNaming::Direction direction, const std::vector<Expected>& expected) {
    const std::vector<AlsaMidiDevice> devices = LAlsaPortNaming::Name(ports, direction);
    ASSERT_EQ(devices.size(), expected.size());
    for (size_t i = 0; i < devices.size(); ++i) {
      EXPECT_EQ(devices[i].client, expected[i].client);
      EXPECT_EQ(devices[i].port, expected[i].port);
      EXPECT_EQ(devices[i].name, expected[i].name);
    }
  };
  check(LAlsaPortNaming::Direction::Input, inputs);
  check(LAlsaPortNaming::Direction::Output, outputs);
}

TEST(LAlsaPortNaming, CountsPortsPerDirectionSoAGapDoesNotSkipANumber) {
  const std::vector<AlsaPortEntry> ports = {
      {30, 0, "Box", false, true}, {30, 1, "Box", true, true}, {30, 5, "Box", true, false}};
  const auto inputs = LAlsaPortNaming::Name(ports, LAlsaPortNaming::Direction::Input);
  ASSERT_EQ(inputs.size(), 2u);
  EXPECT_EQ(inputs[0].name, u"Box");
  EXPECT_EQ(inputs[1].name, u"MIDIIN2 (Box)");
  EXPECT_EQ(inputs[1].port, 5);
}

TEST(LAlsaPortNaming, ClientNamesAreDecodedFromUtf8) {
  struct Row {
    std::string utf8;
    std::u16string wide;
  };
  const Row rows[] = {
      {"Tarsel", u"Tarsel"},
      {"Caf\xC3\xA9", u"Caf\u00E9"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\x8E\xB9", u"\U0001F3B9"},
      {"A\xFF"
       "B",
       u"A\uFFFDB"},                            // not a lead byte
      {"\xC3", u"\uFFFD"},                      // cut short
      {"\xC0\xAF", u"\uFFFD\uFFFD"},            // over-long form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // a surrogate
  };
  for (const Row& row : rows) EXPECT_EQ(LAlsaPortNaming::ToWide(row.utf8), row.wide) << row.utf8;
}

}  // namespace
}  // namespace HV::Platform
