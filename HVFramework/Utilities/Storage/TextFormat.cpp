#include "HVFramework/Utilities/Storage/TextFormat.h"

#include "HVFramework/Utilities/Storage/TextConversion.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <locale.h>
#include <string>

namespace HV {
namespace {

// Widths and precisions past this cannot show in the capped output anyway.
constexpr int32_t kMaxField = kFormatBufferUnits;

// One parsed conversion: flags, width, precision, size and type.
struct Spec {
  bool leftAlign = false;
  bool plus = false;
  bool space = false;
  bool alternate = false;
  bool zeroPad = false;
  int32_t width = 0;
  int32_t precision = -1;  // none
  int32_t lengthBits = 0;  // 8 or 16 for hh and h on integers, else 0
  char conversion = 0;
};

// Writes units up to the capacity and drops the rest.
class Output {
 public:
  Output(char16_t* out, int32_t capacity) : mOut(out), mLimit(capacity - 1) {}

  void Put(char16_t unit) {
    if (mLength < mLimit) mOut[mLength++] = unit;
  }
  void Put(const char16_t* units, int32_t count) {
    const int32_t n = std::min(count, mLimit - mLength);
    if (n > 0) std::memcpy(mOut + mLength, units, static_cast<size_t>(n) * sizeof(char16_t));
    mLength += std::max(n, 0);
  }
  void PutAscii(const char* text, size_t count) {
    for (size_t i = 0; i < count && mLength < mLimit; ++i) mOut[mLength++] = static_cast<unsigned char>(text[i]);
  }
  void Repeat(char16_t unit, int32_t count) {
    for (int32_t i = 0; i < count && mLength < mLimit; ++i) mOut[mLength++] = unit;
  }
  bool IsFull() const { return mLength >= mLimit; }

  int32_t Finish() {
    // A pair cut by the limit would leave a lone high surrogate at the end.
    if (mLength == mLimit && mLength > 0 && mOut[mLength - 1] >= 0xD800 && mOut[mLength - 1] <= 0xDBFF) --mLength;
    mOut[mLength] = 0;
    return mLength;
  }

 private:
  char16_t* mOut;
  int32_t mLimit;
  int32_t mLength = 0;
};

// Switches the calling thread to the "C" locale while numbers are formatted.
class CLocaleScope {
 public:
  CLocaleScope() : mOld(uselocale(CLocale())) {}
  ~CLocaleScope() { uselocale(mOld); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  static locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
  }
  locale_t mOld;
};

class Formatter {
 public:
  Formatter(const FormatArgument* arguments, size_t count, Output& out)
      : mArguments(arguments), mCount(count), mOut(out) {}

  void Run(const char16_t* pattern) {
    const char16_t* p = pattern;
    while (*p && !mOut.IsFull()) {
      if (*p != u'%') {
        const char16_t* run = p;
        while (*p && *p != u'%') ++p;
        mOut.Put(run, static_cast<int32_t>(p - run));
        continue;
      }
      const char16_t* start = p;
      Spec spec;
      if (!Parse(++p, spec)) {  // an incomplete or unknown conversion is written as it stands
        mOut.Put(start, static_cast<int32_t>(p - start));
        continue;
      }
      Convert(spec);
    }
  }

 private:
  const FormatArgument* Next() { return mNext < mCount ? &mArguments[mNext++] : nullptr; }

  int32_t StarValue() {
    const FormatArgument* argument = Next();
    if (!argument || !argument->IsInteger()) return 0;
    return static_cast<int32_t>(std::clamp<int64_t>(argument->GetSigned(), -kMaxField, kMaxField));
  }

  static int32_t ReadNumber(const char16_t*& p) {
    int64_t value = 0;
    while (*p >= u'0' && *p <= u'9') value = std::min<int64_t>(value * 10 + (*p++ - u'0'), kMaxField);
    return static_cast<int32_t>(value);
  }

  // Reads flags, width, precision, length and the conversion; p ends after them.
  bool Parse(const char16_t*& p, Spec& spec) {
    for (;; ++p) {
      if (*p == u'-') spec.leftAlign = true;
      else if (*p == u'+') spec.plus = true;
      else if (*p == u' ') spec.space = true;
      else if (*p == u'#') spec.alternate = true;
      else if (*p == u'0') spec.zeroPad = true;
      else break;
    }
    if (*p == u'*') {
      ++p;
      spec.width = StarValue();
      if (spec.width < 0) {
        spec.leftAlign = true;
        spec.width = -spec.width;
      }
    } else {
      spec.width = ReadNumber(p);
    }
    if (*p == u'.') {
      ++p;
      if (*p == u'*') {
        ++p;
        spec.precision = StarValue();
      } else {
        spec.precision = ReadNumber(p);
      }
    }
    ParseLength(p, spec);
    const char16_t c = *p;
    if (c == 0) return false;
    ++p;
    if (c > 0x7F || !std::strchr("diuxXocCsSfFeEgGaApn%", static_cast<char>(c))) return false;
    spec.conversion = static_cast<char>(c);
    return true;
  }

