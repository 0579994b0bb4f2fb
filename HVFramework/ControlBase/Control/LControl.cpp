#include "HVFramework/ControlBase/Control/LControl.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/LFontTextMeasurer.h"
#include "HVFramework/ControlBase/Control/LValueParam.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/Notification/RuntimeNotificationNames.h"
#include "HVFramework/ObjectBase/UIThread.h"
#include "HVFramework/ObjectBase/ValueScope.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace HV {
namespace {

const RCPtr<LLayoutDescriptor>& DefaultLayout() {
  static const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  return layout;
}

// The text read as a decimal number the way the C library reads one: leading
// blanks skipped, the longest numeric prefix taken, 0 when there is none.
double TextToDouble(const StringW& text) {
  std::string ascii;
  for (char16_t unit : text.GetView()) ascii.push_back(unit < 0x80 ? static_cast<char>(unit) : '\x7f');
  return std::strtod(ascii.c_str(), nullptr);
}

}  // namespace

LControl::LControl(LControl* parent, const StringW& name)
    : mName(name), mLayout(DefaultLayout()) {
  if (LControlFactory* factory = GetApplicationControlFactory()) {
    const LControlDescriptor* parentDescriptor = parent ? parent->mDescriptor.Get() : nullptr;
    mStringTable = factory->GetControlStringTable(parentDescriptor, name);
  }
  // A sibling of the same name refuses the attachment; the control then
  // starts without a parent (and the attachment never holds the only count).
  if (parent && !parent->mChildren.Find(name)) SetParent(parent);
}

// Out of line: members of classes only declared in the header die here.
LControl::~LControl() = default;

// --- Tree ---

HResult LControl::SetParent(LControl* parent) {
  HV_ASSERT_UI_THREAD();
  if (parent == mParent) return S_FALSE;
  const RCPtr<LControl> self(this);
  // The non-clipping controls of this subtree (itself included) that its
  // ancestors count, so that their hit tests and second paint pass look in.
  const int32_t carried = mNonClippingDescendants + (mLayout->clipToParent ? 0 : 1);
  if (mParent) {
    InvalidateOwnArea();  // the area it leaves
    for (int32_t i = 0; i < carried; ++i) mParent->DecrementAncestorCount();
    mParent->mChildren.Remove(this);
  }
  if (parent) {
    parent->ReleasePendingChildren();
    const HResult added = parent->mChildren.Add(self);
    if (added == S_OK) {
      for (int32_t i = 0; i < carried; ++i) parent->IncrementAncestorCount();
      OnJoinedTree();
    }
    return added;
  }
  return S_OK;
}

HResult LControl::RemoveChildControl(const RCPtr<LControl>& child) {
  HV_ASSERT_UI_THREAD();
  if (!child || child->mParent != this) return E_INVALIDARG;
  child->Detach();
  const bool firstPending = mPendingRelease.GetCount() == 0;
  mPendingRelease.AddItem(child);
  if (firstPending) StartIdleNotifications();
  return S_OK;
}

void LControl::ReleasePendingChildren() {
  if (mPendingRelease.GetCount() == 0) return;
  // Detach may reach back into this control; work on the array taken out.
  RCPtrArray<LControl> pending;
  pending.AppendItems(mPendingRelease.AsConst());
  mPendingRelease.SetCount(0);
  StopIdleNotifications();
  for (uint32_t i = 0; i < pending.GetCount(); ++i) pending.GetAt(i)->Detach();
}

HResult LControl::Rename(const StringW& name) {
  if (mParent) return mParent->mChildren.Rename(this, name);
  if (mName == name) return S_FALSE;
  mName = name;
  return S_OK;
}

int32_t LControl::FindDescendantControls(const StringW& name, RCPtrArray<LControl>& found) const {
  found.SetCount(0);
  const std::vector<RCPtr<LControl>> children = mChildren.Snapshot();
  for (auto at = children.rbegin(); at != children.rend(); ++at) {
    const RCPtr<LControl>& child = *at;
    if (child->GetName() == name) found.AddItem(child);
    RCPtrArray<LControl> inner;
    child->FindDescendantControls(name, inner);
    for (uint32_t i = inner.GetCount(); i-- > 0;) found.AddItem(inner.GetAt(i));
  }
  return static_cast<int32_t>(found.GetCount());
}

