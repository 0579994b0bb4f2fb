#include "HVFramework/ControlBase/Views/LPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Notification/LNotification.h"

namespace HV {
namespace {

}  // namespace

LPanel::LPanel(LControl* parent, const StringW& name) : LScrollView(parent, name) {}

LPanel::~LPanel() = default;

RCPtr<LControl>& LPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LPanel>(result, parent, descriptor);
}

HResult LPanel::Register(LControlFactory& factory) {
  static constexpr const char16_t* kClassNames[] = {u"Framework.Panel", u"Framework.ScrollChannel",
                                                    u"Framework.ComboSlider.DropDownPanel",
                                                    u"Framework.CenteredSliderBounds"};
  for (const char16_t* name : kClassNames) {
    const HResult registered = factory.RegisterControlCreateFunction(StringW(name), &LPanel::Create);
    if (registered < 0) return registered;
  }
  return S_OK;
}

HResult LPanel::Initialize() {
  const HResult initialized = LScrollView::Initialize();
  if (initialized < 0 || !GetParent()) return initialized;
  mPanelHandler = RCPtr<LNotificationHandler<LPanel>>(new LNotificationHandler<LPanel>(this));
  // Without the registration the panel still works, only without the keys
  // of its siblings.
  const HResult registered = mPanelHandler->SetNotification(
      &LPanel::OnParentSiblingKey, RCPtr<LNotificationDistributor>(GetParent()), kNidSiblingKey);
  return registered < 0 ? E_FAIL : initialized;
}

HResult LPanel::Detach() {
  if (LControl* parent = GetParent(); parent && mPanelHandler) {
    const RCPtr<LNotificationDistributor> source(parent);
    if (mPanelHandler->RemoveHandler(source, kNidSiblingKey))
      LNotificationClient::UnregisterNotification(source, kNidSiblingKey);
  }
  return LScrollView::Detach();
}

void LPanel::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification) {
  if (IsCreated() && mPanelHandler) {
    const RCPtr<LNotificationHandler<LPanel>> handler = mPanelHandler;
    if (handler->Dispatch(source, notification) != 0) return;
  }
  LScrollView::ReceiveNotification(source, notification);
}

// A key the parent offers its children: the panel offers it on to its own
// children's listeners. Not handled there, it is left to the panel's own
// local hot keys (the base).
HResult LPanel::OnParentSiblingKey(const RCPtr<LNotificationDistributor>& /*source*/,
                                   const RCPtr<LNotification>& notification) {
  const RCPtr<LSiblingKeyParam> sibling =
      notification ? DynamicCast<LSiblingKeyParam>(notification->GetPayload()) : nullptr;
  if (!sibling || !sibling->notHandled) return 0;
  const RCPtr<LControl> self(this);
  if (HandleKey(LKeyParam::Create(sibling->GetKey())) == S_FALSE) return 0;
  sibling->notHandled = false;
  return 1;
}

// --- Keys ---

HResult LPanel::OnChildKey(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  if (HandleKey(key) != S_FALSE) return S_OK;
  LControl* parent = GetParent();
  if (!parent) {
    // The window's own hot keys come before the application's.
    PassKeyToHotKeys(key);
    return S_OK;
  }
  key->AppendToPath(this);
  return parent->OnChildKey(key);
}

// --- Focus ---

int64_t LPanel::TabIndexOf(const LControl* child) {
  LControlChildList& children = GetChildren();
  for (uint32_t i = 0; i < children.GetCount(); ++i)
    if (children.GetAt(i, LControlChildList::kTab).Get() == child) return i;
  return -1;
}

bool LPanel::WrapsRound(const LControl* from, const LControl* to, bool backward) {
  const int64_t fromIndex = TabIndexOf(from);
  const int64_t toIndex = TabIndexOf(to);
  return backward ? toIndex >= fromIndex : toIndex <= fromIndex;
}

RCPtr<LControl> LPanel::GetFocusableChild(LControl* child, bool backward) {
  RCPtr<LControl> next = LScrollView::GetFocusableChild(child, backward);
  if (!next || mFocusCycles || !GetParent()) return next;
  return WrapsRound(child, next.Get(), backward) ? nullptr : next;
}

void LPanel::MoveFocus(const RCPtr<LKeyParam>& key) {
  if (!key) return;
  // Ctrl+Tab leaves the innermost container as the base does it.
  if (key->GetKey().code & KeyCode::kCtrl) {
    LScrollView::MoveFocus(key);
    return;
  }
  const RCPtr<LControl> self(this);
  const bool backward = (key->GetKey().code & KeyCode::kShift) != 0;
  LControl* origin = key->GetLastInPath();
  if (origin && origin->GetParent() == this) {
    RCPtr<LControl> at(origin);
    for (uint32_t steps = 0; steps <= GetChildren().GetCount(); ++steps) {
      const RCPtr<LControl> next = GetFocusableChild(at.Get(), backward);
      if (!next) break;
      // A top-level panel that does not cycle leaves the end of its order to
      // the window, which keeps the focus in a modal window or moves it to
      // the next window.
      if (!GetParent() && !mFocusCycles && WrapsRound(at.Get(), next.Get(), backward)) break;
      if (next.Get() == origin) {
        // Round the whole panel without another candidate: in a cycling
        // panel a Tab that left the origin's inside enters it again.
        if (mFocusCycles && origin->ContainsFocus()) {
          const RCPtr<LControl> inner = backward ? origin->GetLastFocusTarget() : origin->GetFirstFocusTarget();
          if (inner) inner->SetFocus(!backward);
        }
        return;
      }
      if (next->CanTakeFocus() || next->CanFocusDescendant()) {
        next->SetFocus(!backward);
        return;
      }
      at = next;
    }
  }
  if (mFocusCycles) return;
  key->AppendToPath(this);
  PassTabUp(key);
}

}  // namespace HV
