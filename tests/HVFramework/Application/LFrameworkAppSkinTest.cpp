#include "HVFramework/Application/LFrameworkApp.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "tests/HVFramework/Application/TestFrameworkApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace HV::Test {
namespace {

constexpr const char16_t* kSkinIndexKey = u"CurrentSkinIndex";

struct SkinRow {
  const char* label;
  std::optional<int32_t> stored;  // nothing: no value in the settings
  bool hasUserFile;
  int32_t applied;
  std::optional<int32_t> written;  // nothing: no write
};

TEST_F(FrameworkApp, StartUpAppliesTheStoredSkinClampedToTheSkinsThereAre) {
  const SkinRow rows[] = {
      {"a stored skin that exists", 1, true, 1, 1},
      {"the last skin", 2, true, 2, 2},
      {"one past the last", 3, true, 2, 2},
      {"far past the last", 70, true, 2, 2},
      {"-1", -1, true, 0, 0},
      {"far below 0", -5000, true, 0, 0},
      {"nothing stored", std::nullopt, true, 0, 0},
      {"no user settings file", 2, false, 0, std::nullopt},
  };
  for (const SkinRow& row : rows) {
    SCOPED_TRACE(row.label);
    settings = MemoryIniFileManager();
    TestFrameworkApp& app = MakeApp();
    if (!row.hasUserFile) app.userFileHandle = 0;
    if (row.stored) settings.SetInt(app.userFileHandle, kSkinIndexKey, *row.stored);

    ASSERT_EQ(app.RunApplicationStartup(), S_OK);

    EXPECT_EQ(app.GetControlFactory()->GetCurrentSkinIndex(), row.applied);
    const std::u16string fonts[] = {u"FontZero", u"FontOne", u"FontTwo"};
    ASSERT_NE(app.GetDefaultFont(), nullptr);
    EXPECT_EQ(std::u16string(app.GetDefaultFont()->GetName().GetView()), fonts[row.applied]);
    std::vector<MemoryIniFileManager::IntWrite> expected;
    if (row.written) expected.push_back({app.userFileHandle, kSkinIndexKey, *row.written});
    EXPECT_EQ(settings.GetIntWrites(), expected);
    this->app = nullptr;
  }
}

TEST_F(FrameworkApp, StartUpWithoutSkinsFailsAndAppliesNothing) {
  TestFrameworkApp& app = MakeApp("");
  settings.SetInt(app.userFileHandle, kSkinIndexKey, -1);

  EXPECT_EQ(app.RunApplicationStartup(), E_FAIL);

  EXPECT_EQ(app.GetDefaultFont(), nullptr);
  EXPECT_TRUE(settings.GetIntWrites().empty());
}

TEST_F(FrameworkApp, ASystemFontFailureFailsStartUp) {
  TestFrameworkApp& app = MakeApp();
  app.systemFontResult = E_FAIL;
  EXPECT_EQ(app.RunApplicationStartup(), E_FAIL);
  EXPECT_TRUE(settings.GetIntWrites().empty());
}

TEST_F(FrameworkApp, ASkinTheFactoryDoesNotHoldIsRefused) {
  TestFrameworkApp& app = StartApp();
  const size_t writes = settings.GetIntWrites().size();
  for (int32_t index : {-1, 3}) {
    EXPECT_EQ(app.SetSkin(index), E_INVALIDARG);
    EXPECT_EQ(app.GetControlFactory()->GetCurrentSkinIndex(), 0);
  }
  EXPECT_EQ(settings.GetIntWrites().size(), writes);
}

TEST_F(FrameworkApp, ASkinIsAppliedToEveryRootWindowUnderTheWaitCursor) {
  TestFrameworkApp& app = StartApp();
  hosts[1].clientRect = {10, 10, 640, 480};
  std::vector<RCPtr<LRootWindow>> windows;
  for (FakeWindowHost* host : {&hosts[0], &hosts[1]}) {
    windows.push_back(LRootWindow::Create(host));
    app.AddRootWindow(windows.back());
    ASSERT_EQ(windows.back()->SetRootControlByName(StringW(u"main")), S_OK);
    host->invalidated.clear();
  }
  app.cursorNames.clear();

  ASSERT_EQ(app.SetSkin(2), S_OK);

  EXPECT_EQ(std::u16string(app.GetDefaultFont()->GetName().GetView()), u"FontTwo");
  EXPECT_EQ(GetApplicationDefaultFont(), app.GetDefaultFont());
  // The wait cursor once per window, on the active window (the last of the
  // two, both being active), and the arrow back afterwards.
  EXPECT_EQ(app.cursorNames, (std::vector<std::u16string>{u"UI_CURSOR_WAIT", u"UI_CURSOR_WAIT"}));
  EXPECT_EQ(hosts[1].cursor, FakeWindowHost::kArrow);
  const RectT<int32_t> whole[] = {{0, 0, 400, 300}, {0, 0, 640, 480}};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NE(std::find(hosts[i].invalidated.begin(), hosts[i].invalidated.end(), whole[i]),
              hosts[i].invalidated.end());
  }
  EXPECT_EQ(settings.GetIntWrites().back().value, 2);
}

}  // namespace
}  // namespace HV::Test
