#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"
#include "Panel/Engine/DeviceLink/DeviceControlClientApi.h"

#include <memory>

namespace HV {

namespace Platform {
class DynamicLibrary;
}

class Variant;
class ParamRanges;
struct ParamDescriptor;

// DeviceControlClientInterface: loads the device-control client library at
// run time and makes one call per entry point of it. A missing library or a
// missing entry point is harmless: such a call answers -1 (false for
// IsDeviceConnected) and does nothing.
//
// Owned by the device link through a plain pointer. No lock: the link
// serialises what needs it. The library may call the values callback on any
// thread.
class DeviceControlClientInterface {
 public:
  using DeviceClassGuid = DeviceControlClientApi::DeviceClassGuid;
  using ValuesCallback = DeviceControlClientApi::ValuesCallback;
  using DeviceInfo = uint8_t[DeviceControlClientApi::kDeviceInfoSize];

  // The library's file name; the loader maps it to libDeviceControlClient.so.
  static constexpr const WChar* kLibraryName = u"DeviceControlClient.dll";
  // What every call answers when its entry point is missing.
  static constexpr int32_t kMissing = -1;

  // Loads the library from path, or without a path from the program's folder.
  explicit DeviceControlClientInterface(const WChar* path = nullptr);
  // Calls AADI_ReleaseAll when the library has it, then unloads the library.
  virtual ~DeviceControlClientInterface();
  DeviceControlClientInterface(const DeviceControlClientInterface&) = delete;
  DeviceControlClientInterface& operator=(const DeviceControlClientInterface&) = delete;

  virtual int32_t FindDevices(const DeviceClassGuid* guids, uint32_t guidCount, Variant* devices);
  virtual int32_t FindRemoteDevices(const DeviceClassGuid* guids, uint32_t guidCount, Variant* devices,
                                    int32_t flag);
  virtual int32_t ConnectDevice(const Variant& device, ValuesCallback callback, void* context);
  virtual int32_t RequestParamRanges(const Variant& device, const ParamRanges& ranges);
  virtual int32_t RequestParamValues(const Variant& device, const Variant& descriptors);
  // AADI_RequestParamValues with a list of the one descriptor.
  virtual int32_t RequestParamValue(const Variant& device, const ParamDescriptor& descriptor);
  virtual int32_t GetParamRanges(const Variant& device, Variant* ranges, int32_t flags);
  virtual int32_t GetParamValues(const Variant& device, const Variant& descriptors, Variant* values);
  virtual int32_t GetParamValue(const Variant& device, const ParamDescriptor& descriptor, Variant* value);
  virtual int32_t SetParamValue(const Variant& device, const ParamDescriptor& descriptor,
                                const Variant& value);
  virtual int32_t SetParamValues(const Variant& device, const Variant& values);
  // True exactly when the library answers 0.
  virtual bool IsDeviceConnected(const Variant& device);
  virtual int32_t DisconnectDevice(const Variant& device);
  virtual int32_t GetDeviceInfo(const Variant& device, DeviceInfo* info);

  bool IsLibraryLoaded() const { return mLibrary != nullptr; }

  // The path the constructor loads from when it is given none.
  static StringW GetDefaultLibraryPath();

 private:
  struct EntryPoints {
    DeviceControlClientApi::FindDevicesFn findDevices = nullptr;
    DeviceControlClientApi::FindRemoteDevicesFn findRemoteDevices = nullptr;
    DeviceControlClientApi::ConnectDeviceFn connectDevice = nullptr;
    DeviceControlClientApi::RequestParamRangesFn requestParamRanges = nullptr;
    DeviceControlClientApi::RequestParamValuesFn requestParamValues = nullptr;
    DeviceControlClientApi::GetParamRangesFn getParamRanges = nullptr;
    DeviceControlClientApi::GetParamValuesFn getParamValues = nullptr;
    DeviceControlClientApi::GetParamValueFn getParamValue = nullptr;
    DeviceControlClientApi::SetParamValueFn setParamValue = nullptr;
    DeviceControlClientApi::SetParamValuesFn setParamValues = nullptr;
    DeviceControlClientApi::DisconnectDeviceFn disconnectDevice = nullptr;
    DeviceControlClientApi::IsDeviceConnectedFn isDeviceConnected = nullptr;
    DeviceControlClientApi::GetDeviceInfoFn getDeviceInfo = nullptr;
    DeviceControlClientApi::ReleaseAllFn releaseAll = nullptr;
  };

  void BindEntryPoints();

  std::unique_ptr<Platform::DynamicLibrary> mLibrary;
  EntryPoints mEntry;
};

}  // namespace HV
