// The scroll bar in a root window: the thumb's length and place, dragging it
// (with a value pushed in meanwhile), paging in the channel on idle passes,
// the line buttons, the keys of its siblings, ranges, and the bars of a
// scroll view.
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/ControlBase/Views/LScrollView.h"
#include "HVFramework/Controls/ScrollBar/LScrollbar.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using ::testing::DoubleNear;

constexpr uint32_t kUp = 0x26, kDown = 0x28, kLeft = 0x25, kRight = 0x27;
constexpr uint32_t kPageUp = 0x21, kPageDown = 0x22, kHome = 0x24, kEnd = 0x23;

// A vertical bar (16 x 200, channel 168 long from y 16) and a horizontal one
// (200 x 16 at (20, 250), channel from x 16); "field" has the focus.
std::string BarsSkin() {
  return ControlWindowFixture::SolidLooks("Channel", 2) + R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Framework.ScrollBar" Name="bar" XPositionAbs="0" YPositionAbs="0" XSizeAbs="16" YSizeAbs="200" TabStop="-1">
      <SubControl Class="Framework.Button" Name="dec" XPositionAbs="0" YPositionAbs="0" XSizeAbs="16" YSizeAbs="16"/>
      <SubControl Class="Framework.Button" Name="inc" XPositionAbs="0" YPositionAbs="184" XSizeAbs="16" YSizeAbs="16"/>
      <SubControl Class="Framework.ScrollChannel" Name="channel" XPositionAbs="0" YPositionAbs="16" XSizeAbs="16" YSizeAbs="168">
        <Skin Name="C" LookList="Channel"/>
        <SubControl Class="Framework.Button" Name="thumb" XPositionAbs="0" YPositionAbs="0" XSizeAbs="16" YSizeAbs="16"/>
      </SubControl>
    </SubControl>
    <SubControl Class="Framework.ScrollBar" Name="hbar" XPositionAbs="20" YPositionAbs="250" XSizeAbs="200" YSizeAbs="16" TabStop="-1">
      <SubControl Class="Framework.Button" Name="dec" XPositionAbs="0" YPositionAbs="0" XSizeAbs="16" YSizeAbs="16"/>
      <SubControl Class="Framework.Button" Name="inc" XPositionAbs="184" YPositionAbs="0" XSizeAbs="16" YSizeAbs="16"/>
      <SubControl Class="Framework.ScrollChannel" Name="channel" XPositionAbs="16" YPositionAbs="0" XSizeAbs="168" YSizeAbs="16">
        <SubControl Class="Framework.Button" Name="thumb" XPositionAbs="0" YPositionAbs="0" XSizeAbs="16" YSizeAbs="16"/>
      </SubControl>
    </SubControl>
    <SubControl Class="Test.Input" Name="field" XPositionAbs="100" YPositionAbs="100" XSizeAbs="50" YSizeAbs="20" TabStop="1"/>
  </SubControl>
</Skin></Skins>)";
}

class ScrollBar : public ControlWindowFixture {
 protected:
  ScrollBar() {
    EXPECT_EQ(LScrollbar::Register(factory), S_OK);
    EXPECT_EQ(LPanel::Register(factory), S_OK);
  }
  void SetUp() override { ASSERT_TRUE(Open(BarsSkin(), u"main")); }
  LScrollbar& Vertical() const { return Get<LScrollbar>(u"bar"); }
  LScrollbar& Horizontal() const { return Get<LScrollbar>(u"hbar"); }
  // The thumb's place along the bar's axis, in the channel.
  static double ThumbAt(LScrollbar& bar) {
    const LControl::Rect& rect = bar.FindChildControl(StringW(u"channel"))->FindChildControl(StringW(u"thumb"))->GetRect();
    return bar.IsVertical() ? rect.y : rect.x;
  }
  static double ThumbLength(LScrollbar& bar) {
    const LControl::Rect& rect = bar.FindChildControl(StringW(u"channel"))->FindChildControl(StringW(u"thumb"))->GetRect();
    return bar.IsVertical() ? rect.height : rect.width;
  }
};

