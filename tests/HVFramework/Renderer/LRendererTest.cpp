#include "HVFramework/Renderer/LRenderer.h"

#include "HVFramework/Renderer/LD3D9Renderer.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "tests/support/RecordingRenderer.h"
#include "tests/support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace HV {
namespace {

using Test::RecordingRenderContext;
using Test::RecordingRenderer;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A recording renderer with one started context of 100 x 50 pixels.
class LRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    renderer = RecordingRenderer::Create();
    context = RecordingRenderContext::Create({0, 0, 100, 50});
    renderer->RenderStart(context);
    renderer->ClearCalls();
  }
  void TearDown() override {
    if (renderer->GetCurrentContext() == context.Get()) renderer->RenderFinish(context);
  }
  const RenderState& State() const { return context->GetCurrentState(); }

  RCPtr<RecordingRenderer> renderer;
  RCPtr<RecordingRenderContext> context;
};

TEST(LRendererCreate, KindsAndRefusals) {
  for (int type : {3, -1}) {
    EXPECT_THAT(HV::Test::ThrownMessage([&] { LRenderer::Create(type, {}, nullptr); }),
                HasSubstr("Domain Error : HV::LRenderer::Create : "))
        << type;
  }
  RCPtr<LRenderer> placeholder = LRenderer::Create(2, {0, 0, 10, 10}, nullptr);
  ASSERT_TRUE(placeholder);
  EXPECT_EQ(placeholder->GetRendererType(), 2);

  RCPtr<LRenderContextInfo> context;
  EXPECT_EQ(placeholder->InitRenderContextInfo({0, 0, 10, 10}, nullptr, false, context), S_OK);
  ASSERT_TRUE(context);
  EXPECT_EQ(context->GetMaxViewportDims(), (std::pair<int, int>{0, 0}));
  // It keeps no stack: starting twice is accepted, and nothing is ever current.
  EXPECT_EQ(placeholder->RenderStart(context), S_OK);
  EXPECT_EQ(placeholder->RenderStart(context), S_OK);
  EXPECT_EQ(placeholder->GetCurrentContext(), nullptr);
  EXPECT_FALSE(context->CanDrawNow());
  placeholder->PushState();
  placeholder->Translate({1, 2});
  placeholder->PopState();
  placeholder->FillRect({0, 0, 5, 5}, Color{1, 0, 0, 1}, true);
  EXPECT_EQ(placeholder->DrawSurface(context, {0, 0}, {0, 0, 1, 1}), E_NOTIMPL);
  EXPECT_EQ(placeholder->BlitSurface(context, {0, 0}), E_NOTIMPL);
  EXPECT_EQ(placeholder->MeasureText(u"text", nullptr), (RectT<float>{}));
  EXPECT_EQ(placeholder->RenderFinish(context), S_OK);
  EXPECT_EQ(context->GetCurrentState().translation, (PointT<double>{0, 0}));
}

TEST(LRenderContextInfo, StartsUnclippedAndDrawsOnlyWhenStartedWithAViewport) {
  RCPtr<RecordingRenderContext> context = RecordingRenderContext::Create({0, 0, 0, 10});
  const RenderState& state = context->GetCurrentState();
  EXPECT_EQ(state.translation, (PointT<double>{0, 0}));
  EXPECT_EQ(state.clipRect, (RectT<double>{-5000000136282112.0, -5000000136282112.0, 10000000272564224.0,
                                           10000000272564224.0}));
  EXPECT_EQ(state.clipRect.x, static_cast<double>(-5e15f));
  EXPECT_EQ(state.alphaFactor, 1.0f);
  EXPECT_FALSE(state.isStencilActive);
  EXPECT_FALSE(state.stencil);

  RCPtr<RecordingRenderer> renderer = RecordingRenderer::Create();
  EXPECT_FALSE(context->CanDrawNow());
  renderer->RenderStart(context);
  EXPECT_FALSE(context->CanDrawNow()) << "empty viewport";
  renderer->SetViewport({0, 0, 8, 10});
  EXPECT_TRUE(context->CanDrawNow());
  EXPECT_EQ(context->GetViewport(), (RectT<int32_t>{0, 0, 8, 10}));
  renderer->RenderFinish(context);
  EXPECT_FALSE(context->CanDrawNow());

  context->GetUpdateRegion().AddRect({1, 1, 3, 3});
  EXPECT_TRUE(context->GetUpdateRegion().IntersectsRect({2, 2, 4, 4}));
}

