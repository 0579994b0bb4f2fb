// Controls laying themselves out in a tree built from a skin: rectangles
// against parents and siblings, SetRect passing changes on, scrolling,
// clip-to-parent counts and moving controls by dragging.
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/LFontTextMeasurer.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"
#include "tests/support/FakeMeasurer.h"
#include "tests/support/NotificationRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;

// "Test.Layout": a control that records what the layout asks of it.
class LayoutProbe : public LControl {
 public:
  LayoutProbe(LControl* parent, const StringW& name) : LControl(parent, name) {}

  HResult Relayout(int32_t parentWidth, int32_t parentHeight) override {
    ++relayouts;
    lastParentSize = {static_cast<double>(parentWidth), static_cast<double>(parentHeight)};
    if (onRelayout) onRelayout();
    return LControl::Relayout(parentWidth, parentHeight);
  }
  HResult Invalidate(const Rect& rect, uint32_t flags) override {
    invalidated.push_back({rect, flags});
    return S_OK;
  }
  HResult OnChildRectChanged(LControl* child) override {
    changedChildren.push_back(Narrow(child->GetName()));
    return LControl::OnChildRectChanged(child);
  }
  HResult AcceptDroppedControl(LControl& dragged) override {
    drops.push_back("accept " + Narrow(dragged.GetName()));
    return E_FAIL;
  }
  void OnControlDropped(LControl& dragged) override {
    drops.push_back("dropped " + Narrow(dragged.GetName()));
  }
  ILayoutTextMeasurer* GetLayoutText() override { return text; }

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<LayoutProbe>(result, parent, descriptor);
  }

  struct Invalidation {
    Rect rect;
    uint32_t flags;
  };
  int relayouts = 0;
  Point lastParentSize;
  std::vector<Invalidation> invalidated;
  std::vector<std::string> changedChildren;
  std::vector<std::string> drops;
  ILayoutTextMeasurer* text = nullptr;
  std::function<void()> onRelayout;
};

// Children are made in the skin's layout order, so that a control is made
// after those it names. A window-filling "top" with a header, a body of three controls placed one
// after the other plus one docked, a box as wide as its children, a control
// drawn outside its parent and a label.
constexpr const char* kSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Layout" Name="top" XSizeToControl="Client" XSizeRel="1" XSizeAbs="0"
              YSizeToControl="Client" YSizeRel="1" YSizeAbs="0">
    <SubControl Class="Test.Layout" Name="header" XSizeToControl="Client" XSizeRel="1" XSizeAbs="0" YSizeAbs="20"/>
    <SubControl Class="Test.Layout" Name="body" YPositionToControl="header" YPositionRel="1"
                XSizeToControl="Client" XSizeRel="1" XSizeAbs="0" YSizeToControl="Client" YSizeRel="1" YSizeAbs="0">
      <SubControl Class="Test.Layout" Name="a" XSizeAbs="30" YSizeAbs="10"/>
      <SubControl Class="Test.Layout" Name="b" XPositionToControl="a" XPositionRel="1" XSizeAbs="30"
                  YSizeAbs="10"/>
      <SubControl Class="Test.Layout" Name="c" XPositionToControl="b" XPositionRel="1" XSizeAbs="30"
                  YSizeAbs="10"/>
      <SubControl Class="Test.Layout" Name="pinned" YPositionAbs="5" YIsDocked="True" XSizeAbs="10"
                  YSizeAbs="10"/>
    </SubControl>
    <SubControl Class="Test.Layout" Name="fit" YPositionAbs="250" XSizeAbs="10" YSizeAbs="20"
                XMinSizeToControl="Children" XMinSizeRel="1" XMinSizeAbs="4">
      <SubControl Class="Test.Layout" Name="f1" XSizeAbs="50" YSizeAbs="10"/>
      <SubControl Class="Test.Layout" Name="f2" XPositionAbs="70" XSizeAbs="50" YSizeAbs="10"/>
    </SubControl>
    <SubControl Class="Test.Layout" Name="floating" ClipToParent="False" XSizeAbs="5" YSizeAbs="5"/>
    <SubControl Class="Test.Layout" Name="label" YPositionAbs="280" XSizeAbs="30" YSizeAbs="16"/>
  </SubControl>