TEST_F(ScrollBar, TheAxisComesFromWhereIncLiesAndNoPartTakesTheFocus) {
  EXPECT_TRUE(Vertical().IsVertical());
  EXPECT_FALSE(Horizontal().IsVertical());
  EXPECT_TRUE(Vertical().IsNotFocusable());
  EXPECT_TRUE(Vertical().FindChildControl(StringW(u"dec"))->IsNotFocusable());
  EXPECT_EQ(Vertical().GetChannelEnd(), 168);
  EXPECT_EQ(Horizontal().GetChannelEnd(), 168);
}

TEST_F(ScrollBar, TheThumbIsAsLongAsItsShareButNeverShorterThanItIsThick) {
  struct Row {
    double proportion, value, length, at;
  };
  const Row rows[] = {{0.01, 0, 16, 0}, {0.1, 0, 17, 0}, {0.5, 0.5, 84, 42}, {0.5, 1, 84, 84}, {1, 0.3, 168, 0}};
  for (LScrollbar* bar : {&Vertical(), &Horizontal()}) {
    for (const Row& row : rows) {
      bar->SetThumbProportion(row.proportion);
      bar->SetNormalizedValue(row.value);
      EXPECT_EQ(bar->GetThumbLength(), row.length) << row.proportion;
      EXPECT_EQ(ThumbLength(*bar), row.length);
      EXPECT_EQ(ThumbAt(*bar), row.at) << row.proportion << " at " << row.value;
    }
  }
}

TEST_F(ScrollBar, DraggingTheThumbPastEitherEndPinsItThere) {
  Vertical().SetThumbProportion(0.5);
  Press(8, 26);  // 10 pixels into the thumb
  Move(8, 68);
  EXPECT_EQ(ThumbAt(Vertical()), 42);
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.5);
  Move(8, 400);
  EXPECT_EQ(ThumbAt(Vertical()), 84);
  EXPECT_EQ(Vertical().GetNormalizedValue(), 1);
  Move(8, -100);
  EXPECT_EQ(ThumbAt(Vertical()), 0);
  EXPECT_EQ(Vertical().GetNormalizedValue(), 0);
  Release(8, -100);
  EXPECT_FALSE(Vertical().IsDraggingThumb());
}

TEST_F(ScrollBar, AValueSetDuringADragWaitsForItsEnd) {
  Vertical().SetThumbProportion(0.5);
  Press(8, 26);
  Move(8, 36);
  ASSERT_TRUE(Vertical().IsDraggingThumb());
  const double dragged = Vertical().GetNormalizedValue();
  EXPECT_EQ(Vertical().SetNormalizedValue(0.9), dragged);
  EXPECT_EQ(Vertical().SetNormalizedValue(0.3), dragged);
  EXPECT_EQ(ThumbAt(Vertical()), 10);
  Release(8, 36);
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.3);
  EXPECT_EQ(ThumbAt(Vertical()), 25);
}

TEST_F(ScrollBar, HoldingTheChannelPagesAtOnceThenAfterTheDelayAndStopsAtThePointer) {
  LControl& channel = *Vertical().FindChildControl(StringW(u"channel"));
  Press(8, 116);  // y 100 in the channel, below the 17-pixel thumb
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.2);
  EXPECT_EQ(channel.GetLookWeight(1), 1);
  const double expected[][2] = {{395, 0.2}, {10, 0.4}, {195, 0.4}, {10, 0.6}, {200, 0.6}, {400, 0.6}};
  for (const auto& [ms, value] : expected) {
    Advance(static_cast<uint32_t>(ms));
    Idle();
    EXPECT_NEAR(Vertical().GetNormalizedValue(), value, 1e-12) << "after " << ms << " ms more";
  }
  // The thumb (91..108) now covers the pointer.
  EXPECT_EQ(ThumbAt(Vertical()), 91);
  Release(8, 116);
  EXPECT_EQ(channel.GetLookWeight(1), 0);
  EXPECT_EQ(Vertical().GetIdleRequestCount(), 0);
}

