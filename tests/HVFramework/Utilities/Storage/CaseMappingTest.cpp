#include "HVFramework/Utilities/Storage/CaseMapping.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <gtest/gtest.h>

#include <locale.h>
#include <wctype.h>

using namespace HV;

// The C runtime's mapping in the C.UTF-8 locale is the reference for the
// blocks the fixed rule covers; the units it maps to a partner outside the
// block, or that have no one-unit partner, are the documented exceptions.
TEST(CaseMapping, AgreesWithTheCRuntimeOverTheCoveredBlocks) {
  const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  if (!utf8) GTEST_SKIP() << "no C.UTF-8 locale";
  const char16_t exceptions[] = {0x00B5, 0x0130, 0x0131, 0x017F, 0x0345, 0x0390, 0x03B0, 0x03C2, 0x0149};
  auto isException = [&](char16_t u) {
    for (char16_t e : exceptions)
      if (e == u) return true;
    return false;
  };
  const std::pair<char16_t, char16_t> blocks[] = {{0x0000, 0x0180}, {0x0386, 0x03CF}, {0x0400, 0x0460}};
  for (const auto& [first, last] : blocks) {
    for (char16_t u = first; u < last; ++u) {
      if (isException(u)) continue;
      EXPECT_EQ(ToUpperUnit(u), static_cast<char16_t>(towupper_l(u, utf8))) << std::hex << int(u);
      EXPECT_EQ(ToLowerUnit(u), static_cast<char16_t>(towlower_l(u, utf8))) << std::hex << int(u);
    }
  }
  freelocale(utf8);
  EXPECT_EQ(ToUpperUnit(char16_t(0xD83D)), 0xD83D);
  EXPECT_EQ(ToUpperUnit(char(0xC3)), char(0xC3));
  EXPECT_EQ(ToUpperUnit('q'), 'Q');
}

TEST(CaseMapping, StringsMapEveryUnitAndCompareWithoutCase) {
  EXPECT_EQ(StringW(u"Stra\xDF" u"e \xE9t\xE9 \x0444").ToUpper(), u"STRA\xDF" u"E \xC9T\xC9 \x0424");
  EXPECT_EQ(StringW(u"ABC \xC0").ToLower(), u"abc \xE0");
  EXPECT_EQ(StringA("alt+vkey_f4").ToUpper(), "ALT+VKEY_F4");
  EXPECT_EQ(StringW(u"Hello").CompareNoCase(u"hELLO"), 0);
  EXPECT_LT(StringW(u"apple").CompareNoCase(u"Banana"), 0);
  EXPECT_GT(StringW(u"b").CompareNoCase(StringW(u"A")), 0);
  EXPECT_LT(StringW(u"ab").CompareNoCase(u"ABC"), 0);
  EXPECT_EQ(StringW(u"\xC9").CompareNoCase(u"\xE9"), 0);
}
