#include "HVFramework/ControlBase/SystemUI/LSplashScreen.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "HVFramework/Platform/Splash/NullSplashPainter.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/System/DebugTrace.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

namespace HV {
namespace {

using ::testing::ElementsAre;
using Rect = RectT<int32_t>;
using Strings = std::vector<std::string>;

std::string Text(const Rect& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
         std::to_string(r.height);
}

// A null painter that logs what the splash thread asks of it, and lets the
// test wait for an entry. Close can be held back to keep the thread busy.
class RecordingPainter : public Platform::NullSplashPainter {
 public:
  static RCPtr<RecordingPainter> Create() { return RCPtr<RecordingPainter>(new RecordingPainter()); }

  bool Open(const Platform::SplashWindowSpec& spec) override {
    mFirstPixel = spec.pixels[0] | spec.pixels[1] << 8 | spec.pixels[2] << 16 | spec.pixels[3] << 24;
    Add("open " + Text(spec.rect) + " \"" + spec.title + "\"");
    return mOpens;
  }
  void ShowProgress(const Rect& bar, int32_t position) override {
    Add(mBarShown ? std::to_string(position) : "bar " + Text(bar) + " " + std::to_string(position));
    mBarShown = true;
  }
  void Close() override {
    std::unique_lock<std::mutex> lock(mLock);
    mChanged.wait(lock, [this] { return !mHoldClose; });
    mEntries.push_back("close");
    mChanged.notify_all();
  }

  // Blocks until the log holds count entries; then the log.
  Strings WaitFor(size_t count) {
    std::unique_lock<std::mutex> lock(mLock);
    mChanged.wait(lock, [&] { return mEntries.size() >= count; });
    return mEntries;
  }
  void HoldClose(bool hold) {
    const std::lock_guard<std::mutex> lock(mLock);
    mHoldClose = hold;
    mChanged.notify_all();
  }

  // Set when the painter is freed.
  struct Lifetime {
    std::mutex lock;
    std::condition_variable ended;
    bool destroyed = false;
    void WaitForEnd() {
      std::unique_lock<std::mutex> held(lock);
      ended.wait(held, [this] { return destroyed; });
    }
  };
  Lifetime* mLifetime = nullptr;
  bool mOpens = true;
  uint32_t mFirstPixel = 0;

 private:
  RecordingPainter() : NullSplashPainter({0, 0, 1920, 1080}) {}
  ~RecordingPainter() override {
    if (!mLifetime) return;
    const std::lock_guard<std::mutex> lock(mLifetime->lock);
    mLifetime->destroyed = true;
    mLifetime->ended.notify_all();
  }
  void Add(std::string entry) {
    const std::lock_guard<std::mutex> lock(mLock);
    mEntries.push_back(std::move(entry));
    mChanged.notify_all();
  }

  std::mutex mLock;
  std::condition_variable mChanged;
  Strings mEntries;
  bool mBarShown = false;
  bool mHoldClose = false;
};

// What the splash screen writes to the debug trace.
class TraceLines {
 public:
  TraceLines() {
    DebugTrace::Get().SetDebuggerSink([this](std::string_view text) {
      const std::lock_guard<std::mutex> lock(mLock);
      mLines.emplace_back(text);
    });
  }
  ~TraceLines() { DebugTrace::Get().SetDebuggerSink(nullptr); }
  Strings Get() {
    const std::lock_guard<std::mutex> lock(mLock);
    return mLines;
  }

