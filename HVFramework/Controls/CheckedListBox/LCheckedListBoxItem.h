#pragma once

#include "HVFramework/Controls/ListBox/LListBoxItem.h"
#include "HVFramework/Notification/LNotificationHandler.h"

namespace HV {

class LBitmap;
class LButton;
class LControlFactory;

// LCheckedListBoxItem: a list-box row with a check box, its "checkBox" part
// (a button). The check box never takes the focus, shows the row's tool tip
// and keeps the row's hover look while the mouse is over it. The list binds
// the check state, the icon and the visibility of the check box. UI thread
// only.
class LCheckedListBoxItem : public LListBoxItem {
 public:
  static constexpr const WChar* kClassName = u"Framework.CheckedListBoxItem";

  LCheckedListBoxItem(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // The base's result; then the hover handler on the check box.
  HResult Initialize() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // Shows only the look at index; true when it exists.
  virtual bool SetItemLook(int32_t index, bool exclusive);

  // The direct child "checkBox" as a button; null without one.
  LButton* GetCheckBox() const;
  // SelectLook on the check box once the row is created; 1 before.
  HResult SelectCheckBoxLook(int32_t index);
  void SetCheckBoxChecked(bool checked);
  // The image of every look of the check box; null removes it.
  void SetCheckBoxImage(const RCPtr<LBitmap>& bitmap);
  void SetCheckBoxVisible(bool visible);

  // The check box of a control (a row or a combo box) named "checkBox".
  static LButton* FindCheckBox(const LControl& owner);
  // Puts bitmap (null: none) into every look of control, last look first.
  static void SetImageOfEveryLook(LControl& control, const RCPtr<LBitmap>& bitmap);

 private:
  HResult OnCheckBoxHoverChanged(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification);

  RCPtr<LNotificationHandler<LCheckedListBoxItem>> mHandler;
};

}  // namespace HV
