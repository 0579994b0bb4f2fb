// Looks: placing the parts and the text box for a size, drawing them through
// the renderer in their order, and the colour under a point.
#include "HVFramework/ControlBase/Looks/LLook.h"

#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/support/RecordingRenderContext.h"
#include "tests/support/RecordingRenderer.h"
#include "tests/support/TestImages.h"
#include "tests/support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

RCPtr<LVisualPartDescriptor> FillPart(const char16_t* name, uint32_t argb, int32_t width, int32_t height,
                                      float alpha = 1.0f) {
  return LVisualPartDescriptor::CreateColorizerPart(
      name, 0, LColorizer::Create(name, LColorizer::SolidFill, Color{}.SetARGB(argb)), width, height, alpha,
      {});
}

SkinPartPlacement Offsets(int32_t flags, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {flags, left, top, right, bottom};
}

constexpr int32_t L = SkinPartPlacement::kLeft;
constexpr int32_t T = SkinPartPlacement::kTop;
constexpr int32_t R = SkinPartPlacement::kRight;
constexpr int32_t B = SkinPartPlacement::kBottom;

SkinTextProperties TextBox(float hAlign = 0.5f, float vAlign = 0.5f) {
  SkinTextProperties t;
  t.leftAbsolute = 4;
  t.rightRelative = 1;
  t.rightAbsolute = -4;
  t.bottomRelative = 1;
  t.horizontalAlignment = hAlign;
  t.verticalAlignment = vAlign;
  return t;
}

LRectRegion Region(std::initializer_list<RegionRect> rects) {
  LRectRegion region;
  for (const RegionRect& r : rects) region.AddRect(r);
  return region;
}

// The drawing calls and the pushes around them, without the state
// bookkeeping that the base renderer records on the way.
std::vector<std::string> Drawn(const std::vector<std::string>& calls) {
  std::vector<std::string> kept;
  for (const std::string& call : calls)
    for (const char* prefix : {"PushChildRect", "PopState", "FillRect", "DrawBitmap", "DrawText"})
      if (call.rfind(prefix, 0) == 0) kept.push_back(call);
  return kept;
}

class LLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    renderer->RenderStart(context);
    renderer->SetFontMetrics(10, -8, 2);
    renderer->SetTextBox({0, -8, 30, 10});
    SetApplicationRenderer(renderer);
  }
  void TearDown() override {
    SetApplicationRenderer(nullptr);
    renderer->RenderFinish(context);
  }

  // A 100 x 40 look: a grey client part inset by 4 at the sides, a red left
  // and a blue right edge 4 wide, and white text in a box inset by 4.
  RCPtr<LLookDescriptor> FramedLook(const RCPtr<LVisualPartDescriptor>& foreground = nullptr) {
    const RCPtr<LLookDescriptor> d = LLookDescriptor::Create(u"Framed");
    d->SetClientPart(
        LDockedPart::Create(FillPart(u"face", 0xFF808080, 8, 8), Offsets(L | T | R | B, 4, 0, -4, 0)));
    d->AppendNonClientPart(
        LDockedPart::Create(FillPart(u"left", 0xFFFF0000, 4, 40), Offsets(L | T | B, 0, 0, 0, 0)));
    d->AppendNonClientPart(
        LDockedPart::Create(FillPart(u"right", 0xFF0000FF, 4, 40), Offsets(R | T | B, 0, 0, 0, 0)));
    d->SetTextProperties(TextBox(), foreground ? foreground : FillPart(u"ink", 0xFFFFFFFF, 1, 1));
    return d;
  }

  RCPtr<LLook> SizedLook(const RCPtr<LLookDescriptor>& descriptor, int32_t width = 100, int32_t height = 40) {
    RCPtr<LLook> look = LLook::Create(descriptor, false);
    look->SetSize(width, height);
    return look;
  }

  RCPtr<RecordingRenderer> renderer = RecordingRenderer::Create();
  RCPtr<RecordingRenderContext> context = RecordingRenderContext::Create({0, 0, 400, 400});
  const LRectRegion everything = Region({{0, 0, 400, 400}});
};

// --- Sizing ---

