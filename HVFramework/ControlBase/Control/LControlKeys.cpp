// Keys and focus of a control: the focus path, Tab moves, local hot keys and
// the hot-key fallback; and the control's link to its root window (idle
// registration, what the window ends when a control leaves the tree).
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/RootWindow/LGlobalHotKeyManager.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/Notification/RuntimeNotificationNames.h"
#include "HVFramework/ObjectBase/UIThread.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace HV {

// --- Root window ---

LRootWindow* LControl::GetRootWindow() const {
  const LControl* top = this;
  while (top->mParent) top = top->mParent;
  return top->mRootWindow.Get();
}

HResult LControl::SetRootWindow(LRootWindow* window) {
  HV_ASSERT_UI_THREAD();
  if (mParent) return E_FAIL;
  LRootWindow* const former = mRootWindow.Get();
  if (window == former) return S_OK;
  if (former) {
    former->EndInteractionIn(*this);
    UnregisterIdleInTree(former);
    former->RemoveTopLevel(this);
  }
  mRootWindow = window;
  if (window) {
    window->AddTopLevel(this);
    // An empty text leaves the window the title it was made with.
    if (!mText.IsEmpty()) window->SetCaption(mText);
    RefreshIdleNotifications();
  }
  return S_OK;
}

void LControl::OnLeavingTree() {
  // Local hot keys listen to the parent only while the control is its child.
  if (mParent && !mLocalHotKeys.IsEmpty())
    LNotificationClient::UnregisterNotification(RCPtr<LNotificationDistributor>(mParent), kNidSiblingKey);
  LRootWindow* root = GetRootWindow();
  if (!root) return;
  root->EndInteractionIn(*this);
  UnregisterIdleInTree(root);
}

void LControl::OnJoinedTree() {
  ListenForSiblingKeys();
  if (GetRootWindow()) RefreshIdleNotifications();
}

void LControl::ListenForSiblingKeys() {
  if (mParent && !mLocalHotKeys.IsEmpty())
    RegisterNotification(RCPtr<LNotificationDistributor>(mParent), kNidSiblingKey);
}

// --- Idle ticks ---

HResult LControl::StartIdleNotifications() {
  if (mIdleRequests++ != 0) return S_OK;
  if (LRootWindow* root = GetRootWindow()) RegisterIdle(root);
  return S_OK;
}

HResult LControl::StopIdleNotifications() {
  if (mIdleRequests <= 0) return S_OK;
  if (--mIdleRequests != 0) return S_OK;
  if (mIdleRegistered) {
    if (LRootWindow* root = GetRootWindow()) UnregisterIdleInTree(root);
  }
  return S_OK;
}

void LControl::RegisterIdle(LRootWindow* window) {
  if (mIdleRegistered || mIdleRequests <= 0) return;
  const int32_t flags = NeedsIdleTicks() ? 0 : LNotificationClient::kWithoutTicks;
  if (RegisterNotification(RCPtr<LNotificationDistributor>(window), kNidIdle, flags))
    mIdleRegistered = true;
  else
    mIdleRequests = 0;
}

void LControl::RefreshIdleNotifications() {
  if (LRootWindow* root = GetRootWindow()) RegisterIdle(root);
  for (const RCPtr<LControl>& child : mChildren.Snapshot()) child->RefreshIdleNotifications();
}

void LControl::UnregisterIdleInTree(LRootWindow* window) {
  if (mIdleRegistered) {
    mIdleRegistered = false;
    LNotificationClient::UnregisterNotification(RCPtr<LNotificationDistributor>(window), kNidIdle);
  }
  for (const RCPtr<LControl>& child : mChildren.Snapshot()) child->UnregisterIdleInTree(window);
}

// --- Which control can take the focus ---

bool LControl::IsFocusSuppressed(bool recursive) const {
  for (const LControl* control = this; control; control = control->mParent) {
    if (control->mNotFocusable) return true;
    if (!recursive || control->mFocusRoot) break;
  }
  return false;
}

bool LControl::CanTakeFocus() {
  if (!AcceptsInput() || mNotFocusable || CanFocusDescendant()) return false;
  return !mParent || mFocusRoot || !mParent->IsFocusSuppressed(true);
}

