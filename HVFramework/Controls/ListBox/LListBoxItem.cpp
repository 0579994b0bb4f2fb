#include "HVFramework/Controls/ListBox/LListBoxItem.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/Button/LButton.h"

#include <algorithm>
#include <cmath>

namespace HV {

LListBoxItem::LListBoxItem(LControl* parent, const StringW& name) : LControl(parent, name) {}

RCPtr<LControl>& LListBoxItem::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                      const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LListBoxItem>(result, parent, descriptor);
}

HResult LListBoxItem::Register(LControlFactory& factory) {
  const HResult item = factory.RegisterControlCreateFunction(StringW(kClassName), &LListBoxItem::Create);
  if (Failed(item)) return item;
  return factory.RegisterControlCreateFunction(StringW(kOverlayClassName), &LListBoxItem::Create);
}

void LListBoxItem::OnValueChanged() { RefreshLook(); }

void LListBoxItem::OnConditionsChanged(const RCPtr<LConditionsParam>& /*conditions*/) { RefreshLook(); }

HResult LListBoxItem::OnCreated() {
  SetNotFocusable(true);
  return S_OK;
}

HResult LListBoxItem::ApplyCreateParams() {
  const HResult base = LControl::ApplyCreateParams();
  StringW text;
  if (GetCreateParam(u"SEPARATOR_HEIGHT", text)) mSeparatorHeight = std::max(0, text.ToInt());
  return base;
}

StringW LListBoxItem::GetToolTipText() const {
  return IsTextClipped() ? GetText() : LControl::GetToolTipText();
}

HResult LListBoxItem::StartMouseCapture(int32_t button, int32_t x, int32_t y) {
  LControl* list = GetParent();
  if (!mDropDownMode || !list) return LControl::StartMouseCapture(button, x, y);
  const Rect& rect = GetRect();
  return list->StartMouseCapture(button, x + static_cast<int32_t>(std::lround(rect.x)),
                                 y + static_cast<int32_t>(std::lround(rect.y)));
}

int32_t LListBoxItem::ComputeLookIndex() {
  const bool selected = GetNormalizedValue() >= 0.5;
  if (mSeparator) return kLookSelectedDisabled;
  if (!IsEnabled(true)) return selected ? kLookSelectedDisabled : kLookDisabled;
  const uint32_t word = GetConditions();
  const bool hot = (word & kHover) != 0;
  const bool captured = (word & kCapture) != 0;
  const bool pressed = captured && (word & kLeftDrag);
  int32_t row = kLookNormal;
  if (pressed)
    row = hot ? kLookPressed : kLookHot;
  else if (hot && !captured)
    row = kLookHot;
  return row + (mMarked ? kLookMarkedOffset : 0) + (selected ? kLookSelectedOffset : 0);
}

void LListBoxItem::SetDropDownMode(bool dropDown) {
  mDropDownMode = dropDown;
  // A check box keeps its clicks (a checked combo box's rows are ticked in
  // the open list); a passive one lets them through by itself.
  ChildControlList& children = GetChildren();
  for (uint32_t i = 0; i < children.GetCount(); ++i) {
    LControl& part = *children.GetAt(i);
    if (!dynamic_cast<LButton*>(&part)) part.SetExcludedFromHitTesting(dropDown);
  }
}

void LListBoxItem::SetMarked(bool marked) {
  mMarked = marked;
  RefreshLook();
}

bool LListBoxItem::SetSeparator(bool separator) {
  if (separator == mSeparator) return mSeparator;
  mSeparator = separator;
  if (separator) SetText(StringW());
  ApplySeparatorHeight();
  RefreshLook();
  return mSeparator;
}

void LListBoxItem::ApplySeparatorHeight() {
  const RCPtr<LControlDescriptor>& skin = GetDescriptor();
  if (mSeparatorHeight <= 0 || !skin || !skin->GetLayout() || !GetLayout()) return;
  const LLayoutDescriptor& layout = *GetLayout();
  LLayoutSize height = skin->GetLayout()->size[1];
  if (mSeparator) height = LLayoutSize{2, {}, 0, static_cast<double>(mSeparatorHeight)};
  SetAxisLayout(1, layout.position[1], height, layout.docked[1]);
}

void LListBoxItem::RefreshLook() {
  SelectLook(ComputeLookIndex());
  const Rect& rect = GetRect();
  Invalidate({0, 0, rect.width, rect.height}, 0);
}

}  // namespace HV
