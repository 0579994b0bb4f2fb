#include "DeviceControl/GeneratedCode/Engine/Src/Device.h"

HV::RCPtr<LDevice> LDevice::Create() {
  HV::RCPtr<LDevice> device(new LDevice());
  device->CreateGroups();
  return device;
}

void LDevice::CreateGroups() {
  mPresetName = LPresetName::Create();
  mKeybedZones = LKeybedZones::Create();
  mWheels = LWheels::Create();
  mPedals = LPedals::Create();
  mPads = LPads::Create();
  mPushButtons = LPushButtons::Create();
  mFaders = LFaders::Create();
  mEncoders = LEncoders::Create();
  mTouchPadAxises = LTouchPadAxises::Create();
}

void LDevice::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  IDevice::SetFirstParamID(parent, firstParamID, index);
  if (!IsPlacedInBlock(*this, 0, 1)) ThrowInvalidFirstParamID(GetDeviceClassInfo());
}