TEST_F(LLookTest, NonClientPartsArePlacedByTheOffsetsTheyGive) {
  struct Case {
    const char* what;
    SkinPartPlacement offsets;
    int32_t width, height;  // 0: the part's natural 10 x 10
    int32_t lookWidth, lookHeight;
    RectT<int32_t> placed;
  };
  const Case cases[] = {
      {"no offsets: centred", Offsets(0, 0, 0, 0, 0), 0, 0, 25, 30, {7, 10, 10, 10}},
      {"right edge with a width", Offsets(R, 0, 0, -4, 0), 12, 0, 100, 40, {84, 15, 12, 10}},
      {"both sides stretch", Offsets(L | R | T, 2, 0, -2, 0), 0, 0, 100, 40, {2, 0, 96, 10}},
      {"bottom edge with a height", Offsets(B, 0, 0, 0, -1), 0, 6, 100, 40, {45, 33, 10, 6}},
      {"top-left corner", Offsets(L | T, 3, 5, 0, 0), 0, 0, 100, 40, {3, 5, 10, 10}},
      {"wider than the look: centring truncates toward zero",
       Offsets(T, 0, 0, 0, 0),
       31,
       0,
       25,
       30,
       {-3, 0, 31, 10}},
  };
  for (const Case& c : cases) {
    const RCPtr<LLookDescriptor> d = LLookDescriptor::Create(u"L");
    d->AppendNonClientPart(LDockedPart::Create(FillPart(u"p", 0xFF000000, 10, 10), c.offsets, c.width > 0,
                                               c.width, c.height > 0, c.height));
    const RCPtr<LLook> look = SizedLook(d, c.lookWidth, c.lookHeight);
    ASSERT_EQ(look->GetNonClientRects().size(), 1u) << c.what;
    EXPECT_EQ(look->GetNonClientRects()[0], c.placed) << c.what;
    EXPECT_TRUE(look->GetNonClientParts()[0]) << c.what;
  }
}

TEST_F(LLookTest, TheClientRectangleIsTheLookInsetByTheClientOffsetsAndKeptInside) {
  struct Case {
    const char* what;
    SkinPartPlacement offsets;
    RectT<int32_t> client;
  };
  const Case cases[] = {
      {"inset", Offsets(L | T | R | B, 1, 1, -5, -6), {1, 1, 94, 33}},
      {"left offset past the look", Offsets(L | T | R | B, 150, 0, 0, 0), {100, 0, 0, 40}},
      {"outward offsets", Offsets(L | T | R | B, -3, -3, 9, 9), {0, 0, 100, 40}},
  };
  for (const Case& c : cases) {
    const RCPtr<LLookDescriptor> d = LLookDescriptor::Create(u"L");
    d->SetClientPart(LDockedPart::Create(FillPart(u"c", 0xFF000000, 4, 4), c.offsets));
    EXPECT_EQ(SizedLook(d)->GetClientRect(), c.client) << c.what;
  }
  EXPECT_EQ(SizedLook(LLookDescriptor::Create(u"bare"))->GetClientRect(), (RectT<int32_t>{0, 0, 100, 40}));
}

TEST_F(LLookTest, ANarrowClientRectangleDrawsNothingOfTheClientArea) {
  const RCPtr<LLookDescriptor> d = LLookDescriptor::Create(u"L");
  d->SetClientPart(
      LDockedPart::Create(FillPart(u"c", 0xFF000000, 4, 4), Offsets(L | T | R | B, 150, 0, 0, 0)));
  const RCPtr<LLook> look = SizedLook(d);
  renderer->ClearCalls();
  EXPECT_EQ(look->DrawClientArea(*renderer, everything), 0);
  EXPECT_THAT(renderer->GetCalls(), IsEmpty());
}

