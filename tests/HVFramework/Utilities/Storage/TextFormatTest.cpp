#include "HVFramework/Utilities/Storage/NumberText.h"
#include "HVFramework/Utilities/Storage/StringT.h"
#include "HVFramework/Utilities/Storage/TextFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

using namespace HV;

namespace {

std::u16string Text(const StringW& s) { return std::u16string(s.GetText()); }

struct FormatCase {
  const char* name;
  StringW result;
  const char16_t* expected;
};

void ExpectAll(std::initializer_list<FormatCase> cases) {
  for (const FormatCase& c : cases) EXPECT_EQ(Text(c.result), c.expected) << c.name;
}

}  // namespace

TEST(TextFormat, IntegersFollowTheCRuntimeConversions) {
  ExpectAll({
      {"d", StringW::FromFormat(u"%d", 42), u"42"},
      {"i", StringW::FromFormat(u"%i", -42), u"-42"},
      {"width", StringW::FromFormat(u"[%5d|%-5d]", 42, 42), u"[   42|42   ]"},
      {"zero pad", StringW::FromFormat(u"%05d", -42), u"-0042"},
      {"plus", StringW::FromFormat(u"%+d % d", 5, 5), u"+5  5"},
      {"u of negative int", StringW::FromFormat(u"%u", -5), u"4294967291"},
      {"x", StringW::FromFormat(u"%x %X", 255, 255u), u"ff FF"},
      {"08x", StringW::FromFormat(u"%08x", 0xBEEF), u"0000beef"},
      {"alternate", StringW::FromFormat(u"%#x %o", 255, 8), u"0xff 10"},
      {"I64d", StringW::FromFormat(u"%I64d", int64_t{-1234567890123}), u"-1234567890123"},
      {"I64X", StringW::FromFormat(u"%I64X", uint64_t{0xDEADBEEFCAFE}), u"DEADBEEFCAFE"},
      {"I32d", StringW::FromFormat(u"%I32d", 7), u"7"},
      {"lld", StringW::FromFormat(u"%lld", LLONG_MIN), u"-9223372036854775808"},
      {"hx", StringW::FromFormat(u"%hx", -1), u"ffff"},
      {"large unsigned under d", StringW::FromFormat(u"%d", UINT64_MAX), u"18446744073709551615"},
      {"star width", StringW::FromFormat(u"%*d", 5, 42), u"   42"},
      {"negative star width", StringW::FromFormat(u"%*d|", -4, 7), u"7   |"},
      {"bool", StringW::FromFormat(u"%d", true), u"1"},
  });
}

TEST(TextFormat, TextsAndCharactersOfEitherWidth) {
  const StringW wide(u"wide");
  const StringA narrow("\xC3\xA9t\xC3\xA9");
  ExpectAll({
      {"s wide", StringW::FromFormat(u"%s", u"wide"), u"wide"},
      {"s utf8", StringW::FromFormat(u"%s", "\xC3\xA9t\xC3\xA9"), u"\xE9t\xE9"},
      {"S ls hs", StringW::FromFormat(u"%S %ls %hs", "a", u"b", "c"), u"a b c"},
      {"strings", StringW::FromFormat(u"%s/%s", wide, narrow), u"wide/\xE9t\xE9"},
      {"precision", StringW::FromFormat(u"%.2s", u"abcdef"), u"ab"},
      {"left", StringW::FromFormat(u"%-6s|%6s", u"ab", u"cd"), u"ab    |    cd"},
      {"null", StringW::FromFormat(u"%s", static_cast<const char16_t*>(nullptr)), u"(null)"},
      {"c", StringW::FromFormat(u"%c%c%c", u'A', 'B', 0x43), u"ABC"},
      {"c outside the BMP", StringW::FromFormat(u"%c", U'\x1F600'), u"\xD83D\xDE00"},
      {"std strings", StringW::FromFormat(u"%s%s", std::u16string(u"x"), std::string("y")), u"xy"},
  });
}

TEST(TextFormat, FloatingPointAndPointers) {
  int object = 0;
  const std::u16string pointer = Text(StringW::FromFormat(u"%p", &object));
  EXPECT_EQ(pointer.size(), 16u);
  ExpectAll({
      {"f", StringW::FromFormat(u"%f", 2.5), u"2.500000"},
      {"lf", StringW::FromFormat(u"%.2lf", 2.5), u"2.50"},
      {"0.0f", StringW::FromFormat(u"%0.0f", 3.75), u"4"},
      {"e", StringW::FromFormat(u"%e", 12345.678), u"1.234568e+04"},
      {"g", StringW::FromFormat(u"%g %g", 0.0001, 1e20), u"0.0001 1e+20"},
      {"width", StringW::FromFormat(u"%8.3f|", -1.5), u"  -1.500|"},
      {"star precision", StringW::FromFormat(u"%.*f", 1, 0.25), u"0.2"},
      {"float", StringW::FromFormat(u"%.1f", 1.5f), u"1.5"},
      {"p", StringW::FromFormat(u"%p", reinterpret_cast<void*>(0x1234)), u"0000000000001234"},
      {"percent", StringW::FromFormat(u"100%% sure"), u"100% sure"},
  });
}

