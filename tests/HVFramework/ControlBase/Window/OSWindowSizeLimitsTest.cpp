// The OS window keeps its client size within the root control's minimum and
// maximum sizes: the desktop is told the limits, and sizes it reports
// outside them are put back.
#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

using Size = PointT<int32_t>;

class OSWindowSizeLimits : public OSWindowFixture {
 protected:
  // The desktop sizes the window; the loop hands the event over.
  Size ResizeByDesktop(const OSWindow& window, Size size) {
    WindowEvent resize = Event(Kind::Resize);
    resize.width = size.x;
    resize.height = size.y;
    Script(window, resize);
    dispatcher.Quit(0);
    EXPECT_EQ(dispatcher.Run(), 0);
    return ClientSize(window);
  }
  Size ClientSize(const OSWindow& window) const {
    RectT<int32_t> rect;
    EXPECT_TRUE(system.GetWindowRect(window.GetWindowId(), rect));
    return {rect.width, rect.height};
  }
  static Size TreeSize(const OSWindow& window) {
    const LControl::Rect rect = window.GetRootWindow()->GetRootControl()->GetRect();
    return {RoundToInt32(rect.width), RoundToInt32(rect.height)};
  }
  Platform::SizeLimits LimitsOf(const OSWindow& window) const {
    Platform::SizeLimits limits;
    EXPECT_TRUE(system.GetSizeLimits(window.GetWindowId(), limits));
    return limits;
  }
};

TEST_F(OSWindowSizeLimits, TheDesktopIsToldTheRootControlsLimits) {
  struct Row {
    const char16_t* root;
    Platform::SizeLimits expected;
  };
  const Row rows[] = {
      {u"main", {1, 1, 0, 0, true}},
      {u"bounded", {200, 150, 600, 400, true}},
      {u"fixed", {300, 200, 300, 200, false}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(StringW(row.root).ToCharString().GetText());
    const RCPtr<OSWindow> window = Open(row.root);
    const Platform::SizeLimits limits = LimitsOf(*window);
    EXPECT_EQ(limits.minWidth, row.expected.minWidth);
    EXPECT_EQ(limits.minHeight, row.expected.minHeight);
    EXPECT_EQ(limits.maxWidth, row.expected.maxWidth);
    EXPECT_EQ(limits.maxHeight, row.expected.maxHeight);
    EXPECT_EQ(limits.isResizable, row.expected.isResizable);
  }
}

TEST_F(OSWindowSizeLimits, AWindowTakesItsRootControlsSizeWhenItsTreeArrives) {
  const RCPtr<OSWindow> window = Open(u"fixed", {100, 50, 400, 300});
  EXPECT_EQ(ClientSize(*window), (Size{300, 200}));
  EXPECT_EQ(TreeSize(*window), (Size{300, 200}));
}

TEST_F(OSWindowSizeLimits, SizesTheDesktopGivesOutsideTheLimitsArePutBack) {
  struct Row {
    const char16_t* root;
    Size given;
    Size kept;
  };
  const Row rows[] = {
      {u"bounded", {100, 100}, {200, 150}},  // below the minimum
      {u"bounded", {500, 350}, {500, 350}},  // within
      {u"bounded", {900, 120}, {600, 150}},  // one axis over, one under
      {u"bounded", {900, 900}, {600, 400}},  // above the maximum
      {u"fixed", {500, 500}, {300, 200}},
      {u"fixed", {10, 10}, {300, 200}},
      {u"main", {1000, 20}, {1000, 20}},  // no limits
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.given.x) + " x " + std::to_string(row.given.y));
    const RCPtr<OSWindow> window = Open(row.root);
    EXPECT_EQ(ResizeByDesktop(*window, row.given), row.kept);
    EXPECT_EQ(TreeSize(*window), row.kept);
  }
}

TEST_F(OSWindowSizeLimits, ConstrainingReportsWhetherTheSizeChanged) {
  const RCPtr<OSWindow> window = Open(u"bounded");
  LRootWindow& root = *window->GetRootWindow();
  int32_t width = 300, height = 200;
  EXPECT_FALSE(root.ConstrainClientSize(width, height));
  width = 0;
  height = 1000;
  EXPECT_TRUE(root.ConstrainClientSize(width, height));
  EXPECT_EQ(width, 200);
  EXPECT_EQ(height, 400);
  // Without a tree every size stands, but never below one pixel.
  root.SetRootControl(nullptr);
  width = 0;
  height = -5;
  EXPECT_TRUE(root.ConstrainClientSize(width, height));
  EXPECT_EQ(width, 1);
  EXPECT_EQ(height, 1);
}

}  // namespace
}  // namespace HV::Test
