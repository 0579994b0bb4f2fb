// The text box's measuring, scrolling, looks and caret drawing. Positions
// and rectangles are in content coordinates (the control's own plus the
// scroll offset) unless a name says otherwise.
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "HVFramework/Utilities/Graphics/Color.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <cmath>

namespace HV {
namespace {

// Room kept between the caret and the side it is scrolled towards.
constexpr double kCaretMargin = 3;
constexpr double kCaretWidth = 1.0;
// The caret is black over colours lighter than this (average of the channels).
constexpr uint32_t kLightColourLevel = 128;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

LRectRegion RegionOf(const RectT<double>& rect) {
  LRectRegion region;
  const RectT<int32_t> r{RoundToInt32(rect.x), RoundToInt32(rect.y), RoundToInt32(rect.width),
                         RoundToInt32(rect.height)};
  if (r.width > 0 && r.height > 0) region.AddRect(RegionRect::FromRect(r));
  return region;
}

}  // namespace

// --- Measuring ---

RCPtr<LFontText> LTextBox::GetTextLayout() const {
  const RCPtr<LLook>& look = GetLook(-1);
  return look ? look->GetTextPart() : nullptr;
}

double LTextBox::MeasureWidth(const StringW& text) const {
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  if (!renderer || text.IsEmpty()) return 0;
  const RCPtr<LFontText> layout = GetTextLayout();
  const RectT<float> box = renderer->MeasureText(text, layout ? layout->GetFont() : GetFont());
  // The left bearing counts as width, as in the laid-out text; the room a
  // renderer adds to every measured width is not where the glyphs go, so a
  // caret or a highlight placed by it would stand off the characters.
  return std::max(0.0, static_cast<double>(box.width) + box.x - renderer->GetMeasuredTextMargin());
}

double LTextBox::GetLineHeight() const {
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  if (!renderer) return 0;
  const RCPtr<LFontText> layout = GetTextLayout();
  int32_t height = 0, ascent = 0, descent = 0;
  if (renderer->GetFontMetrics(layout ? layout->GetFont() : GetFont(), height, ascent, descent) < 0) return 0;
  return height;
}

RectT<double> LTextBox::GetTextArea() const {
  const RCPtr<LLook>& look = GetLook(-1);
  if (!look || !look->GetTextPart()) {
    const Rect& rect = GetRect();
    return {0, 0, rect.width, rect.height};
  }
  const RectT<float>& area = look->GetTextArea();
  return {area.x, area.y, area.width, area.height};
}

LControl::Point LTextBox::GetTextOffset() const {
  const RCPtr<LFontText> layout = GetTextLayout();
  if (!layout) return {};
  const std::vector<RectT<float>>& lines = layout->GetLineRects();
  if (lines.empty()) return {};
  return {lines.front().x, lines.front().y};
}

double LTextBox::PrefixWidth(int32_t count) const { return MeasureWidth(GetText().Left(count)); }

LControl::Rect LTextBox::GetCharRect(int32_t index) {
  if (index < 0 || index > GetTextLength()) return {};
  const RectT<double> area = GetTextArea();
  const Point offset = GetTextOffset();
  return {area.x + offset.x + PrefixWidth(index), area.y + offset.y, MeasureWidth(GetText().Mid(index, 1)) - 1,
          GetLineHeight()};
}

LControl::Rect LTextBox::GetRangeRect(int32_t a, int32_t b) {
  const int32_t length = GetTextLength();
  if (a < 0 || b < 0 || a > length || b > length) return {};
  const Rect first = GetCharRect(std::min(a, b));
  const Rect last = GetCharRect(std::max(a, b));
  return {first.x, first.y, last.x + last.width - first.x, first.height};
}

int32_t LTextBox::CharIndexAtPoint(const Point& point) {
  // One line only: every y falls on it.
  const RectT<double> area = GetTextArea();
  const double x = point.x - area.x - GetTextOffset().x;
  // The first position whose character's middle lies right of the point.
  int32_t low = 0, high = GetTextLength();
  while (low < high) {
    const int32_t middle = low + (high - low) / 2;
    const double left = PrefixWidth(middle);
    const double centre = (left + PrefixWidth(middle + 1)) / 2;
    if (x < centre)
      high = middle;
    else
      low = middle + 1;
  }
  return low;
}

void LTextBox::UpdateCaretRect() {
  const RectT<double> area = GetTextArea();
  const Point offset = GetTextOffset();
  mCaretRect = {area.x + offset.x + PrefixWidth(mCaret) - 1, area.y + offset.y, kCaretWidth, GetLineHeight()};
}

void LTextBox::UpdateClientExtent() {
  const RCPtr<LFontText> layout = GetTextLayout();
  int32_t width = 0, height = 0;
  if (layout) layout->GetTextSize(width, height);
  SetClientExtent(width, height);
}

// --- Scrolling ---

double LTextBox::GetFarScrollEdge() const {
  return std::max(0.0, GetClientExtent().x - GetTextArea().width + kCaretMargin);
}

void LTextBox::ScrollCaretIntoView() {
  if (!mAutoScrollX || mInScrollUpdate || IsScrollAnimationRunning(0) || IsScrollAnimationRunning(1)) return;
  const RectT<double> area = GetTextArea();
  const Point scroll = GetScrollOffset();
  const double onScreen = mCaretRect.x - scroll.x;
  const double right = area.x + area.width;
  double target = scroll.x;
  if (onScreen < area.x)
    target = std::max(0.0, mCaretRect.x - kCaretMargin);
  else if (onScreen + mCaretRect.width > right)
    target = mCaretRect.x + mCaretRect.width + kCaretMargin - right;
  else
    return;
  SetScrollOffset({target, scroll.y});
  UpdateCaretRect();
  UpdateLook();
}

LControl::Point LTextBox::ContentPointAtMouse() const {
  LRootWindow* root = GetRootWindow();
  if (!root) return {};
  const LRootWindow::Point mouse = root->GetMousePosition();
  const Point origin = GetOriginInRoot();
  const Point& scroll = GetScrollOffset();
  return {mouse.x - origin.x + scroll.x, mouse.y - origin.y + scroll.y};
}

HResult LTextBox::SetScrollOffset(const Point& offset) {
  if (mInScrollUpdate) return S_FALSE;
  const RCPtr<LControl> self(this);
  mInScrollUpdate = true;
  const HResult result = LScrollView::SetScrollOffset(offset);
  const double x = GetScrollOffset().x;
  if (IsScrollAnimationRunning(0) && (x <= 0 || x >= GetFarScrollEdge())) StopScrollAnimation(0);
  if (GetConditions() & kLeftDrag) {
    // The selection follows the content moving under a held pointer.
    const Point at = ContentPointAtMouse();
    const RectT<double> area = GetTextArea();
    const double left = area.x + x;
    ExtendSelectionTo(CharIndexAtPoint({std::clamp(at.x, left, left + std::max(0.0, area.width)), at.y}));
  } else {
    UpdateLook();
  }
  mInScrollUpdate = false;
  return result;
}

// --- Looks ---

bool LTextBox::HasLook(int32_t index) const { return index < GetLookCount() && GetLook(index); }

void LTextBox::ApplyLabelText() {
  if (HasLook(kLookLabel)) OwnLook(kLookLabel)->SetText(mLabelText);
}

void LTextBox::UpdateLook() {
  if (GetLookCount() == 0) return;
  if (!IsEnabled(true)) {
    ClearLookRegions();
    SelectLook(kLookDisabled);
    return;
  }
  if (!HasFocus() && GetText().IsEmpty() && !mLabelText.IsEmpty()) {
    ShowLabelLooks();
    return;
  }
  const uint32_t word = GetConditions();
  const bool hover = (word & (kHover | kMouseOver | kLeftDrag)) != 0;
  int32_t base = hover ? kLookHover : kLookNormal;
  if (HasFocus()) base += kLookFocused;
  if (HasFocus() && HasSelection()) {
    ShowSelectionLooks(base);
    return;
  }
  ClearLookRegions();
  SelectLook(base);
}

void LTextBox::ShowLabelLooks() {
  if (!HasLook(kLookLabel) || !GetLook(kLookLabel)->GetTextPart()) return;
  const RCPtr<LLook> label = GetLook(kLookLabel);
  const RectT<double> area = GetTextArea();
  const double x = std::round(area.x), y = std::round(area.y);
  const RCPtr<LFontText> text = label->GetTextPart();
  const RectT<float> box = GetApplicationRenderer()
                               ? GetApplicationRenderer()->MeasureText(text->GetText(), text->GetFont())
                               : RectT<float>{};
  SetLookRegion(kLookLabel, RegionOf({x, y, static_cast<double>(box.width) + box.x, area.height}));
  SelectLook(kLookLabelBase);
  SetLookRegionExcept(kLookLabelBase, kLookLabel);
  SetLookWeight(kLookLabel, 1.0f, false);
}

void LTextBox::ShowSelectionLooks(int32_t base) {
  const bool hover = base == kLookHover || base == kLookHover + kLookFocused;
  const int32_t selection = hover ? kLookSelectionHover : kLookSelection;
  Rect range = GetRangeRect(mSelStart, mSelStart + mSelLength - 1);
  range.x -= GetScrollOffset().x;
  range.y -= GetScrollOffset().y;
  const RectT<double> area = GetTextArea();
  RectT<double> shown{range.x, range.y, range.width, range.height};
  shown.Intersect(area);
  ClearLookRegions();
  SelectLook(base);
  // An empty region would let the highlight cover the whole box.
  if (!HasLook(selection) || shown.width <= 0 || shown.height <= 0) return;
  SetLookRegion(selection, RegionOf(shown));
  SetLookRegionExcept(base, selection);
  SetLookWeight(selection, 1.0f, false);
}

// --- Caret ---

int32_t LTextBox::DrawOverlay(const RCPtr<LRenderer>& renderer) {
  if (!renderer || !HasFocus() || !mCaretVisible) return 0;
  const Point& scroll = GetScrollOffset();
  const float x = static_cast<float>(mCaretRect.x - scroll.x);
  const float y = static_cast<float>(mCaretRect.y - scroll.y);
  const uint32_t under = GetLookColorAt(-1, {x, y});
  const uint32_t level = (((under >> 16) & 0xFF) + ((under >> 8) & 0xFF) + (under & 0xFF)) / 3;
  Color colour;
  colour.SetARGB(level > kLightColourLevel ? kBlack : kWhite);
  renderer->DrawLine({x, y}, {x, y + static_cast<float>(mCaretRect.height)}, colour, 1.0f);
  return 0;
}

}  // namespace HV
