#include "HVFramework/Platform/SDL/SdlEventTranslation.h"

#include <SDL.h>

#include <cmath>

namespace HV::Platform {

namespace {

struct KeyPair {
  SDL_Keycode sdl;
  int32_t virtualKey;
};

// Keys whose virtual key is not their own character.
constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, 8},      {SDLK_TAB, 9},          {SDLK_CLEAR, 12},         {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},      {SDLK_LSHIFT, 16},      {SDLK_RSHIFT, 16},        {SDLK_LCTRL, 17},
    {SDLK_RCTRL, 17},         {SDLK_LALT, 18},        {SDLK_RALT, 18},          {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},      {SDLK_ESCAPE, 27},      {SDLK_SPACE, 32},         {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},      {SDLK_END, 35},         {SDLK_HOME, 36},          {SDLK_LEFT, 37},
    {SDLK_UP, 38},            {SDLK_RIGHT, 39},       {SDLK_DOWN, 40},          {SDLK_SELECT, 41},
    {SDLK_EXECUTE, 43},       {SDLK_PRINTSCREEN, 44}, {SDLK_INSERT, 45},        {SDLK_DELETE, 46},
    {SDLK_HELP, 47},          {SDLK_LGUI, 91},        {SDLK_RGUI, 92},          {SDLK_APPLICATION, 93},
    {SDLK_SLEEP, 95},         {SDLK_KP_0, 96},        {SDLK_KP_1, 97},          {SDLK_KP_2, 98},
    {SDLK_KP_3, 99},          {SDLK_KP_4, 100},       {SDLK_KP_5, 101},         {SDLK_KP_6, 102},
    {SDLK_KP_7, 103},         {SDLK_KP_8, 104},       {SDLK_KP_9, 105},         {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},      {SDLK_KP_MINUS, 109},   {SDLK_KP_PERIOD, 110},    {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145}, {SDLK_AUDIOMUTE, 173},    {SDLK_VOLUMEDOWN, 174},
    {SDLK_VOLUMEUP, 175},     {SDLK_AUDIONEXT, 176},  {SDLK_AUDIOPREV, 177},    {SDLK_AUDIOSTOP, 178},
    {SDLK_AUDIOPLAY, 179},    {SDLK_SEMICOLON, 186},  {SDLK_EQUALS, 187},       {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},        {SDLK_PERIOD, 190},     {SDLK_SLASH, 191},        {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},  {SDLK_BACKSLASH, 220},  {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

struct ModifierBits {
  uint16_t left;
  uint16_t right;
  uint32_t flag;
};

// Each modifier's flag; its left key adds the flag shifted up one bit, its right key two bits.
constexpr ModifierBits kModifiers[] = {
    {KMOD_LCTRL, KMOD_RCTRL, 0x01},
    {KMOD_LSHIFT, KMOD_RSHIFT, 0x08},
    {KMOD_LALT, KMOD_RALT, 0x40},
    {KMOD_LGUI, KMOD_RGUI, 0x200},
};

void FillMouse(WindowEvent& out, int32_t x, int32_t y, uint16_t keymod) {
  out.x = x;
  out.y = y;
  out.modifiers = MouseModifierFlagsFromSdl(keymod);
}

bool TranslateWindowEvent(const SDL_WindowEvent& event, WindowEvent& out) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      out.kind = WindowEventKind::Close;
      return true;
    case SDL_WINDOWEVENT_EXPOSED:
      out.kind = WindowEventKind::Expose;
      return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      out.kind = WindowEventKind::Resize;
      out.width = event.data1;
      out.height = event.data2;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.kind = WindowEventKind::FocusGained;
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      out.kind = WindowEventKind::FocusLost;
      return true;
    default:
      return false;
  }
}

bool TranslateWheel(const SDL_MouseWheelEvent& wheel, uint16_t keymod, WindowEvent& out) {
  if (wheel.which == SDL_TOUCH_MOUSEID) return false;
  const float sign = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1.0f : 1.0f;
  // Fine-grained wheels give fractions of a notch; the receiver adds them up.
  const int32_t vertical = int32_t(std::lround(wheel.preciseY * sign * 120.0f));
  const int32_t sideways = int32_t(std::lround(wheel.preciseX * sign * 120.0f));
  if (vertical == 0 && sideways == 0) return false;
  out.kind = WindowEventKind::Wheel;
  out.horizontal = vertical == 0;
  out.delta = vertical != 0 ? vertical : sideways;
  FillMouse(out, wheel.mouseX, wheel.mouseY, keymod);
  return true;
}

}  // namespace

int32_t VirtualKeyFromSdl(int32_t keycode) {
  if (keycode >= 'a' && keycode <= 'z') return keycode - 'a' + 'A';
  if (keycode >= '0' && keycode <= '9') return keycode;
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return 112 + (keycode - SDLK_F1);
  if (keycode >= SDLK_F13 && keycode <= SDLK_F24) return 124 + (keycode - SDLK_F13);
  for (const KeyPair& pair : kNamedKeys)
    if (pair.sdl == keycode) return pair.virtualKey;
  return 0;
}