bool LControl::CanFocusDescendant() {
  if (!AcceptsInput() || mNotFocusable) return false;
  const std::vector<RCPtr<LControl>> children = mChildren.Snapshot();
  for (auto child = children.rbegin(); child != children.rend(); ++child)
    if ((*child)->CanTakeFocus() || (*child)->CanFocusDescendant()) return true;
  return false;
}

LControl* LControl::GetFocusPathChild() {
  for (uint32_t i = mChildren.GetCount(); i-- > 0;) {
    LControl* child = mChildren.GetAt(i).Get();
    if (child->mInteraction & (kHasFocus | kContainsFocus)) return child;
  }
  return nullptr;
}

LControl* LControl::GetFocusScope() {
  if (IsFocusScope()) return this;
  // A top-level control is its own scope rather than the application's main
  // control: a dialog's tree lies in a window of its own, and its focus
  // must not be looked for in the main window's.
  return mParent ? mParent->GetFocusScope() : this;
}

RCPtr<LControl> LControl::GetFocusableChild(LControl* child, bool backward) {
  if (!child || child->mParent != this) return nullptr;
  const uint32_t count = mChildren.GetCount();
  uint32_t at = 0;
  while (at < count && mChildren.GetAt(at, ChildControlList::kTab).Get() != child) ++at;
  if (at == count) return nullptr;
  for (uint32_t step = 1; step <= count; ++step) {
    const uint32_t index = backward ? (at + count - step) % count : (at + step) % count;
    const RCPtr<LControl>& candidate = mChildren.GetAt(index, ChildControlList::kTab);
    if (candidate->AcceptsInput()) return candidate;
  }
  return nullptr;
}

RCPtr<LControl> LControl::GetFirstFocusTarget() {
  const uint32_t count = mChildren.GetCount();
  for (uint32_t i = 0; i < count; ++i) {
    const RCPtr<LControl> child = mChildren.GetAt(i, ChildControlList::kTab);
    if (child->CanTakeFocus() || child->CanFocusDescendant()) return child;
  }
  return nullptr;
}

RCPtr<LControl> LControl::GetLastFocusTarget() {
  for (uint32_t i = mChildren.GetCount(); i-- > 0;) {
    const RCPtr<LControl> child = mChildren.GetAt(i, ChildControlList::kTab);
    if (child->CanTakeFocus() || child->CanFocusDescendant()) return child;
  }
  return nullptr;
}

// --- Moving the focus ---

HResult LControl::SetFocus(bool forward) {
  HV_ASSERT_UI_THREAD();
  const RCPtr<LControl> self(this);
  LRootWindow* root = GetRootWindow();
  if (!HasFocus() && root) {
    LControl* owner = root->GetFocusControl();
    if (owner && owner != this && !owner->CanReleaseFocus()) return E_FAIL;
  }
  const bool canTake = CanTakeFocus();
  if (HasFocus() && canTake) return S_OK;
  if (CanFocusDescendant()) {
    RCPtr<LControl> target;
    if (ContainsFocus()) {
      LControl* pathChild = GetFocusPathChild();
      if (!pathChild) return E_FAIL;
      if (pathChild->CanTakeFocus() || pathChild->CanFocusDescendant()) return pathChild->SetFocus(forward);
    }
    target = forward ? GetFirstFocusTarget() : GetLastFocusTarget();
    return target ? target->SetFocus(forward) : E_FAIL;
  }
  if (canTake) {
    HResult result = S_OK;
    if (ContainsFocus()) {
      LControl* pathChild = GetFocusPathChild();
      mInteraction = (mInteraction | kHasFocus) & ~kContainsFocus;
      result = pathChild ? pathChild->OnFocusLost() : S_OK;
    } else {
      mInteraction |= kHasFocus;
      if (mParent) result = mParent->SetContainsFocus(this);
    }
    if (root) root->SetFocusControl(this);
    UpdateConditions();
    return result;
  }
  if (HasFocus()) return E_FAIL;
  // Nothing here can take the focus: it stays where it is.
  LControl* top = GetTopLevelControl();
  if (top != this && (top->HasFocus() || top->ContainsFocus())) return top->SetFocus(true);
  return S_FALSE;
}

