#include "HVFramework/Controls/Button/LButton.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Platform/Core/Clock.h"

#include <vector>

namespace HV {
namespace {

// Enter without modifiers, as a key-down: virtual key 0x0D with the key-down mark.
constexpr uint32_t kEnterKeyDown = 0x200D0000;
// The clock counts whole milliseconds; a time that has come must not be
// missed because its difference of two readings rounds a little short.
constexpr double kTimeTolerance = 1e-6;

double Now() { return Platform::GetSecondsSinceStart(); }

}  // namespace

LButton::LButton(LControl* parent, const StringW& name) : LControl(parent, name) {}

RCPtr<LControl>& LButton::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LButton>(result, parent, descriptor);
}

HResult LButton::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LButton::Create);
}

// --- Creation ---

HResult LButton::Initialize() {
  const HResult base = LControl::Initialize();
  if (Failed(base)) return base;
  try {
    mHandler = RCPtr<LNotificationHandler<LButton>>(new LNotificationHandler<LButton>(this));
    const RCPtr<LNotificationDistributor> self(this);
    const HResult registered =
        mHandler->SetNotification(&LButton::OnSimulateClickRequest, self, kNidSimulateClick);
    if (Failed(registered)) ThrowFailedResult(registered, HV_HERE("HV::LButton::Initialize"));
    ReadCreateParams();
  } catch (const Exception<std::runtime_error>&) {
    return base;
  }
  return S_OK;
}

void LButton::ReadCreateParams() {
  StringW text;
  if (GetCreateParam(u"AUTO_VALUE_SET", text)) SetAutoValueSet(IsTrueText(text));
  if (GetCreateParam(u"IS_RADIO", text)) SetRadio(IsTrueText(text));
}

HResult LButton::SetAutoValueSet(bool autoValueSet) {
  mAutoValueSet = autoValueSet;
  return S_OK;
}

HResult LButton::SetRadio(bool isRadio) {
  mIsRadio = isRadio;
  return S_OK;
}

void LButton::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LControl::ReceiveNotification(source, notification);
}

HResult LButton::Detach() {
  const RCPtr<LControl> self(this);
  const HResult result = LControl::Detach();
  // The base dropped every idle request; nothing runs on them any more.
  mRepeating = false;
  mClickFlashing = false;
  mHoldsIdle = false;
  return result;
}

// --- Value and state ---

bool LButton::SetChecked(bool checked) {
  SetNormalizedValue(checked ? 1.0 : 0.0);
  return IsChecked();
}

void LButton::OnValueChanged() {
  LControl* parent = GetParent();
  if (mIsRadio && IsChecked() && parent) {
    const std::vector<RCPtr<LControl>> siblings = parent->GetChildren().Snapshot();
    for (auto at = siblings.rbegin(); at != siblings.rend(); ++at) {
      LButton* sibling = dynamic_cast<LButton*>(at->Get());
      if (sibling && sibling != this && sibling->mIsRadio) sibling->SetNormalizedValue(0);
    }
  }
  UpdateLook();
}

void LButton::SetEnabled(bool enabled) {
  LControl::SetEnabled(enabled);
  UpdateLook();
}

void LButton::OnActivate(const RCPtr<LMouseButtonParam>& /*param*/) {
  if (!mAutoValueSet) return;
  SetNormalizedValue(!mIsRadio && IsChecked() ? 0.0 : 1.0);
}

bool LButton::ContainsPoint(const Point& point) const { return !mPassive && LControl::ContainsPoint(point); }

HResult LButton::ProcessKey(const RCPtr<LKeyParam>& key) {
  if (!key || key->GetKey().code != kEnterKeyDown) return S_FALSE;
  SimulateClick();
  return S_OK;
}

StringW LButton::GetToolTipText() const { return IsTextClipped() ? GetText() : LControl::GetToolTipText(); }

// --- Looks ---