LControl* LControl::GetTopLevelControl() {
  LControl* top = this;
  while (top->mParent) top = top->mParent;
  return top;
}

HResult LControl::Detach() {
  HV_ASSERT_UI_THREAD();
  const RCPtr<LControl> self(this);
  SetVisible(false);
  SetClipToParent(true);
  // Out of the tree the control can hold no capture, focus, press or hover;
  // its window forgets it first.
  OnLeavingTree();
  ChangeInteractionFlags(0, ~0u);
  mHandler = nullptr;
  // Children waiting for release go now, with the request made for them.
  ReleasePendingChildren();
  StopScrollAnimation(0);
  StopScrollAnimation(1);
  while (mIdleRequests > 0) StopIdleNotifications();
  if (mParent)
    mParent->mChildren.Remove(this);
  else
    SetRootWindow(nullptr);
  return S_OK;
}

void LControl::DetachAllChildren() {
  for (const RCPtr<LControl>& child : mChildren.Snapshot()) mChildren.Remove(child.Get());
}

// --- Idle ticks ---

void LControl::ProcessIdle() {
  const RCPtr<LControl> self(this);
  AdvanceScrollMotion();
  ReleasePendingChildren();
  OnIdleTick();
}

// --- State kept in the layout descriptor ---

void LControl::UnshareLayout() const {
  mLayout = DynamicCast<LLayoutDescriptor>(mLayout->CreateCopy());
  mLayoutShared = false;
}

bool LControl::IsVisible(bool recursive) const {
  for (const LControl* control = this; control; control = recursive ? control->mParent : nullptr) {
    if (!control->mLayout->visible || control->mRect.width <= 0 || control->mRect.height <= 0) return false;
  }
  return true;
}

bool LControl::IsEnabled(bool recursive) const {
  for (const LControl* control = this; control; control = recursive ? control->mParent : nullptr) {
    if (!control->mLayout->enabled) return false;
  }
  return true;
}

bool LControl::SetVisible(bool visible) {
  HV_ASSERT_UI_THREAD();
  if (mLayout->visible != visible) {
    // What the control covered is drawn again: its parent shows through
    // where it was, or the control itself where it now stands.
    if (!visible) InvalidateOwnArea();
    OwnLayout().visible = visible;
    if (visible) InvalidateOwnArea();
    UpdateConditions();
    UpdateFocusAfterStateChange();
  }
  return IsVisible(true);
}

void LControl::SetEnabled(bool enabled) {
  HV_ASSERT_UI_THREAD();
  if (mLayout->enabled == enabled) return;
  OwnLayout().enabled = enabled;
  UpdateConditions();
  UpdateFocusAfterStateChange();
}

// --- Conditions ---

uint32_t LControl::GetConditions() const {
  uint32_t word = mInteraction;
  if (IsEnabled(true)) word |= kEnabled;
  if (IsVisible(true)) word |= kVisible;
  if ((mInteraction & kMouseOver) || mHoverOverride) word |= kHover;
  return word;
}

void LControl::UpdateConditions() {
  const uint32_t word = GetConditions();
  if (word == mConditions->current) return;
  const RCPtr<LControl> self(this);
  const uint32_t previous = mConditions->current;
  mConditions->previous = previous;
  mConditions->current = word;
  mConditions->x = mMouseX;
  mConditions->y = mMouseY;
  const uint32_t changed = previous ^ word;
  UpdateCursor(previous, word);
  if (mDragMode != 0 && (changed & kLeftDrag) && !(word & kLeftDrag)) OnDragEnd();
  OnConditionsChanged(mConditions);
  static constexpr struct {
    uint32_t bits;
    const NotificationName& name;
  } kNotifications[] = {
      {kHasFocus, kNidHasFocusConditionChange},
      {kContainsFocus, kNidContainsFocusConditionChange},
      {kHover, kNidHoverConditionChange},
      {kCapture, kNidCaptureConditionChange},
      {kLeftDown | kLeftDrag, kNidLeftDragConditionChange},
      {kMiddleDown | kMiddleDrag, kNidMiddleDragConditionChange},
      {kRightDown | kRightDrag, kNidRightDragConditionChange},
      {kEnabled, kNidEnabledConditionChange},
      {kVisible, kNidVisibilityConditionChange},
  };
  const RCPtr<LRefCountedObject> payload = mConditions;
  SendNotification(LNotification::Create(kNidConditionChange, payload));
  for (const auto& entry : kNotifications)
    if (changed & entry.bits) SendNotification(LNotification::Create(entry.name, payload));
  if (mDragMode != 0 && (changed & kLeftDrag) && (word & kLeftDrag)) OnDragStart();
  // Hover moves to the control now under the pointer when this one stops
  // being reachable: hidden under the pointer, or its capture ended elsewhere.
  const bool hiddenUnderMouse = (word & kMouseOver) && (changed & kVisible) && !(word & kVisible) && !(word & kCapture);
  const bool captureEndedElsewhere = (changed & kCapture) && !(word & kCapture) && !(word & kMouseOver);
  if (hiddenUnderMouse || captureEndedElsewhere)
    if (LRootWindow* root = GetRootWindow()) root->RecheckHover();
  if (changed & (kEnabled | kVisible)) {
    const std::vector<RCPtr<LControl>> children = mChildren.Snapshot();
    for (auto child = children.rbegin(); child != children.rend(); ++child) (*child)->UpdateConditions();
  }
}

