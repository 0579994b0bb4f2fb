#include "HVFramework/ControlBase/Skin/Menu/MenuBuilder.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/SkinValueText.h"

namespace HV {
namespace {

// Submenus nest through entries of the map. Entries come from outside: a
// submenu that names itself (directly or through others) is not opened again
// inside itself, and one menu tree holds at most this many items.
constexpr int kMaxMenuItems = 4096;

struct FillState {
  std::vector<StringW> openSubmenus;
  int itemsLeft = kMaxMenuItems;

  bool IsOpen(const StringW& name) const {
    for (const StringW& open : openSubmenus)
      if (open == name) return true;
    return false;
  }
};

std::vector<StringW> SplitAtDots(const StringW& key) {
  std::vector<StringW> parts;
  int32_t start = 0;
  for (int32_t dot; (dot = key.Find(u'.', start)) >= 0; start = dot + 1)
    parts.push_back(key.Mid(start, dot - start));
  if (start < key.GetLength()) parts.push_back(key.Mid(start));  // a trailing '.' leaves no empty last part
  return parts;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

void FillList(const MenuEntries& list, const SubmenuEntries& submenus, LMenuDescriptor& menu,
              FillState& state) {
  for (const auto& [id, text] : list) {
    if (state.itemsLeft <= 0) return;
    --state.itemsLeft;
    StringW label = text;
    StringW help;
    const int32_t bar = text.Find(u'|');
    if (bar >= 0) {
      label = text.Left(bar);
      help = text.Mid(bar + 1);
    }
    if (id.GetLength() > 0 && id[id.GetLength() - 1] == u'.') {
      StringW name = id;
      while (name.GetLength() > 0 && name[name.GetLength() - 1] == u'.')
        name = name.Left(name.GetLength() - 1);
      auto at = submenus.find(name);
      if (at == submenus.end() || state.IsOpen(name)) continue;
      RCPtr<LMenuItemDescriptor> item = LMenuItemDescriptor::Create(label, StringW(), true, false);
      if (!help.IsEmpty()) item->helpText = help;
      state.openSubmenus.push_back(name);
      FillList(at->second, submenus, *item, state);
      state.openSubmenus.pop_back();
      menu.AppendItem(item);
    } else if (id == u"-") {
      menu.AppendItem(LMenuItemDescriptor::CreateSeparator());
    } else {
      RCPtr<LMenuItemDescriptor> item = LMenuItemDescriptor::Create(label, id, true, false);
      item->helpText = help;
      menu.AppendItem(item);
    }
  }
}

}  // namespace

RCPtr<LMenuDescriptor> BuildMenuFromEntries(const MenuEntries& entries) {
  MenuEntries top;
  SubmenuEntries submenus;
  for (const auto& [key, text] : entries) {
    const std::vector<StringW> parts = SplitAtDots(key);
    if (parts.size() < 2) continue;
    StringW submenu;
    int64_t index = -1;
    size_t idPart = 1;
    if (!parts.empty() && !parts[0].IsEmpty()) {
      if (IsDigit(parts[0][0])) {
        index = SkinValueText::ParseDecimal64(parts[0].GetView());
      } else {
        submenu = parts[0];
        index = parts.size() > 1 ? SkinValueText::ParseDecimal64(parts[1].GetView()) : 0;
        idPart = 2;
      }
    }
    StringW id = idPart < parts.size() ? parts[idPart] : StringW();
    if (idPart < parts.size() && key[key.GetLength() - 1] == u'.') id += u'.';
    MenuEntries& list = submenu.IsEmpty() ? top : submenus[submenu];
    if (index >= 0 && static_cast<int64_t>(list.size()) == index) list.emplace_back(id, text);
  }
  RCPtr<LMenuDescriptor> menu;
  FillMenuFromEntries(top, submenus, menu);
  return menu;
}

HResult FillMenuFromEntries(const MenuEntries& list, const SubmenuEntries& submenus,
                            RCPtr<LMenuDescriptor>& menu) {
  if (menu)
    menu->Clear();
  else
    menu = LMenuDescriptor::Create();
  FillState state;
  FillList(list, submenus, *menu, state);
  return S_OK;
}

std::vector<MenuEntries> GetContextMenuEntries(const LStringTable& table) {
  const StringW prefix(u"CONTEXT_MENU");
  const StringW single = prefix + StringW(u".");
  std::vector<MenuEntries> menus;
  MenuEntries entries;
  table.GetStringsWithPrefix(single, entries);
  if (!entries.empty()) {
    for (auto& [key, text] : entries) key = key.Mid(single.GetLength());
    menus.push_back(std::move(entries));
    return menus;
  }
  // One menu per group name, the text before the first '.'; a group takes
  // exactly its own entries ("CONTEXT_MENU1." is no entry of "CONTEXT_MENU").
  table.GetStringsWithPrefix(prefix, entries);
  std::map<StringW, MenuEntries> groups;  // ordered: the groups' text order
  for (const auto& [key, text] : entries) {
    const int32_t dot = key.Find(u'.');
    if (dot >= 0) groups[key.Left(dot)].emplace_back(key.Mid(dot + 1), text);
  }
  for (auto& [group, list] : groups) menus.push_back(std::move(list));
  return menus;
}

std::vector<RCPtr<LMenuDescriptor>> BuildContextMenusFromStringTable(const LStringTable& table) {
  std::vector<RCPtr<LMenuDescriptor>> menus;
  for (const MenuEntries& entries : GetContextMenuEntries(table))
    menus.push_back(BuildMenuFromEntries(entries));
  return menus;
}

}  // namespace HV
