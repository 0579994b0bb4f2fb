// The label: its text from the skin's strings and from SetText reaches its
// looks, it never takes the focus, and its tool tip is its own text when the
// text is cut off.
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/HVFramework/Controls/ControlLibraryFixture.h"
#include "tests/support/FakeMeasurer.h"
#include "tests/support/RecordingRenderContext.h"
#include "tests/support/RecordingRenderer.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

// One solid colour per look index, so the shown look can be read back.
constexpr const char* kSkin = R"(
<Colorizers>
  <Colorizer Name="Red" ColorType="SolidFill" Color="0xFFFF0000"/>
  <Colorizer Name="Blue" ColorType="SolidFill" Color="0xFF0000FF"/>
  <Colorizer Name="White" ColorType="SolidFill" Color="0xFFFFFFFF"/>
</Colorizers>
<Parts>
  <Part Name="RedFace" Width="8" Height="8" ResizeType="Stretch" ColorizerName="Red"/>
  <Part Name="BlueFace" Width="8" Height="8" ResizeType="Stretch" ColorizerName="Blue"/>
  <Part Name="Ink" Width="1" Height="1" ResizeType="Stretch" ColorizerName="White"/>
</Parts>
<Looks>
  <Look Name="Plain">
    <ClientPart Name="RedFace" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
    <TextProperties TextLeftRel="0" TextLeftAbs="2" TextRightRel="1" TextRightAbs="-2" TextHAlign="0"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0"
                    TextForegroundPart="Ink"/>
  </Look>
  <Look Name="Marked">
    <ClientPart Name="BlueFace" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
    <TextProperties TextLeftRel="0" TextLeftAbs="2" TextRightRel="1" TextRightAbs="-2" TextHAlign="0"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0"
                    TextForegroundPart="Ink"/>
  </Look>
</Looks>
<LookLists>
  <LookList Name="LabelLooks" NumLooks="2"><Look Name="Plain" Index="0"/><Look Name="Marked" Index="1"/></LookList>
</LookLists>
<Skins><Skin Name="S">
  <SubControl Class="Framework.Label" Name="caption" XSizeAbs="100" YSizeAbs="20">
    <Skin Name="L" LookList="LabelLooks"/>
    <CreateParamList><CreateParam ID="NOT_FOCUSABLE">False</CreateParam></CreateParamList>
  </SubControl>
  <SubControl Class="Framework.Label" Name="hint" XSizeAbs="100" YSizeAbs="20">
    <Skin Name="L" LookList="LabelLooks"/>
  </SubControl>
  <SubControl Class="Test.Label" Name="counted" XSizeAbs="100" YSizeAbs="20"/>
</Skin></Skins>)";

// "Test.Label": a label that counts the redraws it asks for.
class RedrawCountingLabel : public LLabel {
 public:
  using LLabel::LLabel;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<RedrawCountingLabel>(result, parent, descriptor);
  }
  HResult Invalidate(const Rect& rect, uint32_t flags) override {
    ++redraws;
    return LLabel::Invalidate(rect, flags);
  }

  int redraws = 0;
};

class Label : public ::testing::Test, public ControlLibraryFixture {
 protected:
  void SetUp() override {
    LoadControls(kSkin, StringTables("<StringTable ID=\"App|caption\">" + Text("LABEL", "Volume") +
                                     Text("TOOLTIP", "The master volume") + "</StringTable>"));
    ASSERT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.Label"), &RedrawCountingLabel::Create),
              S_OK);
  }
  void TearDown() override { UnloadControls(); }

  static uint32_t ShownColour(const LControl& control) { return control.GetLookColorAt(-1, {50, 10}); }
};

TEST_F(Label, ShowsItsSkinTextInItsFirstLook) {
  const RCPtr<LLabel> label = Make<LLabel>(u"caption");
  ASSERT_TRUE(label);
  EXPECT_EQ(Narrow(label->GetText()), "Volume");
  EXPECT_EQ(label->GetCurrentLookIndex(), 0);
  EXPECT_EQ(ShownColour(*label), 0xFFFF0000u);
  EXPECT_EQ(Narrow(label->GetLook(0)->GetTextPart()->GetText()), "Volume");

  label->SelectLook(1);
  EXPECT_EQ(ShownColour(*label), 0xFF0000FFu);
}