  static void ParseLength(const char16_t*& p, Spec& spec) {
    auto startsWith = [&](const char16_t* prefix) {
      const size_t n = std::char_traits<char16_t>::length(prefix);
      if (std::char_traits<char16_t>::compare(p, prefix, n) != 0) return false;
      p += n;
      return true;
    };
    if (startsWith(u"I64") || startsWith(u"I32") || startsWith(u"ll")) return;
    if (startsWith(u"hh")) {
      spec.lengthBits = 8;
      return;
    }
    if (startsWith(u"h")) {
      spec.lengthBits = 16;
      return;
    }
    while (*p && std::char_traits<char16_t>::find(u"lLIwzjtq", 8, *p)) ++p;
  }

  void Convert(const Spec& spec) {
    if (spec.conversion == '%') {
      mOut.Put(u'%');
      return;
    }
    if (spec.conversion == 'n') return;
    const FormatArgument* argument = Next();
    if (!argument) return;
    switch (spec.conversion) {
      case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
        if (argument->IsText()) return Text(spec, *argument);
        return Integer(spec, *argument);
      case 'c': case 'C':
        if (argument->IsInteger()) return Character(spec, *argument);
        if (argument->IsText()) return Text(spec, *argument);
        return Natural(spec, *argument);
      case 's': case 'S':
        if (argument->IsText()) return Text(spec, *argument);
        if (argument->IsCharacter()) return Character(spec, *argument);
        return Natural(spec, *argument);
      case 'p':
        return Pointer(spec, *argument);
      default:  // the floating-point conversions
        if (argument->IsText()) return Text(spec, *argument);
        return Floating(spec, spec.conversion, *argument);
    }
  }

  // A value under %s prints in its own form.
  void Natural(Spec spec, const FormatArgument& argument) {
    spec.precision = -1;
    if (argument.IsInteger()) {
      spec.conversion = argument.GetKind() == FormatArgument::Kind::Signed ? 'd' : 'u';
      return Integer(spec, argument);
    }
    if (argument.GetKind() == FormatArgument::Kind::Double) return Floating(spec, 'g', argument);
    return Pointer(spec, argument);
  }

  // printf's own flags, width and precision, in the "C" locale.
  static std::string Printf(const Spec& spec, const char* length, char conversion, auto value) {
    std::string format = "%";
    if (spec.leftAlign) format += '-';
    if (spec.plus) format += '+';
    if (spec.space) format += ' ';
    if (spec.alternate) format += '#';
    if (spec.zeroPad) format += '0';
    format += "*.*";
    format += length;
    format += conversion;
    const CLocaleScope cLocale;
    std::string text(64, '\0');
    int n = std::snprintf(text.data(), text.size(), format.c_str(), spec.width, spec.precision, value);
    if (n >= static_cast<int>(text.size())) {
      text.resize(static_cast<size_t>(n) + 1);
      n = std::snprintf(text.data(), text.size(), format.c_str(), spec.width, spec.precision, value);
    }
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
  }

  void PutAscii(const std::string& text) { mOut.PutAscii(text.data(), text.size()); }

  void Integer(Spec spec, const FormatArgument& argument) {
    if (argument.GetKind() == FormatArgument::Kind::Double) return IntegerFromDouble(spec, argument.GetDouble());
    if (argument.GetKind() == FormatArgument::Kind::Pointer) return Pointer(spec, argument);
    const bool isSigned = argument.GetKind() == FormatArgument::Kind::Signed;
    uint64_t bits = argument.GetBits();
    const uint32_t bytes = argument.GetByteCount();
    if (spec.conversion == 'd' || spec.conversion == 'i') {
      if (isSigned || bits <= INT64_MAX) return PutAscii(Printf(spec, "ll", 'd', static_cast<long long>(bits)));
      spec.conversion = 'u';
    }
    // Unsigned conversions show the bits of the value's own type (or of h / hh).
    const uint32_t shown = spec.lengthBits != 0 ? static_cast<uint32_t>(spec.lengthBits) : bytes * 8;
    if (shown < 64) bits &= (uint64_t{1} << shown) - 1;
    PutAscii(Printf(spec, "ll", spec.conversion, static_cast<unsigned long long>(bits)));
  }

