#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "Panel/Engine/PresetEditorCommon/IPresetValues.h"

namespace HV {

// LEnginePresetValues: the preset values as the engine holds them, from its
// first parameter ID. A value set here goes through the engine, so the
// cache follows and the user interface is told.
class LEnginePresetValues : public IPresetValues {
 public:
  explicit LEnginePresetValues(const RCPtr<LRootModuleEngine>& engine) : mEngine(engine) {}

  Variant GetPresetValue(int32_t relativeParamID) override;
  HResult SetPresetValue(int32_t relativeParamID, const Variant& value) override;

 private:
  const RCPtr<LRootModuleEngine> mEngine;
};

}  // namespace HV
