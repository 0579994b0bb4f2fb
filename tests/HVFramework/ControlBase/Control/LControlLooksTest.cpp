// A control's looks: made from its skin's look list, selected by weight,
// given images and regions, and answering the control's geometry and hit
// tests; rebuilt with the control after a change of skin.
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"
#include "tests/support/RecordingRenderer.h"
#include "tests/support/TestImages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// "Test.Looks": writes down the rectangles it is asked to redraw.
class LookedControl : public LControl {
 public:
  using LControl::LControl;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<LookedControl>(result, parent, descriptor);
  }

  HResult Invalidate(const Rect& rect, uint32_t flags) override {
    invalidated.push_back(std::to_string(int(rect.width)) + "x" + std::to_string(int(rect.height)) +
                          " flags" + std::to_string(flags));
    return S_OK;
  }

  std::vector<std::string> invalidated;
};

// Three looks in a list of four slots (slot 2 is empty): a grey face with
// text, a clear one, and a clear one with an opaque red 4 x 4 corner.
constexpr const char* kSkin = R"(
<Colorizers>
  <Colorizer Name="Grey" ColorType="SolidFill" Color="0xFF808080"/>
  <Colorizer Name="Clear" ColorType="SolidFill" Color="0x00000000"/>
  <Colorizer Name="White" ColorType="SolidFill" Color="0xFFFFFFFF"/>
  <Colorizer Name="Red" ColorType="SolidFill" Color="0xFFFF0000"/>
</Colorizers>
<Parts>
  <Part Name="Face" Width="8" Height="8" ResizeType="Stretch" ColorizerName="Grey"/>
  <Part Name="Glass" Width="8" Height="8" ResizeType="Stretch" ColorizerName="Clear"/>
  <Part Name="Ink" Width="1" Height="1" ResizeType="Stretch" ColorizerName="White"/>
  <Part Name="Edge" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Red"/>
</Parts>
<Looks>
  <Look Name="Normal">
    <ClientPart Name="Face" OffsetLeft="2" OffsetTop="1" OffsetRight="-2" OffsetBottom="-1"/>
    <TextProperties TextLeftRel="0" TextLeftAbs="2" TextRightRel="1" TextRightAbs="-2" TextHAlign="0"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0"
                    TextForegroundPart="Ink"/>
  </Look>
  <Look Name="Clear">
    <ClientPart Name="Glass" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
  </Look>
  <Look Name="Cornered">
    <ClientPart Name="Glass" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
    <NonClientParts><NonClientPart Name="Edge" OffsetLeft="0" OffsetTop="0"/></NonClientParts>
  </Look>
</Looks>
<LookLists>
  <LookList Name="Three" NumLooks="4">
    <Look Name="Normal" Index="0"/><Look Name="Clear" Index="1"/><Look Name="Cornered" Index="3"/>
  </LookList>
  <LookList Name="Swapped" NumLooks="2"><Look Name="Clear" Index="0"/><Look Name="Normal" Index="1"/></LookList>
  <LookList Name="Repeated" NumLooks="3">
    <Look Name="Normal" Index="0"/><Look Name="Clear" Index="1"/><Look Name="Normal" Index="2"/>
  </LookList>
</LookLists>
<Skins>
  <Skin Name="First">
    <SubControl Class="Test.Looks" Name="button"><Skin Name="B" LookList="Three"/></SubControl>
    <SubControl Class="Test.Looks" Name="bare"/>
    <SubControl Class="Test.Looks" Name="repeated"><Skin Name="B" LookList="Repeated"/></SubControl>
  </Skin>
  <Skin Name="Second">
    <SubControl Class="Test.Looks" Name="button"><Skin Name="B" LookList="Swapped"/></SubControl>
  </Skin>
</Skins>)";

class ControlLooks : public ::testing::Test, public SkinDocumentFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadSkinBody(kSkin), S_OK);
    ASSERT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.Looks"), &LookedControl::Create), S_OK);
    SetApplicationControlFactory(&factory);
    SetSkin(u"First");
  }
  void TearDown() override { SetApplicationControlFactory(nullptr); }

  void SetSkin(const char16_t* name) {
    for (uint32_t i = 0; i < factory.GetSkins().GetCount(); ++i)
      if (factory.GetSkins().GetAt(i)->GetSkin()->name == StringW(name)) factory.SetCurrentSkinIndex(i);
  }

  // The control of that name, sized 100 x 40.
  RCPtr<LookedControl> Make(const char16_t* name) {
    const RCPtr<LookedControl> control =
        DynamicCast<LookedControl>(factory.CreateControl(TopLevel(name), nullptr));
    if (control) {
      control->SetRect({0, 0, 100, 40});
      control->ResizeLooks(100, 40);
      control->invalidated.clear();
    }
    return control;
  }
};

