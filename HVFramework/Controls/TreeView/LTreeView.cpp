#include "HVFramework/Controls/TreeView/LTreeView.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Controls/TreeView/LTreeViewItem.h"
#include "HVFramework/Controls/TreeView/TreeLinks.h"

#include <algorithm>

namespace HV {
namespace {

}  // namespace

LTreeView::LTreeView(LControl* parent, const StringW& name) : LCheckedListBox(parent, name) {}

RCPtr<LControl>& LTreeView::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                   const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LTreeView>(result, parent, descriptor);
}

HResult LTreeView::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LTreeView::Create);
}

HResult LTreeView::Initialize() {
  // Items from the string table bind their rows' check boxes through it during the base's start.
  mHandler = RCPtr<LNotificationHandler<LTreeView>>(new LNotificationHandler<LTreeView>(this));
  return LCheckedListBox::Initialize();
}

void LTreeView::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                    const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LCheckedListBox::ReceiveNotification(source, notification);
}

// --- Records and their links ---

int32_t LTreeView::GetItemCount() const { return static_cast<int32_t>(mTreeRecords.size()); }

LListBox::ItemRecord& LTreeView::GetItemRecord(int32_t index) { return GetTreeItemRecord(index); }

LCheckedListBox::CheckedItemRecord& LTreeView::GetCheckedItemRecord(int32_t index) {
  return GetTreeItemRecord(index);
}

LTreeView::TreeItemRecord& LTreeView::GetTreeItemRecord(int32_t index) {
  return mTreeRecords[static_cast<size_t>(index)];
}

HResult LTreeView::InsertItemRecord(int32_t index) {
  mTreeRecords.insert(mTreeRecords.begin() + index, TreeItemRecord());
  TreeLinks::RenumberAfterInsert(mTreeRecords, index);
  return S_OK;
}

HResult LTreeView::EraseItemRecord(int32_t index) {
  if (!TreeLinks::IsIndex(mTreeRecords, index)) return E_INVALIDARG;
  for (int32_t place : TreeLinks::SubtreeHighestFirst(mTreeRecords, index)) {
    mTreeRecords.erase(mTreeRecords.begin() + place);
    TreeLinks::RenumberAfterErase(mTreeRecords, place);
  }
  return S_OK;
}

HResult LTreeView::SwapItems(int32_t a, int32_t b) {
  TreeLinks::SwapRecords(mTreeRecords, a, b);
  return S_OK;
}

HResult LTreeView::RemoveItem(int32_t index) {
  if (!TreeLinks::IsIndex(mTreeRecords, index)) return E_INVALIDARG;
  HResult result = S_OK;
  // Highest first: each removal takes one leaf, which the list box's
  // selection, anchor and caret bookkeeping expects.
  for (int32_t place : TreeLinks::SubtreeHighestFirst(mTreeRecords, index)) {
    result = LListBox::RemoveItem(place);
    if (Failed(result)) break;
  }
  RecountCheckedItems();
  return result;
}

bool LTreeView::SortItems() { return false; }

HResult LTreeView::SortItemRange(int32_t /*start*/, int32_t /*count*/) { return E_NOTIMPL; }

// --- Tree queries ---

int32_t LTreeView::GetParentIndex(int32_t index) const { return TreeLinks::ParentOf(mTreeRecords, index); }

int32_t LTreeView::GetItemDepth(int32_t index) const { return TreeLinks::Depth(mTreeRecords, index); }

int32_t LTreeView::GetDescendantCount(int32_t index) const {
  return TreeLinks::DescendantCount(mTreeRecords, index);
}

bool LTreeView::IsAncestorOf(int32_t ancestor, int32_t index) const {
  return TreeLinks::IsAncestorOf(mTreeRecords, ancestor, index);
}

void LTreeView::UpdateChildVisibility(int32_t index) {
  for (int32_t at = index + 1; at < GetItemCount() && IsAncestorOf(index, at); ++at)
    SetItemHidden(at, TreeLinks::ShouldHide(mTreeRecords, at));
}

void LTreeView::ExpandItem(int32_t index) {
  if (!TreeLinks::IsIndex(mTreeRecords, index)) return;
  const int32_t slot = GetItemControlSlot(index);
  LCheckedListBoxItem* row = slot >= 0 ? GetCheckedItemControl(slot) : nullptr;
  if (LButton* checkBox = row ? row->GetCheckBox() : nullptr) checkBox->SetNormalizedValue(1.0);
  // Without a row, or with check boxes that only report clicks, the record
  // has not heard it.
  if (!IsItemChecked(index)) {
    SetItemChecked(index, true);
    UpdateChildVisibility(index);
  }
}

// --- Placing items ---

