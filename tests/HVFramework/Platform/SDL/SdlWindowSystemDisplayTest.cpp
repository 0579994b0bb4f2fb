#include "HVFramework/Platform/SDL/SdlWindowSystem.h"

#include "HVFramework/Platform/2D/Graphics2D.h"
#include "HVFramework/Platform/2D/Surface2D.h"
#include "HVFramework/Platform/SDL/X11WindowIcon.h"
#include "tests/HVFramework/Platform/SDL/ForeignClipboardOwner.h"
#include "tests/HVFramework/Platform/SDL/NetWmIconReader.h"
#include "tests/support/IgnoreSystemLeaks.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <thread>

namespace HV::Platform {
namespace {

uint32_t Shown(const BgraImage& image, int32_t x, int32_t y) {
  const uint8_t* p = &image.pixels[(size_t(y) * image.width + x) * 4];
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

// A window system on the test's display; the display libraries keep
// buffers from opening to closing and beyond.
struct DisplayFixture {
  IgnoreSystemLeaks displayLibraries;
  std::string error;
  std::unique_ptr<SdlWindowSystem> system = SdlWindowSystem::Open({}, error);
};

TEST(SdlWindowSystemDisplay, PresentsExactlyTheGivenRectangles) {
  DisplayFixture f;
  ASSERT_TRUE(f.system) << f.error;
  const WindowId window = f.system->CreateWindow({"presenter test", {10, 10, 64, 48}});
  ASSERT_NE(window, 0u);
  f.system->ShowWindow(window, true);
  RCPtr<IWindowPresenter> presenter = f.system->GetPresenter(window);
  ASSERT_TRUE(presenter);
  EXPECT_EQ(f.system->GetPlatformWindow(window)->presenter.Get(), presenter.Get());

  RCPtr<Surface2D> frame = Surface2D::Create(64, 48);
  Graphics2D g(*frame);
  g.Clear(0xFF102030);
  g.Flush();
  presenter->Present({frame->GetPixels(), 64, 48, frame->GetStride()}, {{0, 0, 64, 48}});
  g.Clear(0xFFFF8000);
  g.Flush();
  presenter->Present({frame->GetPixels(), 64, 48, frame->GetStride()}, {{4, 6, 10, 5}, {60, 40, 20, 20}});

  BgraImage shown;
  ASSERT_TRUE(f.system->CaptureWindow(window, shown));
  int32_t changed = 0;
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 64; ++x) changed += Shown(shown, x, y) == 0xFF8000;
  EXPECT_EQ(changed, 10 * 5 + 4 * 8);  // the second rectangle is cut at the window's edge
  EXPECT_EQ(Shown(shown, 4, 6), 0xFF8000u);
  EXPECT_EQ(Shown(shown, 3, 6), 0x102030u);
  EXPECT_EQ(Shown(shown, 63, 47), 0xFF8000u);

  // A presenter kept after its window went presents nothing, and nothing breaks.
  ASSERT_TRUE(f.system->DestroyWindow(window));
  presenter->Present({frame->GetPixels(), 64, 48, frame->GetStride()}, {{0, 0, 64, 48}});
  EXPECT_FALSE(f.system->CaptureWindow(window, shown));
  EXPECT_EQ(f.system->GetPlatformWindow(window), nullptr);
}

TEST(SdlWindowSystemDisplay, WindowsTakeTheirPlacementAndSize) {
  DisplayFixture f;
  ASSERT_TRUE(f.system) << f.error;
  const WindowId framed = f.system->CreateWindow({"framed", {30, 40, 120, 90}});
  const WindowId popup = f.system->CreateWindow({"popup", {200, 100, 50, 20}, true});
  ASSERT_NE(framed, 0u);
  ASSERT_NE(popup, 0u);
  EXPECT_EQ(f.system->CreateWindow({"empty", {0, 0, 0, 10}}), 0u);
  EXPECT_FALSE(f.system->IsWindowVisible(framed));
  f.system->ShowWindow(framed, true);
  f.system->ShowWindow(popup, true);
  EXPECT_TRUE(f.system->IsWindowVisible(framed));

  RectT<int32_t> rect;
  ASSERT_TRUE(f.system->GetWindowRect(framed, rect));
  EXPECT_EQ(rect.width, 120);
  EXPECT_EQ(rect.height, 90);
  ASSERT_TRUE(f.system->SetWindowRect(framed, {50, 60, 160, 100}));
  ASSERT_TRUE(f.system->GetWindowRect(framed, rect));
  EXPECT_EQ(rect.width, 160);
  EXPECT_EQ(rect.height, 100);
  EXPECT_FALSE(f.system->GetWindowRect(99, rect));

  // The title bar's text reaches the desktop's window.
  ASSERT_TRUE(f.system->SetWindowTitle(framed, "Preset 3 \xE2\x80\x93 Tarsel"));
  EXPECT_STREQ(SDL_GetWindowTitle(f.system->FindSdlWindow(f.system->GetPlatformWindow(framed))),
               "Preset 3 \xE2\x80\x93 Tarsel");
  EXPECT_FALSE(f.system->SetWindowTitle(99, "none"));

  // Cursors and capture only reach the desktop; every kind can be shown.
  for (CursorKind cursor : {CursorKind::IBeam, CursorKind::Wait, CursorKind::Cross, CursorKind::Hand,
                            CursorKind::SizeWE, CursorKind::SizeNS, CursorKind::SizeAll, CursorKind::No,
                            CursorKind::Arrow})
    f.system->SetCursor(cursor);
  EXPECT_TRUE(f.system->SetCapture(framed));
  EXPECT_EQ(f.system->GetCapture(), framed);
  EXPECT_TRUE(f.system->DestroyWindow(framed));
  EXPECT_EQ(f.system->GetCapture(), 0u);
}

TEST(SdlWindowSystemDisplay, DesktopEventsNameTheirWindowAndGoneWindowsGetNone) {
  DisplayFixture f;
  ASSERT_TRUE(f.system) << f.error;
  const WindowId window = f.system->CreateWindow({"events", {0, 0, 40, 40}});
  const WindowId other = f.system->CreateWindow({"other", {50, 0, 40, 40}});
  f.system->ShowWindow(window, true);
  WindowEvent event;
  while (f.system->PollEvent(event)) {
  }
  SDL_Window* native = f.system->FindSdlWindow(f.system->GetPlatformWindow(window));
  SDL_Window* gone = f.system->FindSdlWindow(f.system->GetPlatformWindow(other));
  ASSERT_TRUE(native);
  const uint32_t goneId = SDL_GetWindowID(gone);
  f.system->DestroyWindow(other);

  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_F4;
  key.key.keysym.mod = KMOD_LALT;
  key.key.windowID = goneId;
  SDL_PushEvent(&key);
  key.key.windowID = SDL_GetWindowID(native);
  SDL_PushEvent(&key);

  ASSERT_TRUE(f.system->PollEvent(event));
  EXPECT_EQ(event.kind, WindowEventKind::KeyDown);
  EXPECT_EQ(event.window, window);
  EXPECT_EQ(event.key, 115);
  EXPECT_EQ(event.modifiers & 0x40u, 0x40u);
}

TEST(SdlWindowSystemDisplay, AnotherThreadsPostEndsTheWait) {
  DisplayFixture f;
  ASSERT_TRUE(f.system) << f.error;
  const WindowId window = f.system->CreateWindow({"wait", {0, 0, 40, 40}});
  f.system->ShowWindow(window, true);
  WindowEvent event;
  while (f.system->PollEvent(event)) {
  }
  WindowEvent posted;
  posted.kind = WindowEventKind::Quit;
  posted.code = 42;
  // A wait of an hour that only the post can end: the test hangs if it does
  // not. What SDL has that is nothing for the window layer must not end it.
  std::thread poster([&] {
    SDL_Event nothing{};
    nothing.type = SDL_KEYMAPCHANGED;
    SDL_PushEvent(&nothing);
    f.system->PostEvent(posted);
  });
  const bool isWoken = f.system->WaitEvent(3600 * 1000);
  poster.join();
  EXPECT_TRUE(isWoken);
  bool isSeen = false;
  while (f.system->PollEvent(event)) isSeen |= event.kind == WindowEventKind::Quit && event.code == 42;
  EXPECT_TRUE(isSeen);
}

TEST(SdlWindowSystemDisplay, ClipboardTextAndItsChangeCount) {
  DisplayFixture f;
  ASSERT_TRUE(f.system) << f.error;
  const WindowId window = f.system->CreateWindow({"clipboard", {0, 0, 40, 40}});
  f.system->ShowWindow(window, true);
  const uint32_t before = f.system->GetClipboardChangeCount();
  f.system->SetClipboardText("first \xC3\xA4");
  EXPECT_EQ(f.system->GetClipboardText(), "first \xC3\xA4");
  EXPECT_EQ(f.system->GetClipboardChangeCount(), before + 1);
  // Reading changes nothing; each write counts, the same text again too.
  EXPECT_EQ(f.system->GetClipboardChangeCount(), before + 1);
  f.system->SetClipboardText("first \xC3\xA4");
  EXPECT_EQ(f.system->GetClipboardChangeCount(), before + 2);
  // Another writer (SDL's own call, not the system's) is seen when the count is asked for.
  SDL_SetClipboardText("someone else");
  EXPECT_EQ(f.system->GetClipboardChangeCount(), before + 3);
  EXPECT_EQ(f.system->GetClipboardText(), "someone else");
}

// Text of the given size whose every position is told apart from its neighbours.
std::string NumberedText(size_t size) {
  std::string text;
  for (size_t line = 0; text.size() < size; ++line) text += "line " + std::to_string(line) + " \xC3\xA4\n";
  text.resize(size);
  return text;
}

TEST(SdlWindowSystemDisplay, TextOfAnotherClientArrivesWhole) {
  struct Case {
    const char* name;
    size_t size;
  };
  const Case cases[] = {
      {"in one piece", 100},
      {"just over one piece", ForeignClipboardOwner::kPieceBytes + 1},
      {"64 KB in pieces", 64 * 1024},
  };
  DisplayFixture f;
  ASSERT_TRUE(f.system) << f.error;
  const WindowId window = f.system->CreateWindow({"paste", {0, 0, 40, 40}});
  f.system->ShowWindow(window, true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = NumberedText(c.size);
    ForeignClipboardOwner owner(text);
    ASSERT_TRUE(owner.IsOwning());
    const std::string pasted = f.system->GetClipboardText();
    EXPECT_EQ(pasted.size(), text.size());
    EXPECT_TRUE(pasted == text);
    EXPECT_TRUE(owner.WaitUntilTaken());
  }
  // The program's own text is its own again once it writes.
  f.system->SetClipboardText("ours");
  EXPECT_EQ(f.system->GetClipboardText(), "ours");
}

TEST(SdlWindowSystemDisplay, OpenGLWindowsHaveNoPresenter) {
  IgnoreSystemLeaks displayLibraries;
  std::string error;
  SdlWindowSystem::Options options;
  options.isOpenGL = true;
  std::unique_ptr<SdlWindowSystem> system = SdlWindowSystem::Open(options, error);
  ASSERT_TRUE(system) << error;
  const WindowId window = system->CreateWindow({"gl", {0, 0, 40, 40}});
  ASSERT_NE(window, 0u);
  EXPECT_FALSE(system->GetPresenter(window));
  ASSERT_NE(system->GetPlatformWindow(window), nullptr);
  EXPECT_FALSE(system->GetPlatformWindow(window)->presenter);
  SDL_Window* native = system->FindSdlWindow(system->GetPlatformWindow(window));
  ASSERT_TRUE(native);
  EXPECT_NE(SDL_GetWindowFlags(native) & SDL_WINDOW_OPENGL, 0u);
  BgraImage shot;
  EXPECT_FALSE(system->CaptureWindow(window, shot));
}

TEST(SdlWindowSystemDisplay, TheDesktopGetsTheIconInEverySize) {
  DisplayFixture f;
  ASSERT_TRUE(f.system) << f.error;
  const WindowId window = f.system->CreateWindow({"icon", {0, 0, 40, 40}});
  ASSERT_NE(window, 0u);
  const WindowIconImage small{16, 16, std::vector<uint32_t>(16 * 16, 0xFF102030)};
  const WindowIconImage large{32, 32, std::vector<uint32_t>(32 * 32, 0x80FFFFFF)};
  ASSERT_TRUE(f.system->SetWindowIcon(window, {small, large}));
  EXPECT_EQ(ReadNetWmIcon(f.system->GetX11Window(window)), EncodeNetWmIcon({small, large}));
  const std::vector<unsigned long> items = EncodeNetWmIcon({small, large});
  ASSERT_EQ(items.size(), 2u + 16 * 16 + 2u + 32 * 32);
  EXPECT_EQ(items[0], 16u);
  EXPECT_EQ(items[2], 0xFF102030u);
  EXPECT_EQ(items[2 + 16 * 16], 32u);
  EXPECT_EQ(items.back(), 0x80FFFFFFu);
  // A refused icon leaves the one the desktop has.
  EXPECT_FALSE(f.system->SetWindowIcon(window, {{300, 1, std::vector<uint32_t>(300, 0)}}));
  EXPECT_EQ(ReadNetWmIcon(f.system->GetX11Window(window)), items);
}

}  // namespace
}  // namespace HV::Platform