TEST(TextFormat, MismatchedOrMissingArgumentsNeverMisreadMemory) {
  ExpectAll({
      {"number under s", StringW::FromFormat(u"%s", 42), u"42"},
      {"double under s", StringW::FromFormat(u"%s", 2.5), u"2.5"},
      {"text under d", StringW::FromFormat(u"%d", u"text"), u"text"},
      {"double under c", StringW::FromFormat(u"%c|%C", 2.5, nullptr), u"2.5|(null)"},
      {"pointer under f", StringW::FromFormat(u"%f", static_cast<void*>(nullptr)), u"0000000000000000"},
      {"integer under f", StringW::FromFormat(u"%f", 3), u"3.000000"},
      {"double under d", StringW::FromFormat(u"%d", 2.9), u"2"},
      {"double under x", StringW::FromFormat(u"%x", 255.0), u"ff"},
      {"missing", StringW::FromFormat(u"%s and %d.", u"x"), u"x and ."},
      {"extra", StringW::FromFormat(u"%d", 1, 2, 3), u"1"},
      {"n writes nothing", StringW::FromFormat(u"a%nb", 1), u"ab"},
      {"unknown conversion", StringW::FromFormat(u"%y%d", 4), u"%y4"},
      {"cut conversion", StringW::FromFormat(u"50%", 1), u"50%"},
      {"cut after width", StringW::FromFormat(u"50%-12", 1), u"50%-12"},
      {"text as star width", StringW::FromFormat(u"%*d", u"w", 7), u"7"},
      {"null pattern", StringW::FromFormat(static_cast<const char16_t*>(nullptr), 1), u""},
  });
}

TEST(TextFormat, OutputStopsAt16383Units) {
  const std::u16string exact(16383, u'x');
  EXPECT_EQ(StringW::FromFormat(u"%s", exact.c_str()).GetLength(), 16383);
  EXPECT_EQ(Text(StringW::FromFormat(u"%s", exact.c_str())), exact);
  const std::u16string over(16384, u'y');
  EXPECT_EQ(StringW::FromFormat(u"%s", over.c_str()).GetLength(), 16383);
  EXPECT_EQ(StringW::FromFormat(over.c_str()).GetLength(), 16383);
  EXPECT_EQ(StringW::FromFormat(u"%s%d", exact.c_str(), 12345).GetLength(), 16383);
  EXPECT_EQ(StringW::FromFormat(u"%20000d", 1).GetLength(), 16383);
  EXPECT_EQ(StringW::FromFormat(u"%99999999999d", 1).GetLength(), 16383);
  EXPECT_EQ(StringW::FromFormat(u"%.99999999999f", 1.0).GetLength(), 16383);

  // A pair that would be cut in half is left out whole.
  const std::u16string almost(16382, u'z');
  const StringW cut = StringW::FromFormat(u"%s%s", almost.c_str(), u"\xD83D\xDE00");
  EXPECT_EQ(cut.GetLength(), 16382);
}

TEST(TextFormat, FormatReplacesTheText) {
  StringW s(u"old");
  const StringW shared(s);
  EXPECT_EQ(Text(s.Format(u"%d-%d", 1, 2)), u"1-2");
  EXPECT_EQ(Text(shared), u"old");

  ASSERT_NE(s.Lock(2), nullptr);
  s.Format(u"%s", u"longer than the lock");
  s.Unlock();
  EXPECT_EQ(Text(s), u"longer than the lock");
}

TEST(NumberText, IntegersAsFixedPoint) {
  struct Case {
    int32_t value, decimals;
    const char16_t* expected;
  };
  const Case cases[] = {{12345, 2, u"123.45"}, {5, 2, u".05"},   {7, 1, u".7"},          {0, 0, u"0"},
                        {-5, 2, u"-.05"},       {-12345, 2, u"-123.45"}, {INT32_MIN, 0, u"-2147483648"},
                        {INT32_MIN, 3, u"-2147483.648"}, {42, -1, u"42"}, {0, 2, u".00"}};
  for (const Case& c : cases) EXPECT_EQ(Text(IntToString(c.value, c.decimals)), c.expected) << c.value << "," << c.decimals;
  EXPECT_EQ(Text(UIntToString(4294967295u, 3)), u"4294967.295");
  EXPECT_EQ(Text(UIntToString(9, 3)), u".009");
}

TEST(NumberText, DoublesWithDecimals) {
  EXPECT_EQ(Text(DoubleToString(2.5, 2)), u"2.50");
  EXPECT_EQ(Text(DoubleToString(2.5, -1)), u"2.500000");
  EXPECT_EQ(Text(DoubleToString(-0.125, 0)), u"-0");
  EXPECT_EQ(Text(DoubleToString(1e6, 1)), u"1000000.0");
}

TEST(NumberText, TextToNumbersReadsTheLeadingNumber) {
  const std::pair<const char16_t*, int32_t> ints[] = {
      {u"  42abc", 42}, {u"-17", -17},          {u"+8", 8},           {u"abc", 0},
      {u"", 0},         {u"99999999999", INT32_MAX}, {u"-99999999999", INT32_MIN}, {u"\t\n 7", 7}};
  for (const auto& [text, expected] : ints) EXPECT_EQ(StringW(text).ToInt(), expected) << StringW(text).ToCharString().GetText();
  const std::pair<const char16_t*, double> doubles[] = {
      {u" 2.5x", 2.5}, {u"-1e3", -1000.0}, {u"abc", 0.0}, {u"1,5", 1.0}, {u"", 0.0}, {u".5", 0.5}};
  for (const auto& [text, expected] : doubles) EXPECT_EQ(StringW(text).ToDouble(), expected) << StringW(text).ToCharString().GetText();
  EXPECT_EQ(StringA(" 12 ").ToInt(), 12);
}
