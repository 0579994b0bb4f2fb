#pragma once

// LSplashScreen: shows an image centred on the desktop's work area, with a
// progress bar at its foot once a position is given, while the application
// starts. It runs a thread of its own that draws through a
// Platform::ISplashPainter, so the window stays drawn and the bar moves while
// the user-interface thread is busy loading. The owner talks to that thread
// only by posting messages to it.
//
// Use: SetImage (and SetTitle), Start, SetProgress / AnimateProgress, Stop.
// Threads: every operation on the owner's thread; the splash thread touches
// only what it was given at Start and the posted messages. Destroying a
// running splash screen stops it.

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Platform/Splash/ISplashPainter.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace HV {

class LBitmap;
class Thread;
class SplashThread;

class LSplashScreen : public virtual LRefCountedObject {
 public:
  // The messages the splash thread takes.
  static constexpr uint32_t kSetProgressMessage = 0x0402;      // first: the position 0..100
  static constexpr uint32_t kAnimateProgressMessage = 0x0404;  // first: start | end << 16; second: seconds
  static constexpr uint32_t kQuitMessage = 0x0012;
  // One animation step every this many milliseconds, four a second.
  static constexpr uint32_t kStepMilliseconds = 250;
  static constexpr uint32_t kStartTimeout = 5000;
  static constexpr uint32_t kStopTimeout = 1000;

  // The picture shown: straight 32-bit ARGB (bytes blue, green, red, alpha),
  // rows width * 4 bytes apart. Never changed once made.
  struct Image {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
  };

  static RCPtr<LSplashScreen> Create(const RCPtr<Platform::ISplashPainter>& painter);
  ~LSplashScreen() override;

  // Keeps a copy of the bitmap's pixels; only the first image counts. Must
  // come before Start: without an image the thread ends at once.
  void SetImage(const RCPtr<LBitmap>& bitmap);
  // The window text; a splash with a title gets a taskbar entry.
  void SetTitle(const StringW& title) { mTitle = title; }
  const StringW& GetTitle() const { return mTitle; }
  bool HasImage() const { return mImage != nullptr; }

  // Starts the thread and waits until its window is up (at most 5 s), or the
  // thread gave up; a splash that did not come up writes "Error starting
  // SplashThread" to the debug trace. Does nothing while running.
  void Start();
  bool IsRunning() const { return mThread != nullptr; }
  // Sets the bar to position (0..100).
  void SetProgress(int32_t position);
  // Sets the bar to start and moves it towards end in seconds * 4 equal
  // steps, one every 250 ms. E_INVALIDARG for fewer than 1 second.
  HResult AnimateProgress(int32_t start, int32_t end, int32_t seconds);
  // Ends the thread, waiting for it at most 1 s, then drops the image and
  // the title. A thread that does not end in time keeps what it uses and
  // frees it when it ends.
  void Stop();

  // Where an image of this size goes: centred on the work area; an image
  // larger than the area keeps its top-left corner on the area's.
  static RectT<int32_t> PlaceOnWorkArea(const RectT<int32_t>& workArea, int32_t width, int32_t height);
  // The progress bar's rectangle in a window of this size.
  static RectT<int32_t> GetProgressBarRect(int32_t width, int32_t height);

 protected:
  explicit LSplashScreen(const RCPtr<Platform::ISplashPainter>& painter);

 private:
  void Post(uint32_t message, uint32_t first, uint32_t second);

  const RCPtr<Platform::ISplashPainter> mPainter;
  std::unique_ptr<Thread> mThread;  // null when not running
  RCPtr<SplashThread> mSplash;      // what the thread shares with this object
  std::shared_ptr<const Image> mImage;
  StringW mTitle;
};

}  // namespace HV
