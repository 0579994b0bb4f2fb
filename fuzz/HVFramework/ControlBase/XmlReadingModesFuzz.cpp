// Reads arbitrary bytes as an XML document with the parser on the caller's
// thread and on a thread of its own, with a handler that records every call
// and fails at a place the first byte picks. Both must hand the handler the
// same calls and end the same way (result, error text and line).
#include "HVFramework/ControlBase/Skin/ControlFactory/XmlDocumentReader.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <stdexcept>
#include <string>

namespace {

class RecordingHandler : public HV::IXmlContentHandler {
 public:
  explicit RecordingHandler(size_t failAt) : mFailAt(failAt) {}

  void StartElement(const HV::StringW& name, const HV::XmlAttributes& attributes) override {
    Record("<" + Utf8(name));
    for (size_t i = 0; i < attributes.GetCount(); ++i)
      mLog += " " + std::string(attributes.GetRawName(i)) + "=" + Utf8(attributes.GetValue(i));
  }
  void EndElement(const HV::StringW& name) override { Record("/" + Utf8(name)); }
  void CharacterData(const HV::StringW& text) override { Record("'" + Utf8(text)); }
  // Text is wanted only inside every third element, so that both readers
  // must skip the same texts.
  bool IsCapturingText() const override { return mCalls % 3 == 0; }

  const std::string& GetLog() const { return mLog; }

 private:
  static std::string Utf8(const HV::StringW& text) { return text.ToCharString().GetText(); }
  void Record(const std::string& call) {
    mLog += "\n" + call;
    if (++mCalls == mFailAt) throw std::runtime_error("handler failed");
  }

  size_t mFailAt;
  size_t mCalls = 0;
  std::string mLog;
};

std::string ReadAll(std::span<const uint8_t> document, size_t failAt, HV::XmlDocumentReader::Threads threads) {
  RecordingHandler handler(failAt);
  HV::XmlDocumentReader reader(threads);
  std::string outcome;
  try {
    outcome = reader.Read(document, handler) ? "read" : "malformed";
  } catch (const std::runtime_error&) {
    outcome = "handler failed";
  }
  return handler.GetLog() + "\n" + outcome + ": " + reader.GetError().text.ToCharString().GetText() + " at " +
         std::to_string(reader.GetError().line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 256 * 1024) return 0;
  const size_t failAt = data[0] == 0 ? 0 : data[0] % 64;  // 0: never
  const std::span<const uint8_t> document(data + 1, size - 1);
  if (ReadAll(document, failAt, HV::XmlDocumentReader::Threads::One) !=
      ReadAll(document, failAt, HV::XmlDocumentReader::Threads::Two))
    std::abort();
  return 0;
}
