#pragma once

// The interfaces of the module tree: the base module, the element and group
// interfaces and the device. The model classes and the editor's panels both
// implement them.
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceParamSender.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/PedalsInterface.h"

#include "HVFramework/ObjectBase/ResultCodes.h"

class IDeviceLink;

// IRootModule: the top of a module tree over one device's parameters. The
// model's root module implements it over the stored values and the device
// link; the editor's main control implements it at the top of the screen's
// tree, so that both trees share the device's IDs, lookup and walks.
class IRootModule : public LParameterizedModule {
 public:
  // A stored value changed.
  virtual void OnParamValueChanged(const HV::ParamDescriptor& descriptor, const HV::Variant& value) = 0;
  virtual HV::RCPtr<IDeviceLink> GetDeviceCommunicationInterface() = 0;

  // The module of a reserved ID (-256 to -129): none here.
  HV::RCPtr<LParameterizedModule> GetReservedModule(int32_t paramID) const {
    return const_cast<IRootModule&>(*this).GetReservedModule(paramID);
  }
  virtual HV::RCPtr<LParameterizedModule> GetReservedModule(int32_t paramID);

  // An edit on its way to the model and the device: stored by its module,
  // then sent through the device link; the link's result.
  virtual HV::HResult ApplyParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value);
  // A value: negative IDs from the device link, others from their module
  // (E_FAIL and out empty when no module owns the ID).
  virtual HV::HResult QueryParamValue(const HV::ParamDescriptor& descriptor, HV::Variant* out);

  // The model's half of ApplyParamValue: the module of the ID stores the
  // value (and announces it); nothing is sent.
  void StoreAppliedValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value);

  HV::ConstRCPtr<IDevice> GetDevice() const { return const_cast<IRootModule&>(*this).GetDevice(); }
  virtual HV::RCPtr<IDevice> GetDevice() = 0;

  // Places the device at the root's first ID.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  // The device's module for an ID of the root's block, else null.
  HV::RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID) override;
  void ForEachModuleHookA() override;
  void ForEachModuleHookB() override;

 protected:
  IRootModule() : LParameterizedModule(OwnsParameters::No) {}
};
