#pragma once

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/FormatArgument.h"
#include "HVFramework/Utilities/Storage/LIBuffer.h"
#include "HVFramework/Utilities/Storage/StringFwd.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <type_traits>

namespace HV {

// The framework's wide character: one UTF-16 code unit.
using WChar = char16_t;

// StringT<C, O>: a text of C units (UTF-16 for char16_t, UTF-8 for char) that
// converts to and from O units. A value with copy-on-write storage: copies
// share one counted buffer holding the units and a terminating 0; a string
// that changes gets a buffer of its own first.
//
// Buffer states: a shareable buffer is immutable, holds exactly (length + 1)
// units and may be shared by any number of strings; a locked (unshareable)
// buffer belongs to the string that locked it, is written in place and may be
// larger than its text, whose end is then the first 0 unit.
//
// A string is never without a buffer; empty strings share one process-wide
// empty buffer. Strings are not locked: one string must not be changed on two
// threads at once, but strings sharing a buffer may live on any threads.
template <class C, class O>
class StringT {
  static_assert(std::is_same_v<C, char16_t> || std::is_same_v<C, char>);

 public:
  using Char = C;
  using OtherChar = O;
  using Other = StringT<O, C>;
  static constexpr bool kIsWide = std::is_same_v<C, char16_t>;
  // The "whole text" limit of Assign and Insert.
  static constexpr int32_t kMaxLength = 0x7FFFFFFE;
  // The characters TrimLeft, TrimRight and Trim remove when given no set.
  static constexpr C kBlanks[] = {C(' '), C('\t'), C('\r'), C('\n'), C(0)};

  StringT();
  StringT(const StringT& other);
  StringT(StringT&& other) noexcept;
  StringT(const C* text);
  StringT(const C* text, int32_t count);
  // 8-bit text is read as UTF-8 and wide text written as UTF-8; conversion
  // stops before the first bad sequence.
  StringT(const O* text);
  explicit StringT(const Other& other);
  // One character; character 0 makes the empty string.
  explicit StringT(C c);
  // A string over an existing buffer (the 8-bit text of a value): shares it
  // when it already is a shareable text with its terminator, else copies the
  // text found within its size. Never writes into the buffer.
  explicit StringT(const ConstRCPtr<LIBuffer>& buffer);
  virtual ~StringT() = default;

  // A new string made printf-style (TextFormat.h): type-safe, at most 16383 units.
  template <class... A>
  static StringT FromFormat(const C* pattern, const A&... arguments)
    requires kIsWide
  {
    StringT result;
    result.FormatArguments(pattern, {FormatArgument(arguments)...});
    return result;
  }
  // Replaces the text printf-style.
  template <class... A>
  StringT& Format(const C* pattern, const A&... arguments)
    requires kIsWide
  {
    FormatArguments(pattern, {FormatArgument(arguments)...});
    return *this;
  }

  StringT& operator=(const StringT& other);
  StringT& operator=(StringT&& other) noexcept;
  StringT& operator=(const C* text) { return Assign(text, kMaxLength); }
  StringT& operator=(const O* text) { return Assign(text, kMaxLength); }

  // At most max units of text (bytes of 8-bit text) become the text.
  StringT& Assign(const C* text, int32_t max = kMaxLength);
  StringT& Assign(const O* text, int32_t max = kMaxLength);
  void Clear();

  int32_t GetLength() const;
  bool IsEmpty() const { return GetText()[0] == 0; }
  const C* GetText() const { return reinterpret_cast<const C*>(mBuffer->GetData()); }
  std::basic_string_view<C> GetView() const { return {GetText(), static_cast<size_t>(GetLength())}; }
  C operator[](int32_t index) const { return GetText()[index]; }
  // The buffer, for values that hold the text without copying it.
  const ConstRCPtr<LIBuffer>& GetBuffer() const { return mBuffer; }

  StringT operator+(const StringT& other) const;
  StringT& operator+=(const StringT& other);
  StringT& operator+=(const C* text) { return *this += StringT(text); }
  StringT& operator+=(C c) { return AppendChar(c); }
  StringT& AppendChar(C c);
  // One unit of the other encoding, converted; a unit that is no whole
  // character alone (a UTF-8 lead byte, a surrogate) adds nothing.
  StringT& AppendChar(O c);

  // E_INVALIDARG (nothing changes) when index is past the end, else S_OK.
  HResult Insert(int32_t index, const StringT& other);
  HResult Insert(int32_t index, const C* text, int32_t max = kMaxLength);
  HResult Insert(int32_t index, const O* text, int32_t max = kMaxLength);
  // Removes count units from start; false (nothing changes) unless the whole
  // range lies inside the text.
  bool Remove(int32_t start, int32_t count);

