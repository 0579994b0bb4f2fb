#include "HVFramework/Renderer/LFontText.h"

#include "HVFramework/Renderer/ApplicationRenderer.h"

#include <algorithm>
#include <cmath>

namespace HV {
namespace {

constexpr char16_t kLineFeed[] = u"\n";
constexpr char16_t kLeadingBlanks[] = u" \t\r\n";
constexpr float kSizeLimit = 8388608.0f;
constexpr char16_t kEllipsis[] = u"...";

int32_t RoundLimited(float v) { return RoundToInt32(std::clamp(v, -kSizeLimit, kSizeLimit)); }

}  // namespace

bool LFontText::SetText(const StringW& text) {
  if (text == mText) return false;
  mText = text;
  ClearLayout();
  return true;
}

bool LFontText::SetFont(const RCPtr<LFont>& font) {
  const LFont* a = font.Get();
  const LFont* b = mFont.Get();
  const bool same = a == b || (a && b && a->GetName() == b->GetName() && a->GetSize() == b->GetSize() &&
                               a->GetStyle() == b->GetStyle());
  mFont = font;  // an equal font is taken too, so the text holds the one it was given
  if (same) return false;
  ClearLayout();
  return true;
}

bool LFontText::SetAlignment(float horizontal, float vertical) {
  if (horizontal == mHorizontalAlignment && vertical == mVerticalAlignment) return false;
  mHorizontalAlignment = horizontal;
  mVerticalAlignment = vertical;
  ClearLayout();
  return true;
}

bool LFontText::SetWrap(bool shouldWrap) {
  if (shouldWrap == mShouldWrap) return false;
  mShouldWrap = shouldWrap;
  ClearLayout();
  return true;
}

bool LFontText::SetEllipsis(bool shouldEllipsize) {
  if (shouldEllipsize == mShouldEllipsize) return false;
  mShouldEllipsize = shouldEllipsize;
  ClearLayout();
  return true;
}

bool LFontText::SetBoxSize(float width, float height) {
  if (width == mBoxWidth && height == mBoxHeight) return false;
  mBoxWidth = width;
  mBoxHeight = height;
  ClearLayout();
  return true;
}

void LFontText::ClearLayout() {
  mLines.SetCount(0);
  mLineRects.clear();
  mShownLines.SetCount(0);
  mShownLineRects.clear();
}

StringArrayW LFontText::Split(const StringW& text, const char16_t* separators) {
  StringArrayW parts;
  const std::u16string_view view = text.GetView();
  size_t start = 0;
  for (;;) {
    const size_t at = view.find_first_of(separators, start);
    const size_t end = at == std::u16string_view::npos ? view.size() : at;
    parts.AddItem(text.SubString(static_cast<int32_t>(start), static_cast<int32_t>(end - start)));
    if (at == std::u16string_view::npos) break;
    start = at + 1;
  }
  return parts;
}

float LFontText::Measure(LMeasurementRenderer& renderer, const StringW& text) const {
  return renderer.MeasureText(text, mFont).width;
}

int32_t LFontText::FindLineBreak(LMeasurementRenderer& renderer, float width, const StringW& text) const {
  const int32_t length = text.GetLength();
  if (Measure(renderer, text) < width) return length;
  int32_t answer = length;
  StringW candidate = text;
  // Every pass shortens the candidate, so the search ends.
  for (;;) {
    const int32_t space = candidate.ReverseFind(u' ');
    if (space >= 1) {
      const StringW prefix = text.Left(space);
      if (Measure(renderer, prefix) > width) {
        candidate = prefix;
        continue;
      }
      const int32_t hyphen = text.ReverseFind(u'-');
      answer = (hyphen + 1 > space && Measure(renderer, text.Left(hyphen + 1)) <= width) ? hyphen + 1 : space;
      break;
    }
    const int32_t hyphen = candidate.Left(candidate.GetLength() - 1).ReverseFind(u'-');
    if (hyphen < 0) {
      answer = length;  // cannot be broken: the line overflows
      break;
    }
    if (Measure(renderer, text.Left(hyphen + 1)) <= width) {
      answer = hyphen + 1;
      break;
    }
    candidate = text.Left(hyphen + 1);
  }
  return answer < 1 ? length : answer;
}

StringArrayW LFontText::LayOut(LMeasurementRenderer& renderer, float width) const {
  if (!mShouldWrap) return Split(mText, kLineFeed);
  StringArrayW lines;
  const StringArrayW paragraphs = Split(mText, kLineFeed);
  for (uint32_t i = 0; i < paragraphs.GetCount(); ++i) {
    StringW rest = *paragraphs.GetItemPtr(i);
    while (!rest.IsEmpty()) {
      const int32_t n = FindLineBreak(renderer, width, rest);
      if (n >= rest.GetLength()) {
        lines.AddItem(rest);
        break;
      }
      lines.AddItem(rest.Left(n));
      rest = rest.SubString(n);
      const StringW trimmed = rest.TrimLeft(kLeadingBlanks);
      if (!trimmed.IsEmpty()) rest = trimmed;
    }
  }
  return lines;
}

int32_t LFontText::LineHeight() const { return mFont ? mFont->GetHeight() : 0; }

void LFontText::MeasureLines(LMeasurementRenderer& renderer) {
  mLineRects.clear();
  if (mLines.GetCount() == 0) mLines.AddItem(StringW());
  const float lineHeight = static_cast<float>(LineHeight());
  const uint32_t count = mLines.GetCount();
  const float top = (mBoxHeight - lineHeight * static_cast<float>(count)) * mVerticalAlignment;
  for (uint32_t i = 0; i < count; ++i) {
    RectT<float> r = renderer.MeasureText(*mLines.GetItemPtr(i), mFont);
    if (r.x != 0) {
      r.width += r.x;  // the left bearing counts as width
      r.x = 0;
    }
    mLineRects.push_back({(mBoxWidth - r.width) * mHorizontalAlignment,
                          lineHeight * static_cast<float>(i) + top, r.width, r.height});
  }
}

StringW LFontText::Ellipsize(LMeasurementRenderer& renderer, const StringW& line, float width) const {
  // Binary search for the longest start that fits: widths grow with length.
  int32_t fits = 0;
  int32_t tooLong = line.GetLength();
  while (tooLong - fits > 1) {
    const int32_t middle = fits + (tooLong - fits) / 2;
    if (Measure(renderer, line.Left(middle).TrimRight() + StringW(kEllipsis)) <= width)
      fits = middle;
    else
      tooLong = middle;
  }
  return line.Left(fits).TrimRight() + StringW(kEllipsis);
}

void LFontText::FitShownLines(LMeasurementRenderer& renderer) {
  mShownLines = mLines;
  mShownLineRects = mLineRects;
  if (!mShouldEllipsize || mShouldWrap || !(mBoxWidth > 0)) return;
  const size_t count = std::min<size_t>(mShownLines.GetCount(), mShownLineRects.size());
  for (size_t i = 0; i < count; ++i) {
    RectT<float>& rect = mShownLineRects[i];
    if (rect.width <= mBoxWidth) continue;
    StringW& line = *mShownLines.GetItemPtr(static_cast<uint32_t>(i));
    line = Ellipsize(renderer, line, mBoxWidth);
    const RectT<float> measured = renderer.MeasureText(line, mFont);
    rect.width = measured.width + measured.x;  // the left bearing counts as width, as above
    rect.x = (mBoxWidth - rect.width) * mHorizontalAlignment;
  }
}

void LFontText::Prepare() {
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  if (!renderer) return;
  if (mLines.GetCount() == 0) mLines = LayOut(*renderer, mBoxWidth);
  if (mLineRects.empty()) MeasureLines(*renderer);
}

void LFontText::PrepareShown() {
  Prepare();
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  if (renderer && mShownLineRects.empty()) FitShownLines(*renderer);
}

const StringArrayW& LFontText::GetShownLines() {
  PrepareShown();
  return mShownLines;
}

const std::vector<RectT<float>>& LFontText::GetShownLineRects() {
  PrepareShown();
  return mShownLineRects;
}

uint32_t LFontText::GetLineCount() {
  Prepare();
  return static_cast<uint32_t>(mLineRects.size());
}

const StringArrayW& LFontText::GetLines() {
  Prepare();
  return mLines;
}

const std::vector<RectT<float>>& LFontText::GetLineRects() {
  Prepare();
  return mLineRects;
}

void LFontText::GetTextSize(int32_t& width, int32_t& height) {
  Prepare();
  if (mLineRects.empty()) {
    width = height = 0;
    return;
  }
  float left = mLineRects[0].x, top = mLineRects[0].y;
  float right = mLineRects[0].Right(), bottom = mLineRects[0].Bottom();
  for (const RectT<float>& r : mLineRects) {
    left = std::min(left, r.x);
    top = std::min(top, r.y);
    right = std::max(right, r.Right());
    bottom = std::max(bottom, r.Bottom());
  }
  width = RoundLimited(right - left);
  height = RoundLimited(bottom - top);
}

int32_t LFontText::GetTextHeight(float wrapWidth) {
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  if (!renderer) return 0;
  const uint32_t lines = LayOut(*renderer, wrapWidth).GetCount();
  return static_cast<int32_t>(lines) * LineHeight();
}

int32_t LFontText::GetMaxLineWidth() {
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  if (!renderer) return 0;
  const StringArrayW lines = Split(mText, kLineFeed);
  if (lines.GetCount() == 0) return 0;
  float widest = 0;
  for (uint32_t i = 0; i < lines.GetCount(); ++i)
    widest = std::max(widest, Measure(*renderer, *lines.GetItemPtr(i)));
  return static_cast<int32_t>(widest + 0.99f);
}

}  // namespace HV
