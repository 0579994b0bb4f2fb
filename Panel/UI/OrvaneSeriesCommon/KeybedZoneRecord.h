#pragma once

// The nine bytes of a keybed zone: whether it plays, its channel, program
// and bank, the keys it covers, and how it shifts octave and transposes.

#include <algorithm>
#include <cstdint>

namespace HV::KeybedZoneRecord {

inline constexpr uint32_t kLength = 9;
inline constexpr uint32_t kEnabled = 0;    // 0 off, 1 on
inline constexpr uint32_t kChannel = 1;    // 0 the global channel, 1-16
inline constexpr uint32_t kProgram = 2;    // 0-127
inline constexpr uint32_t kMsb = 3;        // 0-127
inline constexpr uint32_t kLsb = 4;        // 0-127
inline constexpr uint32_t kFirstKey = 5;   // 0-48, counted from the lowest key
inline constexpr uint32_t kLastKey = 6;    // 0-48
inline constexpr uint32_t kOctave = 7;     // shift + 5: 0-10 for -5 to +5
inline constexpr uint32_t kTranspose = 8;  // semitones + 12: 0-24 for -12 to +12

inline constexpr int32_t kHighestKey = 48;  // the keybed's 49 keys are 0-48
inline constexpr int32_t kOctaveBias = 5;
inline constexpr int32_t kTransposeBias = 12;

struct KeyRange {
  int32_t first;
  int32_t last;
  bool operator==(const KeyRange&) const = default;
};

enum class KeyEdited { First, Last };

// The keys after the user set one of them: the key set stays on the keybed,
// and a first key above the last follows the last key down (the last key is
// never moved for the first). Only for user edits: a record shown keeps its keys.
inline KeyRange ApplyKeyRule(KeyRange keys, KeyEdited edited) {
  int32_t& set = edited == KeyEdited::First ? keys.first : keys.last;
  set = std::min(set, kHighestKey);
  keys.first = std::min(keys.first, keys.last);
  return keys;
}

}  // namespace HV::KeybedZoneRecord
