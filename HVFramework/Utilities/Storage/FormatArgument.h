#pragma once

#include "HVFramework/Utilities/Storage/StringFwd.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace HV {

// FormatArgument: one argument of the printf-style formatter, kept with its
// real type so that a pattern asking for another type (patterns come from
// string tables) formats the value sensibly instead of misreading memory.
// Texts are held by pointer: an argument lives only for one formatting call.
class FormatArgument {
 public:
  enum class Kind : uint8_t { Signed, Unsigned, Double, WideText, NarrowText, Pointer };

  template <class T>
  FormatArgument(const T& value) {  // NOLINT(google-explicit-constructor): built from call arguments
    using V = std::remove_cv_t<T>;
    if constexpr (std::is_same_v<V, bool>) {
      Set(Kind::Unsigned, value ? 1u : 0u, 1);
    } else if constexpr (std::is_enum_v<V>) {
      *this = FormatArgument(static_cast<std::underlying_type_t<V>>(value));
    } else if constexpr (std::is_same_v<V, char16_t> || std::is_same_v<V, char32_t>) {
      Set(Kind::Unsigned, static_cast<uint64_t>(value), sizeof(V));
      mIsCharacter = true;
    } else if constexpr (std::is_same_v<V, char>) {
      Set(Kind::Signed, static_cast<uint64_t>(static_cast<int64_t>(value)), 1);
      mIsCharacter = true;
    } else if constexpr (std::is_integral_v<V> && std::is_signed_v<V>) {
      Set(Kind::Signed, static_cast<uint64_t>(static_cast<int64_t>(value)), sizeof(V));
    } else if constexpr (std::is_integral_v<V>) {
      Set(Kind::Unsigned, static_cast<uint64_t>(value), sizeof(V));
    } else if constexpr (std::is_floating_point_v<V>) {
      mKind = Kind::Double;
      mDouble = static_cast<double>(value);
    } else if constexpr (std::is_array_v<V>) {
      *this = FormatArgument(static_cast<const std::remove_extent_t<V>*>(value));
    } else if constexpr (std::is_convertible_v<V, const char16_t*>) {
      mKind = Kind::WideText;
      mWide = value;
    } else if constexpr (std::is_convertible_v<V, const char*>) {
      mKind = Kind::NarrowText;
      mNarrow = value;
    } else if constexpr (std::is_same_v<V, std::u16string>) {
      *this = FormatArgument(value.c_str());
    } else if constexpr (std::is_same_v<V, std::string>) {
      *this = FormatArgument(value.c_str());
    } else if constexpr (std::is_pointer_v<V> || std::is_null_pointer_v<V>) {
      mKind = Kind::Pointer;
      mPointer = value;
    } else {
      // The framework's strings: any StringT passes its text.
      *this = FormatArgument(value.GetText());
    }
  }

  Kind GetKind() const { return mKind; }
  bool IsInteger() const { return mKind == Kind::Signed || mKind == Kind::Unsigned; }
  bool IsText() const { return mKind == Kind::WideText || mKind == Kind::NarrowText; }
  // Characters (char, char16_t) print as characters under %s as well.
  bool IsCharacter() const { return mIsCharacter; }
  int64_t GetSigned() const { return static_cast<int64_t>(mBits); }
  uint64_t GetBits() const { return mBits; }
  // Bytes of the integer's own type: %u and %x of a negative value show that many.
  uint32_t GetByteCount() const { return mByteCount; }
  double GetDouble() const { return mDouble; }
  const char16_t* GetWide() const { return mWide; }
  const char* GetNarrow() const { return mNarrow; }
  const void* GetPointer() const { return mPointer; }

 private:
  void Set(Kind kind, uint64_t bits, uint32_t byteCount) {
    mKind = kind;
    mBits = bits;
    mByteCount = byteCount;
  }

  Kind mKind = Kind::Pointer;
  bool mIsCharacter = false;
  uint32_t mByteCount = 0;
  union {
    uint64_t mBits;
    double mDouble;
    const char16_t* mWide;
    const char* mNarrow;
    const void* mPointer = nullptr;
  };
};

}  // namespace HV
