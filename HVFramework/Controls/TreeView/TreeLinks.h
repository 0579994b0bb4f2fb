#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace HV::TreeLinks {

// The parent links of a tree kept as a flat list of records in depth-first
// order: each record's ParentIndex names the record of its parent (-1 at the
// top level). Records is a vector-like sequence of records with an int32_t
// ParentIndex (and, for ShouldHide, a bool IsChecked meaning "expanded").
// A parent chain longer than the list (a loop) is cut at that length.

template <class Records>
bool IsIndex(const Records& records, int32_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < records.size();
}

// -1 for an index outside the records.
template <class Records>
int32_t ParentOf(const Records& records, int32_t index) {
  return IsIndex(records, index) ? records[static_cast<std::size_t>(index)].ParentIndex : -1;
}

// The number of ancestors; 0 at the top level and outside the records.
template <class Records>
int32_t Depth(const Records& records, int32_t index) {
  int32_t depth = 0;
  for (int32_t at = ParentOf(records, index); IsIndex(records, at) && static_cast<std::size_t>(depth) < records.size();
       at = ParentOf(records, at))
    ++depth;
  return depth;
}

// Whether ancestor lies on the parent chain of index.
template <class Records>
bool IsAncestorOf(const Records& records, int32_t ancestor, int32_t index) {
  if (!IsIndex(records, ancestor) || !IsIndex(records, index)) return false;
  std::size_t steps = 0;
  for (int32_t at = ParentOf(records, index); IsIndex(records, at) && steps < records.size();
       at = ParentOf(records, at), ++steps)
    if (at == ancestor) return true;
  return false;
}

// The records right after index that lie deeper than it: its subtree in
// depth-first order.
template <class Records>
int32_t DescendantCount(const Records& records, int32_t index) {
  if (!IsIndex(records, index)) return 0;
  const int32_t depth = Depth(records, index);
  int32_t count = 0;
  for (std::size_t at = static_cast<std::size_t>(index) + 1; at < records.size(); ++at, ++count)
    if (Depth(records, static_cast<int32_t>(at)) <= depth) break;
  return count;
}

// Whether an ancestor of index is collapsed, so that index takes no row.
template <class Records>
bool ShouldHide(const Records& records, int32_t index) {
  std::size_t steps = 0;
  for (int32_t at = ParentOf(records, index); IsIndex(records, at) && steps < records.size();
       at = ParentOf(records, at), ++steps)
    if (!records[static_cast<std::size_t>(at)].IsChecked) return true;
  return false;
}

// Swaps two whole records and points every link that named one of the two
// places at the other, so each record keeps its parent and its children.
template <class Records>
void SwapRecords(Records& records, int32_t a, int32_t b) {
  if (!IsIndex(records, a) || !IsIndex(records, b) || a == b) return;
  std::swap(records[static_cast<std::size_t>(a)], records[static_cast<std::size_t>(b)]);
  for (auto& record : records) {
    if (record.ParentIndex == a)
      record.ParentIndex = b;
    else if (record.ParentIndex == b)
      record.ParentIndex = a;
  }
}

// The places of index and of every record below it, highest first: erasing
// them in this order never leaves a record whose parent is gone.
template <class Records>
std::vector<int32_t> SubtreeHighestFirst(const Records& records, int32_t index) {
  std::vector<int32_t> places;
  if (!IsIndex(records, index)) return places;
  for (int32_t at = static_cast<int32_t>(records.size()) - 1; at > index; --at)
    if (IsAncestorOf(records, index, at)) places.push_back(at);
  places.push_back(index);
  return places;
}

// Links after the record at index left the list: every place above it moved
// down by one. A link to the erased record itself becomes -1 (top level).
template <class Records>
void RenumberAfterErase(Records& records, int32_t index) {
  for (auto& record : records) {
    if (record.ParentIndex == index)
      record.ParentIndex = -1;
    else if (record.ParentIndex > index)
      --record.ParentIndex;
  }
}

// Links after a new record came in at index: every place from it on moved up.
template <class Records>
void RenumberAfterInsert(Records& records, int32_t index) {
  for (std::size_t at = 0; at < records.size(); ++at)
    if (static_cast<int32_t>(at) != index && records[at].ParentIndex >= index) ++records[at].ParentIndex;
}

}  // namespace HV::TreeLinks
