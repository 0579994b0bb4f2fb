#include "HVFramework/Controls/ComboSlider/LComboSlider.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Controls/Slider/LSlider.h"

#include <algorithm>
#include <cstdio>

namespace HV {

LComboSlider::LComboSlider(LControl* parent, const StringW& name) : LDropDownControl(parent, name) {}

LComboSlider::~LComboSlider() = default;

RCPtr<LControl>& LComboSlider::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                      const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LComboSlider>(result, parent, descriptor);
}

HResult LComboSlider::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LComboSlider::Create);
}

HResult LComboSlider::Initialize() {
  if (LDropDownControl::Initialize() < 0) return E_FAIL;
  // The value controls edit one MIDI data value.
  SetRange(0.0, 127.0, kLinear);
  mDropDownPanel = FindChildControl(StringW(u"dropDownPanel"));
  if (!mDropDownPanel) return S_OK;
  mDropDownPanel->SetVisible(false);
  mHandler = RCPtr<LNotificationHandler<LComboSlider>>(new LNotificationHandler<LComboSlider>(this));
  if (LSlider* slider = GetSlider())
    mHandler->SetNotification(&LComboSlider::OnSliderValueChange, RCPtr<LNotificationDistributor>(slider),
                              kNidValueChange);
  return S_OK;
}

LSlider* LComboSlider::GetSlider() const {
  if (!mDropDownPanel) return nullptr;
  return dynamic_cast<LSlider*>(mDropDownPanel->FindChildControl(StringW(u"slider")).Get());
}

void LComboSlider::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                       const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LDropDownControl::ReceiveNotification(source, notification);
}

// --- Value ---

HResult LComboSlider::OnSliderValueChange(const RCPtr<LNotificationDistributor>& /*source*/,
                                          const RCPtr<LNotification>& /*notification*/) {
  if (LSlider* slider = GetSlider()) {
    const RCPtr<LControl> self(this);
    LControl::SetNormalizedValue(slider->GetNormalizedValue());
  }
  return 1;
}

double LComboSlider::SetNormalizedValue(double value) {
  const RCPtr<LControl> self(this);
  if (LSlider* slider = GetSlider()) slider->SetNormalizedValue(value);
  return LControl::SetNormalizedValue(value);
}

void LComboSlider::OnValueChanged() {
  const RCPtr<LControl> self(this);
  if (LSlider* slider = GetSlider()) slider->SetNormalizedValue(GetNormalizedValue());
  char text[64];
  std::snprintf(text, sizeof text, "%0.*f", static_cast<int>(mDecimals), NormalizedToValue(GetNormalizedValue()));
  SetText(StringW(text));
}

// --- The drop-down ---

bool LComboSlider::IsDropDownShown() {
  if (!mDropDownPanel) return false;
  const Rect& rect = mDropDownPanel->GetRect();
  return mDropDownPanel->GetLayout()->visible && rect.width > 0 && rect.height > 0;
}

HResult LComboSlider::ShowDropDown(bool show) {
  if (!mDropDownPanel) return E_FAIL;
  const RCPtr<LControl> self(this);
  if (show) KeepPanelInsideTopLevel();
  mDropDownPanel->SetVisible(show);
  UpdateLook();
  return S_OK;
}

// The panel goes where the skin puts it, moved left as far as it must to end
// at the top-level control's right edge, but never past its left edge.
void LComboSlider::KeepPanelInsideTopLevel() {
  const RCPtr<LControl> panel = mDropDownPanel;
  const LControlDescriptor* descriptor = panel->GetDescriptor().Get();
  LControl* top = GetTopLevelControl();
  if (!descriptor || !descriptor->GetLayout() || !top) return;
  // The box's content origin in the top-level control's coordinates.
  const Point box = GetOriginInRoot();
  const Point topOrigin = top->GetOriginInRoot();
  const Rect client = GetClientOffsets(-1);
  const double contentToTop = box.x + client.x - GetScrollOffset().x - topOrigin.x;
  const double skinX = descriptor->GetLayout()->position[0].absolute;
  const double width = panel->GetRect().width;
  const double topWidth = top->GetRect().width;
  double x = skinX + contentToTop;
  if (x + width > topWidth) x = std::max(0.0, topWidth - width);
  const double wanted = x - contentToTop;
  LLayoutPosition position = panel->GetLayout()->position[0];
  if (position.absolute == wanted) return;
  position.absolute = wanted;
  panel->SetAxisLayout(0, position, panel->GetLayout()->size[0], panel->GetLayout()->docked[0]);
}

// --- Looks ---

void LComboSlider::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  LDropDownControl::OnConditionsChanged(conditions);
  UpdateLook();
}

void LComboSlider::UpdateLook() {
  if (!IsEnabled(true)) {
    SelectLook(kLookDisabled);
    return;
  }
  const uint32_t word = GetConditions();
  const bool over = (word & kMouseOver) != 0;
  if (IsDropDownShown()) {
    SelectLook(over ? kLookOpenHover : kLookOpen);
    return;
  }
  const bool focus = (word & (kHasFocus | kContainsFocus)) != 0;
  SelectLook((focus ? 1 : 0) + (over ? 2 : 0));
}

}  // namespace HV
