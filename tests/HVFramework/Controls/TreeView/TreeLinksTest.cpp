// The parent links of a flat depth-first tree: depth, subtree size and
// ancestry, collapsed ancestors, and links kept right when records swap
// places, leave or come in.
#include "HVFramework/Controls/TreeView/TreeLinks.h"

#include <gtest/gtest.h>

#include <vector>

namespace HV::Test {
namespace {

struct Record {
  int32_t ParentIndex = -1;
  bool IsChecked = false;
  char name = '?';
};

// A (top), B (child of A), C (child of B), D (top), E (child of D).
std::vector<Record> Sample() {
  return {{-1, true, 'A'}, {0, true, 'B'}, {1, false, 'C'}, {-1, false, 'D'}, {3, false, 'E'}};
}

std::vector<int32_t> Parents(const std::vector<Record>& records) {
  std::vector<int32_t> parents;
  for (const Record& record : records) parents.push_back(record.ParentIndex);
  return parents;
}

TEST(TreeLinks, DepthSubtreeAndAncestry) {
  const std::vector<Record> tree = Sample();
  struct Row {
    int32_t index;
    int32_t depth;
    int32_t descendants;
  };
  const Row rows[] = {{0, 0, 2}, {1, 1, 1}, {2, 2, 0}, {3, 0, 1}, {4, 1, 0}, {5, 0, 0}, {-1, 0, 0}};
  for (const Row& row : rows) {
    EXPECT_EQ(TreeLinks::Depth(tree, row.index), row.depth) << row.index;
    EXPECT_EQ(TreeLinks::DescendantCount(tree, row.index), row.descendants) << row.index;
  }
  EXPECT_TRUE(TreeLinks::IsAncestorOf(tree, 0, 2));
  EXPECT_FALSE(TreeLinks::IsAncestorOf(tree, 2, 0));
  EXPECT_FALSE(TreeLinks::IsAncestorOf(tree, 0, 3));
  EXPECT_FALSE(TreeLinks::IsAncestorOf(tree, 0, 9));
}

TEST(TreeLinks, ACollapsedAncestorHidesTheWholeSubtree) {
  std::vector<Record> tree = Sample();
  // A and B expanded: B and C show; D collapsed hides E.
  EXPECT_EQ((std::vector<bool>{TreeLinks::ShouldHide(tree, 1), TreeLinks::ShouldHide(tree, 2),
                               TreeLinks::ShouldHide(tree, 4)}),
            (std::vector<bool>{false, false, true}));
  tree[0].IsChecked = false;
  EXPECT_TRUE(TreeLinks::ShouldHide(tree, 2));
}

TEST(TreeLinks, ALoopInTheLinksEnds) {
  std::vector<Record> tree = {{1, true, 'A'}, {0, true, 'B'}};
  EXPECT_LE(TreeLinks::Depth(tree, 0), 2);
  EXPECT_FALSE(TreeLinks::ShouldHide(tree, 0));
}

TEST(TreeLinks, SwappingKeepsEveryRecordsParentAndChildren) {
  std::vector<Record> tree = Sample();
  // D (3) moves up past C (2): C's parent B stays at 1, E follows D to 2.
  TreeLinks::SwapRecords(tree, 2, 3);
  EXPECT_EQ(tree[2].name, 'D');
  EXPECT_EQ(Parents(tree), (std::vector<int32_t>{-1, 0, -1, 1, 2}));
  // B (1) and its child C (2) swap places.
  std::vector<Record> pair = Sample();
  TreeLinks::SwapRecords(pair, 1, 2);
  EXPECT_EQ(pair[1].name, 'C');
  EXPECT_EQ(pair[1].ParentIndex, 2);  // C's parent B is now at 2
  EXPECT_EQ(pair[2].ParentIndex, 0);  // B's parent A stays at 0
}

TEST(TreeLinks, ErasingASubtreeHighestFirstKeepsTheOtherLinks) {
  std::vector<Record> tree = Sample();
  const std::vector<int32_t> places = TreeLinks::SubtreeHighestFirst(tree, 1);
  EXPECT_EQ(places, (std::vector<int32_t>{2, 1}));
  for (int32_t place : places) {
    tree.erase(tree.begin() + place);
    TreeLinks::RenumberAfterErase(tree, place);
  }
  ASSERT_EQ(tree.size(), 3u);
  EXPECT_EQ(tree[1].name, 'D');
  EXPECT_EQ(Parents(tree), (std::vector<int32_t>{-1, -1, 1}));
}

TEST(TreeLinks, InsertingMovesTheLinksPastThePlace) {
  std::vector<Record> tree = Sample();
  tree.insert(tree.begin() + 1, Record{-1, false, 'N'});
  TreeLinks::RenumberAfterInsert(tree, 1);
  EXPECT_EQ(Parents(tree), (std::vector<int32_t>{-1, -1, 0, 2, -1, 4}));
}

}  // namespace
}  // namespace HV::Test
