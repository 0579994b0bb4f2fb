#pragma once

#include "HVFramework/Utilities/Storage/Allocator.h"
#include "HVFramework/Utilities/Storage/OptionalLockGuard.h"
#include "HVFramework/Utilities/Storage/ArrayBuffer.h"

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>

namespace HV {

// ReuseAllocator<T, N>: a pool of blocks the size of one T. Freed blocks are
// kept and handed out again, the most recently freed first, so objects made
// at a high rate cost no heap call once the pool has grown. The pool never
// shrinks while it lives. Sizes other than sizeof(T) (classes derived from
// T) go to the system allocator, outside the pool.
//
// Every block, pooled or not, starts with a header of alignof(max_align_t)
// bytes, so the object stays aligned and Free can always read the header
// that names the block. Built thread-safe, it may be used from any thread;
// otherwise from one thread only.
template <class T, uint32_t N>
class ReuseAllocator {
  static_assert(alignof(T) <= alignof(std::max_align_t), "pooled objects use the default alignment");

 public:
  explicit ReuseAllocator(bool threadSafe) {
    if (threadSafe) mLock = std::make_unique<std::recursive_mutex>();
    // Take the lists' first blocks now rather than on the first allocation.
    mBlocks.SetCount(1);
    mBlocks.SetCount(0);
    mFree.SetCount(1);
    mFree.SetCount(0);
  }
  ReuseAllocator(const ReuseAllocator&) = delete;
  ReuseAllocator& operator=(const ReuseAllocator&) = delete;

  virtual ~ReuseAllocator() {
    for (uint32_t i = mBlocks.GetCount(); i-- > 0;) ::operator delete(*mBlocks.GetItemPtr(i));
  }

  // The pool of this class for the whole process: made on first use and never
  // destroyed, so objects released late during exit still find it.
  template <bool ThreadSafe>
  static ReuseAllocator& GetProcessPool() {
    static ReuseAllocator* const pool = new ReuseAllocator(ThreadSafe);
    return *pool;
  }

  void* Allocate(size_t size) {
    if (size != sizeof(T)) return AllocateOutside(size);
    OptionalLockGuard<std::recursive_mutex> guard(mLock.get());
    uint32_t index = 0;
    if (mFree.GetCount() != 0) {
      mFree.RemoveLastItem(index);
    } else {
      index = mBlocks.GetCount();
      mBlocks.AddItem(nullptr);  // the list grows first: a failure here has taken nothing
      void* block;
      try {
        block = ::operator new(kHeaderSize + sizeof(T));
      } catch (...) {
        mBlocks.SetCount(index);
        throw;
      }
      *mBlocks.GetItemPtr(index) = new (block) Header{index, kPooled};
    }
    return StorageOf(*mBlocks.GetItemPtr(index));
  }

  void Free(void* pointer) {
    if (!pointer) return;
    Header* header = HeaderOf(pointer);
    {
      OptionalLockGuard<std::recursive_mutex> guard(mLock.get());
      const uint32_t index = header->index;
      if (header->mark == kPooled && index < mBlocks.GetCount() && *mBlocks.GetItemPtr(index) == header) {
        mFree.AddItem(index);
        return;
      }
    }
    GetSystemAllocator()->Free(header);
  }

  // Blocks taken from the heap so far, free or in use.
  uint32_t GetBlockCount() const {
    OptionalLockGuard<std::recursive_mutex> guard(mLock.get());
    return mBlocks.GetCount();
  }

 private:
  struct Header {
    uint32_t index;  // position in the block list; unused outside the pool
    uint32_t mark;
  };
  static constexpr size_t kHeaderSize = alignof(std::max_align_t);
  static_assert(sizeof(Header) <= kHeaderSize);
  static constexpr uint32_t kPooled = 0x504F4F4C;   // "POOL"
  static constexpr uint32_t kOutside = 0x4D414C4C;  // "MALL"

  static void* StorageOf(Header* header) { return reinterpret_cast<char*>(header) + kHeaderSize; }
  static Header* HeaderOf(void* storage) {
    return reinterpret_cast<Header*>(static_cast<char*>(storage) - kHeaderSize);
  }

  static void* AllocateOutside(size_t size) {
    if (size > SIZE_MAX - kHeaderSize) throw std::bad_alloc();
    void* block = GetSystemAllocator()->Allocate(kHeaderSize + size);
    if (!block) throw std::bad_alloc();
    return StorageOf(new (block) Header{0, kOutside});
  }

  ArrayBuffer<Header*, N, 1600> mBlocks;
  ArrayBuffer<uint32_t, N, 1600> mFree;  // a stack of indices into mBlocks
  std::unique_ptr<std::recursive_mutex> mLock;  // only when built thread-safe
};

}  // namespace HV
