// The OS window over the headless window system: input reaching the root
// window (activity, capture, wheel, keys, characters), painting, closing,
// modal loops and the main window's placement.
#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"

#include "HVFramework/ControlBase/Window/WindowPlacement.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "tests/support/NotificationRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr uint32_t kAlt = 0x40, kLAlt = 0x80;
constexpr int32_t kKeyA = 'A';

DialogControl& Dialog(const OSWindow& window) {
  return dynamic_cast<DialogControl&>(*window.GetRootWindow()->GetRootControl());
}

class OSWindowInput : public OSWindowFixture {
 protected:
  void SetUp() override {
    window = Open(u"main");
    ASSERT_TRUE(window);
    root = window->GetRootWindow();
    recorder = NotificationRecorder::Create("a1", log);
    recorder->RegisterNotification(RCPtr<LNotificationDistributor>(&Input(*window, u"a1")), u"NID_MOUSE_DOWN");
    recorder->RegisterNotification(RCPtr<LNotificationDistributor>(&Input(*window, u"a1")), u"NID_MOUSE_UP");
  }
  void TearDown() override { recorder->UnregisterAllNotifications(); }
  std::vector<std::string> TakeDeliveries() {
    std::vector<std::string> deliveries = log.Deliveries();
    log.Clear();
    return deliveries;
  }

  RCPtr<OSWindow> window;
  RCPtr<LRootWindow> root;
  NotificationLog log;
  RCPtr<NotificationRecorder> recorder;
};

TEST_F(OSWindowInput, AnInactiveWindowDropsInput) {
  Input(*window, u"a1").handledKeys = {kKeyA};
  Input(*window, u"a1").handlesWheel = true;
  Send(*window, Mouse(Kind::MouseDown, 15, 12, 1));
  Send(*window, Mouse(Kind::MouseUp, 15, 12, 1));
  Send(*window, Wheel(15, 12, 120));
  Send(*window, Key(Kind::KeyDown, kKeyA));
  EXPECT_THAT(TakeDeliveries(), IsEmpty());
  EXPECT_THAT(TakeInput(), IsEmpty());

  Focus(*window);
  EXPECT_TRUE(window->IsActive());
  EXPECT_EQ(root->GetFocusControl(), &Input(*window, u"a1"));
  Send(*window, Mouse(Kind::MouseDown, 15, 12, 1));
  Send(*window, Mouse(Kind::MouseUp, 15, 12, 1));
  Send(*window, Wheel(15, 12, 120));
  Send(*window, Key(Kind::KeyDown, kKeyA));
  EXPECT_THAT(TakeDeliveries(), ElementsAre("a1:NID_MOUSE_DOWN", "a1:NID_MOUSE_UP"));
  EXPECT_THAT(TakeInput(), ElementsAre("a1:wheel 1 at 15,12", "a1:key 65"));

  Focus(*window, false);
  EXPECT_FALSE(window->IsActive());
  Send(*window, Key(Kind::KeyDown, kKeyA));
  EXPECT_THAT(TakeInput(), IsEmpty());
}

// The modifiers the last key event reported, without their side bits, until
// the window loses the keyboard.
TEST_F(OSWindowInput, TheRootWindowsModifiersAreThoseOfTheLastKey) {
  struct Case {
    const char* name;
    uint32_t eventModifiers;
    uint32_t expected;
  };
  const Case cases[] = {
      {"none", 0, 0},
      {"left Ctrl", 0x01 | 0x02, 0x01},
      {"right Shift", 0x08 | 0x20, 0x08},
      {"Ctrl Alt", 0x01 | 0x40 | 0x80, 0x41},
      {"the system key alone", 0x200, 0},
  };
  Focus(*window);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Send(*window, Key(Kind::KeyDown, kKeyA, c.eventModifiers));
    EXPECT_EQ(root->GetModifiers(), c.expected);
  }
  Send(*window, Key(Kind::KeyDown, kKeyA, 0x01));
  Focus(*window, false);
  EXPECT_EQ(root->GetModifiers(), 0u);
}

