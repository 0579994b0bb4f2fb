#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelClassInfo.h"

#include <vector>

// LModelElementGroupT: the model class of a group of like elements. It
// creates its kCount elements, returns them by index and checks its place in
// the layout after its children have been placed. `Derived` is the named
// class (LEncoders...), `LElement` the named element class (LEncoder...).
template <class Derived, class IGroup, class LElement>
class LModelElementGroupT : public IGroup {
  using Base = IGroup;
  using Element = typename IGroup::Element;

 public:
  // A new unplaced group with its first counted reference and its children.
  static HV::RCPtr<Derived> Create() {
    HV::RCPtr<Derived> group(new Derived());
    group->CreateChildren();
    return group;
  }

  using Base::GetElement;
  HV::RCPtr<Element> GetElement(int32_t index) override {
    if (index < 0 || index >= static_cast<int32_t>(mChildren.size())) return nullptr;
    return mChildren[static_cast<size_t>(index)];
  }

  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override {
    Base::SetFirstParamID(parent, firstParamID, index);
    if (!IsPlacedInBlock(*this, GetDeviceGroupLayout(Base::kGroup).firstOffset, 1)) {
      ThrowInvalidFirstParamID(GetGroupClassInfo(Base::kGroup));
    }
  }

  // Makes a new element for every index, 0 upward, releasing earlier ones.
  virtual void CreateChildren() {
    mChildren.resize(static_cast<size_t>(Base::kCount));
    for (HV::RCPtr<LElement>& child : mChildren) child = LElement::Create();
  }

 protected:
  LModelElementGroupT() = default;

 private:
  std::vector<HV::RCPtr<LElement>> mChildren;
};
