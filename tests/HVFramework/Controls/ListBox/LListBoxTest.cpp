// The list box in a root window: the pool of item controls and its reuse
// while scrolling, items from string-table rows, selection and its
// notifications, the keys, scrolling an item into view, sorting, and the
// item controls' looks.
#include "HVFramework/Controls/ListBox/LListBox.h"
#include "HVFramework/Controls/ListBox/LListBoxItem.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"
#include "tests/HVFramework/Controls/ListBox/ListBoxFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ListBox : public ListBoxFixture {};

// --- The pool ---

TEST_F(ListBox, APoolOfControlsFillsTheClientAreaAndIsReLabelledWhileScrolling) {
  LListBox& list = OpenNumbered(50);
  EXPECT_EQ(list.GetItemHeight(), 20);
  ASSERT_EQ(list.GetItemControlCount(), 6);  // 110 pixels of rows 20 high
  EXPECT_EQ(Narrow(list.GetItemControl(0)->GetName()), "ItemControl1");
  EXPECT_THAT(ShownTexts(list), ElementsAre("item0", "item1", "item2", "item3", "item4", "item5"));
  LControl* first = list.GetItemControl(0);

  list.ScrollTo({0, 200});
  EXPECT_EQ(list.GetFirstVisibleIndex(), 10);
  EXPECT_EQ(list.GetItemControlCount(), 6);
  EXPECT_EQ(list.GetItemControl(0), first);
  EXPECT_THAT(ShownTexts(list), ElementsAre("item10", "item11", "item12", "item13", "item14", "item15"));
  EXPECT_EQ(list.GetItemIndexOfControl(first), 10);

  // The bar scrolls the list too: one page on.
  Key(kPageDown);
  EXPECT_GT(list.GetFirstVisibleIndex(), 10);
  EXPECT_EQ(list.GetItemControlCount(), 6);
}

TEST_F(ListBox, TextRowsWithGapsGiveEmptyItemsAndUnusedControlsAreBlankAndDisabled) {
  LListBox& list = OpenList({{"ITEM.00", "A"}, {"ITEM.02", "C"}, {"XITEM.05", "ignored"}});
  EXPECT_THAT(Texts(list), ElementsAre("A", "", "C"));
  ASSERT_EQ(list.GetItemControlCount(), 6);
  EXPECT_TRUE(list.GetItemControl(2)->IsEnabled());
  for (int32_t slot = 3; slot < 6; ++slot) {
    EXPECT_FALSE(list.GetItemControl(slot)->IsEnabled()) << slot;
    EXPECT_THAT(Narrow(list.GetItemControl(slot)->GetText()), IsEmpty());
  }
}

TEST_F(ListBox, ARestThatIsNoNumberReadsAsIndexZero) {
  LListBox& list = OpenList({{"ITEM.x", "zero"}, {"ITEM.1", "one"}});
  EXPECT_THAT(Texts(list), ElementsAre("zero", "one"));
}

TEST_F(ListBox, RowsOfNoHeightFallBackToTheDefaultHeightAndTheFillEnds) {
  LListBox& list = OpenList({{"ITEM.0", "a"}}, ListSkin("0"));
  EXPECT_EQ(list.GetItemHeight(), LListBox::kDefaultItemHeight);
  EXPECT_EQ(list.GetItemControlCount(), 8);  // 110 pixels in rows of 14
}

TEST_F(ListBox, RemovingAChildThatIsNoItemControlKeepsThePool) {
  LListBox& list = OpenNumbered(10);
  const int32_t pool = list.GetItemControlCount();
  LControl* last = list.GetItemControl(pool - 1);
  ASSERT_EQ(list.RemoveChildControl(list.FindChildControl(StringW(u"corner"))), S_OK);
  EXPECT_EQ(list.GetItemControlCount(), pool);
  EXPECT_EQ(list.GetItemControl(pool - 1), last);
  // Removing an item control drops that one only.
  LControl* second = list.GetItemControl(1);
  ASSERT_EQ(list.RemoveChildControl(RCPtr<LControl>(list.GetItemControl(0))), S_OK);
  EXPECT_EQ(list.GetItemControl(0), second);
}

// --- Selection ---

TEST_F(ListBox, SelectingSendsOneChangeAndRepeatingItOnlyScrolls) {
  LListBox& list = OpenNumbered(5);
  Listen(RCPtr<LNotificationDistributor>(&list), "list", {u"NID_SELECTION_CHANGE"});
  list.SelectRange(0, -1, true);
  EXPECT_EQ(list.SelectRange(2, -1, true), 2);
  EXPECT_THAT(Take(), ElementsAre("list:NID_SELECTION_CHANGE", "list:NID_SELECTION_CHANGE"));
  EXPECT_FALSE(list.IsItemSelected(0));
  EXPECT_EQ(list.GetSelectedCount(), 1);
  EXPECT_EQ(list.SelectRange(2, -1, true), 2);
  EXPECT_THAT(Take(), IsEmpty());
  EXPECT_EQ(list.SelectRange(7, -1, true), E_INVALIDARG);
}

