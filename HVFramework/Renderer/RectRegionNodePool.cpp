#include "HVFramework/Renderer/RectRegionNodePool.h"

#include <functional>

namespace HV {

RectRegionNodePool& RectRegionNodePool::Instance() {
  // Never destroyed: regions in static objects may give their nodes back during exit.
  static RectRegionNodePool* pool = new RectRegionNodePool;
  return *pool;
}

RectRegionNode* RectRegionNodePool::Acquire() {
  RectRegionNode* node = nullptr;
  {
    std::lock_guard guard(mLock);
    if (!mSlots) {
      mSlots = std::make_unique<Slot[]>(kSlotCount);
      for (int32_t i = 0; i < kSlotCount; ++i) mSlots[i].freeIndex = i;
      mFreeCount = kSlotCount;
      mHead = 0;
    }
    ++mLiveCount;
    if (mLiveCount > mPeakCount) mPeakCount = mLiveCount;
    if (mFreeCount > 0) {
      const int32_t index = mSlots[mHead].freeIndex;
      mHead = (mHead + 1) % kSlotCount;
      --mFreeCount;
      node = &mSlots[index].node;
    }
  }
  if (!node) node = new RectRegionNode;
  *node = RectRegionNode{};
  return node;
}

bool RectRegionNodePool::IsSlotNode(const RectRegionNode* node, int32_t& index) const {
  if (!mSlots) return false;
  const auto address = reinterpret_cast<uintptr_t>(node);
  const auto first = reinterpret_cast<uintptr_t>(&mSlots[0]);
  const auto end = reinterpret_cast<uintptr_t>(&mSlots[0] + kSlotCount);
  if (address < first || address >= end) return false;
  index = static_cast<int32_t>((address - first) / sizeof(Slot));
  return true;
}

void RectRegionNodePool::Release(RectRegionNode* node) {
  if (!node) return;
  bool pooled = false;
  {
    std::lock_guard guard(mLock);
    int32_t index = 0;
    if (mFreeCount < kSlotCount && IsSlotNode(node, index)) {
      mSlots[(mHead + mFreeCount) % kSlotCount].freeIndex = index;
      ++mFreeCount;
      pooled = true;
    }
    --mLiveCount;
  }
  if (!pooled) delete node;
}

int32_t RectRegionNodePool::GetLiveCount() {
  std::lock_guard guard(mLock);
  return mLiveCount;
}

int32_t RectRegionNodePool::GetPeakCount() {
  std::lock_guard guard(mLock);
  return mPeakCount;
}

int32_t RectRegionNodePool::GetFreeSlotCount() {
  std::lock_guard guard(mLock);
  return mFreeCount;
}

}  // namespace HV