</Skin></Skins>)";

class ControlLayout : public ::testing::Test, public SkinDocumentFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadSkinBody(kSkin), S_OK);
    ASSERT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.Layout"), &LayoutProbe::Create), S_OK);
    SetApplicationControlFactory(&factory);
    SetApplicationWorkArea({0, 0, 400, 300});
    top = factory.CreateControl(TopLevel(u"top"), nullptr);
    ASSERT_TRUE(top);
  }
  void TearDown() override {
    mListener->UnregisterAllNotifications();
    if (top) top->ReleaseInternalReferences();
    SetApplicationWorkArea({});
    SetApplicationControlFactory(nullptr);
  }

  // The control of that name anywhere under top.
  LayoutProbe& Get(const char16_t* name) {
    RCPtrArray<LControl> found;
    if (top->FindDescendantControls(StringW(name), found) != 1) throw std::runtime_error("no single control");
    return static_cast<LayoutProbe&>(*found.GetAt(0));
  }
  static std::vector<double> RectOf(const LControl& control) {
    const LControl::Rect& r = control.GetRect();
    return {r.x, r.y, r.width, r.height};
  }

  RCPtr<LControl> top;
  NotificationLog mLog;
  const RCPtr<NotificationRecorder> mListener = NotificationRecorder::Create("L", mLog);
};

TEST_F(ControlLayout, ControlsAreLaidOutAgainstTheWorkAreaTheirParentsAndSiblings) {
  EXPECT_THAT(RectOf(*top), ElementsAre(0, 0, 400, 300));
  EXPECT_THAT(RectOf(Get(u"header")), ElementsAre(0, 0, 400, 20));
  EXPECT_THAT(RectOf(Get(u"body")), ElementsAre(0, 20, 400, 280));
  EXPECT_THAT(RectOf(Get(u"a")), ElementsAre(0, 0, 30, 10));
  EXPECT_THAT(RectOf(Get(u"b")), ElementsAre(30, 0, 30, 10));
  EXPECT_THAT(RectOf(Get(u"c")), ElementsAre(60, 0, 30, 10));
  EXPECT_THAT(RectOf(Get(u"fit")), ElementsAre(0, 250, 124, 20));  // children span 120, plus 4

  // A created top-level control has no root window to be laid out in yet.
  EXPECT_EQ(top->UpdateLayout(), E_FAIL);
  // Nor does a control without a layout from the skin.
  const RCPtr<LControl> bare(new LayoutProbe(nullptr, StringW(u"bare")));
  EXPECT_EQ(bare->UpdateLayout(), E_FAIL);
}

TEST_F(ControlLayout, SettingTheSameRectangleAgainChangesAndRedrawsNothing) {
  LayoutProbe& a = Get(u"a");
  a.invalidated.clear();
  EXPECT_EQ(a.SetRect(a.GetRect()), 1);
  EXPECT_TRUE(a.invalidated.empty());
  EXPECT_EQ(a.SetRect({1, 2, 30, 10}), 0);
  ASSERT_EQ(a.invalidated.size(), 2u);  // the old area, then the new one; both clipped to the parent
  EXPECT_EQ(a.invalidated[0].flags, 1u);
  EXPECT_EQ(a.invalidated[1].flags, 1u);
  EXPECT_EQ(a.SetRect({1, 2, 30, 10}), 1);
}

TEST_F(ControlLayout, OnlyARealSizeChangeRelaysOutTheChildren) {
  const RCPtr<LControl> parent(new LayoutProbe(nullptr, StringW(u"p")));
  LayoutProbe* child = new LayoutProbe(parent.Get(), StringW(u"child"));
  parent->SetRect({0, 0, 2, 2});
  EXPECT_EQ(child->relayouts, 1);
  EXPECT_EQ(child->lastParentSize.x, 2);
  // Less than 2.22e-15 is rounding noise; a move is not a new size.
  EXPECT_EQ(parent->SetRect({0, 0, std::nextafter(2.0, 3.0), 2}), 0);
  EXPECT_EQ(parent->SetRect({5, 5, std::nextafter(2.0, 3.0), 2}), 0);
  EXPECT_EQ(child->relayouts, 1);
  parent->SetRect({5, 5, 2.6, 2});
  EXPECT_EQ(child->relayouts, 2);
  EXPECT_EQ(child->lastParentSize.x, 3);  // rounded half away from zero
  parent->ReleaseInternalReferences();
}