TEST_F(LLookTest, TheTextBoxFollowsItsRelativeAndAbsoluteEdges) {
  SkinTextProperties t = TextBox();
  t.topRelative = 0.3f;
  t.topAbsolute = 1;
  t.bottomAbsolute = -1;
  const RCPtr<LLookDescriptor> d = LLookDescriptor::Create(u"L");
  d->SetTextProperties(t, FillPart(u"ink", 0xFFFFFFFF, 1, 1));
  const RCPtr<LLook> look = SizedLook(d);
  const RectT<float>& area = look->GetTextArea();
  EXPECT_FLOAT_EQ(area.x, 4);
  EXPECT_FLOAT_EQ(area.width, 92);
  EXPECT_FLOAT_EQ(area.y, 13);
  EXPECT_FLOAT_EQ(area.height, 26);
  EXPECT_EQ(look->GetTextPosition(), (PointT<int32_t>{4, 13}));
  EXPECT_FLOAT_EQ(look->GetTextPart()->GetBoxWidth(), 92);
  // A new size moves the box with it.
  look->SetSize(50, 10);
  EXPECT_FLOAT_EQ(look->GetTextArea().width, 42);
  EXPECT_EQ(look->GetTextPosition(), (PointT<int32_t>{4, 4}));
}

TEST_F(LLookTest, TextAndFontReachTheTextPartOnlyWhenTheyChange) {
  const RCPtr<LLook> look = SizedLook(FramedLook());
  const RCPtr<LFont> font = LFont::FindOrCreate(u"Test Sans", 10, 0);
  EXPECT_EQ(look->SetText(u"OK"), 1);
  EXPECT_EQ(look->SetText(u"OK"), 0);
  EXPECT_EQ(look->SetFont(font), 1);
  EXPECT_EQ(look->SetFont(font), 0);
  EXPECT_EQ(look->GetTextPart()->GetText(), StringW(u"OK"));

  const RCPtr<LLook> plain = SizedLook(LLookDescriptor::Create(u"plain"));
  EXPECT_FALSE(plain->GetTextPart());
  EXPECT_EQ(plain->SetText(u"OK"), 1);
  EXPECT_EQ(plain->SetFont(font), 1);
  EXPECT_EQ(plain->DrawLabelText(*renderer, everything, {}), 1);
}

TEST_F(LLookTest, RebindingKeepsTheSizeAndTheTextAndPlacesEveryPartAgain) {
  const RCPtr<LLook> look = SizedLook(FramedLook());
  look->SetText(u"kept");
  EXPECT_TRUE(look->SetSize(100, 40));  // the same size: nothing to do
  const RCPtr<LLookDescriptor> other = LLookDescriptor::Create(u"Other");
  other->AppendNonClientPart(LDockedPart::Create(FillPart(u"p", 0xFF000000, 10, 10), Offsets(0, 0, 0, 0, 0)));
  other->SetTextProperties(TextBox(0, 0), FillPart(u"ink", 0xFF000000, 1, 1));
  look->ClearRepaint();
  EXPECT_EQ(look->SetDescriptor(other, true), S_OK);
  EXPECT_TRUE(look->NeedsRepaint());
  EXPECT_EQ(look->GetWidth(), 100);
  ASSERT_EQ(look->GetNonClientRects().size(), 1u);
  EXPECT_EQ(look->GetNonClientRects()[0], (RectT<int32_t>{45, 15, 10, 10}));
  EXPECT_FALSE(look->GetClientPart());
  EXPECT_EQ(look->GetTextPart()->GetText(), StringW(u"kept"));
  EXPECT_TRUE(look->GetTextPart()->ShouldWrap());
  EXPECT_EQ(look->GetTextPart()->GetHorizontalAlignment(), 0);
}

// --- Drawing ---

TEST_F(LLookTest, PartsAreDrawnInTheirOrderEachInsideItsOwnRectangle) {
  const RCPtr<LLook> look = SizedLook(FramedLook());
  renderer->ClearCalls();
  EXPECT_EQ(look->DrawNonClientParts(*renderer, everything), 0);
  EXPECT_EQ(look->DrawClientArea(*renderer, everything), 0);
  EXPECT_THAT(Drawn(renderer->TakeCalls()),
              ElementsAre("PushChildRect(0,0 0,0,4,40 null relative)", "FillRect(0,0,4,40 #FFFF0000 blend)",
                          "PopState", "PushChildRect(96,0 0,0,4,40 null relative)",
                          "FillRect(0,0,4,40 #FF0000FF blend)", "PopState",
                          "PushChildRect(4,0 0,0,92,40 null relative)", "FillRect(0,0,92,40 #FF808080 blend)",
                          "PopState"));
}

