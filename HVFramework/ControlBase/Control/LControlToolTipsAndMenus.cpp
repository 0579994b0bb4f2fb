// Tool tips and context menus of a control. The tool tip and the pop-up menu
// are controls of the control library built from the skin; the control base
// reaches them through IToolTipControl and IPopupMenuControl.
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/IPopupMenuControl.h"
#include "HVFramework/ControlBase/Control/IToolTipControl.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LGlobalHotKeyManager.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"

namespace HV {
namespace {

constexpr const char16_t* kToolTipName = u"toolTip";
constexpr const char16_t* kContextMenuName = u"contextMenu";

// A control of the skin's top-level description `name`, built as a child of
// parent; null when the skin or the factory has none or its class is not registered.
RCPtr<LControl> CreateSkinChild(const char16_t* name, LControl& parent) {
  LControlFactory* factory = GetApplicationControlFactory();
  if (!factory) return nullptr;
  const RCPtr<LControlDescriptor> descriptor = factory->FindControlDescriptor(StringW(name));
  // The tool tip and the pop-up menu are optional: a class that nobody
  // registered makes no control (the factory would throw for it).
  if (!descriptor) return nullptr;
  if (!descriptor->GetCreateFunction() && !factory->IsControlClassRegistered(descriptor->GetClassName()))
    return nullptr;
  return factory->CreateControl(descriptor, RCPtr<LControl>(&parent));
}

LGlobalHotKeyManager* WindowHotKeys(const LControl& control) {
  LRootWindow* root = control.GetRootWindow();
  return root ? root->GetHotKeys().Get() : nullptr;
}

}  // namespace

// --- Tool tip ---

HResult LControl::ShowToolTip(bool show) {
  const RCPtr<LControl> self(this);
  // A tip still shown goes first: a second child of its name could not join.
  if (const RCPtr<LControl> former = FindChildControl(StringW(kToolTipName))) {
    if (auto* tip = dynamic_cast<IToolTipControl*>(former.Get()))
      tip->Hide();
    else
      RemoveChildControl(former);
  }
  if (!show) return S_OK;
  const StringW text = GetToolTipText();
  if (text.IsEmpty()) return S_OK;
  const RCPtr<LControl> created = CreateSkinChild(kToolTipName, *this);
  if (!created) return S_OK;
  auto* tip = dynamic_cast<IToolTipControl*>(created.Get());
  if (!tip || created->GetParent() != this) {
    // Not a tool tip after all: it must not stay as a child that nothing removes.
    if (created->GetParent() == this) RemoveChildControl(created);
    return S_OK;
  }
  created->SetText(text);
  tip->Start();
  return S_OK;
}

// --- Context menu ---

HResult LControl::SetContextMenu(const RCPtr<LMenuDescriptor>& menu) {
  if (mContextMenu) BindContextMenuCommands(*mContextMenu, false);
  mContextMenu = menu;
  if (mContextMenu) BindContextMenuCommands(*mContextMenu, true);
  return S_OK;
}

void LControl::BindContextMenuCommands(const LMenuDescriptor& menu, bool bind) {
  LGlobalHotKeyManager* window = WindowHotKeys(*this);
  LGlobalHotKeyManager* application = GetApplicationHotKeys();
  const RCPtrArray<LMenuItemDescriptor>& items = menu.GetItems();
  for (uint32_t i = 0; i < items.GetCount(); ++i) {
    const RCPtr<LMenuItemDescriptor>& item = items.GetAt(i);
    if (!item) continue;
    if (item->IsSubmenu()) {
      BindContextMenuCommands(*item, bind);
      continue;
    }
    const StringW& command = item->commandId;
    const bool known = (window && window->HasName(command)) || (application && application->HasName(command));
    if (!known || !mHandler) continue;
    if (bind)
      mHandler->AddHandler(&LControl::OnContextMenuCommand, command.GetText());
    else
      mHandler->RemoveHandler(nullptr, command.GetText());
  }
}

HResult LControl::OnContextMenuCommand(const RCPtr<LNotificationDistributor>& /*source*/,
                                       const RCPtr<LNotification>& notification) {
  if (!notification) return 1;
  const StringW name(notification->GetName());
  LGlobalHotKeyManager* window = WindowHotKeys(*this);
  if (window && window->HasName(name))
    window->Raise(name);
  else if (LGlobalHotKeyManager* application = GetApplicationHotKeys())
    application->Raise(name);
  return 1;
}

HResult LControl::GetContextMenuStrings(std::vector<MenuEntries>& menus) const {
  if (!mStringTable) return 1;
  for (MenuEntries& entries : GetContextMenuEntries(*mStringTable)) menus.push_back(std::move(entries));
  return 1;
}

HResult LControl::ShowContextMenu(const RCPtr<LMenuDescriptor>& menu) {
  const RCPtr<LControl> self(this);
  // A menu left open from before makes way for the new one.
  if (const RCPtr<LControl> former = FindChildControl(StringW(kContextMenuName))) RemoveChildControl(former);
  const RCPtr<LControl> created = CreateSkinChild(kContextMenuName, *this);
  if (!created) return S_OK;
  auto* popup = dynamic_cast<IPopupMenuControl*>(created.Get());
  if (!popup) {
    if (created->GetParent() == this) RemoveChildControl(created);
    return S_OK;
  }
  created->SetVisible(false);
  popup->SetMenu(menu);
  PrepareContextMenu(*created);
  popup->ShowAtMousePosition();
  return S_OK;
}

// --- Menu item states ---

RCPtr<LMenuItemUpdater> LControl::GetMenuItemUpdater() {
  if (!mMenuItemUpdater) mMenuItemUpdater = LMenuItemUpdater::Create(this);
  return mMenuItemUpdater;
}

HResult LControl::UpdateMenuItem(const RCPtr<LMenuDescriptor>& /*menu*/, int32_t /*index*/,
                                 const StringW& /*commandId*/, LMenuItemState& /*state*/) {
  return S_FALSE;
}

}  // namespace HV
