#pragma once

#include "HVFramework/Controls/DropDown/LDropDownControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdint>

namespace HV {

class LControlFactory;
class LListBox;
class LTaggableObject;
class LTextBox;

// LComboBox: a field that shows the selected item's text and opens a list of
// items (its "listBox" part) below or above itself, where it fits in the
// window. An optional "textBox" part takes typed entries. The combo box keeps
// one selected index, mirrors the item's text into its own text (and the
// text box) and sends "NID_SELECTION_CHANGE" when the selection changes and
// "NID_DROPDOWN_OPENING" before the list is placed, so listeners can fill it.
// The text box's validation notifications are passed on. UI thread only.
class LComboBox : public LDropDownControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.ComboBox";
  static constexpr const WChar* kTextClassName = u"Framework.ComboTextBox";
  // Free room kept between an open list and the window's edges.
  static constexpr int32_t kScreenMargin = 5;

  // Look indices.
  enum Look : int32_t {
    kLookClosed = 0,
    kLookClosedFocus = 1,
    kLookClosedHover = 2,
    kLookClosedHoverFocus = 3,
    kLookOpen = 4,
    kLookOpenHover = 5,
    kLookDisabled = 6,
  };

  LComboBox(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  // "Framework.ComboBox" and "Framework.ComboTextBox".
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the control base ---
  // 0 when the text changed, then the item of that text (any letter case)
  // becomes the selection (-1 for none); 1 when it was the text already.
  HResult SetText(const StringW& text) override;
  // The press point, then the drop-down toggle, then the look.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  // Down or Enter opens the closed list, Escape closes the open one.
  HResult ProcessKey(const RCPtr<LKeyParam>& key) override;
  // Escape from a part (the list) closes the open list; other keys go on.
  HResult OnChildKey(const RCPtr<LKeyParam>& key) override;
  // E_FAIL without a "listBox" part.
  HResult Initialize() override;
  HResult ApplyCreateParams() override;
  // Hides the list and fits its size limits.
  HResult OnCreated() override;
  StringW GetToolTipText() const override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // --- The drop-down ---
  bool IsDropDownShown() override;
  // Opening places the list where it fits and selects the shown text's item
  // in it. 0, or E_FAIL without a list.
  HResult ShowDropDown(bool show) override;

  // --- Items and selection ---
  // The list box's result; a selection past the end goes. E_FAIL without a list.
  virtual int32_t SetItemCount(int32_t count);
  // The new selected index (-1: none); sends "NID_SELECTION_CHANGE" when it
  // changed to an item.
  virtual int32_t SetSelectedIndex(int32_t index);
  virtual HResult UpdateLook();

  LListBox* GetListBox() const;
  LTextBox* GetTextBox() const;
  // The item's tag; null outside the items or without a list.
  RCPtr<LTaggableObject> GetItem(int32_t index) const;
  // The item's text; empty outside the items.
  StringW GetItemText(int32_t index) const;
  // The index the item took, or the list's error (E_INVALIDARG for no item).
  HResult InsertItem(int32_t index, const RCPtr<LTaggableObject>& item);
  // Appends an item of that text; its index, or the list's error.
  HResult AppendItem(const StringW& text);
  int32_t GetItemCount() const;
  int32_t GetSelectedIndex() const { return mSelectedIndex; }
  int32_t GetInitialSelectedIndex() const { return mInitialSelectedIndex; }
  // Sets the list's size limits from the skin and the combo box's size.
  HResult FitDropDownList();
  const Point& GetPressPoint() const { return mPressPoint; }

 protected:
  // The look of the state: 0 to 6 as listed under Look.
  int32_t GetStateLook();

 private:
  HResult OnListVisibilityChanged(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification);
  HResult OnListItemActivated(const RCPtr<LNotificationDistributor>& source,
                              const RCPtr<LNotification>& notification);
  HResult OnTextBoxPassOn(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnTextBoxValidated(const RCPtr<LNotificationDistributor>& source,
                             const RCPtr<LNotification>& notification);
  HResult OnTextBoxFocusChanged(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification);
  void RegisterPartNotifications();
  // The string-table items and the initial selection, sending nothing.
  void LoadOwnItems();
  // Places the list below or above the combo box (see ShowDropDown).
  void PlaceList(LListBox& list);
  // Selects the shown text's item in the open list (the first with that
  // exact text), else the first item; the combo box's selection stays.
  void SelectShownTextInList(LListBox& list);
  void HideList();

  RCPtr<LNotificationHandler<LComboBox>> mHandler;
  RCPtr<LListBox> mListBox;
  int32_t mSelectedIndex = -1;
  int32_t mInitialSelectedIndex = 0;
  Point mPressInCombo;  // the last left press, in the combo box's coordinates
  Point mPressPoint;    // the same in the list's, taken when the list opens
};

}  // namespace HV
