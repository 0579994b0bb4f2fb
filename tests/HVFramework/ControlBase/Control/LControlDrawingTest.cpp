// Drawing a control tree: the passes, what is drawn for a dirty region and in
// which order, how children are clipped and placed, which controls are left
// for the second pass, and how invalidated areas travel up to the root.
#include "HVFramework/ControlBase/Control/CAutoClip.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LLookDescriptor.h"
#include "HVFramework/Renderer/LRenderContextInfo.h"
#include "tests/support/DrawLogControl.h"
#include "tests/support/RecordingRenderer.h"
#include "tests/support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A look that writes down each drawing call with the renderer's state;
// its client rectangle is inset by the given offsets.
class LoggingLook : public LLook {
 public:
  static RCPtr<LoggingLook> Create(std::string name, std::vector<std::string>& log, int32_t inset = 0) {
    RCPtr<LoggingLook> look(new LoggingLook(std::move(name), log));
    RCPtr<LLookDescriptor> descriptor = LLookDescriptor::Create(StringW(u"Logging"));
    descriptor->SetClientPart(LDockedPart::Create(
        nullptr, SkinPartPlacement{SkinPartPlacement::kAll, inset, inset, -inset, -inset}));
    look->SetDescriptor(descriptor, false);
    return look;
  }

  int32_t DrawNonClientParts(LRenderer& renderer, const LRectRegion&) override {
    return Note("frame", renderer);
  }
  int32_t DrawClientArea(LRenderer& renderer, const LRectRegion&) override { return Note("face", renderer); }
  int32_t DrawLabelText(LRenderer& renderer, const LRectRegion&, const PointT<double>& offset) override {
    const std::string moved =
        offset == PointT<double>{} ? "" : "-" + ShortNumber(offset.x) + "," + ShortNumber(offset.y);
    return Note(("text" + moved).c_str(), renderer);
  }

 private:
  LoggingLook(std::string name, std::vector<std::string>& log) : mName(std::move(name)), mLog(log) {}
  int32_t Note(const char* what, const LRenderer& renderer) {
    mLog.push_back(mName + "." + what + " " + RenderStateText(renderer));
    return 0;
  }

  std::string mName;
  std::vector<std::string>& mLog;
};

// A control that also writes down the area its own invalidations reach at
// the top of the tree.
class LoggingControl : public DrawLogControl {
 public:
  using DrawLogControl::DrawLogControl;

  HResult InvalidateInRoot(const Rect& root, uint32_t flags, const Rect& local) override {
    if (GetParent()) return LControl::InvalidateInRoot(root, flags, local);
    Log().push_back("root(" + Text(root) + ") flags" + std::to_string(flags) + " local(" + Text(local) + ")");
    return S_OK;
  }

 private:
  static std::string Text(const Rect& r) {
    return ShortNumber(r.x) + "," + ShortNumber(r.y) + "," + ShortNumber(r.width) + "," +
           ShortNumber(r.height);
  }
};

// The pushes and pops the renderer received, without the PushState that
// PushChildRect and PushScroll make themselves.
std::vector<std::string> Pushes(RecordingRenderer& renderer) {
  std::vector<std::string> pushes;
  std::string previous;
  for (const std::string& call : renderer.TakeCalls()) {
    const bool isInner = call == "PushState" &&
                         (previous.rfind("PushChildRect", 0) == 0 || previous.rfind("PushScroll", 0) == 0);
    if (!isInner && (call.rfind("Push", 0) == 0 || call == "PopState")) pushes.push_back(call);
    previous = call;
  }
  return pushes;
}

RegionRect Edges(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }

class LControlDrawing : public ::testing::Test {
 protected:
  void SetUp() override { renderer->RenderStart(context); }
  void TearDown() override { renderer->RenderFinish(context); }

