#pragma once

#include "HVFramework/Utilities/Storage/StringArrayT.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace HV {

// The keyboard's 17 global (non-preset) settings. On the wire a setting is
// addressed by its row in this table; its value travels as two 7-bit bytes.
// Constant data and pure functions: any thread.
namespace GlobalParameters {

struct Row {
  std::u16string_view key;
  int32_t minimum;
  int32_t maximum;  // below minimum: the keyboard reports it, the editor never sets it
};

inline constexpr int32_t kNotSettable = -1;

inline constexpr std::array<Row, 17> kTable = {{
    {u"Global_Channel", 0, 16},
    {u"XYPAD_VELOCITY", 0, kNotSettable},
    {u"XYPAD_FRACTION", 0, kNotSettable},
    {u"XYPAD_REBOUND", 0, kNotSettable},
    {u"MACKIE_HUI_ENABLED", 0, 1},
    {u"KEY_OCTAVE", 2, 9},
    {u"KEY_TRANSPOSE", 0, 24},
    {u"KEY_SENSITIVITY", 0, 6},
    {u"PAD_OCTAVE", 0, 10},
    {u"PAD_TRANSPOSE", 0, 25},
    {u"PAD_SENSITIVITY", 0, 9},
    {u"CURVE_ACCELLERATION", 0, 3},
    {u"XY_SENSITIVITY", 0, 9},
    {u"GLOBAL_PROGRAM", 0, 127},
    {u"GLOBAL_BANK_MSB", 0, 127},
    {u"GLOBAL_BANK_LSB", 0, 127},
    {u"MIDI_DIN_OUT", 0, 1},
}};

// The largest value two 7-bit bytes carry.
inline constexpr int32_t kLargestWireValue = 0x3FFF;

// The row of the key (exact comparison), or -1.
int32_t FindNonPresetParameterIndex(std::u16string_view key);

// The key of a wire index; empty for an index outside the table.
std::u16string_view GetKey(int32_t index);

// True when the key is settable and the value lies in its range.
bool IsGlobalParameterValueValid(std::u16string_view key, int32_t value);

// Fills the array with the 17 keys in wire order (it is emptied first).
void GetNonPresetParameterNames(StringArrayW& names);

// value / 128 and value % 128 for a value already checked; the decoding of a
// reply's two bytes.
std::array<uint8_t, 2> EncodeValue(int32_t value);
int32_t DecodeValue(uint8_t high, uint8_t low);

}  // namespace GlobalParameters
}  // namespace HV
