#pragma once

#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Notification/LNotificationHandler.h"

#include <cstdint>

namespace HV {

class LControlFactory;

// LTabControl: a panel that shows one of several pages. Its child
// "buttonHolder" holds the tab buttons, its child "pageHolder" the pages,
// button i belonging to page i (both in creation order); a page is known by
// the name of its button. Clicking a button selects its page: the others
// are hidden, it is shown and takes the focus, and observers hear
// "NID_TAB_BUTTON_CLICKED", "NID_TAB_BECOMING_UNSELECTED" and
// "NID_TAB_SELECTED" at once, from the tab control. A tab control without
// tab buttons fails its Initialize. UI thread only.
class LTabControl : public LPanel {
 public:
  static constexpr const WChar* kClassName = u"Framework.TabControl";

  LTabControl(LControl* parent, const StringW& name);

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // --- Pages ---
  // The number of tab buttons; 0 without a button holder.
  virtual int32_t GetPageCount();
  // The index of the tab button of that name; -1 when none.
  virtual int32_t GetPageIndex(const StringW& name);
  // The index of the selected page's name (-1: none selected or unknown).
  virtual int32_t GetSelectedPageIndex();
  // The page shown; null when none.
  virtual RCPtr<LControl> GetSelectedPage();
  // The name last selected (a tab's button name), kept even when it named no tab.
  virtual StringW GetSelectedPageName() const { return mSelectedName; }
  // Null for an unknown name or an index not below the page count.
  virtual RCPtr<LControl> GetPage(const StringW& name);
  virtual RCPtr<LControl> GetPageAt(int32_t index);
  virtual RCPtr<LControl> GetPageButton(const StringW& name);
  virtual RCPtr<LControl> GetPageButtonAt(int32_t index);
  // Shows the named page and hides the others; E_FAIL without both holders.
  // A name that matches no tab hides every page.
  virtual HResult SelectPage(const StringW& name);
  // Selects the tab of the button at index in the buttons' tab order;
  // E_FAIL without a button holder or past the last button.
  virtual HResult SelectPageAt(int32_t index);
  // Called during a selection with the new index; for derived tab controls.
  virtual void OnPageSelected(int32_t /*index*/) {}

  // --- Overrides of the control base ---
  // A tab control built again from a new skin shows the page it showed.
  HResult CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  // The panel's failure as E_FAIL; else binds the holders, selects the
  // first tab in tab order and listens to the buttons' clicks: that
  // selection's result.
  HResult Initialize() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

 private:
  HResult OnButtonClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  // The holder's child at index in attachment order; null past the count.
  static RCPtr<LControl> ChildAt(const RCPtr<LControl>& holder, int32_t index);

  RCPtr<LNotificationHandler<LTabControl>> mHandler;
  RCPtr<LControl> mButtonHolder;
  RCPtr<LControl> mPageHolder;
  StringW mSelectedName;
  bool mInitialized = false;
};

}  // namespace HV
