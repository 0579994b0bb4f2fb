// The scroll view: its extent from the children, bars shown only while the
// content does not fit, the bars' ranges and steps, bar moves, ScrollTo and
// the wheel.
#include "tests/HVFramework/ControlBase/Views/ViewsFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::Contains;
using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// "view" (200 x 300) follows its content with corner and both bars; "list"
// (200 x 250) has a vertical bar and no corner, its extent set by hand.
const std::string kViewsSkin = std::string(R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.ScrollView" Name="view" XPositionAbs="0" YPositionAbs="0" XSizeAbs="200" YSizeAbs="300" TabStop="-1">
      <CreateParamList>
        <CreateParam ID="AUTO_CLIENT_EXTENT_X">true</CreateParam>
        <CreateParam ID="AUTO_CLIENT_EXTENT_Y"> TRUE </CreateParam>
      </CreateParamList>)") + HV_TEST_SCROLL_BARS("Test.ScrollBar") + R"(
      <SubControl Class="Test.Input" Name="content" XSizeAbs="500" YSizeAbs="300" TabStop="-1"/>
    </SubControl>
    <SubControl Class="Test.ScrollView" Name="list" XPositionAbs="200" YPositionAbs="0" XSizeAbs="200" YSizeAbs="250" TabStop="-1">
      <SubControl Class="Test.ScrollBar" Name="vBar" XPositionAbs="184" YPositionAbs="0" XSizeAbs="16" YSizeAbs="250"
                  XIsDocked="True" YIsDocked="True" TabStop="-1"/>
    </SubControl>
  </SubControl>
</Skin></Skins>)";

class ScrollView : public ViewsFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenLaidOut(kViewsSkin, u"main")); }
  std::vector<bool> Shown(const char16_t* name) const { return {View(name).IsBarShown(0), View(name).IsBarShown(1)}; }
  double OffsetY(const char16_t* name) const { return View(name).GetScrollOffset().y; }
  // A child of "view" (the list has a "vBar" too).
  RCPtr<LControl> InView(const char16_t* name) const { return Find(u"view")->FindChildControl(StringW(name)); }
};

TEST_F(ScrollView, TheExtentFollowsTheContentAndBothBarsShowWhenOneTakesTheOthersRoom) {
  LScrollView& view = View(u"view");
  EXPECT_EQ(view.GetClientExtent().x, 500);
  EXPECT_EQ(view.GetClientExtent().y, 300);
  // Only the horizontal bar is needed at first; its room makes 300 > 284.
  EXPECT_THAT(Shown(u"view"), ElementsAre(true, true));
  const LControl::Rect viewport = view.GetViewportRect();
  EXPECT_EQ(viewport.width, 184);
  EXPECT_EQ(viewport.height, 284);
  const LControl::Rect& vBar = InView(u"vBar")->GetRect();
  EXPECT_EQ(vBar.x, 184);
  EXPECT_EQ(vBar.width, 16);
  EXPECT_EQ(vBar.height, 284);
  EXPECT_EQ(InView(u"hBar")->GetRect().width, 184);
  EXPECT_EQ(InView(u"hBar")->GetRect().height, 16);
}

TEST_F(ScrollView, BarsAreShownOnlyWhileTheContentDoesNotFit) {
  LScrollView& view = View(u"view");
  view.SetAutoClientExtent(LScrollView::kAutoOff, 0, 0);
  struct Row {
    double width, height;
    bool horizontal, vertical;
  };
  const Row rows[] = {
      {100, 100, false, false}, {200, 300, false, false}, {500, 100, true, false},
      {100, 500, false, true},  {184, 500, false, true},  {185, 500, true, true},
      {500, 284, true, false},  {500, 285, true, true},   {100, 100, false, false},
  };
  for (const Row& row : rows) {
    view.SetClientExtent(row.width, row.height);
    EXPECT_THAT(Shown(u"view"), ElementsAre(row.horizontal, row.vertical)) << row.width << " x " << row.height;
    const LControl::Rect viewport = view.GetViewportRect();
    EXPECT_EQ(viewport.width, row.vertical ? 184 : 200);
    EXPECT_EQ(viewport.height, row.horizontal ? 284 : 300);
  }
}

