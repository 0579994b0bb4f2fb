#pragma once

#include "HVFramework/Controls/ListBox/LListBox.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <cstdint>
#include <vector>

namespace HV {

class LButton;
class LCheckedListBoxItem;
class LControlFactory;

// LCheckedListBox: a list box whose rows carry a check box (rows of class
// LCheckedListBoxItem). Each item keeps a check state and an optional image;
// the rows' check boxes show them. A click on an active check box changes the
// item's state, selects the item and sends "NID_ITEM_CHECK_CHANGE"; check
// boxes that do not toggle themselves report "NID_ITEM_CHECKBOX_CLICKED"
// instead and leave the decision to the owner. A skin with a fourth look
// ("Framework.ListBoxWithIcons") gives the rows icons: its parts' bitmaps,
// shown in passive check boxes. Both notifications carry an
// LIndexedDataWithValueParam (no data, the index, the check box's value).
// Base of the tree view and of the pop-up menu. UI thread only.
class LCheckedListBox : public LListBox {
 public:
  static constexpr const WChar* kClassName = u"Framework.CheckedListBox";
  static constexpr const WChar* kIconsClassName = u"Framework.ListBoxWithIcons";
  // The look of the list whose parts' bitmaps are the item icons.
  static constexpr int32_t kIconLook = 3;

  struct CheckedItemRecord : ItemRecord {
    bool IsChecked = false;
    RCPtr<LBitmap> Image;
  };

  LCheckedListBox(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  // "Framework.CheckedListBox" and "Framework.ListBoxWithIcons".
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the list box ---
  HResult Initialize() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  int32_t GetItemCount() const override;
  // The base's answer; the checked count is then taken again.
  int32_t SetItemCount(int32_t count) override;
  // The new row's check box takes the list's passive and auto-value flags
  // and reports to the list.
  HResult AddItemControl() override;
  // Binds the row's check box to the item (state, image, shown) without
  // reporting a check change; an empty row's check box is cleared and hidden.
  HResult UpdateItemControl(int32_t index, int32_t* slot = nullptr) override;
  HResult SwapItems(int32_t a, int32_t b) override;
  ItemRecord& GetItemRecord(int32_t index) override;
  HResult InsertItemRecord(int32_t index) override;
  HResult EraseItemRecord(int32_t index) override;

  // --- Check states ---
  virtual HResult SetCheckBoxAutoValueSet(bool autoValueSet);
  virtual void RecountCheckedItems();
  // No bounds test, as GetItemRecord.
  virtual CheckedItemRecord& GetCheckedItemRecord(int32_t index);

  bool IsItemChecked(int32_t index) const;
  // Changes the state and the row, sending nothing; out of range or
  // unchanged: nothing.
  void SetItemChecked(int32_t index, bool checked);
  int32_t GetCheckedCount() const { return mCheckedCount; }
  // The icon (index modulo the icons) when the skin gives icons, else the
  // item's image; null outside the items.
  RCPtr<LBitmap> GetItemImage(int32_t index);
  HResult SetItemImage(int32_t index, const RCPtr<LBitmap>& image);
  const std::vector<RCPtr<LBitmap>>& GetItemIcons() const { return mItemIcons; }
  void SetCheckBoxPassive(bool passive);
  bool IsCheckBoxPassive() const { return mCheckBoxPassive; }
  bool IsCheckBoxAutoValueSet() const { return mCheckBoxAutoValueSet; }

  // The row control of a slot as a checked row; null for another class.
  LCheckedListBoxItem* GetCheckedItemControl(int32_t slot) const;

 protected:
  // Registers the list's report handler on a new row's check box:
  // "NID_VALUE_CHANGE" when the check boxes toggle themselves, else
  // "NID_LEFT_CLICK". A derived list registers on its own table instead.
  virtual void ListenToCheckBox(LButton& checkBox, bool autoValueSet);
  // The index of the row that holds a check box (the notification's
  // source); -1 when it is none of the rows.
  int32_t ItemIndexOfCheckBox(const RCPtr<LNotificationDistributor>& source) const;
  // The payload of a check notification for the check box's row.
  static RCPtr<LRefCountedObject> CheckPayload(int32_t index, double value);
  // Selects index alone (or added to a multiple selection).
  void SelectCheckedItem(int32_t index);
  // The check box's value of the row under source; 0 for none.
  static double CheckBoxValue(const RCPtr<LNotificationDistributor>& source);
  // Stores a check state in the record and counts it; false when it was
  // the state already (the count stays right when a report repeats one).
  bool SetRecordChecked(int32_t index, bool checked);

 private:
  HResult OnCheckBoxValueChanged(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification);
  HResult OnCheckBoxClicked(const RCPtr<LNotificationDistributor>& source,
                            const RCPtr<LNotification>& notification);
  // The icons of the skin's fourth look, when it has one.
  void TakeIconsFromSkin();
  // Binds one row's check box to the item at index (beyond the items: empty).
  void BindCheckBox(LCheckedListBoxItem& row, int32_t index);

  RCPtr<LNotificationHandler<LCheckedListBox>> mHandler;
  std::vector<CheckedItemRecord> mRecords;
  bool mCheckBoxPassive = false;
  bool mCheckBoxAutoValueSet = true;
  int32_t mCheckedCount = 0;
  std::vector<RCPtr<LBitmap>> mItemIcons;
};

}  // namespace HV
