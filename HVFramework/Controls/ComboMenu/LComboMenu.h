#pragma once

#include "HVFramework/Controls/DropDown/LDropDownControl.h"
#include "HVFramework/Controls/PopupMenu/IMenuPopupControl.h"

namespace HV {

class LControlFactory;

// LComboMenu: a title of the menu bar. Its drop-down is the pop-up menu in
// its "popupMenu" part: a press on the title opens the menu, a second press
// closes it, choosing an item closes it, and while one title of the bar has
// its menu open, moving the mouse onto another title switches to that
// title's menu. Looks: 0 normal, 1 hovered, 2 open, 3 disabled. The menu
// is kept inside the window horizontally. UI thread only.
class LComboMenu : public LDropDownControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.ComboMenu";
  static constexpr const WChar* kPopupName = u"popupMenu";
  enum Look : int32_t { kNormalLook = 0, kHoverLook = 1, kOpenLook = 2, kDisabledLook = 3 };

  LComboMenu(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // The title's "popupMenu" part; null when it has none.
  RCPtr<LControl> GetPopupControl() const { return FindChildControl(StringW(kPopupName)); }
  IMenuPopupControl* GetPopupMenu() const;
  // The menu of the title's pop-up menu; null when none.
  RCPtr<LMenuDescriptor> GetPopupMenuDescriptor() const;

  // --- Overrides ---
  // E_FAIL when the drop-down's fails; listens to the pop-up menu and turns
  // its own closing off: the title closes it. 0.
  HResult Initialize() override;
  // Keeps the pop-up menu's X position from the skin. 0.
  HResult OnCreated() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  // The pop-up menu is visible with a size.
  bool IsDropDownShown() override;
  // Opens (placed inside the window, focused, capturing a press held on the
  // title so a drag into the menu chooses on release) or closes the menu. 0.
  HResult ShowDropDown(bool show) override;

 private:
  HResult OnPopupItemActivated(const RCPtr<LNotificationDistributor>& source,
                               const RCPtr<LNotification>& notification);
  HResult OnPopupVisibilityChanged(const RCPtr<LNotificationDistributor>& source,
                                   const RCPtr<LNotification>& notification);
  // Look 2 while open, else 1 under the mouse, else 0.
  void SelectStateLook();
  // The pop-up's X position in the title keeping it inside the top-level control.
  double ClampedPopupX(const LControl& popup);
  // The sibling title whose menu is open; null when none.
  LComboMenu* FindOpenSibling() const;

  RCPtr<LNotificationHandler<LComboMenu>> mHandler;
  double mPopupX = 0;
  Point mPressPoint;
};

}  // namespace HV
