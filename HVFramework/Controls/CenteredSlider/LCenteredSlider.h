#pragma once

#include "HVFramework/Controls/Slider/LSlider.h"

namespace HV {

class LControlFactory;

// LCenteredSlider: a slider that fills from a fixed point of its track to
// the thumb (pan, detune). Its skin adds two panels, "lowRangeBounds" and
// "highRangeBounds", each holding a "fill"; whenever the thumb moves, both
// panels' positioned edge is moved to the thumb's centre, and the skin
// anchors one on each side of the track's centre, so that one fill grows
// from the centre to the thumb. The panels and fills let clicks through to
// the track. A centred slider without "thumbStart" cannot be made: its
// creation throws. UI thread only.
class LCenteredSlider : public LSlider {
 public:
  static constexpr const WChar* kClassName = u"Framework.CenteredSlider";

  LCenteredSlider(LControl* parent, const StringW& name);
  ~LCenteredSlider() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // E_FAIL when the slider fails; throws a Null Pointer runtime error when
  // there is no thumb.
  HResult Initialize() override;
  // The slider's, then the bounds follow the thumb. The drag calls it for
  // every move of the thumb, so the fill keeps up with the pointer.
  double SetSliderPosition(double position) override;

  // The bounds panels' position on the track's axis becomes the thumb's
  // centre (a diagonal track moves nothing); throws without a thumb.
  virtual void SetBoundsPosFromThumbPos();

  LControl* GetLowRangeBounds() const { return mLowRangeBounds.Get(); }
  LControl* GetHighRangeBounds() const { return mHighRangeBounds.Get(); }

 private:
  void MoveBoundsOnAxis(int32_t axis);

  RCPtr<LControl> mLowRangeBounds;
  RCPtr<LControl> mHighRangeBounds;
};

}  // namespace HV
