#include "HVFramework/ControlBase/Skin/ControlFactory/XmlDocumentReader.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/XmlEventStream.h"

#include "HVFramework/ObjectBase/TraceHook.h"

#include <expat.h>

#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace HV {
namespace {

StringW FromUtf8(const char* text, size_t length) { return StringW(std::string(text, length).c_str()); }

// The state of one Read: Expat calls back into it; nothing may unwind through
// Expat, so a handler's exception is caught here, parsing is stopped and the
// exception is rethrown once Expat has returned.
class ExpatSession {
 public:
  ExpatSession(XML_Parser parser, IXmlContentHandler& handler) : mParser(parser), mHandler(handler) {
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &OnStart, &OnEnd);
    XML_SetCharacterDataHandler(parser, &OnText);
  }

  std::exception_ptr TakeFailure() { return std::exchange(mFailure, nullptr); }
  // What the handler's exception said, and where in the document.
  const XmlDocumentReader::Error& GetFailureError() const { return mFailureError; }

 private:
  template <class Step>
  static void Guarded(void* data, Step step) {
    auto* session = static_cast<ExpatSession*>(data);
    if (session->mFailure) return;
    try {
      step(*session);
    } catch (...) {
      session->mFailure = std::current_exception();
      session->mFailureError = {StringW(CurrentExceptionText().c_str()),
                                static_cast<int32_t>(XML_GetCurrentLineNumber(session->mParser))};
      XML_StopParser(session->mParser, XML_FALSE);
    }
  }

  // Expat may split one text into several pieces (line ends, entities, its
  // buffer); they are joined and handed on at the next tag. Joining is what
  // keeps a text whole: were each piece handed on alone, a reader that
  // stores the latest piece would keep only the text after the last split.
  void FlushText() {
    if (mText.empty()) return;
    const std::string text = std::move(mText);
    mText.clear();
    mHandler.CharacterData(FromUtf8(text.data(), text.size()));
  }

  static void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guarded(data, [&](ExpatSession& self) {
      self.FlushText();
      const XmlAttributes map(attributes);
      self.mHandler.StartElement(self.ElementName(name), map);
    });
  }

  static void XMLCALL OnEnd(void* data, const XML_Char* name) {
    Guarded(data, [&](ExpatSession& self) {
      self.FlushText();
      self.mHandler.EndElement(self.ElementName(name));
    });
  }

  static void XMLCALL OnText(void* data, const XML_Char* text, int length) {
    Guarded(data, [&](ExpatSession& self) {
      if (self.mHandler.IsCapturingText()) self.mText.append(text, static_cast<size_t>(length));
    });
  }

  // A document uses a few element names thousands of times: each is
  // converted once and then shared.
  const StringW& ElementName(const XML_Char* name) {
    const std::string_view key(name);
    auto found = mElementNames.find(key);
    if (found == mElementNames.end()) found = mElementNames.emplace(std::string(key), StringW(name)).first;
    return found->second;
  }

  XML_Parser mParser;
  IXmlContentHandler& mHandler;
  std::map<std::string, StringW, std::less<>> mElementNames;
  std::string mText;
  std::exception_ptr mFailure;
  XmlDocumentReader::Error mFailureError;
};

struct ParserDeleter {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

}  // namespace

XmlAttributes::XmlAttributes(const char* const* pairs) : mPairs(pairs) {
  while (mPairs[2 * mCount] && mPairs[2 * mCount + 1]) ++mCount;
  mValues.resize(mCount);
}

int32_t XmlAttributes::IndexOf(std::u16string_view name) const {
  for (size_t i = 0; i < mCount; ++i) {
    const char* key = mPairs[2 * i];
    size_t at = 0;
    // Names of the vocabulary are ASCII: compare unit by unit, and convert
    // only for a name that is not.
    bool ascii = true;
    for (; at < name.size() && key[at]; ++at) {
      if (name[at] >= 0x80 || static_cast<unsigned char>(key[at]) >= 0x80) {
        ascii = false;
        break;
      }
      if (name[at] != static_cast<char16_t>(key[at])) break;
    }
    if (ascii ? (at == name.size() && key[at] == 0) : StringW(key).GetView() == name)
      return static_cast<int32_t>(i);
  }
  return -1;
}

// One pass over the values: the ASCII ones (all of a skin's, nearly) are
// widened unit by unit into one buffer, sized first so that it never moves.
void XmlAttributes::WidenAscii() const {
  mWidened = true;
  size_t total = 0;
  for (size_t i = 0; i < mCount; ++i) total += std::strlen(mPairs[2 * i + 1]);
  mWide.resize(total);
  char16_t* const wide = mWide.data();
  size_t used = 0;
  for (size_t i = 0; i < mCount; ++i) {
    const auto* text = reinterpret_cast<const unsigned char*>(mPairs[2 * i + 1]);
    size_t length = 0;
    unsigned char any = 0;
    for (; text[length]; ++length) {
      any |= text[length];
      wide[used + length] = static_cast<char16_t>(text[length]);
    }
    if (any >= 0x80) continue;  // not ASCII: its units are overwritten by the next value
    Value& value = mValues[i];
    value.start = used;
    value.length = length;
    value.widened = true;
    used += length;
  }
  mWide.resize(used);
}

