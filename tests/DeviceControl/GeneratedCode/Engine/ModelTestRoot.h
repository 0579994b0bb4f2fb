#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceParamSender.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"

#include <map>
#include <vector>

// ModelTestRoot: a stand-in for the root module at the top of a model tree.
// It places one child at its own first ID + childOffset, stores the values
// handed up to it by ID, and records what it is asked to send to the device.
class ModelTestRoot final : public LParameterizedModule, public IDeviceParamSender {
 public:
  static HV::RCPtr<ModelTestRoot> Create(HV::RCPtr<LParameterizedModule> child, int32_t childOffset = 0,
                                         int32_t childIndex = 0) {
    HV::RCPtr<ModelTestRoot> root(new ModelTestRoot());
    root->mChild = std::move(child);
    root->mChildOffset = childOffset;
    root->mChildIndex = childIndex;
    return root;
  }

  void Place(int32_t firstParamID) { SetFirstParamID(nullptr, firstParamID, 0); }

  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override {
    LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
    if (mChild) mChild->SetFirstParamID(this, OffsetParamID(firstParamID, mChildOffset), mChildIndex);
  }
  HV::RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID) override {
    return mChild ? mChild->GetModuleForParamID(paramID) : nullptr;
  }

  HV::HResult SetParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) override {
    mValues[descriptor.paramID] = value;
    return kStoredResult;
  }
  HV::Variant GetParamValue(const HV::ParamDescriptor& descriptor) override {
    const auto found = mValues.find(descriptor.paramID);
    return found == mValues.end() ? HV::Variant() : found->second;
  }
  HV::HResult SendParamValueToDevice(const HV::ParamDescriptor& descriptor, const HV::Variant&) override {
    mSent.push_back(descriptor.paramID);
    return 0;
  }
  void ReservedNotifyParent(int32_t a, int32_t, int32_t, int32_t) override { mNotified.push_back(a); }

  // What SetParamValue answers, so a test can tell it from the model's own codes.
  static constexpr HV::HResult kStoredResult = 7;

  std::map<int32_t, HV::Variant> mValues;
  std::vector<int32_t> mSent;
  std::vector<int32_t> mNotified;

 private:
  ModelTestRoot() : LParameterizedModule(OwnsParameters::No) {}

  HV::RCPtr<LParameterizedModule> mChild;
  int32_t mChildOffset = 0;
  int32_t mChildIndex = 0;
};
