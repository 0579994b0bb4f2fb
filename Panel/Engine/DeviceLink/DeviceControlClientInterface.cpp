#include "Panel/Engine/DeviceLink/DeviceControlClientInterface.h"

#include "HVFramework/Platform/Core/DynamicLibrary.h"
#include "HVFramework/Platform/Core/Folders.h"
#include "HVFramework/Utilities/Storage/ParamDescriptors.h"

#include <string>

namespace HV {
namespace {

// Calls an entry point, or answers kMissing when it is not there.
template <class Function, class... Arguments>
int32_t CallOrMissing(Function function, Arguments... arguments) {
  return function ? function(arguments...) : DeviceControlClientInterface::kMissing;
}

}  // namespace

StringW DeviceControlClientInterface::GetDefaultLibraryPath() {
  const std::string folder = Platform::GetProgramFolder();
  StringW path(folder.c_str());
  if (!path.IsEmpty()) path += u"/";
  path += kLibraryName;
  return path;
}

DeviceControlClientInterface::DeviceControlClientInterface(const WChar* path) {
  const StringW libraryPath = path ? StringW(path) : GetDefaultLibraryPath();
  const StringA utf8 = libraryPath.ToCharString();
  mLibrary =
      Platform::DynamicLibrary::Load(std::string(utf8.GetText(), static_cast<size_t>(utf8.GetLength())));
  if (mLibrary) BindEntryPoints();
}

DeviceControlClientInterface::~DeviceControlClientInterface() {
  if (!mLibrary) return;
  if (mEntry.releaseAll) mEntry.releaseAll();
  mEntry = EntryPoints();
  mLibrary->Unload();
  mLibrary.reset();
}

void DeviceControlClientInterface::BindEntryPoints() {
  mLibrary->Bind(mEntry.findDevices, "AADI_FindDevices");
  mLibrary->Bind(mEntry.findRemoteDevices, "AADI_FindRemoteDevices");
  mLibrary->Bind(mEntry.connectDevice, "AADI_ConnectDevice");
  mLibrary->Bind(mEntry.requestParamRanges, "AADI_RequestParamRanges");
  mLibrary->Bind(mEntry.requestParamValues, "AADI_RequestParamValues");
  mLibrary->Bind(mEntry.getParamRanges, "AADI_GetParamRanges");
  mLibrary->Bind(mEntry.getParamValues, "AADI_GetParamValues");
  mLibrary->Bind(mEntry.getParamValue, "AADI_GetParamValue");
  mLibrary->Bind(mEntry.setParamValue, "AADI_SetParamValue");
  mLibrary->Bind(mEntry.setParamValues, "AADI_SetParamValues");
  mLibrary->Bind(mEntry.disconnectDevice, "AADI_DisconnectDevice");
  mLibrary->Bind(mEntry.isDeviceConnected, "AADI_IsDeviceConnected");
  mLibrary->Bind(mEntry.getDeviceInfo, "AADI_GetDeviceInfo");
  mLibrary->Bind(mEntry.releaseAll, "AADI_ReleaseAll");
}

int32_t DeviceControlClientInterface::FindDevices(const DeviceClassGuid* guids, uint32_t guidCount,
                                                  Variant* devices) {
  return CallOrMissing(mEntry.findDevices, guids, guidCount, devices);
}

int32_t DeviceControlClientInterface::FindRemoteDevices(const DeviceClassGuid* guids, uint32_t guidCount,
                                                        Variant* devices, int32_t flag) {
  return CallOrMissing(mEntry.findRemoteDevices, guids, guidCount, devices, flag);
}

int32_t DeviceControlClientInterface::ConnectDevice(const Variant& device, ValuesCallback callback,
                                                    void* context) {
  return CallOrMissing(mEntry.connectDevice, &device, callback, context);
}

int32_t DeviceControlClientInterface::RequestParamRanges(const Variant& device, const ParamRanges& ranges) {
  return CallOrMissing(mEntry.requestParamRanges, &device, &ranges);
}

int32_t DeviceControlClientInterface::RequestParamValues(const Variant& device, const Variant& descriptors) {
  return CallOrMissing(mEntry.requestParamValues, &device, &descriptors);
}

int32_t DeviceControlClientInterface::RequestParamValue(const Variant& device,
                                                        const ParamDescriptor& descriptor) {
  if (!mEntry.requestParamValues) return kMissing;
  ParamDescriptors descriptors;
  descriptors.Set(&descriptor, 1);
  return RequestParamValues(device, descriptors);
}

int32_t DeviceControlClientInterface::GetParamRanges(const Variant& device, Variant* ranges, int32_t flags) {
  return CallOrMissing(mEntry.getParamRanges, &device, ranges, flags);
}

int32_t DeviceControlClientInterface::GetParamValues(const Variant& device, const Variant& descriptors,
                                                     Variant* values) {
  return CallOrMissing(mEntry.getParamValues, &device, &descriptors, values);
}

int32_t DeviceControlClientInterface::GetParamValue(const Variant& device, const ParamDescriptor& descriptor,
                                                    Variant* value) {
  return CallOrMissing(mEntry.getParamValue, &device, &descriptor, value);
}

int32_t DeviceControlClientInterface::SetParamValue(const Variant& device, const ParamDescriptor& descriptor,
                                                    const Variant& value) {
  return CallOrMissing(mEntry.setParamValue, &device, &descriptor, &value);
}

int32_t DeviceControlClientInterface::SetParamValues(const Variant& device, const Variant& values) {
  return CallOrMissing(mEntry.setParamValues, &device, &values);
}

bool DeviceControlClientInterface::IsDeviceConnected(const Variant& device) {
  return CallOrMissing(mEntry.isDeviceConnected, &device) == 0;
}

int32_t DeviceControlClientInterface::DisconnectDevice(const Variant& device) {
  return CallOrMissing(mEntry.disconnectDevice, &device);
}

int32_t DeviceControlClientInterface::GetDeviceInfo(const Variant& device, DeviceInfo* info) {
  return CallOrMissing(mEntry.getDeviceInfo, &device, info);
}

}  // namespace HV
