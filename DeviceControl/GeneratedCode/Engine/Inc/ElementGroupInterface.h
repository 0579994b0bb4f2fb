#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"

// IElementGroupT: the interface of a group of like elements (encoders, pads,
// wheels...). Child i owns the group's first ID + i and has index i. The
// group distributes IDs, finds the owner of an ID and walks its children
// through GetElement, which each implementation (model or screen) supplies.
template <class IElement, DeviceGroup G>
class IElementGroupT : public LParameterizedModule {
 public:
  using Element = IElement;
  static constexpr DeviceGroup kGroup = G;
  static constexpr int32_t kCount = GetDeviceGroupLayout(G).paramCount;

  // Child `index` counted from 0 in ID order; null outside 0 to kCount - 1.
  virtual HV::RCPtr<IElement> GetElement(int32_t index) = 0;
  HV::ConstRCPtr<IElement> GetElement(int32_t index) const {
    return const_cast<IElementGroupT*>(this)->GetElement(index);
  }

  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override {
    LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
    ForEachElement(
        [&](IElement& child, int32_t i) { child.SetFirstParamID(this, OffsetParamID(firstParamID, i), i); });
  }

  HV::RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID) override {
    const uint32_t relative = RelativeParamID(paramID, GetFirstParamID());
    if (relative >= static_cast<uint32_t>(kCount)) return nullptr;
    const HV::RCPtr<IElement> child = GetElement(static_cast<int32_t>(relative));
    return child ? child->GetModuleForParamID(paramID) : nullptr;
  }

  void ForEachModuleHookA() override {
    ForEachElement([](IElement& child, int32_t) { child.ForEachModuleHookA(); });
  }
  void ForEachModuleHookB() override {
    ForEachElement([](IElement& child, int32_t) { child.ForEachModuleHookB(); });
  }

 protected:
  IElementGroupT() : LParameterizedModule(OwnsParameters::No) {}

 private:
  // Calls visit(child, index) for every present child, in ID order.
  template <class Visit>
  void ForEachElement(Visit visit) {
    for (int32_t i = 0; i < kCount; ++i) {
      if (const HV::RCPtr<IElement> child = GetElement(i)) visit(*child, i);
    }
  }
};

// The group interfaces, each with its accessor named after its elements.
class IKeybedZones : public IElementGroupT<IKeybedZone, DeviceGroup::KeybedZones> {
 public:
  HV::RCPtr<IKeybedZone> GetKeybedZone(int32_t index) { return GetElement(index); }
  HV::ConstRCPtr<IKeybedZone> GetKeybedZone(int32_t index) const { return GetElement(index); }
};

class IWheels : public IElementGroupT<IWheel, DeviceGroup::Wheels> {
 public:
  HV::RCPtr<IWheel> GetWheel(int32_t index) { return GetElement(index); }
  HV::ConstRCPtr<IWheel> GetWheel(int32_t index) const { return GetElement(index); }
};

class IPads : public IElementGroupT<IPad, DeviceGroup::Pads> {
 public:
  HV::RCPtr<IPad> GetPad(int32_t index) { return GetElement(index); }
  HV::ConstRCPtr<IPad> GetPad(int32_t index) const { return GetElement(index); }
};

class IPushButtons : public IElementGroupT<IPushButton, DeviceGroup::PushButtons> {
 public:
  HV::RCPtr<IPushButton> GetPushButton(int32_t index) { return GetElement(index); }
  HV::ConstRCPtr<IPushButton> GetPushButton(int32_t index) const { return GetElement(index); }
};

class IFaders : public IElementGroupT<IFader, DeviceGroup::Faders> {
 public:
  HV::RCPtr<IFader> GetFader(int32_t index) { return GetElement(index); }
  HV::ConstRCPtr<IFader> GetFader(int32_t index) const { return GetElement(index); }
};

class IEncoders : public IElementGroupT<IEncoder, DeviceGroup::Encoders> {
 public:
  HV::RCPtr<IEncoder> GetEncoder(int32_t index) { return GetElement(index); }
  HV::ConstRCPtr<IEncoder> GetEncoder(int32_t index) const { return GetElement(index); }
};

class ITouchPadAxises : public IElementGroupT<ITouchPadAxis, DeviceGroup::TouchPadAxises> {
 public:
  HV::RCPtr<ITouchPadAxis> GetTouchPadAxis(int32_t index) { return GetElement(index); }
  HV::ConstRCPtr<ITouchPadAxis> GetTouchPadAxis(int32_t index) const { return GetElement(index); }
};
