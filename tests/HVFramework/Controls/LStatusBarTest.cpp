// The status bar: texts set at once or posted and shown at the next idle
// pass, in the order given; posting from another thread; its default text
// and its lifetime with the queue that holds it.
#include "HVFramework/Controls/LStatusBar.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Notification/RuntimeNotificationNames.h"
#include "tests/HVFramework/Controls/ControlLibraryFixture.h"
#include "tests/support/FakeWindowHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;

constexpr const char* kSkin = R"(
<Skins><Skin Name="S">
  <SubControl Class="Framework.StatusBar" Name="status" XSizeAbs="400" YSizeAbs="22">
    <CreateParamList><CreateParam ID="NOT_FOCUSABLE">False</CreateParam></CreateParamList>
    <SubControl Class="Test.TextLog" Name="label1" XSizeAbs="400" YSizeAbs="22"/>
  </SubControl>
  <SubControl Class="Framework.StatusBar" Name="bare" XSizeAbs="400" YSizeAbs="22"/>
</Skin></Skins>)";

class StatusBarFixture : public ControlLibraryFixture {
 protected:
  void Load() {
    LoadControls(kSkin,
                 StringTables("<StringTable ID=\"App|status\">" + Text("LABEL", "Ready") + "</StringTable>"));
  }
  static TextLogControl& Label(LStatusBar& bar) {
    return static_cast<TextLogControl&>(*bar.FindChildControl(StringW(u"label1")));
  }
  static std::string Shown(LStatusBar& bar) { return Narrow(Label(bar).GetText()); }
};

class StatusBar : public ::testing::Test, public StatusBarFixture {
 protected:
  void SetUp() override { Load(); }
  void TearDown() override { UnloadControls(); }
};

TEST_F(StatusBar, APostedTextShowsAtTheNextIdlePassTheLatestLast) {
  const RCPtr<LStatusBar> bar = Make<LStatusBar>(u"status");
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->PostStatusText(StringW(u"A")), S_OK);
  EXPECT_EQ(bar->PostStatusText(StringW(u"B")), S_OK);
  EXPECT_TRUE(Label(*bar).texts.empty());
  bar->ProcessIdle();
  EXPECT_THAT(Label(*bar).texts, ElementsAre("A", "B"));
  EXPECT_EQ(Shown(*bar), "B");
}

TEST_F(StatusBar, ATextSetAtOnceComesAfterThoseStillQueued) {
  const RCPtr<LStatusBar> bar = Make<LStatusBar>(u"status");
  bar->PostStatusText(StringW(u"A"));
  EXPECT_EQ(bar->SetStatusText(StringW(u"B")), S_OK);
  EXPECT_EQ(Shown(*bar), "B");
  bar->ProcessIdle();
  EXPECT_THAT(Label(*bar).texts, ElementsAre("A", "B"));
  EXPECT_EQ(Shown(*bar), "B");
}

// A text set at once is on the screen before the call returns (a caller may
// block next); a posted one waits for the loop's paint like any change.
TEST_F(StatusBar, ATextSetAtOnceIsPaintedBeforeTheCallReturns) {
  const RCPtr<LStatusBar> bar = Make<LStatusBar>(u"status");
  ASSERT_TRUE(bar);
  FakeWindowHost host;
  const RCPtr<LRootWindow> window = LRootWindow::Create(&host);
  window->SetRootControl(bar);
  std::vector<std::string> shownAtRedraw;
  host.onRedraw = [&] { shownAtRedraw.push_back(Shown(*bar)); };
  EXPECT_EQ(bar->SetStatusText(StringW(u"Sending preset")), S_OK);
  EXPECT_THAT(shownAtRedraw, ElementsAre("Sending preset"));
  EXPECT_EQ(bar->PostStatusText(StringW(u"Done")), S_OK);
  bar->ProcessIdle();
  EXPECT_EQ(Shown(*bar), "Done");
  EXPECT_EQ(host.redraws, 1);
  window->SetRootControl(nullptr);
}