void LControl::UpdateCursor(uint32_t previous, uint32_t word) {
  if (mCursor == 0) return;
  LRootWindow* root = GetRootWindow();
  if (!root) return;
  const uint32_t changed = previous ^ word;
  const bool entered = (changed & kMouseOver) && (word & kMouseOver) && !(word & kCapture);
  const bool left = (changed & kMouseOver) && !(word & kMouseOver) && !(word & kCapture);
  const bool captureEndedOutside = (changed & kCapture) && !(word & kCapture) && !(word & kMouseOver);
  if (entered)
    ApplyCursor();
  else if (left || captureEndedOutside)
    root->SetCursor(mCursorBefore);
}

void LControl::ChangeInteractionFlags(uint32_t set, uint32_t clear) {
  constexpr uint32_t kInteraction = kEnabled - 1;
  const uint32_t word = ((mInteraction & ~clear) | set) & kInteraction;
  if (word == mInteraction) return;
  mInteraction = word;
  UpdateConditions();
}

void LControl::SetHoverOverride(bool hover) {
  if (hover == mHoverOverride) return;
  mHoverOverride = hover;
  UpdateConditions();
}

void LControl::SetDragMode(int32_t mode, uint32_t constraints) {
  mDragMode = mode;
  mDragConstraints = constraints;
}

// --- Value ---

double LControl::SetNormalizedValue(double value) {
  value = std::clamp(value, 0.0, 1.0);
  if (std::isnan(value) || value == mNormalizedValue) return mNormalizedValue;  // NaN is no position
  mNormalizedValue = value;
  OnValueChanged();
  const RCPtr<LValueParam> param = LValueParam::Create(NormalizedToValue(value), value);
  SendNotification(LNotification::Create(kNidValueChange, param));
  return mNormalizedValue;
}

HResult LControl::SetRange(double start, double end, int32_t scaleType) {
  // Bounds must be finite and their span too, or every value would be NaN or infinite.
  const bool valid = std::isfinite(end - start) &&
                     (scaleType == kLinear || (scaleType == kLogarithmic && start > 0 && end > 0));
  if (!valid) return E_INVALIDARG;
  mScaleType = scaleType;
  mRangeStart = start;
  mRangeEnd = end;
  return S_OK;
}

double LControl::NormalizedToValue(double position) const {
  if (mScaleType == kLogarithmic) return mRangeStart * std::pow(mRangeEnd / mRangeStart, position);
  return mRangeStart + (mRangeEnd - mRangeStart) * position;
}

double LControl::ValueToNormalized(double value) const {
  value = std::clamp(value, std::min(mRangeStart, mRangeEnd), std::max(mRangeStart, mRangeEnd));
  if (mRangeStart == mRangeEnd) return 0;
  if (mScaleType == kLogarithmic) return std::log(value / mRangeStart) / std::log(mRangeEnd / mRangeStart);
  return (value - mRangeStart) / (mRangeEnd - mRangeStart);
}

double LControl::SetValue(double value) {
  SetNormalizedValue(ValueToNormalized(value));
  return GetValue();
}