TEST(LRendererContexts, StackErrors) {
  RCPtr<RecordingRenderer> renderer = RecordingRenderer::Create();
  RCPtr<RecordingRenderContext> a = RecordingRenderContext::Create({0, 0, 10, 10});
  RCPtr<RecordingRenderContext> b = RecordingRenderContext::Create({0, 0, 10, 10});

  EXPECT_THAT(HV::Test::ThrownMessage([&] { renderer->RenderStart(nullptr); }),
              HasSubstr("Runtime Error : Render context is NULL : HV::LRenderer::RenderStart : "));
  renderer->RenderStart(a);
  EXPECT_THAT(HV::Test::ThrownMessage([&] { renderer->RenderStart(a); }),
              HasSubstr("Runtime Error : Render context reentered. : HV::LRenderer::RenderStart : "));
  renderer->RenderStart(b);
  EXPECT_EQ(renderer->GetCurrentContext(), b.Get());
  EXPECT_THAT(HV::Test::ThrownMessage([&] { renderer->RenderFinish(a); }),
              HasSubstr("Runtime Error : RenderFinish context does not match RenderStart context : "
                        "HV::LRenderer::RenderFinish : "));
  EXPECT_EQ(renderer->GetContextDepth(), 2u) << "a refused finish changes nothing";
  EXPECT_EQ(renderer->RenderFinish(b), S_OK);
  EXPECT_EQ(renderer->RenderFinish(a), S_OK);
  EXPECT_EQ(renderer->GetContextDepth(), 0u);
  EXPECT_THAT(HV::Test::ThrownMessage([&] { renderer->RenderFinish(a); }), HasSubstr("does not match"));
  EXPECT_EQ(a->GetRefCount(), 1) << "the stack released its reference";
}

TEST_F(LRendererTest, PopStateRestoresThroughTheVirtualOperations) {
  renderer->PushState();
  renderer->Translate({10, 5});
  renderer->SetClipRect({0, 0, 20, 20});
  renderer->PopState();
  EXPECT_THAT(renderer->GetCalls(),
              ElementsAre("PushState", "Translate(10,5)", "SetClipRect(0,0,20,20)", "PopState",
                          "Translate(-10,-5)", "SetClipRect(-5e+15,-5e+15,1e+16,1e+16)", "SetStencil(null)"));
  EXPECT_EQ(State().translation, (PointT<double>{0, 0}));
  EXPECT_EQ(State().clipRect, RenderState{}.clipRect);
}

TEST_F(LRendererTest, PopAndScrollWithNothingSavedChangeNothing) {
  renderer->Translate({3, 4});
  renderer->ClearCalls();
  renderer->PopState();
  renderer->PushScroll({7, 7});
  EXPECT_THAT(renderer->GetCalls(), ElementsAre("PopState", "PushScroll(7,7)"));
  EXPECT_EQ(State().translation, (PointT<double>{3, 4}));
  EXPECT_TRUE(context->GetSavedStates().empty());
}

TEST_F(LRendererTest, PushScrollRoundsHalvesAwayAndKeepsTheClipOnItsPixels) {
  renderer->PushState();
  renderer->SetClipRect({10, 10, 30, 30});
  renderer->ClearCalls();
  renderer->PushScroll({-2.5, 3.5});
  EXPECT_THAT(renderer->GetCalls(), ElementsAre("PushScroll(-2.5,3.5)", "PushState", "Translate(-3,4)"));
  EXPECT_EQ(State().translation, (PointT<double>{-3, 4}));
  EXPECT_EQ(State().clipRect, (RectT<double>{13, 6, 30, 30}));
  renderer->PopState();
  renderer->PopState();
  EXPECT_EQ(State().translation, (PointT<double>{0, 0}));
  EXPECT_TRUE(context->GetSavedStates().empty());
}

TEST_F(LRendererTest, PushChildRectRelativeClipsToTheParent) {
  renderer->PushState();
  renderer->SetClipRect({0, 0, 100, 50});
  renderer->ClearCalls();
  renderer->PushChildRect({10.5, 4.4}, {0, 0, 200, 20.5}, nullptr, true);
  // Position rounded to (11, 4); clip moved there, cut at the parent's right edge, snapped.
  EXPECT_THAT(renderer->GetCalls(), ElementsAre("PushChildRect(10.5,4.4 0,0,200,20.5 null relative)",
                                                "PushState", "SetClipRect(11,4,89,20)", "Translate(11,4)"));
  EXPECT_EQ(State().clipRect, (RectT<double>{0, 0, 89, 20})) << "stored in the child's coordinates";
  EXPECT_EQ(State().translation, (PointT<double>{11, 4}));

  // A grandchild outside its parent's clip gets an empty clip.
  renderer->PushChildRect({120, 60}, {0, 0, 10, 10}, nullptr, true);
  EXPECT_TRUE(State().clipRect.IsEmpty());
  EXPECT_GE(State().clipRect.width, 0);
  EXPECT_GE(State().clipRect.height, 0);
  renderer->PopState();
  renderer->PopState();
  EXPECT_EQ(State().translation, (PointT<double>{0, 0}));
  EXPECT_EQ(State().clipRect, (RectT<double>{0, 0, 100, 50}));
}