TEST_F(OSWindowInput, TheCaptureIsHeldWhileAButtonIsDownAndLetGoOutside) {
  Focus(*window);
  // Pressed inside, dragged out, released outside: the release reaches the
  // control that holds the capture, and the window lets go of the mouse.
  Send(*window, Mouse(Kind::MouseDown, 15, 12, 1));
  EXPECT_EQ(system.GetCapture(), window->GetWindowId());
  EXPECT_EQ(root->GetCaptureControl(), &Input(*window, u"a1"));
  Send(*window, Mouse(Kind::MouseMove, 500, 400, 1));
  EXPECT_EQ(system.GetCapture(), window->GetWindowId());
  EXPECT_EQ(window->GetMouseButtons(), 1u);
  Send(*window, Mouse(Kind::MouseUp, 500, 400, 1));
  EXPECT_THAT(TakeDeliveries(), ElementsAre("a1:NID_MOUSE_DOWN", "a1:NID_MOUSE_UP"));
  EXPECT_EQ(system.GetCapture(), 0u);
  EXPECT_FALSE(window->HasSystemCapture());
  EXPECT_EQ(root->GetCaptureControl(), nullptr);

  // Released inside: the window keeps the mouse until it leaves with no
  // button held.
  Send(*window, Mouse(Kind::MouseDown, 15, 12, 1));
  Send(*window, Mouse(Kind::MouseUp, 15, 12, 1));
  EXPECT_EQ(system.GetCapture(), window->GetWindowId());
  Send(*window, Mouse(Kind::MouseMove, 300, 200, 0));
  EXPECT_EQ(system.GetCapture(), window->GetWindowId());
  Send(*window, Mouse(Kind::MouseMove, -5, 200, 0));
  EXPECT_EQ(system.GetCapture(), 0u);
}

TEST_F(OSWindowInput, LosingTheFocusEndsADrag) {
  Focus(*window);
  Send(*window, Mouse(Kind::MouseDown, 15, 12, 1));
  ASSERT_EQ(root->GetCaptureControl(), &Input(*window, u"a1"));
  Focus(*window, false);
  EXPECT_EQ(root->GetCaptureControl(), nullptr);
  EXPECT_EQ(system.GetCapture(), 0u);
  EXPECT_EQ(root->GetFocusControl(), nullptr);
  EXPECT_EQ(root->GetPreviousFocusControl(), &Input(*window, u"a1"));
  // The focus comes back to where it was.
  Send(*window, Mouse(Kind::MouseUp, 15, 12, 0));
  Focus(*window);
  EXPECT_EQ(root->GetFocusControl(), &Input(*window, u"a1"));
}

TEST_F(OSWindowInput, ADoubleClickPressIsReportedAsOne) {
  Focus(*window);
  Send(*window, Mouse(Kind::MouseDown, 15, 12, 1, 1));
  Send(*window, Mouse(Kind::MouseUp, 15, 12, 1));
  Send(*window, Mouse(Kind::MouseDown, 15, 12, 1, 2));
  Send(*window, Mouse(Kind::MouseUp, 15, 12, 1));
  std::vector<bool> doubles;
  for (const NotificationLog::Entry& entry : log.GetEntries())
    doubles.push_back(DynamicCast<LMouseButtonParam>(entry.notification->GetPayload())->doubleClick);
  EXPECT_THAT(doubles, ElementsAre(false, false, true, true));
}

TEST_F(OSWindowInput, WheelNotchesAddUpToSteps) {
  Focus(*window);
  Input(*window, u"a1").handlesWheel = true;
  Send(*window, Wheel(15, 12, 60));
  EXPECT_THAT(TakeInput(), IsEmpty());
  Send(*window, Wheel(15, 12, 60));
  EXPECT_THAT(TakeInput(), ElementsAre("a1:wheel 1 at 15,12"));
  Send(*window, Wheel(15, 12, 360));
  Send(*window, Wheel(15, 12, -150));
  EXPECT_THAT(TakeInput(), ElementsAre("a1:wheel 1 at 15,12", "a1:wheel 0 at 15,12"));
}

