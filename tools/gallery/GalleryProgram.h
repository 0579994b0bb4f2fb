#pragma once

#include "HVFramework/Platform/UI/ForwardedLineQueue.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Platform/UI/MessageLoop.h"
#include "HVFramework/Platform/2D/PlatformWindow.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "tools/gallery/GalleryOptions.h"
#include "tools/gallery/GalleryScene.h"

#include <functional>
#include <memory>
#include <string>

namespace HV::Gallery {

// GalleryProgram: the gallery's window on the message loop. Paints the scene
// when the desktop asks (the whole window) and on each tick of the animation
// (the moving bar only); closes on the window's close box and on Alt+F4.
// Keys: Ctrl+C copies a line to the clipboard, Ctrl+V prints the clipboard,
// F1 shows a message box, Ctrl+O an open-file dialog.
// User-interface thread only, except ReceiveCommandLine.
class GalleryProgram : public Platform::IMessageLoopClient {
 public:
  using Say = std::function<void(const std::string& line)>;

  // window is a window of system; target is what the renderer draws into for it.
  GalleryProgram(Platform::IWindowSystem& system, Platform::WindowId window, PlatformWindow* target,
                 const GalleryOptions& options);
  ~GalleryProgram() override;
  GalleryProgram(const GalleryProgram&) = delete;
  GalleryProgram& operator=(const GalleryProgram&) = delete;

  // Makes the renderer and its context; false, with error set, when that fails.
  bool Start(std::string& error);
  // Shows the window and runs the loop until a quit; answers its code.
  int32_t Run();
  void Quit(int32_t code) { mLoop.PostQuit(code); }

  // Where the program's lines go (stdout unless set).
  void SetSay(Say say) { mSay = std::move(say); }
  // Called on the UI thread after each frame is painted and presented.
  void SetFramePainted(std::function<void(uint32_t frame)> painted) { mFramePainted = std::move(painted); }
  // Any thread: the command line a second instance forwarded; printed on the UI thread.
  void ReceiveCommandLine(const std::string& commandLine);

  LRenderer* GetRenderer() { return mRenderer.Get(); }
  uint32_t GetFrame() const { return mFrame; }

  void OnEvent(const Platform::WindowEvent& event) override;
  void OnTick() override;
  void PaintDirtyWindows() override;
  bool OnIdle(int32_t count) override;
  // The animation runs on the tick, and so does the count of --frames; a
  // still window sleeps until the desktop has something for it.
  bool IsTickWanted() const override { return !mOptions.isStill || mOptions.frames >= 0; }

 private:
  void OnKey(const Platform::WindowEvent& event);
  void OpenFile();

  Platform::IWindowSystem& mSystem;
  Platform::WindowId mWindow;
  PlatformWindow* mTarget;
  GalleryOptions mOptions;
  Platform::MessageLoop mLoop;
  RCPtr<LRenderer> mRenderer;
  RCPtr<LRenderContextInfo> mContext;
  std::unique_ptr<GalleryScene> mScene;
  uint32_t mFrame = 0;
  int64_t mTicks = 0;
  bool mNeedsWhole = true;
  bool mNeedsMoving = false;
  bool mHasPainted = false;
  Say mSay;
  std::function<void(uint32_t)> mFramePainted;
  Platform::ForwardedLineQueue mInbox;
};

}  // namespace HV::Gallery
