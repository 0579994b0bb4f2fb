#pragma once

// How SDL's input becomes the window layer's events: plain functions over
// SDL's values, so the tables are tested without a display.
//
// Keys become the framework's virtual keys (letters and digits their upper-
// case character, F1 112, the arrows 37..40 and so on); modifiers the
// framework's flags (Ctrl 0x01, Shift 0x08, Alt 0x40, the system key 0x200,
// each with its left and right bits for keys); mouse buttons 1 left,
// 2 middle, 4 right; a wheel notch 120 units.

#include <cstdint>
#include <string>
#include <vector>

#include "HVFramework/Platform/UI/IWindowSystem.h"

union SDL_Event;

namespace HV::Platform {

// 0 for keys the framework has no virtual key for.
int32_t VirtualKeyFromSdl(int32_t keycode);
// Modifier flags of a key event, with the side bits.
uint32_t KeyModifierFlagsFromSdl(uint16_t keymod);
// Modifier flags of a mouse event: Ctrl, Shift and Alt only.
uint32_t MouseModifierFlagsFromSdl(uint16_t keymod);
// 0 for the extra buttons.
int32_t ButtonFromSdl(uint8_t button);
// The held buttons of an SDL button state as a mask of 1, 2 and 4.
int32_t ButtonMaskFromSdl(uint32_t state);
// The SDL_SystemCursor value that shows cursor.
int32_t SdlSystemCursorFor(CursorKind cursor);

// The SDL id of the window an event belongs to; 0 for events of no window.
uint32_t SdlWindowIdOf(const SDL_Event& event);
// The event for window; false for what the window layer does not pass on.
// keymod is the keyboard's modifier state, for the mouse events (SDL's key
// events carry their own).
bool TranslateSdlEvent(const SDL_Event& event, WindowId window, uint16_t keymod, WindowEvent& out);

// One button of a message box: the answer it gives, its text, and whether
// Return or Escape press it.
struct MessageBoxButton {
  MessageBoxAnswer answer;
  std::string text;
  bool isReturnDefault;
  bool isEscapeDefault;
};
std::vector<MessageBoxButton> MessageBoxButtonsFor(MessageBoxKind kind);
// What a message box answers when it was closed without a button (or could not be shown).
MessageBoxAnswer MessageBoxAnswerWhenClosed(MessageBoxKind kind);

}  // namespace HV::Platform
