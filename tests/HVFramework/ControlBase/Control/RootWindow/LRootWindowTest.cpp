// The root window's own state: its root control, the client area, the
// buttons per pointer, the modal loop's end, invalidation and release; and
// its links to controls that die in the middle of an event.
#include "HVFramework/ControlBase/Control/IToolTipControl.h"
#include "HVFramework/ObjectBase/WeakRCPtr.h"
#include "tests/HVFramework/ControlBase/Window/RootWindowSkins.h"
#include "tests/support/RootWindowFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RootWindowState : public RootWindowFixture {};

TEST_F(RootWindowState, TheRootControlIsBuiltByNameAndFillsTheClientArea) {
  ASSERT_EQ(LoadSkinBody(kPanelsSkin), S_OK);
  EXPECT_EQ(window->SetRootControlByName(StringW(u"missing")), E_FAIL);
  ASSERT_EQ(window->SetRootControlByName(StringW(u"main")), S_OK);
  const RCPtr<LControl> root = window->GetRootControl();
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetRootWindow(), window.Get());
  EXPECT_EQ(root->GetRect().width, 400);
  EXPECT_EQ(root->GetLayout()->size[0].relative, 1.0f);
  EXPECT_EQ(root->GetLayout()->size[1].referenceMode, 1);  // the client area
  window->SetClientRect({10, 20, 640, 480});
  EXPECT_EQ(root->GetRect().width, 640);
  EXPECT_EQ(root->GetRect().height, 480);
  // The whole area waits for the next paint, once.
  RegionRect bounds;
  ASSERT_TRUE(window->TakeUpdateRegion().GetBounds(bounds));
  EXPECT_EQ(bounds, (RegionRect{0, 0, 640, 480}));
  window->InvalidateRect({5, 5, 10, 10});
  ASSERT_TRUE(window->TakeUpdateRegion().GetBounds(bounds));
  EXPECT_EQ(bounds, (RegionRect{5, 5, 15, 15}));
  EXPECT_TRUE(window->TakeUpdateRegion().IsEmpty());
  EXPECT_EQ(window->SetRootControlByName(StringW()), S_OK);
  EXPECT_FALSE(window->GetRootControl());
  EXPECT_EQ(root->GetRootWindow(), nullptr);
}

TEST_F(RootWindowState, AWindowWithoutKeyboardFocusAsksForItInsteadOfFocusingAControl) {
  host.keyboardFocus = false;
  ASSERT_TRUE(Open(kPanelsSkin, u"main"));
  EXPECT_EQ(host.focusRequests, 1);
  EXPECT_EQ(window->GetFocusControl(), nullptr);
  window->RestoreFocus();
  EXPECT_EQ(window->GetFocusControl(), Find(u"a1").Get());
}

TEST_F(RootWindowState, ButtonsAreRecordedForTheFirstTenPointers) {
  ASSERT_TRUE(Open(kPanelsSkin, u"main"));
  host.mouse = {300, 280};
  for (int32_t pointer : {0, 9, 10}) window->OnMouseButton(LRootWindow::kPress, 4, 0, {300, 280}, pointer);
  EXPECT_EQ(window->GetButtonsOfPointer(0), 4u);
  EXPECT_EQ(window->GetButtonsOfPointer(9), 4u);
  EXPECT_EQ(window->GetButtonsOfPointer(10), 0u);
  window->OnMouseButton(LRootWindow::kRelease, 4, 0, {300, 280}, 9);
  EXPECT_EQ(window->GetButtonsOfPointer(9), 0u);
}

TEST_F(RootWindowState, TheModalLoopEndsAtTheNextIdlePass) {
  EXPECT_EQ(window->EndModalLoop(3), S_OK);
  EXPECT_THAT(host.endModalResults, IsEmpty());
  Idle();
  EXPECT_THAT(host.endModalResults, ElementsAre(3));
  window->Close();
  Idle();
  Idle();
  EXPECT_THAT(host.endModalResults, ElementsAre(3, 0));
  window->ForgetHost();
  EXPECT_EQ(window->EndModalLoop(1), E_FAIL);
  // Without its OS window the window drops every event.
  Click(10, 10);
  EXPECT_EQ(window->GetCaptureControl(), nullptr);
}