HResult LControl::SetContainsFocus(LControl* child) {
  const RCPtr<LControl> self(this);
  if (ContainsFocus()) {
    for (uint32_t i = mChildren.GetCount(); i-- > 0;) {
      const RCPtr<LControl> other = mChildren.GetAt(i);
      if (other.Get() != child && (other->mInteraction & (kHasFocus | kContainsFocus)))
        return other->OnFocusLost() >= 0 ? S_OK : E_FAIL;
    }
    return S_OK;
  }
  mInteraction |= kContainsFocus;
  if (HasFocus()) {
    mInteraction &= ~kHasFocus;
    UpdateConditions();
    return S_FALSE;
  }
  const HResult climbed = mParent ? mParent->SetContainsFocus(this) : S_OK;
  UpdateConditions();
  return climbed >= 0 ? S_OK : E_FAIL;
}

HResult LControl::OnFocusLost() {
  const RCPtr<LControl> self(this);
  if (HasFocus()) {
    mInteraction &= ~kHasFocus;
    UpdateConditions();
    if (LRootWindow* root = GetRootWindow(); root && root->GetFocusControl() == this) root->ClearFocusControl();
    return S_FALSE;
  }
  if (!ContainsFocus()) return S_OK;
  mInteraction &= ~kContainsFocus;
  LControl* pathChild = GetFocusPathChild();
  const HResult result = pathChild ? pathChild->OnFocusLost() : E_FAIL;
  UpdateConditions();
  return result >= 0 ? S_OK : E_FAIL;
}

void LControl::GiveUpFocus() {
  if (!HasFocus() && !ContainsFocus()) return;
  const RCPtr<LControl> self(this);
  OnFocusLost();
  for (LControl* ancestor = mParent; ancestor; ancestor = ancestor->mParent)
    ancestor->ChangeInteractionFlags(0, kContainsFocus);
}

void LControl::UpdateFocusAfterStateChange() {
  if (!mParent) return;
  const bool holdsFocus = HasFocus() || ContainsFocus();
  if (holdsFocus && !AcceptsInput()) {
    mParent->SetFocus(true);
    // The parent found nowhere else to put it: the focus leaves the tree.
    GiveUpFocus();
    return;
  }
  if (!holdsFocus && mParent->HasFocus() && (CanTakeFocus() || CanFocusDescendant())) SetFocus(true);
}

void LControl::SetNotFocusable(bool notFocusable) {
  mNotFocusable = notFocusable;
  const int32_t tabStop = mLayout->tabStop;
  if (notFocusable && tabStop >= 0) OwnLayout().tabStop = tabStop == 0 ? -1 : -tabStop;
  if (!notFocusable && tabStop < 0) OwnLayout().tabStop = -tabStop;
  if (!mParent) return;
  mParent->mChildren.MarkChanged();
  if (!HasFocus() && mParent->HasFocus() && (CanTakeFocus() || CanFocusDescendant()))
    SetFocus(true);
  else if (notFocusable && HasFocus())
    mParent->SetFocus(true);
}

// --- Keys ---

void LControl::OnKey(const RCPtr<LKeyParam>& key) {
  if (!key || !AcceptsInput()) return;
  const RCPtr<LControl> self(this);
  const RCPtr<LSiblingKeyParam> sibling = LSiblingKeyParam::Create(key->GetKey(), this);
  SendNotification(LNotification::Create(kNidSiblingKey, sibling));
  if (!sibling->notHandled || ProcessKey(key) != S_FALSE) return;
  key->AppendToPath(this);
  if (!key->IsTab()) {
    if (mParent)
      mParent->OnChildKey(key);
    else
      PassKeyToHotKeys(key);
    return;
  }
  if (!mWantsTab) PassTabUp(key);
}

HResult LControl::OnChildKey(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  if (HandleKey(key) == S_FALSE) PassKeyToHotKeys(key);
  return S_OK;
}

void LControl::PassKeyToHotKeys(const RCPtr<LKeyParam>& key) {
  if (LRootWindow* root = GetRootWindow())
    if (root->HandleHotKey(key) != S_FALSE) return;
  if (LGlobalHotKeyManager* application = GetApplicationHotKeys()) application->HandleKey(key);
}

void LControl::PassTabUp(const RCPtr<LKeyParam>& key) {
  if (mParent)
    mParent->MoveFocus(key);
  else if (LRootWindow* root = GetRootWindow())
    root->CycleFocus(key);
}

