#include "HVFramework/Controls/MessageBox/MessageBoxLayout.h"

#include "HVFramework/ControlBase/Views/LDialog.h"

#include <algorithm>

namespace HV {
namespace {

// The standard buttons of a dialog, closing it with their results.
constexpr MessageBoxButton kOk{u"buttonOK", LDialog::kOK, u"MESSAGEBOX_OK", u"OK"};
constexpr MessageBoxButton kCancel{u"buttonCancel", LDialog::kCancel, u"MESSAGEBOX_CANCEL", u"Cancel"};
constexpr MessageBoxButton kAbort{u"buttonAbort", LDialog::kAbort, u"MESSAGEBOX_ABORT", u"Abort"};
constexpr MessageBoxButton kRetry{u"buttonRetry", LDialog::kRetry, u"MESSAGEBOX_RETRY", u"Retry"};
constexpr MessageBoxButton kIgnore{u"buttonIgnore", LDialog::kIgnore, u"MESSAGEBOX_IGNORE", u"Ignore"};
constexpr MessageBoxButton kYes{u"buttonYes", LDialog::kYes, u"MESSAGEBOX_YES", u"Yes"};
constexpr MessageBoxButton kNo{u"buttonNo", LDialog::kNo, u"MESSAGEBOX_NO", u"No"};

constexpr MessageBoxButton kEveryButton[] = {kOk, kCancel, kYes, kNo, kAbort, kRetry, kIgnore};

std::vector<MessageBoxButton> ButtonsOf(uint32_t set) {
  switch (set) {
    case 1: return {kOk, kCancel};
    case 2: return {kAbort, kRetry, kIgnore};
    case 3: return {kYes, kNo, kCancel};
    case 4: return {kYes, kNo};
    case 5: return {kRetry, kCancel};
    default: return {kOk};
  }
}

MessageBoxIcon IconOf(uint32_t bits) {
  switch (bits) {
    case 0x10: return MessageBoxIcon::Error;
    case 0x20: return MessageBoxIcon::Question;
    case 0x30: return MessageBoxIcon::Warning;
    case 0x40: return MessageBoxIcon::Information;
    default: return MessageBoxIcon::None;
  }
}

int32_t EscapeResultOf(const std::vector<MessageBoxButton>& buttons) {
  for (const MessageBoxButton& button : buttons)
    if (button.result == kCancel.result) return button.result;
  return buttons.size() == 1 ? buttons.front().result : 0;
}

}  // namespace

std::span<const MessageBoxButton> GetMessageBoxButtons() { return kEveryButton; }

MessageBoxFace MessageBoxFaceFromStyle(uint32_t style) {
  MessageBoxFace face;
  face.buttons = ButtonsOf(style & 0xF);
  face.icon = IconOf(style & 0xF0);
  const size_t wanted = (style & 0xF00) >> 8;
  face.defaultButton = wanted < face.buttons.size() ? wanted : 0;
  face.escapeResult = EscapeResultOf(face.buttons);
  return face;
}

MessageBoxGeometry LayOutMessageBox(const MessageBoxFace& face, const MessageBoxMetrics& metrics,
                                    const MessageBoxTextMeasure& text,
                                    const std::vector<int32_t>& buttonTextWidths) {
  MessageBoxGeometry geometry;
  const int32_t count = static_cast<int32_t>(face.buttons.size());
  std::vector<int32_t> widths;
  int32_t rowWidth = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t textWidth = i < static_cast<int32_t>(buttonTextWidths.size()) ? buttonTextWidths[i] : 0;
    widths.push_back(std::max(metrics.buttonWidth, textWidth + 24));
    rowWidth += widths.back() + (i > 0 ? metrics.buttonGap : 0);
  }

  const bool hasIcon = face.icon != MessageBoxIcon::None;
  const int32_t textLeft = metrics.margin + (hasIcon ? metrics.iconSize + metrics.iconGap : 0);
  const int32_t wanted = text.unwrappedWidth ? text.unwrappedWidth() : 0;
  // A narrow text over a wide row of buttons may take the room they give.
  const int32_t roomOverButtons = rowWidth - (textLeft - metrics.margin);
  const int32_t textWidth =
      std::max({metrics.minTextWidth, std::min(wanted, std::max(metrics.maxTextWidth, roomOverButtons))});
  const int32_t textHeight = std::max(1, text.heightAt ? text.heightAt(textWidth) : 0);

  const int32_t rowHeight = std::max(hasIcon ? metrics.iconSize : 0, textHeight);
  const int32_t top = metrics.margin;
  if (hasIcon) geometry.icon = {metrics.margin, top + (rowHeight - metrics.iconSize) / 2, metrics.iconSize,
                                metrics.iconSize};
  geometry.text = {textLeft, top + (rowHeight - textHeight) / 2, textWidth, textHeight};

  geometry.width = std::max(textLeft + textWidth, metrics.margin + rowWidth) + metrics.margin;
  const int32_t buttonTop = top + rowHeight + metrics.textGap;
  int32_t x = geometry.width - metrics.margin - rowWidth;
  for (int32_t i = 0; i < count; ++i) {
    geometry.buttons.push_back({x, buttonTop, widths[i], metrics.buttonHeight});
    x += widths[i] + metrics.buttonGap;
  }
  geometry.height = buttonTop + (count > 0 ? metrics.buttonHeight : 0) + metrics.margin;
  return geometry;
}

}  // namespace HV
