#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleInterface.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"

using ModelElementDetail::IsReservedParamID;

HV::RCPtr<LParameterizedModule> IRootModule::GetReservedModule(int32_t) { return nullptr; }

void IRootModule::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  if (const HV::RCPtr<IDevice> device = GetDevice()) device->SetFirstParamID(this, firstParamID, 0);
}

HV::RCPtr<LParameterizedModule> IRootModule::GetModuleForParamID(int32_t paramID) {
  if (RelativeParamID(paramID, GetFirstParamID()) >= static_cast<uint32_t>(kDeviceParamCount)) return nullptr;
  const HV::RCPtr<IDevice> device = GetDevice();
  return device ? device->GetModuleForParamID(paramID) : nullptr;
}

void IRootModule::ForEachModuleHookA() {
  if (const HV::RCPtr<IDevice> device = GetDevice()) device->ForEachModuleHookA();
}

void IRootModule::ForEachModuleHookB() {
  if (const HV::RCPtr<IDevice> device = GetDevice()) device->ForEachModuleHookB();
}

void IRootModule::StoreAppliedValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) {
  const int32_t paramID = descriptor.paramID;
  if (paramID < 0 && !IsReservedParamID(paramID)) return;
  const HV::RCPtr<LParameterizedModule> module =
      paramID < 0 ? GetReservedModule(paramID) : GetModuleForParamID(paramID);
  if (module) module->SetParamValueLocal(descriptor, value, false);
}

HV::HResult IRootModule::ApplyParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) {
  // Stored and announced first; what the device answers is the result.
  StoreAppliedValue(descriptor, value);
  const HV::RCPtr<IDeviceLink> link = GetDeviceCommunicationInterface();
  return link ? link->SendParamValue(descriptor, value) : -1;
}

HV::HResult IRootModule::QueryParamValue(const HV::ParamDescriptor& descriptor, HV::Variant* out) {
  if (descriptor.paramID < 0) {
    const HV::RCPtr<IDeviceLink> link = GetDeviceCommunicationInterface();
    return link ? link->GetParamValueEx(descriptor, out) : -1;
  }
  const HV::RCPtr<LParameterizedModule> module = GetModuleForParamID(descriptor.paramID);
  if (!module) {
    out->Clear();
    return HV::E_FAIL;
  }
  *out = module->GetParamValueLocal(descriptor);
  return HV::S_OK;
}
