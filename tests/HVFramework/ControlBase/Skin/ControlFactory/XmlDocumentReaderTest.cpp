#include "HVFramework/ControlBase/Skin/ControlFactory/XmlDocumentReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace HV {
namespace {

std::span<const uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Records what the reader hands on, one line per call; throws at a chosen element.
class RecordingHandler : public IXmlContentHandler {
 public:
  std::vector<std::string> calls;
  std::string throwAt;
  std::string throwAtAttribute;  // "name=value"

  void StartElement(const StringW& name, const XmlAttributes& attributes) override {
    std::string line = "<" + Narrow(name);
    bool fail = Narrow(name) == throwAt;
    for (const auto& [key, value] : attributes.GetItems()) {
      line += " " + Narrow(key) + "=" + Narrow(value);
      fail = fail || Narrow(key) + "=" + Narrow(value) == throwAtAttribute;
    }
    calls.push_back(line);
    if (fail) throw std::runtime_error("handler failed");
  }
  void EndElement(const StringW& name) override { calls.push_back("/" + Narrow(name)); }
  void CharacterData(const StringW& text) override { calls.push_back("'" + Narrow(text) + "'"); }

 private:
  static std::string Narrow(const StringW& text) { return text.ToCharString().GetText(); }
};

// Every reader test runs with the parser on the caller's thread and on a
// thread of its own: the handler must see the same calls either way.
class XmlDocumentReaderThreads : public ::testing::TestWithParam<XmlDocumentReader::Threads> {};

INSTANTIATE_TEST_SUITE_P(Both, XmlDocumentReaderThreads,
                         ::testing::Values(XmlDocumentReader::Threads::One, XmlDocumentReader::Threads::Two),
                         [](const ::testing::TestParamInfo<XmlDocumentReader::Threads>& param) {
                           return std::string(param.param == XmlDocumentReader::Threads::One ? "One" : "Two");
                         });

TEST_P(XmlDocumentReaderThreads, JoinsTextThatTheParserDeliversInPieces) {
  RecordingHandler handler;
  XmlDocumentReader reader(GetParam());
  const std::string document =
      "<?xml version=\"1.0\"?><a x=\"1\" y=\"&lt;\">one &amp; two\r\nthree<![CDATA[ four]]>&#x263A;<!-- c -->"
      "five</a>";
  ASSERT_TRUE(reader.Read(Bytes(document), handler));
  const std::vector<std::string> expected = {"<a x=1 y=<",
                                             "'one & two\nthree four\xE2\x98\xBA"
                                             "five'",
                                             "/a"};
  EXPECT_EQ(handler.calls, expected);
}

TEST_P(XmlDocumentReaderThreads, ReadsUtf16WithByteOrderMark) {
  const std::u16string text = u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\u00FCber</a>";
  RecordingHandler handler;
  XmlDocumentReader reader(GetParam());
  ASSERT_TRUE(reader.Read({reinterpret_cast<const uint8_t*>(text.data()), text.size() * 2}, handler));
  ASSERT_EQ(handler.calls.size(), 3u);
  EXPECT_EQ(handler.calls[1],
            "'\xC3\xBC"
            "ber'");
}

TEST_P(XmlDocumentReaderThreads, KeepsTheMessageAndLineOfMalformedXml) {
  struct Case {
    const char* document;
    int32_t line;
  } const kCases[] = {
      {"<a>\n<b>\n</a>", 3},
      {"", 1},
      {"<a>\n\n<b x='1' x='2'/></a>", 3},
      {"<a>text", 1},
  };
  for (const Case& c : kCases) {
    RecordingHandler handler;
    XmlDocumentReader reader(GetParam());
    EXPECT_FALSE(reader.Read(Bytes(c.document), handler)) << c.document;
    EXPECT_EQ(reader.GetError().line, c.line) << c.document;
    EXPECT_FALSE(reader.GetError().text.IsEmpty());
  }
}

TEST_P(XmlDocumentReaderThreads, HandlerExceptionStopsReadingAndReachesTheCaller) {
  RecordingHandler handler;
  handler.throwAt = "b";
  XmlDocumentReader reader(GetParam());
  EXPECT_THROW(reader.Read(Bytes("<a><b/><c/>tail</a>"), handler), std::runtime_error);
  const std::vector<std::string> expected = {"<a", "<b"};
  EXPECT_EQ(handler.calls, expected);  // nothing after the failure
  // The error says what the handler said, and where.
  EXPECT_TRUE(reader.GetError().text.GetView() == u"handler failed");
  EXPECT_EQ(reader.GetError().line, 1);
}

// The line of a failing handler, across line ends and encodings.
TEST_P(XmlDocumentReaderThreads, AFailingHandlerIsPlacedOnItsLine) {
  struct Case {
    std::u16string document;
    int32_t line;
  } const kCases[] = {
      {u"<a>\n\n<b/></a>", 3},   {u"<a>\r\n\r\n<b/></a>", 3}, {u"<a>\r\r<b/></a>", 3},
      {u"<a>\n\r<b/></a>", 3},   {u"<a><!-- \n -->\n<b/></a>", 3}, {u"<a x='\n'>\n<b/></a>", 3},
      {u"<a>t\u00FC\nx<b/></a>", 2},
  };
  for (const Case& c : kCases) {
    std::string utf8;
    for (const char16_t unit : c.document) {
      if (unit < 0x80) {
        utf8 += static_cast<char>(unit);
      } else {
        utf8 += static_cast<char>(0xC0 | (unit >> 6));
        utf8 += static_cast<char>(0x80 | (unit & 0x3F));
      }
    }
    const std::u16string utf16 = u"\uFEFF" + c.document;
    const std::span<const uint8_t> encodings[] = {
        Bytes(utf8), {reinterpret_cast<const uint8_t*>(utf16.data()), utf16.size() * 2}};
    for (const std::span<const uint8_t> bytes : encodings) {
      RecordingHandler handler;
      handler.throwAt = "b";
      XmlDocumentReader reader(GetParam());
      EXPECT_THROW(reader.Read(bytes, handler), std::runtime_error);
      EXPECT_EQ(reader.GetError().line, c.line) << utf8 << (bytes.data() == encodings[0].data() ? "" : " UTF-16");
    }
  }
}

// A document of many elements, far more than the parser hands over at once
// and more than may wait: element i on line i + 2, with text and attributes;
// breakAt puts a stray closing tag on the line after that element.
std::string LongDocument(int elements, int breakAt = -1) {
  std::string document = "<root>\n";
  for (int i = 0; i < elements; ++i) {
    const std::string tag = std::string("e").append(std::to_string(i % 7));
    const std::string number = std::to_string(i);
    document.append("<").append(tag).append(" n=\"").append(number).append("\" s=\"\xC3\xBC&amp;\">t");
    document.append(number).append("</").append(tag).append(">\n");
    if (i == breakAt) document.append("</wrong>");
  }
  return document.append("</root>");
}

TEST_P(XmlDocumentReaderThreads, LongDocumentsArriveWholeAndInOrder) {
  const std::string document = LongDocument(20000);
  RecordingHandler one;
  ASSERT_TRUE(XmlDocumentReader(XmlDocumentReader::Threads::One).Read(Bytes(document), one));
  RecordingHandler handler;
  ASSERT_TRUE(XmlDocumentReader(GetParam()).Read(Bytes(document), handler));
  ASSERT_EQ(handler.calls.size(), 4 * 20000 + 3u);  // root, per element its line end, start, text and end, then the last line end and root's end
  EXPECT_EQ(handler.calls, one.calls);
  EXPECT_EQ(handler.calls[1 + 4 * 12345 + 1], "<e4 n=12345 s=\xC3\xBC&");
}

// A failure deep in a long document - the handler's, or the document's own -
// ends reading there, however far the parser had gone ahead; the error names
// the failing line.
TEST_P(XmlDocumentReaderThreads, AFailureDeepInALongDocumentEndsReadingThere) {
  {
    RecordingHandler handler;
    handler.throwAtAttribute = "n=12000";
    XmlDocumentReader reader(GetParam());
    EXPECT_THROW(reader.Read(Bytes(LongDocument(20000)), handler), std::runtime_error);
    EXPECT_EQ(handler.calls.size(), 4 * 12000 + 3u);
    EXPECT_EQ(handler.calls.back(), "<e2 n=12000 s=\xC3\xBC&");
    EXPECT_EQ(reader.GetError().line, 12002);
  }
  {
    RecordingHandler handler;
    XmlDocumentReader reader(GetParam());
    EXPECT_FALSE(reader.Read(Bytes(LongDocument(15000, 9000)), handler));
    EXPECT_EQ(reader.GetError().line, 9003);
    EXPECT_EQ(handler.calls.back(), "/e5");  // element 9000 ended; nothing after the stray tag
  }
}

// Values read as views and as strings agree, also where ASCII and other
// values alternate in one element and a value starts ASCII and then is not.
TEST(XmlAttributes, GiveEveryValueTheSameTextAsViewAndAsString) {
  const char* const pairs[] = {"a", "plain",          "b", "",  "c",     "gr\xC3\xBCn", "d", "tail",
                               "e", "x\xE2\x98\xBA!", "f", "7", nullptr, nullptr};
  const XmlAttributes attributes(pairs);
  struct Case {
    std::u16string_view name;
    std::optional<std::u16string_view> text;
  } const kCases[] = {
      {u"a", u"plain"},    {u"b", u""},  {u"c", u"gr\u00FCn"}, {u"d", u"tail"},
      {u"e", u"x\u263A!"}, {u"f", u"7"}, {u"g", std::nullopt}, {u"A", std::nullopt},
  };
  for (const Case& c : kCases) {
    std::string label;  // the names are ASCII
    for (const char16_t unit : c.name) label += static_cast<char>(unit);
    EXPECT_EQ(attributes.FindText(c.name), c.text) << label;
    const StringW* value = attributes.Find(c.name);
    ASSERT_EQ(value != nullptr, c.text.has_value()) << label;
    if (value) {
      EXPECT_TRUE(value->GetView() == *c.text) << label;
    }
  }
  ASSERT_EQ(attributes.GetCount(), 6u);
  for (size_t i = 0; i < attributes.GetCount(); ++i)
    EXPECT_TRUE(attributes.GetText(i) == attributes.GetValue(i).GetView()) << i;
}

}  // namespace
}  // namespace HV
