#pragma once

// The C interface of the device-control client library ("DeviceControlClient.dll",
// libDeviceControlClient.so beside the program): its 14 entry points, the
// callback through which it delivers parameter values, and the types they
// pass. Values cross the boundary as the framework's Variant objects, so the
// library is built against the same framework headers as the program.
//
// Every entry point returns a signed 32-bit result: negative is failure.

#include <cstdint>

namespace HV {
class Variant;
class ParamRanges;
struct ParamDescriptor;
}  // namespace HV

namespace DeviceControlClientApi {

// A class of devices to look for (the layout of a Windows GUID).
struct DeviceClassGuid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  uint8_t data4[8] = {};
};

// The device information record of AADI_GetDeviceInfo.
inline constexpr uint32_t kDeviceInfoSize = 256;
// Byte of the record that is non-zero while the device is present.
inline constexpr uint32_t kDevicePresentByte = 252;

// The values callback given to AADI_ConnectDevice; the library calls it on a
// thread of its own with a packed list of parameter values (HV::ParamValues).
using ValuesCallback = void (*)(void* context, int32_t ignored, HV::Variant* values);

using FindDevicesFn = int32_t (*)(const DeviceClassGuid* guids, uint32_t guidCount, HV::Variant* devices);
// flag 0: the list as the library knows it now; 1: query the devices first.
using FindRemoteDevicesFn = int32_t (*)(const DeviceClassGuid* guids, uint32_t guidCount,
                                        HV::Variant* devices, int32_t flag);
using ConnectDeviceFn = int32_t (*)(const HV::Variant* device, ValuesCallback callback, void* context);
using RequestParamRangesFn = int32_t (*)(const HV::Variant* device, const HV::ParamRanges* ranges);
using RequestParamValuesFn = int32_t (*)(const HV::Variant* device, const HV::Variant* descriptors);
using GetParamRangesFn = int32_t (*)(const HV::Variant* device, HV::Variant* ranges, int32_t flags);
using GetParamValuesFn = int32_t (*)(const HV::Variant* device, const HV::Variant* descriptors,
                                     HV::Variant* values);
using GetParamValueFn = int32_t (*)(const HV::Variant* device, const HV::ParamDescriptor* descriptor,
                                    HV::Variant* value);
using SetParamValueFn = int32_t (*)(const HV::Variant* device, const HV::ParamDescriptor* descriptor,
                                    const HV::Variant* value);
using SetParamValuesFn = int32_t (*)(const HV::Variant* device, const HV::Variant* values);
using DisconnectDeviceFn = int32_t (*)(const HV::Variant* device);
// 0 means connected.
using IsDeviceConnectedFn = int32_t (*)(const HV::Variant* device);
using GetDeviceInfoFn = int32_t (*)(const HV::Variant* device, uint8_t (*info)[kDeviceInfoSize]);
using ReleaseAllFn = int32_t (*)();

}  // namespace DeviceControlClientApi

// The exports, declared so that a library implementing them is checked against
// the forms above.
#if defined(DEVICE_CONTROL_CLIENT_BUILD)
#define DEVICE_CONTROL_CLIENT_EXPORT __attribute__((visibility("default")))
extern "C" {
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_FindDevices(const DeviceControlClientApi::DeviceClassGuid* guids,
                                                      uint32_t guidCount, HV::Variant* devices);
DEVICE_CONTROL_CLIENT_EXPORT int32_t
AADI_FindRemoteDevices(const DeviceControlClientApi::DeviceClassGuid* guids, uint32_t guidCount,
                       HV::Variant* devices, int32_t flag);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_ConnectDevice(const HV::Variant* device,
                                                        DeviceControlClientApi::ValuesCallback callback,
                                                        void* context);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_RequestParamRanges(const HV::Variant* device,
                                                             const HV::ParamRanges* ranges);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_RequestParamValues(const HV::Variant* device,
                                                             const HV::Variant* descriptors);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_GetParamRanges(const HV::Variant* device, HV::Variant* ranges,
                                                         int32_t flags);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_GetParamValues(const HV::Variant* device,
                                                         const HV::Variant* descriptors, HV::Variant* values);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_GetParamValue(const HV::Variant* device,
                                                        const HV::ParamDescriptor* descriptor,
                                                        HV::Variant* value);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_SetParamValue(const HV::Variant* device,
                                                        const HV::ParamDescriptor* descriptor,
                                                        const HV::Variant* value);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_SetParamValues(const HV::Variant* device,
                                                         const HV::Variant* values);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_DisconnectDevice(const HV::Variant* device);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_IsDeviceConnected(const HV::Variant* device);
DEVICE_CONTROL_CLIENT_EXPORT int32_t
AADI_GetDeviceInfo(const HV::Variant* device, uint8_t (*info)[DeviceControlClientApi::kDeviceInfoSize]);
DEVICE_CONTROL_CLIENT_EXPORT int32_t AADI_ReleaseAll();
}
#endif
