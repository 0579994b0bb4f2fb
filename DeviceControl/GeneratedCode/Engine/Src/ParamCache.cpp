#include "DeviceControl/GeneratedCode/Engine/Src/ParamCache.h"

#include "DeviceControl/GeneratedCode/Engine/Src/SubKeyedValues.h"

HV::RCPtr<LParamCache> LParamCache::Create(uint32_t count) {
  return HV::RCPtr<LParamCache>(new LParamCache(count));
}

HV::Variant* LParamCache::FindSlot(const HV::ParamDescriptor& descriptor) {
  const auto index = static_cast<uint32_t>(descriptor.paramID);
  return index < mValues.size() ? &mValues[index] : nullptr;
}

int32_t LParamCache::SetValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value, bool notify) {
  HV::Variant* slot = FindSlot(descriptor);
  if (!slot) return -1;
  if (descriptor.descriptor.IsEmpty()) {
    if (*slot == value) return 1;
    *slot = value;
  } else {
    HV::ParamValues list;
    const int32_t result = SubKeyedValues::Store(*slot, descriptor, value, list);
    if (result != 0) return result < 0 ? -1 : result;
    *slot = list;
  }
  if (notify) OnValueChanged(static_cast<uint32_t>(descriptor.paramID), *slot);
  return 0;
}

int32_t LParamCache::GetValue(const HV::ParamDescriptor& descriptor, HV::Variant* out) {
  out->Clear();
  HV::Variant* slot = FindSlot(descriptor);
  if (!slot) return -1;
  if (descriptor.descriptor.IsEmpty()) {
    *out = *slot;
    return 0;
  }
  return SubKeyedValues::Find(*slot, descriptor, *out);
}

void LParamCache::Enable(bool) {}

HV::HResult LParamCache::OnValueChanged(uint32_t, const HV::Variant&) { return HV::E_NOTIMPL; }
