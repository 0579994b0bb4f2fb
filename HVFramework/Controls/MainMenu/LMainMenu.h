#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Controls/ComboMenu/LComboMenu.h"

#include <vector>

namespace HV {

class LControlFactory;

// LMainMenu: the menu bar. Its children are menu titles (LComboMenu), each
// with a pop-up menu. The titles are made at run time from the bar's string
// table ("MENU_LABEL.<n>" the texts, the "CONTEXT_MENU" groups the menus),
// each a copy of the skin's "templateMenu" title placed right of the one
// before. Titles the skin gives besides the template are fixed and come
// first; menu index i names the title at child index fixed count + i.
//
// The bar routes the item-state requests of its menus to the control set
// with SetMenuItemUpdater, and gives the focus back, when an item is chosen,
// to the control that had it before the bar took it (which also receives
// the edit commands meanwhile). Commands of its menus are posted into the
// root window's queue. UI thread only.
class LMainMenu : public LControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.MainMenu";
  static constexpr const WChar* kTemplateName = u"templateMenu";

  LMainMenu(LControl* parent, const StringW& name) : LControl(parent, name) {}

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // A new title before the one at menu index (at the end when index is the
  // number of titles): its menu index, or E_INVALIDARG past the end.
  HResult InsertMenu(int32_t index, const StringW& name, const StringW& label, const RCPtr<LMenuDescriptor>& menu);
  // A new title before the title named before (at the end when before is
  // empty): its menu index; E_INVALIDARG when no title is named before or a
  // child is named name already. The titles behind move one place right
  // with their menus, texts and names.
  HResult InsertMenuAt(const StringW& before, const StringW& name, const StringW& label,
                       const RCPtr<LMenuDescriptor>& menu);
  // Appends a title copied from the template. E_INVALIDARG when a child has
  // the name, E_FAIL without a template or when it cannot be built; else 0.
  HResult AddMenuTitle(const StringW& name);
  // Empty when there is no such title.
  StringW GetMenuName(int32_t index) const;
  // The menu index of the last child named name; -1 when none or when it is
  // not a run-time title.
  int32_t FindMenu(const StringW& name) const;
  int32_t GetMenuCount() const;
  int32_t GetFixedChildCount() const { return mFixedChildCount; }

  // Among the children that are menu titles only.
  LComboMenu* GetChildAt(int32_t index) const;
  int32_t GetChildCount() const;
  int32_t FindChild(const StringW& name) const;

  // The control whose UpdateMenuItem answers the item states of the bar's
  // menus; true when it was that updater already.
  bool SetMenuItemUpdater(const RCPtr<LMenuItemUpdater>& updater);
  const RCPtr<LControl>& GetFocusReturnControl() const { return mFocusReturnControl; }

  // --- Overrides ---
  RCPtr<LControl> GetEditTarget() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  void RefreshIdleNotifications() override;
  // 1 without an updater set from outside, E_FAIL when its control is gone,
  // else that control's answer.
  HResult UpdateMenuItem(const RCPtr<LMenuDescriptor>& menu, int32_t index, const StringW& commandId,
                         LMenuItemState& state) override;
  HResult CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  HResult Initialize() override;
  HResult AddChildControl(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) override;

 private:
  struct SavedTitle {
    RCPtr<LMenuDescriptor> menu;
    StringW text;
    StringW name;
  };
  // Links a title's pop-up menu to the bar: its updater and, inside a root
  // window, the window's queue as owner of its commands.
  void LinkTitle(LComboMenu& title);
  void BuildTitlesFromStrings();

  RCPtr<LControl> mFocusReturnControl;
  RCPtr<LControlDescriptor> mTemplateDescriptor;
  RCPtr<LMenuItemUpdater> mExternalUpdater;
  int32_t mFixedChildCount = 0;
  bool mHasTemplate = false;
};

}  // namespace HV
