#include "HVFramework/Controls/CheckedListBox/LCheckedListBox.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBoxItem.h"
#include "HVFramework/Controls/CheckedListBox/LIndexedDataParam.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Notification/CAutoNotificationDisabler.h"

#include <typeinfo>
#include <utility>

namespace HV {
namespace {

bool IsInRange(int32_t index, int32_t count) { return index >= 0 && index < count; }

}  // namespace

LCheckedListBox::LCheckedListBox(LControl* parent, const StringW& name) : LListBox(parent, name) {}

RCPtr<LControl>& LCheckedListBox::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                         const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LCheckedListBox>(result, parent, descriptor);
}

HResult LCheckedListBox::Register(LControlFactory& factory) {
  const HResult plain = factory.RegisterControlCreateFunction(StringW(kClassName), &LCheckedListBox::Create);
  if (Failed(plain)) return plain;
  return factory.RegisterControlCreateFunction(StringW(kIconsClassName), &LCheckedListBox::Create);
}

// --- Creation ---

HResult LCheckedListBox::Initialize() {
  // The base loads the string table's items, whose rows bind their check
  // boxes through the handler: it comes first.
  mHandler = RCPtr<LNotificationHandler<LCheckedListBox>>(new LNotificationHandler<LCheckedListBox>(this));
  const HResult base = LListBox::Initialize();
  // Only the checked list itself turns a fourth look into icons; the tree
  // view and the pop-up menu use their looks otherwise.
  if (typeid(*this) == typeid(LCheckedListBox)) TakeIconsFromSkin();
  return base;
}

void LCheckedListBox::TakeIconsFromSkin() {
  if (GetLookCount() <= kIconLook || !GetLook(kIconLook)) return;
  const RCPtr<LLook>& look = GetLook(kIconLook);
  for (const RCPtr<LVisualPart>& part : look->GetNonClientParts())
    if (part && part->GetBitmap()) mItemIcons.push_back(part->GetBitmap());
  if (look->GetClientPart() && look->GetClientPart()->GetBitmap())
    mItemIcons.push_back(look->GetClientPart()->GetBitmap());
  SetCheckBoxPassive(true);
}

void LCheckedListBox::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                          const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LListBox::ReceiveNotification(source, notification);
}

// --- Records ---

int32_t LCheckedListBox::GetItemCount() const { return static_cast<int32_t>(mRecords.size()); }

LListBox::ItemRecord& LCheckedListBox::GetItemRecord(int32_t index) { return GetCheckedItemRecord(index); }

LCheckedListBox::CheckedItemRecord& LCheckedListBox::GetCheckedItemRecord(int32_t index) {
  return mRecords[static_cast<size_t>(index)];
}

HResult LCheckedListBox::InsertItemRecord(int32_t index) {
  mRecords.insert(mRecords.begin() + index, CheckedItemRecord());
  return S_OK;
}

HResult LCheckedListBox::EraseItemRecord(int32_t index) {
  mRecords.erase(mRecords.begin() + index);
  return S_OK;
}

HResult LCheckedListBox::SwapItems(int32_t a, int32_t b) {
  std::swap(mRecords[static_cast<size_t>(a)], mRecords[static_cast<size_t>(b)]);
  return S_OK;
}

int32_t LCheckedListBox::SetItemCount(int32_t count) {
  const int32_t result = LListBox::SetItemCount(count);
  RecountCheckedItems();
  return result;
}

// --- Check states ---

void LCheckedListBox::RecountCheckedItems() {
  int32_t checked = 0;
  for (int32_t index = 0; index < GetItemCount(); ++index)
    if (GetCheckedItemRecord(index).IsChecked) ++checked;
  mCheckedCount = checked;
}

bool LCheckedListBox::IsItemChecked(int32_t index) const {
  auto* self = const_cast<LCheckedListBox*>(this);
  return IsInRange(index, GetItemCount()) && self->GetCheckedItemRecord(index).IsChecked;
}

void LCheckedListBox::SetItemChecked(int32_t index, bool checked) {
  if (!IsInRange(index, GetItemCount())) return;
  if (SetRecordChecked(index, checked)) UpdateItemControl(index);
}

bool LCheckedListBox::SetRecordChecked(int32_t index, bool checked) {
  CheckedItemRecord& record = GetCheckedItemRecord(index);
  if (record.IsChecked == checked) return false;
  record.IsChecked = checked;
  mCheckedCount += checked ? 1 : -1;
  return true;
}

RCPtr<LBitmap> LCheckedListBox::GetItemImage(int32_t index) {
  if (!mItemIcons.empty()) {
    if (index < 0) return nullptr;
    return mItemIcons[static_cast<size_t>(index) % mItemIcons.size()];
  }
  if (!IsInRange(index, GetItemCount())) return nullptr;
  return GetCheckedItemRecord(index).Image;
}

HResult LCheckedListBox::SetItemImage(int32_t index, const RCPtr<LBitmap>& image) {
  if (!IsInRange(index, GetItemCount())) return E_INVALIDARG;
  GetCheckedItemRecord(index).Image = image;
  UpdateItemControl(index);
  return S_OK;
}

// --- Rows ---

LCheckedListBoxItem* LCheckedListBox::GetCheckedItemControl(int32_t slot) const {
  return dynamic_cast<LCheckedListBoxItem*>(GetItemControl(slot));
}

void LCheckedListBox::SetCheckBoxPassive(bool passive) {
  mCheckBoxPassive = passive;
  for (int32_t slot = 0; slot < GetItemControlCount(); ++slot) {
    LCheckedListBoxItem* row = GetCheckedItemControl(slot);
    if (LButton* checkBox = row ? row->GetCheckBox() : nullptr) checkBox->SetPassive(passive);
  }
}