TEST_F(RootWindowState, AReleasedWindowLetsGoOfItsTreeAndItsClients) {
  ASSERT_TRUE(Open(kPanelsSkin, u"main"));
  const RCPtr<LControl> root = window->GetRootControl();
  const RCPtr<LControl> a2 = Find(u"a2");
  a2->StartIdleNotifications();
  Press(75, 12);
  RCPtr<LRootWindow> other = LRootWindow::Create(&host);
  other->SetRootControl(root);  // a second window cannot take a tree that has one
  EXPECT_EQ(root->GetRootWindow(), window.Get());
  other = nullptr;
  window->SetRootControl(nullptr);
  EXPECT_EQ(root->GetRootWindow(), nullptr);
  EXPECT_FALSE(a2->IsCapturing());
  EXPECT_FALSE(a2->HasFocus());
  EXPECT_EQ(window->GetRegistrationCount(), 0);
}

// A window's hot keys may be held past the window: they post into its
// queue, which goes with the window, so from then on they send nowhere.
TEST_F(RootWindowState, HotKeysHeldPastTheirWindowAnswerButSendNowhere) {
  RCPtr<LRootWindow> closing = LRootWindow::Create(&host);
  const RCPtr<LGlobalHotKeyManager> keys = closing->GetHotKeys();
  const KeyCode ctrlW = KeyCode::Parse(StringW(u"Ctrl+VKEY_W"));
  ASSERT_EQ(keys->Bind(ctrlW, StringW(u"NID_CLOSE")), S_OK);
  const WeakRCPtr<LRootWindow> closed(closing);
  closing = nullptr;
  ASSERT_EQ(closed.Get(), nullptr);
  EXPECT_EQ(keys->HandleKey(LKeyParam::Create(ctrlW)), 0);
  EXPECT_EQ(keys->Raise(StringW(u"NID_CLOSE")), S_OK);
}

TEST_F(RootWindowState, ControlsLinkedDirectlyNeitherOutliveNorDangleFromTheirWindow) {
  ASSERT_TRUE(Open(kPanelsSkin, u"main"));
  RCPtr<LControl> loose(new InputControl(nullptr, StringW(u"loose")));
  loose->SetRect({0, 0, 10, 10});
  ASSERT_EQ(loose->SetRootWindow(window.Get()), S_OK);
  window->SetHoverControl(loose.Get());
  EXPECT_EQ(window->GetHoverControl(), loose.Get());
  loose = nullptr;  // destroyed while hovered
  EXPECT_EQ(window->GetHoverControl(), nullptr);
  Move(15, 12);
  // A window released first unlinks the controls that still point at it.
  RCPtr<LRootWindow> other = LRootWindow::Create(&host);
  const RCPtr<LControl> kept(new InputControl(nullptr, StringW(u"kept")));
  kept->SetRootWindow(other.Get());
  other = nullptr;
  EXPECT_EQ(kept->GetRootWindow(), nullptr);
}

// A top-level control's text becomes its window's title when it joins the
// window; without a text the window keeps the title it had.
TEST_F(RootWindowState, ATopLevelControlsTextBecomesTheWindowsCaption) {
  struct Case {
    const char16_t* text;
    const char16_t* caption;
  };
  const Case cases[] = {
      {u"Preset Editor", u"Preset Editor"},
      {u"", u"made"},
  };
  for (const Case& c : cases) {
    host.caption = StringW(u"made");
    const RCPtr<LControl> top(new InputControl(nullptr, StringW(u"top")));
    top->SetText(StringW(c.text));
    ASSERT_EQ(top->SetRootWindow(window.Get()), S_OK);
    EXPECT_EQ(Narrow(host.caption), Narrow(StringW(c.caption)));
    top->SetRootWindow(nullptr);
  }
}

