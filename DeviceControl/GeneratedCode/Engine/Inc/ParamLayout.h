#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The parameter-ID layout of a preset: 131 consecutive IDs from the device's
// first ID, one per element, in the order below. The same order serves the
// model, the parameter cache, preset files and the preset dump.

enum class ElementKind : int32_t {
  PresetName,
  KeybedZone,
  Wheel,
  VolumePedal,
  SustainPedal,
  Pad,
  PushButton,
  Fader,
  Encoder,
  TouchPadAxis,
};

// The nine children of the device, in ID order.
enum class DeviceGroup : int32_t {
  PresetName,
  KeybedZones,
  Wheels,
  Pedals,
  Pads,
  PushButtons,
  Faders,
  Encoders,
  TouchPadAxises,
};

struct ElementLayout {
  ElementKind kind;
  int32_t firstOffset;   // device-relative ID of element 0
  int32_t count;         // elements of the kind, one ID each
  int32_t recordLength;  // bytes of the element's parameter record
};

struct DeviceGroupLayout {
  DeviceGroup group;
  int32_t firstOffset;
  int32_t paramCount;
};

inline constexpr int32_t kDeviceParamCount = 131;
inline constexpr int32_t kPresetDataLength = 1338;

inline constexpr std::array<ElementLayout, 10> kElementLayouts = {{
    {ElementKind::PresetName, 0, 1, 6},
    {ElementKind::KeybedZone, 1, 4, 9},
    {ElementKind::Wheel, 5, 2, 5},
    {ElementKind::VolumePedal, 7, 1, 6},
    {ElementKind::SustainPedal, 8, 1, 6},
    {ElementKind::Pad, 9, 16, 14},
    {ElementKind::PushButton, 25, 36, 17},
    {ElementKind::Fader, 61, 36, 6},
    {ElementKind::Encoder, 97, 32, 6},
    {ElementKind::TouchPadAxis, 129, 2, 15},
}};

inline constexpr std::array<DeviceGroupLayout, 9> kDeviceGroupLayouts = {{
    {DeviceGroup::PresetName, 0, 1},
    {DeviceGroup::KeybedZones, 1, 4},
    {DeviceGroup::Wheels, 5, 2},
    {DeviceGroup::Pedals, 7, 2},
    {DeviceGroup::Pads, 9, 16},
    {DeviceGroup::PushButtons, 25, 36},
    {DeviceGroup::Faders, 61, 36},
    {DeviceGroup::Encoders, 97, 32},
    {DeviceGroup::TouchPadAxises, 129, 2},
}};

constexpr const ElementLayout& GetElementLayout(ElementKind kind) {
  return kElementLayouts[static_cast<size_t>(kind)];
}
constexpr const DeviceGroupLayout& GetDeviceGroupLayout(DeviceGroup group) {
  return kDeviceGroupLayouts[static_cast<size_t>(group)];
}

// paramID - firstParamID as an unsigned 32-bit value: IDs below the block
// become large, so one comparison against a block size tests both ends.
constexpr uint32_t RelativeParamID(int32_t paramID, int32_t firstParamID) {
  return static_cast<uint32_t>(paramID) - static_cast<uint32_t>(firstParamID);
}

// firstParamID + offset, wrapping at 32 bits instead of overflowing.
constexpr int32_t OffsetParamID(int32_t firstParamID, int32_t offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(firstParamID) + static_cast<uint32_t>(offset));
}

struct ElementAddress {
  ElementKind kind;
  int32_t index;
  friend bool operator==(const ElementAddress&, const ElementAddress&) = default;
};

// The element that owns paramID in a device whose first ID is firstParamID.
std::optional<ElementAddress> FindElement(int32_t firstParamID, int32_t paramID);

// The device group whose block holds the device-relative ID, if any.
std::optional<DeviceGroup> FindDeviceGroup(uint32_t relativeParamID);

// The record length of the element that owns the device-relative ID, if any.
std::optional<int32_t> FindRecordLength(uint32_t relativeParamID);
