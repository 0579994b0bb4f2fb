// hv-gallery: the framework's demo program. Opens a window on the desktop's
// window system and paints the gallery scene through the 2-D renderer (or
// the OpenGL one) from the message loop, about 30 frames a second.
//
// --screenshot writes the first frame, as the window shows it, to FILE (PNG)
// and exits; --frames stops after N ticks; --still paints only when the
// desktop asks. One gallery runs per instance name: a second one hands its
// command line to the first (which prints it) and exits. Screenshot runs are
// tool runs and always start on their own.
//
// --skin shows the gallery skin instead, one of each framework control, as a
// framework application (its OS window and root window, 2-D renderer only);
// --screenshot works there too. The skinned gallery reports what its
// controls did on standard output ("hv-gallery: Clicked 1 time").
//
// With HV_GALLERY_TIMING set in the environment the program prints the wall
// clock time of its first presented frame ("first frame presented at S.N").

#include "HVFramework/Application/ApplicationRunner.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LanguageIds.h"
#include "HVFramework/Platform/Core/CommandLine.h"
#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "HVFramework/Platform/SDLGL/SdlGLWindows.h"
#include "HVFramework/Platform/SDL/SdlWindowSystem.h"
#include "HVFramework/Platform/UI/ForwardedLineQueue.h"
#include "HVFramework/Platform/UI/SingleInstance.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"
#include "tools/gallery/GalleryOptions.h"
#include "tools/gallery/GalleryProgram.h"
#include "tools/gallery/GalleryScene.h"
#include "tools/gallery/GalleryApp.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace HV;
using Gallery::GalleryOptions;
using Gallery::GalleryScene;

bool WritePng(const Platform::BgraImage& image, const std::string& path) {
  std::vector<uint8_t> png;
  if (!Platform::EncodePng(image, png)) return false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool isWritten = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && isWritten;
}

// What the window shows: the window surface, or the GL front buffer.
bool CaptureShown(Platform::SdlWindowSystem& system, Platform::WindowId window, LRenderer& renderer,
                  Platform::BgraImage& shot) {
  if (!system.IsOpenGL()) return system.CaptureWindow(window, shot);
  auto* gl = dynamic_cast<LGLRenderer*>(&renderer);
  shot.width = GalleryScene::kWidth;
  shot.height = GalleryScene::kHeight;
  if (!gl || gl->ReadPixels({0, 0, shot.width, shot.height}, shot.pixels) != S_OK) return false;
  for (size_t at = 3; at < shot.pixels.size(); at += 4) shot.pixels[at] = 255;  // the window is opaque
  return true;
}

void SayTimeOfFirstFrame() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::printf("hv-gallery: first frame presented at %lld.%09ld\n", static_cast<long long>(now.tv_sec),
              now.tv_nsec);
  std::fflush(stdout);
}

// Where the single-instance listener hands the command lines of later
// instances: to the running plain gallery once it runs, kept until then.
struct ProgramLink {
  using Receiver = std::function<void(const std::string& line)>;

  std::mutex lock;
  Receiver receiver;
  Platform::ForwardedLineQueue early;

  Receiver Attached() {
    std::lock_guard<std::mutex> hold(lock);
    return receiver;
  }
  // Listener thread. The receiver outlives the listener: Run stops it before the receiver goes.
  void Receive(const std::string& line) {
    if (const Receiver target = Attached()) return target(line);
    early.Push(line);
    // A receiver attached meanwhile has already taken what was early: hand it this line too.
    if (const Receiver target = Attached())
      for (const std::string& waiting : early.TakeAll()) target(waiting);
  }
  void Attach(Receiver now) {
    {
      std::lock_guard<std::mutex> hold(lock);
      receiver = now;
    }
    std::deque<std::string> waiting = early.TakeAll();
    if (now)
      for (const std::string& line : waiting) now(line);
  }
};

