// Building controls from a skin: the creator sequence, create parameters and
// the control-class registry.
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "tests/HVFramework/ControlBase/Skin/ControlFactory/SkinDocumentFixture.h"
#include "tests/support/RecorderControl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;

// A skin of one top-level "panel": children a (with a1), b, a deferred one,
// and controls that carry create parameters.
constexpr const char* kSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Recorder" Name="panel">
    <SubControl Class="Test.Recorder" Name="a" LayoutOrder="1">
      <SubControl Class="Test.Recorder" Name="a1"/>
    </SubControl>
    <SubControl Class="Test.Recorder" Name="b" LayoutOrder="2"/>
    <SubControl Class="Test.Recorder" Name="later" LayoutOrder="3">
      <CreateParamList><CreateParam ID="DEFER_CREATE">true</CreateParam></CreateParamList>
    </SubControl>
  </SubControl>
  <SubControl Class="Test.Recorder" Name="form">
    <SubControl Class="Test.Recorder" Name="params" TabStop="4">
      <CreateParamList>
        <CreateParam ID="INITIAL_VALUE">1.5</CreateParam>
        <CreateParam ID="NOT_FOCUSABLE"> True </CreateParam>
        <CreateParam ID="WANTS_TAB">TRUE</CreateParam>
        <CreateParam ID="USE_PARENT_TOOLTIP">yes</CreateParam>
      </CreateParamList>
    </SubControl>
    <SubControl Class="Test.Recorder" Name="focusable" TabStop="-3">
      <CreateParamList>
        <CreateParam ID="INITIAL_VALUE">0.25x</CreateParam>
        <CreateParam ID="NOT_FOCUSABLE">yes</CreateParam>
      </CreateParamList>
    </SubControl>
    <SubControl Class="Test.Recorder" Name="unmarked" TabStop="-2"/>
  </SubControl>
  <SubControl Class="Test.Recorder" Name="plain"/>
  <SubControl Class="Test.recorder" Name="wrongCase"/>
  <SubControl Class="Test.Unknown" Name="unknown"/>
  <SubControl Class="Test.Recorder" Name="broken"><SubControl Class="Test.Unknown" Name="x"/></SubControl>
</Skin></Skins>)";

class ControlCreation : public ::testing::Test, public SkinDocumentFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadSkinBody(kSkin), S_OK);
    ASSERT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.Recorder"), &RecorderControl::Create),
              S_OK);
    SetApplicationControlFactory(&factory);
    RecorderControl::Log().clear();
  }
  void TearDown() override { SetApplicationControlFactory(nullptr); }

  RCPtr<LControl> Create(const char16_t* name, const RCPtr<LControl>& parent = nullptr) {
    return factory.CreateControl(TopLevel(name), parent);
  }
};

TEST_F(ControlCreation, ChildrenAreBuiltAndInitialisedBeforeTheirParentsInitialize) {
  const RCPtr<LControl> panel = Create(u"panel");
  ASSERT_TRUE(panel);
  EXPECT_THAT(RecorderControl::Log(),
              ElementsAre("panel.construct", "panel.CreateFromDescriptor", "panel.CreateChildControls",
                          "a.construct", "a.CreateFromDescriptor", "a.CreateChildControls", "a1.construct",
                          "a1.CreateFromDescriptor", "a1.CreateChildControls", "a1.Initialize",
                          "a1.OnCreated", "a.Initialize[+]", "a.OnCreated", "b.construct",
                          "b.CreateFromDescriptor", "b.CreateChildControls", "b.Initialize", "b.OnCreated",
                          "panel.Initialize[++]", "panel.OnCreated"));
  EXPECT_TRUE(panel->IsCreated());
  EXPECT_EQ(panel->GetChildren().GetCount(), 2u);  // the deferred child is not made
  EXPECT_FALSE(panel->FindChildControl(StringW(u"later")));
  const RCPtr<LControl> a = panel->FindChildControl(StringW(u"a"));
  ASSERT_TRUE(a);
  EXPECT_EQ(a->GetParent(), panel.Get());
  EXPECT_TRUE(a->FindChildControl(StringW(u"a1")));
  EXPECT_TRUE(a->GetNotificationHandler());
}

