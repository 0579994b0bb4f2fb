// The root window's own state: its root control, the client area, the
// buttons per pointer, the modal loop's end, invalidation and release.
#include "tests/HVFramework/ControlBase/Window/RootWindowSkins.h"
#include "tests/support/RootWindowFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace HV::Test
