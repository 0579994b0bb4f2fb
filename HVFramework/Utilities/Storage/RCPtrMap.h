#pragma once

#include "HVFramework/Utilities/Storage/HashedList.h"

#include <cstdint>

namespace HV {

// The pair type and key functions of RCPtrMap<K, V, Bits>.
template <class K, class V, uint32_t Bits = 8>
class RCPtrMapEntry {
 public:
  using Pair = LPair<ConstRCPtr<K>, RCPtr<V>, &ToString<ConstRCPtr<K>>>;

  static uintptr_t GetHandle(const ConstRCPtr<K>& key) {
    return reinterpret_cast<uintptr_t>(static_cast<const LRefCountedObject*>(key.Get()));
  }
  static uintptr_t GetKey(const RCPtr<Pair>& pair) { return GetHandle(pair->GetKey()); }
  static uint32_t GetHandleBits(const uintptr_t& handle) {
    return static_cast<uint32_t>((handle >> 4) & ((uintptr_t{1} << Bits) - 1));
  }
};

// RCPtrMap<K, V, Bits>: a hashed map from a counted key object to a counted
// value, keyed by the key object's identity (its address; the pair holds the
// key, so the address stays unique while the entry lives). No lock.
template <class K, class V, uint32_t Bits = 8>
class RCPtrMap : public HashedList<RCPtr<typename RCPtrMapEntry<K, V, Bits>::Pair>, uintptr_t,
                                   &RCPtrMapEntry<K, V, Bits>::GetKey, Bits,
                                   &RCPtrMapEntry<K, V, Bits>::GetHandleBits> {
  using Entry = RCPtrMapEntry<K, V, Bits>;
  using Base = HashedList<RCPtr<typename Entry::Pair>, uintptr_t, &Entry::GetKey, Bits, &Entry::GetHandleBits>;

 public:
  using MapPair = typename Entry::Pair;
  using Base::Remove;

  // The stored pair of key, or a shared null pointer.
  virtual const RCPtr<MapPair>& FindPair(const ConstRCPtr<K>& key) {
    static const RCPtr<MapPair> kNone;
    const RCPtr<MapPair>* found = this->Lookup(Entry::GetHandle(key), nullptr);
    return found ? *found : kNone;
  }

  virtual bool Remove(const ConstRCPtr<K>& key) { return Base::Remove(Entry::GetHandle(key)); }

  // The value stored for key, or a shared null pointer. Both answers are
  // read-only: Set is the one way to change a value.
  virtual const RCPtr<V>& Get(const ConstRCPtr<K>& key) {
    static const RCPtr<V> kNone;
    const RCPtr<MapPair>& pair = FindPair(key);
    return pair ? pair->GetValue() : kNone;
  }

  // True when the key was new.
  virtual bool Set(const ConstRCPtr<K>& key, const RCPtr<V>& value) {
    return this->Add(RCPtr<MapPair>(new MapPair(key, value)));
  }
};

}  // namespace HV
