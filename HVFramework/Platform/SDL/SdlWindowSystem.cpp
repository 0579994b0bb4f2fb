#include "HVFramework/Platform/SDL/SdlWindowSystem.h"

#include "HVFramework/Platform/Core/WaitCodes.h"
#include "HVFramework/Platform/SDL/SdlEventTranslation.h"
#include "HVFramework/Platform/SDL/X11ConnectionLoss.h"
#include "HVFramework/Platform/SDL/X11ProtocolErrors.h"
#include "HVFramework/Platform/SDL/X11WindowIcon.h"
#include "HVFramework/Platform/SDL/X11WindowManagerHints.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace HV::Platform {

namespace {

// Destroys the window and hears at once what the X server says of it. A
// window another client has destroyed already is refused; the refusal must
// reach the program's handler now, not Xlib's exiting default, which SDL
// puts back before it closes the display.
void DestroyNativeWindow(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  Display* display =
      SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11 ? info.info.x11.display : nullptr;
  SDL_DestroyWindow(window);
  if (display) XSync(display, False);
}

constexpr const char* kNoDisplay = "no display found: set DISPLAY or WAYLAND_DISPLAY, or run under xvfb-run -a";

bool HasEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

// The drivers that show windows on a desktop, as opposed to SDL's fallbacks
// that draw offscreen, nowhere, or on a bare console.
bool IsDesktopDriver(const char* driver) {
  const std::string_view name = driver != nullptr ? driver : "";
  return name == "x11" || name == "wayland";
}

// A surface over straight-alpha 0xAARRGGBB pixels; SDL copies what it keeps
// of it, so the surface only lends them.
SDL_Surface* LendArgbPixels(const std::vector<uint32_t>& pixels, int32_t width, int32_t height) {
  return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels.data()), width, height, 32, width * 4,
                                            SDL_PIXELFORMAT_ARGB8888);
}

// Why no desktop could be reached: the X display named and the system's
// reason when DISPLAY names one, else that none was found.
std::string DescribeUnreachableDisplay(const std::string& sdlReason) {
  if (HasEnvironment("DISPLAY")) {
    const std::string name = std::getenv("DISPLAY");
    std::string reason = DescribeX11DisplayFailure(name);
    if (reason.empty()) reason = sdlReason.empty() ? "SDL found no video driver for it" : sdlReason;
    return "the display \"" + name + "\" could not be opened: " + reason;
  }
  return sdlReason.empty() ? std::string(kNoDisplay) : std::string(kNoDisplay) + " (" + sdlReason + ")";
}

}  // namespace

std::unique_ptr<SdlWindowSystem> SdlWindowSystem::Open(const Options& options, std::string& error) {
  // Shut the session bus connection down with SDL, so nothing is left behind at exit.
  SDL_SetHint("SDL_SHUTDOWN_DBUS_ON_QUIT", "1");
  // Closing the last window is a close request like any other, and signals
  // keep their usual meaning: SDL_QUIT is left to the desktop's session end.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The window surface is X's own shared-memory image: without this SDL
  // would build it on a GL renderer, remaking the window and loading GL.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A click that activates a window is also a click on what it points at.
  // Without this SDL drops a press that comes within 10 ms of the window
  // gaining the focus: a quick first click after the window shows is lost.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // Without a display SDL would fall back to a driver with no screen, where
  // the program runs on with no window anybody can see. A driver named in
  // SDL_VIDEODRIVER is the caller's choice and is taken as it is.
  const bool isDriverChosen = HasEnvironment("SDL_VIDEODRIVER");
  if (!isDriverChosen && !HasEnvironment("DISPLAY") && !HasEnvironment("WAYLAND_DISPLAY")) {
    error = kNoDisplay;
    return nullptr;
  }
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = isDriverChosen ? SDL_GetError() : DescribeUnreachableDisplay(SDL_GetError());
    return nullptr;
  }
  if (!isDriverChosen && !IsDesktopDriver(SDL_GetCurrentVideoDriver())) {
    // SDL falls back to a driver without a screen when the display named cannot be opened.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    error = DescribeUnreachableDisplay("");
    return nullptr;
  }
  // After SDL's start, which may set a handler of its own.
  if (const char* driver = SDL_GetCurrentVideoDriver(); driver && std::string_view(driver) == "x11") {
    InstallX11ConnectionLossHandler();
    InstallX11ProtocolErrorHandler();
  }
  const uint32_t wake = SDL_RegisterEvents(1);
  if (wake == uint32_t(-1)) {
    error = "no SDL event type left for waking the loop";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  return std::unique_ptr<SdlWindowSystem>(new SdlWindowSystem(options, wake));
}