TEST_F(ControlLayout, ChildrenLeavingWhileTheyAreRelaidOutEndTheWalk) {
  const RCPtr<LControl> parent(new LayoutProbe(nullptr, StringW(u"p")));
  auto* first = new LayoutProbe(parent.Get(), StringW(u"first"));
  auto* second = new LayoutProbe(parent.Get(), StringW(u"second"));
  first->onRelayout = [&] {
    parent->RemoveChildControl(RCPtr<LControl>(second));
    parent->RemoveChildControl(RCPtr<LControl>(first));
  };
  parent->SetRect({0, 0, 10, 10});
  EXPECT_EQ(parent->GetChildren().GetCount(), 0u);
  EXPECT_FALSE(parent->IsLayoutSuppressed());
  parent->ProcessIdle();  // releases the two
  parent->ReleaseInternalReferences();
}

TEST_F(ControlLayout, ALaterSiblingFollowsAChangeAndTheParentHearsOfEach) {
  LayoutProbe& a = Get(u"a");
  LayoutProbe& body = Get(u"body");
  body.changedChildren.clear();
  LLayoutSize wider = a.GetLayout()->size[0];
  wider.absolute = 50;
  EXPECT_TRUE(a.SetAxisLayout(0, a.GetLayout()->position[0], wider, false));
  EXPECT_THAT(RectOf(a), ElementsAre(0, 0, 50, 10));
  EXPECT_THAT(RectOf(Get(u"b")), ElementsAre(50, 0, 30, 10));
  EXPECT_THAT(RectOf(Get(u"c")), ElementsAre(80, 0, 30, 10));
  // Each change reaches the parent once its own followers are placed.
  EXPECT_THAT(body.changedChildren, ElementsAre("c", "b", "a"));
  EXPECT_FALSE(a.SetAxisLayout(0, a.GetLayout()->position[0], wider, false));
}

TEST_F(ControlLayout, ResizingTheTopControlRelaysOutTheTree) {
  top->SetRect({0, 0, 600, 300});
  EXPECT_EQ(Get(u"header").lastParentSize.x, 600);
  EXPECT_THAT(RectOf(Get(u"header")), ElementsAre(0, 0, 600, 20));
  EXPECT_THAT(RectOf(Get(u"body")), ElementsAre(0, 20, 600, 280));
  EXPECT_TRUE(top->IsLayoutPassRequested());
  EXPECT_FALSE(top->IsLayoutSuppressed());
}

TEST_F(ControlLayout, NonClippingDescendantsAreCountedOnEveryAncestor) {
  LayoutProbe& a = Get(u"a");
  LayoutProbe& body = Get(u"body");
  EXPECT_EQ(top->GetNonClippingDescendantCount(), 1);  // "floating", from the skin
  EXPECT_FALSE(a.SetClipToParent(false));
  EXPECT_FALSE(a.SetClipToParent(false));
  EXPECT_EQ(body.GetNonClippingDescendantCount(), 1);
  EXPECT_EQ(top->GetNonClippingDescendantCount(), 2);

  // Redrawing the body also redraws the child drawn outside it, in body coordinates.
  body.invalidated.clear();
  a.SetRect({3, 4, 30, 10});
  body.invalidated.clear();
  body.SetRect({0, 20, 401, 280});
  ASSERT_GE(body.invalidated.size(), 2u);
  EXPECT_EQ(body.invalidated[1].rect.x, 3);
  EXPECT_EQ(body.invalidated[1].rect.y, 4);
  EXPECT_EQ(body.invalidated[1].flags, 0u);

  EXPECT_TRUE(a.SetClipToParent(true));
  EXPECT_EQ(body.GetNonClippingDescendantCount(), 0);
  EXPECT_EQ(top->GetNonClippingDescendantCount(), 1);
  ASSERT_EQ(top->RemoveChildControl(RCPtr<LControl>(&Get(u"floating"))), S_OK);
  EXPECT_EQ(top->GetNonClippingDescendantCount(), 0);
}

