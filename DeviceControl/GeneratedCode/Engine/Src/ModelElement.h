#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelClassInfo.h"

namespace ModelElementDetail {

// Reserved (device-level) parameter IDs: -256 to -129. No element stores them.
constexpr bool IsReservedParamID(int32_t paramID) { return static_cast<uint32_t>(paramID) + 256u <= 127u; }

// Hands a reserved parameter to the device through the top of the element's
// tree; nothing when the top cannot send.
void SendToDevice(const LParameterizedModule& element, const HV::ParamDescriptor& descriptor,
                  const HV::Variant& value);

// The element's default record as a byte-array value; empty for an index
// outside the kind's count.
HV::Variant MakeDefaultValue(ElementKind kind, int32_t index);

}  // namespace ModelElementDetail

// LModelElementT: the model class of an element of any kind. It checks its
// place in the layout, answers only for its own ID, hands its value up to the
// root and builds its default record from its index. `Derived` is the named
// class (LEncoder...), which only picks the kind.
template <class Derived, class IElement>
class LModelElementT : public IElement {
  using Base = IElement;

 public:
  static constexpr ElementKind kKind = IElement::kKind;

  // A new unplaced element with its first counted reference.
  static HV::RCPtr<Derived> Create() { return HV::RCPtr<Derived>(new Derived()); }

  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override {
    Base::SetFirstParamID(parent, firstParamID, index);
    const ElementLayout& layout = GetElementLayout(kKind);
    if (!IsPlacedInBlock(*this, layout.firstOffset, layout.count)) ThrowInvalidFirstParamID(Info());
  }

  // Own ID: stored at the root. Another ID >= 0 or a negative ID outside the
  // reserved range: -1. A reserved ID: sent to the device unless
  // noDeviceSend, never stored; 1.
  HV::HResult SetParamValueLocal(const HV::ParamDescriptor& descriptor, const HV::Variant& value,
                                 bool noDeviceSend) override {
    const int32_t paramID = descriptor.paramID;
    if (paramID >= 0) {
      if (paramID != this->GetFirstParamID()) return -1;
      return Base::SetParamValueLocal(descriptor, value, noDeviceSend);
    }
    if (!ModelElementDetail::IsReservedParamID(paramID)) return -1;
    if (!noDeviceSend) ModelElementDetail::SendToDevice(*this, descriptor, value);

    HV::ParamDescriptor localDescriptor;
    HV::Variant localValue;
    if (MapReservedParam(descriptor, value, localDescriptor, localValue) < 0) return 1;
    if (localDescriptor.paramID != this->GetFirstParamID())
      ThrowModelError(Info(), ModelMethod::SetParamValueLocal);
    return Base::SetParamValueLocal(localDescriptor, localValue, noDeviceSend);
  }

  HV::Variant GetParamValueLocal(const HV::ParamDescriptor& descriptor) override {
    if (descriptor.paramID != this->GetFirstParamID())
      ThrowModelError(Info(), ModelMethod::GetParamValueLocal);
    return Base::GetParamValueLocal(descriptor);
  }

  HV::Variant GetParamValueDefault(int32_t paramID) override {
    if (paramID != this->GetFirstParamID()) ThrowModelError(Info(), ModelMethod::GetParamValueDefault);
    return ModelElementDetail::MakeDefaultValue(kKind, this->GetIndex());
  }

 protected:
  LModelElementT() = default;

  // Maps a reserved parameter onto the element's own; a negative result means
  // it has none (the model's elements never map). Overridable hook.
  virtual HV::HResult MapReservedParam(const HV::ParamDescriptor&, const HV::Variant&,
                                       HV::ParamDescriptor& localDescriptor, HV::Variant& localValue) {
    localDescriptor = HV::ParamDescriptor(OffsetParamID(this->GetFirstParamID(), -1));
    localValue.Clear();
    return -1;
  }

 private:
  static const ModelClassInfo& Info() { return GetElementClassInfo(kKind); }
};
