#include "HVFramework/Controls/MessageBox/LMessageBox.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Renderer/LFontText.h"
#include "HVFramework/Utilities/Geometry/PolylineT.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <array>
#include <cmath>
#include <numbers>

namespace HV {
namespace {

constexpr uint32_t kEscapeKeyDown = KeyCode::kVirtualKeyFlag | (0x1Bu << 16);
constexpr uint32_t kEnterKeyDown = KeyCode::kVirtualKeyFlag | (0x0Du << 16);
constexpr int32_t kTextInsetRoom = 8;

// The icons' colours and marks, the same in every skin: they say what kind
// of message this is, as on every desktop.
struct IconFace {
  uint32_t fill;
  const char16_t* mark;
};
IconFace IconFaceOf(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Error: return {0xFFD93B3B, u"\u00D7"};
    case MessageBoxIcon::Warning: return {0xFFE8A317, u"!"};
    case MessageBoxIcon::Question: return {0xFF3B82D9, u"?"};
    case MessageBoxIcon::Information: return {0xFF3B82D9, u"i"};
    default: return {0, u""};
  }
}

Color ColorOf(uint32_t argb) {
  Color colour;
  colour.SetARGB(argb);
  return colour;
}

// A circle, or for a warning a triangle on its base, filling the square.
PolylineT<float> IconOutline(MessageBoxIcon icon, const RectT<int32_t>& square) {
  PolylineT<float> outline;
  const float x = static_cast<float>(square.x), y = static_cast<float>(square.y);
  const float side = static_cast<float>(square.width);
  if (icon == MessageBoxIcon::Warning) {
    outline.SetPoints({{x + side / 2, y + 1}, {x + side - 1, y + side - 2}, {x + 1, y + side - 2}});
    return outline;
  }
  constexpr int kSteps = 40;
  std::vector<PointT<float>> points;
  for (int step = 0; step < kSteps; ++step) {
    const double angle = 2 * std::numbers::pi * step / kSteps;
    points.push_back({x + side / 2 + static_cast<float>(std::cos(angle) * side / 2),
                      y + side / 2 + static_cast<float>(std::sin(angle) * side / 2)});
  }
  outline.SetPoints(std::move(points));
  return outline;
}


int32_t TextWidth(const StringW& text, const RCPtr<LFont>& font) {
  if (text.IsEmpty() || !font) return 0;
  return LFontText::Create(text, font)->GetMaxLineWidth();
}

}  // namespace

LMessageBox::LMessageBox(LControl* parent, const StringW& name) : LDialog(parent, name) {}

LMessageBox::~LMessageBox() = default;

RCPtr<LControl>& LMessageBox::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                     const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LMessageBox>(result, parent, descriptor);
}

HResult LMessageBox::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LMessageBox::Create);
}

// --- Content and layout ---

HResult LMessageBox::SetMessage(const StringW& text, const StringW& caption, uint32_t style,
                                const TextSource& texts) {
  const RCPtr<LControl> self(this);
  const RCPtr<LControl> message = FindChildControl(StringW(u"message"));
  if (!message) return E_FAIL;
  const MessageBoxMetrics metrics = ReadMetrics();
  mFace = MessageBoxFaceFromStyle(style);
  mCaption = caption;
  message->SetText(text);
  ShowButtons(texts);

  const RCPtr<LFont> font = message->GetFont();
  const RCPtr<LFontText> measured = LFontText::Create(text, font);
  measured->SetWrap(true);
  MessageBoxTextMeasure measure;
  // The label's look may set its text in from its edges: the measures leave
  // room for that, so a line that fits stays one line.
  measure.unwrappedWidth = [&] { return font ? measured->GetMaxLineWidth() + kTextInsetRoom : 0; };
  measure.heightAt = [&](int32_t width) {
    return font ? measured->GetTextHeight(static_cast<float>(width - kTextInsetRoom)) : 0;
  };
  mGeometry = LayOutMessageBox(mFace, metrics, measure, ButtonTextWidths());

  Place(message, mGeometry.text);
  if (const RCPtr<LControl> icon = FindChildControl(StringW(u"icon"))) {
    icon->SetVisible(mFace.icon != MessageBoxIcon::None);
    Place(icon, mGeometry.icon);
  }
  for (size_t i = 0; i < mFace.buttons.size(); ++i)
    Place(FindChildControl(StringW(mFace.buttons[i].name)), mGeometry.buttons[i]);
  PrepareIcon(font);
  // The box itself: its window takes this size, centred over its owner.
  SetRect({0, 0, static_cast<double>(mGeometry.width), static_cast<double>(mGeometry.height)});
  return S_OK;
}

MessageBoxMetrics LMessageBox::ReadMetrics() {
  MessageBoxMetrics metrics;
  if (const RCPtr<LControl> icon = FindChildControl(StringW(u"icon")); icon && icon->GetRect().width >= 8)
    metrics.iconSize = RoundToInt32(icon->GetRect().width);
  if (const RCPtr<LControl> message = FindChildControl(StringW(u"message")); message && message->GetRect().x > 0)
    metrics.margin = std::min(RoundToInt32(message->GetRect().y), 48);
  if (const RCPtr<LControl> ok = FindChildControl(StringW(u"buttonOK")); ok && ok->GetRect().width >= 16) {
    metrics.buttonWidth = RoundToInt32(ok->GetRect().width);
    metrics.buttonHeight = RoundToInt32(ok->GetRect().height);
  }
  return metrics;
}

