#include "DeviceControl/GeneratedCode/Engine/Src/Pedals.h"

HV::RCPtr<LPedals> LPedals::Create() {
  HV::RCPtr<LPedals> pedals(new LPedals());
  pedals->CreatePedals();
  return pedals;
}

void LPedals::CreatePedals() {
  mVolumePedal = LVolumePedal::Create();
  mSustainPedal = LSustainPedal::Create();
}

void LPedals::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  IPedals::SetFirstParamID(parent, firstParamID, index);
  CheckGroupPlacement(*this, DeviceGroup::Pedals);
}
