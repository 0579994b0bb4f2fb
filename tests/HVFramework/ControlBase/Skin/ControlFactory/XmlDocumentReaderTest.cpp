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

  void StartElement(const StringW& name, const XmlAttributes& attributes) override {
    std::string line = "<" + Narrow(name);
    for (const auto& [key, value] : attributes.GetItems()) line += " " + Narrow(key) + "=" + Narrow(value);
    calls.push_back(line);
    if (Narrow(name) == throwAt) throw std::runtime_error("handler failed");
  }
  void EndElement(const StringW& name) override { calls.push_back("/" + Narrow(name)); }
  void CharacterData(const StringW& text) override { calls.push_back("'" + Narrow(text) + "'"); }

 private:
  static std::string Narrow(const StringW& text) { return text.ToCharString().GetText(); }
};

TEST(XmlDocumentReader, JoinsTextThatTheParserDeliversInPieces) {
  RecordingHandler handler;
  XmlDocumentReader reader;
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

TEST(XmlDocumentReader, ReadsUtf16WithByteOrderMark) {
  const std::u16string text = u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\u00FCber</a>";
  RecordingHandler handler;
  XmlDocumentReader reader;
  ASSERT_TRUE(reader.Read({reinterpret_cast<const uint8_t*>(text.data()), text.size() * 2}, handler));
  ASSERT_EQ(handler.calls.size(), 3u);
  EXPECT_EQ(handler.calls[1],
            "'\xC3\xBC"
            "ber'");
}

TEST(XmlDocumentReader, KeepsTheMessageAndLineOfMalformedXml) {
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
    XmlDocumentReader reader;
    EXPECT_FALSE(reader.Read(Bytes(c.document), handler)) << c.document;
    EXPECT_EQ(reader.GetError().line, c.line) << c.document;
    EXPECT_FALSE(reader.GetError().text.IsEmpty());
  }
}

TEST(XmlDocumentReader, HandlerExceptionStopsReadingAndReachesTheCaller) {
  RecordingHandler handler;
  handler.throwAt = "b";
  XmlDocumentReader reader;
  EXPECT_THROW(reader.Read(Bytes("<a><b/><c/>tail</a>"), handler), std::runtime_error);
  const std::vector<std::string> expected = {"<a", "<b"};
  EXPECT_EQ(handler.calls, expected);  // nothing after the failure
  // The error says what the handler said, and where.
  EXPECT_TRUE(reader.GetError().text.GetView() == u"handler failed");
  EXPECT_EQ(reader.GetError().line, 1);
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