TEST_F(ControlLooks, TheSkinsLookListBecomesTheLooksWithTheFirstSelected) {
  const RCPtr<LookedControl> button = Make(u"button");
  ASSERT_TRUE(button);
  // The empty slot makes no look: the looks close up.
  ASSERT_EQ(button->GetLookCount(), 3);
  EXPECT_EQ(button->GetLook(0)->GetDescriptor()->GetName(), StringW(u"Normal"));
  EXPECT_EQ(button->GetLook(2)->GetDescriptor()->GetName(), StringW(u"Cornered"));
  EXPECT_EQ(button->GetCurrentLookIndex(), 0);
  EXPECT_EQ(button->GetLookWeight(0), 1.0f);
  EXPECT_EQ(button->GetLookWeight(1), 0.0f);

  const RCPtr<LookedControl> bare = Make(u"bare");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->GetLookCount(), 0);
  EXPECT_EQ(bare->GetCurrentLookIndex(), -1);
  EXPECT_FALSE(bare->GetLook(-1));
}

TEST_F(ControlLooks, WeightsSelectTheCurrentLook) {
  const RCPtr<LookedControl> button = Make(u"button");
  // All weights 0: no current look, yet GetLook falls back to the first present one.
  EXPECT_EQ(button->SetLookWeight(0, 0.0f, false), S_OK);
  EXPECT_EQ(button->GetCurrentLookIndex(), -1);
  EXPECT_EQ(button->GetLook(-1).Get(), button->GetLook(0).Get());
  EXPECT_EQ(button->GetLook(7).Get(), button->GetLook(0).Get());

  EXPECT_EQ(button->SetLookWeight(2, 0.5f, false), S_OK);
  EXPECT_EQ(button->SetLookWeight(1, 0.25f, false), S_OK);
  EXPECT_EQ(button->GetCurrentLookIndex(), 1);
  EXPECT_EQ(button->GetLook(-1).Get(), button->GetLook(1).Get());

  EXPECT_EQ(button->SetLookWeight(2, 1.0f, true), S_OK);  // exclusive
  EXPECT_THAT(
      (std::vector<float>{button->GetLookWeight(0), button->GetLookWeight(1), button->GetLookWeight(2)}),
      ElementsAre(0.0f, 0.0f, 1.0f));

  button->invalidated.clear();
  EXPECT_EQ(button->SetLookWeight(2, 1.5f, false), S_OK);  // out of range: ignored
  EXPECT_EQ(button->GetLookWeight(2), 1.0f);
  EXPECT_EQ(button->SetLookWeight(3, 1.0f, false), E_INVALIDARG);  // index == count
  EXPECT_EQ(button->SetLookWeight(-1, 1.0f, false), E_INVALIDARG);
  EXPECT_EQ(button->SelectLook(2), S_OK);  // already so: nothing to redraw
  EXPECT_THAT(button->invalidated, IsEmpty());
  EXPECT_EQ(button->SelectLook(0), S_OK);
  EXPECT_THAT(button->invalidated, ElementsAre("100x40 flags1"));
}

TEST_F(ControlLooks, AddedLooksStartUnweightedAtTheControlsSize) {
  const RCPtr<LookedControl> bare = Make(u"bare");
  EXPECT_EQ(bare->AddLook(nullptr), 0);
  EXPECT_EQ(bare->AddLook(LLook::Create(factory.FindLook(StringW(u"Clear")), false)), 1);
  EXPECT_EQ(bare->GetLookWeight(1), 0.0f);
  EXPECT_EQ(bare->GetLook(0).Get(), nullptr);                  // the slot itself, empty
  EXPECT_EQ(bare->GetLook(-1).Get(), bare->GetLook(1).Get());  // the first present look
  EXPECT_EQ(bare->GetLook(1)->GetWidth(), 100);
}

TEST_F(ControlLooks, GeometryComesFromTheCurrentLook) {
  const RCPtr<LookedControl> button = Make(u"button");
  auto text = [](const LControl::Rect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
           std::to_string(r.height);
  };
  EXPECT_EQ(text(button->GetClientOffsets(-1)), text({2, 1, 96, 38}));
  EXPECT_EQ(text(button->GetClientOffsets(1)), text({0, 0, 100, 40}));
  EXPECT_EQ(text(button->GetLookBounds()), text({0, 0, 100, 40}));
  EXPECT_EQ(text(button->GetLocalBounds()), text({0, 0, 100, 40}));
  button->ResizeLooks(60.4, 20.5);
  EXPECT_EQ(text(button->GetLocalBounds()), text({0, 0, 60, 21}));
  EXPECT_EQ(text(button->GetClientOffsets()), text({2, 1, 56, 19}));
  EXPECT_EQ(text(button->GetClientArea()), text({0, 0, 60, 21}));

  // Without looks the control's own rectangle answers.
  const RCPtr<LookedControl> bare = Make(u"bare");
  EXPECT_EQ(text(bare->GetClientOffsets()), text({0, 0, 100, 40}));
  EXPECT_EQ(text(bare->GetLookBounds()), text({0, 0, 100, 40}));
  EXPECT_EQ(text(bare->GetLocalBounds()), text({0, 0, 100, 40}));
}

