#pragma once

// A list box in a root window: 120 x 110 with rows 20 high, so six item
// controls fill it (the sixth partly shown), a real vertical scroll bar, and
// item controls whose fourteen looks are solid colours. The list's texts
// come from string-table rows given before the skin is opened.

#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/ListBox/LListBox.h"
#include "HVFramework/Controls/ListBox/LListBoxItem.h"
#include "HVFramework/Controls/ScrollBar/LScrollbar.h"
#include "tests/HVFramework/ControlBase/Views/ViewsFixture.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"

#include <string>
#include <vector>

namespace HV::Test {

class ListBoxFixture : public ControlWindowFixture {
 public:
  static constexpr uint32_t kUp = 0x26, kDown = 0x28, kPageDown = 0x22, kReturn = 0x0D;

  static std::string ListSkin(const std::string& templateHeight = "20") {
    return SolidLooks("ItemLook", 14) + SolidLooks("ListLook", 3) + R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Framework.ListBox" Name="list" XPositionAbs="10" YPositionAbs="10" XSizeAbs="120" YSizeAbs="110" TabStop="1">
      <Skin Name="L" LookList="ListLook"/>
      )" HV_TEST_SCROLL_BARS("Framework.ScrollBar") R"(
      <SubControl Class="Framework.ListBoxItem" Name="templateItem" XPositionAbs="0" YPositionAbs="0" XSizeToControl="Client" XSizeRel="1" XSizeAbs="0" YSizeAbs=")" +
           templateHeight + R"(">
        <Skin Name="I" LookList="ItemLook"/>
      </SubControl>
    </SubControl>
  </SubControl>
</Skin></Skins>)";
  }

 protected:
  ListBoxFixture() {
    EXPECT_EQ(LListBox::Register(factory), S_OK);
    EXPECT_EQ(LListBoxItem::Register(factory), S_OK);
    EXPECT_EQ(LScrollbar::Register(factory), S_OK);
    EXPECT_EQ(LPanel::Register(factory), S_OK);
    factory.RegisterControlCreateFunction(StringW(u"Test.Input"), &InputControl::Create);
  }

  // Opens the skin with the list's "ITEM.<n>" rows and lays the tree out.
  LListBox& OpenList(const std::vector<std::pair<std::string, std::string>>& items,
                     const std::string& skin = ListSkin()) {
    std::vector<StringRow> rows;
    std::string body;
    for (const auto& [id, text] : items)
      body += "<StringTable ID=\"Test.Input|list\"><String ID=\"" + id + "\"><Locale LCID=\"9\">" + text +
              "</Locale></String></StringTable>";
    if (!body.empty()) {
      resources.Add("STRINGS",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_StringTable_Definitions><Application "
                    "Name=\"App\">" +
                        body + "</Application></Halvern_StringTable_Definitions>");
      EXPECT_EQ(factory.LoadStringTables(StringW(u"::STRINGS"), StringW(u"::NONE"), 9), S_OK);
    }
    const RCPtr<LControl> root = Open(skin, u"main");
    if (root) LayOutTree(*root);
    return Get<LListBox>(u"list");
  }
  // Items "item0" .. "item<count-1>".
  LListBox& OpenNumbered(int count) {
    std::vector<std::pair<std::string, std::string>> items;
    for (int i = 0; i < count; ++i) items.emplace_back("ITEM." + std::to_string(i), "item" + std::to_string(i));
    return OpenList(items);
  }
  static void LayOutTree(LControl& parent) {
    for (const RCPtr<LControl>& child : parent.GetChildren().Snapshot()) {
      child->UpdateLayout();
      LayOutTree(*child);
    }
  }
  static std::vector<std::string> ShownTexts(const LListBox& list) {
    std::vector<std::string> texts;
    for (int32_t slot = 0; slot < list.GetItemControlCount(); ++slot)
      texts.push_back(Narrow(list.GetItemControl(slot)->GetText()));
    return texts;
  }
  static std::vector<std::string> Texts(const LListBox& list) {
    std::vector<std::string> texts;
    for (int32_t i = 0; i < list.GetItemCount(); ++i) texts.push_back(Narrow(list.GetItemText(i)));
    return texts;
  }
  // The centre of the item control in a slot, in window coordinates.
  LRootWindow::Point SlotCentre(const LListBox& list, int32_t slot) const {
    const LControl& control = *list.GetItemControl(slot);
    const LControl::Point origin = control.GetOriginInRoot();
    return {static_cast<int32_t>(origin.x + control.GetRect().width / 2),
            static_cast<int32_t>(origin.y + control.GetRect().height / 2)};
  }
  void ClickSlot(const LListBox& list, int32_t slot) {
    const LRootWindow::Point at = SlotCentre(list, slot);
    Click(at.x, at.y);
  }
};

}  // namespace HV::Test
