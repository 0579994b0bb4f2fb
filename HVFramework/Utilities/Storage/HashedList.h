#pragma once

#include "HVFramework/ObjectBase/ToString.h"
#include "HVFramework/Utilities/Storage/LPair.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

namespace HV {

// HashedList<T, K, GetKey, Bits, GetBits>: a hash table of 2^Bits buckets,
// each a reference array of key/element pairs. GetKey(element) gives an
// element's key, GetBits(key) its bucket. A key appears at most once: adding
// an element under a present key replaces the stored element. Buckets are
// searched from their newest pair back. No lock: one owner thread.
template <class T, class K, auto GetKey, uint32_t Bits, auto GetBits>
class HashedList {
  static_assert(Bits > 0 && Bits <= 16, "the table holds 2^Bits buckets");

 public:
  // A pair's text: the key's (for the program's key types, the key type's name).
  static StringW KeyToString(const K& key) { return ToString(key); }
  using Pair = LPair<K, T, &HashedList::KeyToString>;
  static constexpr uint32_t kBucketCount = 1u << Bits;

  HashedList() = default;
  HashedList(const HashedList&) = delete;
  HashedList& operator=(const HashedList&) = delete;
  virtual ~HashedList() = default;

  virtual uint32_t GetCount() const { return mCount; }

  virtual void RemoveAll() {
    for (auto& bucket : mBuckets) bucket.SetCount(0);
    mCount = 0;
  }

  // True when a new entry was made; false when an equal key's element was replaced.
  virtual bool Add(const T& element) {
    const K key = GetKey(element);
    auto& bucket = BucketOf(key);
    const int32_t at = FindIn(bucket, key);
    if (at >= 0) {
      (*bucket.GetItemPtr(static_cast<uint32_t>(at)))->SetValue(element);
      return false;
    }
    bucket.AddItem(RCPtr<Pair>(new Pair(key, element)));
    ++mCount;
    return true;
  }

  // The stored element of key, or fallback when there is none.
  virtual T* Lookup(const K& key, T* fallback = nullptr) {
    auto& bucket = BucketOf(key);
    const int32_t at = FindIn(bucket, key);
    return at >= 0 ? &(*bucket.GetItemPtr(static_cast<uint32_t>(at)))->GetValue() : fallback;
  }
  const T* Lookup(const K& key, const T* fallback = nullptr) const {
    return const_cast<HashedList*>(this)->Lookup(key, const_cast<T*>(fallback));
  }

  virtual bool Remove(const K& key) {
    auto& bucket = BucketOf(key);
    const int32_t at = FindIn(bucket, key);
    if (at < 0) return false;
    bucket.RemoveSpace(static_cast<uint32_t>(at), 1);
    --mCount;
    return true;
  }

  // Pairs in one bucket, to see how keys spread.
  uint32_t GetBucketLength(uint32_t bucket) const { return mBuckets[bucket % kBucketCount].GetCount(); }

 private:
  using Bucket = RCPtrArray<Pair, 1, 0>;

  Bucket& BucketOf(const K& key) { return mBuckets[GetBits(key) % kBucketCount]; }

  static int32_t FindIn(const Bucket& bucket, const K& key) {
    for (uint32_t i = bucket.GetCount(); i-- > 0;)
      if ((*bucket.GetItemPtr(i))->GetKey() == key) return static_cast<int32_t>(i);
    return -1;
  }

  uint32_t mCount = 0;
  Bucket mBuckets[kBucketCount];
};

}  // namespace HV
