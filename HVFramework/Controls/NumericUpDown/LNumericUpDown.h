#pragma once

#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdint>

namespace HV {

class LControlFactory;

// LNumericUpDown: a panel that edits a number: its text box "textBox" shows
// the control's value (over its range) with a fixed number of decimals, its
// buttons "buttonUp" and "buttonDown" step it with auto-repeat, and Up and
// Down in the text box press those buttons. Typing is limited to digits
// (with a point and a leading minus where they make sense); when the text
// box validates, the typed number becomes the value, clamped to the range,
// and malformed text reverts to the current value. Observers of the up-down
// take part in its text box's validation. A missing child leaves its part
// of the work undone. UI thread only.
class LNumericUpDown : public LPanel {
 public:
  static constexpr const WChar* kClassName = u"Framework.NumericUpDown";

  LNumericUpDown(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the control base ---
  // The text's leading number (0 when none) becomes the value. 0.
  HResult SetText(const StringW& text) override;
  // The text box shows the new value and validates it.
  void OnValueChanged() override;
  // E_INVALIDARG (nothing changes) for an unknown scale or a logarithmic
  // one not above 0; else the range, the character set and the text follow.
  // The value is not clamped again.
  HResult SetRange(double start, double end, int32_t scaleType) override;
  // Up and Down press the matching button; other keys go to the panel.
  HResult OnChildKey(const RCPtr<LKeyParam>& key) override;
  HResult Initialize() override;
  // The up-down takes the focus (for its text box), its buttons do not.
  HResult OnCreated() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // --- The up-down's own operations ---
  // The value as the text box shows it: fixed-point with `decimals` digits
  // after the point, in the "C" locale.
  StringW FormatValue() const;
  // Digits, a point with decimals, a minus with a negative range start.
  void UpdateCharSet();
  // Range units added or taken by one step.
  void SetStep(double step) { mStep = step; }
  double GetStep() const { return mStep; }
  // Decimals shown (0: whole numbers); the character set and text follow.
  void SetDecimals(int32_t decimals);
  int32_t GetDecimals() const { return mDecimals; }

  LTextBox* GetTextBox() const { return mTextBox.Get(); }
  LButton* GetButtonUp() const { return mButtonUp.Get(); }
  LButton* GetButtonDown() const { return mButtonDown.Get(); }

 private:
  HResult OnTextValidating(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnTextValidated(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnButtonRepeat(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  void ShowValue();

  RCPtr<LNotificationHandler<LNumericUpDown>> mHandler;
  RCPtr<LTextBox> mTextBox;
  RCPtr<LButton> mButtonUp;
  RCPtr<LButton> mButtonDown;
  double mStep = 1.0;
  int32_t mDecimals = 0;
};

}  // namespace HV
