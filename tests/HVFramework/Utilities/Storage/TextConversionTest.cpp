#include "HVFramework/Utilities/Storage/TextConversion.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

using namespace HV;

namespace {

// glibc's converter, the reference the hand-written one is checked against.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : mHandle(iconv_open(to, from)) {}
  ~Iconv() { iconv_close(mHandle); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // The converted bytes, or nothing when the whole input does not convert.
  bool Convert(const void* data, size_t size, std::string& out) {
    iconv(mHandle, nullptr, nullptr, nullptr, nullptr);
    out.resize(size * 4 + 16);
    char* in = static_cast<char*>(const_cast<void*>(data));
    char* target = out.data();
    size_t inLeft = size;
    size_t outLeft = out.size();
    const size_t done = iconv(mHandle, &in, &inLeft, &target, &outLeft);
    out.resize(out.size() - outLeft);
    return done != static_cast<size_t>(-1) && inLeft == 0;
  }

 private:
  iconv_t mHandle;
};

std::u16string AllScalarsAsUtf16() {
  std::u16string text;
  for (char32_t c = 1; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c < 0x10000) {
      text += static_cast<char16_t>(c);
    } else {
      text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return text;
}

struct Utf8Result {
  ConversionResult result;
  std::u16string text;
  size_t consumed;
};

Utf8Result ToUtf16(const std::string& bytes, ConversionMode mode = ConversionMode::Lenient,
                   size_t room = 64) {
  std::u16string out(room, u'\0');
  const char* source = bytes.data();
  char16_t* target = out.data();
  const auto result = Utf8ToUtf16(source, bytes.data() + bytes.size(), target, out.data() + room, mode);
  out.resize(static_cast<size_t>(target - out.data()));
  return {result, out, static_cast<size_t>(source - bytes.data())};
}

struct Utf16Result {
  ConversionResult result;
  std::string bytes;
  size_t consumed;
};

Utf16Result ToUtf8(const std::u16string& text, ConversionMode mode = ConversionMode::Lenient,
                   size_t room = 64) {
  std::string out(room, '\0');
  const char16_t* source = text.data();
  char* target = out.data();
  const auto result = Utf16ToUtf8(source, text.data() + text.size(), target, out.data() + room, mode);
  out.resize(static_cast<size_t>(target - out.data()));
  return {result, out, static_cast<size_t>(source - text.data())};
}

}  // namespace

TEST(TextConversion, EveryScalarValueRoundTripsWithTheBytesIconvWrites) {
  const std::u16string wide = AllScalarsAsUtf16();
  std::string expected;
  Iconv toUtf8("UTF-8", "UTF-16LE");
  ASSERT_TRUE(toUtf8.Convert(wide.data(), wide.size() * 2, expected));

  const Utf16Result narrow = ToUtf8(wide, ConversionMode::Strict, wide.size() * 4);
  ASSERT_EQ(narrow.result, ConversionResult::Ok);
  EXPECT_EQ(narrow.consumed, wide.size());
  EXPECT_TRUE(narrow.bytes == expected);

  const Utf8Result back = ToUtf16(expected, ConversionMode::Strict, wide.size());
  ASSERT_EQ(back.result, ConversionResult::Ok);
  EXPECT_EQ(back.consumed, expected.size());
  EXPECT_TRUE(back.text == wide);
}

TEST(TextConversion, IsValidUtf8SequenceAgreesWithIconvForEveryShortSequence) {
  Iconv decoder("UTF-32LE", "UTF-8");
  std::string out;
  auto check = [&](const unsigned char* bytes, int length) {
    const bool expected = decoder.Convert(bytes, static_cast<size_t>(length), out) && out.size() == 4;
    const bool actual = IsValidUtf8Sequence(reinterpret_cast<const char*>(bytes), length);
    if (expected != actual) {
      ADD_FAILURE() << "length " << length << " lead " << int(bytes[0]) << " " << int(bytes[1]) << " "
                    << int(bytes[2]) << " " << int(bytes[3]) << ": iconv says " << expected;
      return false;
    }
    return true;
  };
  unsigned char bytes[4] = {};
  // Every sequence whose length is the one its lead byte announces.
  for (int lead = 0; lead < 0x100; ++lead) {
    bytes[0] = static_cast<unsigned char>(lead);
    const int length = 1 + Utf8TrailingBytes(bytes[0]);
    if (length == 1) {
      ASSERT_TRUE(check(bytes, 1));
    } else if (length == 2) {
      for (int b1 = 0; b1 < 0x100; ++b1) {
        bytes[1] = static_cast<unsigned char>(b1);
        ASSERT_TRUE(check(bytes, 2));
      }
    } else if (length == 3) {
      for (int b12 = 0; b12 < 0x10000; ++b12) {
        bytes[1] = static_cast<unsigned char>(b12 >> 8);
        bytes[2] = static_cast<unsigned char>(b12);
        ASSERT_TRUE(check(bytes, 3));
      }
    } else if (length == 4) {
      // Every second byte; the later bytes around the continuation range's edges.
      const unsigned char edges[] = {0x00, 0x7F, 0x80, 0x9F, 0xA0, 0xBF, 0xC0, 0xFF};
      for (int b1 = 0; b1 < 0x100; ++b1)
        for (unsigned char b2 : edges)
          for (unsigned char b3 : edges) {
            bytes[1] = static_cast<unsigned char>(b1);
            bytes[2] = b2;
            bytes[3] = b3;
            ASSERT_TRUE(check(bytes, 4));
          }
    } else {
      EXPECT_FALSE(IsValidUtf8Sequence(reinterpret_cast<const char*>(bytes), length));
    }
  }
  EXPECT_FALSE(IsValidUtf8Sequence("a", 0));
  EXPECT_FALSE(IsValidUtf8Sequence("\xF8\x88\x80\x80\x80", 5));
}

TEST(TextConversion, Utf8ToUtf16ReportsWhereAndWhyItStopped) {
  struct Case {
    const char* name;
    std::string bytes;
    ConversionMode mode;
    size_t room;
    ConversionResult result;
    std::u16string text;
    size_t consumed;
  };
  const Case cases[] = {
      {"euro", "\xE2\x82\xAC", ConversionMode::Strict, 8, ConversionResult::Ok, u"\x20AC", 3},
      {"pair", "\xF0\x9F\x98\x80", ConversionMode::Strict, 8, ConversionResult::Ok, u"\xD83D\xDE00", 4},
      {"overlong", "ab\xC0\xAF", ConversionMode::Lenient, 8, ConversionResult::SourceIllegal, u"ab", 2},
      {"surrogate form", "\xED\xA0\x80", ConversionMode::Lenient, 8, ConversionResult::SourceIllegal, u"", 0},
      {"cut at the end", "x\xE2\x82", ConversionMode::Lenient, 8, ConversionResult::SourceExhausted, u"x", 1},
      {"stray continuation", "\x80", ConversionMode::Lenient, 8, ConversionResult::SourceIllegal, u"", 0},
      {"target full", "abc", ConversionMode::Lenient, 2, ConversionResult::TargetExhausted, u"ab", 2},
      {"no room for a pair", "a\xF0\x9F\x98\x80", ConversionMode::Lenient, 2,
       ConversionResult::TargetExhausted, u"a", 1},
      {"ED before a letter", "\xED\x41\x80", ConversionMode::Lenient, 8, ConversionResult::SourceIllegal, u"",
       0},
      {"F4 before a letter", "\xF4\x41\x80\x80", ConversionMode::Lenient, 8, ConversionResult::SourceIllegal,
       u"", 0},
      {"past U+10FFFF", "\xF4\x90\x80\x80", ConversionMode::Lenient, 8, ConversionResult::SourceIllegal, u"",
       0},
      {"five-byte form", "\xF8\x88\x80\x80\x80", ConversionMode::Lenient, 8, ConversionResult::SourceIllegal,
       u"", 0},
  };
  for (const Case& c : cases) {
    const Utf8Result r = ToUtf16(c.bytes, c.mode, c.room);
    EXPECT_EQ(r.result, c.result) << c.name;
    EXPECT_TRUE(r.text == c.text) << c.name;
    EXPECT_EQ(r.consumed, c.consumed) << c.name;
  }
}

// ASCII runs are taken a word at a time: a run of any length, at any
// alignment, stopped by a multi-byte character, a bad byte or a full target,
// reads as iconv's answer and stops at the same place.
TEST(TextConversion, AsciiRunsStopWhereTheBytesOrTheRoomEnd) {
  Iconv toUtf16("UTF-16LE", "UTF-8");
  for (size_t offset = 0; offset < 8; ++offset) {
    for (size_t run = 0; run < 20; ++run) {
      const std::string ascii = std::string(offset, 'o') + std::string(run, 'a');
      for (const std::string tail : {"\xC3\xA9z", "\xE2\x82\xACz", "\xF0\x9F\x98\x80"}) {
        const std::string bytes = ascii + tail + ascii;
        std::string expected;
        ASSERT_TRUE(toUtf16.Convert(bytes.data(), bytes.size(), expected));
        const Utf8Result r = ToUtf16(bytes, ConversionMode::Strict, bytes.size());
        EXPECT_EQ(r.result, ConversionResult::Ok);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.text.data()), r.text.size() * 2), expected);
      }
      const Utf8Result bad = ToUtf16(ascii + "\x80" + ascii, ConversionMode::Lenient, 64);
      EXPECT_EQ(bad.result, ConversionResult::SourceIllegal);
      EXPECT_EQ(bad.consumed, ascii.size());
      const Utf8Result full = ToUtf16(ascii + ascii, ConversionMode::Lenient, ascii.size());
      EXPECT_EQ(full.result, ascii.empty() ? ConversionResult::Ok : ConversionResult::TargetExhausted);
      EXPECT_EQ(full.consumed, ascii.size());
    }
  }
}

