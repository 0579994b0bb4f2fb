#pragma once

#include "HVFramework/ControlBase/Control/ILayoutTextMeasurer.h"
#include "HVFramework/Renderer/LFontText.h"

namespace HV {

// Where a look puts its text: each edge is a share of the control's size
// plus a fixed offset in pixels.
struct LTextArea {
  float leftRelative = 0;
  float topRelative = 0;
  float rightRelative = 1;
  float bottomRelative = 1;
  double leftOffset = 0;
  double topOffset = 0;
  double rightOffset = 0;
  double bottomOffset = 0;
};

// LFontTextMeasurer: the layout's view of a look's text part: a laid-out
// text (LFontText, measured with the application renderer) in a text area.
// Borrows the text, which must outlive it. User-interface thread only.
class LFontTextMeasurer : public ILayoutTextMeasurer {
 public:
  LFontTextMeasurer(LFontText& text, const LTextArea& area) : mText(text), mArea(area) {}

  void SetWrap(bool shouldWrap) override { mText.SetWrap(shouldWrap); }
  RectT<double> GetTextRect(const PointT<double>& size) override;
  double GetTextWidth() override { return mText.GetMaxLineWidth(); }
  double GetTextHeight(int32_t wrapWidth) override {
    return mText.GetTextHeight(static_cast<float>(wrapWidth));
  }
  double GetRelativeSpan(int axis) override;

 private:
  LFontText& mText;
  LTextArea mArea;
};

}  // namespace HV
