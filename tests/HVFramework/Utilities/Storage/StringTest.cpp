#include "HVFramework/Utilities/Storage/StringT.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/LBufferT.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

using namespace HV;

namespace {

std::u16string Text(const StringW& s) { return std::u16string(s.GetText()); }
std::string Text(const StringA& s) { return std::string(s.GetText()); }

}  // namespace

TEST(StringT, EmptyStringsShareOneBuffer) {
  StringW cleared(u"abc");
  cleared.Clear();
  const StringW fromZero(u'\0');
  const StringW fromNull(static_cast<const char16_t*>(nullptr));
  const StringW fromBadUtf8("\xC0\xAF");
  for (const StringW* s : {static_cast<const StringW*>(&cleared), &fromZero, &fromNull, &fromBadUtf8}) {
    EXPECT_EQ(s->GetText(), StringW().GetText());
    EXPECT_EQ(s->GetLength(), 0);
    EXPECT_TRUE(s->IsEmpty());
  }
  EXPECT_EQ(StringW::EmptyBuffer()->GetSize(), 2u);
  EXPECT_EQ(StringA::EmptyBuffer()->GetSize(), 1u);
  EXPECT_EQ(StringA(char(0)).GetText(), StringA().GetText());
}

TEST(StringT, CopiesShareTheBufferAndWritesUnshareIt) {
  StringW a(u"hello");
  StringW b(a);
  StringW c;
  c = a;
  EXPECT_EQ(b.GetText(), a.GetText());
  EXPECT_EQ(c.GetText(), a.GetText());
  EXPECT_EQ(a.GetBuffer()->GetSize(), 12u);

  b += u" world";
  EXPECT_EQ(Text(a), u"hello");
  EXPECT_EQ(Text(b), u"hello world");
  EXPECT_EQ(c.GetText(), a.GetText());
}

TEST(StringT, MovesLeaveAnEmptyString) {
  StringW a(u"text");
  const char16_t* text = a.GetText();
  StringW b(std::move(a));
  EXPECT_EQ(b.GetText(), text);
  EXPECT_TRUE(a.IsEmpty());  // NOLINT(bugprone-use-after-move): moved-from strings stay usable
}

TEST(StringT, LockWritesInPlaceAndUnlockTrims) {
  StringW s(u"abc");
  char16_t* p = s.Lock(10);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(s.GetBuffer()->GetSize(), 20u);
  EXPECT_EQ(p[9], 0);
  EXPECT_EQ(s.Lock(4), nullptr);
  EXPECT_EQ(Text(s), u"abc");
  p[3] = u'd';
  EXPECT_EQ(s.GetLength(), 4);
  EXPECT_EQ(s.Unlock(), S_OK);
  EXPECT_EQ(s.GetBuffer()->GetSize(), 10u);
  EXPECT_EQ(Text(s), u"abcd");
  EXPECT_EQ(s.Unlock(), S_FALSE);
}

TEST(StringT, LockingASharedBufferLeavesTheOtherHoldersAlone) {
  const StringW shared(u"abc");
  StringW s(shared);
  char16_t* p = s.Lock(0);
  ASSERT_NE(p, nullptr);
  EXPECT_NE(p, shared.GetText());
  p[0] = u'x';
  s.Unlock();
  EXPECT_EQ(Text(shared), u"abc");
  EXPECT_EQ(Text(s), u"xbc");
}

TEST(StringT, LockingTheEmptyStringGivesAPrivateBuffer) {
  StringW s;
  char16_t* p = s.Lock(4);
  ASSERT_NE(p, nullptr);
  EXPECT_NE(p, StringW().GetText());
  EXPECT_TRUE(StringW().IsEmpty());
  EXPECT_EQ(s.Unlock(), S_OK);
  EXPECT_EQ(s.GetText(), StringW().GetText());  // an empty text goes back to the shared empty string
}

