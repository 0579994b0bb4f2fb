#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"

#include <cstdint>
#include <vector>

// LParamCache: the last known value of every parameter of the device model,
// one slot per parameter ID relative to the root's first ID. A store tells
// whether the value really changed, so that callers announce only changes.
//
// A slot holds the parameter's whole value, or, for values stored under a
// descriptor with a sub-key, a ParamValues list of (ID, sub-key, value)
// records ordered by ID, then by sub-key.
//
// No lock of its own: the root module uses it under its mutex.
class LParamCache : public virtual HV::LRefCountedObject {
 public:
  // A cache of count empty slots, with its first counted reference.
  static HV::RCPtr<LParamCache> Create(uint32_t count);

  // 0 stored, 1 unchanged, -1 for an ID outside the slots or a slot whose
  // list cannot be read. A change calls OnValueChanged when notify is set.
  virtual int32_t SetValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value, bool notify);
  // 0 found; 1 no record for the sub-key; -1 for an ID outside the slots;
  // another negative value when the slot's list cannot be read. out is empty
  // unless the result is 0.
  virtual int32_t GetValue(const HV::ParamDescriptor& descriptor, HV::Variant* out);
  // Kept for the root module, which switches the cache on; does nothing.
  virtual void Enable(bool enabled);
  // Told of every change stored with notify; E_NOTIMPL here.
  virtual HV::HResult OnValueChanged(uint32_t index, const HV::Variant& value);

  uint32_t GetCount() const { return static_cast<uint32_t>(mValues.size()); }

 protected:
  explicit LParamCache(uint32_t count) : mValues(count) {}

 private:
  // The slot of descriptor's ID, or null outside the slots.
  HV::Variant* FindSlot(const HV::ParamDescriptor& descriptor);

  std::vector<HV::Variant> mValues;
};