HResult LButton::UpdateLook() {
  if (mPassive || mClickFlashing) return S_OK;
  const int32_t onOffset = IsChecked() ? kLookOnOffset : 0;
  if (!IsEnabled(true)) return SelectLook(kLookDisabled + onOffset);
  const uint32_t word = GetConditions();
  // The control base keeps a still press as "left down" until the pointer
  // moves; either bit with the capture is a press.
  const bool pressed = (word & kCapture) && (word & (kLeftDown | kLeftDrag));
  const bool hover = (word & kMouseOver) != 0;
  int32_t index = kLookNormal;
  if (pressed)
    index = hover || mPressedWhileDraggedOutside ? kLookPressed : kLookHover;
  else if (hover && !(word & kCapture))
    index = kLookHover;
  if (word & kHasFocus) index += kLookFocused;
  return SelectLook(index + onOffset);
}

// --- Auto-repeat ---

void LButton::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  if (conditions) RunAutoRepeat(conditions->previous, conditions->current);
  UpdateLook();
}

void LButton::RunAutoRepeat(uint32_t previous, uint32_t current) {
  if (!mAutoRepeat) return;
  const auto began = [&](uint32_t bit) { return (current & bit) && !(previous & bit); };
  // Time spent outside the held button does not count down.
  if (began(kHover)) {
    mRepeatLastTime = Now();
  } else if (began(kLeftDown) && IsEnabled(true) && !mRepeating) {
    mRepeating = true;
    UpdateIdleRequest();
    mRepeatLastTime = Now();
    mRepeatRemaining = mRepeatDelay;
    SendAutoRepeat();
  } else if ((previous & kCapture) && !(current & kCapture) && mRepeating) {
    StopRepeating();
  }
}

void LButton::StopRepeating() {
  if (!mRepeating) return;
  mRepeating = false;
  UpdateIdleRequest();
}

void LButton::StepAutoRepeat() {
  const double now = Now();
  mRepeatRemaining -= now - mRepeatLastTime;
  mRepeatLastTime = now;
  if (mRepeatRemaining > kTimeTolerance) return;
  mRepeatRemaining = mRepeatInterval;
  SendAutoRepeat();
}

void LButton::SendAutoRepeat() { SendNotification(LNotification::Create(kNidButtonAutorepeat)); }

// --- Simulated click ---

void LButton::SimulateClick() {
  const RCPtr<LControl> self(this);
  if (mClickFlashing) {
    // A second request finishes the first click at once.
    mClickFlashing = false;
    ClickByProgram();
  }
  mClickFlashing = true;
  SetFocus(true);
  UpdateIdleRequest();
  mClickFlashStart = Now();
  SelectLook(IsChecked() ? kLookPressed + kLookOnOffset : kLookPressed);
  const Rect& rect = GetRect();
  Invalidate({0, 0, rect.width, rect.height}, 0);
}

HResult LButton::OnSimulateClickRequest(const RCPtr<LNotificationDistributor>& /*source*/,
                                        const RCPtr<LNotification>& /*notification*/) {
  if (IsEnabled(true)) SimulateClick();
  return 1;
}

void LButton::OnIdleTick() {
  if (mClickFlashing && Now() - mClickFlashStart + kTimeTolerance >= mClickFlashDuration) FinishClickFlash();
  if (mRepeating && IsMouseOver() && IsEnabled(true)) StepAutoRepeat();
}

void LButton::FinishClickFlash() {
  mClickFlashing = false;
  mClickFlashStart = 0;
  UpdateIdleRequest();
  UpdateLook();
  ClickByProgram();
}

void LButton::ClickByProgram() {
  if (mAutoRepeat) SendAutoRepeat();
  LRootWindow* root = GetRootWindow();
  const uint32_t held = root ? root->GetMouseButtons() : 0;
  OnLeftClick(LMouseButtonParam::Create(LMouseButtonParam::kLeft, 0, 0, 0, false, held));
}

void LButton::UpdateIdleRequest() {
  const bool wanted = mRepeating || mClickFlashing;
  if (wanted == mHoldsIdle) return;
  mHoldsIdle = wanted;
  if (wanted)
    StartIdleNotifications();
  else
    StopIdleNotifications();
}

}  // namespace HV
