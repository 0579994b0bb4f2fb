// The splitters in a root window: a drag resizes the anchor within its
// minimum and maximum, a sibling placed after the splitter limits it too, the
// splitter is tied to its anchor again after the drag, a narrower parent
// pushes it back inside its limits, and the looks follow the pointer.
#include "HVFramework/Controls/Splitter/LSplitterH.h"
#include "HVFramework/Controls/Splitter/LSplitterV.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

// Rows: "top" (100 high, 40..150) above the horizontal splitter "split",
// with "under" (its own height) below it. Columns from y 200: "left" (100
// wide, at least 30, no maximum), the vertical splitter "vsplit", and
// "right" from the splitter to the parent's right edge, at least 250 wide.
std::string SplitterSkin() {
  return ControlWindowFixture::SolidLooks("SplitLook", 7) + R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main" TabStop="-1">
    <SubControl Class="Test.Input" Name="top" XPositionAbs="0" YPositionAbs="0" XSizeAbs="400" YSizeAbs="100" YMinSizeAbs="40" YMaxSizeAbs="150" TabStop="-1"/>
    <SubControl Class="Framework.SplitterH" Name="split" XPositionAbs="0" YPositionToControl="top" YPositionRel="1" YPositionAbs="0" XSizeAbs="400" YSizeAbs="6" TabStop="-1">
      <Skin Name="L" LookList="SplitLook"/>
    </SubControl>
    <SubControl Class="Test.Input" Name="under" XPositionAbs="0" YPositionToControl="split" YPositionRel="1" YPositionAbs="0" XSizeAbs="100" YSizeAbs="20" TabStop="-1"/>
    <SubControl Class="Test.Input" Name="left" XPositionAbs="0" YPositionAbs="200" XSizeAbs="100" YSizeAbs="100" XMinSizeAbs="30" TabStop="-1"/>
    <SubControl Class="Framework.SplitterV" Name="vsplit" XPositionToControl="left" XPositionRel="1" XPositionAbs="0" YPositionAbs="200" XSizeAbs="6" YSizeAbs="100" TabStop="-1"/>
    <SubControl Class="Test.Input" Name="right" XPositionToControl="vsplit" XPositionRel="1" XPositionAbs="0" XSizeToControl="Client" XSizeRel="1" XSizeAbs="0" YPositionAbs="200" YSizeAbs="100" XMinSizeAbs="250" TabStop="-1"/>
  </SubControl>
</Skin></Skins>)";
}

class SplitterFixture : public ControlWindowFixture {
 protected:
  SplitterFixture() {
    EXPECT_EQ(LSplitterH::Register(factory), S_OK);
    EXPECT_EQ(LSplitterV::Register(factory), S_OK);
  }
  void SetUp() override { ASSERT_TRUE(Open(SplitterSkin(), u"main")); }
  const LControl::Rect& RectOf(const char16_t* name) const { return Find(name)->GetRect(); }
};

TEST_F(SplitterFixture, AHorizontalSplitterResizesItsAnchorWithinItsMinimumAndMaximum) {
  ASSERT_EQ(RectOf(u"split").y, 100);
  Press(200, 103);
  Move(200, 0);  // 100 up wanted: the anchor stops at its minimum of 40
  EXPECT_EQ(RectOf(u"split").y, 40);
  EXPECT_EQ(RectOf(u"top").height, 40);
  EXPECT_EQ(RectOf(u"under").y, 46);
  Move(200, 299);  // down: the anchor stops at its maximum of 150
  EXPECT_EQ(RectOf(u"split").y, 150);
  EXPECT_EQ(RectOf(u"top").height, 150);
  Move(200, 123);
  EXPECT_EQ(RectOf(u"split").y, 120);
  EXPECT_EQ(RectOf(u"split").x, 0);
  Release(200, 123);
  const LLayoutPosition& tied = Find(u"split")->GetLayout()->position[1];
  EXPECT_EQ(tied.referenceMode, 2);
  EXPECT_EQ(tied.referenceName, StringW(u"top"));
  EXPECT_EQ(tied.relative, 1.0f);
  EXPECT_EQ(tied.absolute, 0);
  EXPECT_EQ(RectOf(u"split").y, 120);
  EXPECT_EQ(RectOf(u"top").height, 120);
}

TEST_F(SplitterFixture, ASiblingAfterTheSplitterLimitsItAndAnAnchorWithoutMaximumDoesNot) {
  ASSERT_EQ(RectOf(u"right").width, 294);
  Press(103, 250);
  Move(399, 250);  // "right" may give up 44 pixels of its 294
  EXPECT_EQ(RectOf(u"vsplit").x, 144);
  EXPECT_EQ(RectOf(u"left").width, 144);
  EXPECT_EQ(RectOf(u"right").width, 250);
  EXPECT_EQ(RectOf(u"vsplit").y, 200);
  Move(0, 250);  // "left" keeps its 30
  EXPECT_EQ(RectOf(u"vsplit").x, 30);
  EXPECT_EQ(RectOf(u"right").width, 364);
  Release(0, 250);
  EXPECT_EQ(RectOf(u"vsplit").x, 30);
}

TEST_F(SplitterFixture, ANarrowerParentPushesTheSplitterBackByShrinkingItsAnchor) {
  LControl& main = *Find(u"main");
  main.SetRect({0, 0, 350, 300});
  EXPECT_EQ(RectOf(u"right").width, 250);
  EXPECT_EQ(RectOf(u"vsplit").x, 94);
  EXPECT_EQ(RectOf(u"left").width, 94);
  EXPECT_EQ(Find(u"vsplit")->GetLayout()->position[0].referenceMode, 2);
}

TEST_F(SplitterFixture, TheLookFollowsHoverDragAndEnabled) {
  LControl& split = *Find(u"split");
  EXPECT_EQ(ShownLook(split), 0);
  Move(200, 103);
  EXPECT_EQ(ShownLook(split), 1);
  Press(200, 103);
  Move(200, 104);
  EXPECT_EQ(ShownLook(split), 2);
  Move(200, 180);  // the drag leaves the pointer behind at the maximum
  EXPECT_EQ(ShownLook(split), 1);
  Release(200, 180);
  EXPECT_EQ(ShownLook(split), 0);
  split.SetEnabled(false);
  EXPECT_EQ(ShownLook(split), 6);
}

}  // namespace
}  // namespace HV::Test
