#include "HVFramework/Controls/CheckedListBox/LCheckedListBoxItem.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"

namespace HV {

LCheckedListBoxItem::LCheckedListBoxItem(LControl* parent, const StringW& name) : LListBoxItem(parent, name) {}

RCPtr<LControl>& LCheckedListBoxItem::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                             const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LCheckedListBoxItem>(result, parent, descriptor);
}

HResult LCheckedListBoxItem::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LCheckedListBoxItem::Create);
}

LButton* LCheckedListBoxItem::FindCheckBox(const LControl& owner) {
  return dynamic_cast<LButton*>(owner.FindChildControl(StringW(u"checkBox")).Get());
}

LButton* LCheckedListBoxItem::GetCheckBox() const { return FindCheckBox(*this); }

HResult LCheckedListBoxItem::Initialize() {
  const HResult base = LControl::Initialize();
  mHandler = RCPtr<LNotificationHandler<LCheckedListBoxItem>>(new LNotificationHandler<LCheckedListBoxItem>(this));
  if (LButton* checkBox = GetCheckBox()) {
    mHandler->SetNotification(&LCheckedListBoxItem::OnCheckBoxHoverChanged, RCPtr<LNotificationDistributor>(checkBox),
                              kNidHoverConditionChange);
    checkBox->SetNotFocusable(true);
    checkBox->SetUseParentToolTip(true);
  }
  return base;
}

void LCheckedListBoxItem::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                              const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LListBoxItem::ReceiveNotification(source, notification);
}

// The row keeps its hover look while the mouse is over its check box. 0, so
// that the list box hears the check box too.
HResult LCheckedListBoxItem::OnCheckBoxHoverChanged(const RCPtr<LNotificationDistributor>& /*source*/,
                                                    const RCPtr<LNotification>& notification) {
  const RCPtr<LConditionsParam> conditions = DynamicCast<LConditionsParam>(notification->GetPayload());
  const bool entered =
      conditions && (conditions->current & kMouseOver) && !(conditions->previous & kMouseOver);
  SetHoverOverride(entered);
  return S_OK;
}

bool LCheckedListBoxItem::SetItemLook(int32_t index, bool exclusive) {
  return Succeeded(SetLookWeight(index, 1.0f, exclusive));
}

HResult LCheckedListBoxItem::SelectCheckBoxLook(int32_t index) {
  LButton* checkBox = GetCheckBox();
  if (!IsCreated() || !checkBox) return S_FALSE;
  return checkBox->SelectLook(index);
}

void LCheckedListBoxItem::SetCheckBoxChecked(bool checked) {
  if (LButton* checkBox = GetCheckBox()) checkBox->SetNormalizedValue(checked ? 1.0 : 0.0);
}

void LCheckedListBoxItem::SetImageOfEveryLook(LControl& control, const RCPtr<LBitmap>& bitmap) {
  for (int32_t look = control.GetLookCount() - 1; look >= 0; --look) {
    if (control.GetLook(look)) control.SetLookBitmap(bitmap, ResizeType::Stretch, look, false);
  }
}

void LCheckedListBoxItem::SetCheckBoxImage(const RCPtr<LBitmap>& bitmap) {
  if (LButton* checkBox = GetCheckBox()) SetImageOfEveryLook(*checkBox, bitmap);
}

void LCheckedListBoxItem::SetCheckBoxVisible(bool visible) {
  if (LButton* checkBox = GetCheckBox()) checkBox->SetVisible(visible);
}

}  // namespace HV
