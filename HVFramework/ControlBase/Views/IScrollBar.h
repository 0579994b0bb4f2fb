#pragma once

namespace HV {

// IScrollBar: what a scroll view asks of its bars beyond the LControl value
// (the position, 0..1, over the bar's range): the steps of a line and a page
// (both normalised) and the thumb's share of the channel. The scroll bar
// control implements it; a scroll view binds only children that do.
class IScrollBar {
 public:
  virtual ~IScrollBar() = default;
  virtual double GetLineStep() const = 0;
  virtual void SetLineStep(double step) = 0;
  virtual double GetPageStep() const = 0;
  virtual void SetPageStep(double step) = 0;
  virtual double GetThumbProportion() const = 0;
  virtual void SetThumbProportion(double proportion) = 0;
};

}  // namespace HV
