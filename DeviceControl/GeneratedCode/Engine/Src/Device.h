#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Src/Encoders.h"
#include "DeviceControl/GeneratedCode/Engine/Src/Faders.h"
#include "DeviceControl/GeneratedCode/Engine/Src/KeybedZones.h"
#include "DeviceControl/GeneratedCode/Engine/Src/Pads.h"
#include "DeviceControl/GeneratedCode/Engine/Src/Pedals.h"
#include "DeviceControl/GeneratedCode/Engine/Src/PresetName.h"
#include "DeviceControl/GeneratedCode/Engine/Src/PushButtons.h"
#include "DeviceControl/GeneratedCode/Engine/Src/TouchPadAxises.h"
#include "DeviceControl/GeneratedCode/Engine/Src/Wheels.h"

// LDevice: the model of the whole keyboard: the nine groups over the
// preset's 131 parameter IDs. The root module owns it; it places at the
// root's first ID.
class LDevice final : public IDevice {
 public:
  // A new unplaced device with its first counted reference and all groups.
  static HV::RCPtr<LDevice> Create();

  HV::RCPtr<IPresetName> GetPresetName() override { return mPresetName; }
  HV::RCPtr<IKeybedZones> GetKeybedZones() override { return mKeybedZones; }
  HV::RCPtr<IWheels> GetWheels() override { return mWheels; }
  HV::RCPtr<IPedals> GetPedals() override { return mPedals; }
  HV::RCPtr<IPads> GetPads() override { return mPads; }
  HV::RCPtr<IPushButtons> GetPushButtons() override { return mPushButtons; }
  HV::RCPtr<IFaders> GetFaders() override { return mFaders; }
  HV::RCPtr<IEncoders> GetEncoders() override { return mEncoders; }
  HV::RCPtr<ITouchPadAxises> GetTouchPadAxises() override { return mTouchPadAxises; }
  using IDevice::GetEncoders;
  using IDevice::GetFaders;
  using IDevice::GetKeybedZones;
  using IDevice::GetPads;
  using IDevice::GetPedals;
  using IDevice::GetPresetName;
  using IDevice::GetPushButtons;
  using IDevice::GetTouchPadAxises;
  using IDevice::GetWheels;

  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;

  // Makes every group anew, in ID order, releasing the previous ones.
  virtual void CreateGroups();

 private:
  LDevice() = default;

  HV::RCPtr<LPresetName> mPresetName;
  HV::RCPtr<LKeybedZones> mKeybedZones;
  HV::RCPtr<LWheels> mWheels;
  HV::RCPtr<LPedals> mPedals;
  HV::RCPtr<LPads> mPads;
  HV::RCPtr<LPushButtons> mPushButtons;
  HV::RCPtr<LFaders> mFaders;
  HV::RCPtr<LEncoders> mEncoders;
  HV::RCPtr<LTouchPadAxises> mTouchPadAxises;
};
