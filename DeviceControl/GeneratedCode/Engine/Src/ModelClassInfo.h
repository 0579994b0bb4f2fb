#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"

#include <array>
#include <cstdint>

class LParameterizedModule;

// The name, source and lines under which each model class reports its
// errors. The texts are fixed: they are part of the messages users and
// logs see, whatever file the code lives in now.

enum class ModelMethod : int32_t {
  SetFirstParamID,
  GetParamValueLocal,
  SetParamValueLocal,
  GetParamValueDefault
};

struct ModelClassInfo {
  const char* className;         // "LEncoder"
  const char* sourceName;        // "Encoder", under ..\DeviceControl\GeneratedCode\Engine\Src
  std::array<int32_t, 4> lines;  // by ModelMethod; groups report only SetFirstParamID
};

const ModelClassInfo& GetElementClassInfo(ElementKind kind);
// Group classes; DeviceGroup::PresetName is the element class LPresetName.
const ModelClassInfo& GetGroupClassInfo(DeviceGroup group);
const ModelClassInfo& GetDeviceClassInfo();

// "Logic Error : Class::Method : source : Line n"
[[noreturn]] void ThrowModelError(const ModelClassInfo& info, ModelMethod method);
// "Logic Error : Invalid FirstParamID : Class::SetFirstParamID : source : Line n"
[[noreturn]] void ThrowInvalidFirstParamID(const ModelClassInfo& info);

// Whether the module's first ID lies `offset` to `offset + count - 1` above
// the first ID of the top of its tree.
bool IsPlacedInBlock(const LParameterizedModule& module, int32_t offset, int32_t count);

// Throws the group's Invalid FirstParamID error unless the module sits
// exactly at the group's offset in the layout.
void CheckGroupPlacement(const LParameterizedModule& module, DeviceGroup group);