 private:
  std::mutex mLock;
  Strings mLines;
};

RCPtr<LBitmap> Picture(int32_t width, int32_t height) {
  Color color;
  color.SetARGB(0xFF0A141E);
  return LBitmap::CreateFilledBitmap(width, height, color);
}

TEST(LSplashScreenThreads, StartProgressAnimationAndStopFollowTheThreadProtocol) {
  Platform::VirtualClock clock;
  TraceLines trace;
  const RCPtr<RecordingPainter> painter = RecordingPainter::Create();
  const RCPtr<LSplashScreen> splash = LSplashScreen::Create(painter);
  splash->SetImage(Picture(400, 300));
  splash->SetImage(Picture(10, 10));  // the first image stays
  splash->SetTitle(u"Tarsel");
  splash->Start();
  ASSERT_TRUE(splash->IsRunning());
  EXPECT_THAT(painter->WaitFor(1), ElementsAre("open 760,390 400x300 \"Tarsel\""));
  EXPECT_EQ(painter->mFirstPixel, 0xFF0A141Eu);

  splash->SetProgress(40);
  splash->SetProgress(140);  // beyond the range: the bar stays full
  painter->WaitFor(3);

  // 0 to 100 over 2 s: 8 steps of 12, one every 250 ms.
  ASSERT_EQ(splash->AnimateProgress(0, 100, 2), S_OK);
  painter->WaitFor(4);
  for (size_t step = 1; step <= 8; ++step) {
    clock.AdvanceWhenWaiting(LSplashScreen::kStepMilliseconds);
    painter->WaitFor(4 + step);
  }
  splash->Stop();
  EXPECT_FALSE(splash->IsRunning());
  EXPECT_TRUE(splash->GetTitle().IsEmpty());
  EXPECT_FALSE(splash->HasImage());
  EXPECT_THAT(painter->WaitFor(13), ElementsAre("open 760,390 400x300 \"Tarsel\"", "bar 4,280 392x16 40", "100", "0",
                                                "12", "24", "36", "48", "60", "72", "84", "96", "close"));
  EXPECT_TRUE(trace.Get().empty());
}

TEST(LSplashScreenThreads, ASplashThatCannotComeUpReportsItAtOnce) {
  TraceLines trace;
  // Without an image the thread ends at once: Start does not wait its 5 s out.
  const RCPtr<RecordingPainter> painter = RecordingPainter::Create();
  const RCPtr<LSplashScreen> bare = LSplashScreen::Create(painter);
  bare->Start();
  bare->SetProgress(50);  // goes nowhere
  bare->Stop();
  EXPECT_THAT(trace.Get(), ElementsAre("Error starting SplashThread\n"));

  // A window that cannot be made.
  painter->mOpens = false;
  const RCPtr<LSplashScreen> refused = LSplashScreen::Create(painter);
  refused->SetImage(Picture(20, 20));
  refused->Start();
  refused->Stop();
  EXPECT_THAT(trace.Get(), ElementsAre("Error starting SplashThread\n", "Unable to create SplashWnd\n",
                                       "Error starting SplashThread\n"));
  EXPECT_THAT(painter->WaitFor(2), ElementsAre("open 950,530 20x20 \"\"", "close"));
}

TEST(LSplashScreenThreads, StopWithoutStartOnlyDropsImageAndTitle) {
  const RCPtr<RecordingPainter> painter = RecordingPainter::Create();
  const RCPtr<LSplashScreen> splash = LSplashScreen::Create(painter);
  splash->SetImage(Picture(8, 8));
  splash->SetTitle(u"Tarsel");
  splash->Stop();
  EXPECT_FALSE(splash->HasImage());
  EXPECT_TRUE(splash->GetTitle().IsEmpty());
  EXPECT_EQ(splash->AnimateProgress(0, 100, 0), E_INVALIDARG);
  splash->SetImage(Picture(8, 8));  // a new image may be set after a stop
  EXPECT_TRUE(splash->HasImage());
}

TEST(LSplashScreenThreads, AThreadThatOutlivesStopKeepsWhatItUses) {
  Platform::VirtualClock clock;
  RecordingPainter::Lifetime lifetime;
  RCPtr<RecordingPainter> painter = RecordingPainter::Create();
  painter->mLifetime = &lifetime;
  painter->HoldClose(true);
  {
    const RCPtr<LSplashScreen> splash = LSplashScreen::Create(painter);
    splash->SetImage(Picture(64, 48));
    splash->Start();
    painter->WaitFor(1);
    // Stop waits its second out on the virtual clock while Close is held.
    std::thread mover([&clock] { clock.AdvanceWhenWaiting(LSplashScreen::kStopTimeout); });
    splash->Stop();
    mover.join();
    EXPECT_FALSE(splash->IsRunning());
  }
  // The splash screen is gone; the thread still runs, and frees what it
  // used (the painter among it) when it ends.
  painter->HoldClose(false);
  EXPECT_EQ(painter->WaitFor(2).back(), "close");
  painter = nullptr;
  lifetime.WaitForEnd();
}

TEST(LSplashScreenPlacement, CentresOnTheWorkAreaAndKeepsLargeImagesOnIt) {
  struct Row {
    Rect workArea;
    int32_t width;
    int32_t height;
    const char* placed;
  };
  const Row rows[] = {
      {{0, 0, 1920, 1080}, 400, 300, "760,390 400x300"},
      {{0, 0, 1920, 1080}, 401, 301, "759,389 401x301"},
      {{64, 32, 1856, 1048}, 400, 300, "792,406 400x300"},     // a panel on the left and at the top
      {{0, 0, 1024, 768}, 2000, 900, "0,0 2000x900"},           // larger than the area
      {{100, 50, 800, 600}, 1000, 300, "100,200 1000x300"},     // wider only
      {{-1280, 0, 1280, 1024}, 400, 300, "-840,362 400x300"},   // a screen left of the main one
      {{0, 0, 1920, 1080}, 0x7FFFFFFF, 10, "0,535 2147483647x10"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Text(LSplashScreen::PlaceOnWorkArea(row.workArea, row.width, row.height)), row.placed)
        << Text(row.workArea) << " " << row.width << "x" << row.height;
  EXPECT_EQ(Text(LSplashScreen::GetProgressBarRect(400, 300)), "4,280 392x16");
}

}  // namespace
}  // namespace HV
