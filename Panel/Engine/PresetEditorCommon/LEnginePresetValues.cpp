#include "Panel/Engine/PresetEditorCommon/LEnginePresetValues.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"

namespace HV {

Variant LEnginePresetValues::GetPresetValue(int32_t relativeParamID) {
  Variant value;
  mEngine->GetParamValue(ParamDescriptor(OffsetParamID(mEngine->GetFirstParamID(), relativeParamID)), &value);
  return value;
}

HResult LEnginePresetValues::SetPresetValue(int32_t relativeParamID, const Variant& value) {
  return mEngine->SetParamValue(ParamDescriptor(OffsetParamID(mEngine->GetFirstParamID(), relativeParamID)),
                                value);
}

}  // namespace HV