TEST_F(ScrollView, ABarWithoutCornerIsShownThroughItsOwnSize) {
  LScrollView& list = View(u"list");
  EXPECT_THAT(Shown(u"list"), ElementsAre(false, false));
  EXPECT_EQ(Find(u"list")->FindChildControl(StringW(u"vBar"))->GetRect().width, 0);
  list.SetClientExtent(100, 1000);
  EXPECT_THAT(Shown(u"list"), ElementsAre(false, true));
  EXPECT_EQ(list.GetViewportRect().width, 184);
}

TEST_F(ScrollView, TheBarsRangeStepsAndThumbFollowExtentAndVisibleSize) {
  LScrollView& list = View(u"list");
  list.SetClientExtent(100, 1000);
  auto& bar = dynamic_cast<StepScrollBar&>(*list.GetVerticalBar());
  EXPECT_EQ(bar.NormalizedToValue(1), 750);
  EXPECT_THAT(bar.GetPageStep(), DoubleNear(250.0 / 750, 1e-12));
  EXPECT_THAT(bar.GetLineStep(), DoubleNear(25.0 / 750, 1e-12));
  EXPECT_THAT(bar.GetThumbProportion(), DoubleNear(0.25, 1e-12));
  const LControl::Rect range = list.GetScrollRange();
  EXPECT_EQ(range.height, 750);
  // Content that fits: the whole thumb, nothing to scroll.
  list.SetClientExtent(100, 200);
  EXPECT_EQ(bar.GetThumbProportion(), 1);
  EXPECT_EQ(bar.GetPageStep(), 1);
  EXPECT_EQ(list.GetScrollRange().height, 0);
}

TEST_F(ScrollView, ScrollToMovesTheBarAndABarMoveScrollsTheView) {
  LScrollView& list = View(u"list");
  list.SetClientExtent(100, 1000);
  LControl& bar = *list.GetVerticalBar();
  Listen(Find(u"list"), "list", {u"NID_SCROLL_OFFSET_CHANGE"});
  EXPECT_EQ(list.ScrollTo({0, 750}), S_OK);
  EXPECT_EQ(bar.GetNormalizedValue(), 1);
  EXPECT_EQ(OffsetY(u"list"), 750);
  EXPECT_THAT(Take(), ElementsAre("list:NID_SCROLL_OFFSET_CHANGE"));
  bar.SetNormalizedValue(0.5);
  EXPECT_EQ(OffsetY(u"list"), 375);
  // A shorter content keeps the offset in pixels where it still fits...
  list.SetClientExtent(100, 700);
  EXPECT_EQ(OffsetY(u"list"), 375);
  // ...and pulls it back to the end where it does not.
  list.SetClientExtent(100, 400);
  EXPECT_EQ(OffsetY(u"list"), 150);
  EXPECT_EQ(bar.GetNormalizedValue(), 1);
}

TEST_F(ScrollView, ScrollingMovesTheContentButNotTheDockedBars) {
  LScrollView& view = View(u"view");
  view.ScrollTo({100, 16});
  EXPECT_EQ(Find(u"content")->GetOriginInRoot().x, -100);
  EXPECT_EQ(Find(u"content")->GetOriginInRoot().y, -16);
  EXPECT_EQ(InView(u"vBar")->GetOriginInRoot().x, 184);
  EXPECT_EQ(InView(u"vBar")->GetOriginInRoot().y, 0);
  EXPECT_EQ(InView(u"hBar")->GetOriginInRoot().y, 284);
  // The children's bounds do not change with scrolling.
  EXPECT_EQ(view.GetClientExtent().x, 500);
}

TEST_F(ScrollView, AnExtentWithinRoundingNoiseChangesNothing) {
  LScrollView& list = View(u"list");
  list.SetClientExtent(100, 1000);
  Listen(Find(u"list"), "list", {u"NID_CLIENT_EXTENT_CHANGE"});
  EXPECT_EQ(list.SetClientExtent(100 + 1e-16, 1000 - 1e-16), S_FALSE);
  EXPECT_THAT(Take(), IsEmpty());
  EXPECT_EQ(list.SetClientExtent(100, 1001), S_OK);
  EXPECT_THAT(Take(), ElementsAre("list:NID_CLIENT_EXTENT_CHANGE"));
}

