// The tree view: parents and depth, expanding and collapsing through the
// rows' check boxes, re-parenting, and removal of whole subtrees that keeps
// links, selection, caret and checked count right.
#include "HVFramework/Controls/TreeView/LTreeView.h"
#include "tests/HVFramework/Controls/CheckedListBox/CheckedListFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TreeView : public CheckedListFixture {
 protected:
  // A (0, top), B (1, child of A), C (2, child of B), D (3, top), all
  // expanded.
  LTreeView& OpenTree() {
    LTreeView& tree = OpenWith<LTreeView>(Skin("Framework.TreeView", "Framework.TreeViewItem"), 0);
    for (const char16_t* text : {u"A", u"B", u"C", u"D"}) tree.AddItem(StringW(text));
    EXPECT_EQ(tree.SetItemParent(1, 0), 1);
    EXPECT_EQ(tree.SetItemParent(2, 1), 2);
    TakeChecks();
    return tree;
  }
  static std::vector<int32_t> Parents(const LTreeView& tree) {
    std::vector<int32_t> parents;
    for (int32_t i = 0; i < tree.GetItemCount(); ++i) parents.push_back(tree.GetParentIndex(i));
    return parents;
  }
  static std::vector<std::string> Texts(const LTreeView& tree) {
    std::vector<std::string> texts;
    for (int32_t i = 0; i < tree.GetItemCount(); ++i) texts.push_back(Narrow(tree.GetItemText(i)));
    return texts;
  }
  static std::vector<bool> Hidden(const LTreeView& tree) {
    std::vector<bool> hidden;
    for (int32_t i = 0; i < tree.GetItemCount(); ++i) hidden.push_back(tree.IsItemHidden(i));
    return hidden;
  }
};

TEST_F(TreeView, ParentsDepthsAndSubtrees) {
  LTreeView& tree = OpenTree();
  EXPECT_THAT(Parents(tree), ElementsAre(-1, 0, 1, -1));
  EXPECT_EQ(tree.GetItemDepth(2), 2);
  EXPECT_EQ(tree.GetDescendantCount(0), 2);
  EXPECT_EQ(tree.GetDescendantCount(3), 0);
  // Giving A and B children expanded them.
  EXPECT_TRUE(tree.IsItemChecked(0));
  EXPECT_TRUE(tree.IsItemChecked(1));
  EXPECT_EQ(tree.GetCheckedCount(), 2);
  // Rows: the expander of a leaf is disabled; rows are indented by depth.
  EXPECT_TRUE(CheckBoxOf(tree, 0).IsEnabled());
  EXPECT_FALSE(CheckBoxOf(tree, 2).IsEnabled());
  EXPECT_FALSE(CheckBoxOf(tree, 3).IsEnabled());
  EXPECT_EQ(Row(tree, 2).GetLayout()->position[0].absolute, 2 * 16);
  EXPECT_EQ(tree.SetItemParent(1, 2), 1);  // under its own child: refused
  EXPECT_THAT(Parents(tree), ElementsAre(-1, 0, 1, -1));
}

TEST_F(TreeView, CollapsingHidesTheSubtreeAndExpandingShowsOnlyExpandedBranches) {
  LTreeView& tree = OpenTree();
  ClickCheckBox(tree, 0);  // collapse A
  EXPECT_THAT(Hidden(tree), ElementsAre(false, true, true, false));
  EXPECT_EQ(ShownTexts(tree)[1], "D");
  EXPECT_THAT(TakeChecks(), ElementsAre("NID_ITEM_CHECK_CHANGE 0 0"));

  // B collapsed while hidden: expanding A shows B but not C.
  tree.SetItemChecked(1, false);
  ClickCheckBox(tree, 0);
  EXPECT_THAT(Hidden(tree), ElementsAre(false, false, true, false));
  EXPECT_THAT(TakeChecks(), ElementsAre("NID_ITEM_CHECK_CHANGE 0 1"));
  EXPECT_EQ(tree.GetCheckedCount(), 1);
}

