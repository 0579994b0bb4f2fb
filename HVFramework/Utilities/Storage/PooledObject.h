#pragma once

#include "HVFramework/Utilities/Storage/ReuseAllocator.h"

namespace HV {

// PooledObject<T, N, ThreadSafe>: a base that makes T allocate through its
// process-wide ReuseAllocator<T, N>. Derive T from it; objects of classes
// derived from T have another size and go to the heap through the same calls.
template <class T, uint32_t N, bool ThreadSafe>
class PooledObject {
 public:
  // Kept out of line: g++ otherwise sees the pool's header offset and takes the
  // matching delete for a free of a pointer into a heap block.
  [[gnu::noinline]] static void* operator new(size_t size) { return GetPool().Allocate(size); }
  static void operator delete(void* pointer) { GetPool().Free(pointer); }

  static ReuseAllocator<T, N>& GetPool() { return ReuseAllocator<T, N>::template GetProcessPool<ThreadSafe>(); }
};

}  // namespace HV
