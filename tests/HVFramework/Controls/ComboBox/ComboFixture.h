#pragma once

// Combo boxes in a 400 x 300 root window: a combo box 100 x 20 whose
// "listBox" part has rows 14 high and sits under it, and a second focusable
// control "other". Every look is one solid colour.

#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/CheckedComboBox/LCheckedComboBox.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBox.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBoxItem.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "tests/HVFramework/Controls/ListBox/ListBoxFixture.h"

#include <string>
#include <vector>

namespace HV::Test {

class ComboFixture : public ListBoxFixture {
 public:
  struct SkinOptions {
    std::string comboClass = "Framework.ComboBox";
    std::string listClass = "Framework.ListBox";
    std::string itemClass = "Framework.ListBoxItem";
    int top = 10;
    int listMaximum = 0;  // the skin's maximum height of the list; 0 none
    bool checkBoxInRows = false;
    bool checkBoxOnCombo = false;
    bool textBox = false;  // a "textBox" part over the combo box's field
  };

  static std::string Skin(const SkinOptions& o) {
    const std::string rowBox = o.checkBoxInRows ? R"(<SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="1" YPositionAbs="1" XSizeAbs="12" YSizeAbs="12"><Skin Name="B" LookList="BoxLook"/></SubControl>)" : "";
    const std::string comboBox = o.checkBoxOnCombo ? R"(<SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="2" YPositionAbs="2" XSizeAbs="16" YSizeAbs="16"><Skin Name="B" LookList="BoxLook"/></SubControl>)" : "";
    const std::string text = o.textBox ? R"(<SubControl Class="Framework.TextBox" Name="textBox" XPositionAbs="0" YPositionAbs="0" XSizeAbs="80" YSizeAbs="20" TabStop="1"><Skin Name="T" LookList="TextLook"/></SubControl>)" : "";
    const std::string maximum = o.listMaximum ? " YMaxSizeAbs=\"" + std::to_string(o.listMaximum) + "\"" : "";
    return SolidLooks("ComboLook", 14) + SolidLooks("ItemLook", 14) + SolidLooks("ListLook", 3) +
           SolidLooks("BoxLook", 14) + SolidLooks("TextLook", 12) + R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class=")" + o.comboClass + R"(" Name="combo" XPositionAbs="10" YPositionAbs=")" + std::to_string(o.top) + R"(" XSizeAbs="100" YSizeAbs="20" TabStop="1">
      <Skin Name="C" LookList="ComboLook"/>
      )" + comboBox + text + R"(
      <SubControl Class=")" + o.listClass + R"(" Name="listBox" XPositionAbs="0" YPositionToControl="Parent" YPositionRel="1" YPositionAbs="0" XSizeToControl="Parent" XSizeRel="1" XSizeAbs="0" YSizeAbs="42" ClipToParent="False" TabStop="1")" + maximum + R"(>
        <Skin Name="L" LookList="ListLook"/>
        <SubControl Class=")" + o.itemClass + R"(" Name="templateItem" XPositionAbs="0" YPositionAbs="0" XSizeToControl="Client" XSizeRel="1" XSizeAbs="0" YSizeAbs="14">
          <Skin Name="I" LookList="ItemLook"/>
          )" + rowBox + R"(
        </SubControl>
      </SubControl>
    </SubControl>
    <SubControl Class="Test.Input" Name="other" XPositionAbs="300" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="2"/>
  </SubControl>
</Skin></Skins>)";
  }

 protected:
  ComboFixture() {
    EXPECT_EQ(LCheckedListBox::Register(factory), S_OK);
    EXPECT_EQ(LCheckedListBoxItem::Register(factory), S_OK);
    EXPECT_EQ(LComboBox::Register(factory), S_OK);
    EXPECT_EQ(LCheckedComboBox::Register(factory), S_OK);
    EXPECT_EQ(LTextBox::Register(factory), S_OK);
  }

  // Opens the skin with the combo box's "ITEM.<n>" texts (none: no table).
  template <class Combo = LComboBox>
  Combo& OpenCombo(const std::vector<std::string>& items, const SkinOptions& options = SkinOptions()) {
    std::vector<StringRow> rows;
    for (size_t i = 0; i < items.size(); ++i)
      rows.push_back({"Test.Input|combo", "ITEM." + std::to_string(i), items[i]});
    if (!rows.empty()) LoadRows(rows);
    const RCPtr<LControl> root = Open(Skin(options), u"main");
    if (root) LayOutTree(*root);
    Combo& combo = Get<Combo>(u"combo");
    Listen(RCPtr<LNotificationDistributor>(&combo), "combo",
           {u"NID_SELECTION_CHANGE", u"NID_DROPDOWN_OPENING", u"NID_ITEM_CHECK_CHANGE"});
    return combo;
  }
  void LoadRows(const std::vector<StringRow>& rows) {
    std::string body;
    for (const StringRow& row : rows)
      body += "<StringTable ID=\"" + row.table + "\"><String ID=\"" + row.id + "\"><Locale LCID=\"9\">" + row.text +
              "</Locale></String></StringTable>";
    resources.Add("STRINGS",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_StringTable_Definitions><Application "
                  "Name=\"App\">" +
                      body + "</Application></Halvern_StringTable_Definitions>");
    EXPECT_EQ(factory.LoadStringTables(StringW(u"::STRINGS"), StringW(u"::NONE"), 9), S_OK);
  }
  LRootWindow::Point CentreOf(const LControl& control) const {
    const LControl::Point origin = control.GetOriginInRoot();
    return {static_cast<int32_t>(origin.x + control.GetRect().width / 2),
            static_cast<int32_t>(origin.y + control.GetRect().height / 2)};
  }
  void ClickOn(const LControl& control) {
    const LRootWindow::Point at = CentreOf(control);
    Click(at.x, at.y);
  }
  void MoveOnto(const LControl& control) {
    const LRootWindow::Point at = CentreOf(control);
    Move(at.x, at.y);
  }
};

}  // namespace HV::Test
