#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/PedalsInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"

// LVolumePedal: the volume pedal (6-byte moveable-control record, ID 7).
class LVolumePedal final : public LModelElementT<LVolumePedal, IVolumePedal> {
  friend class LModelElementT<LVolumePedal, IVolumePedal>;
  LVolumePedal() = default;
};

// LSustainPedal: the sustain pedal (6-byte short button message, ID 8).
class LSustainPedal final : public LModelElementT<LSustainPedal, ISustainPedal> {
  friend class LModelElementT<LSustainPedal, ISustainPedal>;
  LSustainPedal() = default;
};

// LPedals: the volume and the sustain pedal, device-relative IDs 7 and 8.
class LPedals final : public IPedals {
 public:
  // A new unplaced group with its first counted reference and both pedals.
  static HV::RCPtr<LPedals> Create();

  HV::RCPtr<IVolumePedal> GetVolumePedal() override { return mVolumePedal; }
  HV::RCPtr<ISustainPedal> GetSustainPedal() override { return mSustainPedal; }
  using IPedals::GetSustainPedal;
  using IPedals::GetVolumePedal;

  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;

  // Makes a new volume pedal, then a new sustain pedal.
  virtual void CreatePedals();

 private:
  LPedals() = default;

  HV::RCPtr<LVolumePedal> mVolumePedal;
  HV::RCPtr<LSustainPedal> mSustainPedal;
};