TEST(StringT, ACopyOfALockedStringGetsItsOwnShareableBuffer) {
  StringW s(u"abc");
  char16_t* p = s.Lock(10);
  const StringW copy(s);
  StringW assigned;
  assigned = s;
  EXPECT_NE(copy.GetText(), p);
  EXPECT_EQ(Text(copy), u"abc");
  EXPECT_EQ(copy.GetBuffer()->GetSize(), 8u);
  EXPECT_TRUE(copy.GetBuffer()->IsShareable());
  EXPECT_EQ(Text(assigned), u"abc");
  s.Unlock();
}

TEST(StringT, AssignIntoALockedBufferGrowsWhenTheTextDoesNotFit) {
  StringW s;
  ASSERT_NE(s.Lock(2), nullptr);
  s.Assign(u"a longer text");
  EXPECT_EQ(Text(s), u"a longer text");
  s.Assign("\xE2\x82\xAC and more");
  EXPECT_EQ(Text(s), u"\x20AC and more");
  s.Clear();
  EXPECT_EQ(s.GetLength(), 0);
  s.Assign(u"xy");
  EXPECT_EQ(s.Unlock(), S_OK);
  EXPECT_EQ(Text(s), u"xy");
  EXPECT_EQ(s.GetBuffer()->GetSize(), 6u);
}

TEST(StringT, AssignTakesAtMostMaxUnits) {
  StringW s;
  s.Assign(u"abcdef", 3);
  EXPECT_EQ(Text(s), u"abc");
  s.Assign("abcdef", 2);
  EXPECT_EQ(Text(s), u"ab");
  s.Assign(u"abc", 0);
  EXPECT_TRUE(s.IsEmpty());
  s.Assign(u"abcdef", 3);
  s.Assign(s.GetText() + 1);  // a text inside the string's own buffer
  EXPECT_EQ(Text(s), u"bc");
}

TEST(StringT, EightBitTextIsReadAsUtf8UpToTheFirstBadSequence) {
  EXPECT_EQ(Text(StringW("abc\xC0\xAF" "def")), u"abc");
  EXPECT_EQ(Text(StringW("\xE2\x82\xAC\xF0\x9F\x98\x80")), u"\x20AC\xD83D\xDE00");
  EXPECT_EQ(Text(StringW(u"\x20AC\xD83D\xDE00").ToCharString()), "\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(Text(StringA(u"\xE9t\xE9")), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(Text(StringA("\xC3\xA9").ToWideString()), u"\xE9");
  EXPECT_EQ(StringW("x\xE2\x82").GetLength(), 1);
}

TEST(StringT, ConvertFromUtf8ReportsFailureAndKeepsWhatConverted) {
  ConstRCPtr<LIBuffer> buffer;
  EXPECT_EQ(StringW::ConvertFromUTF8(buffer, "ab\xC0\xAF", -1), E_FAIL);
  EXPECT_EQ(buffer->GetSize(), 6u);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(buffer->GetData())), u"ab");
  EXPECT_EQ(StringW::ConvertFromUTF8(buffer, "abc", -1), S_OK);
  EXPECT_EQ(buffer->GetSize(), 8u);
  EXPECT_EQ(StringW::ConvertFromUTF8(buffer, "abc", 2), S_OK);
  EXPECT_EQ(buffer->GetSize(), 6u);
  EXPECT_EQ(StringW::ConvertFromUTF8(buffer, "", -1), S_OK);
  EXPECT_EQ(buffer, StringW::EmptyBuffer());
  EXPECT_EQ(StringA::ConvertFromUTF16(buffer, u"a\xD83D", 2), E_FAIL);
  EXPECT_EQ(std::string(buffer->GetData()), "a");
  EXPECT_EQ(StringA::ConvertFromUTF16(buffer, u"\xD83D\xDE00", -1), S_OK);
  EXPECT_EQ(buffer->GetSize(), 5u);
}

