#pragma once

namespace HV {

// IDeviceStatusChecker: one pass over the watched input and output devices,
// announcing those that came or went; true when all of that side are present.
// Called on the poll thread and, for outputs, on the raw sender's thread.
class IDeviceStatusChecker {
 public:
  virtual ~IDeviceStatusChecker() = default;
  virtual bool CheckInputDevices() = 0;
  virtual bool CheckOutputDevices() = 0;
};

}  // namespace HV