TEST_F(ControlLayout, ScrollingMovesOnlyDockedChildrenInTheContent) {
  LayoutProbe& body = Get(u"body");
  ASSERT_NE(mListener->RegisterNotification(RCPtr<LControl>(&body), u"NID_SCROLL_OFFSET_CHANGE"), nullptr);
  EXPECT_EQ(body.SetScrollOffset({0, 50}), S_OK);
  EXPECT_THAT(RectOf(Get(u"pinned")), ElementsAre(0, 55, 10, 10));
  EXPECT_THAT(RectOf(Get(u"a")), ElementsAre(0, 0, 30, 10));
  EXPECT_EQ(Get(u"a").GetPositionInParent().y, -50);
  EXPECT_EQ(Get(u"pinned").GetPositionInParent().y, 5);
  EXPECT_EQ(body.SetScrollOffset({0, 50}), S_FALSE);
  EXPECT_THAT(mLog.Deliveries(), ElementsAre("L:NID_SCROLL_OFFSET_CHANGE"));
}

TEST_F(ControlLayout, DraggingMovesTheControlAfterThePointerWithinItsLimits) {
  LayoutProbe& b = Get(u"b");
  struct Step {
    int32_t mode;
    uint32_t flags;
    LControl::Point pointer;  // in b's coordinates
    std::vector<double> expected;
  };
  const Step steps[] = {
      {2, 0x1, {15, 25}, {40, 0, 30, 10}},     // x only
      {3, 0x1, {500, 5}, {80, 0, 30, 10}},     // kept within 20 + 60
      {3, 0x3, {-500, 25}, {20, 20, 30, 10}},  // y has no limits, x is kept at 20
      {4, 0x5, {500, 5}, {525, 0, 30, 10}},    // only the low end applies
      {4, 0x5, {-500, 5}, {20, 0, 30, 10}},
      {5, 0x9, {500, 5}, {30, 0, 50, 10}},  // the far edge follows, kept at 80
  };
  for (const Step& step : steps) {
    b.SetAxisLayout(0, b.GetLayout()->position[0], LLayoutSize{2, {}, 0, 30}, false);
    b.SetAxisLayout(1, LLayoutPosition{}, LLayoutSize{2, {}, 0, 10}, false);
    LLayoutPosition x = b.GetLayout()->position[0];
    x.absolute = 0;
    b.SetAxisLayout(0, x, b.GetLayout()->size[0], false);
    ASSERT_THAT(RectOf(b), ElementsAre(30, 0, 30, 10));
    b.SetDragMode(step.mode, step.flags);
    b.SetDragLimits(0, 20, 60);
    b.SetLastMousePosition(5, 5);
    b.ChangeInteractionFlags(LControl::kLeftDrag, 0);  // starts the drag
    b.DragTo(step.pointer);
    EXPECT_THAT(RectOf(b), ::testing::ElementsAreArray(step.expected)) << "mode " << step.mode;
    b.ChangeInteractionFlags(0, LControl::kLeftDrag);
  }
  // The sibling placed after b followed every move.
  EXPECT_EQ(Get(u"c").GetRect().x, Get(u"b").GetRect().x + Get(u"b").GetRect().width);
}

