// The gallery's skinned window on the headless window system: the demo skin
// builds, draws and closes.
#include "tools/gallery/SkinDemo.h"

#include "HVFramework/Platform/HeadlessWindowSystem.h"
#include "HVFramework/Platform/VirtualClock.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

namespace HV::Gallery {
namespace {

class SkinDemoWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseTestFonts(); }
  void SetUp() override {
    system.AdvanceClockInWaits(&clock);
    std::string error;
    demo = SkinDemo::Open(dispatcher, {0, 0, 320, 240}, error);
    ASSERT_TRUE(demo) << error;
  }
  void Send(Platform::WindowEvent event) {
    event.window = demo->GetWindow().GetWindowId();
    system.Script(event);
  }

  Platform::VirtualClock clock{1000};
  Platform::HeadlessWindowSystem system;
  OSWindowDispatcher dispatcher{system};
  std::unique_ptr<SkinDemo> demo;
};

TEST_F(SkinDemoWindow, ShowsTheDemoSkinsRootControlAndEndsOnTheCloseBox) {
  OSWindow& window = demo->GetWindow();
  const RCPtr<LControl>& root = window.GetRootWindow()->GetRootControl();
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetChildren().GetCount(), 3u);
  // The skin's font reached the controls: their text can be drawn.
  for (const RCPtr<LControl>& child : root->GetChildren().Snapshot()) EXPECT_TRUE(child->GetFont());

  // The first frame is the whole window, in the panel's solid colour inside its border.
  dispatcher.PaintDirtyWindows();
  const RCPtr<Platform::MemoryPresenter> presenter = system.GetMemoryPresenter(window.GetWindowId());
  ASSERT_EQ(presenter->GetPresentedRects().size(), 1u);
  EXPECT_EQ(presenter->GetPixel(160, 200), 0xFF303030u);

  Platform::WindowEvent close;
  close.kind = Platform::WindowEventKind::Close;
  Send(close);
  EXPECT_EQ(dispatcher.Run(), 0);
}

TEST_F(SkinDemoWindow, AltF4EndsIt) {
  Platform::WindowEvent event;
  event.kind = Platform::WindowEventKind::FocusGained;
  Send(event);
  event.kind = Platform::WindowEventKind::KeyDown;
  event.key = 0x73;               // F4
  event.modifiers = 0x40 | 0x80;  // the left Alt key
  Send(event);
  EXPECT_EQ(dispatcher.Run(), 0);
}

}  // namespace
}  // namespace HV::Gallery
