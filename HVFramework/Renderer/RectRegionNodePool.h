#pragma once

#include "HVFramework/Renderer/RegionRect.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace HV {

// One rectangle of a region and the next node of its list.
struct RectRegionNode : RegionRect {
  RectRegionNode* next = nullptr;
};

// RectRegionNodePool: the process-wide store of region nodes, so that
// invalidating while drawing does not go to the heap for every rectangle.
// 512 slots handed out through a ring of free slot indices (constant time);
// when all are in use a node comes from the heap and goes back there. Every
// thread may take and give back nodes; one lock guards the pool and is held
// only inside Acquire and Release.
class RectRegionNodePool {
 public:
  static constexpr int32_t kSlotCount = 512;

  static RectRegionNodePool& Instance();

  // A node with all coordinates 0 and no successor.
  RectRegionNode* Acquire();
  void Release(RectRegionNode* node);

  int32_t GetLiveCount();
  int32_t GetPeakCount();
  int32_t GetFreeSlotCount();

 private:
  struct Slot {
    RectRegionNode node;
    int32_t freeIndex = 0;  // ring entry stored at this position
  };

  RectRegionNodePool() = default;
  bool IsSlotNode(const RectRegionNode* node, int32_t& index) const;

  std::mutex mLock;
  std::unique_ptr<Slot[]> mSlots;  // made on the first request
  int32_t mFreeCount = 0;
  int32_t mHead = 0;
  int32_t mLiveCount = 0;
  int32_t mPeakCount = 0;
};

}  // namespace HV
