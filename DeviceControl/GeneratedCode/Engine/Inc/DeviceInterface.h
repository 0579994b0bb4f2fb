#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/PedalsInterface.h"

// IDevice: the whole keyboard, owner of the nine groups and of the preset's
// 131 parameter IDs. Its ID distribution, lookup and walks go through the
// nine accessors, so the model and the screen's device view share them.
class IDevice : public LParameterizedModule {
 public:
  // Each accessor returns a new counted reference, null when the group is missing.
  virtual HV::RCPtr<IPresetName> GetPresetName() = 0;
  HV::ConstRCPtr<IPresetName> GetPresetName() const { return Mutable().GetPresetName(); }
  virtual HV::RCPtr<IKeybedZones> GetKeybedZones() = 0;
  HV::ConstRCPtr<IKeybedZones> GetKeybedZones() const { return Mutable().GetKeybedZones(); }
  virtual HV::RCPtr<IWheels> GetWheels() = 0;
  HV::ConstRCPtr<IWheels> GetWheels() const { return Mutable().GetWheels(); }
  virtual HV::RCPtr<IPedals> GetPedals() = 0;
  HV::ConstRCPtr<IPedals> GetPedals() const { return Mutable().GetPedals(); }
  virtual HV::RCPtr<IPads> GetPads() = 0;
  HV::ConstRCPtr<IPads> GetPads() const { return Mutable().GetPads(); }
  virtual HV::RCPtr<IPushButtons> GetPushButtons() = 0;
  HV::ConstRCPtr<IPushButtons> GetPushButtons() const { return Mutable().GetPushButtons(); }
  virtual HV::RCPtr<IFaders> GetFaders() = 0;
  HV::ConstRCPtr<IFaders> GetFaders() const { return Mutable().GetFaders(); }
  virtual HV::RCPtr<IEncoders> GetEncoders() = 0;
  HV::ConstRCPtr<IEncoders> GetEncoders() const { return Mutable().GetEncoders(); }
  virtual HV::RCPtr<ITouchPadAxises> GetTouchPadAxises() = 0;
  HV::ConstRCPtr<ITouchPadAxises> GetTouchPadAxises() const { return Mutable().GetTouchPadAxises(); }

  // The group module of a place in the layout, through its accessor.
  HV::RCPtr<LParameterizedModule> GetGroup(DeviceGroup group);

  // Places the nine groups at their offsets (index 0 each); a missing group is skipped.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  HV::RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID) override;
  void ForEachModuleHookA() override;
  void ForEachModuleHookB() override;

 protected:
  IDevice() : LParameterizedModule(OwnsParameters::No) {}

 private:
  IDevice& Mutable() const { return const_cast<IDevice&>(*this); }
  // Calls visit(group, layout) for every present group, in ID order.
  template <class Visit>
  void ForEachGroup(Visit visit);
};