TEST_F(OSWindowInput, KeysAndCharactersReachTheFocusedControl) {
  Focus(*window);
  InputControl& a1 = Input(*window, u"a1");
  a1.handledKeys = {kKeyA};
  a1.takesCharacters = true;
  Send(*window, Key(Kind::KeyDown, kKeyA));
  Send(*window, Text("a"));
  Send(*window, Key(Kind::KeyDown, kKeyA, 0, true));
  EXPECT_THAT(TakeInput(), ElementsAre("a1:key 65", "a1:char a", "a1:key 65 up/repeat"));
  // A key-up carries no key-down bit: the test control takes it for a
  // character unless it only listens to keys.
  a1.takesCharacters = false;
  Send(*window, Key(Kind::KeyUp, kKeyA));
  EXPECT_THAT(TakeInput(), ElementsAre("a1:key 65 up/repeat"));
  a1.takesCharacters = true;
  // Under Alt a key is a command, not text.
  Send(*window, Key(Kind::KeyDown, 18, kAlt | kLAlt));
  Send(*window, Key(Kind::KeyDown, kKeyA, kAlt | kLAlt));
  Send(*window, Text("a"));
  a1.takesCharacters = false;
  Send(*window, Key(Kind::KeyUp, 18, 0));
  a1.takesCharacters = true;
  Send(*window, Text("b"));
  EXPECT_THAT(TakeInput(), ElementsAre("a1:key 65", "a1:char b"));
}

TEST_F(OSWindowInput, TheTreeFillsTheClientAreaWhereverTheWindowIs) {
  // Away from the screen's origin, inside a larger work area, the root
  // control still starts at the client origin, and points land there.
  SetApplicationWorkArea({0, 0, 1920, 1080});
  window->SetClientRect({300, 200, 420, 310});
  SetApplicationWorkArea({});
  const LControl::Rect area = root->GetRootControl()->GetRect();
  EXPECT_EQ((std::vector<double>{area.x, area.y, area.width, area.height}), (std::vector<double>{0, 0, 420, 310}));
  Focus(*window);
  InputControl& a1 = Input(*window, u"a1");
  a1.dragModeOnPress = 3;
  Send(*window, Mouse(Kind::MouseDown, 20, 15, 1));
  Send(*window, Mouse(Kind::MouseMove, 23, 16, 1));
  Send(*window, Mouse(Kind::MouseUp, 23, 16, 1));
  EXPECT_THAT(TakeInput(), ElementsAre("a1:drag start", "a1:drag 13,6", "a1:drag end"));
}

TEST_F(OSWindowInput, ACursorIsSharedByAllWindowsAndShownOnce) {
  const CursorHandle wait = window->GetCursorByName(StringW(u"UI_CURSOR_WAIT"));
  ASSERT_NE(wait, 0u);
  EXPECT_EQ(root->SetCursor(wait), 0u);
  EXPECT_EQ(system.GetCursor(), Platform::CursorKind::Wait);
  const RCPtr<OSWindow> other = Open();
  EXPECT_EQ(other->SetCursor(0), wait);
  // The root window's default is the arrow.
  root->SetCursor(0);
  EXPECT_EQ(system.GetCursor(), Platform::CursorKind::Arrow);
}

// --- Painting ---

class OSWindowPainting : public OSWindowFixture {};

TEST_F(OSWindowPainting, OnlyWhatWasInvalidatedIsPresented) {
  const RCPtr<OSWindow> window = Open(u"main");
  const RCPtr<Platform::MemoryPresenter> presenter = system.GetMemoryPresenter(window->GetWindowId());
  ASSERT_TRUE(presenter);
  // The first frame is the whole window.
  ASSERT_TRUE(window->NeedsPaint());
  dispatcher.PaintDirtyWindows();
  ASSERT_EQ(presenter->GetPresentedRects().size(), 1u);
  EXPECT_THAT(presenter->GetPresentedRects()[0], ElementsAre(RectT<int32_t>{0, 0, 400, 300}));
  // Nothing dirty: no frame.
  EXPECT_FALSE(window->NeedsPaint());
  dispatcher.PaintDirtyWindows();
  EXPECT_EQ(presenter->GetPresentedRects().size(), 1u);
  // A control's rectangle, cut to the window.
  window->GetRootWindow()->InvalidateRect({390, 10, 50, 20});
  dispatcher.PaintDirtyWindows();
  ASSERT_EQ(presenter->GetPresentedRects().size(), 2u);
  EXPECT_THAT(presenter->GetPresentedRects()[1], ElementsAre(RectT<int32_t>{390, 10, 10, 20}));
  EXPECT_TRUE(window->GetRootWindow()->TakeUpdateRegion().IsEmpty());
}