TEST_F(ListBox, AClickSelectsTheItemUnderIt) {
  LListBox& list = OpenNumbered(20);
  Listen(RCPtr<LNotificationDistributor>(&list), "list", {u"NID_SELECTION_CHANGE", u"NID_ITEM_DOUBLE_CLICKED"});
  list.ScrollTo({0, 100});
  ClickSlot(list, 1);
  EXPECT_TRUE(list.IsItemSelected(6));
  EXPECT_EQ(list.GetCaretIndex(), 6);
  EXPECT_THAT(Take(), ElementsAre("list:NID_SELECTION_CHANGE"));
  const LRootWindow::Point at = SlotCentre(list, 1);
  DoubleClick(at.x, at.y);
  EXPECT_THAT(Take(), ElementsAre("list:NID_ITEM_DOUBLE_CLICKED"));
}

TEST_F(ListBox, RemovingTheSelectedItemClearsTheSelectionButShrinkingTheCountSendsNothing) {
  LListBox& list = OpenNumbered(5);
  Listen(RCPtr<LNotificationDistributor>(&list), "list", {u"NID_SELECTION_CHANGE"});
  list.SelectRange(3, -1, true);
  Take();
  EXPECT_EQ(list.RemoveItem(3), 4);
  EXPECT_EQ(list.GetSelectedCount(), 0);
  EXPECT_EQ(list.GetAnchorIndex(), -1);
  EXPECT_EQ(list.GetCaretIndex(), -1);
  EXPECT_THAT(Take(), ElementsAre("list:NID_SELECTION_CHANGE"));

  list.SelectRange(3, -1, true);
  Take();
  EXPECT_EQ(list.SetItemCount(2), 2);
  EXPECT_EQ(list.GetSelectedCount(), 0);
  EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(ListBox, SetItemKeepsTheSelectedCount) {
  LListBox& list = OpenNumbered(3);
  list.SetItem(1, MakeStringTag(StringW(u"x")), 1.0, false, false);
  EXPECT_EQ(list.GetSelectedCount(), 1);
  list.SetItem(1, MakeStringTag(StringW(u"y")), 0.0, true, false);
  EXPECT_EQ(list.GetSelectedCount(), 0);
  EXPECT_TRUE(list.IsItemMarked(1));
}

TEST_F(ListBox, ExtendedMultiSelectionFollowsShiftAndCtrl) {
  LListBox& list = OpenNumbered(8);
  list.SetMultiSelect(true);
  ClickSlot(list, 1);
  EXPECT_THAT(list.GetSelectedIndices(), ElementsAre(1u));
  const LRootWindow::Point at4 = SlotCentre(list, 4);
  Press(at4.x, at4.y, 1, kShift);
  Release(at4.x, at4.y, 1, kShift);
  EXPECT_THAT(list.GetSelectedIndices(), ElementsAre(1u, 2u, 3u, 4u));
  const LRootWindow::Point at2 = SlotCentre(list, 2);
  Press(at2.x, at2.y, 1, kCtrl);
  Release(at2.x, at2.y, 1, kCtrl);
  EXPECT_THAT(list.GetSelectedIndices(), ElementsAre(1u, 3u, 4u));
  // A plain press into the selection collapses it only at the release.
  const LRootWindow::Point at3 = SlotCentre(list, 3);
  Press(at3.x, at3.y);
  EXPECT_EQ(list.GetSelectedCount(), 3);
  Release(at3.x, at3.y);
  EXPECT_THAT(list.GetSelectedIndices(), ElementsAre(3u));
}

TEST_F(ListBox, FindingAndSelectingByTextIgnoresCaseAndWraps) {
  LListBox& list = OpenList({{"ITEM.0", "x"}, {"ITEM.1", "ABC"}, {"ITEM.2", "y"}, {"ITEM.5", "ABC"}});
  EXPECT_EQ(list.FindItemByText(StringW(u"abc"), false), 5);
  EXPECT_EQ(list.FindItemByText(StringW(u"abc"), true), -1);
  EXPECT_EQ(list.SelectItemByText(StringW(u"abc"), 3, false), 5);
  EXPECT_EQ(list.SelectItemByText(StringW(u"abc"), 5, false), 1);
  EXPECT_EQ(list.SelectItemByText(StringW(u"none"), -1, false), -1);
}

// --- Keys ---

TEST_F(ListBox, TheArrowKeysMoveTheSelectionEvenWithAVisibleBar) {
  LListBox& list = OpenNumbered(30);
  ASSERT_TRUE(list.IsBarShown(1));
  list.SetFocus(true);
  Listen(RCPtr<LNotificationDistributor>(&list), "list", {u"NID_SELECTION_CHANGE", u"NID_ITEM_ACTIVATED"});
  struct Row {
    uint32_t key;
    uint32_t modifiers;
    int32_t caret;
    size_t notifications;
  };
  const Row rows[] = {
      {kUp, 0, -1, 0},   // no caret: Up does nothing
      {kDown, 0, 0, 1},  // no caret: Down takes the first item
      {kUp, 0, 0, 0},    // Up on the first item does nothing
      {kDown, 0, 1, 1},
      {kDown, kShift, 2, 1},  // single selection: Shift moves as well
  };
  for (const Row& row : rows) {
    Key(row.key, row.modifiers);
    EXPECT_EQ(list.GetCaretIndex(), row.caret) << row.key;
    EXPECT_EQ(Take().size(), row.notifications) << row.key;
  }
  EXPECT_EQ(list.GetSelectedCount(), 1);
  EXPECT_EQ(list.GetFirstVisibleIndex(), 0);  // the bar did not take the keys
  Key(kReturn);
  EXPECT_THAT(Take(), ElementsAre("list:NID_ITEM_ACTIVATED"));
  list.SelectRange(29, -1, true);
  Take();
  Key(kDown);
  EXPECT_EQ(list.GetCaretIndex(), 29);
  EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(ListBox, ShiftArrowsExtendAMultiSelection) {
  LListBox& list = OpenNumbered(10);
  list.SetMultiSelect(true);
  list.SetFocus(true);
  list.SelectRange(2, -1, true);
  Key(kDown, kShift);
  Key(kDown, kShift);
  EXPECT_THAT(list.GetSelectedIndices(), ElementsAre(2u, 3u, 4u));
  EXPECT_EQ(list.GetAnchorIndex(), 2);
}

// --- Scrolling into view ---

TEST_F(ListBox, EnsureItemVisibleMakesTheItemTheLowestFullyShownOrTheTopOne) {
  LListBox& list = OpenNumbered(50);
  // fit: the rows wholly shown below the top one.
  struct Row {
    int32_t index;
    int32_t first;
  };
  list.EnsureItemVisible(20);
  const int32_t fit = 20 - list.GetFirstVisibleIndex();
  EXPECT_GE(fit, 3);
  EXPECT_LE(fit, 5);
  const Row rows[] = {{20 - fit, 20 - fit}, {20, 20 - fit}, {3, 3}, {49, 49 - fit}, {0, 0}};
  for (const Row& row : rows) {
    EXPECT_EQ(list.EnsureItemVisible(row.index), S_OK);
    EXPECT_EQ(list.GetFirstVisibleIndex(), row.first) << row.index;
    EXPECT_EQ(list.GetScrollOffset().y, row.first * 20.0) << row.index;
  }
  EXPECT_EQ(list.EnsureItemVisible(50), E_INVALIDARG);
}

TEST_F(ListBox, HiddenItemsAreSkippedByTheControlsAndTheKeys) {
  LListBox& list = OpenNumbered(8);
  EXPECT_EQ(list.SetItemHidden(1, true), S_OK);
  EXPECT_EQ(list.SetItemHidden(1, true), S_FALSE);
  EXPECT_THAT(ShownTexts(list), ElementsAre("item0", "item2", "item3", "item4", "item5", "item6"));
  EXPECT_EQ(list.GetItemsHeight(), 7 * 20);
  list.SetFocus(true);
  list.SelectRange(0, -1, true);
  Key(kDown);
  EXPECT_EQ(list.GetCaretIndex(), 2);
}

// --- Sorting ---

TEST_F(ListBox, SortingOrdersCaseInsensitivelyAndTheCaretFollowsItsItem) {
  LListBox& list = OpenList({{"ITEM.0", "b"}, {"ITEM.1", "A"}, {"ITEM.2", "c"}, {"ITEM.3", "B2"}});
  list.SelectRange(0, -1, true);  // "b"
  EXPECT_TRUE(list.SortItems());
  EXPECT_THAT(Texts(list), ElementsAre("A", "b", "B2", "c"));
  EXPECT_EQ(list.GetCaretIndex(), 1);
  EXPECT_TRUE(list.IsItemSelected(1));
  EXPECT_THAT(ShownTexts(list), ElementsAre("A", "b", "B2", "c", "", ""));
  EXPECT_EQ(list.SortItemRange(0, 0), S_FALSE);
  EXPECT_EQ(list.SortItemRange(2, 3), E_INVALIDARG);
}

// --- The list itself ---

TEST_F(ListBox, TheListShowsItsFocusAndDisabledLooks) {
  LListBox& list = OpenNumbered(3);
  EXPECT_EQ(ShownLook(list), list.HasFocus() ? 2 : 0);
  list.GiveUpFocus();
  EXPECT_EQ(ShownLook(list), 0);
  list.SetFocus(true);
  EXPECT_EQ(ShownLook(list), 2);
  list.SetEnabled(false);
  EXPECT_EQ(ShownLook(list), 1);
}

TEST_F(ListBox, BadArgumentsChangeNothing) {
  LListBox& list = OpenNumbered(3);
  EXPECT_EQ(list.LoadItemsFromStringTable(nullptr), E_INVALIDARG);
  EXPECT_EQ(list.InsertItem(4, nullptr), E_INVALIDARG);
  EXPECT_EQ(list.RemoveItem(3), E_INVALIDARG);
  EXPECT_EQ(list.SetItemHidden(-1, true), E_INVALIDARG);
  EXPECT_EQ(list.AddChildControl(nullptr, LControlDescriptor::Create(StringW(u"Framework.ListBoxItem"),
                                                                     StringW(u"other"), nullptr)),
            E_FAIL);
  EXPECT_EQ(list.GetItemCount(), 3);
}

TEST_F(ListBox, InsertingAndRemovingKeepTheExtentAndTheCaretOnTheirItems) {
  LListBox& list = OpenNumbered(3);
  list.SelectRange(1, -1, true);
  EXPECT_EQ(list.InsertItem(0, MakeStringTag(StringW(u"new"))), 0);
  EXPECT_EQ(list.GetCaretIndex(), 2);
  EXPECT_TRUE(list.IsItemSelected(2));
  EXPECT_EQ(list.GetClientExtent().y, 4 * 20.0);
  EXPECT_EQ(list.RemoveItem(0), 3);
  EXPECT_EQ(list.GetCaretIndex(), 1);
  EXPECT_EQ(list.GetClientExtent().y, 3 * 20.0);
}

// --- Item looks ---

TEST_F(ListBox, ItemControlsShowTheLookOfTheirState) {
  LListBox& list = OpenNumbered(3);
  LListBoxItem& item = dynamic_cast<LListBoxItem&>(*list.GetItemControl(0));
  EXPECT_EQ(ShownLook(item), 0);
  list.SetItemMarked(0, true);
  EXPECT_EQ(ShownLook(item), 3);
  list.SelectRange(0, -1, true);
  EXPECT_EQ(ShownLook(item), 10);
  const LRootWindow::Point at = SlotCentre(list, 0);
  Move(at.x, at.y);
  EXPECT_EQ(ShownLook(item), 11);
  item.SetEnabled(false);
  EXPECT_EQ(ShownLook(item), 13);
  item.SetEnabled(true);
  list.SetItemMarked(0, false);
  list.SetItemSeparator(0, true);
  EXPECT_EQ(ShownLook(item), 13);
  EXPECT_THAT(Narrow(item.GetText()), IsEmpty());
  // An unused slot is disabled: look 6.
  EXPECT_EQ(ShownLook(*list.GetItemControl(4)), 6);
}

TEST_F(ListBox, HoverOverAnItemIsReportedWithItsIndex) {
  LListBox& list = OpenNumbered(5);
  Listen(RCPtr<LNotificationDistributor>(&list), "list", {u"NID_ITEM_HOVER_CONDITION_CHANGE"});
  const LRootWindow::Point at = SlotCentre(list, 2);
  Move(at.x, at.y);
  EXPECT_THAT(Take(), ElementsAre("list:NID_ITEM_HOVER_CONDITION_CHANGE"));
}

TEST_F(ListBox, InDropDownModeHoverSelectsSilentlyAndReturnActivatesAndHides) {
  LListBox& list = OpenNumbered(5);
  list.SetDropDownMode(true);
  list.SetFocus(true);
  Listen(RCPtr<LNotificationDistributor>(&list), "list", {u"NID_SELECTION_CHANGE", u"NID_ITEM_ACTIVATED"});
  const LRootWindow::Point at = SlotCentre(list, 2);
  Move(at.x, at.y);
  EXPECT_TRUE(list.IsItemSelected(2));
  EXPECT_THAT(Take(), IsEmpty());
  Key(kReturn);
  EXPECT_THAT(Take(), ElementsAre("list:NID_ITEM_ACTIVATED"));
  EXPECT_FALSE(list.IsVisible());
}

// Only a list dropped down from a combo control hides when the button comes
// up outside its owner; a list in drop-down mode elsewhere stays.
TEST_F(ListBox, InDropDownModeUnderAPlainParentAReleaseOutsideKeepsItShown) {
  LListBox& list = OpenNumbered(5);
  list.SetDropDownMode(true);
  const LRootWindow::Point at = SlotCentre(list, 2);
  Press(at.x, at.y);
  Release(2000, 2000);
  EXPECT_TRUE(list.IsVisible());
}

}  // namespace
}  // namespace HV::Test