  // A control at rect with one look per weight (looks named name.lookN).
  RCPtr<LoggingControl> Make(LControl* parent, const std::string& name, const LControl::Rect& rect,
                             std::vector<float> weights = {1.0f}, int32_t inset = 0) {
    const size_t logged = log.size();
    RCPtr<LoggingControl> control(new LoggingControl(parent, name, log));
    control->SetRect(rect);
    for (size_t i = 0; i < weights.size(); ++i) {
      const int32_t index =
          control->AddLook(LoggingLook::Create(name + ".look" + std::to_string(i), log, inset));
      control->SetLookWeight(index, weights[i], false);
    }
    log.resize(logged);  // the redraws that building it asked for
    return control;
  }
  static void SetDocked(LControl& control, bool x, bool y) {
    control.GetLayout()->docked = {x, y};
    control.GetParent()->GetChildren().MarkChanged();
  }
  // The names of the listed controls.
  static std::vector<std::string> Names(const RCPtrArray<LControl>& list) {
    std::vector<std::string> names;
    for (uint32_t i = 0; i < list.GetCount(); ++i)
      names.push_back(list.GetAt(i)->GetName().ToCharString().GetText());
    return names;
  }
  // Drawn with a fresh log: building the tree asks for redraws too.
  HResult DrawFirstPass(LControl& control, const LRectRegion& dirty) {
    log.clear();
    return control.Draw(renderer, dirty, deferred, false);
  }
  static LRectRegion Region(std::initializer_list<RegionRect> rects) {
    LRectRegion region;
    for (const RegionRect& r : rects) region.AddRect(r);
    return region;
  }
  std::vector<std::string> log;
  RCPtr<RecordingRenderer> renderer = RecordingRenderer::Create();
  RCPtr<RecordingRenderContext> context = RecordingRenderContext::Create({0, 0, 400, 300});
  RCPtrArray<LControl> deferred;
};

TEST_F(LControlDrawing, AControlIsDrawnOnlyInThePassOfItsClipFlag) {
  struct Case {
    bool clips;
    bool nonClippingPass;
    HResult expected;
  } const cases[] = {
      {true, true, E_INVALIDARG}, {false, false, E_INVALIDARG}, {true, false, S_OK}, {false, true, S_OK}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.clips) + " in pass " + std::to_string(c.nonClippingPass));
    log.clear();
    const RCPtr<LoggingControl> control = Make(nullptr, "c", {0, 0, 10, 10});
    control->SetClipToParent(c.clips);
    log.clear();
    EXPECT_EQ(c.expected,
              control->Draw(renderer, Region({Edges(0, 0, 10, 10)}), deferred, c.nonClippingPass));
    EXPECT_EQ(c.expected == S_OK, !log.empty());
  }
}

TEST_F(LControlDrawing, AControlOutsideTheClipDrawsNothingButListsItsVisibleNonClippingDescendants) {
  const RCPtr<LoggingControl> top = Make(nullptr, "top", {200, 200, 50, 50});
  const RCPtr<LoggingControl> inner = Make(top.Get(), "inner", {0, 0, 20, 20});
  const RCPtr<LoggingControl> popup = Make(inner.Get(), "popup", {0, 0, 5, 5});
  const RCPtr<LoggingControl> hidden = Make(inner.Get(), "hidden", {0, 0, 5, 5});
  const RCPtr<LoggingControl> underHidden = Make(hidden.Get(), "underHidden", {0, 0, 5, 5});
  popup->SetClipToParent(false);
  hidden->SetClipToParent(false);
  hidden->SetVisible(false);
  underHidden->SetClipToParent(false);
  renderer->SetClipRect({0, 0, 100, 100});
  renderer->ClearCalls();

  EXPECT_EQ(S_OK, DrawFirstPass(*top, Region({Edges(0, 0, 400, 300)})));
  EXPECT_THAT(log, IsEmpty());
  EXPECT_THAT(renderer->GetCalls(), IsEmpty());
  EXPECT_THAT(Names(deferred), ElementsAre("popup"));
}

TEST_F(LControlDrawing, AControlWithoutWidthDrawsAndListsNothing) {
  const RCPtr<LoggingControl> control = Make(nullptr, "c", {5, 5, 0, 10});
  Make(control.Get(), "popup", {0, 0, 5, 5})->SetClipToParent(false);
  renderer->ClearCalls();
  EXPECT_EQ(S_OK, DrawFirstPass(*control, Region({Edges(0, 0, 400, 300)})));
  EXPECT_THAT(log, IsEmpty());
  EXPECT_THAT(renderer->GetCalls(), IsEmpty());
  EXPECT_EQ(0u, deferred.GetCount());
}

