#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Utilities/Storage/NumberText.h"

#include <algorithm>

namespace HV {
namespace {

constexpr uint32_t kUpKeyDown = 0x20260000;
constexpr uint32_t kDownKeyDown = 0x20280000;

// Text that cannot be a number of the up-down: it reverts to the value.
bool IsMalformed(const StringW& text) {
  if (text.IsEmpty() || text == u"-" || text == u".") return true;
  int32_t points = 0;
  for (int32_t i = 0; i < text.GetLength(); ++i) {
    if (text[i] == u'-' && i > 0) return true;
    if (text[i] == u'.') ++points;
  }
  return points > 1;
}

}  // namespace

LNumericUpDown::LNumericUpDown(LControl* parent, const StringW& name) : LPanel(parent, name) {}

RCPtr<LControl>& LNumericUpDown::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                        const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LNumericUpDown>(result, parent, descriptor);
}

HResult LNumericUpDown::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LNumericUpDown::Create);
}

// --- Creation ---

HResult LNumericUpDown::Initialize() {
  const HResult initialized = LPanel::Initialize();
  mTextBox = DynamicCast<LTextBox>(FindChildControl(StringW(u"textBox")));
  mButtonUp = DynamicCast<LButton>(FindChildControl(StringW(u"buttonUp")));
  mButtonDown = DynamicCast<LButton>(FindChildControl(StringW(u"buttonDown")));
  for (LButton* button : {mButtonUp.Get(), mButtonDown.Get()}) {
    if (!button) continue;
    button->SetAutoRepeat(true);
    button->StopRepeating();
  }
  UpdateCharSet();
  mHandler = RCPtr<LNotificationHandler<LNumericUpDown>>(new LNotificationHandler<LNumericUpDown>(this));
  if (mTextBox) {
    const RCPtr<LNotificationDistributor> box(mTextBox.Get());
    mHandler->SetNotification(&LNumericUpDown::OnTextValidating, 0, box, kNidTextboxValidating);
    mHandler->SetNotification(&LNumericUpDown::OnTextValidated, 0, box, kNidTextboxValidated);
  }
  for (LButton* button : {mButtonUp.Get(), mButtonDown.Get()})
    if (button) mHandler->SetNotification(&LNumericUpDown::OnButtonRepeat, 0, RCPtr<LNotificationDistributor>(button),
                                          kNidButtonAutorepeat);
  return initialized;
}

HResult LNumericUpDown::OnCreated() {
  SetNotFocusable(false);
  for (LButton* button : {mButtonUp.Get(), mButtonDown.Get()})
    if (button) button->SetNotFocusable(true);
  return S_OK;
}

void LNumericUpDown::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                         const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LPanel::ReceiveNotification(source, notification);
}

// --- Value, range and text ---

HResult LNumericUpDown::SetText(const StringW& text) {
  SetValue(text.ToDouble());
  return S_OK;
}

void LNumericUpDown::OnValueChanged() {
  if (!mTextBox) return;
  const RCPtr<LTextBox> box = mTextBox;
  box->SetText(FormatValue());
  box->CanReleaseFocus();  // the text box's validation, through the check below
}

HResult LNumericUpDown::SetRange(double start, double end, int32_t scaleType) {
  if (const HResult result = LPanel::SetRange(start, end, scaleType); result != S_OK) return result;
  UpdateCharSet();
  ShowValue();
  return S_OK;
}

void LNumericUpDown::SetDecimals(int32_t decimals) {
  mDecimals = std::max(decimals, 0);
  UpdateCharSet();
  ShowValue();
}

StringW LNumericUpDown::FormatValue() const { return DoubleToString(GetValue(), mDecimals); }

void LNumericUpDown::UpdateCharSet() {
  if (!mTextBox) return;
  StringW charSet(u"0123456789");
  if (mDecimals > 0) charSet += u".";
  if (NormalizedToValue(0) < 0) charSet += u"-";
  mTextBox->SetCharSet(charSet, true);
}

void LNumericUpDown::ShowValue() {
  if (mTextBox) mTextBox->SetText(FormatValue());
}

// --- Keys and buttons ---

HResult LNumericUpDown::OnChildKey(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  const uint32_t code = key->GetKey().code;
  LButton* button = code == kUpKeyDown ? mButtonUp.Get() : code == kDownKeyDown ? mButtonDown.Get() : nullptr;
  if (!button) return LPanel::OnChildKey(key);
  const RCPtr<LButton> held(button);
  held->SendNotification(LNotification::Create(kNidSimulateClick));
  return S_OK;
}

HResult LNumericUpDown::OnButtonRepeat(const RCPtr<LNotificationDistributor>& source,
                                       const RCPtr<LNotification>& /*notification*/) {
  const LNotificationDistributor* sender = source.Get();
  if (mButtonUp && sender == static_cast<LNotificationDistributor*>(mButtonUp.Get()))
    SetValue(GetValue() + mStep);
  else if (mButtonDown && sender == static_cast<LNotificationDistributor*>(mButtonDown.Get()))
    SetValue(GetValue() - mStep);
  return 1;
}

// --- Validation ---

HResult LNumericUpDown::OnTextValidating(const RCPtr<LNotificationDistributor>& /*source*/,
                                         const RCPtr<LNotification>& notification) {
  const RCPtr<LTextValidationParams> params = DynamicCast<LTextValidationParams>(notification->GetPayload());
  if (!params) return 1;
  const RCPtr<LControl> self(this);
  SendNotification(LNotification::Create(kNidTextboxValidating, notification->GetPayload()));
  if (!params->isValid) return 1;
  const double current = GetValue();
  double candidate = current;
  if (IsMalformed(params->text))
    params->text = FormatValue();
  else
    candidate = params->text.ToDouble();
  const double low = std::min(NormalizedToValue(0), NormalizedToValue(1));
  const double high = std::max(NormalizedToValue(0), NormalizedToValue(1));
  candidate = std::clamp(candidate, low, high);
  if (candidate == current) {
    // A typed form of the value stays as typed, except at the ends and at 0.
    if (current == low || current == high || candidate == 0) params->text = FormatValue();
    return 1;
  }
  SetValue(candidate);
  params->text = FormatValue();
  return 1;
}

HResult LNumericUpDown::OnTextValidated(const RCPtr<LNotificationDistributor>& /*source*/,
                                        const RCPtr<LNotification>& notification) {
  const RCPtr<LControl> self(this);
  SendNotification(LNotification::Create(kNidTextboxValidated, notification->GetPayload()));
  return 1;
}

}  // namespace HV
