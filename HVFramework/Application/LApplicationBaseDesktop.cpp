// LApplicationBase: what it answers of the desktop -- cursors, font, work
// area, clocks, keys, the pointer and the owner of message boxes.
#include "HVFramework/Application/LApplicationBase.h"

#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/ControlBase/Window/WindowInputTranslation.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Platform/Fonts/FontConfig.h"

#include <ctime>

namespace HV {
namespace {

constexpr const WChar* kFallbackFontFamily = u"DejaVu Sans";
constexpr float kSystemFontPoints = 10;

// The virtual keys whose state the windows know: the mouse buttons and the
// modifiers, with the bit of each in the OS window's state.
struct KnownKey {
  int32_t virtualKey;
  bool isButton;  // false: a modifier
  uint32_t bit;
};
constexpr KnownKey kKnownKeys[] = {
    {0x01, true, 1},      // left button
    {0x02, true, 4},      // right button
    {0x04, true, 2},      // middle button
    {0x10, false, 0x08},  // Shift
    {0x11, false, 0x01},  // Ctrl
    {0x12, false, 0x40},  // Alt
};

}  // namespace

int32_t LApplicationBase::GetLanguageId() const {
  const LControlFactory* factory = GetControlFactory();
  return factory ? factory->GetLanguageId() : 0;
}

CursorHandle LApplicationBase::GetCursorHandle(const StringW& name) { return CursorHandleFromName(name); }

HResult LApplicationBase::GetSystemFont(StringW& name, float& size, int32_t& style) {
  const std::string family = Platform::GetDefaultSansFamily();
  name = family.empty() ? StringW(kFallbackFontFamily) : StringW(family.c_str());
  size = kSystemFontPoints;
  style = 0;
  return S_OK;
}

RectT<double> LApplicationBase::GetWorkArea() {
  const RectT<int32_t> area = mDispatcher.GetWindowSystem().GetWorkArea();
  return {double(area.x), double(area.y), double(area.width), double(area.height)};
}

double LApplicationBase::GetElapsedSeconds() { return Platform::GetSecondsSinceStart() - mMadeAtSeconds; }

uint32_t LApplicationBase::GetMilliseconds() { return Platform::GetTickCount(); }

LFrameworkApp::SystemTime LApplicationBase::GetSystemTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_wday, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec,  static_cast<int32_t>(now.tv_nsec / 1000000)};
}

int32_t LApplicationBase::GetKeyState(int32_t virtualKey) {
  const RCPtr<OSWindow> active = mDispatcher.GetActiveWindow();
  if (!active) return 0;
  for (const KnownKey& key : kKnownKeys) {
    if (key.virtualKey != virtualKey) continue;
    const uint32_t state = key.isButton ? active->GetMouseButtons() : active->GetModifiers();
    return (state & key.bit) != 0 ? kKeyPressed : 0;
  }
  return 0;
}

// The window system tells the pointer only over the program's windows: away
// from them it is taken to rest where it was last seen.
PointT<int32_t> LApplicationBase::GetDesktopCursorPosition() {
  if (!mMainWindow) return {0, 0};
  return mMainWindow->ClientToScreen(mMainWindow->GetMousePosition());
}

// The window system neither hides nor moves the desktop's pointer.
void LApplicationBase::ShowCursor(bool) {}

void LApplicationBase::SetCursorPosition(const PointT<int32_t>&) {}

// A box raised while a dialog runs belongs to the dialog, wherever the
// keyboard is: its modal run is the one the box nests in.
Platform::WindowId LApplicationBase::GetMessageBoxOwner() const {
  if (!mMainWindow) return 0;
  return mDispatcher.FindDialogOwner();
}

}  // namespace HV
