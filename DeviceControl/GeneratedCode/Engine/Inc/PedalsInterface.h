#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"

// IPedals: the group of the two pedals, the volume pedal (first ID) and the
// sustain pedal (first ID + 1), both with index 0.
class IPedals : public LParameterizedModule {
 public:
  virtual HV::RCPtr<IVolumePedal> GetVolumePedal() = 0;
  HV::ConstRCPtr<IVolumePedal> GetVolumePedal() const { return const_cast<IPedals*>(this)->GetVolumePedal(); }
  virtual HV::RCPtr<ISustainPedal> GetSustainPedal() = 0;
  HV::ConstRCPtr<ISustainPedal> GetSustainPedal() const {
    return const_cast<IPedals*>(this)->GetSustainPedal();
  }

  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  HV::RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID) override;
  void ForEachModuleHookA() override;
  void ForEachModuleHookB() override;

 protected:
  IPedals() : LParameterizedModule(OwnsParameters::No) {}

 private:
  // The pedal at position 0 (volume) or 1 (sustain), or null.
  HV::RCPtr<LParameterizedModule> GetPedal(int32_t position);
  // Calls visit(pedal, position) for every present pedal, volume first.
  template <class Visit>
  void ForEachPedal(Visit visit);
};