TEST(TextConversion, Utf16ToUtf8WritesLoneSurrogatesOnlyWhenLenient) {
  struct Case {
    const char* name;
    std::u16string text;
    ConversionMode mode;
    size_t room;
    ConversionResult result;
    std::string bytes;
    size_t consumed;
  };
  const Case cases[] = {
      {"lone high, lenient", u"\xD800\x0041", ConversionMode::Lenient, 8, ConversionResult::Ok,
       "\xED\xA0\x80"
       "A",
       2},
      {"lone high, strict", u"\xD800\x0041", ConversionMode::Strict, 8, ConversionResult::SourceIllegal, "",
       0},
      {"lone low, lenient", u"a\xDC00", ConversionMode::Lenient, 8, ConversionResult::Ok, "a\xED\xB0\x80", 2},
      {"lone low, strict", u"a\xDC00", ConversionMode::Strict, 8, ConversionResult::SourceIllegal, "a", 1},
      {"high surrogate last", u"a\xD83D", ConversionMode::Lenient, 8, ConversionResult::SourceExhausted, "a",
       1},
      {"pair", u"\xD83D\xDE00", ConversionMode::Strict, 8, ConversionResult::Ok, "\xF0\x9F\x98\x80", 2},
      {"target full", u"a\x20AC", ConversionMode::Lenient, 3, ConversionResult::TargetExhausted, "a", 1},
  };
  for (const Case& c : cases) {
    const Utf16Result r = ToUtf8(c.text, c.mode, c.room);
    EXPECT_EQ(r.result, c.result) << c.name;
    EXPECT_EQ(r.bytes, c.bytes) << c.name;
    EXPECT_EQ(r.consumed, c.consumed) << c.name;
  }
}
