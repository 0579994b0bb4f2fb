#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/BufferT.h"
#include "HVFramework/Utilities/Storage/IArray.h"
#include "HVFramework/Utilities/Storage/StorageErrors.h"

#include <cstring>
#include <vector>

namespace HV {

// ConstRCPtrArray<T, G, S>: an ordered list of counted references, shown as
// ConstRCPtr<T> items. Capacity moves in steps of G slots and keeps up to S
// spare slots (BufferT rules).
//
// Each non-null slot holds one reference: storing takes one (unsharing an
// unshareable object), removing hands it to the caller or releases it, and
// moving slots inside the array moves the pointers without touching counts.
// Removed items are released after the array has closed the gap, in
// ascending order of their former index, so a release that reaches back into
// the array sees it consistent. No lock: owners serialise calls.
template <class T, uint32_t Granularity = 1, uint32_t Slack = 0>
class ConstRCPtrArray : public IArray<ConstRCPtr<T>> {
  static_assert(sizeof(RCPtr<T>) == sizeof(T*) && sizeof(ConstRCPtr<T>) == sizeof(T*),
                "slots hold one pointer each and move as bytes");

 public:
  using Item = ConstRCPtr<T>;
  using IArray<Item>::GetItemPtr;
  static constexpr uint32_t kSlotSize = sizeof(T*);

  explicit ConstRCPtrArray(uint32_t count = 0, uint32_t reserve = 0)
      : mStorage(SlotBytes(count), SlotBytes(reserve), true) {}
  ConstRCPtrArray(const ConstRCPtrArray&) = delete;
  ConstRCPtrArray& operator=(const ConstRCPtrArray&) = delete;
  ~ConstRCPtrArray() override { ReleaseDetached(DetachRange(0, GetCount())); }

  uint32_t GetCount() const override { return mStorage.GetSize() / kSlotSize; }
  uint32_t GetCapacity() const { return mStorage.GetCapacity() / kSlotSize; }
  Item* GetData() override { return Slots(); }
  Item* GetItemPtr(uint32_t index) override { return Slots() + index; }

  HResult InsertItem(uint32_t index, const Item& item) override { return StoreAt(index, item); }
  HResult RemoveItem(uint32_t index, Item& out) override {
    return MoveOut(index, out, "ConstRCPtrArray", __FILE__, __LINE__);
  }
  HResult RemoveLastItem(Item& out) override { return MoveOutLast(out); }

  // The item at index; Out of Range for an index not below the count.
  const Item& GetAt(uint32_t index) const {
    if (index >= GetCount()) ThrowOutOfRangeFor("ConstRCPtrArray", __FILE__, __LINE__, "GetAt");
    return Slots()[index];
  }

  // Exchanges the two slots' pointers; no count changes.
  HResult SwapItems(uint32_t a, uint32_t b) override {
    const uint32_t count = GetCount();
    if (a >= count || b >= count) return E_INVALIDARG;
    T** raw = RawSlots();
    std::swap(raw[a], raw[b]);
    return S_OK;
  }

  HResult SetCount(uint32_t count) override {
    const uint32_t old = GetCount();
    if (count < old) return RemoveSpace(count, old - count);
    if (count > old) {
      if (count > IIterable<Item>::kMaxCount) return E_INVALIDARG;
      mStorage.SetSize(SlotBytes(count));
      NullSlots(old, count - old);
    }
    return static_cast<HResult>(count);
  }

  HResult InsertSpace(uint32_t index, uint32_t count) override {
    const uint32_t old = GetCount();
    if (count == 0) return static_cast<HResult>(old);
    if (index > old || count > IIterable<Item>::kMaxCount - old) return E_INVALIDARG;
    if (index == old) return SetCount(old + count);
    mStorage.SetSize(SlotBytes(old + count));
    T** raw = RawSlots();
    std::memmove(raw + index + count, raw + index, (old - index) * kSlotSize);
    NullSlots(index, count);
    return static_cast<HResult>(old + count);
  }