TEST_F(OSWindowPainting, AResizeLaysTheTreeOutAndPaintsTheWholeWindow) {
  const RCPtr<OSWindow> window = Open(u"main");
  const RCPtr<Platform::MemoryPresenter> presenter = system.GetMemoryPresenter(window->GetWindowId());
  dispatcher.PaintDirtyWindows();
  window->SetClientRect({100, 50, 320, 200});
  EXPECT_EQ(window->GetRootWindow()->GetRootControl()->GetRect().width, 320);
  dispatcher.PaintDirtyWindows();
  ASSERT_EQ(presenter->GetPresentedRects().size(), 2u);
  EXPECT_THAT(presenter->GetPresentedRects()[1], ElementsAre(RectT<int32_t>{0, 0, 320, 200}));
  // The desktop uncovers the window: the whole of it again.
  Send(*window, Event(Kind::Expose));
  dispatcher.PaintDirtyWindows();
  EXPECT_THAT(presenter->GetPresentedRects().back(), ElementsAre(RectT<int32_t>{0, 0, 320, 200}));
}

TEST_F(OSWindowPainting, TheTreeIsDrawnIntoTheFrameItPresents) {
  const RCPtr<OSWindow> window = Open(u"painted", {300, 200, 200, 100});
  const RCPtr<Platform::MemoryPresenter> presenter = system.GetMemoryPresenter(window->GetWindowId());
  dispatcher.PaintDirtyWindows();
  constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF;
  EXPECT_EQ(presenter->GetPixel(15, 15), kRed);
  EXPECT_EQ(presenter->GetPixel(59, 29), kRed);
  EXPECT_EQ(presenter->GetPixel(60, 30), kBlue);
  EXPECT_EQ(presenter->GetPixel(199, 99), kBlue);
  // The box changes: only its rectangle is drawn and presented again.
  Input(*window, u"box").Invalidate({0, 0, 50, 20}, 0);
  dispatcher.PaintDirtyWindows();
  EXPECT_THAT(presenter->GetPresentedRects().back(), ElementsAre(RectT<int32_t>{10, 10, 50, 20}));
  EXPECT_EQ(presenter->GetPixel(15, 15), kRed);
}

// A paint asked for now draws the tree as it is and presents the whole
// window before returning, without the message loop.
TEST_F(OSWindowPainting, RedrawNowPresentsTheWholeWindowAtOnce) {
  const RCPtr<OSWindow> window = Open(u"painted", {300, 200, 200, 100});
  const RCPtr<Platform::MemoryPresenter> presenter = system.GetMemoryPresenter(window->GetWindowId());
  dispatcher.PaintDirtyWindows();
  constexpr uint32_t kBlue = 0xFF0000FF;
  Input(*window, u"box").SetVisible(false);
  const size_t before = presenter->GetPresentedRects().size();
  EXPECT_EQ(window->GetRootWindow()->RedrawNow(), S_OK);
  ASSERT_EQ(presenter->GetPresentedRects().size(), before + 1);
  EXPECT_THAT(presenter->GetPresentedRects().back(), ElementsAre(RectT<int32_t>{0, 0, 200, 100}));
  EXPECT_EQ(presenter->GetPixel(15, 15), kBlue);
  EXPECT_FALSE(window->NeedsPaint());
}

TEST_F(OSWindowPainting, TheCaptionIsTheWindowsTitle) {
  const RCPtr<OSWindow> window = Open(u"main");
  std::string title;
  window->SetCaption(StringW(u"Preset 3 \u2013 Tarsel"));
  ASSERT_TRUE(system.GetWindowTitle(window->GetWindowId(), title));
  EXPECT_EQ(title, "Preset 3 \xE2\x80\x93 Tarsel");
  window->Destroy();
  window->SetCaption(StringW(u"gone"));  // a destroyed window has no title to change
  EXPECT_FALSE(system.GetWindowTitle(window->GetWindowId(), title));
}

TEST_F(OSWindowPainting, HidingAControlShowsWhatLiesUnderItAndShowingItDrawsItAgain) {
  const RCPtr<OSWindow> window = Open(u"painted", {300, 200, 200, 100});
  const RCPtr<Platform::MemoryPresenter> presenter = system.GetMemoryPresenter(window->GetWindowId());
  dispatcher.PaintDirtyWindows();
  constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF;
  Input(*window, u"box").SetVisible(false);
  dispatcher.PaintDirtyWindows();
  EXPECT_EQ(presenter->GetPixel(15, 15), kBlue);
  EXPECT_EQ(presenter->GetPixel(59, 29), kBlue);
  Input(*window, u"box").SetVisible(true);
  dispatcher.PaintDirtyWindows();
  EXPECT_EQ(presenter->GetPixel(15, 15), kRed);
  EXPECT_EQ(presenter->GetPixel(59, 29), kRed);
}

