#pragma once

#include "HVFramework/Renderer/RectRegionNodePool.h"
#include "HVFramework/Renderer/RegionRect.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>
#include <vector>

namespace HV {

// LRectRegion: a set of integer rectangles in a singly linked list, the
// framework's update and invalidation region. After AddRect and the set
// operations no two rectangles overlap; AppendRegion alone may leave
// overlaps. The region owns its nodes, which come from the process-wide
// RectRegionNodePool. A region has no lock: one thread at a time.
class LRectRegion {
 public:
  LRectRegion() = default;
  LRectRegion(const LRectRegion& other);
  LRectRegion(LRectRegion&& other) noexcept;
  LRectRegion& operator=(const LRectRegion& other);
  LRectRegion& operator=(LRectRegion&& other) noexcept;
  ~LRectRegion() { Clear(); }

  // Adds r so that the region stays free of overlaps: the parts r covers are
  // removed, then r goes to the head of the list. An empty r changes nothing.
  void AddRect(const RegionRect& r);
  // Removes r. The covered pieces go to the head of output when given, else
  // back to the pool.
  void SubtractRect(const RegionRect& r, LRectRegion* output = nullptr);
  void Subtract(const LRectRegion& other, LRectRegion* output = nullptr);
  // Keeps only what other covers.
  void Intersect(const LRectRegion& other);
  // Copies of other's rectangles at the end of the list, overlaps and all.
  void AppendRegion(const LRectRegion& other);
  void Offset(int32_t dx, int32_t dy);
  // Sorts by top, cuts into bands of equal top and bottom, merges touching
  // rectangles within a band and joins equal rectangles of adjacent bands.
  void Normalize();
  void Clear();

  // The union's bounds; false and all zero for an empty region.
  bool GetBounds(RegionRect& out) const;
  int32_t GetCount() const;
  bool IsEmpty() const { return mHead == nullptr; }
  // Every rectangle as (x, y, width, height), in list order (the vector is emptied first).
  void ToRectArray(std::vector<RectT<int32_t>>& out) const;
  // The rectangles in list order.
  std::vector<RegionRect> GetRects() const;

  bool IntersectsRect(const RegionRect& r) const;
  // rect moved by origin, its edges clamped to 0 .. 2147483647 and rounded
  // half away from zero; a width or height of (nearly) nothing never intersects.
  bool IntersectsBounds(const RectT<double>& rect, const PointT<double>& origin) const;

 private:
  static RectRegionNode* NewNode(const RegionRect& r);
  static const RegionRect& Edges(const RectRegionNode& n) { return n; }
  void PushFront(RectRegionNode* node);
  void CopyFrom(const LRectRegion& other);

  void SortByTop();
  void CutIntoBands();
  void MergeWithinBands();
  void JoinBands();

  RectRegionNode* mHead = nullptr;
};

}  // namespace HV
