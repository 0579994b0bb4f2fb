#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace HV {

// A text key given as two parts around one separator unit ("owner|name"),
// looked up without joining them into a string first.
struct JoinedTextKey {
  std::u16string_view head;
  char16_t separator;
  std::u16string_view tail;
};

// Hashes and compares UTF-16 text keys of hashed containers keyed by
// std::u16string, looked up by a view (a StringW's GetView()) or a
// JoinedTextKey: both hash and compare as the text they stand for.
struct TextKeyHash {
  using is_transparent = void;

  size_t operator()(std::u16string_view text) const { return Add(kOffsetBasis, text); }
  size_t operator()(const JoinedTextKey& key) const {
    return Add(Add(Add(kOffsetBasis, key.head), std::u16string_view(&key.separator, 1)), key.tail);
  }

 private:
  // FNV-1a over the code units: it can be fed in pieces.
  static constexpr uint64_t kOffsetBasis = 14695981039346656037ull;
  static constexpr uint64_t kPrime = 1099511628211ull;
  static uint64_t Add(uint64_t hash, std::u16string_view text) {
    for (char16_t unit : text) hash = (hash ^ unit) * kPrime;
    return hash;
  }
};

// Hashes narrow (UTF-8) text keys of hashed containers keyed by std::string,
// so that they can be looked up by a std::string_view; compare with
// std::equal_to<>.
struct NarrowTextKeyHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

struct TextKeyEqual {
  using is_transparent = void;

  bool operator()(std::u16string_view a, std::u16string_view b) const { return a == b; }
  bool operator()(const JoinedTextKey& key, std::u16string_view text) const { return (*this)(text, key); }
  bool operator()(std::u16string_view text, const JoinedTextKey& key) const {
    return text.size() == key.head.size() + 1 + key.tail.size() && text.starts_with(key.head) &&
           text[key.head.size()] == key.separator && text.ends_with(key.tail);
  }
};

}  // namespace HV
