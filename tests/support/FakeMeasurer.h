#pragma once

#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Renderer/LMeasurementRenderer.h"

#include <cstdint>

namespace HV::Test {

// A measuring renderer with round numbers: every character is 10 pixels
// wide, or as wide as the font's size when told to (plus a margin on every text that is not empty, 0 unless set), lines
// are 16 high with an ascent of -12 and a descent of 4. Counts the metrics
// requests; can be told to refuse them.
class FakeMeasurer : public LMeasurementRenderer {
 public:
  static RCPtr<FakeMeasurer> Create() { return RCPtr<FakeMeasurer>(new FakeMeasurer); }

  HResult GetFontMetrics(const RCPtr<LFont>&, int32_t& height, int32_t& ascent, int32_t& descent) override {
    ++metricsRequests;
    if (shouldRefuse) return E_FAIL;
    height = 16;
    ascent = -12;
    descent = 4;
    return S_OK;
  }
  RectT<float> MeasureText(const StringW& text, const RCPtr<LFont>& font) override {
    const float character = isWidthTheFontSize && font ? font->GetSize() : 10.0f;
    const float width = character * static_cast<float>(text.GetLength());
    return {leftBearing, -12, width > 0 ? width + margin : 0, 16};
  }
  float GetMeasuredTextMargin() const override { return margin; }

  int32_t metricsRequests = 0;
  float margin = 0;
  bool shouldRefuse = false;
  float leftBearing = 0;
  bool isWidthTheFontSize = false;

 protected:
  FakeMeasurer() = default;
};

}  // namespace HV::Test
