#include "HVFramework/ControlBase/SystemUI/LSplashScreen.h"

#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/System/DebugTrace.h"
#include "HVFramework/System/Thread.h"
#include "HVFramework/Utilities/Graphics/BitmapImage.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace HV {

using Platform::EventHub;
using Platform::WaitHandle;

// SplashThread: the splash thread's side. It holds everything the thread
// uses, so a thread that outlives its LSplashScreen frees it when it ends.
// The message queue is the only state both threads change; its lock is never
// held while calling out.
class SplashThread : public LRefCountedObject {
 public:
  SplashThread(const RCPtr<Platform::ISplashPainter>& painter, std::shared_ptr<const LSplashScreen::Image> image,
               std::string title)
      : mPainter(painter),
        mImage(std::move(image)),
        mTitle(std::move(title)),
        mStarted(EventHub::Get().CreateEvent(Platform::ResetMode::Auto)),
        mEnded(EventHub::Get().CreateEvent(Platform::ResetMode::Manual)) {}

  // Owner's side.
  void Post(uint32_t message, uint32_t first, uint32_t second) {
    {
      const std::lock_guard<std::mutex> lock(mQueueLock);
      mQueue.push_back({message, first, second});
    }
    mPainter->Wake();
  }
  const WaitHandle& GetStartedHandle() const { return mStarted; }
  const WaitHandle& GetEndedHandle() const { return mEnded; }

  // The thread's routine.
  uint32_t Run() {
    if (mImage) ShowAndLoop();
    EventHub::Get().Set(mEnded);
    return 0;
  }

 private:
  struct Message {
    uint32_t id;
    uint32_t first;
    uint32_t second;
  };

  void ShowAndLoop() {
    const int32_t width = mImage->width;
    const int32_t height = mImage->height;
    if (!mPainter->Connect() || !Open(width, height)) {
      DebugTrace::Get().WriteLine("Unable to create SplashWnd");
      mPainter->Close();
      return;
    }
    mBar = LSplashScreen::GetProgressBarRect(width, height);
    EventHub::Get().Set(mStarted);
    Loop();
    mPainter->Close();
  }

  bool Open(int32_t width, int32_t height) {
    Platform::SplashWindowSpec spec;
    spec.title = mTitle;
    spec.rect = LSplashScreen::PlaceOnWorkArea(mPainter->GetWorkArea(), width, height);
    spec.pixels = mImage->pixels.data();
    return mPainter->Open(spec);
  }

  void Loop() {
    for (;;) {
      for (const Message& message : TakeMessages()) {
        if (message.id == LSplashScreen::kQuitMessage) return;
        Handle(message);
      }
      if (mStepsLeft == 0) {
        mPainter->Wait(Platform::kInfinite);
        continue;
      }
      const int32_t untilStep = static_cast<int32_t>(mNextStep - Platform::GetTickCount());
      if (untilStep > 0)
        mPainter->Wait(static_cast<uint32_t>(untilStep));
      else
        Step();
    }
  }

  std::deque<Message> TakeMessages() {
    std::deque<Message> taken;
    const std::lock_guard<std::mutex> lock(mQueueLock);
    taken.swap(mQueue);
    return taken;
  }

  void Handle(const Message& message) {
    if (message.id == LSplashScreen::kSetProgressMessage) {
      ShowPosition(static_cast<int32_t>(message.first));
    } else if (message.id == LSplashScreen::kAnimateProgressMessage) {
      const int32_t start = static_cast<int32_t>(message.first & 0xFFFF);
      const int32_t end = static_cast<int32_t>(message.first >> 16);
      const int32_t steps = static_cast<int32_t>(message.second) * 4;
      ShowPosition(start);
      mStep = (end - start) / steps;
      mStepsLeft = steps;
      mNextStep = Platform::GetTickCount() + LSplashScreen::kStepMilliseconds;
    }
  }

  void Step() {
    ShowPosition(mPosition + mStep);
    mNextStep += LSplashScreen::kStepMilliseconds;
    --mStepsLeft;
  }

  void ShowPosition(int32_t position) {
    mPosition = std::clamp(position, 0, 100);
    mPainter->ShowProgress(mBar, mPosition);
  }

