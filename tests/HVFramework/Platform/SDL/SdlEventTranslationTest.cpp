#include "HVFramework/Platform/SDL/SdlEventTranslation.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <set>

namespace HV::Platform {
namespace {

TEST(SdlEventTranslation, KeysBecomeTheFrameworksVirtualKeys) {
  const struct {
    SDL_Keycode sdl;
    int32_t virtualKey;
  } cases[] = {
      {SDLK_a, 'A'},         {SDLK_z, 'Z'},          {SDLK_0, '0'},           {SDLK_9, '9'},
      {SDLK_F1, 112},        {SDLK_F4, 115},         {SDLK_F12, 123},         {SDLK_F13, 124},
      {SDLK_F24, 135},       {SDLK_RETURN, 13},      {SDLK_KP_ENTER, 13},     {SDLK_ESCAPE, 27},
      {SDLK_BACKSPACE, 8},   {SDLK_TAB, 9},          {SDLK_SPACE, 32},        {SDLK_PAGEUP, 33},
      {SDLK_PAGEDOWN, 34},   {SDLK_END, 35},         {SDLK_HOME, 36},         {SDLK_LEFT, 37},
      {SDLK_UP, 38},         {SDLK_RIGHT, 39},       {SDLK_DOWN, 40},         {SDLK_INSERT, 45},
      {SDLK_DELETE, 46},     {SDLK_LSHIFT, 16},      {SDLK_RCTRL, 17},        {SDLK_LALT, 18},
      {SDLK_LGUI, 91},       {SDLK_KP_0, 96},        {SDLK_KP_9, 105},        {SDLK_KP_PLUS, 107},
      {SDLK_SEMICOLON, 186}, {SDLK_MINUS, 189},      {SDLK_LEFTBRACKET, 219}, {SDLK_QUOTE, 222},
      {SDLK_UNKNOWN, 0},     {0xE4 /* a-umlaut */, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyFromSdl(c.sdl), c.virtualKey) << SDL_GetKeyName(c.sdl);
}

TEST(SdlEventTranslation, ModifiersCarryTheirSidesOnKeysOnly) {
  const struct {
    uint16_t keymod;
    uint32_t keyFlags;
    uint32_t mouseFlags;
  } cases[] = {
      {KMOD_NONE, 0, 0},
      {KMOD_LCTRL, 0x01 | 0x02, 0x01},
      {KMOD_RCTRL, 0x01 | 0x04, 0x01},
      {KMOD_LSHIFT, 0x08 | 0x10, 0x08},
      {KMOD_RSHIFT, 0x08 | 0x20, 0x08},
      {KMOD_LALT, 0x40 | 0x80, 0x40},
      {KMOD_RALT, 0x40 | 0x100, 0x40},
      {KMOD_LGUI, 0x200 | 0x400, 0},
      {KMOD_RGUI, 0x200 | 0x800, 0},
      {KMOD_LCTRL | KMOD_RCTRL | KMOD_LALT, 0x01 | 0x02 | 0x04 | 0x40 | 0x80, 0x41},
      {KMOD_NUM | KMOD_CAPS, 0, 0},  // the locks are no modifiers
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyModifierFlagsFromSdl(c.keymod), c.keyFlags) << std::hex << c.keymod;
    EXPECT_EQ(MouseModifierFlagsFromSdl(c.keymod), c.mouseFlags) << std::hex << c.keymod;
  }
}

SDL_Event KeyEvent(Uint32 type, SDL_Keycode key, Uint16 mod, Uint8 repeat = 0) {
  SDL_Event event{};
  event.type = type;
  event.key.windowID = 7;
  event.key.keysym.sym = key;
  event.key.keysym.mod = mod;
  event.key.repeat = repeat;
  return event;
}

TEST(SdlEventTranslation, KeyEventsKeepTheirOwnModifiersAndRepeat) {
  WindowEvent out;
  // Alt+F4 is an ordinary key: the receiver decides what it means.
  ASSERT_TRUE(TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_LALT), 3, KMOD_NONE, out));
  EXPECT_EQ(out.kind, WindowEventKind::KeyDown);
  EXPECT_EQ(out.window, 3u);
  EXPECT_EQ(out.key, 115);
  EXPECT_EQ(out.modifiers, 0x40u | 0x80u);
  EXPECT_FALSE(out.repeat);

