// The checked combo box: its look moves to the ticked half while any item of
// its list is ticked, it passes the list's check changes on, and its own
// check box mirrors the selected item.
#include "HVFramework/Controls/CheckedComboBox/LCheckedComboBox.h"
#include "tests/HVFramework/Controls/ComboBox/ComboFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class CheckedComboBox : public ComboFixture {
 protected:
  static SkinOptions Checked() {
    SkinOptions options;
    options.comboClass = "Framework.CheckedComboBox";
    options.listClass = "Framework.CheckedListBox";
    options.itemClass = "Framework.CheckedListBoxItem";
    options.checkBoxInRows = true;
    options.checkBoxOnCombo = true;
    return options;
  }
  LCheckedComboBox& OpenChecked() { return OpenCombo<LCheckedComboBox>({"Alpha", "Beta", "Gamma"}, Checked()); }
  void TickRow(LCheckedComboBox& combo, int32_t slot) {
    LCheckedListBox& list = *combo.GetCheckedList();
    LButton* box = dynamic_cast<LCheckedListBoxItem&>(*list.GetItemControl(slot)).GetCheckBox();
    ASSERT_TRUE(box);
    // As a click on it would: the check box flips its own value.
    box->SetNormalizedValue(box->GetNormalizedValue() >= 0.5 ? 0.0 : 1.0);
  }
};

TEST_F(CheckedComboBox, TickingMovesTheLookAndPassesTheChangeOn) {
  LCheckedComboBox& combo = OpenChecked();
  ASSERT_EQ(Find(u"other")->SetFocus(true), S_OK);
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookClosed);
  ClickOn(combo);
  ASSERT_TRUE(combo.IsDropDownShown());
  Take();
  TickRow(combo, 1);
  EXPECT_TRUE(combo.GetCheckedList()->IsItemChecked(1));
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookOpenHover + LCheckedComboBox::kLookTickedOffset);
  TickRow(combo, 2);
  EXPECT_THAT(Take(), ElementsAre("combo:NID_ITEM_CHECK_CHANGE", "combo:NID_ITEM_CHECK_CHANGE"));
  TickRow(combo, 1);
  TickRow(combo, 2);
  EXPECT_EQ(combo.GetCurrentLookIndex(), LComboBox::kLookOpenHover);
  EXPECT_EQ(combo.GetSelectedIndex(), 0);  // ticking selects nothing in the combo box
}

TEST_F(CheckedComboBox, ItsCheckBoxMirrorsTheSelectedItem) {
  LCheckedComboBox& combo = OpenChecked();
  LButton& box = *combo.GetCheckBox();
  combo.GetCheckedList()->SetItemChecked(2, true);
  combo.SetSelectedIndex(2);
  EXPECT_EQ(box.GetNormalizedValue(), 1.0);
  combo.SetSelectedIndex(1);
  EXPECT_EQ(box.GetNormalizedValue(), 0.0);
  combo.GetCheckedList()->SetItemChecked(1, true);
  // Outside the items the value stays and nothing is selected.
  EXPECT_EQ(combo.SetSelectedIndex(9), -1);
  EXPECT_EQ(box.GetNormalizedValue(), 0.0);
}

TEST_F(CheckedComboBox, APlainListFailsTheCombo) {
  SkinOptions options = Checked();
  options.listClass = "Framework.ListBox";
  options.itemClass = "Framework.ListBoxItem";
  options.checkBoxInRows = false;
  const RCPtr<LControl> root = Open(Skin(options), u"main");
  ASSERT_TRUE(root);
  LCheckedComboBox& combo = Get<LCheckedComboBox>(u"combo");
  EXPECT_FALSE(combo.GetCheckedList());
  EXPECT_EQ(combo.Initialize(), E_FAIL);
}

}  // namespace
}  // namespace HV::Test