TEST_F(LLookTest, OnlyTheRectanglesOfTheUpdateRegionThatMeetAPartDrawIt) {
  const RCPtr<LLook> look = SizedLook(FramedLook());
  // Window coordinates: the look is drawn with its corner at (50, 20).
  renderer->PushState();
  renderer->Translate({50, 20});
  renderer->ClearCalls();
  const LRectRegion leftStrip = Region({{50, 20, 56, 30}});
  look->DrawNonClientParts(*renderer, leftStrip);
  look->DrawClientArea(*renderer, leftStrip);
  renderer->PopState();
  EXPECT_THAT(Drawn(renderer->TakeCalls()),
              ElementsAre("PushChildRect(0,0 0,0,4,10 null relative)", "FillRect(0,0,4,40 #FFFF0000 blend)",
                          "PopState", "PushChildRect(4,0 0,0,2,10 null relative)",
                          "FillRect(0,0,92,40 #FF808080 blend)", "PopState",
                          "PopState"));  // the test's own push
}

TEST_F(LLookTest, AnOwnRegionLimitsDrawingAndMovesWithTheLook) {
  const RCPtr<LLook> look = SizedLook(FramedLook());
  look->GetRegion().AddRect({90, 0, 100, 40});  // the right end only
  renderer->PushState();
  renderer->Translate({50, 20});
  renderer->ClearCalls();
  look->DrawNonClientParts(*renderer, everything);
  renderer->PopState();
  EXPECT_THAT(Drawn(renderer->TakeCalls()),
              ElementsAre("PushChildRect(96,0 0,0,4,40 null relative)", "FillRect(0,0,4,40 #FF0000FF blend)",
                          "PopState", "PopState"));
}

TEST_F(LLookTest, AnImageIsDrawnOverTheClientPartOrInsteadOfIt) {
  const RCPtr<LBitmap> image =
      MakeBitmap("LOOK_IMAGE_PNG", 2, 2, [](int32_t, int32_t) { return 0xFF00FF00u; });
  for (bool replaces : {false, true}) {
    const RCPtr<LLook> look = SizedLook(FramedLook());
    EXPECT_EQ(look->SetBitmapPart(image, ResizeType::Center, replaces), 0);
    renderer->ClearCalls();
    look->DrawClientArea(*renderer, everything);
    std::vector<std::string> expected{"PushChildRect(4,0 0,0,92,40 null relative)"};
    if (!replaces) expected.push_back("FillRect(0,0,92,40 #FF808080 blend)");
    expected.push_back("DrawBitmap(::LOOK.IMAGE.PNG 0,0,92,40 resize2)");
    expected.push_back("PopState");
    EXPECT_EQ(Drawn(renderer->TakeCalls()), expected) << (replaces ? "replacing" : "over");
  }
}

TEST_F(LLookTest, RemovingAnImageAnswersWhetherThereWasOne) {
  const RCPtr<LBitmap> image =
      MakeBitmap("LOOK_IMAGE2_PNG", 2, 2, [](int32_t, int32_t) { return 0xFF00FF00u; });
  const RCPtr<LLook> look = SizedLook(FramedLook());
  EXPECT_EQ(look->SetBitmapPart(nullptr, ResizeType::Stretch, false), 1);
  EXPECT_EQ(look->SetBitmapPart(image, ResizeType::Stretch, true), 0);
  EXPECT_TRUE(look->DoesImageReplaceClient());
  EXPECT_EQ(look->SetBitmapPart(nullptr, ResizeType::Stretch, false), 0);
  EXPECT_FALSE(look->GetImagePart());
}

