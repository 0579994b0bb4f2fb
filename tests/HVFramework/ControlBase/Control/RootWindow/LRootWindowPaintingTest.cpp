// The root window's update region and paint: what controls invalidate is
// collected in client coordinates, cut to the client area, and a paint
// draws exactly that, the non-clipping controls on top by their Z order.
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "tests/support/DrawLogControl.h"
#include "tests/support/FakeWindowHost.h"
#include "tests/support/RecordingRenderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class RootWindowPainting : public ::testing::Test {
 protected:
  RootWindowPainting() {
    renderer->RenderStart(context);
    window->SetRenderer(renderer);
  }
  ~RootWindowPainting() override {
    window->SetRootControl(nullptr);
    renderer->RenderFinish(context);
  }

  // A control with one plain look, so that its children are drawn.
  RCPtr<DrawLogControl> Make(LControl* parent, const std::string& name, const LControl::Rect& rect) {
    RCPtr<DrawLogControl> control(new DrawLogControl(parent, name, log));
    control->SetRect(rect);
    control->SelectLook(control->AddLook(LLook::Create()));
    return control;
  }
  // A root control filling the window with three 50 x 50 children in a
  // row; the middle one holds a 10 x 10 control.
  void OpenRow() {
    root = Make(nullptr, "root", {});
    Make(root.Get(), "a", {10, 10, 50, 50});
    const RCPtr<DrawLogControl> b = Make(root.Get(), "b", {100, 10, 50, 50});
    Make(root.Get(), "c", {200, 10, 50, 50});
    inner = Make(b.Get(), "inner", {5, 5, 10, 10});
    window->SetRootControl(root);
    Settle();
  }
  // Nothing pending: the region and the host's requests are emptied.
  void Settle() {
    window->TakeUpdateRegion();
    host.invalidated.clear();
    log.clear();
  }
  std::vector<std::string> Content() const {
    std::vector<std::string> drawn;
    for (const std::string& entry : log)
      if (entry.find(".content") != std::string::npos) drawn.push_back(entry);
    return drawn;
  }

  FakeWindowHost host;
  const RCPtr<LRootWindow> window = LRootWindow::Create(&host);
  const RCPtr<RecordingRenderer> renderer = RecordingRenderer::Create();
  const RCPtr<RecordingRenderContext> context = RecordingRenderContext::Create({0, 0, 400, 300});
  std::vector<std::string> log;
  RCPtr<DrawLogControl> root;
  RCPtr<DrawLogControl> inner;
};