void LMessageBox::ShowButtons(const TextSource& texts) {
  for (const MessageBoxButton& each : GetMessageBoxButtons()) {
    const RCPtr<LControl> button = FindChildControl(StringW(each.name));
    if (!button) continue;
    const auto shown = std::find_if(mFace.buttons.begin(), mFace.buttons.end(),
                                    [&](const MessageBoxButton& b) { return b.result == each.result; });
    const bool isShown = shown != mFace.buttons.end();
    button->SetVisible(isShown);
    button->SetNotFocusable(!isShown);
    if (isShown && texts) button->SetText(texts(shown->textId, shown->builtInText));
  }
}

std::vector<int32_t> LMessageBox::ButtonTextWidths() {
  std::vector<int32_t> widths;
  for (const MessageBoxButton& face : mFace.buttons) {
    const RCPtr<LControl> button = FindChildControl(StringW(face.name));
    widths.push_back(button ? TextWidth(button->GetText(), button->GetFont()) : 0);
  }
  return widths;
}

void LMessageBox::Place(const RCPtr<LControl>& control, const RectT<int32_t>& rect) {
  if (!control) return;
  std::array<LLayoutPosition, 2> positions;
  std::array<LLayoutSize, 2> sizes;
  const std::array<int32_t, 4> values{rect.x, rect.y, rect.width, rect.height};
  for (int axis : {0, 1}) {
    positions[axis] = LLayoutPosition{0, 1, {}, 0, static_cast<double>(values[axis])};
    sizes[axis] = LLayoutSize{2, {}, 0, static_cast<double>(values[2 + axis])};
  }
  control->SetLayout(positions, sizes, {false, false});
}

RCPtr<LControl> LMessageBox::DefaultButton() {
  if (mFace.defaultButton >= mFace.buttons.size()) return nullptr;
  return FindChildControl(StringW(mFace.buttons[mFace.defaultButton].name));
}

// --- Keys and closing ---

void LMessageBox::CloseDialog(int32_t /*result*/) {
  if (mFace.escapeResult != 0) Close(mFace.escapeResult);
}

HResult LMessageBox::SetFocus(bool forward) {
  // The box's first focus goes to its default button, not the first in tab
  // order; after that Tab moves it round the buttons shown.
  if (!mIsFocusPlaced && !HasFocus() && !ContainsFocus())
    if (const RCPtr<LControl> button = DefaultButton(); button && button->IsVisible()) {
      mIsFocusPlaced = true;
      return button->SetFocus(forward);
    }
  return LDialog::SetFocus(forward);
}

void LMessageBox::MoveFocus(const RCPtr<LKeyParam>& key) {
  // The buttons are a ring: Tab past the last comes round to the first.
  if (key) key->wraps = true;
  LDialog::MoveFocus(key);
}

bool LMessageBox::AnswerEscape(const RCPtr<LKeyParam>& key) {
  if (!key || key->GetKey().code != kEscapeKeyDown) return false;
  CloseDialog(kCancel);
  return true;
}

// Escape reaches the box from a focused button that did not use it, or
// straight when nothing inside has the focus.
HResult LMessageBox::OnChildKey(const RCPtr<LKeyParam>& key) {
  return AnswerEscape(key) ? S_OK : LDialog::OnChildKey(key);
}

HResult LMessageBox::ProcessKey(const RCPtr<LKeyParam>& key) {
  if (AnswerEscape(key)) return S_OK;
  // Return with the focus on no button presses the default one.
  if (key && key->GetKey().code == kEnterKeyDown) {
    if (mFace.defaultButton < mFace.buttons.size()) Close(mFace.buttons[mFace.defaultButton].result);
    return S_OK;
  }
  return LDialog::ProcessKey(key);
}

// --- Drawing ---

void LMessageBox::PrepareIcon(const RCPtr<LFont>& textFont) {
  mIconOutline = IconOutline(mFace.icon, mGeometry.icon);
  mMarkFont = nullptr;
  if (mFace.icon == MessageBoxIcon::None || !textFont) return;
  mMarkFont = LFont::FindOrCreate(textFont->GetName(), static_cast<float>(mGeometry.icon.height) * 0.5f, LFont::Bold);
  const int32_t width = TextWidth(StringW(IconFaceOf(mFace.icon).mark), mMarkFont);
  const int32_t height = std::max(0, mMarkFont->GetHeight());
  // A warning's mark sits low, in the triangle's wide part.
  const int32_t lift = mFace.icon == MessageBoxIcon::Warning ? -mGeometry.icon.height / 10 : 0;
  mMarkPosition = {mGeometry.icon.x + (mGeometry.icon.width - width) / 2,
                   mGeometry.icon.y + (mGeometry.icon.height - height) / 2 - lift};
}

int32_t LMessageBox::DrawContent(const RCPtr<LRenderer>& renderer) {
  if (!renderer || mFace.icon == MessageBoxIcon::None || mGeometry.icon.IsEmpty()) return 0;
  const IconFace face = IconFaceOf(mFace.icon);
  renderer->FillPolygon(mIconOutline, ColorOf(face.fill), {0, 0}, {1, 1}, false);
  if (mMarkFont) renderer->DrawText(StringW(face.mark), mMarkFont, mMarkPosition, ColorOf(0xFFFFFFFF));
  return 0;
}

}  // namespace HV
