#include "HVFramework/ControlBase/Skin/Menu/MenuBuilder.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/ControlBase/Skin/Menu/LMenuActivationParam.h"

#include <gtest/gtest.h>

#include <string>

namespace HV {
namespace {

std::string Narrow(const StringW& text) { return text.ToCharString().GetText(); }

// A menu written as text: items separated by blanks, "-" a separator, a
// submenu's items in brackets after its label.
std::string Describe(const LMenuDescriptor& menu) {
  std::string text;
  for (uint32_t i = 0; i < menu.GetItemCount(); ++i) {
    const RCPtr<LMenuItemDescriptor> item = menu.GetItem(i);
    if (!text.empty()) text += " ";
    text += item->separator
                ? "-"
                : Narrow(item->label) + (item->commandId.IsEmpty() ? "" : ":" + Narrow(item->commandId));
    if (item->IsSubmenu()) text += "[" + Describe(*item) + "]";
  }
  return text;
}

MenuEntries Entries(std::initializer_list<std::pair<const char16_t*, const char16_t*>> rows) {
  MenuEntries entries;
  for (const auto& [key, text] : rows) entries.emplace_back(StringW(key), StringW(text));
  return entries;
}

TEST(MenuBuilder, BuildsMenusFromItemPaths) {
  struct Case {
    MenuEntries entries;
    const char* menu;
  } const kCases[] = {
      {Entries({{u"00.A", u"a"}, {u"01.B", u"b"}, {u"03.C", u"c"}}), "a:A b:B"},
      {Entries({{u"00.A", u"a"}, {u"00.B", u"b"}, {u"01.C", u"c"}}), "a:A c:C"},
      {Entries({{u"LABEL", u"x"}, {u"00.A", u"a"}}), "a:A"},
      {Entries({{u"00.A", u"a"}, {u"01.B", u"b"}, {u"02.-", u"anything"}}), "a:A b:B -"},
      {Entries({{u"00.A", u"a"},
                {u"01.B", u"b"},
                {u"02.-", u"-"},
                {u"03.Tools.", u"Tools"},
                {u"Tools.00.NID_X", u"Run|Runs it"}}),
       "a:A b:B - Tools[Run:NID_X]"},
      {Entries({{u"00.Tools.", u"Tools"}, {u"01.B", u"b"}}), "b:B"},
      {Entries({{u"00.A", u"a|b|c"}}), "a:A"},
      {Entries({{u"-1.A", u"a"}, {u".00.A", u"a"}, {u"99999999999.A", u"a"}}), ""},
      {Entries({{u"00.Loop.", u"loop"}, {u"Loop.00.Loop.", u"again"}, {u"Loop.01.X", u"x"}}), "loop[x:X]"},
  };
  for (const Case& c : kCases) EXPECT_EQ(Describe(*BuildMenuFromEntries(c.entries)), c.menu) << c.menu;
}

TEST(MenuBuilder, SplitsLabelAndHelpAtTheFirstBar) {
  const RCPtr<LMenuDescriptor> menu =
      BuildMenuFromEntries(Entries({{u"00.NID_LOAD", u"Load Preset | Load Preset from disk."},
                                    {u"01.NID_B", u"a|b|c"},
                                    {u"02.NID_C", u"plain"},
                                    {u"03.Sub.", u"Sub|help of a submenu"},
                                    {u"Sub.00.NID_D", u"d"}}));
  ASSERT_EQ(menu->GetItemCount(), 4u);
  EXPECT_EQ(Narrow(menu->GetItem(0)->label), "Load Preset ");
  EXPECT_EQ(Narrow(menu->GetItem(0)->helpText), " Load Preset from disk.");
  EXPECT_EQ(Narrow(menu->GetItem(1)->helpText), "b|c");
  EXPECT_TRUE(menu->GetItem(2)->helpText.IsEmpty());
  EXPECT_EQ(Narrow(menu->GetItem(3)->helpText), "help of a submenu");
  EXPECT_TRUE(menu->GetItem(3)->commandId.IsEmpty());
  EXPECT_TRUE(menu->GetItem(0)->enabled);
  EXPECT_FALSE(menu->GetItem(0)->checked);
}

TEST(MenuBuilder, ManyEntriesNamingEachOtherStayBounded) {
  MenuEntries entries = Entries({{u"00.A.", u"a"}});
  for (int i = 0; i < 20; ++i) {
    const std::u16string from = i % 2 ? u"B" : u"A";
    const std::u16string to = i % 2 ? u"A" : u"B";
    entries.emplace_back(StringW((from + u"." + std::u16string(1, u'0' + i / 10) +
                                  std::u16string(1, u'0' + i % 10) + u"." + to + u".")
                                     .c_str()),
                         StringW(u"x"));
  }
  const RCPtr<LMenuDescriptor> menu = BuildMenuFromEntries(entries);
  EXPECT_EQ(menu->GetItemCount(), 1u);  // A holds B, and B does not open A again inside itself
}

TEST(MenuBuilder, GroupsContextMenuEntriesOfAStringTable) {
  const RCPtr<LStringTable> grouped = LStringTable::Create({
      {StringW(u"CONTEXT_MENU1.00.NID_EDIT"), StringW(u"Edit")},
      {StringW(u"CONTEXT_MENU0.00.NID_OPEN"), StringW(u"Open")},
      {StringW(u"CONTEXT_MENU0.01.NID_SAVE"), StringW(u"Save")},
      {StringW(u"CONTEXT_MENUS"), StringW(u"no dot: ignored")},
      {StringW(u"LABEL"), StringW(u"not a menu")},
  });
  std::string menus;
  for (const RCPtr<LMenuDescriptor>& menu : BuildContextMenusFromStringTable(*grouped))
    menus += "(" + Describe(*menu) + ")";
  EXPECT_EQ(menus, "(Open:NID_OPEN Save:NID_SAVE)(Edit:NID_EDIT)");

  const RCPtr<LStringTable> single = LStringTable::Create({
      {StringW(u"CONTEXT_MENU.00.NID_ONLY"), StringW(u"Only")},
      {StringW(u"CONTEXT_MENU0.00.NID_OPEN"), StringW(u"Open")},
  });
  const auto one = BuildContextMenusFromStringTable(*single);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(Describe(*one[0]), "Only:NID_ONLY");
  EXPECT_TRUE(BuildContextMenusFromStringTable(*LStringTable::Create()).empty());
}

TEST(LMenuDescriptor, ItemsLinkToTheirMenuAndClonesLinkIntoTheCopy) {
  const RCPtr<LMenuDescriptor> menu = LMenuDescriptor::Create();
  ASSERT_EQ(menu->InsertNewItem(0, StringW(u"second"), StringW(u"NID_B"), false, true), 0);
  ASSERT_EQ(menu->InsertNewItem(0, StringW(u"first"), StringW(u"NID_A"), true, false), 0);
  ASSERT_GE(menu->InsertSeparator(2), 0);
  const RCPtr<LMenuItemDescriptor> sub = menu->GetItem(0);
  ASSERT_GE(sub->InsertNewItem(0, StringW(u"deep"), StringW(u"NID_C"), true, false), 0);
  ASSERT_GE(sub->GetItem(0)->InsertNewItem(0, StringW(u"deeper"), StringW(u"NID_D"), true, false), 0);
  EXPECT_EQ(sub->GetParent().Get(), menu.Get());
  EXPECT_EQ(Narrow(sub->ToString()), "first");

  LMenuItemState state;
  EXPECT_EQ(menu->GetItemState(1, state), S_OK);
  EXPECT_EQ(state, (LMenuItemState{false, true, StringW(u"second")}));
  EXPECT_EQ(menu->GetItemState(3, state), E_INVALIDARG);
  EXPECT_EQ(state, LMenuItemState{});
  EXPECT_TRUE(menu->GetItem(2)->separator);
  EXPECT_TRUE(menu->GetItem(2)->enabled);

  const RCPtr<LMenuDescriptor> copy = menu->Clone();
  EXPECT_FALSE(copy->GetParent());
  EXPECT_EQ(Describe(*copy), Describe(*menu));
  const RCPtr<LMenuItemDescriptor> copiedSub = copy->GetItem(0);
  EXPECT_NE(copiedSub.Get(), sub.Get());
  EXPECT_EQ(copiedSub->GetParent().Get(), copy.Get());
  EXPECT_EQ(copiedSub->GetItem(0)->GetParent().Get(), copiedSub.Get());
  EXPECT_EQ(copiedSub->GetItem(0)->GetItem(0)->GetParent().Get(), copiedSub->GetItem(0).Get());
  EXPECT_FALSE(copiedSub->CloneItem()->GetParent());

  EXPECT_EQ(menu->Clear(), S_OK);
  EXPECT_EQ(menu->GetItemCount(), 0u);
  EXPECT_FALSE(sub->GetParent());
  EXPECT_EQ(menu->GetInternalRefCount(), 0);
}

TEST(LMenuDescriptor, MenuAndItemsGoTogetherWithTheLastOutsideReference) {
  // Under AddressSanitizer a cycle that is not broken shows as a leak.
  RCPtr<LMenuDescriptor> menu = BuildMenuFromEntries(Entries({{u"00.A", u"a"},
                                                              {u"01.Sub.", u"s"},
                                                              {u"Sub.00.B", u"b"},
                                                              {u"Sub.01.Deep.", u"d"},
                                                              {u"Deep.00.C", u"c"}}));
  RCPtr<LMenuItemDescriptor> kept = menu->GetItem(1);
  menu = nullptr;
  EXPECT_FALSE(kept->GetParent());  // its menu is gone, the item survives on its own
  EXPECT_EQ(kept->GetItemCount(), 2u);
  const RCPtr<LMenuActivationParam> param = LMenuActivationParam::Create(kept, 1);
  EXPECT_EQ(param->index, 1);
  EXPECT_EQ(param->menu.Get(), kept.Get());
}

}  // namespace
}  // namespace HV
