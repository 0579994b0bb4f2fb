// Cursors are asked of the application by name, so that its own image
// cursors show as well as the system's.
#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"

#include "HVFramework/ControlBase/Window/WindowInputTranslation.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

Platform::CursorImage Image(int32_t width, int32_t height, int32_t hotX = 0, int32_t hotY = 0) {
  return {width, height, std::vector<uint32_t>(size_t(std::max(width, 0)) * size_t(std::max(height, 0)), 0xFF102030),
          hotX, hotY};
}

class OSWindowCursors : public OSWindowFixture {
 protected:
  void SetUp() override {
    window = Open(u"main");
    ASSERT_TRUE(window);
    pen = dispatcher.AddImageCursor(Image(16, 16, 2, 14));
    ASSERT_NE(pen, 0u);
    dispatcher.SetCursorSource([this](const StringW& name) {
      return name == StringW(u"APP_CURSOR_PEN") ? pen : CursorHandleFromName(name);
    });
  }

  RCPtr<OSWindow> window;
  CursorHandle pen = 0;
};

TEST_F(OSWindowCursors, TheApplicationsOwnImageCursorShowsByItsName) {
  ASSERT_EQ(window->GetCursorByName(StringW(u"APP_CURSOR_PEN")), pen);
  LRootWindow& root = *window->GetRootWindow();
  root.SetCursor(pen);
  EXPECT_NE(system.GetImageCursor(), 0u);
  // A system cursor replaces it, and the image shows again when asked.
  root.SetCursor(window->GetCursorByName(StringW(u"UI_CURSOR_WAIT")));
  EXPECT_EQ(system.GetImageCursor(), 0u);
  EXPECT_EQ(system.GetCursor(), Platform::CursorKind::Wait);
  EXPECT_EQ(root.SetCursor(pen), window->GetCursorByName(StringW(u"UI_CURSOR_WAIT")));
  EXPECT_NE(system.GetImageCursor(), 0u);
  root.SetCursor(0);  // the arrow
  EXPECT_EQ(system.GetImageCursor(), 0u);
  EXPECT_EQ(system.GetCursor(), Platform::CursorKind::Arrow);
}

TEST_F(OSWindowCursors, ANameTheApplicationDoesNotKnowHasNoCursor) {
  dispatcher.SetCursorSource([](const StringW&) { return CursorHandle{0}; });
  EXPECT_EQ(window->GetCursorByName(StringW(u"UI_CURSOR_WAIT")), 0u);
  dispatcher.SetCursorSource(nullptr);  // the framework's names alone
  EXPECT_NE(window->GetCursorByName(StringW(u"UI_CURSOR_WAIT")), 0u);
  EXPECT_EQ(window->GetCursorByName(StringW(u"APP_CURSOR_PEN")), 0u);
}

TEST_F(OSWindowCursors, AnImageThatIsNoCursorIsRefused) {
  struct Row {
    const char* name;
    Platform::CursorImage image;
  };
  Platform::CursorImage missingPixels = Image(8, 8);
  missingPixels.pixels.pop_back();
  const Row rows[] = {
      {"empty", Image(0, 0)},
      {"too large", Image(257, 4)},
      {"pixels missing", missingPixels},
      {"hot spot outside", Image(8, 8, 8, 0)},
      {"hot spot before", Image(8, 8, 0, -1)},
  };
  for (const Row& row : rows) EXPECT_EQ(dispatcher.AddImageCursor(row.image), 0u) << row.name;
  EXPECT_NE(dispatcher.AddImageCursor(Image(256, 1, 255, 0)), 0u);
  // An unknown handle above the system's shows the arrow.
  window->GetRootWindow()->SetCursor(CursorHandleFromImage(999));
  EXPECT_EQ(system.GetImageCursor(), 0u);
  EXPECT_EQ(system.GetCursor(), Platform::CursorKind::Arrow);
}

}  // namespace
}  // namespace HV::Test
