#pragma once

// How the window layer's input becomes the root window's: key codes with
// their modifier bits and side mask, the characters of typed text, wheel
// notches added up into steps, and the windowing system's cursors by name.
// Plain functions and one small value type, so the rules are tested as
// tables. Modifier flags are the window layer's: Ctrl 0x01, Shift 0x08,
// Alt 0x40, the system key 0x200, each key's left and right bits one and two
// places above its flag.

#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/ControlBase/Control/RootWindow/IOSWindowHost.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace HV {

enum class KeyTransition { Down, Up };

// The key code of a key event. For a key without a virtual key only the
// modifier combinations the desktop reports as keys of their own are handed
// on: Ctrl+Alt as a key-down of the modifiers, Alt (without Ctrl) as the
// modifier bits alone; anything else is dropped (nullopt).
std::optional<KeyCode> MakeKeyCode(uint32_t virtualKey, uint32_t modifierFlags, KeyTransition transition,
                                   bool isRepeat);

// The key codes of typed text, one per UTF-16 unit, with Ctrl and Shift.
// Empty while the system key is held, or Alt without Ctrl (those combinations
// are commands, not text; Ctrl+Alt is how some layouts type characters).
std::vector<KeyCode> MakeCharacterKeys(const std::string& utf8, uint32_t modifierFlags);

// Adds up a wheel's delta until it makes a whole step (120). A delta that
// completes one or more steps gives one step (its direction); the whole
// steps leave the remainder, which keeps the rest with the sign of the sum.
class WheelAccumulator {
 public:
  static constexpr int32_t kStep = 120;
  // The direction of the root window's wheel event (0 down, 1 up; 2 left,
  // 3 right), or nullopt while the sum stays within one step.
  std::optional<int32_t> Add(int32_t delta, bool isHorizontal);
  int32_t GetRemainder(bool isHorizontal) const { return mRemainder[isHorizontal ? 1 : 0]; }

 private:
  int32_t mRemainder[2] = {0, 0};
};

// The cursor an application name stands for ("UI_CURSOR_ARROW", ...); 0 for
// names the window layer has no cursor for.
CursorHandle CursorHandleFromName(const StringW& name);
// The window system's cursor of a handle; the arrow for 0 and unknown handles.
Platform::CursorKind CursorKindFromHandle(CursorHandle cursor);
// Handles of the program's image cursors lie above those of the system's.
CursorHandle CursorHandleFromImage(Platform::ImageCursorId cursor);
// The image cursor a handle stands for; 0 for the system's cursors.
Platform::ImageCursorId ImageCursorFromHandle(CursorHandle cursor);

}  // namespace HV
