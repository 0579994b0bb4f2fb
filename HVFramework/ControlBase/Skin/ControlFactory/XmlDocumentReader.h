#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace HV {

// An element's attributes as the parser gives them (UTF-8 name/value pairs,
// valid during the start-element call). Lookups are exact and case-sensitive.
// The first value asked for widens all the ASCII values in one buffer; a
// value becomes a string only when it is asked for as one.
class XmlAttributes {
 public:
  // pairs: name, value, name, value, ..., then a null name.
  explicit XmlAttributes(const char* const* pairs);
  XmlAttributes(const XmlAttributes&) = delete;
  XmlAttributes& operator=(const XmlAttributes&) = delete;

  // The value of the first attribute of that name, null when absent.
  const StringW* Find(std::u16string_view name) const;
  bool Has(std::u16string_view name) const { return IndexOf(name) >= 0; }
  // By position, in document order: the name as the parser gives it (UTF-8)
  // and the value as wide text.
  size_t GetCount() const { return mCount; }
  std::string_view GetRawName(size_t index) const { return mPairs[2 * index]; }
  const StringW& GetValue(size_t index) const;
  // The value as wide text without a string of its own, valid while these
  // attributes are; FindText is empty for an absent attribute.
  std::u16string_view GetText(size_t index) const;
  std::optional<std::u16string_view> FindText(std::u16string_view name) const;
  // Every (name, value) in document order.
  std::vector<std::pair<StringW, StringW>> GetItems() const;

 private:
  // A value's place in mWide; a value that is not ASCII has none and is
  // converted as a string.
  struct Value {
    std::optional<StringW> text;
    size_t start = 0;
    size_t length = 0;
    bool widened = false;
  };

  int32_t IndexOf(std::u16string_view name) const;
  void WidenAscii() const;

  const char* const* mPairs;
  size_t mCount = 0;
  mutable std::vector<Value> mValues;
  mutable std::u16string mWide;
  mutable bool mWidened = false;
};

// What an XML document is read into: elements and their text, in document
// order. Text between two tags arrives in one piece, however the parser split
// it. A handler may throw; reading then stops and the exception reaches the
// caller of Read.
class IXmlContentHandler {
 public:
  virtual void StartElement(const StringW& name, const XmlAttributes& attributes) = 0;
  virtual void EndElement(const StringW& name) = 0;
  virtual void CharacterData(const StringW& text) = 0;
  // Whether text at this point is wanted at all; text that is not (the
  // blanks between elements, mostly) is never converted.
  virtual bool IsCapturingText() const { return true; }
  virtual ~IXmlContentHandler() = default;
};

// XmlDocumentReader: reads one whole XML document from memory with Expat in a
// single pass; the encoding comes from the document's declaration or byte
// order mark (UTF-8 or UTF-16). On malformed XML it keeps Expat's message and
// the line where it stopped. A large document is parsed on a second thread
// while the handler works through what is already parsed; the handler itself
// is always called on the caller's thread, in document order.
class XmlDocumentReader {
 public:
  struct Error {
    StringW text;
    int32_t line = 0;
  };
  // Automatic takes a second thread from kTwoThreadBytes on.
  enum class Threads { Automatic, One, Two };
  static constexpr size_t kTwoThreadBytes = 256 * 1024;

  explicit XmlDocumentReader(Threads threads = Threads::Automatic) : mThreads(threads) {}

  // true when the document was read to its end. Exceptions thrown by the
  // handler propagate (after the parser is freed); the error keeps their
  // text and the line of the element that threw.
  bool Read(std::span<const uint8_t> document, IXmlContentHandler& handler);
  const Error& GetError() const { return mError; }

 private:
  bool ReadOnOneThread(std::span<const uint8_t> document, IXmlContentHandler& handler);
  bool ReadOnTwoThreads(std::span<const uint8_t> document, IXmlContentHandler& handler);

  Threads mThreads;
  Error mError;
};

}  // namespace HV