TEST_F(ControlLayout, AFreeDragFloatsTheControlAndHandsItToTheTopControl) {
  LayoutProbe& a = Get(u"a");
  LayoutProbe& body = Get(u"body");
  auto& topProbe = static_cast<LayoutProbe&>(*top);
  body.SetScrollOffset({0, 10});
  a.SetDragMode(1, 0);
  a.SetLastMousePosition(2, 2);
  a.ChangeInteractionFlags(LControl::kLeftDrag, 0);
  EXPECT_FALSE(a.GetLayout()->clipToParent);
  EXPECT_EQ(body.GetNonClippingDescendantCount(), 1);
  EXPECT_TRUE(a.GetLayout()->docked[0] && a.GetLayout()->docked[1]);
  EXPECT_THAT(RectOf(a), ElementsAre(0, 0, 30, 10));  // docking kept it in place

  a.DragTo({12, 7});
  EXPECT_THAT(RectOf(a), ElementsAre(10, 5, 30, 10));
  EXPECT_EQ(a.GetDragDelta().x, 10);
  EXPECT_EQ(a.GetDragDelta().y, 5);

  a.ChangeInteractionFlags(0, LControl::kLeftDrag);
  EXPECT_TRUE(a.GetLayout()->clipToParent);
  EXPECT_FALSE(a.GetLayout()->docked[0] || a.GetLayout()->docked[1]);
  EXPECT_THAT(RectOf(a), ElementsAre(10, 5, 30, 10));  // it stays where it was dropped
  EXPECT_EQ(body.GetNonClippingDescendantCount(), 0);
  EXPECT_THAT(topProbe.drops, ElementsAre("accept a", "dropped a"));
}

TEST_F(ControlLayout, SizesOrdersAndRootBounds) {
  EXPECT_EQ(Get(u"fit").GetDesiredSize().x, 124);
  EXPECT_EQ(Get(u"fit").GetDesiredSize().y, 0);
  LayoutProbe& c = Get(u"c");
  EXPECT_TRUE(c.SetAxisSizeLimits(1, LLayoutSizeLimit{}, LLayoutSizeLimit{false, {}, 0, 8}));
  EXPECT_EQ(c.GetMaximumSize().x, 0);
  EXPECT_EQ(c.GetMaximumSize().y, 8);
  EXPECT_EQ(c.GetRect().height, 8);

  LayoutProbe& body = Get(u"body");
  Get(u"a").GetLayout()->layoutOrder = 3;
  Get(u"b").GetLayout()->layoutOrder = 1;
  Get(u"c").GetLayout()->layoutOrder = 1;
  std::vector<std::string> order;
  for (uint32_t i = 0; RCPtr<LControl> child = body.GetChildByLayoutOrder(i); ++i)
    order.push_back(Narrow(child->GetName()));
  EXPECT_THAT(order, ElementsAre("pinned", "b", "c", "a"));

  const LControl::Rect bounds = Get(u"a").GetRootBoundsInLocal();
  EXPECT_EQ(bounds.y, -20);
  EXPECT_EQ(bounds.width, 400);
  EXPECT_EQ(bounds.height, 280);
  EXPECT_EQ(top->GetRootBoundsInLocal().width, 400);  // no root window: its own size

  LControl::Rect overlap;
  EXPECT_TRUE(LControl::IntersectRects({0, 0, 10, 10}, {5, 6, 10, 10}, overlap));
  EXPECT_EQ(overlap.x, 5);
  EXPECT_EQ(overlap.height, 4);
  EXPECT_FALSE(LControl::IntersectRects({0, 0, 10, 10}, {10, 0, 10, 10}, overlap));
}

TEST_F(ControlLayout, ALabelGrowsToItsTextThroughTheMeasuringRenderer) {
  const RCPtr<FakeMeasurer> measurer = FakeMeasurer::Create();
  SetApplicationRenderer(measurer);
  const RCPtr<LFontText> text =
      LFontText::Create(StringW(u"Hello world"), LFont::FindOrCreate(u"LayoutLabel", 9, LFont::Regular));
  LFontTextMeasurer part(*text, LTextArea{});
  LayoutProbe& label = Get(u"label");
  label.text = &part;
  label.GetLayout()->textOverflowX = 1;
  EXPECT_EQ(label.UpdateLayout(), 0);
  EXPECT_EQ(label.GetRect().width, 110);  // 11 characters of 10 pixels
  label.SetAxisSizeLimits(0, LLayoutSizeLimit{}, LLayoutSizeLimit{false, {}, 0, 100});
  EXPECT_EQ(label.GetRect().width, 100);
  label.text = nullptr;
  SetApplicationRenderer(nullptr);
}

}  // namespace
}  // namespace HV::Test
