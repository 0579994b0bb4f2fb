#pragma once

#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

// StringArrayT<C, O>: an Array of strings with text searches. Holds the
// interned notification names and lists of key names. No lock.
template <class C, class O>
class StringArrayT : public Array<StringT<C, O>> {
 public:
  using String = StringT<C, O>;

  // The index of the first item from start that matches text, or -1. Case
  // sensitive: the same buffer or equal text; otherwise: the same characters
  // or text equal but for letter case.
  int32_t Find(const String& text, bool caseSensitive = true, uint32_t start = 0) const {
    const uint32_t count = this->GetCount();
    for (uint32_t i = start; i < count; ++i)
      if (Matches(*this->GetItemPtr(i), text, caseSensitive)) return static_cast<int32_t>(i);
    return -1;
  }

  // The index of the last item whose characters are exactly these (the same
  // address, not equal text), or -1.
  int32_t FindTextPointer(const C* characters) const {
    for (uint32_t i = this->GetCount(); i-- > 0;)
      if (this->GetItemPtr(i)->GetText() == characters) return static_cast<int32_t>(i);
    return -1;
  }

 private:
  static bool Matches(const String& item, const String& text, bool caseSensitive) {
    if (caseSensitive) return item.GetBuffer() == text.GetBuffer() || item == text;
    return item.GetText() == text.GetText() || item.CompareNoCase(text) == 0;
  }
};

using StringArrayW = StringArrayT<char16_t, char>;

}  // namespace HV
