// The gallery's skinned window on the headless window system: the demo skin
// builds, draws and closes.
#include "tools/gallery/SkinDemo.h"

#include "HVFramework/Platform/HeadlessWindowSystem.h"
#include "HVFramework/Platform/VirtualClock.h"

#include <gtest/gtest.h>

namespace HV::Gallery {
namespace {

TEST(SkinDemo, ShowsTheDemoSkinsRootControlAndEndsOnTheCloseBox) {
  Platform::VirtualClock clock{1000};
  Platform::HeadlessWindowSystem system;
  system.AdvanceClockInWaits(&clock);
  OSWindowDispatcher dispatcher(system);
  std::string error;
  const std::unique_ptr<SkinDemo> demo = SkinDemo::Open(dispatcher, {0, 0, 320, 240}, error);
  ASSERT_TRUE(demo) << error;
  OSWindow& window = demo->GetWindow();
  const RCPtr<LControl>& root = window.GetRootWindow()->GetRootControl();
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetChildren().GetCount(), 3u);

  // The first frame is the whole window, in the panel's solid colour inside its border.
  dispatcher.PaintDirtyWindows();
  const RCPtr<Platform::MemoryPresenter> presenter = system.GetMemoryPresenter(window.GetWindowId());
  ASSERT_EQ(presenter->GetPresentedRects().size(), 1u);
  EXPECT_EQ(presenter->GetPixel(160, 200), 0xFF303030u);

  Platform::WindowEvent close;
  close.kind = Platform::WindowEventKind::Close;
  close.window = window.GetWindowId();
  system.Script(close);
  EXPECT_EQ(dispatcher.Run(), 0);
}

}  // namespace
}  // namespace HV::Gallery