TEST_F(LLookTest, TextLinesAreDrawnAlignedInTheBoxInTheForegroundColour) {
  const RCPtr<LLook> look = SizedLook(FramedLook(FillPart(u"ink", 0xFFFFFFFF, 1, 1, 0.5f)));
  look->SetFont(LFont::FindOrCreate(u"Test Sans", 10, 0));
  look->SetText(u"ab\ncd");
  renderer->ClearCalls();
  // Two lines of 30 x 10 centred in the 92 x 40 box at (4, 0), moved back by
  // the text offset (3, 0).
  EXPECT_EQ(look->DrawLabelText(*renderer, everything, {3, 0}), 0);
  EXPECT_THAT(Drawn(renderer->TakeCalls()),
              ElementsAre("PushChildRect(0,0 4,0,92,40 null relative)", "DrawText(ab @32,10 #80FFFFFF)",
                          "DrawText(cd @32,20 #80FFFFFF)", "PopState"));
}

TEST_F(LLookTest, TextIsDrawnOnlyWhereTheUpdateRegionMeetsTheBox) {
  const RCPtr<LBitmap> image = MakeBitmap("LOOK_INK_PNG", 1, 1, [](int32_t, int32_t) { return 0xFFFFFFFFu; });
  const RCPtr<LVisualPartDescriptor> bitmapInk =
      LVisualPartDescriptor::CreateImagePart(u"ink", {u"::look.ink.png", 0, 0, 1, 1}, 0, nullptr, 1.0f, {});
  const RCPtr<LLook> look = SizedLook(FramedLook(bitmapInk));
  look->SetFont(LFont::FindOrCreate(u"Test Sans", 10, 0));
  look->SetText(u"ab");
  // The left edge strip misses the box (x 4..96): nothing is drawn, nothing thrown.
  EXPECT_EQ(ThrownMessage([&] {
              look->DrawLabelText(*renderer, Region({{0, 0, 4, 40}}), {});
            }),
            "(nothing thrown)");
  const size_t saved = context->GetSavedStates().size();
  EXPECT_EQ(ThrownMessage([&] { look->DrawLabelText(*renderer, everything, {}); }),
            "Domain Error : Bitmap fill for text foreground part not yet implemented. : "
            "HV::LLook::DrawLabelText : ControlBase\\Look : Line 293");
  EXPECT_EQ(context->GetSavedStates().size(), saved);  // the throw left the state stack as it was
}

// --- Hit testing ---

// A 4 x 4 corner: transparent at its own (0, 0), opaque green elsewhere.
uint32_t CornerPixel(int32_t x, int32_t y) { return x == 0 && y == 0 ? 0x00000000 : 0xFF00FF00; }

TEST_F(LLookTest, TheColourUnderAPointComesFromTheFrontmostOpaquePart) {
  MakeBitmap("LOOK_CORNER_PNG", 4, 4, &CornerPixel);
  const RCPtr<LLookDescriptor> d = LLookDescriptor::Create(u"L");
  d->SetClientPart(
      LDockedPart::Create(FillPart(u"face", 0xFF808080, 8, 8), Offsets(L | T | R | B, 0, 0, -10, 0)));
  d->AppendNonClientPart(
      LDockedPart::Create(LVisualPartDescriptor::CreateImagePart(
                              u"corner", {u"::look.corner.png", 0, 0, 4, 4}, 0, nullptr, 1.0f, {}),
                          Offsets(L | T, 0, 0, 0, 0)));
  const RCPtr<LLook> look = SizedLook(d);
  struct Case {
    const char* what;
    PointT<int32_t> point;
    uint32_t color;
  };
  const Case cases[] = {
      {"opaque corner pixel", {1, 1}, 0xFF00FF00},
      {"transparent corner pixel falls through", {0, 0}, 0xFF808080},
      {"beside the corner: the client part", {20, 20}, 0xFF808080},
      {"outside the client area: nothing", {95, 20}, LVisualPart::kTransparent},
      {"outside the look: nothing", {-1, 500}, LVisualPart::kTransparent},
  };
  for (const Case& c : cases) EXPECT_EQ(look->GetColorAtPoint(c.point), c.color) << c.what;

  const RCPtr<LBitmap> image =
      MakeBitmap("LOOK_OVERLAY_PNG", 1, 1, [](int32_t, int32_t) { return 0xFF0000FFu; });
  look->SetBitmapPart(image, ResizeType::Stretch, false);
  EXPECT_EQ(look->GetColorAtPoint({20, 20}), 0xFF0000FFu);
}

}  // namespace
}  // namespace HV::Test