const StringW& XmlAttributes::GetValue(size_t index) const {
  if (!mWidened) WidenAscii();
  Value& value = mValues[index];
  if (!value.text) {
    if (value.widened)
      value.text.emplace(mWide.data() + value.start, static_cast<int32_t>(value.length));
    else
      value.text.emplace(mPairs[2 * index + 1]);
  }
  return *value.text;
}

std::u16string_view XmlAttributes::GetText(size_t index) const {
  if (!mWidened) WidenAscii();
  const Value& value = mValues[index];
  if (value.widened) return {mWide.data() + value.start, value.length};
  return GetValue(index).GetView();
}

std::optional<std::u16string_view> XmlAttributes::FindText(std::u16string_view name) const {
  const int32_t index = IndexOf(name);
  if (index < 0) return std::nullopt;
  return GetText(static_cast<size_t>(index));
}

const StringW* XmlAttributes::Find(std::u16string_view name) const {
  const int32_t index = IndexOf(name);
  return index < 0 ? nullptr : &GetValue(static_cast<size_t>(index));
}

std::vector<std::pair<StringW, StringW>> XmlAttributes::GetItems() const {
  std::vector<std::pair<StringW, StringW>> items;
  for (size_t i = 0; i < mCount; ++i) items.emplace_back(StringW(mPairs[2 * i]), StringW(mPairs[2 * i + 1]));
  return items;
}

bool XmlDocumentReader::Read(std::span<const uint8_t> document, IXmlContentHandler& handler) {
  const bool two = mThreads == Threads::Two || (mThreads == Threads::Automatic && document.size() >= kTwoThreadBytes);
  return two ? ReadOnTwoThreads(document, handler) : ReadOnOneThread(document, handler);
}

bool XmlDocumentReader::ReadOnOneThread(std::span<const uint8_t> document, IXmlContentHandler& handler) {
  std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate(nullptr));
  if (!parser) throw std::bad_alloc();
  ExpatSession session(parser.get(), handler);

  const bool parsed = ParseWholeDocument(parser.get(), document);

  if (std::exception_ptr failure = session.TakeFailure()) {
    mError = session.GetFailureError();
    std::rethrow_exception(failure);
  }
  if (parsed) return true;
  mError.text = StringW(ParserErrorText(parser.get()));
  mError.line = static_cast<int32_t>(XML_GetCurrentLineNumber(parser.get()));
  return false;
}

namespace {

// Hands one batch's events to the handler; at follows the event being
// handed, for the error of a handler that fails.
void HandOn(const XmlEventBatch& batch, std::vector<StringW>& names, std::vector<const char*>& pairs,
            IXmlContentHandler& handler, uint64_t& at) {
  for (const uint32_t name : batch.newNames) names.emplace_back(batch.String(name));
  for (const XmlEventBatch::Event& event : batch.events) {
    at = event.at;
    switch (event.kind) {
      case XmlEventBatch::Kind::Start: {
        pairs.clear();
        for (uint32_t i = 0; i < event.strings; ++i) pairs.push_back(batch.String(event.first + i));
        pairs.push_back(nullptr);
        pairs.push_back(nullptr);
        const XmlAttributes attributes(pairs.data());
        handler.StartElement(names[event.element], attributes);
        break;
      }
      case XmlEventBatch::Kind::End:
        handler.EndElement(names[event.element]);
        break;
      case XmlEventBatch::Kind::Text:
        if (handler.IsCapturingText())
          handler.CharacterData(FromUtf8(batch.String(event.first), batch.StringLength(event.first)));
        break;
    }
  }
}

}  // namespace

bool XmlDocumentReader::ReadOnTwoThreads(std::span<const uint8_t> document, IXmlContentHandler& handler) {
  XmlEventStream stream(document);
  XmlEventBatch batch;
  std::vector<StringW> names;
  std::vector<const char*> pairs;
  uint64_t at = 0;
  try {
    while (stream.Next(batch)) HandOn(batch, names, pairs, handler, at);
  } catch (...) {
    stream.Stop();
    mError = {StringW(CurrentExceptionText().c_str()), XmlEventStream::LineAt(document, at)};
    throw;
  }
  stream.ThrowIfFailed();
  if (stream.Succeeded()) return true;
  mError.text = StringW(stream.GetErrorText().c_str());
  mError.line = stream.GetErrorLine();
  return false;
}

}  // namespace HV
