#include "HVFramework/Utilities/Storage/StringArrayT.h"

#include <gtest/gtest.h>

namespace HV {
namespace {

class StringArray : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char16_t* text : {u"Alpha", u"beta", u"Gamma", u"beta"}) mArray.AddItem(StringW(text));
  }
  StringArrayW mArray;
};

struct FindCase {
  const char16_t* text;
  bool caseSensitive;
  uint32_t start;
  int32_t expected;
};

TEST_F(StringArray, FindsFromStartByTextOrLetterCase) {
  const FindCase cases[] = {
      {u"beta", true, 0, 1},   {u"beta", true, 2, 3},    {u"BETA", true, 0, -1},
      {u"BETA", false, 0, 1},  {u"gamma", false, 0, 2},  {u"delta", false, 0, -1},
      {u"beta", true, 4, -1},  {u"beta", true, 0xFFFFFFFFu, -1},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.caseSensitive << " " << c.start << " " << c.expected);
    EXPECT_EQ(mArray.Find(StringW(c.text), c.caseSensitive, c.start), c.expected);
  }
}

TEST_F(StringArray, FindTextPointerMatchesTheAddressNotTheText) {
  const StringW& shared = *mArray.GetItemPtr(2);
  EXPECT_EQ(mArray.FindTextPointer(shared.GetText()), 2);
  StringW equal(u"Gamma");
  EXPECT_EQ(mArray.FindTextPointer(equal.GetText()), -1);
  EXPECT_EQ(StringArrayW().FindTextPointer(equal.GetText()), -1);
  // A copy shares the buffer, so a case-sensitive search finds it at once.
  StringW copy = *mArray.GetItemPtr(3);
  EXPECT_EQ(mArray.Find(copy, true, 2), 3);
}

}  // namespace
}  // namespace HV
