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

// True when the value is a record (a byte array) of exactly length bytes.
bool IsRecordOfLength(const HV::Variant& value, int32_t length);

// True when the value may be stored for paramID in a device whose first ID is
// firstParamID: a record of the owning element's length. An ID outside the
// device's block is not a record's and passes (the link answers for it).
bool IsValueForParam(int32_t firstParamID, int32_t paramID, const HV::Variant& value);
