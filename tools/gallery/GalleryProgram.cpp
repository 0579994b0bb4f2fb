#include "tools/gallery/GalleryProgram.h"

#include "HVFramework/Platform/UI/ChildProcess.h"
#include "HVFramework/Platform/UI/ZenityFileDialog.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"

#include <cstdio>

namespace HV::Gallery {

namespace {

constexpr int32_t kKeyF1 = 112;
constexpr int32_t kKeyF4 = 115;
constexpr uint32_t kCtrl = 0x01;
constexpr uint32_t kAlt = 0x40;

void SayOnStdout(const std::string& line) {
  std::fprintf(stdout, "hv-gallery: %s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

GalleryProgram::GalleryProgram(Platform::IWindowSystem& system, Platform::WindowId window, PlatformWindow* target,
                               const GalleryOptions& options)
    : mSystem(system), mWindow(window), mTarget(target), mOptions(options), mLoop(system, *this),
      mSay(&SayOnStdout) {}

GalleryProgram::~GalleryProgram() {
  mScene.reset();
  mContext = nullptr;
  if (mRenderer) SetApplicationRenderer(nullptr);
  mRenderer = nullptr;
}

bool GalleryProgram::Start(std::string& error) {
  const RectT<int32_t> viewport{0, 0, GalleryScene::kWidth, GalleryScene::kHeight};
  try {
    mRenderer = LRenderer::Create(mOptions.renderer, viewport, mTarget);
  } catch (const std::exception& failure) {
    error = failure.what();
    return false;
  }
  if (!mRenderer) {
    error = "this renderer is not part of the program";
    return false;
  }
  SetApplicationRenderer(mRenderer);
  if (mRenderer->InitRenderContextInfo(viewport, mTarget, false, mContext) != S_OK || !mContext) {
    error = "no drawing surface for the window";
    return false;
  }
  mScene = std::make_unique<GalleryScene>();
  return true;
}

int32_t GalleryProgram::Run() {
  mSystem.ShowWindow(mWindow, true);
  return mLoop.Run();
}

void GalleryProgram::ReceiveCommandLine(const std::string& commandLine) {
  if (mInbox.Push(commandLine)) mSystem.Wake();
}

void GalleryProgram::OnEvent(const Platform::WindowEvent& event) {
  using Kind = Platform::WindowEventKind;
  switch (event.kind) {
    case Kind::Close:
      Quit(0);
      break;
    case Kind::Expose:
    case Kind::Resize:
      mNeedsWhole = true;
      break;
    case Kind::KeyDown:
      OnKey(event);
      break;
    case Kind::TextInput:
      mSay("typed " + event.text);
      break;
    case Kind::MouseDown:
      mSay("button " + std::to_string(event.button) + " pressed at " + std::to_string(event.x) + "," +
           std::to_string(event.y));
      break;
    default:
      break;
  }
}

void GalleryProgram::OnKey(const Platform::WindowEvent& event) {
  const bool isAlt = (event.modifiers & kAlt) != 0;
  const bool isCtrl = (event.modifiers & kCtrl) != 0;
  // The desktop may not offer Alt+F4 (no window manager): the gallery takes it as the close request.
  if (event.key == kKeyF4 && isAlt) {
    Quit(0);
  } else if (event.key == kKeyF1 && !isAlt && !isCtrl) {
    mSystem.ShowMessageBox(mWindow, "HV Gallery",
                           "The framework's demo: bitmaps, gradients, shapes and text through the renderer.",
                           Platform::MessageBoxKind::Ok);
  } else if (event.key == 'C' && isCtrl) {
    mSystem.SetClipboardText("HV Gallery, frame " + std::to_string(mFrame));
    mSay("copied frame " + std::to_string(mFrame));
  } else if (event.key == 'V' && isCtrl) {
    mSay("clipboard holds \"" + mSystem.GetClipboardText() + "\"");
  } else if (event.key == 'O' && isCtrl) {
    OpenFile();
  }
}

void GalleryProgram::OpenFile() {
  Platform::ChildProcessRunner runner;
  Platform::ZenityFileDialog dialog(runner, "");
  if (dialog.Open("Images|*.png|All files|*", "png", "Open an image", false)) {
    for (const std::string& file : dialog.GetFileNames()) mSay("chose " + file);
  } else if (!dialog.GetError().empty()) {
    mSystem.ShowMessageBox(mWindow, "HV Gallery", dialog.GetError(), Platform::MessageBoxKind::Ok);
  }
}

void GalleryProgram::OnTick() {
  ++mTicks;
  // The first frame shown is frame 0, however long the start took.
  if (!mOptions.isStill && mHasPainted) {
    ++mFrame;
    mNeedsMoving = true;
  }
  if (mOptions.frames >= 0 && mTicks >= mOptions.frames) Quit(0);
}

void GalleryProgram::PaintDirtyWindows() {
  if (!mContext || !mScene || (!mNeedsWhole && !mNeedsMoving)) return;
  const RectT<int32_t> moving = GalleryScene::GetMovingArea();
  mContext->GetUpdateRegion().Clear();
  mContext->GetUpdateRegion().AddRect(mNeedsWhole
                                          ? RegionRect{0, 0, GalleryScene::kWidth, GalleryScene::kHeight}
                                          : RegionRect{moving.x, moving.y, moving.Right(), moving.Bottom()});
  mNeedsWhole = mNeedsMoving = false;
  mRenderer->RenderStart(mContext);
  mScene->Paint(*mRenderer, mFrame);
  mRenderer->RenderFinish(mContext);
  mHasPainted = true;
  if (mFramePainted) mFramePainted(mFrame);
}

bool GalleryProgram::OnIdle(int32_t) {
  for (const std::string& line : mInbox.TakeAll()) mSay("another instance was started with: " + line);
  return false;
}

}  // namespace HV::Gallery
