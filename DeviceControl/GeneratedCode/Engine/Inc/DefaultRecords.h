#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"

#include <cstdint>
#include <vector>

// Default parameter records of every element kind, computed from the
// element's index in its group (never read from a file).

// The default record of element `index` of the kind, of the kind's record
// length; empty for an index outside the kind's count.
std::vector<uint8_t> MakeDefaultRecord(ElementKind kind, int32_t index);

// The 131 default records joined in ID order (the preset data of a dump).
std::vector<uint8_t> MakeDefaultPresetData();
