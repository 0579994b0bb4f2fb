#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Renderer/LMeasurementRenderer.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/StringArrayT.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <vector>

namespace HV {

// LFontText: a text in a font laid out for a box: broken into lines (at line
// feeds, and to the box width when wrapping), one rectangle per line placed
// by the horizontal and vertical alignment factors (0 left/top, 0.5 centre,
// 1 right/bottom). The lines and rectangles are built on first use and kept
// until a setter changes what they depend on. A text that does not wrap can
// end in an ellipsis: a line wider than the box is then shown shortened to
// what fits followed by "...", while the lines and rectangles keep the whole
// text (what controls measure, grow by and compare against their width).
// All measuring goes through the application renderer. User-interface thread only.
class LFontText : public virtual LRefCountedObject {
 public:
  static RCPtr<LFontText> Create(const StringW& text, const RCPtr<LFont>& font) {
    return RCPtr<LFontText>(new LFontText(text, font));
  }

  // Each setter drops the layout and answers true only when the value
  // changed; setting the current value again keeps the layout.
  bool SetText(const StringW& text);
  // Fonts are pooled, but two fonts of the same name, size and style count
  // as the same font.
  bool SetFont(const RCPtr<LFont>& font);
  bool SetAlignment(float horizontal, float vertical);
  bool SetWrap(bool shouldWrap);
  // Whether a line too wide for the box is shown ending in "..." (never
  // while wrapping).
  bool SetEllipsis(bool shouldEllipsize);
  bool SetBoxSize(float width, float height);
  // Drops the lines and rectangles so the next use builds them again.
  void ClearLayout();

  const StringW& GetText() const { return mText; }
  const RCPtr<LFont>& GetFont() const { return mFont; }
  bool ShouldWrap() const { return mShouldWrap; }
  bool ShouldEllipsize() const { return mShouldEllipsize; }
  float GetHorizontalAlignment() const { return mHorizontalAlignment; }
  float GetVerticalAlignment() const { return mVerticalAlignment; }
  float GetBoxWidth() const { return mBoxWidth; }
  float GetBoxHeight() const { return mBoxHeight; }
  // True until the lines are built again after a change.
  bool NeedsLayout() const { return mLineRects.empty(); }

  // Lays out and measures when needed; the number of line rectangles (at least 1).
  uint32_t GetLineCount();
  const StringArrayW& GetLines();
  const std::vector<RectT<float>>& GetLineRects();
  // The lines as drawn and their rectangles: the lines above, each too wide
  // for the box shortened to end in "..." when the text ellipsizes.
  const StringArrayW& GetShownLines();
  const std::vector<RectT<float>>& GetShownLineRects();
  // The size of the union of the line rectangles, each limited to +-8388608
  // and rounded half away from zero.
  void GetTextSize(int32_t& width, int32_t& height);
  // Lines the text takes (wrapped to wrapWidth when wrapping) times the line
  // height; leaves the kept layout alone.
  int32_t GetTextHeight(float wrapWidth);
  // The widest line (lines split at line feeds) plus 0.99, truncated; 0 for none.
  int32_t GetMaxLineWidth();

  // How many characters of text go on a line of the given width: up to the
  // last space that fits, or after a hyphen; a text that cannot be broken
  // overflows whole. Always at least 1 for a text that is not empty.
  int32_t FindLineBreak(LMeasurementRenderer& renderer, float width, const StringW& text) const;

  // The parts of text between the characters of separators (empty parts kept;
  // a text without separators is one part).
  static StringArrayW Split(const StringW& text, const char16_t* separators);

 protected:
  LFontText(const StringW& text, const RCPtr<LFont>& font) : mText(text), mFont(font) {}

 private:
  float Measure(LMeasurementRenderer& renderer, const StringW& text) const;
  StringArrayW LayOut(LMeasurementRenderer& renderer, float width) const;
  void MeasureLines(LMeasurementRenderer& renderer);
  // The longest start of line that fits width with "..." after it.
  StringW Ellipsize(LMeasurementRenderer& renderer, const StringW& line, float width) const;
  void FitShownLines(LMeasurementRenderer& renderer);
  void Prepare();
  void PrepareShown();
  int32_t LineHeight() const;

  StringW mText;
  RCPtr<LFont> mFont;
  float mHorizontalAlignment = 0;
  float mVerticalAlignment = 0;
  bool mShouldWrap = false;
  bool mShouldEllipsize = false;
  float mBoxWidth = 0;
  float mBoxHeight = 0;
  StringArrayW mLines;
  std::vector<RectT<float>> mLineRects;
  StringArrayW mShownLines;
  std::vector<RectT<float>> mShownLineRects;
};

}  // namespace HV
