#pragma once

// "Test.PopupMenu": a stand-in for the pop-up menu of a menu title. It keeps
// a copy of the menu it is given, asks its updater's control for the item
// states each time it becomes visible (as the pop-up menu does) and, told to
// choose an item, sends what a chosen item sends. Enough for the menu title
// and the menu bar to be tried without the list it would draw.

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Controls/PopupMenu/IMenuPopupControl.h"
#include "HVFramework/Controls/PopupMenu/MenuItemRouting.h"

#include <string>
#include <vector>

namespace HV::Test {

class FakePopupMenu : public LControl, public IMenuPopupControl {
 public:
  static constexpr const WChar* kClassName = u"Test.PopupMenu";

  FakePopupMenu(LControl* parent, const StringW& name) : LControl(parent, name) {}

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<FakePopupMenu>(result, parent, descriptor);
  }

  HResult SetMenu(const RCPtr<LMenuDescriptor>& menu) override {
    if (!menu) return E_INVALIDARG;
    mMenu = menu->Clone();
    return S_OK;
  }
  HResult ShowAtMousePosition() override {
    SetVisible(true);
    return S_OK;
  }
  RCPtr<LMenuDescriptor> GetMenu() const override { return mMenu; }
  HResult SetOwner(const RCPtr<LNotificationReceiver>& owner) override {
    if (!owner) return E_INVALIDARG;
    if (mOwner) return E_FAIL;
    mOwner = owner;
    return S_OK;
  }
  void SetItemUpdater(const RCPtr<LMenuItemUpdater>& updater) override { mUpdater = updater; }
  void SetAutoClose(bool autoClose) override { mAutoClose = autoClose; }

  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override {
    const bool shown = (conditions->current & kVisible) && !(conditions->previous & kVisible);
    if (!shown || !mMenu) return;
    CollectMenuItemStates(mMenu, mUpdater.Get(), [this](uint32_t index, const LMenuItemState& state) {
      bool labelChanged = false;
      ApplyMenuItemState(*mMenu->GetItem(index), state, labelChanged);
    });
  }

  // The row at index chosen: the command goes to the owner.
  void Choose(int32_t index) { SendMenuCommand(*this, mOwner.Get(), mMenu, index); }

  const RCPtr<LNotificationReceiver>& GetOwner() const { return mOwner; }
  const RCPtr<LMenuItemUpdater>& GetItemUpdater() const { return mUpdater; }
  bool IsAutoClose() const { return mAutoClose; }

 private:
  RCPtr<LMenuDescriptor> mMenu;
  RCPtr<LNotificationReceiver> mOwner;
  RCPtr<LMenuItemUpdater> mUpdater;
  bool mAutoClose = true;
};

}  // namespace HV::Test