TEST_F(Label, SetTextReachesEveryLookAndAnswersWhetherItChanged) {
  const RCPtr<LLabel> label = Make<LLabel>(u"caption");
  EXPECT_EQ(label->SetText(StringW(u"Pan")), S_OK);
  EXPECT_EQ(label->SetText(StringW(u"Pan")), S_FALSE);
  EXPECT_EQ(Narrow(label->GetText()), "Pan");
  for (int32_t look = 0; look < label->GetLookCount(); ++look)
    EXPECT_EQ(Narrow(label->GetLook(look)->GetTextPart()->GetText()), "Pan") << look;
}

TEST_F(Label, OnlyANewTextIsRedrawn) {
  const RCPtr<RedrawCountingLabel> label = Make<RedrawCountingLabel>(u"counted");
  label->redraws = 0;
  label->SetText(StringW(u"Pan"));
  EXPECT_EQ(label->redraws, 1);
  label->SetText(StringW(u"Pan"));
  EXPECT_EQ(label->redraws, 1);
}

TEST_F(Label, IsNeverFocusableWhateverItsCreateParametersSay) {
  EXPECT_TRUE(Make<LLabel>(u"caption")->IsNotFocusable());  // its skin says NOT_FOCUSABLE False
  EXPECT_TRUE(Make<LLabel>(u"hint")->IsNotFocusable());
}

TEST_F(Label, ToolTipIsTheWholeTextWhenItIsCutOffElseTheSkinsToolTip) {
  const RCPtr<LLabel> label = Make<LLabel>(u"caption");
  const RCPtr<LLabel> bare = Make<LLabel>(u"hint");
  // Text measured by the recording renderer: the text area is 96 wide.
  const RCPtr<RecordingRenderer> measurer = RecordingRenderer::Create();
  SetApplicationRenderer(measurer);
  label->ApplyFont(LFont::FindOrCreate(StringW(u"Label Sans"), 11, 0));
  bare->ApplyFont(LFont::FindOrCreate(StringW(u"Label Sans"), 11, 0));
  bare->SetText(StringW(u"Short"));
  const struct {
    float textWidth;
    const char* captionTip;
    const char* bareTip;
  } kCases[] = {
      {96, "The master volume", ""},
      {97, "Volume", "Short"},
  };
  for (const auto& c : kCases) {
    measurer->SetTextBox({0, -8, c.textWidth, 10});
    for (LLabel* control : {label.Get(), bare.Get()}) {
      control->GetLook(0)->GetTextPart()->ClearLayout();
      control->GetLook(0)->GetTextPart()->GetLineRects();
    }
    EXPECT_EQ(Narrow(label->GetToolTipText()), c.captionTip) << c.textWidth;
    EXPECT_EQ(Narrow(bare->GetToolTipText()), c.bareTip) << c.textWidth;
  }
  SetApplicationRenderer(nullptr);
}

// Measured 10 pixels a character, "Master volume level" is too wide for the
// 96-pixel text area: the label draws it shortened to end in "...", its tool
// tip is the whole text; a label whose text scrolls (as a text box's does)
// draws it whole.
TEST_F(Label, ATextTooWideEndsInAnEllipsisUnlessTheTextScrolls) {
  const RCPtr<LLabel> label = Make<LLabel>(u"hint");
  const RCPtr<FakeMeasurer> measurer = FakeMeasurer::Create();
  SetApplicationRenderer(measurer);
  label->ApplyFont(LFont::FindOrCreate(StringW(u"Label Sans"), 11, 0));
  label->SetText(StringW(u"Master volume level"));
  const RCPtr<RecordingRenderer> recorder = RecordingRenderer::Create();
  const RCPtr<RecordingRenderContext> context = RecordingRenderContext::Create({0, 0, 200, 40});
  recorder->RenderStart(context);
  LRectRegion everything;
  everything.AddRect({0, 0, 200, 40});
  const auto drawnText = [&] {
    recorder->ClearCalls();
    label->GetLook(0)->DrawLabelText(*recorder, everything, {});
    for (const std::string& call : recorder->GetCalls())
      if (call.rfind("DrawText(", 0) == 0) return call.substr(0, call.find(" @"));
    return std::string("(nothing drawn)");
  };

  EXPECT_EQ(drawnText(), "DrawText(Master...");
  EXPECT_EQ(Narrow(label->GetToolTipText()), "Master volume level");
  label->SetText(StringW(u"Master"));
  EXPECT_EQ(drawnText(), "DrawText(Master");

  label->SetText(StringW(u"Master volume level"));
  label->SetLabelScrolls(true);
  EXPECT_EQ(drawnText(), "DrawText(Master volume level");
  recorder->RenderFinish(context);
  SetApplicationRenderer(nullptr);
}

}  // namespace
}  // namespace HV::Test
