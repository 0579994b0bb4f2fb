#include "HVFramework/Midi/LMidiPortNames.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace HV {
namespace {

StringArrayW Names(std::initializer_list<const char16_t*> texts) {
  StringArrayW names;
  for (const char16_t* text : texts) names.AddItem(StringW(text));
  return names;
}

std::vector<std::u16string> Texts(const StringArrayW& names) {
  std::vector<std::u16string> texts;
  for (uint32_t i = 0; i < names.GetCount(); ++i) texts.emplace_back(names.GetItemPtr(i)->GetView());
  return texts;
}

struct UniqueCase {
  std::initializer_list<const char16_t*> devices;
  std::vector<std::u16string> ports;
};

TEST(LMidiPortNames, NumbersDuplicatesInOrderOfFirstOccurrence) {
  const UniqueCase cases[] = {
      {{}, {}},
      {{u"A"}, {u"A"}},
      {{u"N", u"Other", u"N"}, {u"N (1)", u"N (2)", u"Other"}},
      {{u"A", u"B", u"A", u"B", u"A"}, {u"A (1)", u"A (2)", u"A (3)", u"B (1)", u"B (2)"}},
      {{u"a", u"A"}, {u"a", u"A"}},  // copies are exact copies
      {{u"Tarsel", u"MIDIIN2 (Tarsel)", u"Tarsel"}, {u"Tarsel (1)", u"Tarsel (2)", u"MIDIIN2 (Tarsel)"}},
  };
  for (const UniqueCase& c : cases) {
    EXPECT_EQ(Texts(LMidiPortNames::MakeUniquePortNames(Names(c.devices))), c.ports);
  }
}

struct SplitCase {
  const char16_t* name;
  const char16_t* base;
  int32_t number;
};

TEST(LMidiPortNames, SplitsANumberOfOneOrTwoDigits) {
  const SplitCase cases[] = {
      {u"A (1)", u"A", 1},
      {u"A (12)", u"A", 12},
      {u"MIDIIN4 (Tarsel)", u"MIDIIN4 (Tarsel)", 0},
      {u"A (x)", u"A (x)", 0},  // a client named "x": not a number
      {u"A (1x)", u"A (1x)", 0},
      {u"A(1)", u"A(1)", 0},
      {u"A (123)", u"A (123)", 0},
      {u" (7)", u"", 7},
      {u"(1)", u"(1)", 0},
      {u"", u"", 0},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(ToUtf8(StringW(c.name)));
    const LMidiPortNames::SplitName split = LMidiPortNames::SplitPortName(StringW(c.name));
    EXPECT_EQ(std::u16string(split.base.GetView()), std::u16string(c.base));
    EXPECT_EQ(split.number, c.number);
  }
}

struct ListCase {
  const char16_t* requested;
  LMidiPortNames::ListMatch match;
};

TEST(LMidiPortNames, ExactListedNameWinsOverNamesThatContainIt) {
  using enum LMidiPortNames::ListMatch;
  const StringArrayW listed = Names({u"N (1)", u"N (2)", u"Other", u"Tarsel", u"MIDIIN2 (Tarsel)"});
  const ListCase cases[] = {
      {u"N", Ambiguous},   {u"n (2)", One}, {u"OTH", One}, {u"Tarsel", One},
      {u"tarsel", One},    {u"IN2", One},   {u"N (3)", None}, {u"zzz", None},
      {u"", None},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(ToUtf8(StringW(c.requested)));
    EXPECT_EQ(LMidiPortNames::MatchListedName(listed, StringW(c.requested)), c.match);
  }
}

struct DeviceCase {
  std::initializer_list<const char16_t*> devices;
  const char16_t* port;
  int32_t device;
};

TEST(LMidiPortNames, SelectsTheDeviceAPortNameStandsFor) {
  const DeviceCase cases[] = {
      {{u"N", u"Other", u"N"}, u"N (2)", 2},
      {{u"N", u"Other", u"N"}, u"N (1)", 0},
      {{u"N", u"Other", u"N"}, u"n (2)", 2},
      {{u"N", u"Other", u"N"}, u"N (3)", -1},
      {{u"N", u"Other", u"N"}, u"N", 0},
      // A numbered name counts only devices of exactly the base name, not
      // every device whose name contains it.
      {{u"Tarsel", u"MIDIIN2 (Tarsel)", u"Tarsel"}, u"Tarsel (2)", 2},
      // Without a number an exact name comes before one that contains it.
      {{u"MIDIIN2 (Tarsel)", u"Tarsel"}, u"Tarsel", 1},
      {{u"MIDIIN2 (Tarsel)", u"Tarsel"}, u"Tars", 0},
      {{u"Tarsel", u"MIDIIN2 (Tarsel)", u"MIDIIN4 (Tarsel)"}, u"MIDIIN4 (Tarsel)", 2},
      // A device whose own name looks numbered.
      {{u"Port (2)"}, u"Port (2)", 0},
      // A name stored while two devices were there opens the one left.
      {{u"N"}, u"N (1)", 0},
      {{u"N"}, u"zzz", -1},
      {{}, u"N", -1},
      {{u"N"}, u"", -1},
  };
  for (const DeviceCase& c : cases) {
    SCOPED_TRACE(ToUtf8(StringW(c.port)));
    EXPECT_EQ(LMidiPortNames::SelectDevice(Names(c.devices), StringW(c.port)), c.device);
  }
}

}  // namespace
}  // namespace HV
