#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ModelClassInfo.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

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
    if (index < 0 || static_cast<uint32_t>(index) >= mChildren.GetCount()) return nullptr;
    return *mChildren.GetItemPtr(static_cast<uint32_t>(index));
  }

  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override {
    Base::SetFirstParamID(parent, firstParamID, index);
    CheckGroupPlacement(*this, Base::kGroup);
  }

  // Makes a new element for every index, 0 upward, releasing earlier ones.
  virtual void CreateChildren() {
    mChildren.SetCount(static_cast<uint32_t>(Base::kCount));
    for (uint32_t i = 0; i < mChildren.GetCount(); ++i) *mChildren.GetItemPtr(i) = LElement::Create();
  }

 protected:
  LModelElementGroupT() = default;

 private:
  HV::RCPtrArray<LElement> mChildren;
};