TEST_F(ControlLooks, ALookBitmapReplacesOrDropsTheImageOfTheLook) {
  const RCPtr<LBitmap> image =
      MakeBitmap("CONTROL_LOOK_PNG", 2, 2, [](int32_t, int32_t) { return 0xFF0000FFu; });
  const RCPtr<LookedControl> button = Make(u"button");
  EXPECT_EQ(button->SetLookBitmap(image, ResizeType::Stretch, 1, true), 0);
  EXPECT_THAT(button->invalidated, IsEmpty());  // look 1 is not shown
  EXPECT_TRUE(button->GetLook(1)->GetImagePart());
  EXPECT_TRUE(button->GetLook(1)->DoesImageReplaceClient());

  EXPECT_EQ(button->SetLookBitmap(image, ResizeType::Tile, 0, false), 0);
  EXPECT_THAT(button->invalidated, ElementsAre("100x40 flags1"));  // the current look
  button->invalidated.clear();
  EXPECT_EQ(button->SetLookBitmap(nullptr, ResizeType::Tile, 0, false), 0);
  EXPECT_EQ(button->SetLookBitmap(nullptr, ResizeType::Tile, 0, false), 1);  // nothing left to remove
  EXPECT_THAT(button->invalidated, ElementsAre("100x40 flags1"));

  const RCPtr<LookedControl> bare = Make(u"bare");
  EXPECT_EQ(bare->SetLookBitmap(image, ResizeType::Stretch, 0, false), E_FAIL);
  EXPECT_EQ(bare->SetLookPart(GetVisualPart(factory.FindPart(StringW(u"Edge"))), 0), E_FAIL);
  EXPECT_EQ(button->SetLookPart(nullptr, 0), E_INVALIDARG);
  EXPECT_EQ(button->SetLookPart(GetVisualPart(factory.FindPart(StringW(u"Edge"))), 0), S_OK);
  EXPECT_TRUE(button->GetLook(0)->GetImagePart());
}

TEST_F(ControlLooks, TransparencyIsAskedOfEveryShownLook) {
  const RCPtr<LookedControl> button = Make(u"button");
  const LControl::Point corner{1, 1}, middle{50, 20};
  button->SelectLook(1);  // clear everywhere
  EXPECT_TRUE(button->IsTransparentAt(middle));
  EXPECT_TRUE(button->IsTransparentAt(corner));
  button->SetLookWeight(2, 0.5f, false);  // plus the red corner
  EXPECT_FALSE(button->IsTransparentAt(corner));
  EXPECT_TRUE(button->IsTransparentAt(middle));
  EXPECT_EQ(button->GetLookColorAt(2, corner), 0xFFFF0000u);
  EXPECT_EQ(button->GetLookColorAt(0, middle), 0xFF808080u);
  EXPECT_EQ(Make(u"bare")->GetLookColorAt(0, middle), LVisualPart::kTransparent);
}

TEST_F(ControlLooks, LookRegionsLimitWhereEachLookDraws) {
  const RCPtr<LookedControl> button = Make(u"button");
  LRectRegion left;
  left.AddRect({0, 0, 50, 40});
  EXPECT_EQ(button->SetLookRegion(1, left), S_OK);
  EXPECT_EQ(button->SetLookRegionExcept(0, 1), S_OK);
  RegionRect bounds;
  ASSERT_TRUE(button->GetLook(0)->GetRegion().GetBounds(bounds));
  EXPECT_EQ(bounds, (RegionRect{50, 0, 100, 40}));
  EXPECT_EQ(button->SetLookRegionExcept(0, 3), E_INVALIDARG);
  EXPECT_THAT(button->invalidated, ElementsAre("100x40 flags1", "100x40 flags1"));

  // A smaller control keeps the regions inside itself.
  button->SetRect({0, 0, 70, 40});
  button->UpdateLookRegions();
  ASSERT_TRUE(button->GetLook(0)->GetRegion().GetBounds(bounds));
  EXPECT_EQ(bounds, (RegionRect{50, 0, 70, 40}));

  EXPECT_EQ(button->ClearLookRegions(), S_OK);
  EXPECT_TRUE(button->GetLook(0)->GetRegion().IsEmpty());
  EXPECT_TRUE(button->GetLook(1)->GetRegion().IsEmpty());
  EXPECT_EQ(Make(u"bare")->SetLookRegion(0, left), E_INVALIDARG);
}

