// Timed scroll motion under the virtual clock: whole-pixel steps per idle
// pass, bounds, the idle request of a running axis, a target that follows
// the pointer, and the drag-scroll of a scroll view with its fling.
#include "tests/HVFramework/ControlBase/Views/ViewsFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const kMotionSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.Input" Name="pane" XPositionAbs="0" YPositionAbs="0" XSizeAbs="200" YSizeAbs="250" TabStop="-1">
      <SubControl Class="Test.Input" Name="target" XPositionAbs="10" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="-1"/>
    </SubControl>
    <SubControl Class="Test.ScrollView" Name="list" XPositionAbs="200" YPositionAbs="0" XSizeAbs="200" YSizeAbs="250" TabStop="-1">
      <SubControl Class="Test.ScrollBar" Name="vBar" XPositionAbs="184" YPositionAbs="0" XSizeAbs="16" YSizeAbs="250"
                  XIsDocked="True" YIsDocked="True" TabStop="-1"/>
    </SubControl>
  </SubControl>
</Skin></Skins>)";

class ScrollMotion : public ViewsFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenLaidOut(kMotionSkin, u"main")); }
  LControl& Pane() const { return *Find(u"pane"); }
  // The input log without the idle ticks.
  static std::vector<std::string> TakeDrags() {
    std::vector<std::string> events = TakeInput();
    events.erase(std::remove_if(events.begin(), events.end(),
                                [](const std::string& e) { return e.find(":idle") != std::string::npos; }),
                 events.end());
    return events;
  }
};

TEST_F(ScrollMotion, EachIdlePassMovesByTheVelocityTimesTheTimeInWholePixels) {
  struct Row {
    double velocity;
    uint32_t milliseconds;
    double moved;
  };
  const Row rows[] = {{1000, 33, 33}, {-1200, 50, -60}, {400, 1, 0}, {-400, 1, 0}, {20, 100, 2}, {1000, 0, 0}};
  for (const Row& row : rows) {
    Pane().SetScrollOffset({0, 500});
    ASSERT_EQ(Pane().StartScrollAnimation(1, row.velocity, 1e6, -1e6, nullptr), S_OK);
    Advance(row.milliseconds);
    Idle();
    EXPECT_EQ(Pane().GetScrollOffset().y, 500 + row.moved) << row.velocity << " for " << row.milliseconds << " ms";
    // The time of a pass that moved nothing is spent all the same.
    Advance(row.milliseconds);
    Idle();
    EXPECT_EQ(Pane().GetScrollOffset().y, 500 + 2 * row.moved);
    EXPECT_EQ(Pane().GetScrollOffset().x, 0);
    Pane().StopScrollAnimation(1);
  }
}

TEST_F(ScrollMotion, AMotionStaysAtItsBoundAndKeepsRunning) {
  Pane().SetScrollOffset({95, 0});
  Pane().StartScrollAnimation(0, 1000, 100, 0, nullptr);
  Advance(33);
  Idle();
  EXPECT_EQ(Pane().GetScrollOffset().x, 100);
  EXPECT_TRUE(Pane().IsScrollAnimationRunning(0));
  Advance(33);
  Idle();
  EXPECT_EQ(Pane().GetScrollOffset().x, 100);
  // A change of direction while running keeps the axis's time.
  Pane().StartScrollAnimation(0, -1000, 100, 0, nullptr);
  Advance(40);
  Idle();
  EXPECT_EQ(Pane().GetScrollOffset().x, 60);
}

TEST_F(ScrollMotion, EachRunningAxisHoldsOneIdleRequest) {
  EXPECT_EQ(Pane().GetIdleRequestCount(), 0);
  EXPECT_EQ(Pane().StopScrollAnimation(1), S_FALSE);
  Pane().StartScrollAnimation(1, 100, 10, 0, nullptr);
  Pane().StartScrollAnimation(1, 200, 10, 0, nullptr);
  EXPECT_EQ(Pane().GetIdleRequestCount(), 1);
  Pane().StartScrollAnimation(0, 100, 10, 0, nullptr);
  EXPECT_EQ(Pane().GetIdleRequestCount(), 2);
  EXPECT_EQ(Pane().StopScrollAnimation(1), S_OK);
  EXPECT_EQ(Pane().StopScrollAnimation(1), S_FALSE);
  EXPECT_EQ(Pane().StopScrollAnimation(0), S_OK);
  EXPECT_EQ(Pane().GetIdleRequestCount(), 0);
  EXPECT_EQ(Pane().StartScrollAnimation(2, 100, 10, 0, nullptr), E_INVALIDARG);
}

