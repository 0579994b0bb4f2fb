#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceInterface.h"

namespace {

using GroupGetter = HV::RCPtr<LParameterizedModule> (*)(IDevice& device);

// In DeviceGroup order.
constexpr GroupGetter kGroupGetters[] = {
    [](IDevice& device) -> HV::RCPtr<LParameterizedModule> { return device.GetPresetName(); },
    [](IDevice& device) -> HV::RCPtr<LParameterizedModule> { return device.GetKeybedZones(); },
    [](IDevice& device) -> HV::RCPtr<LParameterizedModule> { return device.GetWheels(); },
    [](IDevice& device) -> HV::RCPtr<LParameterizedModule> { return device.GetPedals(); },
    [](IDevice& device) -> HV::RCPtr<LParameterizedModule> { return device.GetPads(); },
    [](IDevice& device) -> HV::RCPtr<LParameterizedModule> { return device.GetPushButtons(); },
    [](IDevice& device) -> HV::RCPtr<LParameterizedModule> { return device.GetFaders(); },
    [](IDevice& device) -> HV::RCPtr<LParameterizedModule> { return device.GetEncoders(); },
    [](IDevice& device) -> HV::RCPtr<LParameterizedModule> { return device.GetTouchPadAxises(); },
};
static_assert(std::size(kGroupGetters) == kDeviceGroupLayouts.size());

}  // namespace

HV::RCPtr<LParameterizedModule> IDevice::GetGroup(DeviceGroup group) {
  return kGroupGetters[static_cast<size_t>(group)](*this);
}

template <class Visit>
void IDevice::ForEachGroup(Visit visit) {
  for (const DeviceGroupLayout& layout : kDeviceGroupLayouts) {
    if (const HV::RCPtr<LParameterizedModule> group = GetGroup(layout.group)) visit(*group, layout);
  }
}

void IDevice::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  ForEachGroup([&](LParameterizedModule& group, const DeviceGroupLayout& layout) {
    group.SetFirstParamID(this, OffsetParamID(firstParamID, layout.firstOffset), 0);
  });
}

HV::RCPtr<LParameterizedModule> IDevice::GetModuleForParamID(int32_t paramID) {
  const std::optional<DeviceGroup> place = FindDeviceGroup(RelativeParamID(paramID, GetFirstParamID()));
  if (!place) return nullptr;
  const HV::RCPtr<LParameterizedModule> group = GetGroup(*place);
  return group ? group->GetModuleForParamID(paramID) : nullptr;
}

void IDevice::ForEachModuleHookA() {
  ForEachGroup([](LParameterizedModule& group, const DeviceGroupLayout&) { group.ForEachModuleHookA(); });
}

void IDevice::ForEachModuleHookB() {
  ForEachGroup([](LParameterizedModule& group, const DeviceGroupLayout&) { group.ForEachModuleHookB(); });
}
