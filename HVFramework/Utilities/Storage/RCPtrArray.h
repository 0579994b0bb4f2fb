#pragma once

#include "HVFramework/Utilities/Storage/ConstRCPtrArray.h"

#include <cstddef>

namespace HV {

// RCPtrArray<T, G, S>: the ConstRCPtrArray that owners declare; it shows the
// same slots a second time as RCPtr<T> items, with non-const access. Its own
// interface's names win on an RCPtrArray; the constant view is reached by
// converting to IArray<ConstRCPtr<T>>&. No lock.
template <class T, uint32_t Granularity = 1, uint32_t Slack = 0>
class RCPtrArray : public IArray<RCPtr<T>>, public ConstRCPtrArray<T, Granularity, Slack> {
  using ConstBase = ConstRCPtrArray<T, Granularity, Slack>;
  using Interface = IArray<RCPtr<T>>;

 public:
  using Item = RCPtr<T>;
  using Interface::AddItem;
  using Interface::AddItems;
  using Interface::AdvancePosition;
  using Interface::AppendItems;
  using Interface::AssignItems;
  using Interface::Begin;
  using Interface::begin;
  using Interface::End;
  using Interface::end;
  using Interface::FindItem;
  using Interface::GetAtPosition;
  using Interface::GetBeforeFirstPosition;
  using Interface::GetEndPosition;
  using Interface::GetFirstPosition;
  using Interface::GetItemPtr;
  using Interface::GetLastPosition;
  using Interface::GetMaxCount;
  using Interface::RBegin;
  using Interface::RemoveAll;
  using Interface::REnd;

  explicit RCPtrArray(uint32_t count = 0, uint32_t reserve = 0) : ConstBase(count, reserve) {}

  // These serve both views over the one storage.
  uint32_t GetCount() const override { return ConstBase::GetCount(); }
  Item* GetData() override { return ConstBase::Slots(); }
  const Item* GetData() const { return ConstBase::Slots(); }
  HResult SetCount(uint32_t count) override { return ConstBase::SetCount(count); }
  HResult InsertSpace(uint32_t index, uint32_t count) override {
    return ConstBase::InsertSpace(index, count);
  }
  HResult RemoveSpace(uint32_t index, uint32_t count) override {
    return ConstBase::RemoveSpace(index, count);
  }
  // Through a temporary reference, as any array of values swaps: each move
  // takes and drops a reference, so an unshareable item ends as a copy.
  HResult SwapItems(uint32_t a, uint32_t b) override {
    const uint32_t count = GetCount();
    if (a >= count || b >= count) return E_INVALIDARG;
    Item* slots = ConstBase::Slots();
    Item temporary = slots[a];
    slots[a] = slots[b];
    slots[b] = temporary;
    return S_OK;
  }

  Item* GetItemPtr(uint32_t index) override { return ConstBase::Slots() + index; }
  HResult InsertItem(uint32_t index, const Item& item) override { return this->StoreAt(index, item); }
  HResult RemoveItem(uint32_t index, Item& out) override {
    return this->MoveOut(index, out, "RCPtrArray", __FILE__, __LINE__);
  }
  HResult RemoveLastItem(Item& out) override { return this->MoveOutLast(out); }
  // The item at index; Out of Range for an index not below the count.
  Item& GetAt(uint32_t index) {
    if (index >= GetCount()) this->ThrowOutOfRangeFor("RCPtrArray", __FILE__, __LINE__, "GetAt");
    return ConstBase::Slots()[index];
  }
  const Item& GetAt(uint32_t index) const { return const_cast<RCPtrArray*>(this)->GetAt(index); }
  // An empty reference named by nullptr would fit both views' items.
  HResult AddItem(std::nullptr_t) { return Interface::AddItem(Item()); }
  HResult InsertItem(uint32_t index, std::nullptr_t) { return InsertItem(index, Item()); }

  // The constant view's item operations stay reachable by name.
  using ConstBase::AddItem;
  using ConstBase::AddItems;
  using ConstBase::AdvancePosition;
  using ConstBase::AppendItems;
  using ConstBase::AssignItems;
  using ConstBase::GetAtPosition;
  using ConstBase::InsertItem;
  using ConstBase::RemoveItem;
  using ConstBase::RemoveLastItem;

  IArray<ConstRCPtr<T>>& AsConst() { return *this; }
  const IArray<ConstRCPtr<T>>& AsConst() const { return *this; }
};

}  // namespace HV
