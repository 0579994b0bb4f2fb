#pragma once

#include "HVFramework/Utilities/Storage/ParamValues.h"

#include <cstdint>

// The sub-keyed slots of the parameter cache: a ParamValues list of (ID,
// sub-key, value) records, ordered by ID, then by sub-key.
namespace SubKeyedValues {

// Orders two sub-keys: by type tag, then by value (integers and floats
// numerically, texts as texts, other data byte by byte). <0, 0 or >0.
int CompareSubKeys(const HV::Variant& a, const HV::Variant& b);

// Builds in out the slot's list with value stored under the descriptor's ID
// and sub-key: 0 when a record was replaced or inserted, 1 when the record
// already holds an equal value, negative when the slot is not a readable
// list (an empty slot is an empty list).
int32_t Store(const HV::Variant& slot, const HV::ParamDescriptor& descriptor, const HV::Variant& value,
              HV::ParamValues& out);

// The value of the record with the descriptor's ID and sub-key: 0 found, 1
// not found, negative when a record before it cannot be read; out is empty
// unless found.
int32_t Find(const HV::Variant& slot, const HV::ParamDescriptor& descriptor, HV::Variant& out);

}  // namespace SubKeyedValues
