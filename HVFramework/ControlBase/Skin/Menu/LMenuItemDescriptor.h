#pragma once

#include "HVFramework/ControlBase/Skin/Menu/LMenuDescriptor.h"

namespace HV {

// LMenuItemDescriptor: one row of a menu. An item with items of its own opens
// them as a submenu instead of sending its command.
class LMenuItemDescriptor : public LMenuDescriptor {
 public:
  static RCPtr<LMenuItemDescriptor> Create(const StringW& label, const StringW& commandId, bool enabled,
                                           bool checked);
  static RCPtr<LMenuItemDescriptor> CreateSeparator();

  StringW ToString() const override { return label; }
  RCPtr<LMenuItemDescriptor> CloneItem() const;
  void SetParent(LMenuDescriptor* parent) { SetParentLink(parent); }
  bool IsSubmenu() const { return GetItemCount() != 0; }

  StringW label;
  StringW hotKeyText;  // filled by the pop-up menu when empty
  StringW helpText;
  StringW commandId;  // empty for a submenu item
  bool enabled = true;
  bool checked = false;
  bool separator = false;

 protected:
  LMenuItemDescriptor() = default;
};

// What a control may change of an item before its menu shows.
struct LMenuItemState {
  bool enabled = false;
  bool checked = false;
  StringW label;

  bool operator==(const LMenuItemState& other) const {
    return enabled == other.enabled && checked == other.checked && label == other.label;
  }
};

}  // namespace HV
