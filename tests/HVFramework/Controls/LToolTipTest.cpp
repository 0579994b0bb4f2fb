// Tool tips in a root window: the root window makes the control under the
// mouse the tip's owner, the owner builds the "toolTip" control from the
// skin, and the tip shows after its wait, below the pointer inside the
// window, and goes when the mouse moves on, a button or key is pressed or
// its time is over.
#include "HVFramework/Controls/LToolTip.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/HVFramework/Controls/ControlWindowFixture.h"
#include "tests/support/FakeMeasurer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace HV::Test {
namespace {

// Controls 40 x 20: "a", "b" and "corner" have tips, "plain" has none,
// "inner" (inside "a") uses its parent's.
constexpr const char* kControls = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.Input" Name="a" XPositionAbs="10" YPositionAbs="10" XSizeAbs="40" YSizeAbs="40">
      <SubControl Class="Test.Input" Name="inner" XPositionAbs="5" YPositionAbs="20" XSizeAbs="10" YSizeAbs="10">
        <CreateParamList><CreateParam ID="USE_PARENT_TOOLTIP">True</CreateParam></CreateParamList>
      </SubControl>
    </SubControl>
    <SubControl Class="Test.Input" Name="b" XPositionAbs="60" YPositionAbs="10" XSizeAbs="40" YSizeAbs="20"/>
    <SubControl Class="Test.Input" Name="plain" XPositionAbs="110" YPositionAbs="10" XSizeAbs="40" YSizeAbs="20"/>
    <SubControl Class="Test.Input" Name="corner" XPositionAbs="350" YPositionAbs="270" XSizeAbs="50" YSizeAbs="30"/>
  </SubControl>
  <SubControl Class="Framework.ToolTip" Name="toolTip" XSizeAbs="100" YSizeAbs="20" Z_Order="9999" ClipToParent="False">
    <Skin Name="T" LookList="Tip"/>
  </SubControl>
</Skin></Skins>)";

std::string SkinWithTipAttributes(const std::string& attributes) {
  std::string skin(kControls);
  const std::string fixed = R"(XSizeAbs="100" YSizeAbs="20" Z_Order)";
  skin.replace(skin.find(fixed), fixed.size(), attributes + " Z_Order");
  return skin;
}

class ToolTip : public ControlWindowFixture {
 public:
  // What ends a showing tip, at the pointer.
  void PressHere() {
    Press(host.mouse.x, host.mouse.y);
    Release(host.mouse.x, host.mouse.y);
  }
  void KeyHere() { Key('A'); }
  void WheelHere() { Wheel(host.mouse.x, host.mouse.y, -120); }

 protected:
  explicit ToolTip(const std::string& skin = kControls) {
    EXPECT_EQ(LToolTip::Register(factory), S_OK);
    LoadStrings({{"Test.Input|a", "TOOLTIP", "Alpha"},
                 {"Test.Input|b", "TOOLTIP", "Beta, a tip much longer than the control it belongs to"},
                 {"Test.Input|corner", "TOOLTIP", "Gamma"}});
    Open(SolidLooks("Tip", 1) + skin, u"main");
    // No tip of an earlier test was hidden just now.
    LToolTip::SetLastHideTime(Platform::GetTickCount() - 1000);
  }

  // The tip shown for a control, or null.
  LToolTip* TipOf(const char16_t* owner) const {
    return dynamic_cast<LToolTip*>(Find(owner)->FindChildControl(StringW(u"toolTip")).Get());
  }
  bool Visible(const char16_t* owner) const {
    const LToolTip* tip = TipOf(owner);
    return tip && tip->IsVisible(true);
  }
  void IdleAfter(uint32_t milliseconds) {
    Advance(milliseconds);
    Idle();
  }
  // Where the tip's top-left corner lies in the window.
  std::pair<double, double> TipPosition(const char16_t* owner) const {
    const LControl::Point origin = TipOf(owner)->GetOriginInRoot();
    return {origin.x, origin.y};
  }
};

TEST_F(ToolTip, WaitsBeforeItShowsAndGoesWhenItsTimeIsOver) {
  Move(20, 15);
  LToolTip* tip = TipOf(u"a");
  ASSERT_TRUE(tip);
  EXPECT_EQ(Narrow(tip->GetText()), "Alpha");
  EXPECT_EQ(tip->GetState(), LToolTip::kWaiting);
  EXPECT_FALSE(Visible(u"a"));
  IdleAfter(500);
  EXPECT_FALSE(Visible(u"a")) << "only after more than the delay";
  IdleAfter(1);
  EXPECT_TRUE(Visible(u"a"));
  EXPECT_EQ(TipPosition(u"a"), std::make_pair(20.0, 35.0)) << "below the pointer";
  // The millisecond count wraps round while the tip shows.
  IdleAfter(5000);
  EXPECT_TRUE(Visible(u"a"));
  IdleAfter(1);
  EXPECT_FALSE(TipOf(u"a"));
  EXPECT_EQ(window->GetToolTipControl(), Find(u"a").Get()) << "the owner stays until the mouse moves on";
  Idle();
  EXPECT_EQ(Find(u"a")->GetPendingReleaseCount(), 0u);
}

TEST_F(ToolTip, NeighbourShowsAtOnceAfterAVisibleTipButWaitsAfterAPause) {
  Move(20, 15);
  IdleAfter(501);
  ASSERT_TRUE(Visible(u"a"));
  Move(70, 15);
  EXPECT_FALSE(TipOf(u"a"));
  EXPECT_TRUE(Visible(u"b")) << "within the quick-show window";
  Move(120, 15);  // no tip here
  EXPECT_FALSE(TipOf(u"b"));
  Advance(LToolTip::kQuickShowWindow);
  Move(20, 15);
  EXPECT_FALSE(Visible(u"a"));
  EXPECT_EQ(TipOf(u"a")->GetState(), LToolTip::kWaiting);
}

