#include "HVFramework/Controls/TabControl/LTabControl.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"

namespace HV {
namespace {

RCPtr<LRefCountedObject> AsPayload(const RCPtr<LControl>& control) { return RCPtr<LRefCountedObject>(control.Get()); }

}  // namespace

LTabControl::LTabControl(LControl* parent, const StringW& name) : LPanel(parent, name) {}

RCPtr<LControl>& LTabControl::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                     const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LTabControl>(result, parent, descriptor);
}

HResult LTabControl::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LTabControl::Create);
}

// --- Creation ---

HResult LTabControl::CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  const HResult built = LPanel::CreateFromDescriptor(descriptor);
  if (built >= 0 && mInitialized) SelectPage(mSelectedName);
  return built;
}

HResult LTabControl::Initialize() {
  if (LPanel::Initialize() < 0) return E_FAIL;
  mButtonHolder = FindChildControl(StringW(u"buttonHolder"));
  mPageHolder = FindChildControl(StringW(u"pageHolder"));
  const HResult selected = SelectPageAt(0);
  mHandler = RCPtr<LNotificationHandler<LTabControl>>(new LNotificationHandler<LTabControl>(this));
  if (mButtonHolder)
    for (const RCPtr<LControl>& button : mButtonHolder->GetChildren().Snapshot())
      mHandler->SetNotification(&LTabControl::OnButtonClick, 0, RCPtr<LNotificationDistributor>(button.Get()),
                                kNidLeftClick);
  mInitialized = true;
  return selected;
}

void LTabControl::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                      const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LPanel::ReceiveNotification(source, notification);
}

// --- Pages ---

RCPtr<LControl> LTabControl::ChildAt(const RCPtr<LControl>& holder, int32_t index) {
  if (!holder || index < 0 || static_cast<uint32_t>(index) >= holder->GetChildren().GetCount()) return nullptr;
  return holder->GetChildren().GetAt(static_cast<uint32_t>(index));
}

int32_t LTabControl::GetPageCount() {
  return mButtonHolder ? static_cast<int32_t>(mButtonHolder->GetChildren().GetCount()) : 0;
}

int32_t LTabControl::GetPageIndex(const StringW& name) {
  if (!mButtonHolder) return -1;
  LControlChildList& buttons = mButtonHolder->GetChildren();
  for (uint32_t i = buttons.GetCount(); i-- > 0;)
    if (buttons.GetAt(i)->GetName() == name) return static_cast<int32_t>(i);
  return -1;
}

int32_t LTabControl::GetSelectedPageIndex() { return GetPageIndex(mSelectedName); }

RCPtr<LControl> LTabControl::GetSelectedPage() { return ChildAt(mPageHolder, GetSelectedPageIndex()); }

RCPtr<LControl> LTabControl::GetPage(const StringW& name) { return GetPageAt(GetPageIndex(name)); }

RCPtr<LControl> LTabControl::GetPageAt(int32_t index) {
  return index < GetPageCount() ? ChildAt(mPageHolder, index) : nullptr;
}

RCPtr<LControl> LTabControl::GetPageButton(const StringW& name) { return GetPageButtonAt(GetPageIndex(name)); }

RCPtr<LControl> LTabControl::GetPageButtonAt(int32_t index) { return ChildAt(mButtonHolder, index); }

HResult LTabControl::SelectPage(const StringW& name) {
  if (!mButtonHolder || !mPageHolder) return E_FAIL;
  const RCPtr<LControl> self(this);
  const int32_t previous = GetSelectedPageIndex();
  const int32_t next = GetPageIndex(name);
  if (previous >= 0 && previous != next)
    SendNotification(LNotification::Create(kNidTabBecomingUnselected, AsPayload(GetSelectedPage())));
  for (int32_t i = GetPageCount() - 1; i >= 0; --i)
    if (i != next)
      if (const RCPtr<LControl> page = GetPageAt(i)) page->SetVisible(false);
  mSelectedName = name;
  OnPageSelected(next);
  const RCPtr<LControl> shown = GetPageAt(next);
  if (shown) shown->SetVisible(true);
  SendNotification(LNotification::Create(kNidTabSelected, AsPayload(shown)));
  return S_OK;
}

HResult LTabControl::SelectPageAt(int32_t index) {
  if (!mButtonHolder || index < 0 || index >= GetPageCount()) return E_FAIL;
  const RCPtr<LControl> button =
      mButtonHolder->GetChildren().GetAt(static_cast<uint32_t>(index), LControlChildList::kTab);
  return SelectPage(button->GetName());
}

HResult LTabControl::OnButtonClick(const RCPtr<LNotificationDistributor>& source,
                                   const RCPtr<LNotification>& /*notification*/) {
  const RCPtr<LControl> button = DynamicCast<LControl>(source);
  if (!button) return 1;
  const RCPtr<LControl> self(this);
  const int32_t index = GetPageIndex(button->GetName());
  if (index >= 0) SendNotification(LNotification::Create(kNidTabButtonClicked, AsPayload(button)));
  SelectPage(button->GetName());
  if (index >= 0)
    if (const RCPtr<LControl> page = GetPageAt(index)) page->SetFocus(true);
  return 1;
}

}  // namespace HV
