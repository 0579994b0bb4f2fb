#include "HVFramework/Controls/ComboMenu/LComboMenu.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"

#include <algorithm>
#include <cmath>

namespace HV {
namespace {

bool IsShownWithSize(const LControl& control) {
  const LControl::Rect& rect = control.GetRect();
  return control.IsVisible() && rect.width > 0 && rect.height > 0;
}

}  // namespace

LComboMenu::LComboMenu(LControl* parent, const StringW& name) : LDropDownControl(parent, name) {}

RCPtr<LControl>& LComboMenu::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                    const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LComboMenu>(result, parent, descriptor);
}

HResult LComboMenu::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LComboMenu::Create);
}

IMenuPopupControl* LComboMenu::GetPopupMenu() const {
  return dynamic_cast<IMenuPopupControl*>(GetPopupControl().Get());
}

RCPtr<LMenuDescriptor> LComboMenu::GetPopupMenuDescriptor() const {
  IMenuPopupControl* popup = GetPopupMenu();
  return popup ? popup->GetMenu() : nullptr;
}

HResult LComboMenu::Initialize() {
  if (LDropDownControl::Initialize() < 0) return E_FAIL;
  mHandler = RCPtr<LNotificationHandler<LComboMenu>>(new LNotificationHandler<LComboMenu>(this));
  const RCPtr<LControl> popup = GetPopupControl();
  if (!popup) return S_OK;
  const RCPtr<LNotificationDistributor> source(popup.Get());
  mHandler->SetNotification(&LComboMenu::OnPopupVisibilityChanged, source, kNidVisibilityConditionChange);
  mHandler->SetNotification(&LComboMenu::OnPopupItemActivated, source, kNidItemActivated);
  if (IMenuPopupControl* menu = GetPopupMenu()) menu->SetAutoClose(false);
  return S_OK;
}

HResult LComboMenu::OnCreated() {
  if (const RCPtr<LControl> popup = GetPopupControl()) mPopupX = popup->GetLayout()->position[0].absolute;
  return S_OK;
}

void LComboMenu::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LDropDownControl::ReceiveNotification(source, notification);
}

bool LComboMenu::IsDropDownShown() {
  const RCPtr<LControl> popup = GetPopupControl();
  return popup && IsShownWithSize(*popup);
}

double LComboMenu::ClampedPopupX(const LControl& popup) {
  LControl* top = GetTopLevelControl();
  const double titleInTop = GetOriginInRoot().x - top->GetOriginInRoot().x;
  double x = titleInTop + mPopupX;
  const double width = popup.GetRect().width;
  const double room = top->GetRect().width;
  if (x + width > room) x = std::max(room - width, 0.0);
  return x - titleInTop;
}

HResult LComboMenu::ShowDropDown(bool show) {
  const RCPtr<LComboMenu> self(this);
  const RCPtr<LControl> popup = GetPopupControl();
  if (!popup) return S_OK;
  if (show) {
    const double x = ClampedPopupX(*popup);
    const LLayoutDescriptor& layout = *popup->GetLayout();
    if (x != layout.position[0].absolute) {
      LLayoutPosition position = layout.position[0];
      position.absolute = x;
      popup->SetAxisLayout(0, position, layout.size[0], layout.docked[0]);
    }
  }
  popup->SetVisible(show);
  if (!show) {
    SelectLook(IsMouseOver() ? kHoverLook : kNormalLook);
    return S_OK;
  }
  popup->SetFocus(true);
  SelectLook(kOpenLook);
  // A press still held on the title goes on in the menu: dragging into it
  // and releasing on an item chooses that item.
  if (GetConditions() & kLeftDown)
    popup->StartMouseCapture(1, static_cast<int32_t>(std::lround(mPressPoint.x)),
                             static_cast<int32_t>(std::lround(mPressPoint.y)));
  return S_OK;
}

void LComboMenu::SelectStateLook() {
  SelectLook(IsDropDownShown() ? kOpenLook : (IsMouseOver() ? kHoverLook : kNormalLook));
}

LComboMenu* LComboMenu::FindOpenSibling() const {
  LControl* parent = GetParent();
  if (!parent) return nullptr;
  LControlChildList& children = parent->GetChildren();
  for (uint32_t i = children.GetCount(); i-- > 0;) {
    auto* title = dynamic_cast<LComboMenu*>(children.GetAt(i).Get());
    if (title && title->IsDropDownShown()) return title;
  }
  return nullptr;
}

void LComboMenu::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  if (!conditions) return;
  const RCPtr<LComboMenu> self(this);
  if (IsEnabled(true)) {
    SelectStateLook();
    const bool mouseCame = (conditions->current & kMouseOver) && !(conditions->previous & kMouseOver);
    LComboMenu* open = mouseCame ? FindOpenSibling() : nullptr;
    if (open && open != this) {
      const RCPtr<LComboMenu> held(open);
      open->GetPopupControl()->SetVisible(false);
      open->SelectLook(open->IsMouseOver() ? kHoverLook : kNormalLook);
      ShowDropDown(true);
    }
  } else {
    SelectLook(kDisabledLook);
  }
  const bool leftWentDown = (conditions->current & kLeftDown) && !(conditions->previous & kLeftDown);
  if (leftWentDown) {
    const RCPtr<LControl> popup = GetPopupControl();
    const Rect place = popup ? popup->GetRect() : Rect{};
    mPressPoint = {conditions->x - place.x, conditions->y - place.y};
  }
  LDropDownControl::OnConditionsChanged(conditions);
}

HResult LComboMenu::OnPopupItemActivated(const RCPtr<LNotificationDistributor>& /*source*/,
                                         const RCPtr<LNotification>& /*notification*/) {
  if (const RCPtr<LControl> popup = GetPopupControl()) popup->SetVisible(false);
  SelectLook(IsMouseOver() ? kHoverLook : kNormalLook);
  return S_FALSE;
}

HResult LComboMenu::OnPopupVisibilityChanged(const RCPtr<LNotificationDistributor>& /*source*/,
                                             const RCPtr<LNotification>& /*notification*/) {
  SelectStateLook();
  return S_OK;
}

}  // namespace HV