HResult LCheckedListBox::SetCheckBoxAutoValueSet(bool autoValueSet) {
  if (autoValueSet == mCheckBoxAutoValueSet) return S_FALSE;
  mCheckBoxAutoValueSet = autoValueSet;
  for (int32_t slot = 0; slot < GetItemControlCount(); ++slot) {
    LCheckedListBoxItem* row = GetCheckedItemControl(slot);
    LButton* checkBox = row ? row->GetCheckBox() : nullptr;
    if (!checkBox) continue;
    checkBox->SetAutoValueSet(autoValueSet);
    const RCPtr<LNotificationDistributor> source(checkBox);
    const NotificationName& dropped = autoValueSet ? kNidLeftClick : kNidValueChange;
    if (mHandler->RemoveHandler(source, dropped)) UnregisterNotification(source, dropped.GetId());
    ListenToCheckBox(*checkBox, autoValueSet);
  }
  return S_OK;
}

void LCheckedListBox::ListenToCheckBox(LButton& checkBox, bool autoValueSet) {
  const RCPtr<LNotificationDistributor> source(&checkBox);
  if (autoValueSet)
    mHandler->SetNotification(&LCheckedListBox::OnCheckBoxValueChanged, source, kNidValueChange);
  else
    mHandler->SetNotification(&LCheckedListBox::OnCheckBoxClicked, source, kNidLeftClick);
}

HResult LCheckedListBox::AddItemControl() {
  const HResult result = LListBox::AddItemControl();
  if (Failed(result) || GetItemControlCount() == 0) return result;
  LCheckedListBoxItem* row = GetCheckedItemControl(GetItemControlCount() - 1);
  LButton* checkBox = row ? row->GetCheckBox() : nullptr;
  if (!checkBox) return result;
  checkBox->SetPassive(mCheckBoxPassive);
  checkBox->SetAutoValueSet(mCheckBoxAutoValueSet);
  ListenToCheckBox(*checkBox, mCheckBoxAutoValueSet);
  return result;
}

HResult LCheckedListBox::UpdateItemControl(int32_t index, int32_t* slot) {
  int32_t ownSlot = -1;
  int32_t* at = slot ? slot : &ownSlot;
  const HResult result = LListBox::UpdateItemControl(index, at);
  if (Failed(result) || *at < 0) return result;
  if (LCheckedListBoxItem* row = GetCheckedItemControl(*at)) BindCheckBox(*row, index);
  return result;
}

void LCheckedListBox::BindCheckBox(LCheckedListBoxItem& row, int32_t index) {
  LButton* checkBox = row.GetCheckBox();
  if (!checkBox) return;
  const bool isItem = IsInRange(index, GetItemCount());
  const bool checked = isItem && GetCheckedItemRecord(index).IsChecked;
  const RCPtr<LNotificationDistributor> source(checkBox);
  // Binding a row is no check change: the list does not hear it.
  if (mCheckBoxAutoValueSet && mHandler->HasHandler(source, kNidValueChange)) {
    const CAutoNotificationDisabler<LCheckedListBox> quiet(mHandler, source, kNidValueChange);
    row.SetCheckBoxChecked(checked);
  } else {
    row.SetCheckBoxChecked(checked);
  }
  row.SetCheckBoxImage(isItem ? GetItemImage(index) : nullptr);
  row.SetCheckBoxVisible(isItem);
}

// --- Reports of the check boxes ---

int32_t LCheckedListBox::ItemIndexOfCheckBox(const RCPtr<LNotificationDistributor>& source) const {
  const LControl* checkBox = dynamic_cast<const LControl*>(source.Get());
  if (!checkBox || !checkBox->GetParent()) return -1;
  return GetItemIndexOfControl(checkBox->GetParent());
}

double LCheckedListBox::CheckBoxValue(const RCPtr<LNotificationDistributor>& source) {
  const LControl* checkBox = dynamic_cast<const LControl*>(source.Get());
  return checkBox ? checkBox->GetNormalizedValue() : 0.0;
}

RCPtr<LRefCountedObject> LCheckedListBox::CheckPayload(int32_t index, double value) {
  return RCPtr<LRefCountedObject>(LIndexedDataWithValueParam::Create(nullptr, index, value));
}

void LCheckedListBox::SelectCheckedItem(int32_t index) { SelectRange(index, index, !IsMultiSelect()); }

HResult LCheckedListBox::OnCheckBoxValueChanged(const RCPtr<LNotificationDistributor>& source,
                                                const RCPtr<LNotification>& /*notification*/) {
  const int32_t index = ItemIndexOfCheckBox(source);
  if (!IsInRange(index, GetItemCount())) return S_OK;
  const double value = CheckBoxValue(source);
  const RCPtr<LRefCountedObject> payload = CheckPayload(index, value);
  SetRecordChecked(index, value >= 0.5);
  SelectCheckedItem(index);
  SendNotification(LNotification::Create(kNidItemCheckChange, payload));
  return S_FALSE;
}

HResult LCheckedListBox::OnCheckBoxClicked(const RCPtr<LNotificationDistributor>& source,
                                           const RCPtr<LNotification>& /*notification*/) {
  const int32_t index = ItemIndexOfCheckBox(source);
  if (!IsInRange(index, GetItemCount())) return S_OK;
  const double value = CheckBoxValue(source);
  const RCPtr<LRefCountedObject> payload = CheckPayload(index, value);
  GetCheckedItemRecord(index).IsChecked = value >= 0.5;
  SelectCheckedItem(index);
  SendNotification(LNotification::Create(kNidItemCheckboxClicked, payload));
  return S_FALSE;
}

}  // namespace HV
