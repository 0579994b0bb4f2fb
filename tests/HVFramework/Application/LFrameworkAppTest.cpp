#include "HVFramework/Application/LFrameworkApp.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Renderer/RendererSetupErrors.h"
#include "tests/HVFramework/Application/TestFrameworkApp.h"
#include "tests/support/NotificationRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV::Test {
namespace {

constexpr const WChar* kExitRequest = u"NID_APP_EXIT_REQ";
constexpr const WChar* kWork = u"NID_TEST_WORK";

void PostToApplication(const WChar* name) {
  ASSERT_EQ(GetApplicationNotificationCenter()->CreateAndPostNotification(name), S_OK);
}

// A client of the application centre that posts new work each time it gets
// some: the centre never runs dry.
RCPtr<NotificationRecorder> EndlessWork(NotificationLog& log) {
  RCPtr<NotificationRecorder> worker = NotificationRecorder::Create("work", log);
  const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter();
  worker->RegisterNotification(RCPtr<LNotificationDistributor>(center.Get()), kWork);
  worker->SetReaction([](NotificationRecorder&, const RCPtr<LNotificationDistributor>&,
                         const RCPtr<LNotification>&) { PostToApplication(kWork); });
  return worker;
}

// --- Idle ---

TEST_F(FrameworkApp, AnIdlePeriodWithWorkLeftMakesThreePassesAndTheNextPeriodDrainsAgain) {
  TestFrameworkApp& app = StartApp();
  NotificationLog log;
  const RCPtr<NotificationRecorder> worker = EndlessWork(log);
  PostToApplication(kWork);
  system.AdvanceClockInWaits(&clock);
  // The first tick ends the program: two idle periods run, one before the
  // loop's first sleep and one after the tick.
  app.onTick = [](Platform::MessageLoop& loop) { loop.PostQuit(0); };
  app.idlePasses.clear();

  EXPECT_EQ(app.RunMessageLoop(), 0);

  EXPECT_EQ(app.idleCallbacks, (std::vector<int32_t>{0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(app.idlePasses, (std::vector<bool>{true, false, false, true, false, false}));
  EXPECT_EQ(log.Deliveries().size(), 6u);  // one queued notification per pass
  worker->UnregisterAllNotifications();
}

TEST_F(FrameworkApp, TheIdleRuleAsksForMoreTimeOnlyBeforeTheThirdPass) {
  TestFrameworkApp& app = StartApp();
  NotificationLog log;
  const RCPtr<NotificationRecorder> worker = EndlessWork(log);
  PostToApplication(kWork);
  const bool wantsMore[] = {true, true, false};
  for (int32_t count = 0; count < 3; ++count) EXPECT_EQ(app.OnIdle(count), wantsMore[count]) << count;
  worker->UnregisterAllNotifications();
  // Without work, not even the first pass asks for more.
  app.ProcessIdle(false);
  EXPECT_FALSE(app.OnIdle(0));
}

TEST_F(FrameworkApp, OnceExitingNoIdleWorkIsDone) {
  TestFrameworkApp& app = StartApp();
  PostToApplication(kExitRequest);
  EXPECT_FALSE(app.OnIdle(0));  // this pass delivers the request
  ASSERT_TRUE(app.IsExiting());
  app.idlePasses.clear();
  NotificationLog log;
  const RCPtr<NotificationRecorder> worker = EndlessWork(log);
  PostToApplication(kWork);

  for (int32_t count : {0, 1, 2}) EXPECT_FALSE(app.OnIdle(count));

  EXPECT_TRUE(app.idlePasses.empty());
  EXPECT_TRUE(log.Deliveries().empty());
  worker->UnregisterAllNotifications();
}

TEST_F(FrameworkApp, AnIdlePassDrainsTheCentresFirstThenTheRootWindowsFromTheLast) {
  TestFrameworkApp& app = StartApp();
  NotificationLog log;
  std::vector<RCPtr<NotificationRecorder>> recorders;
  std::vector<RCPtr<LRootWindow>> windows;
  for (int i = 0; i < 3; ++i) {
    windows.push_back(LRootWindow::Create(&hosts[i]));
    ASSERT_EQ(app.AddRootWindow(windows.back()), i);
    recorders.push_back(NotificationRecorder::Create("window" + std::to_string(i + 1), log));
    recorders.back()->RegisterNotification(RCPtr<LNotificationDistributor>(windows.back().Get()),
                                           u"NID_IDLE");
  }
  recorders.push_back(NotificationRecorder::Create("centre", log));
  recorders.back()->RegisterNotification(
      RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter().Get()), kWork);
  PostToApplication(kWork);

  app.ProcessIdle(true);
  EXPECT_EQ(log.Deliveries(), (std::vector<std::string>{"centre:NID_TEST_WORK", "window3:NID_IDLE",
                                                        "window2:NID_IDLE", "window1:NID_IDLE"}));
  log.Clear();
  app.ProcessIdle(false);  // "NID_IDLE" only on the first pass of a period
  EXPECT_TRUE(log.Deliveries().empty());
  for (const RCPtr<NotificationRecorder>& recorder : recorders) recorder->UnregisterAllNotifications();
}

// --- Exit ---

TEST_F(FrameworkApp, AnExitRequestEndsTheModalLoopsOfTheThirdThenTheSecondWindowAndLeavesTheFirst) {
  TestFrameworkApp& app = StartApp();
  const RCPtr<LRootWindow> windows[] = {LRootWindow::Create(&hosts[0]), LRootWindow::Create(&hosts[1]),
                                        LRootWindow::Create(&hosts[2])};
  for (const RCPtr<LRootWindow>& window : windows) app.AddRootWindow(window);
  PostToApplication(kExitRequest);

  app.ProcessIdle(true);

  EXPECT_TRUE(app.IsExiting());
  EXPECT_EQ(modalEnds, (std::vector<std::string>{"third:0", "second:0"}));
  EXPECT_TRUE(hosts[0].endModalResults.empty());
}

TEST_F(FrameworkApp, OtherNotificationsLeaveTheApplicationRunning) {
  TestFrameworkApp& app = StartApp();
  app.ReceiveNotification(nullptr, LNotification::Create(u"NID_APP_EXIT"));
  EXPECT_FALSE(app.IsExiting());
}

// --- Run ---

struct StartupErrorRow {
  const char* label;
  bool hasTexts;
  std::string caption;
  std::string text;
};

TEST_F(FrameworkApp, ALoopThatThrowsShowsTheStartupErrorAndRequestsTheExit) {
  const StartupErrorRow rows[] = {
      {"texts of the string table", true, "Tarsel", "Start-up went wrong."},
      {"built-in texts without them", false, "Error",
       "The application encountered problems during startup and will now close."},
  };
  for (const StartupErrorRow& row : rows) {
    SCOPED_TRACE(row.label);
    TestFrameworkApp& app = MakeApp(ThreeSkins(), row.hasTexts ? StartupTexts() : LStringTable::Create());
    ASSERT_EQ(app.RunApplicationStartup(), S_OK);
    const size_t shownBefore = system.GetShownMessageBoxes().size();
    app.onEvent = [](const Platform::WindowEvent&) { throw std::runtime_error("broken window"); };
    Platform::WindowEvent event;
    event.kind = Platform::WindowEventKind::Expose;
    system.Script(event);

    EXPECT_EQ(app.Run(), E_FAIL);

    ASSERT_EQ(system.GetShownMessageBoxes().size(), shownBefore + 1);
    EXPECT_EQ(system.GetShownMessageBoxes().back(), std::make_pair(row.caption, row.text));
    EXPECT_TRUE(app.IsExiting());  // the final idle pass delivered the posted request
    this->app = nullptr;
  }
}

TEST_F(FrameworkApp, ARendererSetupErrorShowsAWarningFromTheFrameworkTextsWhileTheAppRuns) {
  LStringTable::Entries german;
  german[StringW(u"GL_ERROR_CAPTION")] = StringW(u"OpenGL-Fehler");
  german[StringW(u"GL_ERROR_MESSAGE_SET_PIXEL_FORMAT")] = StringW(u"SetPixelFormat fehlgeschlagen. ");
  german[StringW(u"GL_ERROR_UPDATE_DRIVER")] = StringW(u"Treiber aktualisieren.");
  const StartupErrorRow rows[] = {
      {"texts of the string table", true, "OpenGL-Fehler", "SetPixelFormat fehlgeschlagen. Treiber aktualisieren."},
      {"built-in texts without them", false, "OpenGL Error",
       "SetPixelFormat failed.Updating your video card driver, with the latest driver from the manufacturer of "
       "your video card, may solve this issue."},
  };
  for (const StartupErrorRow& row : rows) {
    SCOPED_TRACE(row.label);
    TestFrameworkApp& app =
        MakeApp(ThreeSkins(), LStringTable::Create(row.hasTexts ? german : LStringTable::Entries()));
    const size_t shownBefore = system.GetShownMessageBoxes().size();
    ReportRendererSetupError(u"GL_ERROR_MESSAGE_SET_PIXEL_FORMAT");
    EXPECT_EQ(system.GetShownMessageBoxes().size(), shownBefore) << "shown before start-up";
    ASSERT_EQ(app.RunApplicationStartup(), S_OK);

    ReportRendererSetupError(u"GL_ERROR_MESSAGE_SET_PIXEL_FORMAT");

    ASSERT_EQ(system.GetShownMessageBoxes().size(), shownBefore + 1);
    EXPECT_EQ(system.GetShownMessageBoxes().back(), std::make_pair(row.caption, row.text));
    app.RunApplicationShutdown();
    ReportRendererSetupError(u"GL_ERROR_MESSAGE_SET_PIXEL_FORMAT");
    EXPECT_EQ(system.GetShownMessageBoxes().size(), shownBefore + 1) << "shown after shutdown";
    this->app = nullptr;
  }
}

TEST_F(FrameworkApp, RunPaintsTheMainWindowWholeAndRunsAnIdlePassOnEachSideOfTheLoop) {
  TestFrameworkApp& app = StartApp();
  FakeWindowHost& host = hosts[0];
  host.clientRect = {30, 40, 320, 200};
  const RCPtr<LRootWindow> window = LRootWindow::Create(&host);
  app.AddRootWindow(window);
  host.invalidated.clear();
  app.idlePasses.clear();
  Platform::WindowEvent quit;
  quit.kind = Platform::WindowEventKind::Quit;
  quit.code = 3;
  system.Script(quit);
  // The first paint is now, before the first idle pass and the loop.
  std::vector<size_t> idlePassesAtRedraw;
  host.onRedraw = [&] { idlePassesAtRedraw.push_back(app.idlePasses.size()); };

  EXPECT_EQ(app.Run(), 3);

  EXPECT_EQ(idlePassesAtRedraw, std::vector<size_t>{0});
  ASSERT_FALSE(host.invalidated.empty());
  EXPECT_EQ(host.invalidated.front(), (RectT<int32_t>{0, 0, 320, 200}));
  ASSERT_GE(app.idlePasses.size(), 2u);
  EXPECT_TRUE(app.idlePasses.front());
  EXPECT_TRUE(app.idlePasses.back());
  EXPECT_TRUE(system.GetShownMessageBoxes().empty());
}

// --- Root windows ---

TEST_F(FrameworkApp, RootWindowsAreListedOnceAndSharedWithTheControls) {
  TestFrameworkApp& app = MakeApp();
  const RCPtr<LRootWindow> main = LRootWindow::Create(&hosts[0]);
  const RCPtr<LRootWindow> dialog = LRootWindow::Create(&hosts[1]);

  EXPECT_EQ(app.AddRootWindow(main), 0);
  EXPECT_EQ(app.AddRootWindow(dialog), 1);
  EXPECT_EQ(app.AddRootWindow(main), 0);
  EXPECT_EQ(app.GetRootWindows().GetCount(), 2u);
  EXPECT_EQ(GetApplicationRootWindowCount(), 2);
  EXPECT_EQ(app.GetPrimaryWindowOwner(), &hosts[0]);

  EXPECT_EQ(app.RemoveRootWindow(main), 0);
  EXPECT_EQ(app.RemoveRootWindow(main), -1);
  EXPECT_EQ(GetApplicationRootWindowAt(0), dialog.Get());
  EXPECT_EQ(GetApplicationRootWindowCount(), 1);

  this->app = nullptr;
  EXPECT_EQ(GetApplicationRootWindowCount(), 0);
}

TEST_F(FrameworkApp, TheActiveWindowAnswersForTheMouseElseTheDesktopDoes) {
  TestFrameworkApp& app = MakeApp();
  hosts[0].active = hosts[1].active = false;
  hosts[1].clientRect = {100, 50, 200, 100};
  hosts[1].mouse = {10, 20};
  hosts[1].buttons = 4;
  const RCPtr<LRootWindow> windows[] = {LRootWindow::Create(&hosts[0]), LRootWindow::Create(&hosts[1])};
  for (const RCPtr<LRootWindow>& window : windows) app.AddRootWindow(window);
  app.pressedKey = 4;  // the middle button's virtual key

  EXPECT_EQ(app.GetActiveRootWindow(), nullptr);
  EXPECT_EQ(app.GetMouseButtons(), 2u);
  EXPECT_EQ(app.GetCursorPosition(), (PointT<int32_t>{-7, -9}));

  hosts[1].active = true;
  EXPECT_EQ(app.GetActiveRootWindow(), windows[1]);
  EXPECT_EQ(app.GetMouseButtons(), 4u);
  EXPECT_EQ(app.GetCursorPosition(), (PointT<int32_t>{110, 70}));
}

// --- Status text ---

TEST_F(FrameworkApp, StatusTextsGoToTheAnnouncedStatusBarOnceThereIsAWindow) {
  TestFrameworkApp& app = MakeApp(
      "<Skins><Skin Name=\"S\"><SubControl Class=\"Framework.StatusBar\" Name=\"status\" XSizeAbs=\"400\" "
      "YSizeAbs=\"22\"><SubControl Class=\"Framework.Label\" Name=\"label1\" XSizeAbs=\"400\" "
      "YSizeAbs=\"22\"/></SubControl></Skin></Skins>");
  ASSERT_EQ(app.RunApplicationStartup(), S_OK);
  LControlFactory& factory = *app.GetControlFactory();
  const RCPtr<LStatusBar> bar = DynamicCast<LStatusBar>(
      factory.CreateControl(factory.FindControlDescriptor(StringW(u"status")), nullptr));
  ASSERT_TRUE(bar);
  const RCPtr<LControl> label = bar->FindChildControl(StringW(u"label1"));
  ASSERT_TRUE(label);

  EXPECT_EQ(app.SetStatusText(StringW(u"Saved"), false), E_FAIL);  // no bar yet
  app.SetStatusBar(bar);
  EXPECT_EQ(app.SetStatusText(StringW(u"Saved"), false), E_FAIL);  // no window yet
  app.AddRootWindow(LRootWindow::Create(&hosts[0]));

  EXPECT_EQ(app.SetStatusText(StringW(u"Saved"), false), S_OK);
  EXPECT_TRUE(label->GetText() == u"Saved");
  EXPECT_EQ(app.RestoreStatusText(false), S_OK);
  EXPECT_TRUE(label->GetText() == bar->GetDefaultText());
}

// --- Life ---

TEST_F(FrameworkApp, StartUpPublishesTheServicesAndTheEndWithdrawsThem) {
  TestFrameworkApp& app = StartApp();
  EXPECT_EQ(LFrameworkApp::GetInstance(), &app);
  EXPECT_EQ(GetApplicationControlFactory(), app.GetControlFactory());
  EXPECT_EQ(GetApplicationHotKeys(), app.GetHotKeyManager().Get());
  EXPECT_EQ(GetApplicationWorkArea(), (RectT<double>{0, 0, 1920, 1040}));
  EXPECT_EQ(GetApplicationDefaultFont(), app.GetDefaultFont());
  EXPECT_TRUE(LNotification::IsPoolEnabled());
  const RCPtr<LNotificationCenter> oldCenter = GetApplicationNotificationCenter();

  this->app = nullptr;

  EXPECT_EQ(LFrameworkApp::GetInstance(), nullptr);
  EXPECT_EQ(GetApplicationControlFactory(), nullptr);
  EXPECT_EQ(GetApplicationHotKeys(), nullptr);
  EXPECT_EQ(GetApplicationDefaultFont(), nullptr);
  EXPECT_FALSE(LNotification::IsPoolEnabled());
  // The centres went with their manager: the next one starts afresh.
  EXPECT_NE(GetApplicationNotificationCenter(), oldCenter);
}

TEST_F(FrameworkApp, ShutdownDropsTheFactoryTheHotKeysAndTheClipboard) {
  TestFrameworkApp& app = StartApp();
  EXPECT_EQ(app.RunApplicationShutdown(), S_OK);
  EXPECT_EQ(app.GetControlFactory(), nullptr);
  EXPECT_EQ(app.GetHotKeyManager(), nullptr);
  EXPECT_EQ(app.GetClipboard(), nullptr);
  EXPECT_EQ(GetApplicationControlFactory(), nullptr);
  EXPECT_EQ(GetApplicationHotKeys(), nullptr);
}

TEST_F(FrameworkApp, TheApplicationHotKeysPostToTheApplicationCentre) {
  TestFrameworkApp& app = StartApp();
  NotificationLog log;
  const RCPtr<NotificationRecorder> recorder = NotificationRecorder::Create("app", log);
  recorder->RegisterNotification(RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter().Get()),
                                 kExitRequest);
  ASSERT_EQ(app.GetHotKeyManager()->Bind(KeyCode::Parse(StringW(u"Alt+VKEY_F4")), StringW(kExitRequest)),
            S_OK);

  EXPECT_EQ(app.GetHotKeyManager()->HandleKey(LKeyParam::Create(KeyCode::Parse(StringW(u"Alt+VKEY_F4")))), 0);
  EXPECT_TRUE(log.Deliveries().empty());  // posted, not sent
  app.ProcessIdle(true);

  EXPECT_EQ(log.Deliveries(), (std::vector<std::string>{"app:NID_APP_EXIT_REQ"}));
  EXPECT_TRUE(app.IsExiting());
  recorder->UnregisterAllNotifications();
}

}  // namespace
}  // namespace HV::Test