// --- Closing and modal loops ---

class OSWindowClosing : public OSWindowFixture {
 protected:
  OSWindowClosing() {
    appCenter = GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
    recorder->RegisterNotification(RCPtr<LNotificationDistributor>(appCenter.Get()), u"NID_APP_EXIT_REQ");
  }
  ~OSWindowClosing() override { recorder->UnregisterAllNotifications(); }
  std::vector<std::string> TakeDeliveries() {
    std::vector<std::string> deliveries = log.Deliveries();
    log.Clear();
    return deliveries;
  }

  NotificationLog log;
  RCPtr<NotificationRecorder> recorder = NotificationRecorder::Create("app", log);
  RCPtr<LNotificationCenter> appCenter;
};

TEST_F(OSWindowClosing, TheMainWindowsCloseBoxAsksTheApplicationToExit) {
  const RCPtr<OSWindow> main = Open(u"main");
  Send(*main, Event(Kind::Close));
  EXPECT_FALSE(main->IsDestroyed());
  dispatcher.OnIdle(0);
  EXPECT_THAT(TakeDeliveries(), ElementsAre("app:NID_APP_EXIT_REQ"));
}

TEST_F(OSWindowClosing, ADialogWindowClosesWithResultTwoAndIsDestroyed) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<OSWindow> dialog = Open(u"dialog", {150, 100, 200, 100});
  Focus(*main);
  Input(*main, u"a1").handledKeys = {kKeyA};
  // While the dialog runs, the main window gets no input.
  Script(*main, Key(Kind::KeyDown, kKeyA));
  Script(*dialog, Event(Kind::Close));
  EXPECT_EQ(dialog->RunModal(), LRootWindow::kDialogCancel);
  EXPECT_TRUE(dialog->IsDestroyed());
  EXPECT_FALSE(dialog->IsModal());
  EXPECT_EQ(GetApplicationRootWindowCount(), 1);
  EXPECT_THAT(TakeInput(), IsEmpty());
  EXPECT_THAT(TakeDeliveries(), IsEmpty());
  EXPECT_EQ(dispatcher.FindWindow(dialog->GetWindowId()), nullptr);
}

// Without a window manager nobody gives the keyboard back when a dialog
// closes: the window that had it asks for it again.
TEST_F(OSWindowClosing, TheWindowThatHadTheKeyboardGetsItBackWhenADialogCloses) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<OSWindow> dialog = Open(u"dialog", {150, 100, 200, 100});
  main->Show(true);
  Focus(*main);
  Script(*main, Event(Kind::FocusLost));  // the dialog takes the keyboard
  Script(*dialog, Event(Kind::FocusGained));
  Script(*dialog, Event(Kind::Close));
  EXPECT_EQ(dialog->RunModal(), LRootWindow::kDialogCancel);
  EXPECT_FALSE(main->IsActive());
  dispatcher.Quit(0);
  EXPECT_EQ(dispatcher.Run(), 0);  // the desktop's answer arrives in the loop
  EXPECT_TRUE(main->IsActive());
}

TEST_F(OSWindowClosing, AnotherWindowsCloseEndsItsModalLoopWithZero) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<OSWindow> second = Open(u"main", {0, 0, 100, 100});
  Script(*second, Event(Kind::Close));
  EXPECT_EQ(second->RunModal(), 0);
  EXPECT_TRUE(second->IsDestroyed());
  EXPECT_FALSE(main->IsDestroyed());
}

TEST_F(OSWindowClosing, ModalLoopsNestAndAnOuterEndWaitsForTheInnerLoop) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<OSWindow> outer = Open(u"dialog", {0, 0, 100, 100});
  const RCPtr<OSWindow> inner = Open(u"dialog", {0, 0, 50, 50});
  int32_t innerResult = 0;
  // Closing the outer dialog opens the inner one; closing that asks the
  // outer one to end too, which must wait until the inner loop is over.
  Dialog(*outer).onClose = [&](int32_t) { innerResult = inner->RunModal(); };
  Dialog(*inner).onClose = [&](int32_t) {
    outer->EndModal(5);
    EXPECT_TRUE(outer->IsModal());
    inner->GetRootWindow()->EndModalLoop(3);
  };
  Script(*outer, Event(Kind::Close));
  Script(*inner, Event(Kind::Close));
  EXPECT_EQ(outer->RunModal(), 5);
  EXPECT_EQ(innerResult, 3);
  EXPECT_TRUE(inner->IsDestroyed());
  EXPECT_TRUE(outer->IsDestroyed());
  EXPECT_EQ(dispatcher.GetMessageLoop().GetModalDepth(), 0);
}