TEST_F(LControlDrawing,
       LooksContentTextChildrenAndOverlayAreDrawnInOrderForEachDirtyRectangleThatMeetsTheControl) {
  const RCPtr<LoggingControl> control = Make(nullptr, "c", {10, 20, 30, 30});
  Make(control.Get(), "child", {0, 0, 25, 25}, {});
  // The last rectangle misses the control.
  const LRectRegion dirty = Region({Edges(10, 20, 5, 5), Edges(30, 40, 20, 20), Edges(100, 100, 5, 5)});

  EXPECT_EQ(S_OK, DrawFirstPass(*control, dirty));
  EXPECT_THAT(
      log, ElementsAre("c.look0.face @10,20 clip(0,0,30,30) a=1", "c.look0.frame @10,20 clip(0,0,30,30) a=1",
                       // GetRects lists the region from its head: the last rectangle added first.
                       "c.content @10,20 clip(20,20,10,10) a=1", "c.content @10,20 clip(0,0,5,5) a=1",
                       "c.look0.text @10,20 clip(0,0,30,30) a=1", "child.content @10,20 clip(20,20,5,5) a=1",
                       "child.content @10,20 clip(0,0,5,5) a=1", "child.overlay @10,20 clip(20,20,5,5) a=1",
                       "child.overlay @10,20 clip(0,0,5,5) a=1", "c.overlay @10,20 clip(20,20,10,10) a=1",
                       "c.overlay @10,20 clip(0,0,5,5) a=1"));
  EXPECT_TRUE(context->GetSavedStates().empty());
}

TEST_F(LControlDrawing, WithoutALookOfPositiveWeightNoChildIsDrawnButNonClippingChildrenAreListed) {
  for (const std::vector<float>& weights : {std::vector<float>{}, std::vector<float>{0.0f, 0.0f}}) {
    SCOPED_TRACE(weights.size());
    log.clear();
    deferred.SetCount(0);
    const RCPtr<LoggingControl> control = Make(nullptr, "c", {0, 0, 30, 30}, weights);
    Make(control.Get(), "child", {0, 0, 10, 10});
    Make(control.Get(), "popup", {0, 0, 10, 10})->SetClipToParent(false);
    EXPECT_EQ(S_OK, DrawFirstPass(*control, Region({Edges(0, 0, 30, 30)})));
    EXPECT_THAT(log, ElementsAre("c.content @0,0 clip(0,0,30,30) a=1", "c.overlay @0,0 clip(0,0,30,30) a=1"));
    EXPECT_THAT(Names(deferred), ElementsAre("popup"));
  }
}

TEST_F(LControlDrawing, TwoHalfWeightedLooksDrawTheChildrenTwiceWithOpacityTimesWeightAndListThemOnce) {
  const RCPtr<LoggingControl> control = Make(nullptr, "c", {0, 0, 30, 30}, {0.5f, 0.5f});
  control->SetOpacity(0.8f);
  const RCPtr<LoggingControl> child = Make(control.Get(), "child", {0, 0, 10, 10}, {});
  Make(child.Get(), "popup", {0, 0, 5, 5})->SetClipToParent(false);
  EXPECT_EQ(S_OK, DrawFirstPass(*control, Region({Edges(0, 0, 10, 10)})));
  std::vector<std::string> childContent;
  for (const std::string& entry : log)
    if (entry.rfind("child.content", 0) == 0) childContent.push_back(entry);
  EXPECT_THAT(childContent, ElementsAre("child.content @0,0 clip(0,0,10,10) a=0.4",
                                        "child.content @0,0 clip(0,0,10,10) a=0.4"));
  EXPECT_THAT(Names(deferred), ElementsAre("popup"));
  EXPECT_EQ(1.0f, context->GetCurrentState().alphaFactor);
}

TEST_F(LControlDrawing, AThrowingChildLeavesTheStateStackAsItWas) {
  const RCPtr<LoggingControl> control = Make(nullptr, "c", {10, 10, 30, 30});
  const RCPtr<LoggingControl> child = Make(control.Get(), "child", {5, 5, 10, 10});
  child->SetThrowsInContent();
  const RenderState before = context->GetCurrentState();
  EXPECT_THAT(ThrownMessage([&] { DrawFirstPass(*control, Region({Edges(0, 0, 400, 300)})); }),
              HasSubstr("content failed"));
  EXPECT_TRUE(context->GetSavedStates().empty());
  EXPECT_EQ(before.translation, context->GetCurrentState().translation);
  EXPECT_EQ(before.clipRect, context->GetCurrentState().clipRect);
  EXPECT_EQ(before.alphaFactor, context->GetCurrentState().alphaFactor);
}