  ASSERT_TRUE(TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_s, KMOD_RCTRL, 1), 3, KMOD_LSHIFT, out));
  EXPECT_EQ(out.key, 'S');
  EXPECT_EQ(out.modifiers, 0x01u | 0x04u);  // the event's own state, not the one passed for the mouse
  EXPECT_TRUE(out.repeat);

  ASSERT_TRUE(TranslateSdlEvent(KeyEvent(SDL_KEYUP, SDLK_ESCAPE, KMOD_NONE), 3, KMOD_NONE, out));
  EXPECT_EQ(out.kind, WindowEventKind::KeyUp);
  EXPECT_EQ(out.key, 27);
  EXPECT_EQ(SdlWindowIdOf(KeyEvent(SDL_KEYUP, SDLK_ESCAPE, KMOD_NONE)), 7u);
}

TEST(SdlEventTranslation, MouseButtonsAreOneTwoAndFour) {
  const struct {
    Uint8 sdl;
    int32_t button;
  } cases[] = {{SDL_BUTTON_LEFT, 1}, {SDL_BUTTON_MIDDLE, 2}, {SDL_BUTTON_RIGHT, 4}, {SDL_BUTTON_X1, 0}};
  for (const auto& c : cases) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = c.sdl;
    event.button.clicks = 2;
    event.button.x = 15;
    event.button.y = 25;
    WindowEvent out;
    EXPECT_EQ(TranslateSdlEvent(event, 1, KMOD_LSHIFT, out), c.button != 0) << int(c.sdl);
    if (c.button == 0) continue;
    EXPECT_EQ(out.kind, WindowEventKind::MouseDown);
    EXPECT_EQ(out.button, c.button);
    EXPECT_EQ(out.clicks, 2);
    EXPECT_EQ(out.x, 15);
    EXPECT_EQ(out.y, 25);
    EXPECT_EQ(out.modifiers, 0x08u);
  }
  // A move carries the held buttons as a mask.
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  move.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_RMASK | SDL_BUTTON_X1MASK;
  move.motion.x = 3;
  move.motion.y = 4;
  WindowEvent out;
  ASSERT_TRUE(TranslateSdlEvent(move, 1, KMOD_NONE, out));
  EXPECT_EQ(out.kind, WindowEventKind::MouseMove);
  EXPECT_EQ(out.button, 1 | 4);
  // Touches arrive as touches, not a second time as a mouse.
  move.motion.which = SDL_TOUCH_MOUSEID;
  EXPECT_FALSE(TranslateSdlEvent(move, 1, KMOD_NONE, out));
}

TEST(SdlEventTranslation, WheelNotchesAre120Units) {
  const struct {
    float x;
    float y;
    Uint32 direction;
    int32_t delta;
    bool isHorizontal;
  } cases[] = {
      {0, 1, SDL_MOUSEWHEEL_NORMAL, 120, false},  {0, -2, SDL_MOUSEWHEEL_NORMAL, -240, false},
      {0, 1, SDL_MOUSEWHEEL_FLIPPED, -120, false}, {0, 0.5f, SDL_MOUSEWHEEL_NORMAL, 60, false},
      {1, 0, SDL_MOUSEWHEEL_NORMAL, 120, true},   {-1, 0, SDL_MOUSEWHEEL_NORMAL, -120, true},
  };
  for (const auto& c : cases) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.preciseX = c.x;
    event.wheel.preciseY = c.y;
    event.wheel.direction = c.direction;
    event.wheel.mouseX = 40;
    event.wheel.mouseY = 50;
    WindowEvent out;
    ASSERT_TRUE(TranslateSdlEvent(event, 1, KMOD_LCTRL, out)) << c.x << "," << c.y;
    EXPECT_EQ(out.kind, WindowEventKind::Wheel);
    EXPECT_EQ(out.delta, c.delta) << c.x << "," << c.y;
    EXPECT_EQ(out.horizontal, c.isHorizontal);
    EXPECT_EQ(out.x, 40);
    EXPECT_EQ(out.y, 50);
    EXPECT_EQ(out.modifiers, 0x01u);
  }
  SDL_Event still{};
  still.type = SDL_MOUSEWHEEL;
  WindowEvent out;
  EXPECT_FALSE(TranslateSdlEvent(still, 1, KMOD_NONE, out));
}