TEST_F(LRendererTest, PushChildRectInTargetCoordinatesUsesTheClipAsGiven) {
  renderer->Translate({5, 5});
  renderer->PushState();
  renderer->ClearCalls();
  renderer->PushChildRect({20, 30}, {20.7, 30.2, 10, 10}, nullptr, false);
  EXPECT_THAT(renderer->GetCalls(), ElementsAre("PushChildRect(20,30 20.7,30.2,10,10 null absolute)",
                                                "PushState", "SetClipRect(20,30,10,10)", "Translate(15,25)"));
  EXPECT_EQ(State().translation, (PointT<double>{20, 30}));
}

TEST_F(LRendererTest, StencilsAreSetOnceThenCopied) {
  RCPtr<LStencil> outer = LStencil::Create(30, 20);
  RCPtr<LStencil> inner = LStencil::Create(8, 6);
  renderer->PushChildRect({0, 0}, {0, 0, 30, 20}, outer, true);
  EXPECT_EQ(State().stencil.Get(), outer.Get());
  EXPECT_TRUE(State().isStencilActive);
  renderer->PushChildRect({1, 1}, {0, 0, 8, 6}, inner, true);
  ASSERT_TRUE(State().stencil);
  EXPECT_NE(State().stencil.Get(), inner.Get()) << "a copy while a stencil is active";
  EXPECT_EQ(State().stencil->GetWidth(), 8);
  renderer->PushChildRect({1, 1}, {0, 0, 4, 4}, nullptr, true);
  EXPECT_EQ(State().stencil->GetWidth(), 8) << "no stencil keeps the current one";
  renderer->PopState();
  renderer->PopState();
  EXPECT_EQ(State().stencil.Get(), outer.Get());
  renderer->PopState();
  EXPECT_FALSE(State().stencil);
  EXPECT_FALSE(State().isStencilActive);
  EXPECT_EQ(inner->GetRefCount(), 1);
}

TEST_F(LRendererTest, DrawFilledRectSkipsTransparentParts) {
  renderer->DrawFilledRect({1, 2, 3, 4}, Color{1, 0, 0, 0}, Color{0, 0, 1, 1}, 2);
  renderer->DrawFilledRect({1, 2, 3, 4}, Color{1, 0, 0, 1}, Color{0, 0, 1, 0}, 2);
  EXPECT_THAT(
      renderer->GetCalls(),
      ElementsAre("DrawFilledRect(1,2,3,4 #00FF0000 #FF0000FF w2)", "DrawRect(1,2,3,4 #FF0000FF w2)",
                  "DrawFilledRect(1,2,3,4 #FFFF0000 #000000FF w2)", "FillRect(1,2,3,4 #FFFF0000 blend)"));
}

TEST_F(LRendererTest, RecorderWritesEveryDrawingCall) {
  PolylineT<float> line;
  line.AddPoint({0, 0});
  line.AddPoint({4, 4});
  ColorRectListT<float> rects;
  rects.AddRect({0, 0, 1, 1}, 0xFF000000u);
  const Color white{1, 1, 1, 1};
  renderer->DrawText(u"Hi", nullptr, {3, 4}, white);
  renderer->DrawLine({0, 0}, {1, 1}, white, 1.5f);
  renderer->DrawLineList(line, white, {1, 2}, {1, 1}, true);
  renderer->DrawLineStrip(line, white, {0, 0}, {2, 2}, false);
  renderer->DrawPolygonOutline(line, white, {0, 0}, {1, 1}, false);
  renderer->FillPolygon(line, white, {0, 0}, {1, 1}, false);
  renderer->DrawColorRectList(rects, {0.5, 0}, true);
  renderer->DrawBitmap(nullptr, {0, 0, 5, 5}, ResizeType::Tile);
  renderer->FillRect({0, 0, 2, 2}, white, false);
  EXPECT_THAT(
      renderer->GetCalls(),
      ElementsAre("DrawText(Hi @3,4 #FFFFFFFF)", "DrawLine(0,0 1,1 #FFFFFFFF w1.5)",
                  "DrawLineList(2 points #FFFFFFFF @1,2 x1,1 cached)",
                  "DrawLineStrip(2 points #FFFFFFFF @0,0 x2,2)",
                  "DrawPolygonOutline(2 points #FFFFFFFF @0,0 x1,1)",
                  "FillPolygon(2 points #FFFFFFFF @0,0 x1,1)", "DrawColorRectList(1 rects @0.5,0 cached)",
                  "DrawBitmap(null 0,0,5,5 resize1)", "FillRect(0,0,2,2 #FFFFFFFF replace)"));
}

}  // namespace
}  // namespace HV
