#pragma once

#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Utilities/Storage/Variant.h"

#include <cstdint>
#include <span>

// Element parameter records: the bytes of a tag-14 Variant. The model stores
// and returns them unchanged; these helpers are its only way in and out.

// A byte-array value holding a copy of the record.
HV::Variant MakeRecordValue(std::span<const uint8_t> record);

// The bytes of a value; empty for a value that holds none.
std::span<const uint8_t> GetRecordBytes(const HV::Variant& value);
