#pragma once

#include "HVFramework/ObjectBase/RCPtr.h"

#include <cstdint>

namespace HV {

template <class T, class KeyT, class ID, auto GetID, uint32_t Bits, auto GetBits>
class PurgableObjectCache;

// PurgableCacheEntry<T, ID>: one slot of a PurgableObjectCache: the ID it is
// given out for, the cached object (or null) and its access record.
template <class T, class ID>
class PurgableCacheEntry {
 public:
  virtual ~PurgableCacheEntry() = default;

  // True when the slot holds no object.
  virtual bool IsFree() const { return !mObject; }

  const ID& GetID() const { return mID; }
  const RCPtr<T>& GetObject() const { return mObject; }
  // The cache's clock at the latest access.
  uint32_t GetLastUse() const { return mLastUse; }
  // Accesses since the entry was last cleared, saturating.
  uint32_t GetUses() const { return mUses; }

 private:
  template <class, class, class, auto, uint32_t, auto>
  friend class PurgableObjectCache;

  void Clear() {
    mObject = nullptr;
    mUses = 0;
    mLastUse = 0;
  }

  ID mID{};
  RCPtr<T> mObject;
  uint32_t mLastUse = 0;
  uint32_t mUses = 0;
};

}  // namespace HV