  // A negative start counts from the end; the result is what lies inside the text.
  StringT SubString(int32_t start, int32_t count) const;
  StringT SubString(int32_t start) const { return SubString(start, GetLength() - start); }
  StringT Mid(int32_t start, int32_t count) const { return SubString(start, count); }
  StringT Mid(int32_t start) const { return SubString(start); }
  StringT Left(int32_t n) const { return SubString(0, n); }
  StringT Right(int32_t n) const { return n > 0 ? SubString(-n, n) : StringT(); }

  // Index of the first occurrence at or after start, or -1.
  int32_t Find(C c, int32_t start = 0) const;
  int32_t Find(const C* text, int32_t start = 0) const;
  int32_t Find(const StringT& text, int32_t start = 0) const { return Find(text.GetText(), start); }
  // Index of the last occurrence, or -1.
  int32_t ReverseFind(C c) const;

  // Copies without the leading / trailing / both units found in set.
  StringT TrimLeft(const C* set = kBlanks) const;
  StringT TrimRight(const C* set = kBlanks) const;
  StringT Trim(const C* set = kBlanks) const;

  // Copies with each unit's case mapped by a fixed, locale-independent rule
  // (ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters).
  StringT ToUpper() const;
  StringT ToLower() const;
  // Every unit found in set becomes replacement; nothing for replacement 0.
  void ReplaceChars(const C* set, C replacement);

  bool operator==(const StringT& other) const;
  // A null or empty text equals only an empty string.
  bool operator==(const C* text) const;
  // Equal when this string's UTF-8 form holds the same bytes as the 8-bit text.
  bool operator==(const O* text) const;
  bool operator==(const Other& other) const { return *this == other.GetText(); }
  // Unsigned unit by unit; a prefix sorts first.
  bool operator<(const StringT& other) const;
  // Negative, 0 or positive; letters compared without case (the rule of ToLower).
  int32_t CompareNoCase(const StringT& other) const;
  int32_t CompareNoCase(const C* text) const;

  // The text in the other encoding.
  Other ToCharString() const
    requires kIsWide
  {
    return Other(GetText());
  }
  Other ToWideString() const
    requires(!kIsWide)
  {
    return Other(GetText());
  }

  // The number at the start of the text, after white space, as the C runtime
  // reads it ("C" locale); 0 when none. ToInt saturates at the int32 range.
  int32_t ToInt() const;
  double ToDouble() const;

  // Fills buffer with the text converted from text (len units; negative: up
  // to and including the terminator). E_FAIL when the text holds a bad or cut
  // sequence; the buffer then holds what was converted before it.
  // (Declared with O so that every member compiles for both types.)
  static HResult ConvertFromUTF8(ConstRCPtr<LIBuffer>& buffer, const O* text, int32_t len)
    requires kIsWide
  {
    return ConvertFromOther(buffer, text, len);
  }
  static HResult ConvertFromUTF16(ConstRCPtr<LIBuffer>& buffer, const O* text, int32_t len)
    requires(!kIsWide)
  {
    return ConvertFromOther(buffer, text, len);
  }

  // Locks the buffer for direct writing of n units (0: length + 1) and returns
  // its first unit; null when it is locked already. Unlock measures the text,
  // trims the buffer and shares it again; 1 when nothing was locked.
  C* Lock(int32_t n = 0);
  HResult Unlock();

  // The buffer every empty string of this type shares.
  static const ConstRCPtr<LIBuffer>& EmptyBuffer();

 private:
  static constexpr uint32_t kUnit = sizeof(C);

  static ConstRCPtr<LIBuffer> NewBuffer(int32_t units);
  bool IsLocked() const { return !mBuffer->IsShareable(); }
  // The locked buffer (only this string holds it) or a buffer this string just created.
  C* Units() const { return reinterpret_cast<C*>(mBuffer->GetData()); }
  LIBuffer& OwnBuffer() { return const_cast<LIBuffer&>(*mBuffer); }
  void AssignUnits(const C* text, int32_t length);
  void AssignIntoLocked(const C* text, int32_t length);
  void AppendUnits(const C* text, int32_t count);
  // True when text points into this string's buffer.
  bool Overlaps(const C* text) const;
  StringT MapUnits(C (*map)(C)) const;
  static HResult ConvertFromOther(ConstRCPtr<LIBuffer>& buffer, const O* text, int32_t len);
  void FormatArguments(const C* pattern, std::initializer_list<FormatArgument> arguments);

  ConstRCPtr<LIBuffer> mBuffer;
};

extern template class StringT<char16_t, char>;
extern template class StringT<char, char16_t>;

}  // namespace HV
