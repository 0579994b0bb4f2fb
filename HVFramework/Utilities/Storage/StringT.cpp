#include "HVFramework/Utilities/Storage/StringT.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/CaseMapping.h"
#include "HVFramework/Utilities/Storage/LBufferT.h"
#include "HVFramework/Utilities/Storage/TextConversion.h"
#include "HVFramework/Utilities/Storage/TextFormat.h"

#include <algorithm>
#include <cstring>
#include <locale.h>
#include <stdexcept>
#include <string>

namespace HV {
namespace {

// Units before the first 0, looking at no more than max units.
template <class C>
int32_t BoundedLength(const C* text, int32_t max) {
  int32_t length = 0;
  while (length < max && text[length] != 0) ++length;
  return length;
}

template <class C>
using Unsigned = std::make_unsigned_t<C>;

// Unit by unit as unsigned numbers, each unit first passed through fold; the
// terminator makes a prefix sort first.
template <class C, class Fold>
int32_t CompareUnits(const C* a, const C* b, Fold fold) {
  for (;; ++a, ++b) {
    const auto x = static_cast<Unsigned<C>>(fold(*a));
    const auto y = static_cast<Unsigned<C>>(fold(*b));
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

constexpr auto kSame = [](auto unit) { return unit; };
constexpr auto kLower = [](auto unit) { return ToLowerUnit(unit); };

// The names the system gives the two string classes in its messages.
template <class C>
constexpr const char* kLockFunction = "HV::StringT<wchar_t,char>::Lock";
template <>
constexpr const char* kLockFunction<char> = "HV::StringT<char,wchar_t>::Lock";

}  // namespace

template <class C, class O>
const ConstRCPtr<LIBuffer>& StringT<C, O>::EmptyBuffer() {
  // Built once, thread-safely, and never destroyed: strings in static objects
  // may still share it while the process exits.
  // Every empty string in every thread shares it: it is permanent, so
  // sharing it costs no counting.
  static const ConstRCPtr<LIBuffer>* const empty = [] {
    auto* buffer = new ConstRCPtr<LIBuffer>(NewBuffer(1));
    const_cast<LIBuffer*>(buffer->Get())->MakePermanent();
    return buffer;
  }();
  return *empty;
}

template <class C, class O>
ConstRCPtr<LIBuffer> StringT<C, O>::NewBuffer(int32_t units) {
  return LTextBuffer::Create(static_cast<uint32_t>(units) * kUnit, 0, true);
}

template <class C, class O>
StringT<C, O>::StringT() : mBuffer(EmptyBuffer()) {}

template <class C, class O>
StringT<C, O>::StringT(const StringT& other) : mBuffer(other.IsLocked() ? EmptyBuffer() : other.mBuffer) {
  if (other.IsLocked()) AssignUnits(other.GetText(), other.GetLength());
}

template <class C, class O>
StringT<C, O>::StringT(StringT&& other) noexcept : mBuffer(std::move(other.mBuffer)) {
  other.mBuffer = EmptyBuffer();
}

template <class C, class O>
StringT<C, O>::StringT(const C* text) : mBuffer(EmptyBuffer()) {
  Assign(text, kMaxLength);
}

template <class C, class O>
StringT<C, O>::StringT(const C* text, int32_t count) : mBuffer(EmptyBuffer()) {
  Assign(text, count);
}

template <class C, class O>
StringT<C, O>::StringT(const O* text) : mBuffer(EmptyBuffer()) {
  Assign(text, kMaxLength);
}

template <class C, class O>
StringT<C, O>::StringT(const Other& other) : StringT(other.GetText()) {}

template <class C, class O>
StringT<C, O>::StringT(C c) : mBuffer(EmptyBuffer()) {
  if (c != 0) AssignUnits(&c, 1);
}

template <class C, class O>
StringT<C, O>::StringT(const ConstRCPtr<LIBuffer>& buffer) : mBuffer(EmptyBuffer()) {
  if (!buffer) return;
  const uint32_t size = buffer->GetSize();
  const C* units = reinterpret_cast<const C*>(buffer->GetData());
  const int32_t length = BoundedLength(units, static_cast<int32_t>(size / kUnit));
  // Shared only when it already is exactly a text and its terminator: the
  // buffer may be held elsewhere and must not be written.
  if (buffer->IsShareable() && static_cast<uint32_t>(length + 1) * kUnit == size)
    mBuffer = buffer;
  else
    AssignUnits(units, length);
}

template <class C, class O>
StringT<C, O>& StringT<C, O>::operator=(const StringT& other) {
  if (this == &other) return *this;
  if (!IsLocked() && !other.IsLocked())
    mBuffer = other.mBuffer;
  else
    Assign(other.GetText(), other.GetLength());
  return *this;
}

template <class C, class O>
StringT<C, O>& StringT<C, O>::operator=(StringT&& other) noexcept {
  std::swap(mBuffer, other.mBuffer);
  return *this;
}

template <class C, class O>
StringT<C, O>& StringT<C, O>::Assign(const C* text, int32_t max) {
  if (!text || max <= 0 || text[0] == 0) {
    Clear();
    return *this;
  }
  const int32_t length = BoundedLength(text, max);
  if (IsLocked())
    AssignIntoLocked(text, length);
  else
    AssignUnits(text, length);
  return *this;
}

template <class C, class O>
StringT<C, O>& StringT<C, O>::Assign(const O* text, int32_t max) {
  if (!text || max <= 0 || text[0] == 0) {
    Clear();
    return *this;
  }
  const int32_t length = BoundedLength(text, max);
  ConstRCPtr<LIBuffer> converted;
  ConvertFromOther(converted, text, length);
  if (IsLocked()) {
    const C* units = reinterpret_cast<const C*>(converted->GetData());
    AssignIntoLocked(units, static_cast<int32_t>(converted->GetSize() / kUnit) - 1);
  } else {
    mBuffer = std::move(converted);
  }
  return *this;
}

template <class C, class O>
void StringT<C, O>::AssignUnits(const C* text, int32_t length) {
  if (length <= 0) {
    mBuffer = EmptyBuffer();
    return;
  }
  ConstRCPtr<LIBuffer> buffer = NewBuffer(length + 1);
  std::memcpy(buffer->GetData(), text, static_cast<size_t>(length) * kUnit);
  mBuffer = std::move(buffer);
}

// The locked buffer grows when the text does not fit; it never overflows.
template <class C, class O>
void StringT<C, O>::AssignIntoLocked(const C* text, int32_t length) {
  const uint32_t needed = static_cast<uint32_t>(length + 1) * kUnit;
  if (needed > mBuffer->GetSize()) OwnBuffer().SetSize(needed);  // text lies outside a buffer this small
  std::memmove(Units(), text, static_cast<size_t>(length) * kUnit);
  Units()[length] = 0;
}

template <class C, class O>
void StringT<C, O>::Clear() {
  if (IsLocked())
    Units()[0] = 0;
  else
    mBuffer = EmptyBuffer();
}

template <class C, class O>
int32_t StringT<C, O>::GetLength() const {
  const uint32_t units = mBuffer->GetSize() / kUnit;
  if (units == 0) return 0;
  if (IsLocked()) return BoundedLength(GetText(), static_cast<int32_t>(units));
  return static_cast<int32_t>(units) - 1;
}

template <class C, class O>
StringT<C, O> StringT<C, O>::operator+(const StringT& other) const {
  StringT result(*this);
  result += other;
  return result;
}

template <class C, class O>
StringT<C, O>& StringT<C, O>::operator+=(const StringT& other) {
  if (other.IsEmpty()) return *this;
  AppendUnits(other.GetText(), other.GetLength());
  return *this;
}

template <class C, class O>
StringT<C, O>& StringT<C, O>::AppendChar(C c) {
  if (c != 0) AppendUnits(&c, 1);
  return *this;
}

template <class C, class O>
StringT<C, O>& StringT<C, O>::AppendChar(O c) {
  const O text[2] = {c, 0};
  Insert(GetLength(), text, 1);
  return *this;
}

template <class C, class O>
bool StringT<C, O>::Overlaps(const C* text) const {
  const auto* begin = reinterpret_cast<const char*>(text);
  const char* data = mBuffer->GetData();
  return begin >= data && begin < data + mBuffer->GetSize();
}

template <class C, class O>
void StringT<C, O>::AppendUnits(const C* text, int32_t count) {
  if (count <= 0) return;
  if (Overlaps(text)) {
    // Growing may move or drop the buffer the text lies in: read it from a copy.
    const StringT source(text, count);
    AppendUnits(source.GetText(), count);
    return;
  }
  const int32_t length = GetLength();
  const int32_t total = length + count;
  const bool wasLocked = IsLocked();
  C* units = nullptr;
  if (wasLocked) {
    OwnBuffer().SetSize(static_cast<uint32_t>(total + 1) * kUnit);
    units = Units();
    units[total] = 0;
  } else {
    units = Lock(total + 1);
  }
  std::memcpy(units + length, text, static_cast<size_t>(count) * kUnit);
  // Lock sized the buffer to exactly the new text: share it again as it is.
  if (!wasLocked) OwnBuffer().SetUnshareable(false);
}

template <class C, class O>
HResult StringT<C, O>::Insert(int32_t index, const StringT& other) {
  const int32_t length = GetLength();
  if (index < 0 || index > length) return E_INVALIDARG;
  if (other.IsEmpty()) return S_OK;
  if (index == length)
    *this += other;
  else if (index == 0)
    *this = other + *this;
  else
    *this = Left(index) + other + SubString(index);
  return S_OK;
}

template <class C, class O>
HResult StringT<C, O>::Insert(int32_t index, const C* text, int32_t max) {
  if (index < 0 || index > GetLength()) return E_INVALIDARG;
  return Insert(index, StringT(text, max));
}

template <class C, class O>
HResult StringT<C, O>::Insert(int32_t index, const O* text, int32_t max) {
  if (index < 0 || index > GetLength()) return E_INVALIDARG;
  StringT converted;
  converted.Assign(text, max);
  return Insert(index, converted);
}

template <class C, class O>
bool StringT<C, O>::Remove(int32_t start, int32_t count) {
  const int32_t length = GetLength();
  if (start < 0 || start >= length || count < 0 || count > length - start) return false;
  if (count != 0) *this = Left(start) + SubString(start + count);
  return true;
}

template <class C, class O>
StringT<C, O> StringT<C, O>::SubString(int32_t start, int32_t count) const {
  const int64_t length = GetLength();
  int64_t first = start;
  int64_t wanted = count;
  if (first < 0) {
    first += length;
    if (first < 0) {
      wanted += first;  // the part before the beginning does not count
      first = 0;
    }
  }
  if (first >= length || wanted <= 0) return StringT();
  wanted = std::min(wanted, length - first);
  if (first == 0 && wanted == length && !IsLocked()) return *this;
  return StringT(GetText() + first, static_cast<int32_t>(wanted));
}

template <class C, class O>
int32_t StringT<C, O>::Find(C c, int32_t start) const {
  if (c == 0) return -1;
  const auto found = GetView().find(c, static_cast<size_t>(std::max(start, 0)));
  return found == std::basic_string_view<C>::npos ? -1 : static_cast<int32_t>(found);
}

template <class C, class O>
int32_t StringT<C, O>::Find(const C* text, int32_t start) const {
  if (!text || text[0] == 0) return -1;
  const auto found = GetView().find(text, static_cast<size_t>(std::max(start, 0)));
  return found == std::basic_string_view<C>::npos ? -1 : static_cast<int32_t>(found);
}

template <class C, class O>
int32_t StringT<C, O>::ReverseFind(C c) const {
  if (c == 0) return -1;
  const auto found = GetView().rfind(c);
  return found == std::basic_string_view<C>::npos ? -1 : static_cast<int32_t>(found);
}

template <class C, class O>
StringT<C, O> StringT<C, O>::TrimLeft(const C* set) const {
  const auto view = GetView();
  const auto first = view.find_first_not_of(set ? set : kBlanks);
  if (first == std::basic_string_view<C>::npos) return StringT();
  return SubString(static_cast<int32_t>(first));
}

template <class C, class O>
StringT<C, O> StringT<C, O>::TrimRight(const C* set) const {
  const auto view = GetView();
  const auto last = view.find_last_not_of(set ? set : kBlanks);
  if (last == std::basic_string_view<C>::npos) return StringT();
  return Left(static_cast<int32_t>(last) + 1);
}

template <class C, class O>
StringT<C, O> StringT<C, O>::Trim(const C* set) const {
  return TrimLeft(set).TrimRight(set);
}

template <class C, class O>
StringT<C, O> StringT<C, O>::MapUnits(C (*map)(C)) const {
  const int32_t length = GetLength();
  if (length == 0) return StringT();
  StringT result;
  result.AssignUnits(GetText(), length);
  C* units = result.Units();
  for (int32_t i = 0; i < length; ++i) units[i] = map(units[i]);
  return result;
}

template <class C, class O>
StringT<C, O> StringT<C, O>::ToUpper() const {
  return MapUnits(static_cast<C (*)(C)>(&ToUpperUnit));
}

template <class C, class O>
StringT<C, O> StringT<C, O>::ToLower() const {
  return MapUnits(static_cast<C (*)(C)>(&ToLowerUnit));
}

template <class C, class O>
void StringT<C, O>::ReplaceChars(const C* set, C replacement) {
  if (replacement == 0 || !set || set[0] == 0) return;
  const auto view = GetView();
  auto next = view.find_first_of(set);
  if (next == std::basic_string_view<C>::npos) return;
  StringT result;
  result.AssignUnits(view.data(), static_cast<int32_t>(view.size()));
  C* units = result.Units();
  for (; next != std::basic_string_view<C>::npos; next = view.find_first_of(set, next + 1)) units[next] = replacement;
  *this = std::move(result);
}

template <class C, class O>
bool StringT<C, O>::operator==(const StringT& other) const {
  if (mBuffer == other.mBuffer) return true;
  if (IsLocked() || other.IsLocked()) return GetView() == other.GetView();
  // Shareable buffers hold exactly the text and its terminator.
  const uint32_t size = mBuffer->GetSize();
  return size == other.mBuffer->GetSize() && std::memcmp(GetText(), other.GetText(), size) == 0;
}

template <class C, class O>
bool StringT<C, O>::operator==(const C* text) const {
  if (!text || text[0] == 0) return IsEmpty();
  return CompareUnits(GetText(), text, kSame) == 0;
}

template <class C, class O>
bool StringT<C, O>::operator==(const O* text) const {
  if (!text || text[0] == 0) return IsEmpty();
  // Compared as UTF-8 bytes, so 8-bit text with bad sequences never equals a
  // wide text by the part that converted.
  if constexpr (kIsWide)
    return ToCharString() == text;
  else
    return *this == StringT(text);
}

template <class C, class O>
bool StringT<C, O>::operator<(const StringT& other) const {
  if (mBuffer == other.mBuffer) return false;
  if (IsLocked() || other.IsLocked()) return CompareUnits(GetText(), other.GetText(), kSame) < 0;
  // Shareable buffers end in their terminator, which sorts before any unit:
  // comparing the shorter buffer's bytes decides, 8 bytes at a time while equal.
  const uint32_t bytes = std::min(mBuffer->GetSize(), other.mBuffer->GetSize());
  const char* a = mBuffer->GetData();
  const char* b = other.mBuffer->GetData();
  uint32_t offset = 0;
  for (uint64_t x = 0, y = 0; offset + 8 <= bytes; offset += 8) {
    std::memcpy(&x, a + offset, 8);
    std::memcpy(&y, b + offset, 8);
    if (x != y) break;
  }
  const C* unitsA = reinterpret_cast<const C*>(a);
  const C* unitsB = reinterpret_cast<const C*>(b);
  for (uint32_t unit = offset / kUnit; unit < bytes / kUnit; ++unit) {
    const auto x = static_cast<Unsigned<C>>(unitsA[unit]);
    const auto y = static_cast<Unsigned<C>>(unitsB[unit]);
    if (x != y) return x < y;
  }
  return false;
}

template <class C, class O>
int32_t StringT<C, O>::CompareNoCase(const C* text) const {
  if (!text) text = reinterpret_cast<const C*>(EmptyBuffer()->GetData());
  return CompareUnits(GetText(), text, kLower);
}

template <class C, class O>
int32_t StringT<C, O>::CompareNoCase(const StringT& other) const {
  if (mBuffer == other.mBuffer) return 0;
  return CompareNoCase(other.GetText());
}


namespace {

// The one-allocation conversion shared by ConvertFromUTF8 and
// ConvertFromUTF16: a buffer for the worst case, converted into, trimmed once.
template <class To, class From, class Converter>
HResult ConvertInto(ConstRCPtr<LIBuffer>& buffer, const ConstRCPtr<LIBuffer>& empty, const From* text,
                    int32_t len, uint32_t unitsPerSource, Converter convert) {
  if (!text || len == 0 || (len < 0 && text[0] == 0)) {
    buffer = empty;
    return S_OK;
  }
  if (len < 0) len = BoundedLength(text, INT32_MAX - 1) + 1;
  const uint64_t capacity = static_cast<uint64_t>(len) * unitsPerSource + 1;
  if (capacity * sizeof(To) > UINT32_MAX) throw Exception<std::bad_alloc>();
  RCPtr<LIBuffer> converted = LTextBuffer::Create(static_cast<uint32_t>(capacity * sizeof(To)), 0, true);
  const From* source = text;
  To* target = reinterpret_cast<To*>(converted->GetData());
  To* const begin = target;
  const ConversionResult result =
      convert(source, text + len, target, begin + capacity - 1, ConversionMode::Lenient);
  begin[capacity - 1] = 0;
  const int32_t length = BoundedLength(begin, static_cast<int32_t>(capacity));
  if (length == 0) {
    buffer = empty;
  } else {
    converted->SetSize(static_cast<uint32_t>(length + 1) * sizeof(To));
    buffer = std::move(converted);
  }
  return result == ConversionResult::Ok ? S_OK : E_FAIL;
}

}  // namespace

// At most 1 UTF-16 unit per UTF-8 byte, at most 4 bytes per UTF-16 unit.
template <class C, class O>
HResult StringT<C, O>::ConvertFromOther(ConstRCPtr<LIBuffer>& buffer, const O* text, int32_t len) {
  if constexpr (kIsWide)
    return ConvertInto<char16_t>(buffer, EmptyBuffer(), text, len, 1, &Utf8ToUtf16);
  else
    return ConvertInto<char>(buffer, EmptyBuffer(), text, len, 4, &Utf16ToUtf8);
}

template <class C, class O>
C* StringT<C, O>::Lock(int32_t n) {
  if (mBuffer && IsLocked()) return nullptr;
  if (n <= 0) n = GetLength() + 1;
  const uint32_t bytes = static_cast<uint32_t>(n) * kUnit;
  if (!mBuffer) {
    mBuffer = NewBuffer(n);
  } else if (mBuffer->GetRefCount() > 1) {
    ConstRCPtr<LIBuffer> copy = mBuffer->CopyRange(bytes, 0);
    if (!copy)
      Throw<std::runtime_error>(
          SourceLocation{kLockFunction<C>, "HVFramework/Utilities/Storage/StringT", 760});
    mBuffer = std::move(copy);
  } else {
    const uint32_t old = mBuffer->GetSize();
    OwnBuffer().SetSize(bytes);
    if (bytes > old) std::memset(mBuffer->GetData() + old, 0, bytes - old);
  }
  OwnBuffer().SetUnshareable(true);
  Units()[n - 1] = 0;
  return Units();
}

template <class C, class O>
HResult StringT<C, O>::Unlock() {
  if (!mBuffer || !IsLocked()) return S_FALSE;
  const int32_t length = GetLength();
  if (length == 0) {
    mBuffer = EmptyBuffer();
    return S_OK;
  }
  OwnBuffer().SetUnshareable(false);
  OwnBuffer().SetSize(static_cast<uint32_t>(length + 1) * kUnit);
  return S_OK;
}

template <class C, class O>
void StringT<C, O>::FormatArguments(const C* pattern, std::initializer_list<FormatArgument> arguments) {
  if constexpr (kIsWide) {
    char16_t units[kFormatBufferUnits];
    const int32_t length = FormatText(pattern, arguments.begin(), arguments.size(), units, kFormatBufferUnits);
    Assign(units, length);
  }
}

namespace {

// Where a C runtime number starts: after white space.
template <class C>
const C* SkipSpace(const C* text) {
  while (*text == C(' ') || (*text >= C('\t') && *text <= C('\r'))) ++text;
  return text;
}

}  // namespace

template <class C, class O>
int32_t StringT<C, O>::ToInt() const {
  const C* p = SkipSpace(GetText());
  const bool negative = *p == C('-');
  if (*p == C('-') || *p == C('+')) ++p;
  int64_t value = 0;
  for (; *p >= C('0') && *p <= C('9'); ++p) value = std::min<int64_t>(value * 10 + (*p - C('0')), int64_t{INT32_MAX} + 1);
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

template <class C, class O>
double StringT<C, O>::ToDouble() const {
  // Only ASCII can belong to a number: the rest ends it like any other stray character.
  const C* p = SkipSpace(GetText());
  std::string ascii;
  for (; *p > 0 && static_cast<uint32_t>(*p) < 0x80; ++p) ascii += static_cast<char>(*p);
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  return strtod_l(ascii.c_str(), nullptr, cLocale);
}

template class StringT<char16_t, char>;
template class StringT<char, char16_t>;

}  // namespace HV