TEST(StringT, SubStringLeftAndRightFollowTheirTables) {
  const StringW s(u"abcdef");
  struct Case {
    int32_t start, count;
    const char16_t* expected;
  };
  const Case subStrings[] = {{-2, 5, u"ef"}, {3, 100, u"def"}, {6, 1, u""},   {0, 6, u"abcdef"},
                             {2, 0, u""},    {2, -1, u""},     {-8, 4, u"ab"}, {-20, 4, u""},
                             {-6, 1, u"a"},  {1, 2, u"bc"}};
  for (const Case& c : subStrings)
    EXPECT_EQ(Text(s.SubString(c.start, c.count)), c.expected) << c.start << "," << c.count;
  const std::pair<int32_t, const char16_t*> rights[] = {
      {2, u"ef"}, {6, u"abcdef"},   {10, u"abcdef"},       {0, u""},
      {-3, u""},  {INT32_MIN, u""}, {INT32_MAX, u"abcdef"}};
  for (const auto& [n, expected] : rights) EXPECT_EQ(Text(s.Right(n)), expected) << n;
  EXPECT_EQ(Text(s.Left(2)), u"ab");
  EXPECT_EQ(Text(s.Left(10)), u"abcdef");
  EXPECT_EQ(Text(s.SubString(4)), u"ef");
  EXPECT_EQ(s.Right(10).GetText(), s.GetText());  // the whole text is shared, not copied

  const StringA a("abcdef");
  EXPECT_EQ(Text(a.Mid(-2, 5)), "ef");
  EXPECT_EQ(Text(a.Left(2)), "ab");
  EXPECT_EQ(Text(a.Right(2)), "ef");
  EXPECT_EQ(Text(a.Right(0)), "");
  EXPECT_EQ(Text(a.Mid(2)), "cdef");
}

TEST(StringT, InsertChecksTheIndexAndPlacesTheText) {
  struct Case {
    int32_t index;
    HResult result;
    const char16_t* expected;
  };
  const Case cases[] = {{7, E_INVALIDARG, u"abcdef"}, {-1, E_INVALIDARG, u"abcdef"}, {6, S_OK, u"abcdefXY"},
                        {0, S_OK, u"XYabcdef"},       {3, S_OK, u"abcXYdef"}};
  for (const Case& c : cases) {
    StringW s(u"abcdef");
    EXPECT_EQ(s.Insert(c.index, StringW(u"XY")), c.result) << c.index;
    EXPECT_EQ(Text(s), c.expected) << c.index;
  }
  StringW s(u"abc");
  EXPECT_EQ(s.Insert(1, "\xC3\xA9", 2), S_OK);
  EXPECT_EQ(Text(s), u"a\xE9" u"bc");
  EXPECT_EQ(s.Insert(0, u"xyz", 2), S_OK);
  EXPECT_EQ(Text(s), u"xya\xE9" u"bc");
  s.AppendChar('!');
  s.AppendChar(u'\x20AC');
  s.AppendChar('\xC3');  // half a UTF-8 sequence adds nothing
  EXPECT_EQ(Text(s), u"xya\xE9" u"bc!\x20AC");
}

TEST(StringT, AppendingOrInsertingAStringIntoItselfReadsTheWholeSource) {
  StringW shared(u"ab");
  StringW other(shared);
  shared += shared;
  EXPECT_EQ(Text(shared), u"abab");
  EXPECT_EQ(Text(other), u"ab");

  StringW alone(u"xyz");
  alone += alone;
  EXPECT_EQ(Text(alone), u"xyzxyz");

  StringW locked(u"cd");
  ASSERT_NE(locked.Lock(3), nullptr);
  locked += locked;
  EXPECT_EQ(Text(locked), u"cdcd");
  locked.Insert(2, locked.GetText(), 2);
  EXPECT_EQ(Text(locked), u"cdcdcd");
  locked.Unlock();

  StringW inserted(u"1234");
  inserted.Insert(2, inserted);
  EXPECT_EQ(Text(inserted), u"12123434");
  StringW appended(u"pq");
  appended.Insert(2, appended.GetText());
  EXPECT_EQ(Text(appended), u"pqpq");
}

TEST(StringT, ConcatenationMakesANewString) {
  const StringW a(u"ab");
  const StringW b(u"cd");
  const StringW c = a + b;
  EXPECT_EQ(Text(c), u"abcd");
  EXPECT_EQ(Text(a), u"ab");
  EXPECT_EQ((a + StringW()).GetText(), a.GetText());
  EXPECT_EQ(c.GetBuffer()->GetSize(), 10u);
}

