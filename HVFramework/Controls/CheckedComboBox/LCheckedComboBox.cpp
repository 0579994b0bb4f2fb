#include "HVFramework/Controls/CheckedComboBox/LCheckedComboBox.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBox.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBoxItem.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"

namespace HV {

LCheckedComboBox::LCheckedComboBox(LControl* parent, const StringW& name) : LComboBox(parent, name) {}

RCPtr<LControl>& LCheckedComboBox::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                          const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LCheckedComboBox>(result, parent, descriptor);
}

HResult LCheckedComboBox::Register(LControlFactory& factory) {
  const HResult plain = factory.RegisterControlCreateFunction(StringW(kClassName), &LCheckedComboBox::Create);
  if (Failed(plain)) return plain;
  return factory.RegisterControlCreateFunction(StringW(kIconsClassName), &LCheckedComboBox::Create);
}

LButton* LCheckedComboBox::GetCheckBox() const { return LCheckedListBoxItem::FindCheckBox(*this); }

HResult LCheckedComboBox::Initialize() {
  mCheckedList = RCPtr<LCheckedListBox>(dynamic_cast<LCheckedListBox*>(GetListBox()));
  if (Failed(LComboBox::Initialize()) || !mCheckedList) return E_FAIL;
  if (LButton* checkBox = GetCheckBox()) checkBox->SetUseParentToolTip(true);
  mCheckedList->SetDropDownMode(true);
  if (!mCheckedList->GetItemIcons().empty()) SetCheckBoxPassive(true);
  mHandler = RCPtr<LNotificationHandler<LCheckedComboBox>>(new LNotificationHandler<LCheckedComboBox>(this));
  mHandler->SetNotification(&LCheckedComboBox::OnListCheckChanged,
                            RCPtr<LNotificationDistributor>(mCheckedList.Get()), kNidItemCheckChange);
  return S_OK;
}

void LCheckedComboBox::SetCheckBoxPassive(bool passive) {
  mCheckBoxPassive = passive;
  if (LButton* checkBox = GetCheckBox()) checkBox->SetPassive(passive);
}

HResult LCheckedComboBox::OnCreated() {
  if (LButton* checkBox = GetCheckBox()) {
    const int32_t selected = GetSelectedIndex();
    LCheckedListBoxItem::SetImageOfEveryLook(
        *checkBox, selected >= 0 && mCheckedList ? mCheckedList->GetItemImage(selected) : nullptr);
  }
  return LComboBox::OnCreated();
}

void LCheckedComboBox::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                           const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LComboBox::ReceiveNotification(source, notification);
}

int32_t LCheckedComboBox::SetItemCount(int32_t count) {
  const int32_t result = LComboBox::SetItemCount(count);
  UpdateLook();
  return result;
}

int32_t LCheckedComboBox::SetSelectedIndex(int32_t index) {
  LButton* checkBox = GetCheckBox();
  if (checkBox && mCheckedList) {
    RCPtr<LBitmap> image;
    if (index >= 0 && index < mCheckedList->GetItemCount()) {
      checkBox->SetNormalizedValue(mCheckedList->IsItemChecked(index) ? 1.0 : 0.0);
      image = mCheckedList->GetItemImage(index);
    }
    LCheckedListBoxItem::SetImageOfEveryLook(*checkBox, image);
  }
  return LComboBox::SetSelectedIndex(index);
}

HResult LCheckedComboBox::UpdateLook() {
  const bool ticked = mCheckedList && mCheckedList->GetCheckedCount() > 0;
  return SelectLook(GetStateLook() + (ticked ? kLookTickedOffset : 0));
}

HResult LCheckedComboBox::OnListCheckChanged(const RCPtr<LNotificationDistributor>& /*source*/,
                                             const RCPtr<LNotification>& notification) {
  const int32_t checked = mCheckedList->GetCheckedCount();
  if (checked == 0 || checked == 1) UpdateLook();
  SendNotification(LNotification::Create(kNidItemCheckChange, notification->GetPayload()));
  return S_FALSE;
}

}  // namespace HV