TEST_F(ScrollBar, TimeOutsideTheChannelDoesNotCountTowardsTheNextPage) {
  Press(8, 116);
  Move(60, 116);  // off the bar, the button still held
  Advance(1000);
  Idle();
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.2);
  Move(8, 116);
  Idle();
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.2);
  Advance(390);
  Idle();
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.2);
  Advance(20);
  Idle();
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.4);
  Release(8, 116);
}

TEST_F(ScrollBar, TheLineButtonsStepAndRepeatWhileHeld) {
  Vertical().SetNormalizedValue(0.5);
  Press(8, 190);  // "inc"
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.52);
  Advance(300);
  Idle();
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.54);
  Release(8, 190);
  Click(8, 8);  // "dec"
  EXPECT_DOUBLE_EQ(Vertical().GetNormalizedValue(), 0.52);
}

TEST_F(ScrollBar, TheKeysOfASiblingMoveTheBarOfTheirAxis) {
  ASSERT_EQ(window->GetFocusControl(), Find(u"field").Get());
  Vertical().SetNormalizedValue(0.5);
  Horizontal().SetNormalizedValue(0.5);
  struct Row {
    uint32_t key;
    double vertical, horizontal;
  };
  // (Home and End suit either bar: the first offered takes them.)
  const Row rows[] = {{kDown, 0.52, 0.5},    {kUp, 0.5, 0.5},     {kRight, 0.5, 0.52},
                      {kLeft, 0.5, 0.5},     {kPageDown, 0.7, 0.5}, {kPageUp, 0.5, 0.5}};
  for (const Row& row : rows) {
    Key(row.key);
    EXPECT_NEAR(Vertical().GetNormalizedValue(), row.vertical, 1e-12) << row.key;
    EXPECT_NEAR(Horizontal().GetNormalizedValue(), row.horizontal, 1e-12) << row.key;
  }
  EXPECT_THAT(TakeInput(), ::testing::IsEmpty());
}

TEST_F(ScrollBar, AHorizontalBarIgnoresPageKeysAndAHiddenBarAllKeys) {
  Vertical().SetVisible(false);
  Horizontal().SetNormalizedValue(0.5);
  Key(kPageDown);
  EXPECT_DOUBLE_EQ(Horizontal().GetNormalizedValue(), 0.5);
  Key(kEnd);
  EXPECT_DOUBLE_EQ(Horizontal().GetNormalizedValue(), 1);
  Key(kHome);
  EXPECT_DOUBLE_EQ(Horizontal().GetNormalizedValue(), 0);
  EXPECT_EQ(Horizontal().SetKeyFlags(0x1BF), E_INVALIDARG);
  EXPECT_EQ(Horizontal().GetKeyFlags(), 0xBFu);
  Key(kHome);  // no longer answered: the value stays
  Key(kEnd);
  EXPECT_DOUBLE_EQ(Horizontal().GetNormalizedValue(), 1);
}

TEST_F(ScrollBar, ANewRangeKeepsTheValueInRangeUnitsWhereItFits) {
  LScrollbar& bar = Vertical();
  bar.SetNormalizedValue(0.5);
  EXPECT_EQ(bar.GetValue(), 50);
  EXPECT_EQ(bar.SetRange(0, 200, LControl::kLinear), S_OK);
  EXPECT_DOUBLE_EQ(bar.GetNormalizedValue(), 0.25);
  EXPECT_EQ(bar.SetRange(0, 40, LControl::kLinear), S_OK);
  EXPECT_EQ(bar.GetNormalizedValue(), 1);
  EXPECT_EQ(bar.SetRange(0, 10, LControl::kLogarithmic), E_INVALIDARG);
  EXPECT_EQ(bar.GetValue(), 40);
}