// Built while it is already in a window, a top-level control is shown there
// even when its description hides it (skins cannot hide a top-level control,
// but a description made by the program can); built outside one, it follows
// the description.
TEST_F(RootWindowState, ATopLevelControlBuiltInAWindowIsVisible) {
  ASSERT_TRUE(Open(kPanelsSkin, u"main"));
  const RCPtr<LControlDescriptor> skin = TopLevel(u"main");
  ASSERT_TRUE(skin);
  const RCPtr<LLayoutDescriptor> hiddenLayout = DynamicCast<LLayoutDescriptor>(skin->GetLayout()->CreateCopy());
  hiddenLayout->visible = false;
  const RCPtr<LControlDescriptor> hidden = LControlDescriptor::Clone(*skin, StringW(u"hidden"), hiddenLayout);
  for (const bool inWindow : {true, false}) {
    const RCPtr<LControl> top(new InputControl(nullptr, StringW(u"hidden")));
    if (inWindow) ASSERT_EQ(top->SetRootWindow(window.Get()), S_OK);
    ASSERT_EQ(top->CreateFromDescriptor(hidden), S_OK);
    EXPECT_EQ(top->GetLayout()->visible, inWindow) << (inWindow ? "in a window" : "outside");
    top->SetRootWindow(nullptr);
  }
}

TEST_F(RootWindowState, APressThatAsksForIdleTicksGivesThemBackAtTheRelease) {
  ASSERT_TRUE(Open(kPanelsSkin, u"main"));
  InputControl& a1 = Input(u"a1");
  a1.SetTickWhilePressed(true);
  TakeInput();
  Press(15, 12);
  Idle();
  Release(15, 12);
  Idle();
  Click(15, 12);
  Idle();
  EXPECT_THAT(TakeInput(), ElementsAre("a1:idle"));
  EXPECT_EQ(a1.GetIdleRequestCount(), 0);
}

// "Test.Tip": a tool tip that only shows and goes.
class TestTip : public LControl, public IToolTipControl {
 public:
  using LControl::LControl;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<TestTip>(result, parent, descriptor);
  }
  HResult Start() override { return S_OK; }
  HResult Hide() override { return GetParent()->RemoveChildControl(RCPtr<LControl>(this)); }
};

constexpr const char* kTipSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Input" Name="main">
    <SubControl Class="Test.Input" Name="a1" XPositionAbs="10" YPositionAbs="10" XSizeAbs="50" YSizeAbs="20" TabStop="1"/>
  </SubControl>
  <SubControl Class="Test.Tip" Name="toolTip" XSizeAbs="40" YSizeAbs="10"/>
</Skin></Skins>)";

// What a control holds in the window when it goes.
struct HeldLink {
  const char* name;
  void (*take)(LRootWindow& window, InputControl& item);
  LControl* (LRootWindow::*link)() const;
};

// How it goes: with its pop-up (a top-level control linked to the window,
// not its root control), dying in the middle of the event without leaving
// the tree first; or removed from the window's tree and freed at the next
// idle pass.
enum class Departure { kPopupDropped, kRemovedFromTree };

using LinkCase = std::tuple<HeldLink, Departure>;

// The item, holding one of the window's links, is made to go by the focused
// control's Delete handler. The events after it must find the link empty.
class RootWindowLinks : public RootWindowFixture, public ::testing::WithParamInterface<LinkCase> {
 protected:
  RootWindowLinks() {
    factory.RegisterControlCreateFunction(StringW(u"Test.Tip"), &TestTip::Create);
    Open(kTipSkin, u"main");
    if (InPopup()) {
      mPopup = RCPtr<LControl>(new InputControl(nullptr, StringW(u"popup")));
      mPopup->SetRect({200, 200, 100, 50});
      mPopup->SetNotFocusable(false);  // controls made without a skin may not take the focus
      mPopup->SetRootWindow(window.Get());
    }
    mItem = RCPtr<InputControl>(new InputControl(InPopup() ? mPopup.Get() : Find(u"main").Get(), StringW(u"item")));
    mItem->SetRect(InPopup() ? LControl::Rect{0, 0, 100, 20} : LControl::Rect{200, 200, 100, 20});
    mItem->SetNotFocusable(false);
  }

  static bool InPopup() { return std::get<Departure>(GetParam()) == Departure::kPopupDropped; }