TEST_F(OSWindowClosing, AQuitInsideAModalLoopEndsItAndIsPostedAgain) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<OSWindow> dialog = Open(u"main", {0, 0, 100, 100});
  dispatcher.Quit(4);
  EXPECT_EQ(dialog->RunModal(), Platform::MessageLoop::kModalQuit);
  EXPECT_TRUE(dialog->IsDestroyed());
  EXPECT_EQ(dispatcher.Run(), 4);
}

TEST_F(OSWindowClosing, EndingAModalLoopOutsideOneDestroysTheWindow) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<OSWindow> popup = Open(u"main", {0, 0, 100, 100});
  popup->EndModal(1);
  EXPECT_TRUE(popup->IsDestroyed());
  EXPECT_FALSE(system.IsWindowVisible(popup->GetWindowId()));
}

TEST_F(OSWindowClosing, ADialogRunsInAWindowOfItsOwnAndItsCloseBoxCancelsIt) {
  const RCPtr<OSWindow> main = Open(u"main");
  SetApplicationWindowRunner(&dispatcher);
  const RCPtr<LControl> made = factory.CreateControl(TopLevel(u"realDialog"), nullptr);
  const RCPtr<LDialog> dialog = DynamicCast<LDialog>(made);
  ASSERT_TRUE(dialog);
  // The headless system numbers its windows in order: the dialog's is next.
  WindowEvent close = Event(Kind::Close);
  close.window = main->GetWindowId() + 1;
  system.Script(close);
  EXPECT_EQ(dialog->DoModal(), LDialog::kCancel);
  EXPECT_EQ(dialog->GetResult(), LDialog::kCancel);
  EXPECT_EQ(GetApplicationRootWindowCount(), 1);
  SetApplicationWindowRunner(nullptr);
}

TEST_F(OSWindowClosing, AControlShownWithoutALoopGetsAWindowCentredOverTheMainWindow) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<LControl> panel = factory.CreateControl(TopLevel(u"realDialog"), nullptr);
  ASSERT_EQ(dispatcher.RunControlInRootWindow(panel, false), S_OK);
  ASSERT_EQ(GetApplicationRootWindowCount(), 2);
  LRootWindow* root = GetApplicationRootWindowAt(1);
  EXPECT_EQ(root->GetRootControl(), panel);
  auto* window = dynamic_cast<OSWindow*>(root->GetHost());
  ASSERT_TRUE(window);
  EXPECT_TRUE(system.IsWindowVisible(window->GetWindowId()));
  // 200 x 120 over the main window's 400 x 300 at (100, 50).
  EXPECT_EQ(window->GetClientRect(), (RectT<int32_t>{200, 140, 200, 120}));
  EXPECT_EQ(panel->GetRect().x, 0);
  EXPECT_EQ(panel->GetRect().width, 200);
  EXPECT_EQ(dispatcher.RunControlInRootWindow(nullptr, false), E_FAIL);
  window->Destroy();
}

// --- Idle passes ---

TEST_F(OSWindowClosing, TheIdlePassesSendIdleOncePerTickOfTheLoop) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<LRootWindow> root = main->GetRootWindow();
  int32_t idles = 0;
  recorder->RegisterNotification(RCPtr<LNotificationDistributor>(root.Get()), u"NID_IDLE");
  recorder->SetReaction([&](NotificationRecorder&, const RCPtr<LNotificationDistributor>&,
                            const RCPtr<LNotification>& notification) {
    if (NameText(notification->GetName()) == "NID_IDLE" && ++idles == 3) dispatcher.Quit(0);
  });
  const uint32_t start = Platform::GetTickCount();
  EXPECT_EQ(dispatcher.Run(), 0);
  // Three rounds of the loop, a tick apart (the quit itself wakes the loop
  // at once): each ran its idle passes, only the first of them sent "NID_IDLE".
  EXPECT_EQ(idles, 3);
  EXPECT_EQ(Platform::GetTickCount() - start, 2 * Platform::MessageLoop::kTickMilliseconds);
  EXPECT_EQ(system.GetWaitCount(), 2u);
}

