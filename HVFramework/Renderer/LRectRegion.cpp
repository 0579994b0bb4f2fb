#include "HVFramework/Renderer/LRectRegion.h"

#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace HV {
namespace {

RectRegionNodePool& Pool() { return RectRegionNodePool::Instance(); }

}  // namespace

LRectRegion::LRectRegion(const LRectRegion& other) { CopyFrom(other); }

LRectRegion::LRectRegion(LRectRegion&& other) noexcept : mHead(std::exchange(other.mHead, nullptr)) {}

LRectRegion& LRectRegion::operator=(const LRectRegion& other) {
  if (this != &other) {
    Clear();
    CopyFrom(other);
  }
  return *this;
}

LRectRegion& LRectRegion::operator=(LRectRegion&& other) noexcept {
  if (this != &other) {
    Clear();
    mHead = std::exchange(other.mHead, nullptr);
  }
  return *this;
}

RectRegionNode* LRectRegion::NewNode(const RegionRect& r) {
  RectRegionNode* node = Pool().Acquire();
  static_cast<RegionRect&>(*node) = r;
  return node;
}

void LRectRegion::PushFront(RectRegionNode* node) {
  node->next = mHead;
  mHead = node;
}

void LRectRegion::CopyFrom(const LRectRegion& other) { AppendRegion(other); }

void LRectRegion::Clear() {
  while (mHead) Pool().Release(std::exchange(mHead, mHead->next));
}

void LRectRegion::AddRect(const RegionRect& r) {
  if (r.IsEmpty()) return;
  SubtractRect(r);
  PushFront(NewNode(r));
}

void LRectRegion::SubtractRect(const RegionRect& r, LRectRegion* output) {
  if (r.IsEmpty()) return;
  RectRegionNode** link = &mHead;  // the link that holds the node being looked at
  while (RectRegionNode* n = *link) {
    if (!r.Overlaps(Edges(*n))) {
      link = &n->next;
      continue;
    }
    // Unlink n first; the pieces outside r then go to the head. When n was
    // the head, the walk goes on from behind the first piece put there.
    *link = n->next;
    RectRegionNode* firstPiece = nullptr;
    auto putPiece = [&](const RegionRect& piece) {
      RectRegionNode* node = NewNode(piece);
      PushFront(node);
      if (!firstPiece) firstPiece = node;
    };
    if (n->top < r.top) {
      putPiece({n->left, n->top, n->right, r.top});
      n->top = r.top;
    }
    if (r.bottom < n->bottom) {
      putPiece({n->left, r.bottom, n->right, n->bottom});
      n->bottom = r.bottom;
    }
    if (n->left < r.left) {
      putPiece({n->left, n->top, r.left, n->bottom});
      n->left = r.left;
    }
    if (r.right < n->right) {
      putPiece({r.right, n->top, n->right, n->bottom});
      n->right = r.right;
    }
    if (link == &mHead && firstPiece) link = &firstPiece->next;
    if (output) {
      output->PushFront(n);
    } else {
      Pool().Release(n);
    }
  }
}

void LRectRegion::Subtract(const LRectRegion& other, LRectRegion* output) {
  if (&other == this) {
    const LRectRegion copy(other);
    Subtract(copy, output);
    return;
  }
  for (const RectRegionNode* n = other.mHead; n; n = n->next) SubtractRect(Edges(*n), output);
}

void LRectRegion::Intersect(const LRectRegion& other) {
  if (&other == this) return;
  LRectRegion covered;
  Subtract(other, &covered);
  *this = std::move(covered);
}

void LRectRegion::AppendRegion(const LRectRegion& other) {
  RectRegionNode** tail = &mHead;
  while (*tail) tail = &(*tail)->next;
  // Copy the other list first: other may be this region.
  RectRegionNode* copies = nullptr;
  RectRegionNode** copyTail = &copies;
  for (const RectRegionNode* n = other.mHead; n; n = n->next) {
    *copyTail = NewNode(Edges(*n));
    copyTail = &(*copyTail)->next;
  }
  *tail = copies;
}

void LRectRegion::Offset(int32_t dx, int32_t dy) {
  for (RectRegionNode* n = mHead; n; n = n->next) {
    n->left += dx;
    n->right += dx;
    n->top += dy;
    n->bottom += dy;
  }
}

bool LRectRegion::GetBounds(RegionRect& out) const {
  out = {};
  if (!mHead) return false;
  out = Edges(*mHead);
  for (const RectRegionNode* n = mHead->next; n; n = n->next) {
    out.left = std::min(out.left, n->left);
    out.top = std::min(out.top, n->top);
    out.right = std::max(out.right, n->right);
    out.bottom = std::max(out.bottom, n->bottom);
  }
  return true;
}

int32_t LRectRegion::GetCount() const {
  int32_t count = 0;
  for (const RectRegionNode* n = mHead; n; n = n->next) ++count;
  return count;
}

void LRectRegion::ToRectArray(std::vector<RectT<int32_t>>& out) const {
  out.clear();
  for (const RectRegionNode* n = mHead; n; n = n->next)
    out.push_back({n->left, n->top, n->right - n->left, n->bottom - n->top});
}

std::vector<RegionRect> LRectRegion::GetRects() const {
  std::vector<RegionRect> rects;
  for (const RectRegionNode* n = mHead; n; n = n->next) rects.push_back(Edges(*n));
  return rects;
}