TEST(StringT, EqualityAndOrder) {
  const StringW empty;
  const StringW ab(u"ab");
  EXPECT_TRUE(empty == static_cast<const char16_t*>(nullptr));
  EXPECT_TRUE(empty == u"");
  EXPECT_FALSE(ab == static_cast<const char16_t*>(nullptr));
  EXPECT_FALSE(ab == u"");
  EXPECT_TRUE(ab == u"ab");
  EXPECT_FALSE(ab == u"abc");
  EXPECT_TRUE(ab != StringW(u"ba"));
  EXPECT_TRUE(ab == StringW(u"ab"));

  const StringW copy(ab);
  EXPECT_FALSE(ab < copy);
  EXPECT_TRUE(ab < StringW(u"abc"));
  EXPECT_FALSE(StringW(u"abc") < ab);
  EXPECT_TRUE(StringW(u"z") < StringW(u"\xE9"));      // units compare unsigned
  EXPECT_TRUE(StringW(u"\xE9") < StringW(u"\xFFFF"));
  EXPECT_TRUE(StringA("z") < StringA("\xC3\xA9"));
  EXPECT_TRUE(empty < ab);
}

// Every pair of a set of texts that differ early, late, by one unit's high
// bits or as prefixes orders as the standard strings do, locked or not.
TEST(StringT, OrderMatchesTheStandardStringsForEveryPair) {
  const std::u16string texts[] = {u"",
                                  u"a",
                                  u"ab",
                                  u"abcdefgh",
                                  u"abcdefghi",
                                  u"abcdefgh\x0100",
                                  u"abcdefgh\x00FF",
                                  u"abcdefghijklmnopq",
                                  u"abcdefghijklmnopr",
                                  u"\xFFFF",
                                  u"\xE9",
                                  u"b"};
  for (const auto& x : texts) {
    for (const auto& y : texts) {
      const StringW a(x.c_str());
      const StringW b(y.c_str());
      EXPECT_EQ(a < b, x < y) << a.ToCharString().GetText() << " < " << b.ToCharString().GetText();
      EXPECT_EQ(a == b, x == y);
      StringW locked(x.c_str());
      locked.Lock(40);
      EXPECT_EQ(locked < b, x < y);
      EXPECT_EQ(locked == b, x == y);
      locked.Unlock();
      const std::string narrowX(a.ToCharString().GetText());
      const std::string narrowY(b.ToCharString().GetText());
      EXPECT_EQ(a.ToCharString() < b.ToCharString(), narrowX < narrowY);
    }
  }
}

TEST(StringT, WideAndEightBitTextAreEqualThroughUtf8) {
  const StringA utf8("\xE2\x82\xAC" "x");
  EXPECT_TRUE(utf8 == u"\x20AC" u"x");
  EXPECT_FALSE(utf8 == u"\x20AC");
  EXPECT_FALSE(utf8 == static_cast<const char16_t*>(nullptr));
  EXPECT_TRUE(StringA() == static_cast<const char16_t*>(nullptr));
  EXPECT_TRUE(StringA() == u"");
  EXPECT_TRUE(StringW(u"\x20AC" u"x") == "\xE2\x82\xAC" "x");
  EXPECT_TRUE(StringW(u"\x20AC" u"x") == utf8);
  // Bad bytes never make an 8-bit text equal to the part that converts.
  EXPECT_FALSE(StringW(u"abc") == "abc\xC0\xAF");
  EXPECT_TRUE(StringA("abc") == "abc");
  EXPECT_FALSE(StringA("abc") == "abd");
}

TEST(StringT, ReplaceCharsReplacesEveryUnitOfTheSet) {
  StringW s(u"a-b_c-d");
  const StringW shared(s);
  s.ReplaceChars(u"-_", u' ');
  EXPECT_EQ(Text(s), u"a b c d");
  EXPECT_EQ(Text(shared), u"a-b_c-d");
  s.ReplaceChars(u" ", u'\0');
  EXPECT_EQ(Text(s), u"a b c d");
}