// --- Placement ---

class OSWindowPlacement : public OSWindowFixture {};

TEST_F(OSWindowPlacement, TheMainWindowKeepsItsPlacementInTheProfile) {
  const RectT<int32_t> moved{30, 40, 500, 350};
  {
    const RCPtr<OSWindow> main = Open(u"main", {100, 50, 400, 300}, u"HVMain");
    const RCPtr<OSWindow> other = Open(u"main", {0, 0, 100, 100}, u"Other");
    main->SetClientRect(moved);
    other->Destroy();
    main->Destroy();
  }
  // Only the main window writes, as the desktop's 44-byte record.
  ASSERT_EQ(profile.values.size(), 1u);
  const std::vector<uint8_t>& record = profile.values.at("HVMain/WP");
  ASSERT_EQ(record.size(), 44u);
  EXPECT_EQ(record[0], 44);
  EXPECT_EQ(record[8], 1);
  EXPECT_EQ(DecodePlacement(record), moved);
  // The next main window opens where the last one was.
  const RCPtr<OSWindow> again = Open(u"main", {100, 50, 400, 300}, u"HVMain");
  EXPECT_EQ(again->GetClientRect(), moved);
}

TEST_F(OSWindowPlacement, ADamagedPlacementIsIgnored) {
  struct Case {
    std::vector<uint8_t> record;
  };
  std::vector<uint8_t> wrongLength = EncodePlacement({1, 2, 30, 40});
  wrongLength[0] = 40;
  const std::vector<uint8_t> records[] = {{}, std::vector<uint8_t>(43, 0), wrongLength,
                                          EncodePlacement({10, 10, 0, 40}), EncodePlacement({10, 10, 30, -5})};
  for (const std::vector<uint8_t>& record : records) {
    profile.values["HVMain/WP"] = record;
    const RCPtr<OSWindow> window = Open(nullptr, {100, 50, 400, 300}, u"HVMain");
    EXPECT_EQ(window->GetClientRect(), (RectT<int32_t>{100, 50, 400, 300})) << record.size();
    window->Destroy();
  }
}

// A record from the profile is outside input: a window too large for any
// desktop or far from every screen opens where the program would put it, and
// one that merely does not fit the work area is fitted into it.
TEST_F(OSWindowPlacement, RestoredPlacementsAreSaneAndFitTheWorkArea) {
  using Rect = RectT<int32_t>;
  const Rect byDefault{100, 50, 400, 300};
  std::vector<uint8_t> truncated = EncodePlacement({30, 40, 500, 350});
  truncated.resize(30);
  const struct {
    const char* what;
    std::vector<uint8_t> record;
    Rect opened;
  } cases[] = {
      {"sane", EncodePlacement({30, 40, 500, 350}), {30, 40, 500, 350}},
      {"larger than the work area", EncodePlacement({10, 10, 16000, 16000}), {0, 24, 1600, 900}},
      {"huge", EncodePlacement({0, 0, 40000, 30000}), byDefault},
      {"far negative", EncodePlacement({-2000000000, -2000000000, 400, 300}), byDefault},
      {"off-screen", EncodePlacement({5000, 3000, 400, 300}), {1200, 624, 400, 300}},
      {"partly off-screen", EncodePlacement({-100, 10, 400, 300}), {0, 24, 400, 300}},
      {"truncated", truncated, byDefault},
  };
  system.SetWorkArea({0, 24, 1600, 900});
  for (const auto& c : cases) {
    profile.values["HVMain/WP"] = c.record;
    const RCPtr<OSWindow> window = Open(nullptr, byDefault, u"HVMain");
    ASSERT_TRUE(window) << c.what;
    EXPECT_EQ(window->GetClientRect(), c.opened) << c.what;
    window->Destroy();
  }
}

