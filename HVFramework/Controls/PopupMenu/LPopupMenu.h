#pragma once

#include "HVFramework/Controls/CheckedListBox/LCheckedListBox.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBoxItem.h"
#include "HVFramework/Controls/PopupMenu/IMenuPopupControl.h"
#include "HVFramework/Controls/PopupMenu/MenuItemRouting.h"

#include <vector>

namespace HV {

class LControlFactory;

// LMenuListBoxItem: one row of a pop-up menu: a label, a check box part
// ("checkBox") and a right-aligned shortcut label ("hotKeyLabel").
class LMenuListBoxItem : public LCheckedListBoxItem {
 public:
  static constexpr const WChar* kClassName = u"Framework.MenuItem";
  using LCheckedListBoxItem::LCheckedListBoxItem;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  // A row may lack a look of the index asked: it keeps the look it has.
  bool SetItemLook(int32_t index, bool exclusive) override;
};

// LPopupMenu: shows a menu (LMenuDescriptor) as a column of rows and opens
// its items' submenus as further pop-up menus beside it, each a child of the
// menu that opened it: a chain. Before it shows it asks a control for its
// items' states (the item updater); a chosen item sends "NID_ITEM_ACTIVATED"
// and hands its owner a notification named after the item's command, with
// the menu and the row (LMenuActivationParam). Without an owner the commands
// go to the nearest ancestor that is not a pop-up menu: the control a
// context menu was opened on. It shows a copy of the menu it is given, so
// the item states it applies never reach the caller's menu. UI thread only.
class LPopupMenu : public LCheckedListBox, public IMenuPopupControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.PopupMenu";
  static constexpr const WChar* kSubmenuName = u"submenu";
  // Look of a checked row's check box, and while the mouse is over the row.
  static constexpr int32_t kCheckedLook = 7;
  static constexpr int32_t kCheckedHoverLook = 8;

  LPopupMenu(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  // "Framework.PopupMenu" and its rows' "Framework.MenuItem".
  static HResult Register(LControlFactory& factory);

  // --- The menu ---
  // E_INVALIDARG for null; else closes an open submenu and shows a copy.
  HResult SetMenu(const RCPtr<LMenuDescriptor>& menu) override;
  // Shows the submenu of the parent menu's item at index itself (no copy).
  // E_INVALIDARG when the parent is no pop-up menu or that item has no items.
  HResult SetMenuFromParentItem(int32_t index);
  RCPtr<LMenuDescriptor> GetMenu() const override { return mMenu; }
  HResult SetOwner(const RCPtr<LNotificationReceiver>& owner) override;
  // The owner; without one, the nearest ancestor that is not a pop-up menu.
  RCPtr<LNotificationReceiver> GetOwner() const;
  void SetItemUpdater(const RCPtr<LMenuItemUpdater>& updater) override { mItemUpdater = updater; }
  // The updater set, else that of the owner control (kept from then on).
  RCPtr<LMenuItemUpdater> GetItemUpdater();
  void SetAutoClose(bool autoClose) override { mAutoClose = autoClose; }
  bool IsAutoClose() const { return mAutoClose; }
  // E_INVALIDARG past the rows; 1 when the item has that state; else 0.
  HResult SetItemState(int32_t index, const LMenuItemState& state);
  // Opens at the mouse, inside the root window, and takes the focus. 0.
  HResult ShowAtMousePosition() override;

  // --- The chain ---
  // E_INVALIDARG when the row's item has no items; else 0.
  HResult OpenSubmenu(int32_t index);
  void CloseSubmenu();
  // The topmost menu of the chain closes its submenus and removes itself.
  void CloseMenuChain();
  void ActivateMenuItem(const RCPtr<LMenuItemDescriptor>& item);
  // A menu that does not close itself (a menu bar's) asks the title that
  // opened its chain to close it, and the focus goes back where it was.
  void AskTitleToClose();
  const RCPtr<LPopupMenu>& GetOpenSubmenu() const { return mOpenSubmenu; }
  bool IsHoverDelayRunning() const { return mHoverDelay.IsRunning(); }
  int32_t GetSeparatorHeight() const { return mSeparatorHeight; }

  // --- Overrides ---
  HResult SetFocus(bool forward) override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  HResult CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  // A press on a menu does not move the focus.
  void FocusOnMouseDown() override {}
  // Nor does a press on one of its rows.
  HResult RequestFocus(LControl* /*requester*/) override { return S_OK; }
  void OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) override;
  HResult ProcessKey(const RCPtr<LKeyParam>& key) override;
  void OnIdleTick() override;
  HResult Initialize() override;
  HResult OnCreated() override;
  void OnSelectionChanging() override;
  void OnItemActivating() override;
  HResult UpdateItemControl(int32_t index, int32_t* slot = nullptr) override;
  // Listens to the new row's hover, for the status line.
  HResult AddItemControl() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  int32_t GetItemsHeight() const override;
  // A separator's row is the separator height high.
  int32_t GetRowHeight(int32_t index) const override;
  bool IsItemSelectable(int32_t index) const override;
  // Menus keep their order: E_NOTIMPL.
  HResult SwapItems(int32_t a, int32_t b) override;
  // The row's text and shortcut text, with the room around them.
  virtual int32_t MeasureItemWidth(int32_t index);

 private:
  RCPtr<LMenuItemDescriptor> GetMenuItem(int32_t index) const;
  // In a menu bar's menu, the focus goes back to the control that had it.
  void ReturnFocusFromMenuBar();
  void ApplyDefaultSize();
  HResult AssignHotKeyTexts();
  HResult RebuildRows();
  void UpdateItemStates();
  void StartHoverDelay();
  void StopHoverDelay();
  void KeepOpenItemCurrent();
  bool IsInMenuChain(const LPopupMenu* menu) const;
  LPopupMenu* GetParentMenu() const;
  // A row's hover came or went: the status line shows the item's help
  // text, or its own text again.
  HResult OnItemHoverChanged(const RCPtr<LNotificationDistributor>& source,
                             const RCPtr<LNotification>& notification);

  RCPtr<LNotificationHandler<LPopupMenu>> mHandler;
  RCPtr<LMenuDescriptor> mMenu;
  RCPtr<LPopupMenu> mOpenSubmenu;
  RCPtr<LMenuItemDescriptor> mOpenSubmenuItem;
  RCPtr<LNotificationReceiver> mOwner;
  RCPtr<LMenuItemUpdater> mItemUpdater;
  MenuHoverDelay mHoverDelay;
  bool mClosingSubmenu = false;
  bool mAutoClose = true;
  bool mClosing = false;
  int32_t mSeparatorHeight = 0;
  int32_t mSeparatorCount = 0;
  int32_t mExtraRowWidth = -1;  // room besides the texts; measured once
};

}  // namespace HV