TEST_F(ControlCreation, CreateParametersAreReadAsTheSkinWritesThem) {
  struct Case {
    const char16_t* name;
    double value;
    bool notFocusable;
    int32_t tabStop;
    bool wantsTab;
    bool parentToolTip;
  };
  const RCPtr<LControl> form = Create(u"form");
  ASSERT_TRUE(form);
  for (const Case& c :
       {Case{u"params", 1.0, true, -4, true, false}, Case{u"focusable", 0.25, false, 3, false, false},
        Case{u"unmarked", 0.0, true, -2, false, false}}) {
    const RCPtr<LControl> control = form->FindChildControl(StringW(c.name));
    ASSERT_TRUE(control);
    const std::string name = StringW(c.name).ToCharString().GetText();
    EXPECT_EQ(control->GetNormalizedValue(), c.value) << name;
    EXPECT_EQ(control->IsNotFocusable(), c.notFocusable) << name;
    EXPECT_EQ(control->GetLayout()->tabStop, c.tabStop) << name;
    EXPECT_EQ(control->WantsTab(), c.wantsTab) << name;
    EXPECT_EQ(control->UsesParentToolTip(), c.parentToolTip) << name;
  }
  // The control changed its own copy of the layout, not the skin's.
  EXPECT_EQ(form->GetDescriptor()->GetChildren().GetAt(0)->GetLayout()->tabStop, 4);
}

TEST_F(ControlCreation, AnUnregisteredClassThrowsAndIsCachedOnlyOnceFound) {
  for (const char16_t* name : {u"unknown", u"wrongCase"}) {
    try {
      Create(name);
      FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
      EXPECT_THAT(error.what(),
                  ::testing::StartsWith("Runtime Error : HV::LControlFactory::GetControlCreateFunction : "));
    }
    EXPECT_EQ(TopLevel(name)->GetCreateFunction(), nullptr);
  }
  // The first registration stays, and a descriptor keeps the function it found.
  auto other = [](RCPtr<LControl>& result, const RCPtr<LControl>&,
                  const RCPtr<LControlDescriptor>&) -> RCPtr<LControl>& { return result; };
  EXPECT_EQ(factory.RegisterControlCreateFunction(StringW(u"Test.Recorder"), other), S_OK);
  ASSERT_TRUE(Create(u"plain"));
  EXPECT_EQ(TopLevel(u"plain")->GetCreateFunction(), &RecorderControl::Create);
}

TEST_F(ControlCreation, AFailingChildLeavesNoHalfBuiltParentBehind) {
  // The parent under construction is released as the error passes through it.
  const RCPtr<LControl> holder = Create(u"plain");
  RecorderControl::Log().clear();
  EXPECT_THROW(Create(u"broken", holder), std::runtime_error);
  EXPECT_EQ(holder->GetChildren().GetCount(), 0u);
  EXPECT_THAT(RecorderControl::Log(),
              ElementsAre("broken.construct", "broken.CreateFromDescriptor", "broken.CreateChildControls",
                          "plain.removed broken@0", "broken.destroy"));
}

TEST_F(ControlCreation, AddChildControlAttachesAndBuildsFromTheDescriptor) {
  const RCPtr<LControl> panel = Create(u"panel");
  const RCPtr<LControl> extra(new RecorderControl(nullptr, StringW(u"extra")));
  EXPECT_EQ(panel->AddChildControl(nullptr, TopLevel(u"plain")), E_FAIL);
  EXPECT_EQ(panel->AddChildControl(extra, nullptr), E_FAIL);
  EXPECT_EQ(panel->AddChildControl(extra, TopLevel(u"plain")), S_OK);
  EXPECT_EQ(extra->GetParent(), panel.Get());
  EXPECT_TRUE(extra->GetDescriptor() == TopLevel(u"plain"));
  EXPECT_FALSE(extra->IsCreated());  // only the descriptor step runs
  const RCPtr<LControl> twin(new RecorderControl(nullptr, StringW(u"a")));
  EXPECT_EQ(panel->AddChildControl(twin, TopLevel(u"plain")), E_FAIL);
  EXPECT_EQ(twin->GetParent(), nullptr);
  EXPECT_FALSE(twin->GetDescriptor());
}