TEST_F(ScrollMotion, ATargetIsToldThePointerEachTimeTheContentMoves) {
  Move(150, 100);
  const RCPtr<LControl> target = Find(u"target");
  Pane().StartScrollAnimation(1, 1000, 1e6, -1e6, target);
  TakeInput();
  Advance(33);
  Idle();
  // The target sits at (10, 10) in the pane, moved up by the 33 pixels.
  EXPECT_THAT(TakeDrags(), ElementsAre("target:drag 140,123"));
  Advance(0);
  Idle();
  EXPECT_THAT(TakeDrags(), IsEmpty());
  // Stopping releases the target: a restart without one tells nobody.
  Pane().StopScrollAnimation(1);
  Pane().StartScrollAnimation(1, 1000, 1e6, -1e6, nullptr);
  Advance(33);
  Idle();
  EXPECT_THAT(TakeDrags(), IsEmpty());
}

TEST_F(ScrollMotion, APressOnTheControlEndsItsMotion) {
  Pane().StartScrollAnimation(1, 1000, 1e6, -1e6, nullptr);
  Press(100, 100);
  EXPECT_FALSE(Pane().IsScrollAnimationRunning(1));
  EXPECT_EQ(Pane().GetIdleRequestCount(), 0);
  Release(100, 100);
}

class DragScroll : public ScrollMotion {
 protected:
  void SetUp() override {
    ScrollMotion::SetUp();
    View(u"list").SetClientExtent(100, 1000);
    View(u"list").SetDragScrolling(true);
  }
  double Offset() const { return View(u"list").GetScrollOffset().y; }
  // Presses at y 100 and drags up by `first`, then, `ms` later, by `second`.
  void DragUp(int32_t first, uint32_t ms, int32_t second) {
    Press(300, 100);
    Move(300, 100 - first);
    Advance(ms);
    Move(300, 100 - first - second);
  }
};

TEST_F(DragScroll, TheContentFollowsThePointerInsideTheScrollRange) {
  DragUp(10, 10, 10);
  EXPECT_EQ(Offset(), 20);
  EXPECT_EQ(Find(u"list")->GetDragMode(), 6);
  Move(300, 300);
  EXPECT_EQ(Offset(), 0);
  Move(300, -2000);
  EXPECT_EQ(Offset(), 750);
  Advance(200);
  Release(300, -2000);
  EXPECT_FALSE(View(u"list").IsScrollAnimationRunning(1));
}

TEST_F(DragScroll, AFastReleaseFlingsTheContentOnAtItsVelocity) {
  DragUp(10, 10, 10);  // 10 pixels in 10 ms: 1000 pixels a second
  Release(300, 80);
  ASSERT_TRUE(View(u"list").IsScrollAnimationRunning(1));
  EXPECT_EQ(View(u"list").GetScrollVelocity(1), 1000);
  EXPECT_FALSE(View(u"list").IsScrollAnimationRunning(0));
  Advance(33);
  Idle();
  EXPECT_EQ(Offset(), 53);
  Advance(2000);
  Idle();
  EXPECT_EQ(Offset(), 750);
  // The next press stops it.
  Press(300, 100);
  EXPECT_FALSE(View(u"list").IsScrollAnimationRunning(1));
  Release(300, 100);
}

TEST_F(DragScroll, ASlowOrLateReleaseStaysWhereItIs) {
  DragUp(9, 10, 9);  // 900 pixels a second
  Release(300, 82);
  EXPECT_FALSE(View(u"list").IsScrollAnimationRunning(1));
  DragUp(10, 10, 10);
  Advance(100);  // the pointer rested for 100 ms before the release
  Release(300, 80);
  EXPECT_FALSE(View(u"list").IsScrollAnimationRunning(1));
  EXPECT_EQ(Offset(), 18 + 20);
}

}  // namespace
}  // namespace HV::Test
