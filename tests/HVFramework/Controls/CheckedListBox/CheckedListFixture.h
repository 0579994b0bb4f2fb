#pragma once

// Checked lists and trees in a root window: 120 x 110 with rows 20 high (six
// rows, the sixth partly shown), a real vertical scroll bar, rows with a
// 16 x 16 check box at their left edge, and solid-colour looks throughout.

#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBox.h"
#include "HVFramework/Controls/CheckedListBox/LCheckedListBoxItem.h"
#include "HVFramework/Controls/CheckedListBox/LIndexedDataParam.h"
#include "HVFramework/Controls/TreeView/LTreeView.h"
#include "HVFramework/Controls/TreeView/LTreeViewItem.h"
#include "tests/HVFramework/Controls/ListBox/ListBoxFixture.h"

#include <string>
#include <vector>

namespace HV::Test {

class CheckedListFixture : public ListBoxFixture {
 public:
  // listClass / itemClass: "Framework.CheckedListBox" with
  // "Framework.CheckedListBoxItem", or the tree's pair.
  static std::string Skin(const std::string& listClass, const std::string& itemClass) {
    return SolidLooks("ItemLook", 14) + SolidLooks("ListLook", 3) + SolidLooks("BoxLook", 14) + R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class=")" + listClass + R"(" Name="list" XPositionAbs="10" YPositionAbs="10" XSizeAbs="120" YSizeAbs="110" TabStop="1">
      <Skin Name="L" LookList="ListLook"/>
      )" HV_TEST_SCROLL_BARS("Framework.ScrollBar") R"(
      <SubControl Class=")" + itemClass + R"(" Name="templateItem" XPositionAbs="0" YPositionAbs="0" XSizeToControl="Client" XSizeRel="1" XSizeAbs="0" YSizeAbs="20">
        <Skin Name="I" LookList="ItemLook"/>
        <SubControl Class="Framework.Button" Name="checkBox" XPositionAbs="2" YPositionAbs="2" XSizeAbs="16" YSizeAbs="16">
          <Skin Name="B" LookList="BoxLook"/>
        </SubControl>
      </SubControl>
    </SubControl>
  </SubControl>
</Skin></Skins>)";
  }

 protected:
  CheckedListFixture() {
    EXPECT_EQ(LCheckedListBox::Register(factory), S_OK);
    EXPECT_EQ(LCheckedListBoxItem::Register(factory), S_OK);
    EXPECT_EQ(LTreeView::Register(factory), S_OK);
    EXPECT_EQ(LTreeViewItem::Register(factory), S_OK);
  }

  // Opens the skin, lays it out and gives the list count items "item<i>".
  template <class List>
  List& OpenWith(const std::string& skin, int32_t count) {
    const RCPtr<LControl> root = Open(skin, u"main");
    if (root) LayOutTree(*root);
    List& list = Get<List>(u"list");
    for (int32_t i = 0; i < count; ++i) list.AddItem(StringW(("item" + std::to_string(i)).c_str()));
    Listen(RCPtr<LNotificationDistributor>(&list), "list",
           {u"NID_ITEM_CHECK_CHANGE", u"NID_ITEM_CHECKBOX_CLICKED"});
    return list;
  }

  static LCheckedListBoxItem& Row(const LListBox& list, int32_t slot) {
    auto* row = dynamic_cast<LCheckedListBoxItem*>(list.GetItemControl(slot));
    if (!row) throw std::runtime_error("no checked row in slot " + std::to_string(slot));
    return *row;
  }
  static LButton& CheckBoxOf(const LListBox& list, int32_t slot) {
    LButton* box = Row(list, slot).GetCheckBox();
    if (!box) throw std::runtime_error("no check box in slot " + std::to_string(slot));
    return *box;
  }
  void ClickCheckBox(const LListBox& list, int32_t slot) {
    const LControl& box = CheckBoxOf(list, slot);
    const LControl::Point origin = box.GetOriginInRoot();
    Click(static_cast<int32_t>(origin.x + box.GetRect().width / 2),
          static_cast<int32_t>(origin.y + box.GetRect().height / 2));
  }
  // "NAME index value" for each check notification since the last call.
  std::vector<std::string> TakeChecks() {
    std::vector<std::string> reports;
    for (const NotificationLog::Entry& entry : log.GetEntries()) {
      const auto param = DynamicCast<LIndexedDataWithValueParam>(entry.notification->GetPayload());
      reports.push_back(entry.name + (param ? " " + std::to_string(param->Index) + " " +
                                                  std::to_string(static_cast<int>(param->Value))
                                            : " no payload"));
    }
    log.Clear();
    return reports;
  }
};

}  // namespace HV::Test