int32_t LTreeView::SetItemParent(int32_t index, int32_t parent) {
  if (parent < 0) parent = -1;
  const int32_t count = GetItemCount();
  if (index <= 0 || index >= count || parent == index || parent >= count) return index;
  if (GetParentIndex(index) == parent || IsAncestorOf(index, parent)) return index;

  // The new order: everything but the item's subtree, with the subtree put
  // after the last record of the parent's subtree (or at the end).
  const int32_t last = index + GetDescendantCount(index);
  std::vector<int32_t> order;
  for (int32_t at = 0; at < count; ++at)
    if (at < index || at > last) order.push_back(at);
  size_t insertAt = order.size();
  if (parent >= 0) {
    insertAt = static_cast<size_t>(std::find(order.begin(), order.end(), parent) - order.begin()) + 1;
    while (insertAt < order.size() && IsAncestorOf(parent, order[insertAt])) ++insertAt;
  }
  std::vector<int32_t> block;
  for (int32_t at = index; at <= last; ++at) block.push_back(at);
  order.insert(order.begin() + static_cast<std::ptrdiff_t>(insertAt), block.begin(), block.end());

  const int32_t newIndex = static_cast<int32_t>(std::find(order.begin(), order.end(), index) - order.begin());
  const int32_t newParent =
      parent < 0 ? -1 : static_cast<int32_t>(std::find(order.begin(), order.end(), parent) - order.begin());
  Reorder(order);
  GetTreeItemRecord(newIndex).ParentIndex = newParent;

  if (newParent >= 0 && GetDescendantCount(newParent) > 0) ExpandItem(newParent);
  if (newParent >= 0) UpdateChildVisibility(newParent);
  SetItemHidden(newIndex, TreeLinks::ShouldHide(mTreeRecords, newIndex));
  UpdateChildVisibility(newIndex);
  RefreshItemControls(std::min(index, newIndex));
  return newIndex;
}

void LTreeView::Reorder(const std::vector<int32_t>& order) {
  // placeOf[original] = where that record is now; heldAt[place] = which
  // original record is there. Each swap keeps the links right.
  std::vector<int32_t> placeOf(order.size()), heldAt(order.size());
  for (size_t at = 0; at < order.size(); ++at) placeOf[at] = heldAt[at] = static_cast<int32_t>(at);
  for (size_t at = 0; at < order.size(); ++at) {
    const int32_t from = placeOf[static_cast<size_t>(order[at])];
    const int32_t to = static_cast<int32_t>(at);
    if (from == to) continue;
    SwapItems(to, from);
    const int32_t displaced = heldAt[at];
    heldAt[at] = order[at];
    heldAt[static_cast<size_t>(from)] = displaced;
    placeOf[static_cast<size_t>(order[at])] = to;
    placeOf[static_cast<size_t>(displaced)] = from;
  }
}

// --- Rows ---

void LTreeView::ListenToCheckBox(LButton& checkBox, bool autoValueSet) {
  const RCPtr<LNotificationDistributor> source(&checkBox);
  if (autoValueSet)
    mHandler->SetNotification(&LTreeView::OnCheckBoxValueChanged, source, kNidValueChange);
  else
    mHandler->SetNotification(&LTreeView::OnCheckBoxClicked, source, kNidLeftClick);
}

HResult LTreeView::UpdateItemControl(int32_t index, int32_t* slot) {
  int32_t ownSlot = -1;
  int32_t* at = slot ? slot : &ownSlot;
  mBindingRow = true;
  const HResult result = LCheckedListBox::UpdateItemControl(index, at);
  mBindingRow = false;
  if (Failed(result) || *at < 0) return result;
  if (auto* row = dynamic_cast<LTreeViewItem*>(GetItemControl(*at))) {
    if (LButton* checkBox = row->GetCheckBox()) checkBox->SetEnabled(GetDescendantCount(index) != 0);
    row->SetIndentLevel(GetItemDepth(index));
  }
  return result;
}

bool LTreeView::ApplyCheckReport(const RCPtr<LNotificationDistributor>& source, const NotificationName& name) {
  if (mBindingRow) return false;
  const int32_t index = ItemIndexOfCheckBox(source);
  if (!TreeLinks::IsIndex(mTreeRecords, index)) return false;
  const double value = CheckBoxValue(source);
  const RCPtr<LRefCountedObject> payload = CheckPayload(index, value);
  SetRecordChecked(index, value >= 0.5);
  UpdateChildVisibility(index);
  RefreshItemControls(index);
  UpdateContentExtent();
  SelectCheckedItem(index);
  SendNotification(LNotification::Create(name, payload));
  return true;
}

HResult LTreeView::OnCheckBoxValueChanged(const RCPtr<LNotificationDistributor>& source,
                                          const RCPtr<LNotification>& /*notification*/) {
  return ApplyCheckReport(source, kNidItemCheckChange) ? S_FALSE : S_OK;
}

HResult LTreeView::OnCheckBoxClicked(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& /*notification*/) {
  return ApplyCheckReport(source, kNidItemCheckboxClicked) ? S_FALSE : S_OK;
}

}  // namespace HV