TEST_F(RootWindowPainting, InvalidatedRectanglesAreCutToTheClientArea) {
  struct Case {
    const char* name;
    RectT<int32_t> rect;
    std::vector<RegionRect> collected;
  } const cases[] = {
      {"inside", {5, 5, 10, 10}, {{5, 5, 15, 15}}},
      {"over the far corner", {390, 290, 20, 20}, {{390, 290, 400, 300}}},
      {"over the near corner", {-5, -5, 10, 10}, {{0, 0, 5, 5}}},
      {"right of the window", {400, 0, 10, 10}, {}},
      {"no size", {5, 5, 0, 10}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Settle();
    window->InvalidateRect(c.rect);
    EXPECT_THAT(window->TakeUpdateRegion().GetRects(), ElementsAreArray(c.collected));
    std::vector<RegionRect> asked;
    for (const RectT<int32_t>& r : host.invalidated) asked.push_back(RegionRect::FromRect(r));
    EXPECT_EQ(asked, c.collected);
  }
}

TEST_F(RootWindowPainting, AfterAWholeWindowInvalidationTheNextPaintCoversTheClientAreaOnce) {
  window->InvalidateAll();
  EXPECT_THAT(window->TakeUpdateRegion().GetRects(), ElementsAre(RegionRect{0, 0, 400, 300}));
  EXPECT_TRUE(window->TakeUpdateRegion().IsEmpty());
}

TEST_F(RootWindowPainting, AControlsInvalidationReachesTheWindowInClientCoordinates) {
  OpenRow();
  inner->Invalidate({-20, 2, 80, 4}, 1);  // wider than its parent b on both sides
  EXPECT_THAT(window->TakeUpdateRegion().GetRects(), ElementsAre(RegionRect{100, 17, 150, 21}));
  inner->Invalidate({0.5, 0.5, 2, 2}, 0);  // covering every pixel it touches
  EXPECT_THAT(window->TakeUpdateRegion().GetRects(), ElementsAre(RegionRect{105, 15, 108, 18}));
}

TEST_F(RootWindowPainting, ANewFontOfTheSameSizeRedrawsTheControl) {
  OpenRow();
  ASSERT_EQ(inner->SetFont(StringW(u"Serif"), 11, 0, false), S_OK);
  Settle();
  ASSERT_EQ(inner->SetFont(StringW(u"Sans"), 11, 0, false), S_OK);
  EXPECT_EQ(inner->GetRect().width, 10);
  EXPECT_THAT(window->TakeUpdateRegion().GetRects(), ElementsAre(RegionRect{105, 15, 115, 25}));
}

// inner moves from b to c: the area it leaves is redrawn, and a non-clipping
// control in the subtree moved along is counted by its new ancestors.
TEST_F(RootWindowPainting, AControlGivenAnotherParentRedrawsWhereItWasAndCarriesItsNonClippingCounts) {
  OpenRow();
  const RCPtr<DrawLogControl> popup = Make(inner.Get(), "popup", {0, 12, 40, 30});
  popup->SetClipToParent(false);
  LControl& b = *root->FindChildControl(StringW(u"b"));
  LControl& c = *root->FindChildControl(StringW(u"c"));
  ASSERT_EQ(b.GetNonClippingDescendantCount(), 1);
  Settle();
  ASSERT_EQ(inner->SetParent(&c), S_OK);
  LRectRegion left = window->TakeUpdateRegion();
  LRectRegion wasB;
  wasB.AddRect(RegionRect{100, 10, 150, 60});
  left.Intersect(wasB);
  RegionRect bounds;
  ASSERT_TRUE(left.GetBounds(bounds));
  EXPECT_EQ(bounds, (RegionRect{105, 15, 145, 57}));  // inner and its popup below it
  EXPECT_EQ(b.GetNonClippingDescendantCount(), 0);
  EXPECT_EQ(c.GetNonClippingDescendantCount(), 1);
  EXPECT_EQ(root->GetNonClippingDescendantCount(), 1);
  // The popup hangs below c, outside it, and is found there.
  LRootWindow::Point local;
  EXPECT_EQ(window->ControlFromPoint({230, 50}, local, false), popup);
}

TEST_F(RootWindowPainting, OnlyTheUpdateRegionIsPaintedAndAFrameWithNothingDirtyPaintsNothing) {
  OpenRow();
  inner->Invalidate({0, 0, 10, 10}, 1);
  window->Paint(window->TakeUpdateRegion());
  EXPECT_THAT(
      log,
      ElementsAre("root.content @0,0 clip(105,15,10,10) a=1", "b.content @100,10 clip(5,5,10,10) a=1",
                  "inner.content @105,15 clip(0,0,10,10) a=1", "inner.overlay @105,15 clip(0,0,10,10) a=1",
                  "b.overlay @100,10 clip(5,5,10,10) a=1", "root.overlay @0,0 clip(105,15,10,10) a=1"));
  EXPECT_TRUE(context->GetSavedStates().empty());

  log.clear();
  renderer->ClearCalls();
  window->Paint(window->TakeUpdateRegion());
  EXPECT_THAT(log, IsEmpty());
  EXPECT_THAT(renderer->GetCalls(), IsEmpty());
}

TEST_F(RootWindowPainting, NonClippingControlsAreDrawnOnTopByZOrderOutsideTheirParents) {
  OpenRow();
  // Two panels whose popups reach out of them; the second is half transparent.
  const RCPtr<DrawLogControl> first = Make(root.Get(), "first", {10, 100, 100, 100});
  const RCPtr<DrawLogControl> second = Make(root.Get(), "second", {150, 100, 100, 100});
  second->SetOpacity(0.5f);
  struct Popup {
    DrawLogControl* panel;
    const char* name;
    int32_t zOrder;
  } const popups[] = {
      {first.Get(), "five", 5}, {second.Get(), "twoFirst", 2}, {second.Get(), "twoSecond", 2}};
  for (const Popup& p : popups) {
    const RCPtr<DrawLogControl> popup = Make(p.panel, p.name, {80, 80, 50, 50});
    popup->GetLayout()->zOrder = p.zOrder;
    popup->SetClipToParent(false);
  }
  Settle();
  window->InvalidateAll();
  window->Paint(window->TakeUpdateRegion());
  const std::vector<std::string> content = Content();
  ASSERT_GE(content.size(), 3u);
  EXPECT_THAT(std::vector<std::string>(content.end() - 3, content.end()),
              ElementsAre("twoFirst.content @230,180 clip(0,0,50,50) a=0.5",
                          "twoSecond.content @230,180 clip(0,0,50,50) a=0.5",
                          "five.content @90,180 clip(0,0,50,50) a=1"));
  EXPECT_TRUE(context->GetSavedStates().empty());
}

TEST_F(RootWindowPainting, ARootControlThatDoesNotClipToAParentIsPaintedAllTheSame) {
  OpenRow();
  root->SetClipToParent(false);
  Settle();
  inner->Invalidate({0, 0, 10, 10}, 1);
  window->Paint(window->TakeUpdateRegion());
  EXPECT_THAT(Content(),
              ElementsAre("root.content @0,0 clip(105,15,10,10) a=1", "b.content @100,10 clip(5,5,10,10) a=1",
                          "inner.content @105,15 clip(0,0,10,10) a=1"));
}

TEST_F(RootWindowPainting, ARendererThatCannotDrawNowLeavesTheWholeWindowForTheNextPaint) {
  OpenRow();
  const RCPtr<RecordingRenderer> unstarted = RecordingRenderer::Create();
  window->SetRenderer(unstarted);
  inner->Invalidate({0, 0, 10, 10}, 1);
  window->Paint(window->TakeUpdateRegion());
  EXPECT_THAT(log, IsEmpty());
  EXPECT_THAT(window->TakeUpdateRegion().GetRects(), ElementsAre(RegionRect{0, 0, 400, 300}));
}

}  // namespace
}  // namespace HV::Test