// A second skin whose "panel" describes b again, adds c and drops a.
constexpr const char* kSecondSkin = R"(
<Skins>
  <Skin Name="First">
    <SubControl Class="Test.Recorder" Name="panel">
      <SubControl Class="Test.Recorder" Name="a" LayoutOrder="1"/>
      <SubControl Class="Test.Recorder" Name="b" LayoutOrder="2" TabStop="1"/>
    </SubControl>
  </Skin>
  <Skin Name="Second">
    <SubControl Class="Test.Recorder" Name="panel">
      <SubControl Class="Test.Recorder" Name="b" LayoutOrder="1" TabStop="7"/>
      <SubControl Class="Test.Recorder" Name="c" LayoutOrder="2"/>
    </SubControl>
  </Skin>
</Skins>)";

TEST_F(ControlCreation, ASkinChangeRebuildsTheControlsAndKeepsTheirChildren) {
  ASSERT_EQ(LoadSkinBody(kSecondSkin), S_OK);
  auto skinIndex = [&](const char16_t* name) {
    for (uint32_t i = 0; i < factory.GetSkins().GetCount(); ++i)
      if (factory.GetSkins().GetAt(i)->GetSkin()->name == StringW(name)) return static_cast<int32_t>(i);
    return -1;
  };
  ASSERT_GE(skinIndex(u"First"), 0);
  ASSERT_GE(skinIndex(u"Second"), 0);
  factory.SetCurrentSkinIndex(skinIndex(u"First"));
  const RCPtr<LControl> panel = Create(u"panel");
  ASSERT_TRUE(panel);
  const RCPtr<LControl> a = panel->FindChildControl(StringW(u"a"));
  const RCPtr<LControl> b = panel->FindChildControl(StringW(u"b"));
  panel->SetEnabled(false);
  b->SetVisible(false);
  RecorderControl::Log().clear();

  const RCPtr<LControlDescriptor> firstA = a->GetDescriptor();
  factory.SetCurrentSkinIndex(skinIndex(u"Second"));
  ASSERT_EQ(factory.ApplySkin(panel), S_OK);
  // b is rebuilt from the new skin, a (not described any more) is kept as it
  // was; no control is made for c: a rebuild creates nothing.
  EXPECT_THAT(RecorderControl::Log(),
              ElementsAre("panel.CreateFromDescriptor", "panel.removed a@0", "panel.removed b@0",
                          "b.CreateFromDescriptor", "b.OnCreated after the flag", "a.CreateFromDescriptor",
                          "a.OnCreated after the flag", "panel.OnCreated after the flag"));
  ASSERT_EQ(panel->GetChildren().GetCount(), 2u);
  EXPECT_EQ(panel->GetChildren().GetAt(0).Get(), b.Get());
  EXPECT_EQ(panel->GetChildren().GetAt(1).Get(), a.Get());
  EXPECT_EQ(b->GetLayout()->tabStop, 7);
  EXPECT_EQ(a->GetDescriptor().Get(), firstA.Get());
  EXPECT_TRUE(b->GetLayout()->visible);       // the new skin's value, applied
  EXPECT_FALSE(panel->GetLayout()->enabled);  // the control's own state kept
  EXPECT_EQ(factory.ApplySkin(nullptr), E_FAIL);
  const RCPtr<LControl> stranger(new RecorderControl(nullptr, StringW(u"stranger")));
  EXPECT_EQ(factory.ApplySkin(stranger), E_FAIL);
}

