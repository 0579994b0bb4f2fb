#pragma once

#include "HVFramework/Controls/DropDown/LDropDownControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdint>

namespace HV {

class LControlFactory;
class LSlider;

// LComboSlider: a box that shows a value as a number and, opened, a
// drop-down panel ("dropDownPanel") holding a slider ("slider"). The box's
// value and the slider's are kept equal both ways; the box's text is the
// value in its range (0..127) written with no decimals. A value set while
// the user drags the slider changes the box at once and the slider when the
// drag ends. Without a panel the box still holds and shows its value.
// Looks: 0 normal, +1 focus, +2 hover while closed; 4 open, 5 open with
// hover; 6 disabled. UI thread only.
class LComboSlider : public LDropDownControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.ComboSlider";

  enum Look : int32_t { kLookOpen = 4, kLookOpenHover = 5, kLookDisabled = 6 };

  LComboSlider(LControl* parent, const StringW& name);
  ~LComboSlider() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Overrides ---
  // The slider first (it may defer the value), then the box's own; the box's value.
  double SetNormalizedValue(double value) override;
  // The slider follows and the text shows the value.
  void OnValueChanged() override;
  // The drop-down's own handling, then the look.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  // E_FAIL when the drop-down fails; binds the panel's slider.
  HResult Initialize() override;
  // The panel is there, visible and has an area.
  bool IsDropDownShown() override;
  // E_FAIL without a panel. An opening panel is kept inside the top-level
  // control horizontally, never past its left edge.
  HResult ShowDropDown(bool show) override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  LControl* GetDropDownPanel() const { return mDropDownPanel.Get(); }
  // The panel's slider, looked up afresh; null without one.
  LSlider* GetSlider() const;

 private:
  HResult OnSliderValueChange(const RCPtr<LNotificationDistributor>& source,
                              const RCPtr<LNotification>& notification);
  void KeepPanelInsideTopLevel();
  void UpdateLook();

  RCPtr<LNotificationHandler<LComboSlider>> mHandler;
  RCPtr<LControl> mDropDownPanel;
  int32_t mDecimals = 0;
};

}  // namespace HV