// The bar's idle work follows the posts that wake the loop: it hears every
// idle pass of its window, but keeps no tick going while nothing is posted.
TEST_F(StatusBar, ItHearsTheIdlePassesOfItsWindowWithoutAskingForTicks) {
  const RCPtr<LStatusBar> bar = Make<LStatusBar>(u"status");
  ASSERT_TRUE(bar);
  FakeWindowHost host;
  const RCPtr<LRootWindow> window = LRootWindow::Create(&host);
  window->SetRootControl(bar);
  EXPECT_TRUE(window->HasClients(kNidIdle));
  EXPECT_FALSE(window->HasClients(kNidIdle, LNotificationClient::kWithoutTicks));
  EXPECT_EQ(bar->PostStatusText(StringW(u"Done")), S_OK);
  window->ProcessIdle();
  EXPECT_EQ(Shown(*bar), "Done");
  window->SetRootControl(nullptr);
  EXPECT_FALSE(window->HasClients(kNidIdle));
}

TEST_F(StatusBar, KeepsItsDefaultTextAndHeightAndNeverTakesTheFocus) {
  const RCPtr<LStatusBar> bar = Make<LStatusBar>(u"status");
  EXPECT_EQ(Narrow(bar->GetDefaultText()), "Ready");
  EXPECT_EQ(bar->GetCreatedHeight(), 22);
  EXPECT_TRUE(bar->IsNotFocusable());  // its skin says NOT_FOCUSABLE False
  EXPECT_EQ(bar->GetIdleRequestCount(), 1);
  // The bar never shows its default text by itself.
  EXPECT_EQ(Shown(*bar), "");
  EXPECT_EQ(Narrow(Make<LStatusBar>(u"bare")->GetDefaultText()), "");
}

TEST_F(StatusBar, ABarWithoutItsLabelTakesTextsAndDropsThem) {
  const RCPtr<LStatusBar> bar = Make<LStatusBar>(u"bare");
  EXPECT_EQ(bar->PostStatusText(StringW(u"A")), S_OK);
  EXPECT_EQ(bar->SetStatusText(StringW(u"B")), S_OK);
  bar->ProcessIdle();
}

TEST_F(StatusBar, ALastReleaseEndsTheQueueAndFreesTheBar) {
  RCPtr<LControl> label;
  {
    RCPtr<LControl> made = factory.CreateControl(TopLevel(u"status"), nullptr);
    const RCPtr<LStatusBar> bar = DynamicCast<LStatusBar>(made);
    made = nullptr;
    label = bar->FindChildControl(StringW(u"label1"));
    bar->PostStatusText(StringW(u"never shown"));
  }
  // The bar let go of its label: nothing else holds it.
  EXPECT_EQ(label->GetParent(), nullptr);
  EXPECT_EQ(label->GetRefCount(), 1);
  EXPECT_EQ(label->GetText().GetLength(), 0u);
}

// Texts posted from a worker while the user-interface thread runs idle
// passes arrive on the user-interface thread, every one, in the order posted.
class StatusBarThreads : public ::testing::Test, public StatusBarFixture {
 protected:
  void SetUp() override { Load(); }
  void TearDown() override { UnloadControls(); }
};

TEST_F(StatusBarThreads, TextsPostedFromAnotherThreadArriveInOrder) {
  const RCPtr<LStatusBar> bar = Make<LStatusBar>(u"status");
  constexpr int kTexts = 500;
  std::vector<HResult> results(kTexts, E_FAIL);
  // The worker posts half, lets the idle passes start, and posts the rest
  // while they run.
  std::mutex mutex;
  std::condition_variable halfway;
  bool isHalfway = false;
  std::thread worker([&] {
    for (int i = 0; i < kTexts; ++i) {
      results[i] = bar->PostStatusText(StringW::FromFormat(u"%d", i));
      if (i == kTexts / 2) {
        std::lock_guard<std::mutex> lock(mutex);
        isHalfway = true;
        halfway.notify_one();
      }
    }
  });
  {
    std::unique_lock<std::mutex> lock(mutex);
    halfway.wait(lock, [&] { return isHalfway; });
  }
  for (int pass = 0; pass < 200; ++pass) bar->ProcessIdle();
  worker.join();
  bar->ProcessIdle();

  for (int i = 0; i < kTexts; ++i) ASSERT_EQ(results[i], S_OK) << i;
  const std::vector<std::string>& shown = Label(*bar).texts;
  ASSERT_EQ(shown.size(), static_cast<size_t>(kTexts));
  for (int i = 0; i < kTexts; ++i) EXPECT_EQ(shown[i], std::to_string(i));
  EXPECT_EQ(Shown(*bar), std::to_string(kTexts - 1));
}

}  // namespace
}  // namespace HV::Test
