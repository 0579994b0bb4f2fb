#pragma once

// "Test.ScrollBar": a scroll bar reduced to what a scroll view asks of it:
// its value over a range that keeps the value in range units when the range
// changes (as the real bar does), and the line and page steps and the thumb
// proportion as plain fields.

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Views/IScrollBar.h"

namespace HV::Test {

class StepScrollBar : public LControl, public IScrollBar {
 public:
  StepScrollBar(LControl* parent, const StringW& name) : LControl(parent, name) { SetRange(0, 100, kLinear); }

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    return CreateControlOfClass<StepScrollBar>(result, parent, descriptor);
  }

  HResult SetRange(double start, double end, int32_t scaleType) override {
    const double value = GetValue();
    const HResult result = LControl::SetRange(start, end, scaleType);
    if (result == S_OK) SetNormalizedValue(ValueToNormalized(value));
    return result;
  }

  double GetLineStep() const override { return lineStep; }
  void SetLineStep(double step) override { lineStep = step; }
  double GetPageStep() const override { return pageStep; }
  void SetPageStep(double step) override { pageStep = step; }
  double GetThumbProportion() const override { return thumbProportion; }
  void SetThumbProportion(double proportion) override { thumbProportion = proportion; }

  double lineStep = 0.02;
  double pageStep = 0.2;
  double thumbProportion = 0.1;
};

}  // namespace HV::Test
