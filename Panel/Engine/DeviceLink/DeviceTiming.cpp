#include "Panel/Engine/DeviceLink/DeviceTiming.h"

DeviceTiming& GetDeviceTiming() {
  static DeviceTiming timing;
  return timing;
}