uint32_t KeyModifierFlagsFromSdl(uint16_t keymod) {
  uint32_t flags = 0;
  for (const ModifierBits& m : kModifiers) {
    if (keymod & m.left) flags |= m.flag | m.flag << 1;
    if (keymod & m.right) flags |= m.flag | m.flag << 2;
  }
  return flags;
}

uint32_t MouseModifierFlagsFromSdl(uint16_t keymod) { return KeyModifierFlagsFromSdl(keymod) & (0x01 | 0x08 | 0x40); }

int32_t ButtonFromSdl(uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    case SDL_BUTTON_RIGHT:
      return 4;
    default:
      return 0;
  }
}

int32_t ButtonMaskFromSdl(uint32_t state) {
  int32_t mask = 0;
  for (uint8_t button : {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT})
    if (state & SDL_BUTTON(button)) mask |= ButtonFromSdl(button);
  return mask;
}

int32_t SdlSystemCursorFor(CursorKind cursor) {
  switch (cursor) {
    case CursorKind::IBeam:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case CursorKind::Wait:
      return SDL_SYSTEM_CURSOR_WAIT;
    case CursorKind::Cross:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case CursorKind::Hand:
      return SDL_SYSTEM_CURSOR_HAND;
    case CursorKind::SizeWE:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case CursorKind::SizeNS:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case CursorKind::SizeAll:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case CursorKind::No:
      return SDL_SYSTEM_CURSOR_NO;
    case CursorKind::Arrow:
      break;
  }
  return SDL_SYSTEM_CURSOR_ARROW;
}

uint32_t SdlWindowIdOf(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return event.key.windowID;
    case SDL_TEXTINPUT:
      return event.text.windowID;
    case SDL_MOUSEMOTION:
      return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return event.button.windowID;
    case SDL_MOUSEWHEEL:
      return event.wheel.windowID;
    default:
      return 0;
  }
}

bool TranslateSdlEvent(const SDL_Event& event, WindowId window, uint16_t keymod, WindowEvent& out) {
  out = WindowEvent{};
  out.window = window;
  switch (event.type) {
    case SDL_QUIT:
      out.kind = WindowEventKind::Quit;
      return true;
    case SDL_WINDOWEVENT:
      return TranslateWindowEvent(event.window, out);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      out.kind = event.type == SDL_KEYDOWN ? WindowEventKind::KeyDown : WindowEventKind::KeyUp;
      out.key = VirtualKeyFromSdl(event.key.keysym.sym);
      out.modifiers = KeyModifierFlagsFromSdl(event.key.keysym.mod);
      out.repeat = event.key.repeat != 0;
      return true;
    case SDL_TEXTINPUT:
      out.kind = WindowEventKind::TextInput;
      out.text = event.text.text;
      return !out.text.empty();
    case SDL_MOUSEMOTION:
      if (event.motion.which == SDL_TOUCH_MOUSEID) return false;
      out.kind = WindowEventKind::MouseMove;
      out.button = ButtonMaskFromSdl(event.motion.state);
      FillMouse(out, event.motion.x, event.motion.y, keymod);
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.which == SDL_TOUCH_MOUSEID) return false;
      out.kind = event.type == SDL_MOUSEBUTTONDOWN ? WindowEventKind::MouseDown : WindowEventKind::MouseUp;
      out.button = ButtonFromSdl(event.button.button);
      if (event.type == SDL_MOUSEBUTTONDOWN) out.clicks = event.button.clicks;
      FillMouse(out, event.button.x, event.button.y, keymod);
      return out.button != 0;
    case SDL_MOUSEWHEEL:
      return TranslateWheel(event.wheel, keymod, out);
    default:
      return false;
  }
}

std::vector<MessageBoxButton> MessageBoxButtonsFor(MessageBoxKind kind) {
  switch (kind) {
    case MessageBoxKind::Ok:
      return {{MessageBoxAnswer::Ok, "OK", true, true}};
    case MessageBoxKind::OkCancel:
      return {{MessageBoxAnswer::Ok, "OK", true, false}, {MessageBoxAnswer::Cancel, "Cancel", false, true}};
    case MessageBoxKind::YesNo:
      return {{MessageBoxAnswer::Yes, "Yes", true, false}, {MessageBoxAnswer::No, "No", false, true}};
    case MessageBoxKind::YesNoCancel:
      return {{MessageBoxAnswer::Yes, "Yes", true, false},
              {MessageBoxAnswer::No, "No", false, false},
              {MessageBoxAnswer::Cancel, "Cancel", false, true}};
  }
  return {};
}

MessageBoxAnswer MessageBoxAnswerWhenClosed(MessageBoxKind kind) {
  for (const MessageBoxButton& button : MessageBoxButtonsFor(kind))
    if (button.isEscapeDefault) return button.answer;
  return MessageBoxAnswer::Cancel;
}

}  // namespace HV::Platform
