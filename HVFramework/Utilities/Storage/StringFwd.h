#pragma once

namespace HV {

// The string classes by name only, for headers that pass strings without
// looking into them (the text form of every counted object among them).
template <class C, class O>
class StringT;

using StringW = StringT<char16_t, char>;
using StringA = StringT<char, char16_t>;

}  // namespace HV
