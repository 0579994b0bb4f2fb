#pragma once

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace HV {

class LControl;

// LControlChildList (LControl::ChildControlList): a control's children in
// attachment order, with a z-order (drawing from first to last, hit testing
// from last to first) and a tab order built on demand from the children's
// layout descriptors. Holds one counted reference per child, counted as an
// internal reference of the child; a child's parent link is cleared when it
// leaves the list. Sibling names are unique.
class LControlChildList {
 public:
  enum Order : int32_t { kAttachment = 0, kZ = 1, kTab = 2 };

  explicit LControlChildList(LControl* owner);
  LControlChildList(const LControlChildList&) = delete;
  LControlChildList& operator=(const LControlChildList&) = delete;
  ~LControlChildList();

  uint32_t GetCount() const;
  // Runtime Error for an index not below the count or an unknown order.
  const RCPtr<LControl>& GetAt(uint32_t index, int32_t order = kAttachment);
  // A counted copy of the children in attachment order, for walks that call out.
  std::vector<RCPtr<LControl>> Snapshot() const;

  // E_INVALIDARG for null, E_FAIL when a sibling has the name; else 0.
  HResult Add(const RCPtr<LControl>& child);
  // Takes the child out and clears its parent link; false when it is not here.
  bool Remove(LControl* child);
  // 1 for the child's own name, E_FAIL for a sibling's, E_INVALIDARG for a
  // control not in the list; else 0, with the later siblings' layout
  // references to the old name following the new one.
  HResult Rename(LControl* child, const StringW& name);
  RCPtr<LControl> Find(const StringW& name) const;
  int32_t IndexOf(const LControl* child) const;

  // Any change that moves a child in the z-order or the tab order.
  void MarkChanged() { ++mChangeCounter; }

 private:
  void BuildOrders();

  LControl* const mOwner;  // owns this list
  // Behind a pointer: the array's members need the complete control class.
  std::unique_ptr<RCPtrArray<LControl>> mChildrenArray;
  std::vector<uint32_t> mTabOrder;
  std::vector<uint32_t> mZOrder;
  uint32_t mChangeCounter = 1;
  uint32_t mBuiltAt = 0;
};

}  // namespace HV