  const RCPtr<Platform::ISplashPainter> mPainter;
  const std::shared_ptr<const LSplashScreen::Image> mImage;
  const std::string mTitle;
  const WaitHandle mStarted;
  const WaitHandle mEnded;
  std::mutex mQueueLock;
  std::deque<Message> mQueue;
  // The splash thread's own.
  RectT<int32_t> mBar;
  int32_t mPosition = 0;
  int32_t mStep = 0;
  int32_t mStepsLeft = 0;
  uint32_t mNextStep = 0;
};

RCPtr<LSplashScreen> LSplashScreen::Create(const RCPtr<Platform::ISplashPainter>& painter) {
  return RCPtr<LSplashScreen>(new LSplashScreen(painter));
}

LSplashScreen::LSplashScreen(const RCPtr<Platform::ISplashPainter>& painter) : mPainter(painter) {}

LSplashScreen::~LSplashScreen() { Stop(); }

void LSplashScreen::SetImage(const RCPtr<LBitmap>& bitmap) {
  if (mImage || !bitmap || !bitmap->HasImage()) return;
  const RectT<int32_t> rect{bitmap->GetX(), bitmap->GetY(), bitmap->GetWidth(), bitmap->GetHeight()};
  const std::unique_ptr<BitmapImage> clone = bitmap->GetGdiplusBitmap()->Clone(rect);
  BitmapImage::LockRecord record;
  if (!clone || !clone->LockBits({0, 0, rect.width, rect.height}, record)) return;
  auto image = std::make_shared<Image>();
  image->width = record.width;
  image->height = record.height;
  image->pixels.assign(record.scan0, record.scan0 + static_cast<size_t>(record.stride) * record.height);
  clone->UnlockBits();
  mImage = std::move(image);
}

void LSplashScreen::Start() {
  if (mThread || !mPainter) return;
  mSplash = RCPtr<SplashThread>(new SplashThread(mPainter, mImage, mTitle.ToCharString().GetText()));
  const RCPtr<SplashThread> splash = mSplash;
  mThread = std::make_unique<Thread>([splash] { return splash->Run(); });
  if (!mThread->IsValid()) {
    // No thread to wait for: the system refused it.
    mThread.reset();
    mSplash = nullptr;
    DebugTrace::Get().WriteLine("Error starting SplashThread");
    return;
  }
  mThread->Resume();
  // A thread that gives up (no image, no window) ends the wait at once.
  const WaitHandle handles[] = {splash->GetStartedHandle(), splash->GetEndedHandle()};
  if (EventHub::Get().WaitForAny(handles, kStartTimeout) != Platform::kWaitObject0)
    DebugTrace::Get().WriteLine("Error starting SplashThread");
}

void LSplashScreen::SetProgress(int32_t position) { Post(kSetProgressMessage, static_cast<uint32_t>(position), 0); }

HResult LSplashScreen::AnimateProgress(int32_t start, int32_t end, int32_t seconds) {
  if (seconds < 1) return E_INVALIDARG;
  const uint32_t range = (static_cast<uint32_t>(start) & 0xFFFF) | (static_cast<uint32_t>(end) & 0xFFFF) << 16;
  Post(kAnimateProgressMessage, range, static_cast<uint32_t>(seconds));
  return S_OK;
}

void LSplashScreen::Post(uint32_t message, uint32_t first, uint32_t second) {
  if (mSplash) mSplash->Post(message, first, second);
}

void LSplashScreen::Stop() {
  if (mThread) {
    Post(kQuitMessage, 0, 0);
    // On time-out the thread is let go; it holds its own reference to what it uses.
    EventHub::Get().Wait(mSplash->GetEndedHandle(), kStopTimeout);
    mThread.reset();
    mSplash = nullptr;
  }
  mImage.reset();
  mTitle.Clear();
}

RectT<int32_t> LSplashScreen::PlaceOnWorkArea(const RectT<int32_t>& workArea, int32_t width, int32_t height) {
  // In 64 bits: a large image or area must not wrap round.
  const auto centre = [](int32_t origin, int32_t areaSize, int32_t size) {
    const int64_t offset = (static_cast<int64_t>(areaSize) - size) / 2;
    return static_cast<int32_t>(origin + std::max<int64_t>(offset, 0));
  };
  return {centre(workArea.x, workArea.width, width), centre(workArea.y, workArea.height, height), width, height};
}

RectT<int32_t> LSplashScreen::GetProgressBarRect(int32_t width, int32_t height) {
  return {4, height - 20, width - 8, 16};
}

}  // namespace HV
