#pragma once

#include "HVFramework/Controls/CheckedListBox/LCheckedListBox.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdint>
#include <vector>

namespace HV {

class LControlFactory;

// LTreeView: a tree shown as a flat list. Items lie in depth-first order
// (each followed by its descendants), each names its parent's index, rows
// are indented by depth, and a row's check box expands (checked) or
// collapses its item: an item shows only while all its ancestors are
// expanded. Items come in at the top level through the list operations and
// are placed with SetItemParent; removing an item removes its subtree. A tree
// is never sorted. Sends "NID_ITEM_CHECK_CHANGE" when an item is expanded or
// collapsed by its check box ("NID_ITEM_CHECKBOX_CLICKED" when the check
// boxes only report clicks). UI thread only.
class LTreeView : public LCheckedListBox {
 public:
  static constexpr const WChar* kClassName = u"Framework.TreeView";

  struct TreeItemRecord : CheckedItemRecord {
    int32_t ParentIndex = -1;
  };

  LTreeView(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the checked list ---
  HResult Initialize() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  int32_t GetItemCount() const override;
  // Removes the item with its whole subtree, one record at a time from the
  // last, so that selection, anchor and caret follow each removal; then
  // counts the checked items again. The remaining count, or E_INVALIDARG.
  HResult RemoveItem(int32_t index) override;
  // A tree keeps its order: false, nothing moves.
  bool SortItems() override;
  // E_NOTIMPL: nothing moves.
  HResult SortItemRange(int32_t start, int32_t count) override;
  // The checked binding (never reported), then the expander enabled only
  // for an item with children, and the indent.
  HResult UpdateItemControl(int32_t index, int32_t* slot = nullptr) override;
  // Swaps two whole records; links naming either place follow. 0.
  HResult SwapItems(int32_t a, int32_t b) override;
  ItemRecord& GetItemRecord(int32_t index) override;
  CheckedItemRecord& GetCheckedItemRecord(int32_t index) override;
  // A new top-level record; links past the place move with their records. 0.
  HResult InsertItemRecord(int32_t index) override;
  // Erases the record and its subtree; the other links stay right. 0, or
  // E_INVALIDARG outside the items.
  HResult EraseItemRecord(int32_t index) override;

  // --- The tree ---
  // Makes parent (-1: the top level) the item's parent and moves the item
  // with its subtree to the end of the parent's subtree; the item's new
  // index. Index 0, an index outside the items, the item itself or one of
  // its descendants as parent, or its present parent: nothing changes.
  virtual int32_t SetItemParent(int32_t index, int32_t parent);
  // -1 outside the items.
  virtual int32_t GetParentIndex(int32_t index) const;
  // Ancestors; 0 at the top level and outside the items.
  virtual int32_t GetItemDepth(int32_t index) const;
  // The subtree's size after the item.
  virtual int32_t GetDescendantCount(int32_t index) const;
  // No bounds test.
  virtual TreeItemRecord& GetTreeItemRecord(int32_t index);
  // Hides each descendant that has a collapsed ancestor, shows the others.
  virtual void UpdateChildVisibility(int32_t index);

  bool IsAncestorOf(int32_t ancestor, int32_t index) const;
  // Through the item's row when one shows it (reported like a click),
  // else directly.
  void ExpandItem(int32_t index);
  bool IsBindingRow() const { return mBindingRow; }

 protected:
  void ListenToCheckBox(LButton& checkBox, bool autoValueSet) override;

 private:
  HResult OnCheckBoxValueChanged(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification);
  HResult OnCheckBoxClicked(const RCPtr<LNotificationDistributor>& source,
                            const RCPtr<LNotification>& notification);
  // The common steps of both reports; false when the report is ignored.
  bool ApplyCheckReport(const RCPtr<LNotificationDistributor>& source, const NotificationName& name);
  // Puts the records into order (original indexes, new order) by swaps.
  void Reorder(const std::vector<int32_t>& order);

  RCPtr<LNotificationHandler<LTreeView>> mHandler;
  std::vector<TreeItemRecord> mTreeRecords;
  bool mBindingRow = false;
};

}  // namespace HV
