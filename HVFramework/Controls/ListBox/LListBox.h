#pragma once

#include "HVFramework/ControlBase/Views/LScrollView.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/ObjectBase/TaggableObject.h"

#include <cstdint>
#include <vector>

namespace HV {

class LControlFactory;
class LStringTable;

// LListBox: the scrolling list of text items, and the base of every
// list-shaped control (checked list, tree view, pop-up menu). It keeps the
// item model (one record per item, possibly far more than fit) apart from a
// small pool of item controls stacked from the top of the client area, just
// enough to fill it: scrolling does not move the controls, it changes which
// items they show. Items come from the program, from "item%d" children of
// the skin and from the list's "ITEM.<n>" texts. The list keeps the
// selection (single or multiple), moves it with the keys, scrolls an item
// into view, sorts by text (case-insensitive, not stable) and turns its item
// controls' mouse events into item notifications. UI thread only.
class LListBox : public LScrollView {
 public:
  static constexpr const WChar* kClassName = u"Framework.ListBox";
  static constexpr const WChar* kNoScrollClassName = u"Framework.listboxNoScroll";
  static constexpr int32_t kDefaultItemHeight = 14;

  // One item. Derived lists keep longer records that begin with these fields.
  struct ItemRecord {
    RCPtr<LTaggableObject> Tag;  // the item's text is its ToString; null: empty
    double Value = 0;            // selected at 0.5 and above
    bool IsMarked = false;
    bool IsSeparator = false;
    bool IsHidden = false;
  };

  LListBox(LControl* parent, const StringW& name);
  ~LListBox() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  // "Framework.ListBox" and "Framework.listboxNoScroll".
  static HResult Register(LControlFactory& factory);