// The skinned gallery as a desktop application through the framework's
// runner, until it is closed, or, with a screenshot asked for, its first
// frame written out. The runner keeps it to one instance of the name.
int RunSkin(const GalleryOptions& options) {
  if (options.renderer == LRenderer::OpenGL) {
    std::fprintf(stderr, "hv-gallery: the skinned window draws with the 2-D renderer only\n");
    return 2;
  }
  Platform::SdlWindowSystem* system = nullptr;
  ApplicationRunner::Program program =
      Gallery::GalleryApp::GetGalleryProgram({64, 64, GalleryScene::kWidth, GalleryScene::kHeight}, stdout);
  program.openWindowSystem = [&system](std::string& error) -> std::unique_ptr<Platform::IWindowSystem> {
    std::unique_ptr<Platform::SdlWindowSystem> opened = Platform::SdlWindowSystem::Open({}, error);
    if (!opened) error = "no window system: " + error;
    system = opened.get();
    return opened;
  };
  ApplicationRunner::Options runOptions;
  runOptions.isSingleInstance = options.screenshot.empty();  // tool runs start on their own
  runOptions.instanceName = options.instanceName;
  runOptions.languageId = kLanguageEnglishUS;
  ApplicationRunner runner(std::move(program), runOptions);
  runner.SetFirstFrameHook([&options, &system](LApplicationBase& app) -> std::optional<int> {
    if (options.screenshot.empty()) {
      if (std::getenv("HV_GALLERY_TIMING") != nullptr) SayTimeOfFirstFrame();
      return std::nullopt;
    }
    Platform::BgraImage shot;
    const bool isSaved =
        system->CaptureWindow(app.GetMainWindow()->GetWindowId(), shot) && WritePng(shot, options.screenshot);
    if (!isSaved) std::fprintf(stderr, "hv-gallery: cannot write %s\n", options.screenshot.c_str());
    return isSaved ? 0 : 1;
  });
  return runner.Run(Platform::GetProcessCommandLine());
}

int Run(const GalleryOptions& options, Platform::SingleInstance* instance, ProgramLink& link) {
  std::string error;
  Platform::SdlWindowSystem::Options systemOptions;
  systemOptions.isOpenGL = options.renderer == LRenderer::OpenGL;
  std::unique_ptr<Platform::SdlWindowSystem> system = Platform::SdlWindowSystem::Open(systemOptions, error);
  if (!system) {
    std::fprintf(stderr, "hv-gallery: no window system: %s\n", error.c_str());
    return 1;
  }
  if (system->IsOpenGL()) {
    Platform::PrepareSdlGLWindows(*system);
    Platform::SetGLContextFactory(Platform::MakeSdlGLContextFactory(*system));
  }
  const Platform::WindowId window =
      system->CreateWindow({"HV Gallery", {64, 64, GalleryScene::kWidth, GalleryScene::kHeight}});
  if (window == 0) {
    std::fprintf(stderr, "hv-gallery: no window\n");
    return 1;
  }
  int result = 0;
  {
    Gallery::GalleryProgram program(*system, window, system->GetPlatformWindow(window), options);
    if (!program.Start(error)) {
      std::fprintf(stderr, "hv-gallery: %s\n", error.c_str());
      result = 1;
    } else {
      const bool isTimed = std::getenv("HV_GALLERY_TIMING") != nullptr;
      program.SetFramePainted([&, isFirst = true](uint32_t) mutable {
        if (isFirst && isTimed) SayTimeOfFirstFrame();
        isFirst = false;
        if (options.screenshot.empty()) return;
        Platform::BgraImage shot;
        const bool isSaved = CaptureShown(*system, window, *program.GetRenderer(), shot) &&
                             WritePng(shot, options.screenshot);
        if (!isSaved) std::fprintf(stderr, "hv-gallery: cannot write %s\n", options.screenshot.c_str());
        program.Quit(isSaved ? 0 : 1);
      });
      link.Attach([&program](const std::string& line) { program.ReceiveCommandLine(line); });
      result = program.Run();
    }
    if (instance) instance->Stop();
    link.Attach(nullptr);
  }
  Platform::SetGLContextFactory(nullptr);
  system->DestroyWindow(window);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  GalleryOptions options;
  if (!Gallery::ParseGalleryOptions(argc, argv, options)) {
    std::fputs(Gallery::kGalleryUsage, stderr);
    return 2;
  }
  if (options.isSkin) return RunSkin(options);
  ProgramLink link;
  std::unique_ptr<Platform::SingleInstance> instance;
  if (options.screenshot.empty()) {
    instance = std::make_unique<Platform::SingleInstance>(Platform::GetRuntimeFolder(), options.instanceName);
    const auto role = instance->Start(Platform::GetProcessCommandLine(),
                                      [&link](const std::string& line) { link.Receive(line); });
    if (role == Platform::SingleInstance::Role::Forwarded) {
      std::printf("hv-gallery: the running gallery has the command line\n");
      return 0;
    }
  }
  return Run(options, instance.get(), link);
}
