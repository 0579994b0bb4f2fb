// Dialogs: the standard buttons' results through a modal run, the closing
// veto, the focus condition of OK and Close, and keys in a dialog's window.
#include "HVFramework/ControlBase/Views/LCancelArgs.h"
#include "HVFramework/ControlBase/Control/RootWindow/IControlWindowRunner.h"
#include "tests/HVFramework/ControlBase/Views/ViewsFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const kDialogSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Test.Dialog" Name="dlg">
    <SubControl Class="Test.Input" Name="field" XPositionAbs="10" YPositionAbs="10" XSizeAbs="100" YSizeAbs="20" TabStop="1"/>
    <SubControl Class="Test.Input" Name="buttonOK" XPositionAbs="10" YPositionAbs="50" XSizeAbs="50" YSizeAbs="20" TabStop="2"/>
    <SubControl Class="Test.Input" Name="buttonClose" XPositionAbs="70" YPositionAbs="50" XSizeAbs="50" YSizeAbs="20" TabStop="3"/>
    <SubControl Class="Test.Input" Name="buttonNo" XPositionAbs="130" YPositionAbs="50" XSizeAbs="50" YSizeAbs="20" TabStop="4"/>
    <SubControl Class="Test.Input" Name="buttonRetry" XPositionAbs="190" YPositionAbs="50" XSizeAbs="50" YSizeAbs="20" TabStop="5"/>
    <SubControl Class="Test.Input" Name="other" XPositionAbs="250" YPositionAbs="50" XSizeAbs="50" YSizeAbs="20" TabStop="6"/>
  </SubControl>
</Skin></Skins>)";

// The application's window runner played by the fixture's window: the
// dialog becomes its root control, the window turns modal, the test's
// script runs as the user, and idle passes run until the modal loop ends.
class FixtureWindowRunner : public IControlWindowRunner {
 public:
  FixtureWindowRunner(LRootWindow& window, FakeWindowHost& host) : mWindow(window), mHost(host) {}
  HResult RunControlInRootWindow(const RCPtr<LControl>& control, bool modal) override {
    runs.push_back(modal);
    mWindow.SetRootControl(control);
    mHost.modal = modal;
    if (script) script();
    for (int pass = 0; pass < 10 && mHost.endModalResults.empty(); ++pass) mWindow.ProcessIdle();
    mHost.modal = false;
    return mHost.endModalResults.empty() ? E_FAIL : mHost.endModalResults.back();
  }

  std::function<void()> script;
  std::vector<bool> runs;

 private:
  LRootWindow& mWindow;
  FakeWindowHost& mHost;
};

class Dialog : public ViewsFixture {
 protected:
  Dialog() { SetApplicationWindowRunner(&runner); }
  ~Dialog() override { SetApplicationWindowRunner(nullptr); }
  void SetUp() override {
    ASSERT_EQ(LoadSkinBody(kDialogSkin), S_OK);
    dialog = DynamicCast<LDialog>(factory.CreateControl(TopLevel(u"dlg"), nullptr));
    ASSERT_TRUE(dialog);
    Listen(dialog, "dlg", {u"NID_DIALOG_CLOSING", u"NID_DIALOG_CLOSED"});
  }
  // Clicks a control of the dialog in the middle.
  void ClickOn(const char16_t* name) {
    const LControl::Point origin = Find(name)->GetOriginInRoot();
    Click(static_cast<int32_t>(origin.x) + 5, static_cast<int32_t>(origin.y) + 5);
  }

  FixtureWindowRunner runner{*window, host};
  RCPtr<LDialog> dialog;
};

TEST_F(Dialog, EachStandardButtonEndsTheModalRunWithItsResult) {
  struct Row {
    const char16_t* button;
    HResult result;
  };
  for (const Row& row : {Row{u"buttonNo", 7}, Row{u"buttonRetry", 4}, Row{u"buttonOK", 1}, Row{u"buttonClose", 1}}) {
    host.endModalResults.clear();
    runner.script = [&] { ClickOn(row.button); };
    EXPECT_EQ(dialog->DoModal(), row.result) << Narrow(StringW(row.button));
    EXPECT_EQ(dialog->GetResult(), row.result);
    EXPECT_THAT(Take(), ElementsAre("dlg:NID_DIALOG_CLOSING", "dlg:NID_DIALOG_CLOSED"));
  }
  EXPECT_THAT(runner.runs, ElementsAre(true, true, true, true));
}

TEST_F(Dialog, AClickOnAnyOtherControlLeavesTheDialogOpen) {
  runner.script = [&] { ClickOn(u"other"); };
  EXPECT_EQ(dialog->DoModal(), E_FAIL);  // the fake loop gives up
  EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(Dialog, AReceiverOfClosingCanKeepTheDialogOpen) {
  const RCPtr<NotificationRecorder> veto = NotificationRecorder::Create("veto", log);
  veto->RegisterNotification(dialog, u"NID_DIALOG_CLOSING");
  veto->SetReactionOnce([](NotificationRecorder&, const RCPtr<LNotificationDistributor>&,
                           const RCPtr<LNotification>& notification) {
    DynamicCast<LCancelArgs>(notification->GetPayload())->cancel = true;
  });
  runner.script = [&] {
    ClickOn(u"buttonNo");
    Idle();
    EXPECT_TRUE(host.endModalResults.empty());
    ClickOn(u"buttonRetry");  // the veto was for once
  };
  EXPECT_EQ(dialog->DoModal(), 4);
  EXPECT_THAT(Take(), ElementsAre("veto:NID_DIALOG_CLOSING", "dlg:NID_DIALOG_CLOSING", "veto:NID_DIALOG_CLOSING",
                                  "dlg:NID_DIALOG_CLOSING", "dlg:NID_DIALOG_CLOSED"));
  veto->UnregisterAllNotifications();
}

TEST_F(Dialog, OkClosesOnlyWhenTheFocusCanMoveToIt) {
  runner.script = [&] {
    Find(u"field")->SetFocus(true);
    Input(u"field").keepsFocus = true;  // say, an invalid entry
    ClickOn(u"buttonOK");
    Idle();
    EXPECT_THAT(Take(), IsEmpty());
    ClickOn(u"buttonNo");  // Cancel-like buttons do not ask for the focus
  };
  EXPECT_EQ(dialog->DoModal(), 7);
  EXPECT_EQ(window->GetFocusControl(), Find(u"field").Get());
}

TEST_F(Dialog, WithoutAWindowRunnerThereIsNoModalRun) {
  SetApplicationWindowRunner(nullptr);
  EXPECT_EQ(dialog->DoModal(), E_FAIL);
}

TEST_F(Dialog, AltF4InADialogRequestsTheExitOnlyAtTheNextIdlePass) {
  Listen(appCenter, "app", {u"NID_APP_EXIT_REQ"});
  runner.script = [&] {
    Key(kF4, kAlt);
    EXPECT_THAT(Take(), IsEmpty());
    appCenter->ProcessNotifications(false);
    EXPECT_THAT(Take(), ElementsAre("app:NID_APP_EXIT_REQ"));
    ClickOn(u"buttonClose");
  };
  EXPECT_EQ(dialog->DoModal(), 1);
}

}  // namespace
}  // namespace HV::Test
