#include "DeviceControl/GeneratedCode/Engine/Src/ModelClassInfo.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"
#include "HVFramework/ObjectBase/Exception.h"

#include <string>

namespace {

constexpr const char* kSourceFolder = "..\\DeviceControl\\GeneratedCode\\Engine\\Src\\";
constexpr const char* kMethodNames[] = {"SetFirstParamID", "GetParamValueLocal", "SetParamValueLocal",
                                        "GetParamValueDefault"};

// In ElementKind order. Single elements report from lines 72/91/160/210,
// elements of an array group from 74/93/162 and their default's line.
constexpr ModelClassInfo kElementClasses[] = {
    {"LPresetName", "PresetName", {72, 91, 160, 210}},
    {"LKeybedZone", "KeybedZone", {74, 93, 162, 218}},
    {"LWheel", "Wheel", {74, 93, 162, 218}},
    {"LVolumePedal", "VolumePedal", {72, 91, 160, 210}},
    {"LSustainPedal", "SustainPedal", {72, 91, 160, 210}},
    {"LPad", "Pad", {74, 93, 162, 218}},
    {"LPushButton", "PushButton", {74, 93, 162, 218}},
    {"LFader", "Fader", {74, 93, 162, 218}},
    {"LEncoder", "Encoder", {74, 93, 162, 218}},
    {"LTouchPadAxis", "TouchPadAxis", {74, 93, 162, 221}},
};

// In DeviceGroup order.
constexpr ModelClassInfo kGroupClasses[] = {
    kElementClasses[0],
    {"LKeybedZones", "KeybedZones", {72, 0, 0, 0}},
    {"LWheels", "Wheels", {72, 0, 0, 0}},
    {"LPedals", "Pedals", {72, 0, 0, 0}},
    {"LPads", "Pads", {72, 0, 0, 0}},
    {"LPushButtons", "PushButtons", {72, 0, 0, 0}},
    {"LFaders", "Faders", {72, 0, 0, 0}},
    {"LEncoders", "Encoders", {72, 0, 0, 0}},
    {"LTouchPadAxises", "TouchPadAxises", {72, 0, 0, 0}},
};

constexpr ModelClassInfo kDeviceClass = {"LDevice", "Device", {72, 0, 0, 0}};

static_assert(std::size(kElementClasses) == kElementLayouts.size());
static_assert(std::size(kGroupClasses) == kDeviceGroupLayouts.size());

[[noreturn]] void Throw(const ModelClassInfo& info, ModelMethod method, const char* detail) {
  const auto slot = static_cast<size_t>(method);
  const std::string function = std::string(info.className) + "::" + kMethodNames[slot];
  const std::string source = std::string(kSourceFolder) + info.sourceName;
  const HV::SourceLocation where{function.c_str(), source.c_str(), info.lines[slot]};
  if (detail) HV::Throw<std::logic_error>(detail, where);
  HV::Throw<std::logic_error>(where);
}

}  // namespace

const ModelClassInfo& GetElementClassInfo(ElementKind kind) {
  return kElementClasses[static_cast<size_t>(kind)];
}
const ModelClassInfo& GetGroupClassInfo(DeviceGroup group) {
  return kGroupClasses[static_cast<size_t>(group)];
}
const ModelClassInfo& GetDeviceClassInfo() { return kDeviceClass; }

void ThrowModelError(const ModelClassInfo& info, ModelMethod method) { Throw(info, method, nullptr); }

void ThrowInvalidFirstParamID(const ModelClassInfo& info) {
  Throw(info, ModelMethod::SetFirstParamID, "Invalid FirstParamID");
}

bool IsPlacedInBlock(const LParameterizedModule& module, int32_t offset, int32_t count) {
  const int32_t rootFirst = module.GetRoot()->GetFirstParamID();
  const uint32_t relative = RelativeParamID(module.GetFirstParamID(), rootFirst);
  return relative - static_cast<uint32_t>(offset) < static_cast<uint32_t>(count);
}

void CheckGroupPlacement(const LParameterizedModule& module, DeviceGroup group) {
  if (!IsPlacedInBlock(module, GetDeviceGroupLayout(group).firstOffset, 1)) {
    ThrowInvalidFirstParamID(GetGroupClassInfo(group));
  }
}
