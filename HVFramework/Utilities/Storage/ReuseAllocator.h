#pragma once

#include "HVFramework/ObjectBase/Assert.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/Allocator.h"
#include "HVFramework/Utilities/Storage/ArrayBuffer.h"
#include "HVFramework/Utilities/Storage/OptionalLockGuard.h"

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
// that names the block. A free pooled block's header also links it into the
// free stack, so Free never allocates: it runs inside operator delete, where
// an exception would end the process. Built thread-safe, it may be used from
// any thread; otherwise from one thread only.
//
// ListAllocator gives the memory of the list of blocks (tests pass one that
// fails); the blocks themselves come from operator new.
template <class T, uint32_t N, IAllocator* (*ListAllocator)() = GetSystemAllocator>
class ReuseAllocator {
  static_assert(alignof(T) <= alignof(std::max_align_t), "pooled objects use the default alignment");

 public:
  // The list of blocks grows by this many entries at a time, whatever N: a
  // pool of tens of thousands of objects (one per control of a large skin)
  // would otherwise copy its whole list every N allocations.
  static constexpr uint32_t kListStep = N < 512 ? 512 : N;

  explicit ReuseAllocator(bool threadSafe) {
    if (threadSafe) mLock = std::make_unique<std::recursive_mutex>();
    // Take the list's first block now rather than on the first allocation.
    mBlocks.SetCount(1);
    mBlocks.SetCount(0);
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
    if (Header* reused = mFreeTop) {
      mFreeTop = reused->nextFree;
      reused->mark = kPooled;
      reused->nextFree = nullptr;
      return StorageOf(reused);
    }
    const uint32_t index = mBlocks.GetCount();
    if (Failed(mBlocks.AddItem(nullptr)) || mBlocks.GetCount() != index + 1) throw std::bad_alloc();
    void* block;
    try {
      block = ::operator new(kHeaderSize + sizeof(T));
    } catch (...) {
      mBlocks.SetCount(index);  // the list grew first: a failure here has taken nothing
      throw;
    }
    Header* header = new (block) Header{index, kPooled, nullptr};
    *mBlocks.GetItemPtr(index) = header;
    return StorageOf(header);
  }

  void Free(void* pointer) {
    if (!pointer) return;
    Header* header = HeaderOf(pointer);
    {
      OptionalLockGuard<std::recursive_mutex> guard(mLock.get());
      const uint32_t index = header->index;
      if (header->mark != kOutside && index < mBlocks.GetCount() && *mBlocks.GetItemPtr(index) == header) {
        HV_ASSERT(header->mark == kPooled);  // freed twice: the block would be handed out twice
        if (header->mark != kPooled) return;
        header->mark = kFree;
        header->nextFree = mFreeTop;
        mFreeTop = header;
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
    Header* nextFree;  // the next block of the free stack while this one is free
  };
  static constexpr size_t kHeaderSize = alignof(std::max_align_t);
  static_assert(sizeof(Header) <= kHeaderSize);
  static constexpr uint32_t kPooled = 0x504F4F4C;   // "POOL"
  static constexpr uint32_t kOutside = 0x4D414C4C;  // "MALL"
  static constexpr uint32_t kFree = 0x46524545;     // "FREE": a pooled block on the free stack

  static void* StorageOf(Header* header) { return reinterpret_cast<char*>(header) + kHeaderSize; }
  static Header* HeaderOf(void* storage) {
    return reinterpret_cast<Header*>(static_cast<char*>(storage) - kHeaderSize);
  }

  static void* AllocateOutside(size_t size) {
    if (size > SIZE_MAX - kHeaderSize) throw std::bad_alloc();
    void* block = GetSystemAllocator()->Allocate(kHeaderSize + size);
    if (!block) throw std::bad_alloc();
    return StorageOf(new (block) Header{0, kOutside, nullptr});
  }

  ArrayBuffer<Header*, kListStep, 1600, 1, 8, ListAllocator> mBlocks;
  Header* mFreeTop = nullptr;                   // the most recently freed block
  std::unique_ptr<std::recursive_mutex> mLock;  // only when built thread-safe
};

}  // namespace HV