// Controls built from one skin control start from its layout; each change,
// whichever way it is made, stays with the control that made it: not in the
// skin, not in a sibling built from the same skin, not in the defaults of
// controls built without one. A layout handed out is the control's own.
TEST_F(ControlCreation, ALayoutChangeStaysWithTheControlThatMadeIt) {
  const auto fingerprint = [](const LLayoutDescriptor& layout) {
    return std::vector<double>{double(layout.visible),        double(layout.enabled),
                               double(layout.clipToParent),   double(layout.tabStop),
                               double(layout.docked[0]),      layout.position[0].absolute,
                               layout.minimum[0].absolute,    double(layout.zOrder)};
  };
  const struct {
    const char* change;
    void (*apply)(LControl&);
  } changes[] = {
      {"SetVisible", [](LControl& c) { c.SetVisible(false); }},
      {"SetEnabled", [](LControl& c) { c.SetEnabled(false); }},
      {"SetClipToParent", [](LControl& c) { c.SetClipToParent(false); }},
      {"SetNotFocusable", [](LControl& c) { c.SetNotFocusable(true); }},
      {"SetAxisLayout", [](LControl& c) { c.SetAxisLayout(0, LLayoutPosition{0, 1, {}, 0, 7}, {}, true); }},
      {"SetAxisSizeLimits", [](LControl& c) { c.SetAxisSizeLimits(0, LLayoutSizeLimit{false, {}, 0, 3}, {}); }},
      {"GetLayout", [](LControl& c) { c.GetLayout()->zOrder = 5; }},
  };
  const RCPtr<LControlDescriptor> skin = TopLevel(u"plain");
  const std::vector<double> skinLayout = fingerprint(*skin->GetLayout());
  const auto unskinned = [] { return RCPtr<LControl>(new LControl(nullptr, StringW(u"bare"))); };
  const std::vector<double> defaults = fingerprint(unskinned()->ReadLayout());
  for (const auto& change : changes) {
    SCOPED_TRACE(change.change);
    const RCPtr<LControl> changed = Create(u"plain");
    const RCPtr<LControl> sibling = Create(u"plain");
    const RCPtr<LLayoutDescriptor> handedOut = changed->GetLayout();
    change.apply(*changed);
    EXPECT_NE(fingerprint(changed->ReadLayout()), skinLayout);
    EXPECT_EQ(fingerprint(*handedOut), fingerprint(changed->ReadLayout()));
    EXPECT_EQ(fingerprint(*skin->GetLayout()), skinLayout);
    EXPECT_EQ(fingerprint(sibling->ReadLayout()), skinLayout);

    const RCPtr<LControl> bare = unskinned();
    change.apply(*bare);
    EXPECT_NE(fingerprint(bare->ReadLayout()), defaults);
    EXPECT_EQ(fingerprint(unskinned()->ReadLayout()), defaults);
  }
}

TEST_F(ControlCreation, AFactoryWithoutSkinsFindsAndBuildsNothing) {
  LControlFactory empty{StringW(u"App")};
  for (int32_t index : {0, -1, 3}) {
    empty.SetCurrentSkinIndex(index);
    EXPECT_FALSE(empty.FindControlDescriptor(StringW(u"panel")));
    EXPECT_EQ(empty.ApplySkin(Create(u"plain")), E_FAIL);
  }
  EXPECT_FALSE(empty.CreateControl(nullptr, nullptr));
}

TEST_F(ControlCreation, TheControlsStringTableGivesLabelToolTipAndLocalHotKeys) {
  resources.Add("STRINGS",
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Halvern_StringTable_Definitions><Application "
                "Name=\"App\"><StringTable ID=\"App|plain\">"
                "<String ID=\"LABEL\"><Locale LCID=\"9\">Volume</Locale></String>"
                "<String ID=\"TOOLTIP\"><Locale LCID=\"9\">Turn it up</Locale></String>"
                "<String ID=\"LHK.NID_APP_EXIT_REQ\"><Locale LCID=\"9\">Alt+VKEY_F4</Locale></String>"
                "</StringTable></Application></Halvern_StringTable_Definitions>");
  ASSERT_EQ(factory.LoadStringTables(StringW(u"::STRINGS"), StringW(u"::NONE"), 9), S_OK);
  const RCPtr<LControl> plain = Create(u"plain");
  ASSERT_TRUE(plain->GetStringTable());
  EXPECT_TRUE(plain->GetText() == StringW(u"Volume"));
  EXPECT_TRUE(plain->GetToolTipText() == StringW(u"Turn it up"));
  EXPECT_TRUE(plain->GetString(StringW(u"TOOLTIP")) == StringW(u"Turn it up"));
  EXPECT_TRUE(plain->GetString(StringW(u"MISSING")).GetLength() == 0);
  EXPECT_TRUE(plain->HasLocalHotKey(StringW(u"NID_APP_EXIT_REQ")));
  EXPECT_FALSE(plain->HasLocalHotKey(StringW(u"NID_OTHER")));
  // Another control of the skin has no table of its own.
  EXPECT_FALSE(Create(u"form")->GetStringTable());
}

}  // namespace
}  // namespace HV::Test
