#pragma once

// The interfaces of the module tree: the base module, the element and group
// interfaces and the device. The model classes and the editor's panels both
// implement them.
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceParamSender.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/PedalsInterface.h"