// --- Creation ---

HResult LControl::CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  if (!descriptor) return E_INVALIDARG;
  if (mCreated) {
    const HResult rebuilt = RebuildFromDescriptor(descriptor);
    OfferWindowRect();
    return rebuilt;
  }
  {
    const FlagScope firstBuilding(mFirstBuilding);
    BuildFromDescriptor(descriptor);
  }
  // A control already in a window as its top-level control is shown there,
  // whatever its skin says.
  if (!mParent && mRootWindow.Get() && !mLayout->visible) OwnLayout().visible = true;
  StringW label;
  if (mStringTable && mStringTable->GetString(StringW(u"LABEL"), label)) mText = label;
  SetLooksText(mText);
  DetachAllChildren();
  mRect = Rect{};
  UpdateLayout();
  SelectLook(0);
  mConditions->previous = mConditions->current = GetConditions();
  OfferWindowRect();
  return S_OK;
}

void LControl::OfferWindowRect() {
  LRootWindow* root = mParent ? nullptr : mRootWindow.Get();
  if (!root) return;
  const LRootWindow::Rect screen = root->GetScreenRect();
  Rect rect{double(screen.x), double(screen.y), double(screen.width), double(screen.height)};
  if (AdjustWindowRect(rect) != 1) return;
  root->SetClientRect(RectT<double>{rect.x, rect.y, rect.width, rect.height}.Round());
}

void LControl::BuildFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  mDescriptor = descriptor;
  const RCPtr<LLayoutDescriptor>& layout = descriptor->GetLayout();
  const bool wasClipping = mLayout->clipToParent;
  mLayout = layout ? layout : DefaultLayout();
  mLayoutShared = true;
  CreateLooks(*descriptor);
  // A skin that lets the control draw outside its parent counts it as the
  // ancestors' non-clipping descendant, as SetClipToParent would.
  if (mParent && wasClipping != mLayout->clipToParent) {
    if (mLayout->clipToParent)
      mParent->DecrementAncestorCount();
    else
      mParent->IncrementAncestorCount();
  }
  ApplySkinFont(*descriptor);
}

// A second build, after a change of skin: the control keeps its visible and
// enabled state, its text and its children, which are rebuilt from the new
// skin where it describes them and kept as they are where it does not.
HResult LControl::RebuildFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  const RCPtr<LControl> self(this);
  const bool wasVisible = mLayout->visible;
  const bool wasEnabled = mLayout->enabled;
  const int32_t lookIndex = GetCurrentLookIndex();
  SetClipToParent(true);
  BuildFromDescriptor(descriptor);
  // The new looks show the state the old ones showed; the control's own
  // selection (OnCreated, condition handlers) may change it afterwards.
  SelectLook(lookIndex >= 0 && lookIndex < GetLookCount() ? lookIndex : 0);
  std::vector<RCPtr<LControl>> former = mChildren.Snapshot();
  DetachAllChildren();
  mRect = Rect{};
  const bool skinVisible = mLayout->visible;
  if (skinVisible != wasVisible) {
    OwnLayout().visible = wasVisible;
    SetVisible(skinVisible);
  }
  if (mLayout->enabled != wasEnabled) OwnLayout().enabled = wasEnabled;
  StringW notFocusable;
  if (GetCreateParam(u"NOT_FOCUSABLE", notFocusable)) SetNotFocusable(IsTrueText(notFocusable));

  mLayoutSuppressed = true;
  const RCPtrArray<LControlDescriptor>& described = descriptor->GetChildren();
  for (uint32_t i = 0; i < described.GetCount(); ++i) {
    const RCPtr<LControlDescriptor>& childDescriptor = described.GetAt(i);
    for (auto child = former.begin(); child != former.end(); ++child) {
      if ((*child)->GetName() == childDescriptor->GetName()) {
        AddChildControl(*child, childDescriptor);
        former.erase(child);
        break;
      }
    }
  }
  for (const RCPtr<LControl>& child : former) {
    if (child->GetDescriptor())
      AddChildControl(child, child->GetDescriptor());
    else
      child->SetParent(this);  // a child the application made without a skin
  }
  mLayoutSuppressed = false;
  if (mChildren.GetCount() > 0) UpdateLayout();
  UpdateConditions();
  OnCreated();
  mChildren.MarkChanged();
  return S_OK;
}

