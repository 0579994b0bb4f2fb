#include "HVFramework/Controls/Slider/ValueInput.h"

#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/ObjectBase/Holder.h"

namespace HV {
namespace {

struct ArrowRow {
  uint32_t keyDownCode;
  double units;
};
constexpr ArrowRow kArrows[] = {
    {0x20260000, +1},  // Up
    {0x20270000, +1},  // Right
    {0x20250000, -1},  // Left
    {0x20280000, -1},  // Down
};
constexpr uint32_t kFirstArrow = 37;
constexpr uint32_t kLastArrow = 40;

bool IsArrowKeyUp(const KeyCode& key) {
  const uint32_t vk = key.GetVirtualKey();
  return !(key.code & (KeyCode::kVirtualKeyFlag | KeyCode::kNoKey)) && vk >= kFirstArrow && vk <= kLastArrow;
}

}  // namespace

void StepValueByUnits(LControl& control, double units) {
  const RCPtr<LControl> held(&control);
  const double value = control.NormalizedToValue(control.GetNormalizedValue()) + units;
  control.SetNormalizedValue(control.ValueToNormalized(value));
}

HResult StepValueByWheel(LControl& control, const RCPtr<LMouseWheelParam>& param) {
  if (!param) return E_INVALIDARG;
  const bool adds = param->direction == LMouseWheelParam::kUp ||
                    param->direction == LMouseWheelParam::kHorizontalPositive;
  StepValueByUnits(control, adds ? +1 : -1);
  return S_OK;
}

void SendValueCapture(LControl& control, bool captured) {
  const RCPtr<LRefCountedObject> payload(new LHolder<bool>(captured));
  control.SendNotification(LNotification::Create(kNidValueChangeCapture, payload));
}

HResult ValueArrowKeys::Handle(LControl& control, const RCPtr<LKeyParam>& key) {
  if (!key) return S_FALSE;
  const RCPtr<LControl> held(&control);
  if (IsArrowKeyUp(key->GetKey())) {
    mKeyHeld = false;
    control.SendNotification(LNotification::Create(kNidValueChangeKeyUp, key));
    return S_OK;
  }
  for (const ArrowRow& row : kArrows) {
    if (key->GetKey().code != row.keyDownCode) continue;
    if (!mKeyHeld) {
      mKeyHeld = true;
      control.SendNotification(LNotification::Create(kNidValueChangeKeyDown, key));
    }
    StepValueByUnits(control, row.units);
    return S_OK;
  }
  return S_FALSE;
}

void ValueArrowKeys::ReleaseOnFocusLoss(LControl& control) {
  if (!mKeyHeld) return;
  mKeyHeld = false;
  control.SendNotification(LNotification::Create(kNidValueChangeKeyUp));
}

}  // namespace HV
