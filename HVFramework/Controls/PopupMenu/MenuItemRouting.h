#pragma once

#include "HVFramework/ControlBase/Control/LMenuItemUpdater.h"
#include "HVFramework/ControlBase/Skin/HotKeyMap.h"
#include "HVFramework/ControlBase/Skin/Menu/LMenuItemDescriptor.h"
#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationReceiver.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace HV {

// What a pop-up menu does with its menu apart from showing it: shortcut
// texts from the hot-key tables, item states asked of a control before the
// menu shows, and the notifications of a chosen item. UI thread only.

// Depth first over every item (submenus included): an item without a
// shortcut text gets the shown text of the first key bound to its command in
// the first table that binds it; an empty text when none does.
void AssignMenuHotKeyTexts(LMenuDescriptor& menu, const std::vector<const HotKeyMap*>& tables);

// For each item from the last to the first that is neither a separator nor a
// submenu item: its state, as the updater's control changes it (unchanged
// without a control), handed to apply with the item's index.
void CollectMenuItemStates(const RCPtr<LMenuDescriptor>& menu, const LMenuItemUpdater* updater,
                           const std::function<void(uint32_t, const LMenuItemState&)>& apply);

// Gives an item a state: 1 when it has it already; else 0, after setting
// enabled (not for a separator), checked (neither for a separator nor a
// submenu item) and the label. labelChanged tells whether the label moved.
HResult ApplyMenuItemState(LMenuItemDescriptor& item, const LMenuItemState& state, bool& labelChanged);

// A chosen item: "NID_ITEM_ACTIVATED" (no payload) from the menu control at
// once, then a notification named after the item's command with the menu and
// the index (LMenuActivationParam) handed to the owner. Nothing without an
// owner. index may be -1 (no current row): the command is then that of no item
// and only "NID_ITEM_ACTIVATED" goes out.
void SendMenuCommand(LNotificationDistributor& menuControl, LNotificationReceiver* owner,
                     const RCPtr<LMenuDescriptor>& menu, int32_t index);

// The submenu hover delay: the time of the last start, in the program's
// milliseconds. Due once more than kDelay ms passed (the unsigned difference,
// so the clock's wrap does not matter).
class MenuHoverDelay {
 public:
  static constexpr uint32_t kDelay = 250;
  // true when it was not running (the caller then asks for idle ticks).
  bool Start(uint32_t now);
  // true when it was running.
  bool Stop();
  bool IsRunning() const { return mRunning; }
  bool IsDue(uint32_t now) const { return mRunning && now - mStart > kDelay; }

 private:
  bool mRunning = false;
  uint32_t mStart = 0;
};

// Places a span of size at position on one axis inside 0..extent: moved back
// so that its far end meets extent, and to 0 when it then starts before 0.
int32_t ClampSpanInto(int32_t position, int32_t size, int32_t extent);

// Where a submenu opens, in the coordinates of the menu that opens it: right
// of the row, or left of the menu when that would pass the root window's
// right edge (and back right when the left passes 0); at the row's top,
// moved up so that its bottom stays in the root window, but not above it.
struct SubmenuPlacement {
  int32_t rowRight = 0;
  int32_t rowTop = 0;
  int32_t originX = 0;  // the opening menu's origin in the root window
  int32_t originY = 0;
  int32_t rootWidth = 0;
  int32_t rootHeight = 0;
  int32_t width = 0;  // the submenu's size
  int32_t height = 0;
};
void PlaceSubmenu(const SubmenuPlacement& place, int32_t& x, int32_t& y);

}  // namespace HV
