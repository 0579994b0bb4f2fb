#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"

#include <cstdint>

namespace HV {

class LControlFactory;

// LListBoxItem: the control that shows one item of a list box. The list sets
// its text, its value (the item's selection value), its enabled state and the
// marked and separator flags; the item only picks which of its fourteen looks
// to show (see ComputeLookIndex) and, while its list is an open drop-down,
// leaves the mouse capture with the list. UI thread only.
class LListBoxItem : public LControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.ListBoxItem";
  static constexpr const WChar* kOverlayClassName = u"Framework.OverlayButton";

  // Look indices: the four columns of unselected/selected by unmarked/marked.
  enum Look : int32_t {
    kLookNormal = 0,
    kLookHot = 1,
    kLookPressed = 2,
    kLookMarkedOffset = 3,
    kLookDisabled = 6,
    kLookSelectedOffset = 7,
    kLookSelectedDisabled = 13,
  };

  LListBoxItem(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  // "Framework.ListBoxItem" and "Framework.OverlayButton".
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the control base ---
  void OnValueChanged() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  // Items never take the keyboard focus: their list does.
  HResult OnCreated() override;
  // "SEPARATOR_HEIGHT": the row's height while it shows a separator (a menu's
  // thin rule); without it a separator row keeps the row's height.
  HResult ApplyCreateParams() override;
  // The item's own text when it is cut off, else its "TOOLTIP" text.
  StringW GetToolTipText() const override;
  // In drop-down mode the list takes the capture, so that moving onto
  // another item with the button held reaches the list.
  HResult StartMouseCapture(int32_t button, int32_t x, int32_t y) override;

  // --- The item's own operations ---
  // The look for the current state.
  virtual int32_t ComputeLookIndex();
  void SetMarked(bool marked);
  bool IsMarked() const { return mMarked; }
  // A separator shows no text, and takes the separator height when the skin
  // gives one; the flag as stored.
  bool SetSeparator(bool separator);
  bool IsSeparator() const { return mSeparator; }
  // In drop-down mode the row takes every press on its parts other than a
  // check box (a menu row's shortcut text): they are left out of hit testing.
  void SetDropDownMode(bool dropDown);
  bool IsDropDownMode() const { return mDropDownMode; }

 protected:
  // Selects the look of the state and redraws the whole item.
  void RefreshLook();
  // The row's height as its skin gives it, or the separator height.
  void ApplySeparatorHeight();

 private:
  bool mMarked = false;
  bool mDropDownMode = false;
  bool mSeparator = false;
  int32_t mSeparatorHeight = 0;
};

}  // namespace HV
