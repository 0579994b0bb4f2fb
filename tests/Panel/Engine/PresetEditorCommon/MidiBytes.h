#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/KeyboardSysEx.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboard.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace HV::Test {

// Messages as plain byte vectors, so expectations read as the bytes on the wire.
inline std::vector<uint8_t> Bytes(const MidiMessage& message) {
  const std::span<const uint8_t> bytes = KeyboardSysEx::BytesOf(message);
  return {bytes.begin(), bytes.end()};
}

inline MidiMessage Message(const std::vector<uint8_t>& bytes) { return KeyboardSysEx::MakeMessage(bytes); }

inline std::vector<uint8_t> Join(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline const std::vector<uint8_t> kHeaderBytes = {0xF0, 0x00, 0x3C, 0x51, 0x7F, 0x31, 0x05};

// A framed dump from the keyboard (63) of the given data, 1350 bytes.
inline std::vector<uint8_t> DumpReply(uint8_t slot, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes = Join(kHeaderBytes, {0x63, 0x0A, 0x3B, slot});
  bytes = Join(bytes, data);
  bytes.push_back(0xF7);
  return bytes;
}

// Preset data that differs from the defaults and between seeds, all data bytes.
inline std::vector<uint8_t> PatternData(uint8_t seed) {
  std::vector<uint8_t> data(kPresetDataLength);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>((i * 13 + seed) % 0x80);
  return data;
}

inline Simulated::SimulatedKeyboard::Preset AsPreset(const std::vector<uint8_t>& data) {
  Simulated::SimulatedKeyboard::Preset preset{};
  std::copy_n(data.begin(), std::min(data.size(), preset.size()), preset.begin());
  return preset;
}

}  // namespace HV::Test