HResult LControl::HandleKey(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  const RCPtr<LNotificationClientPool> pool = FindClientPool(kNidSiblingKey.GetId());
  if (!pool || pool->GetCount() == 0) return S_FALSE;
  std::vector<RCPtr<LControl>> listeners;
  for (uint32_t i = 0; i < pool->GetCount(); ++i)
    if (RCPtr<LControl> control = DynamicCast<LControl>(RCPtr<LRefCountedObject>(pool->GetClientAt(i).Get())))
      listeners.push_back(control);
  LControl* from = key->GetLastInPath();
  const RCPtr<LSiblingKeyParam> sibling = LSiblingKeyParam::Create(key->GetKey(), from);
  const RCPtr<LNotification> notification = LNotification::Create(kNidSiblingKey, sibling);
  const std::vector<RCPtr<LControl>> order = OrderSiblingKeyClients(listeners);
  for (auto listener = order.rbegin(); listener != order.rend(); ++listener) {
    if (listener->Get() == from) continue;
    (*listener)->ReceiveNotification(RCPtr<LNotificationDistributor>(this), notification);
    if (!sibling->notHandled) return S_OK;
  }
  return S_FALSE;
}

std::vector<RCPtr<LControl>> LControl::OrderSiblingKeyClients(const std::vector<RCPtr<LControl>>& listeners) {
  // Children by tab position; the others before every child, in the order
  // they registered. A stable sort keeps equal positions in registration order.
  std::vector<std::pair<int64_t, RCPtr<LControl>>> keyed;
  int64_t outsider = INT32_MIN;
  for (const RCPtr<LControl>& listener : listeners) {
    int64_t position = outsider;
    if (listener->mParent == this) {
      for (uint32_t i = 0; i < mChildren.GetCount(); ++i)
        if (mChildren.GetAt(i, ChildControlList::kTab) == listener) position = int64_t{INT32_MAX} + i;
    } else {
      ++outsider;
    }
    keyed.emplace_back(position, listener);
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<RCPtr<LControl>> order;
  for (auto& entry : keyed) order.push_back(std::move(entry.second));
  return order;
}

void LControl::OnSiblingKey(const RCPtr<LSiblingKeyParam>& param) {
  if (!param || !AcceptsInput()) return;
  const StringW name = mLocalHotKeys.FindName(param->GetKey());
  if (name.IsEmpty()) return;
  param->notHandled = false;
  SendNotification(LNotification::Create(name.GetText(), param));
}

void LControl::MoveFocus(const RCPtr<LKeyParam>& key) {
  HV_ASSERT_UI_THREAD();
  if (!key) return;
  const RCPtr<LControl> self(this);
  const uint32_t code = key->GetKey().code;
  if (code & KeyCode::kCtrl) {
    // Ctrl+Tab leaves the innermost container as a plain Tab (Shift kept).
    KeyCode tab;
    tab.code = KeyCode::kVirtualKeyFlag | (9u << 16) | (code & KeyCode::kShift);
    const RCPtr<LKeyParam> outer = LKeyParam::Create(tab);
    outer->AppendToPath(this);
    PassTabUp(outer);
    return;
  }
  const bool backward = (code & KeyCode::kShift) != 0;
  LControl* origin = key->GetLastInPath();
  if (!origin || origin->mParent != this) return;
  // The tab order's index of a child, to see when the walk wraps.
  const auto tabIndex = [this](const LControl* child) {
    for (uint32_t i = 0; i < mChildren.GetCount(); ++i)
      if (mChildren.GetAt(i, ChildControlList::kTab).Get() == child) return static_cast<int64_t>(i);
    return int64_t{-1};
  };
  RCPtr<LControl> at(origin);
  for (uint32_t steps = 0; steps <= mChildren.GetCount(); ++steps) {
    const RCPtr<LControl> next = GetFocusableChild(at.Get(), backward);
    const bool wrapped = next && (backward ? tabIndex(next.Get()) >= tabIndex(at.Get())
                                           : tabIndex(next.Get()) <= tabIndex(at.Get()));
    if (!next || next.Get() == origin || (wrapped && !key->wraps)) break;
    if (next->CanTakeFocus() || next->CanFocusDescendant()) {
      next->SetFocus(!backward);
      return;
    }
    at = next;
  }
  key->AppendToPath(this);
  PassTabUp(key);
}

}  // namespace HV
