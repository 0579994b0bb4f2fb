#include "HVFramework/Utilities/Storage/Allocator.h"

#include <cstdlib>
#include <new>

namespace HV {

void* SystemAllocator::Allocate(size_t bytes) { return std::malloc(bytes); }

void* SystemAllocator::AllocateZeroed(size_t count, size_t elementSize) {
  return std::calloc(count, elementSize);
}

void* SystemAllocator::Reallocate(void* block, size_t bytes) { return std::realloc(block, bytes); }

void SystemAllocator::Free(void* block) { std::free(block); }

IAllocator* GetSystemAllocator() {
  static SystemAllocator* const allocator = new SystemAllocator();
  return allocator;
}

}  // namespace HV