TEST_F(ToolTip, TipHiddenBeforeItShowedDoesNotOpenTheQuickShowWindow) {
  Move(20, 15);
  IdleAfter(100);
  Move(70, 15);
  EXPECT_FALSE(Visible(u"b"));
  IdleAfter(501);
  EXPECT_TRUE(Visible(u"b"));
}

TEST_F(ToolTip, PressKeyAndWheelHideTheTipUntilTheMouseComesBack) {
  const struct {
    const char* what;
    void (ToolTip::*act)();
  } kCases[] = {
      {"press", &ToolTip::PressHere},
      {"key", &ToolTip::KeyHere},
      {"wheel", &ToolTip::WheelHere},
  };
  for (const auto& c : kCases) {
    Move(20, 15);
    IdleAfter(501);
    ASSERT_TRUE(Visible(u"a")) << c.what;
    (this->*c.act)();
    EXPECT_FALSE(TipOf(u"a")) << c.what;
    Move(22, 15);  // the same owner: no new tip
    IdleAfter(1000);
    EXPECT_FALSE(TipOf(u"a")) << c.what;
    Move(390, 150);  // away, to come back for the next case
    Advance(100);
  }
}

TEST_F(ToolTip, ControlUsingItsParentsTipShowsTheParentsTip) {
  Move(20, 35);
  EXPECT_EQ(window->GetHoverControl(), Find(u"inner").Get());
  EXPECT_EQ(window->GetToolTipControl(), Find(u"a").Get());
  ASSERT_TRUE(TipOf(u"a"));
  EXPECT_FALSE(Find(u"inner")->FindChildControl(StringW(u"toolTip")));
}

TEST_F(ToolTip, ControlWithoutTipTextGetsNoTip) {
  Move(120, 15);
  EXPECT_EQ(window->GetToolTipControl(), nullptr);
  EXPECT_EQ(Find(u"plain")->ShowToolTip(true), S_OK);
  EXPECT_FALSE(Find(u"plain")->FindChildControl(StringW(u"toolTip")));
}

TEST_F(ToolTip, TipIsPlacedInsideTheWindowAndIsNeverHit) {
  const struct {
    int32_t mouseX, mouseY;
    double x, y;
  } kCases[] = {
      {355, 275, 300, 280},  // pushed back from the right and the bottom edge
      {399, 271, 300, 280},
      {360, 290, 300, 280},  // pushed up over the pointer
  };
  for (const auto& c : kCases) {
    Move(c.mouseX, c.mouseY);
    IdleAfter(501);
    ASSERT_TRUE(Visible(u"corner")) << c.mouseX;
    EXPECT_EQ(TipPosition(u"corner"), std::make_pair(c.x, c.y)) << c.mouseX << "," << c.mouseY;
    // Where the tip covers the pointer, the mouse still reaches the control under it.
    Move(c.mouseX - 1, c.mouseY);
    EXPECT_EQ(window->GetHoverControl(), Find(u"corner").Get());
    EXPECT_TRUE(Visible(u"corner"));
    Move(390, 150);
    Advance(100);
  }
}

TEST_F(ToolTip, TipIsNoWiderThanTheWindowLessItsMarginAndNeverPlacedAboveOrLeftOfIt) {
  // A window lower than the tip: the tip starts at its top.
  host.clientRect = {0, 0, 90, 15};
  window->Relayout(90, 15);
  Move(20, 12);
  IdleAfter(501);
  ASSERT_TRUE(Visible(u"a"));
  EXPECT_EQ(TipOf(u"a")->GetRect().width, 90 - LToolTip::kWindowMargin);
  EXPECT_EQ(TipPosition(u"a"), std::make_pair(LToolTip::kWindowMargin, 0.0));
}

// A tip whose skin lets its text widen it, measured at 10 pixels a
// character: as wide as its text and its look's 2-pixel margins, up to the
// window's width less the margin.
class TextSizedToolTip : public ToolTip {
 protected:
  TextSizedToolTip() : ToolTip(SkinWithTipAttributes(R"(XSizeAbs="8" YSizeAbs="20" TextOverflowXType="Expand")")) {
    SetApplicationRenderer(measurer);
  }
  ~TextSizedToolTip() override { SetApplicationRenderer(nullptr); }

  RCPtr<FakeMeasurer> measurer = FakeMeasurer::Create();
};

TEST_F(TextSizedToolTip, GrowsToItsTextWithinTheWindow) {
  Move(20, 15);
  IdleAfter(501);
  ASSERT_TRUE(Visible(u"a"));
  EXPECT_EQ(TipOf(u"a")->GetRect().width, 5 * 10 + 4);  // "Alpha"
  EXPECT_EQ(TipOf(u"a")->GetRect().height, 20);
  Move(70, 15);  // shows at once after the tip just seen
  ASSERT_TRUE(Visible(u"b"));
  EXPECT_EQ(TipOf(u"b")->GetRect().width, window->GetScreenRect().width - LToolTip::kWindowMargin);
  EXPECT_EQ(TipPosition(u"b").first, LToolTip::kWindowMargin) << "moved left to stay inside the window";
  // A short text near the right edge: the tip ends at the window's edge.
  Move(395, 290);
  ASSERT_TRUE(Visible(u"corner"));
  EXPECT_EQ(TipPosition(u"corner").first + TipOf(u"corner")->GetRect().width, window->GetScreenRect().width);
}

}  // namespace
}  // namespace HV::Test