// A scroll view with real bars: the bars follow the view, and the keys of
// the focused content scroll it through the vertical bar.
std::string ViewSkin() {
  return R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.ScrollView" Name="view" XPositionAbs="0" YPositionAbs="0" XSizeAbs="200" YSizeAbs="250" TabStop="1">
      <SubControl Class="Framework.ScrollBar" Name="vBar" XPositionAbs="184" YPositionAbs="0" XSizeAbs="16" YSizeAbs="250"
                  XIsDocked="True" YIsDocked="True" TabStop="-1">
        <SubControl Class="Framework.Button" Name="dec" XPositionAbs="0" YPositionAbs="0" XSizeAbs="16" YSizeAbs="16"/>
        <SubControl Class="Framework.Button" Name="inc" XPositionAbs="0" YPositionAbs="234" XSizeAbs="16" YSizeAbs="16"/>
        <SubControl Class="Framework.ScrollChannel" Name="channel" XPositionAbs="0" YPositionAbs="16" XSizeAbs="16" YSizeAbs="218">
          <SubControl Class="Framework.Button" Name="thumb" XPositionAbs="0" YPositionAbs="0" XSizeAbs="16" YSizeAbs="16"/>
        </SubControl>
      </SubControl>
      <SubControl Class="Test.Input" Name="content" XPositionAbs="0" YPositionAbs="0" XSizeAbs="100" YSizeAbs="20" TabStop="1"/>
    </SubControl>
  </SubControl>
</Skin></Skins>)";
}

class ScrollBarInView : public ScrollBar {
 protected:
  void SetUp() override {
    factory.RegisterControlCreateFunction(StringW(u"Test.ScrollView"), &LScrollView::Create);
    ASSERT_TRUE(Open(ViewSkin(), u"main"));
    View().SetClientExtent(100, 1000);
  }
  LScrollView& View() const { return Get<LScrollView>(u"view"); }
  LScrollbar& Bar() const { return Get<LScrollbar>(u"vBar"); }
};

TEST_F(ScrollBarInView, TheViewSetsTheBarsStepsAndThumbAndFollowsItsValue) {
  EXPECT_THAT(Bar().GetThumbProportion(), DoubleNear(0.25, 1e-12));
  EXPECT_EQ(Bar().GetThumbLength(), 55);  // a quarter of 218, rounded
  EXPECT_THAT(Bar().GetPageStep(), DoubleNear(1.0 / 3, 1e-12));
  View().ScrollTo({0, 375});
  EXPECT_EQ(ThumbAt(Bar()), 82);  // half of 163
  Bar().SetNormalizedValue(1);
  EXPECT_EQ(View().GetScrollOffset().y, 750);
}

TEST_F(ScrollBarInView, TheFocusedContentsKeysAndTheWheelScrollTheView) {
  ASSERT_EQ(window->GetFocusControl(), Find(u"content").Get());
  Key(kPageDown);
  EXPECT_EQ(View().GetScrollOffset().y, 250);
  Key(kDown);
  EXPECT_EQ(View().GetScrollOffset().y, 275);
  Key(kEnd);
  EXPECT_EQ(View().GetScrollOffset().y, 750);
  Wheel(50, 100, 120);
  EXPECT_EQ(View().GetScrollOffset().y, 725);
  EXPECT_EQ(ThumbAt(Bar()), 158);
}

TEST_F(ScrollBarInView, DraggingTheThumbScrollsTheViewWhileItMoves) {
  Press(192, 26);  // the thumb, 10 pixels in
  Move(192, 26 + 163);
  EXPECT_EQ(View().GetScrollOffset().y, 750);
  Move(192, 26 + 82);
  EXPECT_EQ(View().GetScrollOffset().y, 377);
  Release(192, 26 + 82);
}

}  // namespace
}  // namespace HV::Test