// Slots naming the same look share it, with the control's size and text;
// changing one slot's look alone (its region, image or text) first gives
// that slot a look of its own, and the other slot stays as it was.
TEST_F(ControlLooks, SlotsOfOneLookShareItUntilOneChangesAlone) {
  const RCPtr<LookedControl> control = Make(u"repeated");
  ASSERT_EQ(control->GetLookCount(), 3);
  EXPECT_EQ(control->GetLook(0), control->GetLook(2));
  EXPECT_NE(control->GetLook(0), control->GetLook(1));
  control->SetText(StringW(u"Volume"));
  EXPECT_EQ(control->GetLook(2)->GetTextPart()->GetText(), StringW(u"Volume"));

  LRectRegion left;
  left.AddRect({0, 0, 50, 40});
  EXPECT_EQ(control->SetLookRegion(2, left), S_OK);
  ASSERT_NE(control->GetLook(0), control->GetLook(2));
  EXPECT_TRUE(control->GetLook(0)->GetRegion().IsEmpty());
  EXPECT_FALSE(control->GetLook(2)->GetRegion().IsEmpty());
  // The slot's own look shows what the shared one did.
  EXPECT_EQ(control->GetLook(2)->GetTextPart()->GetText(), StringW(u"Volume"));
  EXPECT_EQ(control->GetLookColorAt(2, {20, 20}), 0xFF808080u);
  EXPECT_EQ(control->GetLook(2)->GetWidth(), 100);

  const RCPtr<LookedControl> other = Make(u"repeated");
  const RCPtr<LBitmap> image =
      MakeBitmap("CONTROL_SHARED_LOOK_PNG", 2, 2, [](int32_t, int32_t) { return 0xFF0000FFu; });
  EXPECT_EQ(other->SetLookBitmap(image, ResizeType::Stretch, 0, true), 0);
  EXPECT_TRUE(other->GetLook(0)->GetImagePart());
  EXPECT_FALSE(other->GetLook(2)->GetImagePart());
}

TEST_F(ControlLooks, TheControlsFontReachesEveryLooksText) {
  const RCPtr<LookedControl> button = Make(u"button");
  const RCPtr<LFont> font = LFont::FindOrCreate(StringW(u"Look Sans"), 11, 0);
  EXPECT_EQ(button->ApplyFont(font), S_OK);
  EXPECT_EQ(button->GetLook(0)->GetTextPart()->GetFont().Get(), font.Get());
  EXPECT_FALSE(button->GetLook(1)->GetTextPart());  // a look without text properties
}

TEST_F(ControlLooks, TextIsClippedWhenItsFirstLineIsWiderThanTheTextArea) {
  const RCPtr<LookedControl> button = Make(u"button");
  // No layout yet and no text: nothing to clip.
  EXPECT_FALSE(button->IsTextClipped());
  EXPECT_FALSE(Make(u"bare")->IsTextClipped());

  // Laid out: the first line against the text area, 96 wide at width 100.
  const RCPtr<RecordingRenderer> measurer = RecordingRenderer::Create();
  SetApplicationRenderer(measurer);
  const RCPtr<LFontText>& text = button->GetLook(0)->GetTextPart();
  button->ApplyFont(LFont::FindOrCreate(StringW(u"Look Sans"), 11, 0));
  text->SetText(u"wide");
  for (float width : {97.0f, 96.0f}) {
    measurer->SetTextBox({0, -8, width, 10});
    text->ClearLayout();
    text->GetLineRects();
    EXPECT_EQ(button->IsTextClipped(), width > 96) << width;
  }
  SetApplicationRenderer(nullptr);
}

TEST_F(ControlLooks, ASkinChangeMakesNewLooksAndKeepsTheShownState) {
  const RCPtr<LookedControl> button = Make(u"button");
  button->SelectLook(1);
  const RCPtr<LLook> old = button->GetLook(0);
  SetSkin(u"Second");
  ASSERT_EQ(factory.ApplySkin(button), S_OK);
  ASSERT_EQ(button->GetLookCount(), 2);
  EXPECT_NE(button->GetLook(0).Get(), old.Get());
  EXPECT_EQ(button->GetLook(0)->GetDescriptor()->GetName(), StringW(u"Clear"));
  EXPECT_EQ(button->GetLook(1)->GetDescriptor()->GetName(), StringW(u"Normal"));
  EXPECT_EQ(button->GetCurrentLookIndex(), 1);  // the index shown before

  // A control showing an index the new list lacks shows the first look.
  SetSkin(u"First");
  ASSERT_EQ(factory.ApplySkin(button), S_OK);
  button->SelectLook(2);
  SetSkin(u"Second");
  ASSERT_EQ(factory.ApplySkin(button), S_OK);
  EXPECT_EQ(button->GetCurrentLookIndex(), 0);
}

}  // namespace
}  // namespace HV::Test