SdlWindowSystem::SdlWindowSystem(const Options& options, uint32_t wakeEventType)
    : mOptions(options), mWakeEventType(wakeEventType) {}

SdlWindowSystem::~SdlWindowSystem() {
  for (auto& [id, native] : mNative) {
    if (native.presenter) native.presenter->Detach();
    DestroyNativeWindow(native.window);
  }
  mNative.clear();
  for (SDL_Cursor* cursor : mCursors)
    if (cursor) SDL_FreeCursor(cursor);
  for (const auto& [id, cursor] : mImageCursors) SDL_FreeCursor(cursor);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  // The last user of SDL also lets go of what SDL set up besides (its bus connection).
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

bool SdlWindowSystem::NativeCreate(WindowId window, WindowRecord& record) {
  const WindowSpec& spec = record.spec;
  if (spec.rect.width <= 0 || spec.rect.height <= 0) return false;
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (spec.popup)
    flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR;
  else if (spec.isResizable)
    flags |= SDL_WINDOW_RESIZABLE;
  if (mOptions.isOpenGL) flags |= SDL_WINDOW_OPENGL;
  NativeWindow native;
  native.window =
      SDL_CreateWindow(spec.title.c_str(), spec.rect.x, spec.rect.y, spec.rect.width, spec.rect.height, flags);
  if (!native.window) return false;
  // The desktop keeps a dialog above its owner (on X: WM_TRANSIENT_FOR).
  if (SDL_Window* owner = FindNative(spec.owner)) SDL_SetWindowModalFor(native.window, owner);
  // The client area goes where it was asked; the frame goes around it.
  if (PrepareX11Window(native.window, spec) && !spec.popup)
    native.frame = RequestX11FrameExtents(native.window).value_or(FrameExtents{});
  native.platform = std::make_unique<PlatformWindow>();
  if (!mOptions.isOpenGL) {
    native.presenter = RCPtr<SdlSurfacePresenter>(new SdlSurfacePresenter(native.window));
    native.platform->presenter = native.presenter;
    record.presenter = native.presenter;
  }
  mNative.emplace(window, std::move(native));
  return true;
}

void SdlWindowSystem::NativeDestroy(WindowId window) {
  auto found = mNative.find(window);
  if (found == mNative.end()) return;
  // Whoever still holds the presenter finds it presenting nothing.
  if (found->second.presenter) found->second.presenter->Detach();
  DestroyNativeWindow(found->second.window);
  mNative.erase(found);
}

void SdlWindowSystem::NativeShow(WindowId window, bool show) {
  if (SDL_Window* native = FindNative(window)) show ? SDL_ShowWindow(native) : SDL_HideWindow(native);
}

void SdlWindowSystem::NativeSetRect(WindowId window, const RectT<int32_t>& rect) {
  SDL_Window* native = FindNative(window);
  if (!native) return;
  if (rect.width > 0 && rect.height > 0) SDL_SetWindowSize(native, rect.width, rect.height);
  // On X the window's gravity puts the client area where it is moved; SDL
  // would move the frame there once it knows the frame.
  if (!PlaceX11Client(window, {rect.x, rect.y})) SDL_SetWindowPosition(native, rect.x, rect.y);
}

void SdlWindowSystem::NativeSetSizeLimits(WindowId window, const SizeLimits& limits) {
  SDL_Window* native = FindNative(window);
  if (!native || (SDL_GetWindowFlags(native) & SDL_WINDOW_BORDERLESS) != 0) return;
  // On X, SDL moves a window whose size hints it changes to where it last
  // saw it: the client area is put back where it is.
  RectT<int32_t> before;
  GetWindowRect(window, before);
  // SDL takes no "none" for a maximum: one larger than any screen stands for it.
  constexpr int kNoMaximum = 16384;
  SDL_SetWindowMinimumSize(native, std::max(limits.minWidth, 1), std::max(limits.minHeight, 1));
  SDL_SetWindowMaximumSize(native, limits.maxWidth > 0 ? limits.maxWidth : kNoMaximum,
                           limits.maxHeight > 0 ? limits.maxHeight : kNoMaximum);
  SDL_SetWindowResizable(native, limits.isResizable ? SDL_TRUE : SDL_FALSE);
  PlaceX11Client(window, {before.x, before.y});
}

void SdlWindowSystem::NativeSetTitle(WindowId window, const std::string& title) {
  if (SDL_Window* native = FindNative(window)) SDL_SetWindowTitle(native, title.c_str());
}

bool SdlWindowSystem::NativeSetIcon(WindowId window, const std::vector<WindowIconImage>& images) {
  SDL_Window* native = FindNative(window);
  if (!native) return false;
  const auto largest = std::max_element(images.begin(), images.end(), [](const auto& a, const auto& b) {
    return int64_t(a.width) * a.height < int64_t(b.width) * b.height;
  });
  SDL_Surface* surface = LendArgbPixels(largest->pixels, largest->width, largest->height);
  if (!surface) return false;
  SDL_SetWindowIcon(native, surface);
  SDL_FreeSurface(surface);
  SetX11WindowIcon(native, images);
  return true;
}

// Raising asks the window manager; the input focus is also set directly, as
// without a window manager nobody would give it back. A minimised window
// is shown again first: the window manager neither raises nor focuses it.
void SdlWindowSystem::NativeActivate(WindowId window) {
  SDL_Window* native = FindNative(window);
  if (!native) return;
  if ((SDL_GetWindowFlags(native) & SDL_WINDOW_MINIMIZED) != 0) SDL_RestoreWindow(native);
  SDL_RaiseWindow(native);
  SDL_SetWindowInputFocus(native);
}

bool SdlWindowSystem::GetWindowRect(WindowId window, RectT<int32_t>& rect) const {
  const auto found = mNative.find(window);
  if (found == mNative.end()) return false;
  SDL_Window* native = found->second.window;
  SDL_GetWindowPosition(native, &rect.x, &rect.y);
  if (const std::optional<PointT<int32_t>>& moved = found->second.movedTo) {
    rect.x = moved->x;
    rect.y = moved->y;
  }
  SDL_GetWindowSize(native, &rect.width, &rect.height);
  return true;
}

RectT<int32_t> SdlWindowSystem::GetWorkArea() const {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return {};
  return {usable.x, usable.y, usable.w, usable.h};
}

bool SdlWindowSystem::PlaceX11Client(WindowId window, const PointT<int32_t>& position) {
  const auto found = mNative.find(window);
  if (found == mNative.end() || !MoveX11Window(found->second.window, position.x, position.y)) return false;
  found->second.movedTo = position;
  return true;
}

FrameExtents SdlWindowSystem::GetFrameExtents(WindowId window) const {
  const auto found = mNative.find(window);
  if (found == mNative.end()) return {};
  FrameExtents reported;
  const bool isReported = SDL_GetWindowBordersSize(found->second.window, &reported.top, &reported.left,
                                                   &reported.bottom, &reported.right) == 0;
  const bool isAny = reported.left != 0 || reported.top != 0 || reported.right != 0 || reported.bottom != 0;
  return isReported && isAny ? reported : found->second.frame;
}

void SdlWindowSystem::NativeSetCapture(WindowId window) {
  // SDL captures for the window with the input focus; without one the desktop keeps the mouse.
  SDL_CaptureMouse(window != 0 ? SDL_TRUE : SDL_FALSE);
}

void SdlWindowSystem::NativeSetCursor(CursorKind cursor) {
  const auto index = static_cast<size_t>(cursor);
  if (index >= mCursors.size()) return;
  if (!mCursors[index])
    mCursors[index] = SDL_CreateSystemCursor(static_cast<SDL_SystemCursor>(SdlSystemCursorFor(cursor)));
  if (mCursors[index]) SDL_SetCursor(mCursors[index]);
}

bool SdlWindowSystem::NativeCreateImageCursor(ImageCursorId cursor, const CursorImage& image) {
  SDL_Surface* surface = LendArgbPixels(image.pixels, image.width, image.height);
  if (!surface) return false;
  SDL_Cursor* made = SDL_CreateColorCursor(surface, image.hotX, image.hotY);
  SDL_FreeSurface(surface);
  if (!made) return false;
  mImageCursors[cursor] = made;
  return true;
}

void SdlWindowSystem::NativeSetImageCursor(ImageCursorId cursor) {
  const auto found = mImageCursors.find(cursor);
  if (found != mImageCursors.end()) SDL_SetCursor(found->second);
}

bool SdlWindowSystem::NativePollEvent(WindowEvent& event) {
  if (mHasBuffered) {
    event = std::move(mBuffered);
    mHasBuffered = false;
    return true;
  }
  return PollTranslated(event);
}

bool SdlWindowSystem::PollTranslated(WindowEvent& event) {
  // Reading the desktop costs system calls: once after each wait (which has
  // just read it) and once each time the queue ran dry, not on every poll.
  if (!mIsPumped) {
    SDL_PumpEvents();
    mIsPumped = true;
  }
  SDL_Event sdl;
  while (SDL_PeepEvents(&sdl, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    // A wake has done its work once the loop runs: the posted events are queued in the base.
    if (sdl.type == mWakeEventType) continue;
    const WindowId window = FindBySdlId(SdlWindowIdOf(sdl));
    // From the desktop's report of a move on, SDL knows where the window is.
    if (sdl.type == SDL_WINDOWEVENT && sdl.window.event == SDL_WINDOWEVENT_MOVED)
      if (auto moved = mNative.find(window); moved != mNative.end()) moved->second.movedTo.reset();
    if (!TranslateSdlEvent(sdl, window, uint16_t(SDL_GetModState()), event)) continue;
    // Events of windows that are gone (or were never ours) go nowhere.
    if (window == 0 && event.kind != WindowEventKind::Quit) continue;
    return true;
  }
  mIsPumped = false;
  return false;
}

void SdlWindowSystem::NativeWait(uint32_t milliseconds) {
  // SDL also wakes for what the window layer does not pass on (the mouse
  // leaving, a keymap change): those are dropped and the sleep goes on
  // until the time is up, so a wait ends early only for something to do.
  const bool isEndless = milliseconds == kInfinite;
  const uint64_t deadline = SDL_GetTicks64() + milliseconds;
  while (!mHasBuffered) {
    // A wake pushed before this check may already have been taken by the
    // last poll; one pushed after it is still in SDL's queue and ends the wait.
    if (HasPostedEvent()) return;
    const uint64_t now = SDL_GetTicks64();
    if (!isEndless && now >= deadline) return;
    // SDL waits without limit for a time-out of -1.
    const int timeout = isEndless ? -1 : int(std::min<uint64_t>(deadline - now, INT32_MAX));
    const bool isWoken = SDL_WaitEventTimeout(nullptr, timeout) != 0;
    mIsPumped = true;  // the wait read the desktop
    if (!isWoken) return;
    mHasBuffered = PollTranslated(mBuffered);
  }
}

void SdlWindowSystem::NativeWake() {
  SDL_Event wake{};
  wake.type = mWakeEventType;
  SDL_PushEvent(&wake);
}

MessageBoxAnswer SdlWindowSystem::ShowMessageBox(WindowId owner, const std::string& title,
                                                 const std::string& text, MessageBoxKind kind) {
  const std::vector<MessageBoxButton> buttons = MessageBoxButtonsFor(kind);
  std::vector<SDL_MessageBoxButtonData> data;
  for (const MessageBoxButton& button : buttons) {
    Uint32 flags = 0;
    if (button.isReturnDefault) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (button.isEscapeDefault) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data.push_back({flags, static_cast<int>(button.answer), button.text.c_str()});
  }
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = FindNative(owner);
  box.title = title.c_str();
  box.message = text.c_str();
  box.numbuttons = int(data.size());
  box.buttons = data.data();
  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0 || pressed < 0) return MessageBoxAnswerWhenClosed(kind);
  return static_cast<MessageBoxAnswer>(pressed);
}

void SdlWindowSystem::SetClipboardText(const std::string& text) {
  SDL_SetClipboardText(text.c_str());
  mClipboardSeen = text;
  ++mClipboardChanges;
}

X11ClipboardReader* SdlWindowSystem::GetX11Clipboard() {
  if (!mIsX11ClipboardTried) {
    mIsX11ClipboardTried = true;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::string_view(driver) == "x11") mX11Clipboard = X11ClipboardReader::Open();
  }
  return mX11Clipboard.get();
}

