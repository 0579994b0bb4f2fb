// The checked list box: a click on a row's check box changes the item's
// state, selects it and reports it; rows re-bound while scrolling report
// nothing; empty rows hide their check box; the checked count follows every
// change; check boxes that only report clicks.
#include "HVFramework/Controls/CheckedListBox/LCheckedListBox.h"
#include "tests/HVFramework/Controls/CheckedListBox/CheckedListFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class CheckedList : public CheckedListFixture {
 protected:
  LCheckedListBox& OpenList(int32_t count) {
    return OpenWith<LCheckedListBox>(Skin("Framework.CheckedListBox", "Framework.CheckedListBoxItem"), count);
  }
};

TEST_F(CheckedList, AClickOnACheckBoxChecksSelectsAndReports) {
  LCheckedListBox& list = OpenList(8);
  ClickCheckBox(list, 4);
  EXPECT_TRUE(list.IsItemChecked(4));
  EXPECT_EQ(list.GetCheckedCount(), 1);
  EXPECT_TRUE(list.IsItemSelected(4));
  EXPECT_THAT(TakeChecks(), ElementsAre("NID_ITEM_CHECK_CHANGE 4 1"));

  ClickCheckBox(list, 4);
  EXPECT_FALSE(list.IsItemChecked(4));
  EXPECT_EQ(list.GetCheckedCount(), 0);
  EXPECT_THAT(TakeChecks(), ElementsAre("NID_ITEM_CHECK_CHANGE 4 0"));
}

TEST_F(CheckedList, ScrollingReBindsRowsWithoutReporting) {
  LCheckedListBox& list = OpenList(30);
  list.SetItemChecked(10, true);
  list.SetItemChecked(1, true);
  EXPECT_EQ(CheckBoxOf(list, 1).GetNormalizedValue(), 1.0);
  list.ScrollTo({0, 200});  // item 10 now in the first row
  ASSERT_EQ(list.GetFirstVisibleIndex(), 10);
  EXPECT_EQ(CheckBoxOf(list, 0).GetNormalizedValue(), 1.0);
  EXPECT_EQ(CheckBoxOf(list, 1).GetNormalizedValue(), 0.0);
  list.ScrollTo({0, 0});
  EXPECT_EQ(CheckBoxOf(list, 0).GetNormalizedValue(), 0.0);
  EXPECT_EQ(CheckBoxOf(list, 1).GetNormalizedValue(), 1.0);
  EXPECT_THAT(TakeChecks(), IsEmpty());
  EXPECT_EQ(list.GetCheckedCount(), 2);
}

TEST_F(CheckedList, EmptyRowsHideTheirCheckBoxes) {
  LCheckedListBox& list = OpenList(2);
  ASSERT_EQ(list.GetItemControlCount(), 6);
  std::vector<bool> shown;
  for (int32_t slot = 0; slot < list.GetItemControlCount(); ++slot) shown.push_back(CheckBoxOf(list, slot).IsVisible());
  EXPECT_EQ(shown, (std::vector<bool>{true, true, false, false, false, false}));
}

TEST_F(CheckedList, SetItemCheckedChangesOnlyRealChanges) {
  LCheckedListBox& list = OpenList(3);
  list.SetItemChecked(1, true);
  list.SetItemChecked(1, true);
  list.SetItemChecked(3, true);
  list.SetItemChecked(-1, true);
  EXPECT_EQ(list.GetCheckedCount(), 1);
  EXPECT_FALSE(list.IsItemChecked(3));
  EXPECT_THAT(TakeChecks(), IsEmpty());

  // Shrinking recounts from the records that are left.
  list.SetItemChecked(2, true);
  EXPECT_EQ(list.GetCheckedCount(), 2);
  list.SetItemCount(2);
  EXPECT_EQ(list.GetCheckedCount(), 1);
}

TEST_F(CheckedList, ImagesShowInTheirRowsCheckBox) {
  LCheckedListBox& list = OpenList(3);
  EXPECT_FALSE(list.GetItemImage(1));
  EXPECT_FALSE(list.GetItemImage(7));
  EXPECT_TRUE(list.GetItemIcons().empty());
  EXPECT_FALSE(list.IsCheckBoxPassive());
}

TEST_F(CheckedList, CheckBoxesThatOnlyReportClicks) {
  LCheckedListBox& list = OpenList(5);
  ASSERT_EQ(list.SetCheckBoxAutoValueSet(false), S_OK);
  EXPECT_FALSE(CheckBoxOf(list, 2).IsAutoValueSet());
  ClickCheckBox(list, 2);
  EXPECT_FALSE(list.IsItemChecked(2));  // the owner decides
  EXPECT_TRUE(list.IsItemSelected(2));
  EXPECT_THAT(TakeChecks(), ElementsAre("NID_ITEM_CHECKBOX_CLICKED 2 0"));

  // And back: clicks toggle and report check changes again.
  ASSERT_EQ(list.SetCheckBoxAutoValueSet(true), S_OK);
  ClickCheckBox(list, 2);
  EXPECT_TRUE(list.IsItemChecked(2));
  EXPECT_THAT(TakeChecks(), ElementsAre("NID_ITEM_CHECK_CHANGE 2 1"));
}

}  // namespace
}  // namespace HV::Test