TEST(SdlEventTranslation, WindowEventsCloseExposeResizeAndFocus) {
  const struct {
    Uint8 sdl;
    bool isPassedOn;
    WindowEventKind kind;
  } cases[] = {
      {SDL_WINDOWEVENT_CLOSE, true, WindowEventKind::Close},
      {SDL_WINDOWEVENT_EXPOSED, true, WindowEventKind::Expose},
      {SDL_WINDOWEVENT_SIZE_CHANGED, true, WindowEventKind::Resize},
      {SDL_WINDOWEVENT_FOCUS_GAINED, true, WindowEventKind::FocusGained},
      {SDL_WINDOWEVENT_FOCUS_LOST, true, WindowEventKind::FocusLost},
      {SDL_WINDOWEVENT_RESIZED, false, WindowEventKind::Wake},  // SIZE_CHANGED says it once
      {SDL_WINDOWEVENT_MOVED, false, WindowEventKind::Wake},
  };
  for (const auto& c : cases) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = c.sdl;
    event.window.windowID = 9;
    event.window.data1 = 640;
    event.window.data2 = 480;
    WindowEvent out;
    ASSERT_EQ(TranslateSdlEvent(event, 2, KMOD_NONE, out), c.isPassedOn) << int(c.sdl);
    EXPECT_EQ(SdlWindowIdOf(event), 9u);
    if (!c.isPassedOn) continue;
    EXPECT_EQ(out.kind, c.kind);
    EXPECT_EQ(out.window, 2u);
    if (c.kind == WindowEventKind::Resize) {
      EXPECT_EQ(out.width, 640);
      EXPECT_EQ(out.height, 480);
    }
  }
}

TEST(SdlEventTranslation, TextInputAndQuit) {
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  SDL_strlcpy(text.text.text, "\xC3\xA4", sizeof(text.text.text));
  WindowEvent out;
  ASSERT_TRUE(TranslateSdlEvent(text, 1, KMOD_NONE, out));
  EXPECT_EQ(out.kind, WindowEventKind::TextInput);
  EXPECT_EQ(out.text, "\xC3\xA4");

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_TRUE(TranslateSdlEvent(quit, 0, KMOD_NONE, out));
  EXPECT_EQ(out.kind, WindowEventKind::Quit);
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(SdlWindowIdOf(quit), 0u);
}

TEST(SdlEventTranslation, EveryCursorKindHasItsOwnSystemCursor) {
  std::set<int32_t> shown;
  const CursorKind kinds[] = {CursorKind::Arrow,  CursorKind::IBeam,  CursorKind::Wait,
                              CursorKind::Cross,  CursorKind::Hand,   CursorKind::SizeWE,
                              CursorKind::SizeNS, CursorKind::SizeAll, CursorKind::No};
  for (CursorKind kind : kinds) shown.insert(SdlSystemCursorFor(kind));
  EXPECT_EQ(shown.size(), std::size(kinds));
  EXPECT_EQ(SdlSystemCursorFor(CursorKind::IBeam), SDL_SYSTEM_CURSOR_IBEAM);
  EXPECT_EQ(SdlSystemCursorFor(CursorKind::SizeWE), SDL_SYSTEM_CURSOR_SIZEWE);
}

TEST(SdlEventTranslation, MessageBoxButtonsAndTheAnswerOfAClosedBox) {
  const struct {
    MessageBoxKind kind;
    std::vector<MessageBoxAnswer> answers;
    MessageBoxAnswer closed;
  } cases[] = {
      {MessageBoxKind::Ok, {MessageBoxAnswer::Ok}, MessageBoxAnswer::Ok},
      {MessageBoxKind::OkCancel, {MessageBoxAnswer::Ok, MessageBoxAnswer::Cancel}, MessageBoxAnswer::Cancel},
      {MessageBoxKind::YesNo, {MessageBoxAnswer::Yes, MessageBoxAnswer::No}, MessageBoxAnswer::No},
      {MessageBoxKind::YesNoCancel,
       {MessageBoxAnswer::Yes, MessageBoxAnswer::No, MessageBoxAnswer::Cancel},
       MessageBoxAnswer::Cancel},
  };
  for (const auto& c : cases) {
    const std::vector<MessageBoxButton> buttons = MessageBoxButtonsFor(c.kind);
    ASSERT_EQ(buttons.size(), c.answers.size());
    int32_t returnDefaults = 0, escapeDefaults = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
      EXPECT_EQ(buttons[i].answer, c.answers[i]);
      EXPECT_FALSE(buttons[i].text.empty());
      returnDefaults += buttons[i].isReturnDefault;
      escapeDefaults += buttons[i].isEscapeDefault;
    }
    EXPECT_EQ(returnDefaults, 1);
    EXPECT_EQ(escapeDefaults, 1);
    EXPECT_TRUE(buttons.front().isReturnDefault);
    EXPECT_EQ(MessageBoxAnswerWhenClosed(c.kind), c.closed);
  }
}

}  // namespace
}  // namespace HV::Platform
