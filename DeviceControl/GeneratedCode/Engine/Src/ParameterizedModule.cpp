#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"

#include "HVFramework/ObjectBase/Exception.h"

namespace {

// Where the base class reports a module without own parameters, as the
// generated code always has.
constexpr const char* kInterfaceSource = "..\\devicecontrol\\generatedcode\\engine\\inc\\RootModuleInterface";
constexpr int kSetParamValueLocalLine = 102;
constexpr int kGetParamValueLocalLine = 116;

}  // namespace

void LParameterizedModule::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID,
                                           int32_t index) {
  mParent = parent;
  mFirstParamID = firstParamID;
  mIndex = index;
}

HV::ConstRCPtr<LParameterizedModule> LParameterizedModule::GetModule(int32_t paramID) const {
  return const_cast<LParameterizedModule*>(this)->GetModuleForParamID(paramID);
}

HV::RCPtr<LParameterizedModule> LParameterizedModule::GetModuleForParamID(int32_t) {
  return HV::RCPtr<LParameterizedModule>(this);
}

HV::HResult LParameterizedModule::SetParamValueLocal(const HV::ParamDescriptor& descriptor,
                                                     const HV::Variant& value, bool) {
  if (!HasOwnParameters()) {
    HV::Throw<std::logic_error>(HV::SourceLocation{"LParameterizedModule::SetParamValueLocal",
                                                   kInterfaceSource, kSetParamValueLocalLine});
  }
  const HV::RCPtr<LParameterizedModule> parent = GetParent();
  return parent ? parent->SetParamValue(descriptor, value) : -1;
}

HV::Variant LParameterizedModule::GetParamValueLocal(const HV::ParamDescriptor& descriptor) {
  if (!HasOwnParameters()) {
    HV::Throw<std::logic_error>(HV::SourceLocation{"LParameterizedModule::GetParamValueLocal",
                                                   kInterfaceSource, kGetParamValueLocalLine});
  }
  const HV::RCPtr<LParameterizedModule> parent = GetParent();
  return parent ? parent->GetParamValue(descriptor) : HV::Variant();
}

HV::HResult LParameterizedModule::SetParamValue(const HV::ParamDescriptor& descriptor,
                                                const HV::Variant& value) {
  const HV::RCPtr<LParameterizedModule> parent = GetParent();
  return parent ? parent->SetParamValue(descriptor, value) : -1;
}

HV::Variant LParameterizedModule::GetParamValue(const HV::ParamDescriptor& descriptor) {
  const HV::RCPtr<LParameterizedModule> parent = GetParent();
  return parent ? parent->GetParamValue(descriptor) : HV::Variant();
}

HV::Variant LParameterizedModule::GetParamValueDefault(int32_t) { return HV::Variant(); }

void LParameterizedModule::ForEachModuleHookA() {}
void LParameterizedModule::ForEachModuleHookB() {}

int32_t LParameterizedModule::ReservedQuery(int32_t) { return 1; }

void LParameterizedModule::ReservedNotify(int32_t a, int32_t b, int32_t c, int32_t d) {
  if (mParent) mParent->ReservedNotifyParent(a, b, c, d);
}

void LParameterizedModule::ReservedNotifyParent(int32_t a, int32_t b, int32_t c, int32_t d) {
  if (mParent) mParent->ReservedNotifyParent(a, b, c, d);
}

HV::HResult LParameterizedModule::SetRootParamValue(const HV::ParamDescriptor& descriptor,
                                                    const HV::Variant& value) {
  const HV::RCPtr<LParameterizedModule> parent = GetParent();
  return parent ? parent->SetRootParamValue(descriptor, value) : HV::E_FAIL;
}

HV::Variant LParameterizedModule::GetRootParamValue(const HV::ParamDescriptor& descriptor) {
  const HV::RCPtr<LParameterizedModule> parent = GetParent();
  return parent ? parent->GetRootParamValue(descriptor) : HV::Variant();
}

HV::RCPtr<LParameterizedModule> LParameterizedModule::GetRoot() const {
  const LParameterizedModule* top = this;
  while (top->mParent) top = top->mParent;
  return HV::RCPtr<LParameterizedModule>(const_cast<LParameterizedModule*>(top));
}
