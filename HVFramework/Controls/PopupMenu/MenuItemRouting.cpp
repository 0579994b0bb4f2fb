#include "HVFramework/Controls/PopupMenu/MenuItemRouting.h"

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/ControlBase/Skin/Menu/LMenuActivationParam.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Notification/LNotification.h"

namespace HV {
namespace {

StringW FirstShortcutText(const StringW& command, const std::vector<const HotKeyMap*>& tables) {
  if (command.IsEmpty()) return StringW();
  for (const HotKeyMap* table : tables) {
    if (!table) continue;
    Array<KeyCode> keys = table->GetKeyCodes(command);
    if (keys.GetCount() > 0) return KeyCode::ToDisplayText(*keys.GetItemPtr(0));
  }
  return StringW();
}

}  // namespace

void AssignMenuHotKeyTexts(LMenuDescriptor& menu, const std::vector<const HotKeyMap*>& tables) {
  const RCPtrArray<LMenuItemDescriptor>& items = menu.GetItems();
  for (uint32_t i = 0; i < items.GetCount(); ++i) {
    LMenuItemDescriptor* item = items.GetAt(i).Get();
    if (!item) continue;
    if (item->IsSubmenu()) {
      AssignMenuHotKeyTexts(*item, tables);
      continue;
    }
    if (item->hotKeyText.IsEmpty()) item->hotKeyText = FirstShortcutText(item->commandId, tables);
  }
}

void CollectMenuItemStates(const RCPtr<LMenuDescriptor>& menu, const LMenuItemUpdater* updater,
                           const std::function<void(uint32_t, const LMenuItemState&)>& apply) {
  if (!menu) return;
  for (uint32_t i = menu->GetItemCount(); i-- > 0;) {
    const RCPtr<LMenuItemDescriptor> item = menu->GetItem(i);
    if (!item || item->separator || item->IsSubmenu()) continue;
    LMenuItemState state;
    menu->GetItemState(i, state);
    if (LControl* control = updater ? updater->GetControl() : nullptr) {
      const RCPtr<LControl> held(control);
      control->UpdateMenuItem(menu, static_cast<int32_t>(i), item->commandId, state);
    }
    apply(i, state);
  }
}

HResult ApplyMenuItemState(LMenuItemDescriptor& item, const LMenuItemState& state, bool& labelChanged) {
  labelChanged = false;
  const LMenuItemState current{item.enabled, item.checked, item.label};
  if (current == state) return S_FALSE;
  if (!item.separator) item.enabled = state.enabled;
  if (!item.separator && !item.IsSubmenu()) item.checked = state.checked;
  if (item.label != state.label) {
    item.label = state.label;
    labelChanged = true;
  }
  return S_OK;
}

void SendMenuCommand(LNotificationDistributor& menuControl, LNotificationReceiver* owner,
                     const RCPtr<LMenuDescriptor>& menu, int32_t index) {
  if (!owner) return;
  const RCPtr<LNotificationReceiver> heldOwner(owner);
  menuControl.SendNotification(LNotification::Create(kNidItemActivated));
  const RCPtr<LMenuItemDescriptor> item =
      menu && index >= 0 ? menu->GetItem(static_cast<uint32_t>(index)) : nullptr;
  if (!item || item->commandId.IsEmpty()) return;
  const RCPtr<LMenuActivationParam> param = LMenuActivationParam::Create(menu, index);
  owner->ReceiveNotification(nullptr, LNotification::Create(item->commandId.GetText(), param));
}

bool MenuHoverDelay::Start(uint32_t now) {
  mStart = now;
  const bool started = !mRunning;
  mRunning = true;
  return started;
}

bool MenuHoverDelay::Stop() {
  const bool wasRunning = mRunning;
  mRunning = false;
  return wasRunning;
}

int32_t ClampSpanInto(int32_t position, int32_t size, int32_t extent) {
  if (position + size > extent) position = extent - size;
  return position < 0 ? 0 : position;
}

void PlaceSubmenu(const SubmenuPlacement& place, int32_t& x, int32_t& y) {
  x = place.rowRight;
  if (place.originX + x + place.width > place.rootWidth) x = -place.width;
  if (place.originX + x < 0) x = place.rowRight;
  y = place.rowTop;
  if (place.originY + y + place.height > place.rootHeight) y = place.rootHeight - place.originY - place.height;
  if (place.originY + y < 0) y = 0;
}

}  // namespace HV
