#pragma once

#include "HVFramework/Utilities/Storage/HashedList.h"
#include "HVFramework/Utilities/Storage/PurgableCacheEntry.h"

#include <memory>

namespace HV {

// PurgableObjectCache: a fixed number of render objects kept by ID, replacing
// the least recently used one when full and releasing on a purge those left
// unused since the previous purge. KeyT is what callers look up with;
// GetID(KeyT) gives its ID. The caller makes the object when the slot it is
// handed is null and stores it there. No lock: one owner thread.
//
// An entry is unused (never given out), in use (ID and object) or free (ID
// but no object: after Release, a purge, or a reset not followed by a new
// object). Free entries keep their ID in the index and are reused first.
template <class T, class KeyT, class ID, auto GetID, uint32_t Bits, auto GetBits>
class PurgableObjectCache {
 public:
  using Entry = PurgableCacheEntry<T, ID>;

  explicit PurgableObjectCache(uint32_t capacity)
      : mCapacity(capacity), mEntries(std::make_unique<Entry[]>(capacity)) {}
  PurgableObjectCache(const PurgableObjectCache&) = delete;
  PurgableObjectCache& operator=(const PurgableObjectCache&) = delete;
  virtual ~PurgableObjectCache() = default;

  static ID GetEntryID(Entry* const& entry) { return entry->mID; }

  // The object slot for key, counted as one access. With reset, a present
  // entry is cleared first so the caller makes the object again.
  RCPtr<T>& GetEntry(const KeyT& key, bool reset) { return GetEntryByID(GetID(key), reset); }

  RCPtr<T>& GetEntryByID(const ID& id, bool reset) {
    Entry* entry = FindMutableEntry(id);
    if (entry && reset) entry->Clear();
    if (!entry) entry = TakeEntryFor(id);
    if (!entry) return Detached();
    if (entry->mUses != UINT32_MAX) ++entry->mUses;
    entry->mLastUse = ++mClock;
    return entry->mObject;
  }

  // 1 when no entry has the ID; otherwise releases its object (the entry
  // stays, free) and answers 0.
  int32_t Release(const ID& id) {
    Entry* entry = FindMutableEntry(id);
    if (!entry) return 1;
    entry->Clear();
    return 0;
  }

  // Clears every entry last used before mark (wrapping clock arithmetic) and
  // answers how many; entries never used count too once mark is above 0.
  int32_t PurgeUnused(uint32_t mark) {
    int32_t cleared = 0;
    for (uint32_t i = 0; i < mCapacity; ++i) {
      Entry& entry = mEntries[i];
      if (static_cast<int32_t>(entry.mLastUse - mark) < 0) {
        entry.Clear();
        ++cleared;
      }
    }
    return cleared;
  }

  // Purges with the previous mark, then marks the current clock: releases
  // every object not used since the previous call.
  int32_t PurgeSinceLastMark() {
    const int32_t cleared = PurgeUnused(mPurgeMark);
    mPurgeMark = mClock;
    return cleared;
  }

  // The entry given out for id, without counting an access.
  const Entry* FindEntry(const ID& id) const { return const_cast<PurgableObjectCache*>(this)->FindMutableEntry(id); }

  uint32_t GetCapacity() const { return mCapacity; }
  uint32_t GetClock() const { return mClock; }
  uint32_t GetPurgeMark() const { return mPurgeMark; }

 private:
  Entry* FindMutableEntry(const ID& id) {
    Entry** found = mIndex.Lookup(id, nullptr);
    return found ? *found : nullptr;
  }

  // An unused entry while there are any, else the first free one, else the
  // oldest (fewest uses, then first, on a tie). Leaves it cleared under id.
  Entry* TakeEntryFor(const ID& id) {
    if (mCapacity == 0) return nullptr;
    Entry* entry;
    if (mIndex.GetCount() < mCapacity) {
      entry = &mEntries[mIndex.GetCount()];
    } else {
      entry = ChooseReplacement();
      mIndex.Remove(entry->mID);
    }
    entry->Clear();
    entry->mID = id;
    mIndex.Add(entry);
    return entry;
  }

  Entry* ChooseReplacement() {
    Entry* chosen = &mEntries[0];
    for (uint32_t i = 0; i < mCapacity; ++i) {
      Entry* entry = &mEntries[i];
      if (entry->IsFree()) return entry;
      const uint32_t age = mClock - entry->mLastUse;
      const uint32_t chosenAge = mClock - chosen->mLastUse;
      if (age > chosenAge || (age == chosenAge && entry->mUses < chosen->mUses)) chosen = entry;
    }
    return chosen;
  }

  // A cache of capacity 0 keeps nothing: the caller gets a slot of its own.
  RCPtr<T>& Detached() {
    mDetached = nullptr;
    return mDetached;
  }

  using Index = HashedList<Entry*, ID, &PurgableObjectCache::GetEntryID, Bits, GetBits>;

  uint32_t mCapacity;
  uint32_t mClock = 0;
  uint32_t mPurgeMark = 0;
  std::unique_ptr<Entry[]> mEntries;
  Index mIndex;
  RCPtr<T> mDetached;
};

}  // namespace HV