  // Drops the pop-up, or takes the item out of the tree.
  void SendItemAway(const WeakRCPtr<LControl>& item) {
    if (InPopup())
      mPopup = nullptr;
    else if (const RCPtr<LControl> held = item.Lock())
      Find(u"main")->RemoveChildControl(held);
  }

  RCPtr<LControl> mPopup;
  RCPtr<InputControl> mItem;
};

TEST_P(RootWindowLinks, AControlThatGoesDuringAnEventLeavesTheLinkEmpty) {
  const HeldLink& held = std::get<HeldLink>(GetParam());
  InputControl& item = *mItem;
  held.take(*window, item);
  ASSERT_EQ((window.Get()->*held.link)(), &item);
  auto& focused = dynamic_cast<InputControl&>(*window->GetFocusControl());
  focused.handledKeys.insert(kDelete);
  const WeakRCPtr<LControl> itemLink(mItem);
  focused.duringNextEvent = [this, itemLink] { SendItemAway(itemLink); };
  mItem = nullptr;
  Key(kDelete);
  Idle();
  ASSERT_EQ(itemLink.Get(), nullptr);
  // Empty, or a control of the window: a focus owner leaving the tree hands
  // the focus on. A link left on the dead item is a use after free here.
  LControl* const now = (window.Get()->*held.link)();
  EXPECT_TRUE(!now || now->GetRootWindow() == window.Get());

  // The release and the moves of the gesture, keys and the window's focus
  // going and coming back reach the main tree as if the item had never been.
  Release(250, 210);
  Move(15, 12);
  EXPECT_EQ(window->GetHoverControl(), Find(u"a1").Get());
  EXPECT_EQ(window->GetCaptureControl(), nullptr);
  EXPECT_EQ(window->GetToolTipControl(), nullptr);
  Key(kTab);
  window->OnWindowFocusLost();
  window->RestoreFocus();
  EXPECT_EQ(Focused(), "a1");
}

INSTANTIATE_TEST_SUITE_P(
    EachLink, RootWindowLinks,
    ::testing::Combine(
        ::testing::Values(
            HeldLink{"Capture", [](LRootWindow&, InputControl& item) { item.StartMouseCapture(0, 0, 0); },
                     &LRootWindow::GetCaptureControl},
            HeldLink{"Hover", [](LRootWindow& window, InputControl& item) { window.SetHoverControl(&item); },
                     &LRootWindow::GetHoverControl},
            HeldLink{"ToolTipOwner",
                     [](LRootWindow& window, InputControl& item) {
                       item.toolTip = StringW(u"Closes the pop-up");
                       window.SetHoverControl(&item);
                       EXPECT_TRUE(item.FindChildControl(StringW(u"toolTip")));  // the tip shows
                     },
                     &LRootWindow::GetToolTipControl},
            HeldLink{"Focus", [](LRootWindow&, InputControl& item) { item.SetFocus(true); },
                     &LRootWindow::GetFocusControl}),
        ::testing::Values(Departure::kPopupDropped, Departure::kRemovedFromTree)),
    [](const ::testing::TestParamInfo<LinkCase>& row) {
      const bool inPopup = std::get<Departure>(row.param) == Departure::kPopupDropped;
      return std::string(std::get<HeldLink>(row.param).name) + (inPopup ? "PopupDropped" : "RemovedFromTree");
    });

// Leaving the tree takes the focus away for good: a control put back is not
// handed it again when the window's focus returns.
TEST_F(RootWindowState, AControlThatLeftTheTreeIsNotGivenBackTheFocusItHadBefore) {
  ASSERT_TRUE(Open(kPanelsSkin, u"main"));
  const RCPtr<LControl> a = Find(u"a");
  const RCPtr<LControl> a2 = Find(u"a2");
  a2->SetFocus(true);
  window->OnWindowFocusLost();
  ASSERT_EQ(window->GetPreviousFocusControl(), a2.Get());
  ASSERT_EQ(a->RemoveChildControl(a2), S_OK);
  ASSERT_EQ(a2->SetParent(a.Get()), S_OK);
  window->RestoreFocus();
  EXPECT_EQ(Focused(), "a1");  // the root control's first, as in a window nothing had
}

}  // namespace
}  // namespace HV::Test