// The children in z-order: undocked clipping, one axis docked, both docked,
// then the non-clipping ones, which only the deferred list gets.
class LControlDrawingRuns : public LControlDrawing {
 protected:
  void SetUp() override {
    LControlDrawing::SetUp();
    parent = Make(nullptr, "p", {0, 0, 40, 40}, {1.0f}, 4);
    // Docked on both axes into the top frame edge.
    SetDocked(*Make(parent.Get(), "both", {-4, -4, 40, 4}, {}), true, true);
    Make(parent.Get(), "popup", {0, 0, 8, 8}, {})->SetClipToParent(false);
    SetDocked(*Make(parent.Get(), "one", {0, 0, 4, 40}, {}), true, false);
    Make(parent.Get(), "free", {2, 2, 8, 8}, {});
  }
  std::vector<std::string> ContentOf() {
    std::vector<std::string> drawn;
    for (const std::string& entry : log)
      if (entry.find(".content") != std::string::npos && entry.rfind("p.", 0) != 0) drawn.push_back(entry);
    return drawn;
  }

  RCPtr<LoggingControl> parent;
};

TEST_F(LControlDrawingRuns, TheRunsAreDrawnInZOrderInsideTheClientRectangleExceptTheDoubleDockedOnes) {
  renderer->ClearCalls();
  EXPECT_EQ(S_OK, DrawFirstPass(*parent, Region({Edges(0, 0, 40, 40)})));
  EXPECT_THAT(ContentOf(),
              ElementsAre("free.content @6,6 clip(0,0,8,8) a=1", "one.content @4,4 clip(0,0,4,32) a=1",
                          "both.content @0,0 clip(0,0,40,4) a=1"));
  EXPECT_THAT(Pushes(*renderer),
              ElementsAre(
                  // the parent itself, its look passes and content
                  "PushChildRect(0,0 0,0,40,40 null relative)", "PushState", "PopState", "PushState",
                  "PopState", "PushChildRect(0,0 0,0,40,40 null relative)", "PopState",
                  // text and children: the two clipped runs, then the double-docked one
                  "PushState", "PushChildRect(4,4 0,0,32,32 null relative)",
                  "PushChildRect(2,2 0,0,8,8 null relative)", "PushChildRect(0,0 0,0,8,8 null relative)",
                  "PopState", "PushChildRect(0,0 0,0,8,8 null relative)", "PopState", "PopState", "PopState",
                  "PushChildRect(4,4 0,0,32,32 null relative)", "PushChildRect(0,0 0,0,4,32 null relative)",
                  "PushChildRect(0,0 0,0,4,32 null relative)", "PopState",
                  "PushChildRect(0,0 0,0,4,32 null relative)", "PopState", "PopState", "PopState",
                  "PushScroll(4,4)", "PushChildRect(-4,-4 0,0,40,4 null relative)",
                  "PushChildRect(0,0 0,0,40,4 null relative)", "PopState",
                  "PushChildRect(0,0 0,0,40,4 null relative)", "PopState", "PopState", "PopState", "PopState",
                  // overlay, then the end of the parent
                  "PushChildRect(0,0 0,0,40,40 null relative)", "PopState", "PopState"));
  EXPECT_THAT(Names(deferred), ElementsAre("popup"));
}

TEST_F(LControlDrawingRuns, AClientRectangleOutsideTheClipSkipsTheClippedRunsButListsWhatIsBelowThem) {
  Make(parent->FindChildControl(StringW(u"free")).Get(), "inner", {0, 0, 2, 2}, {})->SetClipToParent(false);
  // Only the parent's top frame edge is left to draw in.
  renderer->SetClipRect({0, 0, 40, 3});
  EXPECT_EQ(S_OK, DrawFirstPass(*parent, Region({Edges(0, 0, 40, 40)})));
  EXPECT_THAT(ContentOf(), ElementsAre("both.content @0,0 clip(0,0,40,3) a=1"));
  EXPECT_THAT(Names(deferred), ElementsAre("inner", "popup"));
}

