#pragma once

#include "HVFramework/ControlBase/Skin/Menu/LMenuItemDescriptor.h"

#include <map>
#include <utility>
#include <vector>

namespace HV {

class LStringTable;

// Menus from string-table entries. A key is an item path: "03.NID_X" (index,
// command id), "02.-" (a separator), "03.Tools." (an item opening the
// submenu Tools), "Tools.00.NID_Y" (an entry of the submenu Tools). Indices
// must run 0, 1, 2... per list; other entries are dropped. A text
// "Label|Help" gives the label and the help text.
using MenuEntries = std::vector<std::pair<StringW, StringW>>;
using SubmenuEntries = std::map<StringW, MenuEntries>;

RCPtr<LMenuDescriptor> BuildMenuFromEntries(const MenuEntries& entries);
// Fills `menu` (cleared first; a new menu when null) from one list; 0.
HResult FillMenuFromEntries(const MenuEntries& list, const SubmenuEntries& submenus,
                            RCPtr<LMenuDescriptor>& menu);

// The context menus of a string table as entry lists with their paths: the
// entries "CONTEXT_MENU.<path>" form one menu; without them, the entries
// "CONTEXT_MENU<group>.<path>" form one menu per group, in the groups' text
// order. Keys of "CONTEXT_MENU" without a '.' belong to no menu.
std::vector<MenuEntries> GetContextMenuEntries(const LStringTable& table);
// The same menus built.
std::vector<RCPtr<LMenuDescriptor>> BuildContextMenusFromStringTable(const LStringTable& table);

}  // namespace HV
