#pragma once

#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Notification/LNotificationHandler.h"

namespace HV {

class LButton;
class LCheckedListBox;
class LControlFactory;

// LCheckedComboBox: a combo box whose list is a checked list box. Its look
// tells whether any item is ticked (looks 7 to 13 are the combo box's looks
// 0 to 6 with ticks), its optional "checkBox" part mirrors the selected
// item's tick and icon, and it passes the list's "NID_ITEM_CHECK_CHANGE" on.
// The ticks live in the list. UI thread only.
class LCheckedComboBox : public LComboBox {
 public:
  static constexpr const WChar* kClassName = u"Framework.CheckedComboBox";
  static constexpr const WChar* kIconsClassName = u"Framework.ComboBoxWithIcons";
  // Added to the combo box's look while any item is ticked.
  static constexpr int32_t kLookTickedOffset = 7;

  LCheckedComboBox(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  // "Framework.CheckedComboBox" and "Framework.ComboBoxWithIcons".
  static HResult Register(LControlFactory& factory);

  // E_FAIL when the combo box fails or its list is no checked list.
  HResult Initialize() override;
  // The selected item's icon in the "checkBox" part, then the combo box's.
  HResult OnCreated() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  int32_t SetItemCount(int32_t count) override;
  // The "checkBox" part shows the item's tick and icon (no icon outside the
  // items), then the combo box selects.
  int32_t SetSelectedIndex(int32_t index) override;
  HResult UpdateLook() override;

  LCheckedListBox* GetCheckedList() const { return mCheckedList.Get(); }
  LButton* GetCheckBox() const;
  bool IsCheckBoxPassive() const { return mCheckBoxPassive; }
  void SetCheckBoxPassive(bool passive);

 private:
  HResult OnListCheckChanged(const RCPtr<LNotificationDistributor>& source,
                             const RCPtr<LNotification>& notification);

  RCPtr<LNotificationHandler<LCheckedComboBox>> mHandler;
  RCPtr<LCheckedListBox> mCheckedList;
  bool mCheckBoxPassive = false;
};

}  // namespace HV