TEST_F(LControlDrawing, ChildrenAreDrawnWhereTheirOriginInTheRootIs) {
  const RCPtr<LoggingControl> top = Make(nullptr, "top", {0, 0, 100, 100}, {1.0f}, 3);
  const RCPtr<LoggingControl> mid = Make(top.Get(), "mid", {10, 20, 50, 50}, {1.0f}, 2);
  const RCPtr<LoggingControl> leaf = Make(mid.Get(), "leaf", {5, 6, 10, 10}, {});
  EXPECT_EQ(S_OK, DrawFirstPass(*top, Region({Edges(0, 0, 100, 100)})));
  const LControl::Point origin = leaf->GetOriginInRoot();
  EXPECT_EQ(20, origin.x);
  EXPECT_EQ(31, origin.y);
  EXPECT_THAT(log, ::testing::Contains("leaf.content @20,31 clip(0,0,10,10) a=1"));
}

TEST_F(LControlDrawing, ScrolledChildrenMoveWhileTheirClipStaysOnTheClientRectangle) {
  const RCPtr<LoggingControl> view = Make(nullptr, "view", {0, 0, 40, 40}, {1.0f}, 4);
  const RCPtr<LoggingControl> inView = Make(view.Get(), "inView", {3, 5, 8, 8}, {});
  const RCPtr<LoggingControl> partly = Make(view.Get(), "partly", {0, 0, 8, 8}, {});
  view->SetScrollOffset({3, 5});
  view->SetLabelScrolls(true);
  EXPECT_EQ(S_OK, DrawFirstPass(*view, Region({Edges(0, 0, 40, 40)})));
  EXPECT_THAT(log, ::testing::IsSupersetOf({"view.look0.text-3,5 @0,0 clip(0,0,40,40) a=1",
                                            "inView.content @4,4 clip(0,0,8,8) a=1",
                                            "partly.content @1,-1 clip(3,5,5,3) a=1"}));
  EXPECT_EQ(4, inView->GetOriginInRoot().x);
  EXPECT_EQ(4, inView->GetOriginInRoot().y);
}

TEST_F(LControlDrawing, CollectingNonClippingDescendantsWalksBelowThemAndStopsAtHiddenOnes) {
  const RCPtr<LoggingControl> top = Make(nullptr, "top", {0, 0, 50, 50}, {});
  top->SetClipToParent(false);
  const RCPtr<LoggingControl> popup = Make(top.Get(), "popup", {0, 0, 10, 10}, {});
  popup->SetClipToParent(false);
  Make(popup.Get(), "menu", {0, 0, 5, 5}, {})->SetClipToParent(false);
  const RCPtr<LoggingControl> hidden = Make(top.Get(), "hidden", {0, 0, 0, 10}, {});
  Make(hidden.Get(), "below", {0, 0, 5, 5}, {})->SetClipToParent(false);

  EXPECT_EQ(3, top->CollectNonClippingDescendants(deferred, true, true));
  EXPECT_THAT(Names(deferred), ElementsAre("top", "popup", "menu"));
  EXPECT_EQ(1, top->CollectNonClippingDescendants(deferred, false, false));
  EXPECT_THAT(Names(deferred), ElementsAre("top", "popup", "menu", "below"));
}

TEST(CAutoClip, PushesByFlavourAndPopsAtTheEndOfItsScope) {
  const RCPtr<RecordingRenderer> renderer = RecordingRenderer::Create();
  const RCPtr<RecordingRenderContext> context = RecordingRenderContext::Create({0, 0, 100, 100});
  renderer->RenderStart(context);
  {
    const CAutoClip state(renderer, ClipSpec::CopyState());
    const CAutoClip child(renderer, ClipSpec::ChildRect({3, 4, 0, 0}, {0, 0, 5, 5}, LStencil::Create(5, 5)));
    const CAutoClip scroll(renderer, ClipSpec::Scroll({-2, 1}));
  }
  EXPECT_THAT(Pushes(*renderer), ElementsAre("PushState", "PushChildRect(3,4 0,0,5,5 5x5 relative)",
                                             "PushScroll(-2,1)", "PopState", "PopState", "PopState"));

  ClipSpec unknown;
  unknown.flavor = 3;
  EXPECT_THAT(ThrownMessage([&] { CAutoClip clip(renderer, unknown); }),
              HasSubstr("Unknown PushClip flavor"));
  EXPECT_THAT(renderer->TakeCalls(), IsEmpty());
  renderer->RenderFinish(context);
}