// A window of fixed size keeps the size its skin gives it: the kept
// placement lends it only a position, moved into the work area as needed.
TEST_F(OSWindowPlacement, AFixedSizeWindowTakesOnlyThePositionOfItsPlacement) {
  using Rect = RectT<int32_t>;
  const struct {
    const char* what;
    Rect kept;
    Rect given;  // the size the program gives the window
    Rect opened;
  } cases[] = {
      {"a larger size kept", {30, 40, 900, 700}, {100, 50, 400, 300}, {30, 40, 400, 300}},
      {"a smaller size kept", {30, 40, 100, 80}, {100, 50, 400, 300}, {30, 40, 400, 300}},
      {"off-screen", {5000, 3000, 100, 80}, {100, 50, 400, 300}, {1200, 624, 400, 300}},
      {"negative", {-300, -50, 400, 300}, {100, 50, 400, 300}, {0, 24, 400, 300}},
      {"wider and taller than the desktop", {200, 200, 400, 300}, {100, 50, 1700, 1000}, {0, 24, 1700, 1000}},
  };
  system.SetWorkArea({0, 24, 1600, 900});
  for (const auto& c : cases) {
    profile.values["HVMain/WP"] = EncodePlacement(c.kept);
    OSWindow::Spec spec{StringW(u"fixed"), c.given, false, StringW(u"HVMain")};
    spec.isResizable = false;
    const RCPtr<OSWindow> window = OSWindow::Create(dispatcher, spec);
    ASSERT_TRUE(window) << c.what;
    EXPECT_EQ(window->GetClientRect(), c.opened) << c.what;
    window->Destroy();
  }
}

// The first start has no kept placement: the window opens where the program
// puts it, but never off the work area, and with the frame the desktop draws
// around it inside too -- wholly when it fits, else with its title bar and
// the top of its client area (the menu bar) showing.
TEST_F(OSWindowPlacement, TheFirstStartOpensInsideTheWorkAreaWithItsFrame) {
  using Rect = RectT<int32_t>;
  const Platform::FrameExtents frame{1, 20, 1, 1};
  const struct {
    const char* what;
    Rect given;
    bool isResizable;
    Rect opened;
  } cases[] = {
      {"inside", {100, 60, 400, 300}, false, {100, 60, 400, 300}},
      {"its title bar above the area", {100, 30, 400, 300}, false, {100, 44, 400, 300}},
      {"beyond the right and bottom", {1500, 800, 400, 300}, false, {1199, 623, 400, 300}},
      {"left of the area", {-50, 100, 400, 300}, true, {1, 100, 400, 300}},
      {"larger, of fixed size", {16, 40, 1700, 1000}, false, {1, 44, 1700, 1000}},
      {"larger, resizable", {16, 40, 1700, 1000}, true, {1, 44, 1598, 879}},
  };
  system.SetWorkArea({0, 24, 1600, 900});
  system.SetFrameExtents(frame);
  for (const auto& c : cases) {
    OSWindow::Spec spec{StringW(u"main"), c.given, false, StringW(u"HVMain")};
    spec.isResizable = c.isResizable;
    const RCPtr<OSWindow> window = OSWindow::Create(dispatcher, spec);
    ASSERT_TRUE(window) << c.what;
    EXPECT_EQ(window->GetClientRect(), c.opened) << c.what;
    window->Destroy();
    profile.values.clear();
  }
}

TEST(WindowPlacement, MovingIntoTheWorkAreaKeepsTheSizeAndFittingCutsIt) {
  using Rect = RectT<int32_t>;
  const Rect area{10, 20, 800, 600};
  const struct {
    const char* what;
    Rect rect;
    Rect moved;
    Rect fitted;
  } cases[] = {
      {"inside", {50, 60, 200, 100}, {50, 60, 200, 100}, {50, 60, 200, 100}},
      {"right and below", {700, 600, 200, 100}, {610, 520, 200, 100}, {610, 520, 200, 100}},
      {"left and above", {-500, -500, 200, 100}, {10, 20, 200, 100}, {10, 20, 200, 100}},
      {"larger than the area", {100, 100, 1000, 700}, {10, 20, 1000, 700}, {10, 20, 800, 600}},
      {"at the far corner of the coordinates", {INT32_MAX - 10, INT32_MAX - 10, 200, 100}, {610, 520, 200, 100},
       {610, 520, 200, 100}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MovePlacementIntoWorkArea(c.rect, area), c.moved) << c.what;
    EXPECT_EQ(FitPlacementToWorkArea(c.rect, area), c.fitted) << c.what;
  }
  // A desktop that does not say where its work area is leaves the rectangle alone.
  EXPECT_EQ(MovePlacementIntoWorkArea({-5, -5, 20, 20}, {}), (Rect{-5, -5, 20, 20}));
}

}  // namespace
}  // namespace HV::Test
