#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace HV {

// An element's attributes in document order, names and values as wide text.
// Lookups are exact and case-sensitive.
class XmlAttributes {
 public:
  void Add(StringW name, StringW value) { mItems.emplace_back(std::move(name), std::move(value)); }
  // The value of the first attribute of that name, null when absent.
  const StringW* Find(std::u16string_view name) const;
  bool Has(std::u16string_view name) const { return Find(name) != nullptr; }
  const std::vector<std::pair<StringW, StringW>>& GetItems() const { return mItems; }

 private:
  std::vector<std::pair<StringW, StringW>> mItems;
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
  virtual ~IXmlContentHandler() = default;
};

// XmlDocumentReader: reads one whole XML document from memory with Expat in a
// single pass; the encoding comes from the document's declaration or byte
// order mark (UTF-8 or UTF-16). On malformed XML it keeps Expat's message and
// the line where it stopped.
class XmlDocumentReader {
 public:
  struct Error {
    StringW text;
    int32_t line = 0;
  };

  // true when the document was read to its end. Exceptions thrown by the
  // handler propagate (after the parser is freed); no error is stored then.
  bool Read(std::span<const uint8_t> document, IXmlContentHandler& handler);
  const Error& GetError() const { return mError; }

 private:
  Error mError;
};

}  // namespace HV