HResult LControl::CreateChildControls(const RCPtr<LControlDescriptor>& descriptor) {
  mChildren.MarkChanged();
  DetachAllChildren();
  LControlFactory* factory = GetApplicationControlFactory();
  if (descriptor && factory) {
    const RCPtr<LControl> self(this);
    const RCPtrArray<LControlDescriptor>& children = descriptor->GetChildren();
    for (uint32_t i = 0; i < children.GetCount(); ++i) {
      const RCPtr<LControlDescriptor>& child = children.GetAt(i);
      StringW deferred;
      const RCPtr<LStringTable>& params = child->GetCreateParams();
      if (params && params->GetString(StringW(u"DEFER_CREATE"), deferred) && IsTrueText(deferred)) continue;
      factory->CreateControl(child, self);
    }
  }
  UpdateLayout();
  return S_OK;
}

HResult LControl::Initialize() {
  mHandler = RCPtr<LNotificationHandler<LControl>>(new LNotificationHandler<LControl>(this));
  ApplyCreateParams();
  StringW tip;
  if (mStringTable) {
    if (mStringTable->GetString(StringW(u"TOOLTIP"), tip)) mToolTipText = tip;
    LoadHotKeysFromStringTable(mLocalHotKeys, mStringTable, StringW(u"LHK"));
  }
  ListenForSiblingKeys();
  return S_OK;
}

HResult LControl::ApplyCreateParams() {
  StringW text;
  if (GetCreateParam(u"INITIAL_VALUE", text)) SetNormalizedValue(TextToDouble(text));
  if (GetCreateParam(u"NOT_FOCUSABLE", text))
    SetNotFocusable(IsTrueText(text));
  else
    SetNotFocusable(mLayout->tabStop < 0);
  if (GetCreateParam(u"USE_PARENT_TOOLTIP", text)) mUseParentToolTip = IsTrueText(text);
  if (GetCreateParam(u"WANTS_TAB", text)) mWantsTab = IsTrueText(text);
  return S_OK;
}

HResult LControl::AddChildControl(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) {
  HV_ASSERT_UI_THREAD();
  if (!child || !descriptor) return E_FAIL;
  const HResult attached = child->SetParent(this);
  if (attached < 0) return attached;
  return child->CreateFromDescriptor(descriptor);
}

HResult LControl::SetText(const StringW& text) { return ApplyText(text) ? S_OK : S_FALSE; }

bool LControl::ApplyText(const StringW& text) {
  if (mText == text) return false;
  mText = text;
  SetLooksText(mText);
  if (mDescriptor) UpdateLayout();
  InvalidateWhole();
  return true;
}

bool LControl::GetCreateParam(const WChar* id, StringW& text) const {
  if (!mDescriptor || !mDescriptor->GetCreateParams()) return false;
  return mDescriptor->GetCreateParams()->GetString(StringW(id), text);
}

bool LControl::IsTrueText(const StringW& text) { return text.Trim().ToLower() == StringW(u"true"); }

StringW LControl::GetString(const StringW& key) const {
  StringW text;
  if (mStringTable) mStringTable->GetString(key, text);
  return text;
}

// --- Notifications ---

void LControl::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                   const RCPtr<LNotification>& notification) {
  if (notification && notification->HasName(kNidIdle) && mIdleRegistered) {
    ProcessIdle();
    return;
  }
  if (notification && notification->HasName(kNidSiblingKey)) {
    OnSiblingKey(DynamicCast<LSiblingKeyParam>(notification->GetPayload()));
    return;
  }
  if (!mCreated || !mHandler) return;
  const RCPtr<LNotificationHandler<LControl>> handler = mHandler;
  handler->Dispatch(source, notification);
}

HResult LControl::UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) {
  if (mHandler) mHandler->RemoveHandler(source, name);
  return LNotificationClient::UnregisterNotification(source, name);
}

HResult LControl::ReleaseInternalReferences() {
  if (mParent) return E_FAIL;
  mHandler = nullptr;
  LNotificationClient::ReleaseInternalReferences();
  UnregisterAllClients();
  DetachAllChildren();
  return LRefCountedObject::ReleaseInternalReferences();
}

}  // namespace HV