TEST(StringT, FindAndReverseFind) {
  const StringW s(u"one two one");
  EXPECT_EQ(s.Find(u"one"), 0);
  EXPECT_EQ(s.Find(u"one", 1), 8);
  EXPECT_EQ(s.Find(u"three"), -1);
  EXPECT_EQ(s.Find(u""), -1);
  EXPECT_EQ(s.Find(u'o', 3), 6);
  EXPECT_EQ(s.Find(u'o', 100), -1);
  EXPECT_EQ(s.ReverseFind(u'o'), 8);
  EXPECT_EQ(s.ReverseFind(u'x'), -1);
  EXPECT_EQ(StringA("-DEBUG_CONSOLE").Find('D', 1), 1);
}

TEST(StringT, TrimmingRemovesBlanksFromEitherEnd) {
  const StringW s(u" \t a b \r\n");
  EXPECT_EQ(Text(s.TrimLeft()), u"a b \r\n");
  EXPECT_EQ(Text(s.TrimRight()), u" \t a b");
  EXPECT_EQ(Text(s.Trim()), u"a b");
  EXPECT_EQ(Text(StringW(u"xxaxx").Trim(u"x")), u"a");
  EXPECT_TRUE(StringW(u" \t\r\n").Trim().IsEmpty());
}

TEST(StringT, RemoveTakesOutAWholeRangeOrNothing) {
  struct Case {
    int32_t start, count;
    bool removed;
    const char16_t* expected;
  };
  const Case cases[] = {{1, 2, true, u"adef"},     {0, 6, true, u""},         {4, 2, true, u"abcd"},
                        {6, 0, false, u"abcdef"},   {4, 3, false, u"abcdef"},  {-1, 1, false, u"abcdef"},
                        {2, 0, true, u"abcdef"}};
  for (const Case& c : cases) {
    StringW s(u"abcdef");
    EXPECT_EQ(s.Remove(c.start, c.count), c.removed) << c.start << "," << c.count;
    EXPECT_EQ(Text(s), c.expected) << c.start << "," << c.count;
  }
}

TEST(StringT, EightBitStringOverABufferNeverWritesOrOverreadsIt) {
  // Exactly text and terminator: shared.
  ConstRCPtr<LIBuffer> exact = LTextBuffer::Create(4, 0, true);
  std::memcpy(exact->GetData(), "abc", 4);
  EXPECT_EQ(StringA(exact).GetText(), exact->GetData());
  EXPECT_EQ(StringA(exact).GetLength(), 3);

  // No terminator: the text is bounded by the size and copied.
  ConstRCPtr<LIBuffer> unterminated = LTextBuffer::Create(3, 0, true);
  std::memcpy(unterminated->GetData(), "xyz", 3);
  const StringA fromUnterminated(unterminated);
  EXPECT_EQ(Text(fromUnterminated), "xyz");
  EXPECT_EQ(std::memcmp(unterminated->GetData(), "xyz", 3), 0);
  EXPECT_EQ(unterminated->GetSize(), 3u);

  // A terminator before the end: copied, the buffer keeps its size.
  ConstRCPtr<LIBuffer> longer = LTextBuffer::Create(8, 0, true);
  std::memcpy(longer->GetData(), "hi", 3);
  const StringA fromLonger(longer);
  EXPECT_EQ(Text(fromLonger), "hi");
  EXPECT_NE(fromLonger.GetText(), longer->GetData());
  EXPECT_EQ(longer->GetSize(), 8u);

  EXPECT_TRUE(StringA(ConstRCPtr<LIBuffer>()).IsEmpty());
}

TEST(StringT, LockOfTheEightBitStringWorksInBytes) {
  StringA s("ab");
  char* p = s.Lock(5);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(s.GetBuffer()->GetSize(), 5u);
  std::memcpy(p, "wxyz", 4);
  EXPECT_EQ(s.Unlock(), S_OK);
  EXPECT_EQ(Text(s), "wxyz");
  EXPECT_EQ(s.GetBuffer()->GetSize(), 5u);
}
