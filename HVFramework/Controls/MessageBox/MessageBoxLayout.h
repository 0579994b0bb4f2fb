#pragma once

// What a message box shows for its style flags (the icon, the buttons, the
// default and the cancelling one), and where its parts go for a text: the
// text wrapped at a readable width beside the icon, the buttons in a row
// under them at the right. Plain values, no controls: the box applies them.

#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace HV {

enum class MessageBoxIcon { None, Error, Question, Warning, Information };

// One button of a box: the skin control it is, the result it closes the box
// with, and its text (an id of the framework's string table, with the
// English text for a table without it).
struct MessageBoxButton {
  const char16_t* name;
  int32_t result;
  const char16_t* textId;
  const char16_t* builtInText;
};

struct MessageBoxFace {
  MessageBoxIcon icon = MessageBoxIcon::None;
  std::vector<MessageBoxButton> buttons;
  size_t defaultButton = 0;  // the one Return presses and that has the focus first
  // What Escape and the window's close box answer: the Cancel button's
  // result, OK's when OK is the only button; 0 when the box must be answered
  // with one of its buttons (Yes/No, Abort/Retry/Ignore).
  int32_t escapeResult = 0;
};

// Every button a box may show, each once.
std::span<const MessageBoxButton> GetMessageBoxButtons();

// The message-box style flags: the buttons in bits 0-3, the icon in bits
// 4-7, the default button in bits 8-11. Unknown button sets show OK, an
// unknown icon none, a default past the last button the first.
MessageBoxFace MessageBoxFaceFromStyle(uint32_t style);

// The skin's measures of a box, in pixels.
struct MessageBoxMetrics {
  int32_t margin = 16;         // around everything
  int32_t iconSize = 32;       // the icon's side
  int32_t iconGap = 14;        // between icon and text
  int32_t buttonWidth = 90;    // at least; a wider text widens its button
  int32_t buttonHeight = 28;
  int32_t buttonGap = 8;
  int32_t textGap = 18;        // between the text (or icon) and the buttons
  int32_t minTextWidth = 160;
  int32_t maxTextWidth = 380;  // a readable line
};

// How the text measures: its widest line unwrapped, and its height wrapped
// at a width.
struct MessageBoxTextMeasure {
  std::function<int32_t()> unwrappedWidth;
  std::function<int32_t(int32_t width)> heightAt;
};

struct MessageBoxGeometry {
  int32_t width = 0;
  int32_t height = 0;
  RectT<int32_t> icon;  // empty without an icon
  RectT<int32_t> text;
  std::vector<RectT<int32_t>> buttons;  // in the face's order, left to right
};

// buttonTextWidths: the width each button's text takes, in the face's order
// (missing ones count 0).
MessageBoxGeometry LayOutMessageBox(const MessageBoxFace& face, const MessageBoxMetrics& metrics,
                                    const MessageBoxTextMeasure& text,
                                    const std::vector<int32_t>& buttonTextWidths = {});

}  // namespace HV