  void IntegerFromDouble(Spec spec, double value) {
    if (std::isfinite(value) && std::fabs(value) < 9.2e18) {
      spec.conversion = spec.conversion == 'i' ? 'd' : spec.conversion;
      const auto whole = static_cast<long long>(value);
      if (spec.conversion == 'd') return PutAscii(Printf(spec, "ll", 'd', whole));
      return PutAscii(Printf(spec, "ll", spec.conversion, static_cast<unsigned long long>(whole)));
    }
    spec.precision = 0;
    Floating(spec, 'f', FormatArgument(value));
  }

  void Floating(Spec spec, char conversion, const FormatArgument& argument) {
    double value = argument.GetDouble();
    if (argument.GetKind() == FormatArgument::Kind::Signed) value = static_cast<double>(argument.GetSigned());
    else if (argument.GetKind() == FormatArgument::Kind::Unsigned) value = static_cast<double>(argument.GetBits());
    else if (argument.GetKind() != FormatArgument::Kind::Double) return Pointer(spec, argument);
    PutAscii(Printf(spec, "", conversion, value));
  }

  // 16 upper-case hexadecimal digits, as pointers print on a 64-bit system.
  void Pointer(Spec spec, const FormatArgument& argument) {
    uintptr_t address = 0;
    switch (argument.GetKind()) {
      case FormatArgument::Kind::WideText: address = reinterpret_cast<uintptr_t>(argument.GetWide()); break;
      case FormatArgument::Kind::NarrowText: address = reinterpret_cast<uintptr_t>(argument.GetNarrow()); break;
      case FormatArgument::Kind::Pointer: address = reinterpret_cast<uintptr_t>(argument.GetPointer()); break;
      case FormatArgument::Kind::Double: address = static_cast<uintptr_t>(argument.GetDouble()); break;
      default: address = argument.GetBits();
    }
    spec.precision = 16;
    spec.zeroPad = false;
    spec.alternate = false;
    PutAscii(Printf(spec, "ll", 'X', static_cast<unsigned long long>(address)));
  }

  void Padded(const Spec& spec, const char16_t* units, int32_t count) {
    const int32_t pad = std::max(spec.width - count, 0);
    if (!spec.leftAlign) mOut.Repeat(spec.zeroPad ? u'0' : u' ', pad);
    mOut.Put(units, count);
    if (spec.leftAlign) mOut.Repeat(u' ', pad);
  }

  void Character(const Spec& spec, const FormatArgument& argument) {
    uint32_t value = static_cast<uint32_t>(argument.GetBits());
    if (argument.GetByteCount() == 1) value &= 0xFF;  // a char is one Latin-1 / ASCII unit
    char16_t units[2];
    int32_t count = 0;
    if (value == 0 || value > 0x10FFFF) count = 0;
    else if (value < 0x10000) units[count++] = static_cast<char16_t>(value);
    else {
      units[count++] = static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
      units[count++] = static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
    }
    Padded(spec, units, count);
  }

  void Text(const Spec& spec, const FormatArgument& argument) {
    if (!argument.IsText()) return Natural(spec, argument);
    std::u16string converted;
    const char16_t* text = argument.GetWide();
    if (argument.GetKind() == FormatArgument::Kind::NarrowText && argument.GetNarrow()) {
      const char* source = argument.GetNarrow();
      const char* end = source + std::strlen(source);
      converted.resize(static_cast<size_t>(end - source));
      char16_t* target = converted.data();
      Utf8ToUtf16(source, end, target, converted.data() + converted.size(), ConversionMode::Lenient);
      converted.resize(static_cast<size_t>(target - converted.data()));
      text = converted.c_str();
    }
    if (!text) text = u"(null)";
    int32_t count = 0;
    const int32_t max = spec.precision >= 0 ? spec.precision : kMaxField;
    while (count < max && text[count]) ++count;
    Padded(spec, text, count);
  }

  const FormatArgument* mArguments;
  size_t mCount;
  size_t mNext = 0;
  Output& mOut;
};

}  // namespace

int32_t FormatText(const char16_t* pattern, const FormatArgument* arguments, size_t count, char16_t* out,
                   int32_t capacity) {
  if (capacity <= 0) return 0;
  Output output(out, capacity);
  if (pattern) Formatter(arguments, count, output).Run(pattern);
  return output.Finish();
}

}  // namespace HV