  // Removes count items from index and releases them. Asked for more than
  // follow the index, it removes those that do, then throws Out of Range.
  HResult RemoveSpace(uint32_t index, uint32_t count) override {
    const uint32_t old = GetCount();
    const uint32_t available = index < old ? old - index : 0;
    const bool overshoot = count > available;
    std::vector<T*> removed = DetachRange(index, overshoot ? available : count);
    const auto result = static_cast<HResult>(GetCount());
    ReleaseDetached(std::move(removed));
    if (overshoot) ThrowOutOfRangeFor("ConstRCPtrArray", __FILE__, __LINE__);
    return result;
  }

  // The storage's data, null while no block is held.
  const char* GetBytes() const { return mStorage.GetData(); }

 protected:
  RCPtr<T>* Slots() const { return reinterpret_cast<RCPtr<T>*>(mStorage.GetData()); }
  T** RawSlots() const { return reinterpret_cast<T**>(mStorage.GetData()); }

  // Opens a slot at index and stores item there through a counted pointer of
  // the caller's kind; answers index.
  template <class Pointer>
  HResult StoreAt(uint32_t index, const Pointer& item) {
    const HResult opened = InsertSpace(index, 1);
    if (opened < 0) return opened;
    static_cast<Pointer&>(Slots()[index]) = item;
    return static_cast<HResult>(index);
  }

  // Moves item index into out (releasing what out held) and closes the gap.
  template <class Pointer>
  HResult MoveOut(uint32_t index, Pointer& out, const char* arrayClass, const char* file, int line) {
    if (index >= GetCount()) ThrowOutOfRangeFor(arrayClass, file, line);
    out = nullptr;
    out = std::move(static_cast<Pointer&>(Slots()[index]));
    DetachRange(index, 1);
    return static_cast<HResult>(GetCount());
  }

  template <class Pointer>
  HResult MoveOutLast(Pointer& out) {
    out = nullptr;
    const uint32_t count = GetCount();
    if (count == 0) return E_FAIL;
    out = std::move(static_cast<Pointer&>(Slots()[count - 1]));
    DetachRange(count - 1, 1);
    return static_cast<HResult>(GetCount());
  }

  // Out of Range, naming the instantiation's method (RemoveItem unless told).
  [[noreturn]] void ThrowOutOfRangeFor(const char* arrayClass, const char* file, int line,
                                       const char* method = "RemoveItem") const {
    Detail::ThrowOutOfRange(
        Detail::ContainerFunctionName(arrayClass, typeid(T), {Granularity, Slack}, method), file, line);
  }

 private:
  static uint32_t SlotBytes(uint32_t count) {
    if (count > IIterable<Item>::kMaxCount / kSlotSize) throw Exception<std::bad_alloc>();
    return count * kSlotSize;
  }

  void NullSlots(uint32_t first, uint32_t count) {
    std::memset(static_cast<void*>(RawSlots() + first), 0, size_t{count} * kSlotSize);
  }

  // Takes the references of [first, first + count) out of the array, closing
  // the gap; the caller now owns them.
  std::vector<T*> DetachRange(uint32_t first, uint32_t count) {
    if (count == 0) return {};
    const uint32_t old = GetCount();
    T** raw = RawSlots();
    std::vector<T*> removed(raw + first, raw + first + count);
    std::memmove(raw + first, raw + first + count, (old - first - count) * kSlotSize);
    mStorage.SetSize(SlotBytes(old - count));
    return removed;
  }

  static void ReleaseDetached(std::vector<T*> removed) {
    for (T* object : removed)
      if (object) static_cast<LRefCountedObject*>(object)->Release();
  }

  BufferT<Granularity * kSlotSize, Slack * kSlotSize, 8, RCPtr<T>*> mStorage;
};

}  // namespace HV
