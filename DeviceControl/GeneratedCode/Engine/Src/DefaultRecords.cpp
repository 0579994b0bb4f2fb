#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

using Record = std::span<uint8_t>;

// A rule "indices from `first` on map to index + add", for the controller
// numbers that run in steps; the rows are sorted by first index.
struct IndexRule {
  int32_t first;
  int32_t add;
};

template <size_t N>
uint8_t ApplyRule(const std::array<IndexRule, N>& rules, int32_t index) {
  const IndexRule* match = &rules[0];
  for (const IndexRule& rule : rules) {
    if (index >= rule.first) match = &rule;
  }
  return static_cast<uint8_t>(index + match->add);
}

// The 6-byte moveable-control record: channel, family, controller, CC mode,
// minimum, maximum; the defaults are absolute control changes over 0 to 127.
void WriteMoveableControl(Record record, uint8_t controller) {
  const uint8_t bytes[6] = {0, 0, controller, 0, 0, 127};
  std::copy(std::begin(bytes), std::end(bytes), record.begin());
}

void WritePresetName(Record record, int32_t) {
  const char name[] = "TARSEL";
  std::copy(name, name + 6, record.begin());
}

void WriteKeybedZone(Record record, int32_t index) {
  // on, channel, program, MSB, LSB, first key, last key, octave + 5, transposition + 12
  const uint8_t bytes[9] = {static_cast<uint8_t>(index == 0 ? 1 : 0), 0, 0, 0, 0, 0, 48, 5, 12};
  std::copy(std::begin(bytes), std::end(bytes), record.begin());
}

void WriteWheel(Record record, int32_t index) {
  // Pitch bend (family 1, message 16) on the first wheel, modulation (CC 1) on the second.
  static constexpr uint8_t kWheels[2][5] = {{0, 1, 16, 0, 127}, {0, 0, 1, 0, 127}};
  std::copy(std::begin(kWheels[index]), std::end(kWheels[index]), record.begin());
}

void WriteVolumePedal(Record record, int32_t) { WriteMoveableControl(record, 7); }

void WriteSustainPedal(Record record, int32_t) {
  // b0 to b4 and b9 of a button message: control change 64, released 0, pressed 127.
  const uint8_t bytes[6] = {0, 0, 64, 0, 0, 127};
  std::copy(std::begin(bytes), std::end(bytes), record.begin());
}

void WritePad(Record record, int32_t index) {
  const auto group = static_cast<uint8_t>(index / 4);
  record[1] = 10 + group;  // colours 1 to 4
  record[2] = 13 - group;
  record[3] = 7;
  record[4] = 5;
  record[5] = 1;  // b1 to b3: a momentary note (message 19) on note 36 + index; the rest 0
  record[6] = 19;
  record[7] = static_cast<uint8_t>(36 + index);
}

constexpr std::array<uint8_t, 36> kButtonHidColours = {3, 1, 7, 2, 5, 3, 4, 6, 7, 6, 5, 3, 2, 5, 4, 6, 5, 7,
                                                       3, 2, 1, 2, 5, 6, 2, 3, 7, 2, 3, 2, 3, 1, 6, 7, 4, 3};
constexpr std::array<uint8_t, 36> kButtonKeys = {55, 55, 15, 11, 21, 25, 27, 28, 18, 11, 73, 51,
                                                 52, 54, 53, 21, 14, 0,  30, 30, 13, 19, 35, 35,
                                                 12, 31, 10, 66, 65, 76, 77, 78, 79, 80, 27, 26};
constexpr std::array<uint8_t, 36> kButtonModifiers = {0,  1,  17, 23, 23, 23, 23, 23, 23, 0,  0,  1,
                                                      1,  1,  1,  17, 17, 0,  17, 20, 17, 17, 17, 20,
                                                      17, 17, 17, 0,  0,  17, 17, 17, 17, 17, 17, 0};
// Light colour of the buttons after the first of each bank of nine, by bank;
// the first button of every bank is blue (3).
constexpr std::array<uint8_t, 4> kButtonBankColours = {6, 7, 5, 2};
constexpr std::array<IndexRule, 4> kButtonControllers = {{{0, 3}, {1, 8}, {2, 12}, {20, 82}}};

void WritePushButton(Record record, int32_t index) {
  const uint8_t colour = index % 9 == 0 ? 3 : kButtonBankColours[index / 9];
  record[1] = colour;  // colours 1 and 2; 3 and 4 off
  record[2] = colour;
  record[6] = ApplyRule(kButtonControllers, index);  // b1 = 0: control change, b2: controller
  record[7] = static_cast<uint8_t>(index);           // b3
  record[13] = 127;                                  // b9: value when pressed
  record[14] = kButtonHidColours[index];
  record[15] = kButtonKeys[index];
  record[16] = kButtonModifiers[index];
}

constexpr std::array<IndexRule, 10> kFaderControllers = {
    {{0, 118}, {10, -10}, {11, -9}, {12, -7}, {14, -2}, {16, 16}, {19, 17}, {24, 18}, {26, 22}, {30, 39}}};

void WriteFader(Record record, int32_t index) {
  WriteMoveableControl(record, ApplyRule(kFaderControllers, index));
}

constexpr std::array<IndexRule, 7> kEncoderControllers = {
    {{0, 35}, {1, 40}, {2, 42}, {6, 46}, {18, 57}, {27, 58}, {30, 59}}};

void WriteEncoder(Record record, int32_t index) {
  WriteMoveableControl(record, ApplyRule(kEncoderControllers, index));
}

void WriteTouchPadAxis(Record record, int32_t index) {
  // A moveable-control record (CC 35 for X, CC 41 for Y), then the note-mode record.
  static constexpr uint8_t kAxes[2][15] = {
      {0, 0, 35, 0, 0, 127, 8, 60, 72, 62, 64, 65, 67, 69, 71},
      {0, 0, 41, 0, 0, 127, 8, 69, 81, 71, 72, 74, 76, 77, 79},
  };
  std::copy(std::begin(kAxes[index]), std::end(kAxes[index]), record.begin());
}

// Each writer fills a zeroed record of its kind's length for a valid index.
using DefaultWriter = void (*)(Record record, int32_t index);

// In ElementKind order.
constexpr std::array<DefaultWriter, 10> kDefaultWriters = {
    WritePresetName, WriteKeybedZone, WriteWheel, WriteVolumePedal, WriteSustainPedal,
    WritePad,        WritePushButton, WriteFader, WriteEncoder,     WriteTouchPadAxis,
};

}  // namespace

std::vector<uint8_t> MakeDefaultRecord(ElementKind kind, int32_t index) {
  const ElementLayout& layout = GetElementLayout(kind);
  if (index < 0 || index >= layout.count) return {};
  std::vector<uint8_t> record(static_cast<size_t>(layout.recordLength));
  kDefaultWriters[static_cast<size_t>(kind)](record, index);
  return record;
}

std::vector<uint8_t> MakeDefaultPresetData() {
  std::vector<uint8_t> data;
  data.reserve(kPresetDataLength);
  for (const ElementLayout& layout : kElementLayouts) {
    for (int32_t index = 0; index < layout.count; ++index) {
      const std::vector<uint8_t> record = MakeDefaultRecord(layout.kind, index);
      data.insert(data.end(), record.begin(), record.end());
    }
  }
  return data;
}