// top (0, 0, 100, 100) > mid (10, 10, 50, 50) > leaf (40, 40, 30, 30): the
// leaf reaches out of mid by 20 on each axis.
class LControlInvalidation : public LControlDrawing {
 protected:
  void SetUp() override {
    LControlDrawing::SetUp();
    top = Make(nullptr, "top", {0, 0, 100, 100}, {});
    mid = Make(top.Get(), "mid", {10, 10, 50, 50}, {});
    leaf = Make(mid.Get(), "leaf", {40, 40, 30, 30}, {});
    log.clear();
  }
  RCPtr<LoggingControl> top, mid, leaf;
};

TEST_F(LControlInvalidation, ANestedRectangleReachesTheTopInRootCoordinatesCutToEachClippingParent) {
  struct Case {
    const char* name;
    bool leafClips;
    bool midClips;
    uint32_t flags;
    const char* expected;
  } const cases[] = {
      {"clipped all the way", true, true, 1, "root(50,50,10,10) flags1 local(50,50,10,10)"},
      {"not asked to clip", true, true, 0, "root(50,50,30,30) flags0 local(50,50,30,30)"},
      {"mid drawn on top", true, false, 1, "root(50,50,10,10) flags0 local(50,50,10,10)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    leaf->SetClipToParent(c.leafClips);
    mid->SetClipToParent(c.midClips);
    log.clear();
    EXPECT_EQ(S_OK, leaf->Invalidate({0, 0, 30, 30}, c.flags));
    EXPECT_THAT(log, ElementsAre(c.expected));
  }
}

TEST_F(LControlInvalidation, HidingAndShowingRedrawTheAreaTheControlCoversOnlyOnAChange) {
  EXPECT_FALSE(leaf->SetVisible(false));
  EXPECT_FALSE(leaf->SetVisible(false));
  // The part of the leaf that mid shows.
  EXPECT_THAT(log, ElementsAre("root(50,50,10,10) flags1 local(50,50,10,10)"));
  log.clear();
  EXPECT_TRUE(leaf->SetVisible(true));
  EXPECT_TRUE(leaf->SetVisible(true));
  EXPECT_THAT(log, ElementsAre("root(50,50,10,10) flags1 local(50,50,10,10)"));
}

TEST_F(LControlInvalidation, WhileASkinBuildLastsATreeWithoutARootWindowIsNotWalked) {
  struct Case {
    const char* name;
    bool building;
    bool reachesTheTop;
  } const cases[] = {
      {"outside a build", false, true},
      {"inside a build", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.clear();
    {
      std::optional<LControl::SkinBuild> build;
      if (c.building) build.emplace();
      leaf->Invalidate({0, 0, 5, 5}, 0);
      leaf->SetVisible(false);
      leaf->SetVisible(true);
    }
    EXPECT_EQ(!log.empty(), c.reachesTheTop);
  }
}

TEST_F(LControlInvalidation, ARectangleWhollyOutsideTheParentStopsThere) {
  EXPECT_EQ(S_FALSE, leaf->Invalidate({20, 20, 5, 5}, 1));
  EXPECT_THAT(log, IsEmpty());
}

TEST_F(LControlInvalidation, AClientRectangleIsCollectedRoundedAndItsShownPartInvalidated) {
  const RCPtr<LoggingControl> framed = Make(top.Get(), "framed", {0, 0, 20, 20}, {1.0f}, 2);
  log.clear();
  framed->InvalidateClientRect({10.4, 10.6, 20.5, 4.4}, true);
  framed->InvalidateClientRect({30, 30, 5, 5}, true);  // outside the content area
  EXPECT_THAT(framed->GetClientUpdateRegion().GetRects(), ElementsAre(RegionRect{10, 11, 31, 15}));
  // Shown at the client origin (2, 2), cut to the client rectangle (2, 2, 16, 16).
  EXPECT_THAT(log, ElementsAre("root(12.4,12.6,5.6,4.4) flags1 local(12.4,12.6,5.6,4.4)"));
}

}  // namespace
}  // namespace HV::Test