TEST_F(ScrollView, AnAutomaticExtentFollowsAResizedChildWithItsMargins) {
  LScrollView& view = View(u"view");
  LControl& content = *Find(u"content");
  content.SetAxisLayout(1, content.GetLayout()->position[1], LLayoutSize{2, {}, 0, 100}, false);
  EXPECT_EQ(view.GetClientExtent().y, 100);
  EXPECT_THAT(Shown(u"view"), ElementsAre(true, false));
  view.SetAutoClientExtent(LScrollView::kAutoHeight, 7, 9);
  EXPECT_EQ(view.GetClientExtent().x, 500);  // kept
  EXPECT_EQ(view.GetClientExtent().y, 109);
}

TEST_F(ScrollView, ScrollingByItemsCountsWholeItems) {
  LScrollView& list = View(u"list");
  LControl& control = *Find(u"list");
  control.SetAxisLayout(1, control.GetLayout()->position[1], LLayoutSize{2, {}, 0, 100}, false);
  list.SetScrollByItems(1, true, 20);
  list.SetClientExtent(100, 400);
  auto& bar = dynamic_cast<StepScrollBar&>(*list.GetVerticalBar());
  EXPECT_THAT(bar.GetLineStep(), DoubleNear(1.0 / 15, 1e-12));
  EXPECT_THAT(bar.GetPageStep(), DoubleNear(1.0 / 3, 1e-12));
  EXPECT_THAT(bar.GetThumbProportion(), DoubleNear(0.25, 1e-12));
  EXPECT_EQ(bar.NormalizedToValue(1), 15);
  bar.SetValue(4.6);
  EXPECT_EQ(OffsetY(u"list"), 80);  // whole items only
  // An item size of 0 counts no items rather than dividing by it.
  list.SetScrollByItems(1, true, 0);
  EXPECT_EQ(bar.GetThumbProportion(), 1);
  EXPECT_EQ(bar.NormalizedToValue(1), 0);
}

TEST_F(ScrollView, TheWheelStepsTheBarByLinesOrWithShiftByPages) {
  LScrollView& list = View(u"list");
  list.SetClientExtent(100, 1000);
  Wheel(250, 100, -120);
  EXPECT_EQ(OffsetY(u"list"), 25);
  Wheel(250, 100, -120, false, kShift);
  EXPECT_EQ(OffsetY(u"list"), 275);
  Wheel(250, 100, 240);
  EXPECT_EQ(OffsetY(u"list"), 225);
  // The bar stops at its ends.
  Wheel(250, 100, 10 * 120, false, kShift);
  EXPECT_EQ(OffsetY(u"list"), 0);
}

TEST_F(ScrollView, TheWheelOverAChildScrollsTheViewAndAltTurnsItToTheHorizontalBar) {
  LScrollView& view = View(u"view");
  Wheel(50, 50, -120);  // over "content"
  EXPECT_EQ(view.GetScrollOffset().y, 2);  // a line of 16 pixels is 1.6
  Wheel(50, 50, -120, false, kAlt);
  EXPECT_EQ(view.GetScrollOffset().x, 18);  // 316 / 10 * 184 / 316
  // The horizontal wheel: its first direction goes right.
  Wheel(50, 50, -120, true);
  EXPECT_EQ(view.GetScrollOffset().x, 37);
  Wheel(50, 50, 120, true);
  EXPECT_EQ(view.GetScrollOffset().x, 18);
  EXPECT_THAT(TakeInput(), ElementsAre("content:wheel 0 at 50,50", "content:wheel 0 at 50,50"));
}

TEST_F(ScrollView, AWheelWithoutUsableBarsIsPassedOn) {
  // "list" shows no bar: the wheel goes on to "main" (not handled there).
  Wheel(250, 100, -120);
  EXPECT_EQ(OffsetY(u"list"), 0);
  EXPECT_THAT(TakeInput(), Contains("main:wheel 0 at 250,100"));
}

TEST_F(ScrollView, BuiltAgainFromItsSkinTheViewKeepsItsBarsAndExtent) {
  LScrollView& view = View(u"view");
  view.ScrollTo({100, 16});
  const RCPtr<LControl> formerBar(view.GetVerticalBar());
  ASSERT_EQ(view.CreateFromDescriptor(view.GetDescriptor()), S_OK);
  EXPECT_EQ(view.GetVerticalBar(), formerBar.Get());
  EXPECT_EQ(view.GetClientExtent().x, 500);
  EXPECT_THAT(Shown(u"view"), ElementsAre(true, true));
  // The bars still drive the view.
  view.GetHorizontalBar()->SetNormalizedValue(0);
  EXPECT_EQ(view.GetScrollOffset().x, 0);
}

}  // namespace
}  // namespace HV::Test