  // --- Overrides of the control base and the scroll view ---
  HResult Initialize() override;
  HResult CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  // An "item%d" child joins the pool at its number; a lone "templateItem"
  // descriptor becomes the template. E_FAIL for any other lone descriptor.
  HResult AddChildControl(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) override;
  void OnChildRemoved(LControl* child, int32_t index) override;
  HResult UpdateLayout() override;
  HResult OnChildRectChanged(LControl* child) override;
  // Every change of the vertical offset (bars, wheel, ScrollTo) re-labels
  // the item controls from the first item now at the top.
  HResult SetScrollOffset(const Point& offset) override;
  // In drop-down mode every wheel step stays in the list.
  HResult OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& param) override;
  HResult OnMouseWheelOther(const RCPtr<LMouseWheelParam>& param) override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  void OnLeftButtonUp(const RCPtr<LMouseButtonParam>& param) override;
  void OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) override;
  // The list's own keys come before the keys its scroll bars take from it.
  void OnKey(const RCPtr<LKeyParam>& key) override;
  HResult ProcessKey(const RCPtr<LKeyParam>& key) override;
  void OnBarShownOrHidden(int32_t axis) override;
  // A new client size may leave room for more item controls.
  void OnClientAreaChanged() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // --- Operations that derived lists override ---
  virtual int32_t GetItemCount() const;
  // The new count, or minus the count reached when growing failed.
  virtual int32_t SetItemCount(int32_t count);
  // The remaining count, or E_INVALIDARG.
  virtual HResult RemoveItem(int32_t index);
  // 0; 1 for an empty list; E_FAIL when a removal failed.
  virtual HResult RemoveAllItems();
  virtual bool SortItems();
  // Measures the template: the room an item needs besides its text and the
  // item height. 0.
  virtual HResult ApplyItemTemplate(LControl& templateControl);
  virtual void OnSelectionChanging() {}
  virtual void OnItemActivating() {}
  // -1 when the control is none of the list's item controls.
  virtual int32_t GetItemIndexOfControl(const LControl* control) const;
  // 0; 1 when unchanged; E_INVALIDARG.
  virtual HResult SetItemHidden(int32_t index, bool hidden);
  virtual HResult AddItemControl();
  // 0 when a control shows the item (its slot in slot), else 1.
  virtual HResult UpdateItemControl(int32_t index, int32_t* slot = nullptr);
  virtual int32_t GetItemControlSlot(int32_t index) const;
  virtual int32_t GetItemWidth(int32_t index) const;
  virtual int32_t GetItemsHeight() const;
  // The height of the row that shows the item: one item height here; a
  // menu's separator rows are thinner.
  virtual int32_t GetRowHeight(int32_t /*index*/) const { return mItemHeight; }
  virtual bool IsItemSelectable(int32_t /*index*/) const { return true; }
  virtual HResult SwapItems(int32_t a, int32_t b);
  // 0; 1 for an empty range; E_INVALIDARG.
  virtual HResult SortItemRange(int32_t start, int32_t count);
  virtual ItemRecord& GetItemRecord(int32_t index);
  const ItemRecord& GetItemRecord(int32_t index) const { return const_cast<LListBox*>(this)->GetItemRecord(index); }
  virtual HResult InsertItemRecord(int32_t index);
  virtual HResult EraseItemRecord(int32_t index);

  // --- Item model ---
  StringW GetItemText(int32_t index) const;
  RCPtr<LTaggableObject> GetItemTag(int32_t index) const;
  // index, or E_INVALIDARG outside 0..count.
  HResult InsertItem(int32_t index, const RCPtr<LTaggableObject>& tag);
  HResult AddItem(const StringW& text);
  HResult SetItemTag(int32_t index, const RCPtr<LTaggableObject>& tag);
  HResult SetItem(int32_t index, const RCPtr<LTaggableObject>& tag, double value, bool marked, bool separator);
  // 1 when the index is in range, else 0.
  HResult SetItemMarked(int32_t index, bool marked);
  HResult SetItemSeparator(int32_t index, bool separator);
  bool IsItemMarked(int32_t index) const;
  bool IsItemHidden(int32_t index) const;
  HResult LoadItemsFromStringTable(const RCPtr<LStringTable>& table);
  // The highest index with that text, or -1.
  int32_t FindItemByText(const StringW& text, bool caseSensitive) const;
  // Selects the first match after afterIndex, wrapping; its SelectRange
  // result, or -1.
  HResult SelectItemByText(const StringW& text, int32_t afterIndex, bool caseSensitive);
  // The comparison of sorting and search: A-Z folded to a-z, every other
  // UTF-16 unit by value.
  static int32_t CompareItemTexts(const StringW& a, const StringW& b);

  // --- Selection ---
  bool IsItemSelected(int32_t index) const;
  HResult SetItemValue(int32_t index, double value);
  HResult SelectRange(int32_t first, int32_t last, bool exclusive);
  HResult DeselectItem(int32_t index);
  void ClearSelection();
  const std::vector<uint32_t>& GetSelectedIndices();
  int32_t GetSelectedCount() const { return mSelectedCount; }
  void ActivateItem(int32_t index);
  int32_t GetAnchorIndex() const { return mAnchorIndex; }
  int32_t GetCaretIndex() const { return mCaretIndex; }
  void SetMultiSelect(bool multiSelect, int32_t mode = 1) {
    mMultiSelect = multiSelect;
    mMultiSelectMode = mode;
  }
  bool IsMultiSelect() const { return mMultiSelect; }
  void SetSortOnChange(bool sort) { mSortOnChange = sort; }

  // --- Item controls and geometry ---
  int32_t GetItemControlCount() const { return static_cast<int32_t>(mItemControls.size()); }
  LControl* GetItemControl(int32_t slot) const;
  int32_t GetItemIndexAtPoint(const Point& point) const;
  Rect GetItemRect(int32_t index) const;
  HResult SetItemHoverOverride(int32_t index, bool hover);
  HResult SelectItemLook(int32_t index, int32_t lookIndex);
  HResult SetDropDownMode(bool dropDown);
  bool IsDropDownMode() const { return mDropDownMode; }
  // While deferred, the list makes no item controls: a closed drop-down
  // list, which may never open, costs no controls. The items, the selection
  // and the keys work all the same. Ending the deferral (or showing the list)
  // makes the controls at once.
  void DeferItemControls(bool deferred);
  bool AreItemControlsDeferred() const { return mItemControlsDeferred; }
  // 0 when nothing moved or after scrolling; 1 when it cannot be shown;
  // E_INVALIDARG.
  HResult EnsureItemVisible(int32_t index);
  int32_t GetFirstVisibleIndex() const { return mFirstVisibleIndex; }
  int32_t GetItemHeight() const { return mItemHeight; }
  int32_t GetWidestItemWidth() const { return mWidestItemWidth; }
  int32_t GetItemTextMargin() const { return mItemTextMargin; }
  const RCPtr<LControlDescriptor>& GetItemTemplate() const { return mItemTemplate; }
  const RCPtr<LNotificationHandler<LListBox>>& GetListHandler() const { return mHandler; }

 protected:
  // 1 while already running or before the template is measured.
  HResult FillItemControls();
  void RefreshItemControls(int32_t fromIndex);
  void RefreshItemText(int32_t index);
  void UpdateContentExtent();
  HResult SetWidestItemWidth(int32_t width);
  void RecomputeWidestItem();
  HResult SetClientWidth(double width);
  HResult SetClientHeight(double height);
  // The hook, then "NID_SELECTION_CHANGE" outside drop-down mode.
  void SelectionChanged();
  // Registers the list's handlers on an item control and gives it the
  // list's drop-down flag and drag threshold.
  void AdoptItemControl(LControl& control);
  bool IsSuspended() const { return mSuspendLayout; }

 private:
  HResult OnItemMouseDown(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnItemMouseUp(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnItemLeftDrag(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  HResult OnItemHover(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  void SendItemConditions(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification,
                          const NotificationName& name);
  void HandleClick(int32_t index, uint32_t modifiers, bool doubleClick);
  void ToggleItem(int32_t index);
  // The nearest selectable item from the caret in the direction; -1 none.
  int32_t NextSelectableItem(int32_t step) const;
  void MoveCaret(int32_t step, bool extend);
  // Offers a key to a scroll bar as the keys of its siblings; true when the
  // list had that bar (a missing bar swallows the key all the same).
  void PassKeyToBar(LControl* bar, const RCPtr<LKeyParam>& key);
  // The shown item that is count shown items on from index (negative: back);
  // stops at the ends.
  int32_t StepShownItems(int32_t index, int32_t count) const;
  int32_t CountShownBefore(int32_t index) const;
  int32_t ItemIndexForSlot(int32_t slot) const;
  // The slot of the lowest item control wholly inside the client area.
  int32_t GetLowestFullSlot() const;
  // The first visible item that shows the last shown item in slot `fit`.
  int32_t GetLastFirstIndex(int32_t fit) const;
  // Scrolls so that the given item is the first visible one.
  void ShowFromItem(int32_t target);
  void CaptureTemplate(const RCPtr<LControl>& templateControl);
  int32_t TemplateTextOverflowX() const;
  bool TemplateSizesSelf() const;

  RCPtr<LNotificationHandler<LListBox>> mHandler;
  int32_t mItemTextMargin = 0;
  int32_t mWidestItemWidth = 0;
  std::vector<ItemRecord> mItems;
  std::vector<LControl*> mItemControls;  // top to bottom; children, owned by the child list
  RCPtr<LControlDescriptor> mItemTemplate;
  int32_t mAnchorIndex = -1;
  int32_t mCaretIndex = -1;
  bool mMultiSelect = false;
  int32_t mMultiSelectMode = 1;
  int32_t mPendingPressIndex = -1;
  bool mDropDownMode = false;
  bool mSortOnChange = false;
  int32_t mItemHeight = kDefaultItemHeight;
  std::vector<uint32_t> mSelectedIndices;
  int32_t mSelectedCount = 0;
  int32_t mItemDragThreshold = 1;
  int32_t mFirstVisibleIndex = 0;
  bool mFillingItemControls = false;
  bool mItemControlsDeferred = false;
  bool mCreatingFromDescriptor = false;
  bool mTemplateApplied = false;
  bool mSuspendLayout = false;
  int32_t mHiddenCount = 0;    // records with IsHidden set
  int32_t mQuietSelection = 0;  // > 0: selection changes send nothing
  int32_t mTemplateTextOverflowX = 0;
  bool mTemplateSizesSelf = true;
};

}  // namespace HV