std::string SdlWindowSystem::GetClipboardText() {
  X11ClipboardReader* reader = GetX11Clipboard();
  SDL_Window* ours = mNative.empty() ? nullptr : mNative.begin()->second.window;
  if (reader && reader->FindOwner(ours) == X11ClipboardReader::Owner::OtherClient)
    return reader->ReadText().value_or(std::string());
  char* text = SDL_GetClipboardText();
  std::string result = text ? text : "";
  SDL_free(text);
  return result;
}

uint32_t SdlWindowSystem::GetClipboardChangeCount() {
  // The desktop does not tell reliably when another program writes, so the
  // text is compared with the one last accounted for.
  std::string now = GetClipboardText();
  if (now != mClipboardSeen) {
    mClipboardSeen = std::move(now);
    ++mClipboardChanges;
  }
  return mClipboardChanges;
}

PlatformWindow* SdlWindowSystem::GetPlatformWindow(WindowId window) {
  auto found = mNative.find(window);
  return found == mNative.end() ? nullptr : found->second.platform.get();
}

SDL_Window* SdlWindowSystem::FindSdlWindow(const PlatformWindow* window) const {
  for (const auto& [id, native] : mNative)
    if (native.platform.get() == window) return native.window;
  return nullptr;
}

bool SdlWindowSystem::CaptureWindow(WindowId window, BgraImage& out) const {
  auto found = mNative.find(window);
  return found != mNative.end() && found->second.presenter && found->second.presenter->Capture(out);
}

uint64_t SdlWindowSystem::GetX11Window(WindowId window) const {
  SDL_Window* native = FindNative(window);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!native || !SDL_GetWindowWMInfo(native, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return info.info.x11.window;
}

WindowId SdlWindowSystem::QueryDesktopOwner(WindowId window) const {
  SDL_Window* native = FindNative(window);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!native || !SDL_GetWindowWMInfo(native, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  ::Window owner = 0;
  if (!XGetTransientForHint(info.info.x11.display, info.info.x11.window, &owner) || owner == 0) return 0;
  for (const auto& [id, other] : mNative)
    if (GetX11Window(id) == owner) return id;
  return 0;
}

SDL_Window* SdlWindowSystem::FindNative(WindowId window) const {
  auto found = mNative.find(window);
  return found == mNative.end() ? nullptr : found->second.window;
}

WindowId SdlWindowSystem::FindBySdlId(uint32_t sdlId) const {
  if (sdlId == 0) return 0;
  for (const auto& [id, native] : mNative)
    if (SDL_GetWindowID(native.window) == sdlId) return id;
  return 0;
}

}  // namespace HV::Platform
