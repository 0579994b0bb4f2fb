#include "HVFramework/ControlBase/Skin/ControlFactory/XmlDocumentReader.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace HV
