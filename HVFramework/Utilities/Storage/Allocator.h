#pragma once

#include <cstddef>

namespace HV {

// IAllocator: where the containers and strings take their raw memory from.
class IAllocator {
 public:
  virtual ~IAllocator() = default;
  virtual void* Allocate(size_t bytes) = 0;
  virtual void* AllocateZeroed(size_t count, size_t elementSize) = 0;
  // The block with its old contents up to the smaller size; may move.
  virtual void* Reallocate(void* block, size_t bytes) = 0;
  virtual void Free(void* block) = 0;
};

// SystemAllocator: the C run-time heap. Holds no state.
class SystemAllocator final : public IAllocator {
 public:
  void* Allocate(size_t bytes) override;
  void* AllocateZeroed(size_t count, size_t elementSize) override;
  void* Reallocate(void* block, size_t bytes) override;
  void Free(void* block) override;
};

// The process-wide system allocator: made on first use, never destroyed, so
// buffers released during exit still find it.
IAllocator* GetSystemAllocator();

}  // namespace HV
