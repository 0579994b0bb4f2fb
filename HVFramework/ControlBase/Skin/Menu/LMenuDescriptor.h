#pragma once

#include "HVFramework/ObjectBase/TaggableObject.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

class LMenuItemDescriptor;
struct LMenuItemState;

// LMenuDescriptor: a menu: its items in display order and, for a menu that is
// another menu's item, a link to that menu. The link is counted as one of the
// parent's internal references, so a menu and its items (which refer to each
// other) go together when the last outside reference goes. UI thread only.
class LMenuDescriptor : public LTaggableObject {
 public:
  static RCPtr<LMenuDescriptor> Create();

  const RCPtrArray<LMenuItemDescriptor>& GetItems() const { return mItems; }
  uint32_t GetItemCount() const { return mItems.GetCount(); }
  RCPtr<LMenuItemDescriptor> GetItem(uint32_t index) const;
  const RCPtr<LMenuDescriptor>& GetParent() const { return mParent; }

  // The array's insertion result; on success the item's parent is this menu.
  HResult InsertItem(uint32_t index, const RCPtr<LMenuItemDescriptor>& item);
  HResult InsertNewItem(uint32_t index, const StringW& label, const StringW& commandId, bool enabled,
                        bool checked);
  HResult InsertSeparator(uint32_t index);
  HResult AppendItem(const RCPtr<LMenuItemDescriptor>& item) { return InsertItem(GetItemCount(), item); }
  // 0 with the item's state; E_INVALIDARG (and a cleared state) past the end.
  HResult GetItemState(uint32_t index, LMenuItemState& state) const;
  // Removes every item (last first), unlinking each, then this menu's own link. 0.
  HResult Clear();
  // A deep copy without a parent; the copied items link to the copy.
  RCPtr<LMenuDescriptor> Clone() const;

  HResult ReleaseInternalReferences() override;

 protected:
  LMenuDescriptor() = default;
  void SetParentLink(LMenuDescriptor* parent);
  void CloneItemsInto(LMenuDescriptor& copy) const;

 private:
  RCPtrArray<LMenuItemDescriptor> mItems;
  RCPtr<LMenuDescriptor> mParent;
};

}  // namespace HV