TEST_F(TreeView, ScrollingTheRowsReportsNothing) {
  LTreeView& tree = OpenWith<LTreeView>(Skin("Framework.TreeView", "Framework.TreeViewItem"), 30);
  tree.SetItemParent(11, 10);
  TakeChecks();
  tree.ScrollTo({0, 200});
  tree.ScrollTo({0, 0});
  EXPECT_THAT(TakeChecks(), IsEmpty());
}

TEST_F(TreeView, ReParentingMovesTheItemIntoItsParentsSubtree) {
  LTreeView& tree = OpenTree();
  // D under A: after C, at the end of A's subtree.
  EXPECT_EQ(tree.SetItemParent(3, 0), 3);
  EXPECT_THAT(Parents(tree), ElementsAre(-1, 0, 1, 0));
  // C to the top level: it leaves A's subtree, and B keeps its place.
  EXPECT_EQ(tree.SetItemParent(2, -1), 3);
  EXPECT_THAT(Texts(tree), ElementsAre("A", "B", "D", "C"));
  EXPECT_THAT(Parents(tree), ElementsAre(-1, 0, 0, -1));
  // Refused: item 0, the item itself, one of its own descendants.
  EXPECT_EQ(tree.SetItemParent(0, 3), 0);
  EXPECT_EQ(tree.SetItemParent(2, 2), 2);
  EXPECT_EQ(tree.SetItemParent(1, 1), 1);
  EXPECT_THAT(Parents(tree), ElementsAre(-1, 0, 0, -1));
}

TEST_F(TreeView, ReParentingAnItemWithChildrenTakesThemAlong) {
  LTreeView& tree = OpenTree();
  // B (with C) under D: B and C move after D, C still B's child.
  EXPECT_EQ(tree.SetItemParent(1, 3), 2);
  EXPECT_THAT(Texts(tree), ElementsAre("A", "D", "B", "C"));
  EXPECT_THAT(Parents(tree), ElementsAre(-1, -1, 1, 2));
  EXPECT_TRUE(tree.IsItemChecked(1));  // D expanded: it has a child now
}

TEST_F(TreeView, RemovingAnItemRemovesItsSubtreeAndKeepsTheRestRight) {
  LTreeView& tree = OpenTree();
  tree.AddItem(StringW(u"E"));
  EXPECT_EQ(tree.SetItemParent(4, 3), 4);  // E under D: D expanded
  ASSERT_EQ(tree.GetCheckedCount(), 3);
  tree.SelectRange(2, 2, true);  // C: selection, anchor and caret on it
  ASSERT_EQ(tree.GetSelectedCount(), 1);

  EXPECT_EQ(tree.RemoveItem(1), 3);  // B and C go
  EXPECT_THAT(Texts(tree), ElementsAre("A", "D", "E"));
  EXPECT_THAT(Parents(tree), ElementsAre(-1, -1, 1));
  EXPECT_EQ(tree.GetSelectedCount(), 0);
  EXPECT_EQ(tree.GetCaretIndex(), -1);
  EXPECT_EQ(tree.GetCheckedCount(), 2);  // A and D; B's check went with it
}

TEST_F(TreeView, RemovingKeepsASelectionAfterTheSubtree) {
  LTreeView& tree = OpenTree();
  tree.SelectRange(3, 3, true);  // D
  EXPECT_EQ(tree.RemoveItem(0), 1);
  EXPECT_THAT(Texts(tree), ElementsAre("D"));
  EXPECT_TRUE(tree.IsItemSelected(0));
  EXPECT_EQ(tree.GetCaretIndex(), 0);
  EXPECT_EQ(tree.GetCheckedCount(), 0);
}

TEST_F(TreeView, ATreeIsNeverSorted) {
  LTreeView& tree = OpenTree();
  EXPECT_FALSE(tree.SortItems());
  EXPECT_EQ(tree.SortItemRange(0, 4), E_NOTIMPL);
  EXPECT_THAT(Texts(tree), ElementsAre("A", "B", "C", "D"));
}

}  // namespace
}  // namespace HV::Test
