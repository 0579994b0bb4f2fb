#pragma once

namespace HV {

// Pair<A, B>: two values held side by side, such as a key and its text in an
// Array<Pair<StringW, StringW>>. Copies copy both values by their own rules
// (strings share their buffers); the second is destroyed before the first.
template <class A, class B>
struct Pair {
  A first;
  B second;

  bool operator==(const Pair& other) const { return first == other.first && second == other.second; }
};

}  // namespace HV