bool LRectRegion::IntersectsRect(const RegionRect& r) const {
  for (const RectRegionNode* n = mHead; n; n = n->next)
    if (r.Overlaps(Edges(*n))) return true;
  return false;
}

bool LRectRegion::IntersectsBounds(const RectT<double>& rect, const PointT<double>& origin) const {
  constexpr double kTiny = 2.220446049250313e-16;  // 2^-52
  constexpr double kMax = 2147483647.0;
  struct Span {
    double low, high;
  };
  auto clampSpan = [&](double start, double size) {
    const double high = std::min(start + size, kMax);
    return Span{std::max(start, 0.0), high};
  };
  const Span xs = clampSpan(rect.x + origin.x, rect.width);
  if (!(xs.high - xs.low > kTiny)) return false;
  const Span ys = clampSpan(rect.y + origin.y, rect.height);
  if (!(ys.high - ys.low > kTiny)) return false;
  return IntersectsRect(
      {RoundToInt32(xs.low), RoundToInt32(ys.low), RoundToInt32(xs.high), RoundToInt32(ys.high)});
}

void LRectRegion::Normalize() {
  SortByTop();
  CutIntoBands();
  MergeWithinBands();
  JoinBands();
}

// Bubble passes that swap adjacent nodes' rectangles; equal tops keep their order.
void LRectRegion::SortByTop() {
  bool swapped = true;
  while (swapped) {
    swapped = false;
    for (RectRegionNode* n = mHead; n && n->next; n = n->next) {
      RectRegionNode* m = n->next;
      if (m->top < n->top) {
        std::swap(static_cast<RegionRect&>(*n), static_cast<RegionRect&>(*m));
        swapped = true;
      }
    }
  }
}

// Afterwards all rectangles with one top share one bottom. The lower parts
// cut off go behind the last node whose top is above the cut, so the list
// stays sorted by top.
void LRectRegion::CutIntoBands() {
  RectRegionNode* start = mHead;
  while (start) {
    const int32_t top = start->top;
    int32_t cut = start->bottom;
    RectRegionNode* afterBand = start;
    while (afterBand && afterBand->top == top) {
      cut = std::min(cut, afterBand->bottom);
      afterBand = afterBand->next;
    }
    if (afterBand && afterBand->top < cut) cut = afterBand->top;

    for (RectRegionNode* n = start; n && n->top == top; n = n->next) {
      if (n->bottom <= cut) continue;
      RectRegionNode* lower = NewNode({n->left, cut, n->right, n->bottom});
      n->bottom = cut;
      RectRegionNode* before = n;
      while (before->next && before->next->top < cut) before = before->next;
      lower->next = before->next;
      before->next = lower;
    }
    // The next band starts at the first node whose top is not this one.
    while (start && start->top == top) start = start->next;
  }
}

// Within each run of one top: touching neighbours are joined and neighbours
// out of left order swapped, until a pass changes nothing.
void LRectRegion::MergeWithinBands() {
  for (RectRegionNode* band = mHead; band;) {
    const int32_t top = band->top;
    bool changed = true;
    while (changed) {
      changed = false;
      for (RectRegionNode* n = band; n->next && n->next->top == top;) {
        RectRegionNode* m = n->next;
        if (n->right == m->left) {
          n->right = m->right;
          n->next = m->next;
          Pool().Release(m);
          changed = true;
        } else if (m->left < n->left) {
          std::swap(n->left, m->left);
          std::swap(n->right, m->right);
          changed = true;
        } else {
          n = m;
        }
      }
    }
    while (band && band->top == top) band = band->next;
  }
}

// Walks each pair of consecutive bands in left order; a rectangle of the
// lower band that starts where an equal-width rectangle of the band above
// ends takes it over.
void LRectRegion::JoinBands() {
  std::vector<std::vector<RectRegionNode*>> bands;
  for (RectRegionNode* n = mHead; n; n = n->next) {
    if (bands.empty() || bands.back().front()->top != n->top) bands.emplace_back();
    bands.back().push_back(n);
  }
  std::vector<RectRegionNode*> released;
  for (size_t b = 1; b < bands.size(); ++b) {
    std::vector<RectRegionNode*>& upper = bands[b - 1];
    std::vector<RectRegionNode*>& lower = bands[b];
    size_t u = 0, l = 0;
    while (u < upper.size() && l < lower.size()) {
      RectRegionNode* up = upper[u];
      RectRegionNode* low = lower[l];
      if (!up) {
        ++u;
      } else if (low->top == up->bottom && low->left == up->left && low->right == up->right) {
        low->top = up->top;
        released.push_back(up);
        upper[u] = nullptr;
        ++u;
        ++l;
      } else if (up->left < low->left) {
        ++u;
      } else {
        ++l;
      }
    }
  }
  if (released.empty()) return;
  // Unlink the absorbed nodes, keeping the order of the rest.
  std::sort(released.begin(), released.end(), std::less<>());
  RectRegionNode** link = &mHead;
  while (*link) {
    if (std::binary_search(released.begin(), released.end(), *link, std::less<>())) {
      RectRegionNode* gone = *link;
      *link = gone->next;
      Pool().Release(gone);
    } else {
      link = &(*link)->next;
    }
  }
}

}  // namespace HV
