#pragma once

// The fake device-control client library (libDeviceControlClient.so built
// from FakeDeviceControlClient.cpp) and the control block through which tests
// drive it: call counters and a log of every call with its arguments,
// scripted results, the devices it reports, and value packets that its own
// thread hands to the connected values callback.
//
// Tests reach the control block of the copy the program loaded through
// FakeDeviceControlClientLibrary below, which loads the same file: the loader
// shares one copy of a library between all who load it.

#include "HVFramework/Platform/Core/DynamicLibrary.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace FakeDeviceControl {

// The entry points, in the order of the library's interface.
enum class Call : int32_t {
  FindDevices,
  FindRemoteDevices,
  ConnectDevice,
  RequestParamRanges,
  RequestParamValues,
  GetParamRanges,
  GetParamValues,
  GetParamValue,
  SetParamValue,
  SetParamValues,
  DisconnectDevice,
  IsDeviceConnected,
  GetDeviceInfo,
  ReleaseAll,
};
inline constexpr int32_t kCallCount = 14;

// A Variant as the library saw it: its type tag and its data bytes.
struct Value {
  uint32_t type = 0;
  std::vector<uint8_t> data;
  friend bool operator==(const Value&, const Value&) = default;
};

// One call: which entry point, the device it named, and its other arguments
// (the ID of a descriptor, a flag, the Variant it was given).
struct Record {
  Call call = Call::ReleaseAll;
  Value device;
  int32_t paramID = 0;
  Value descriptor;
  Value argument;
  int32_t flag = 0;
};

// The control block, implemented inside the library. Every operation may be
// called from any thread.
class IControl {
 public:
  // Forgets the log, results, devices and presence; drops queued packets.
  virtual void Reset() = 0;

  // What an entry point answers from now on (0 at first). ConnectDevice keeps
  // the callback only on a non-negative answer.
  virtual void SetResult(Call call, int32_t result) = 0;
  // What AADI_FindRemoteDevices and AADI_FindDevices put in their result: a
  // value of type tag with these data bytes (tag 16: a packed list as is).
  virtual void SetDevices(uint32_t type, const std::vector<uint8_t>& data) = 0;
  // Byte 252 of the device information record.
  virtual void SetDevicePresent(bool present) = 0;

  virtual int32_t GetCallCount(Call call) = 0;
  virtual std::vector<Record> GetLog() = 0;

  // Queues one packet, the data of a packed list (tag 16) taken as is, for
  // the library's thread to hand to the connected callback.
  virtual void Emit(const std::vector<uint8_t>& packet) = 0;
  // Waits until every queued packet has been handed over (or dropped for
  // want of a callback).
  virtual void WaitUntilEmitted() = 0;
  virtual bool HasCallback() = 0;

 protected:
  ~IControl() = default;
};

}  // namespace FakeDeviceControl

namespace HV::Test {

// The fake library's build folders: the full library and the copies without
// one entry point.
#ifdef HV_FAKE_DEVICE_CONTROL_DIR
inline std::string FakeDeviceControlLibraryPath(const std::string& variant = "full") {
  return std::string(HV_FAKE_DEVICE_CONTROL_DIR) + "/" + variant + "/libDeviceControlClient.so";
}
#endif

// Holds the fake library loaded from path and hands out its control block.
class FakeDeviceControlClientLibrary {
 public:
  explicit FakeDeviceControlClientLibrary(const std::string& path)
      : mLibrary(HV::Platform::DynamicLibrary::Load(path)) {
    if (!mLibrary) throw std::runtime_error("fake device-control library missing: " + path);
    using GetControlFn = FakeDeviceControl::IControl* (*)();
    mControl = mLibrary->FindFunction<GetControlFn>("FakeDeviceControl_GetControl")();
    mControl->Reset();
  }
  ~FakeDeviceControlClientLibrary() { mControl->Reset(); }

  FakeDeviceControl::IControl& operator*() const { return *mControl; }
  FakeDeviceControl::IControl* operator->() const { return mControl; }

 private:
  std::unique_ptr<HV::Platform::DynamicLibrary> mLibrary;
  FakeDeviceControl::IControl* mControl = nullptr;
};

}  // namespace HV::Test
