#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"

#include <cstdint>

namespace HV {

// LSplitterBase: a bar the user drags to share room between neighbours of
// one parent. It works through the skin's layout descriptions: the
// splitter may be positioned relative to a named sibling (its anchor, which
// it resizes while dragged), and later siblings may name the splitter in
// their position or size. A drag is kept within what the anchor's and those
// siblings' minimum and maximum sizes allow. Orientation 0 (horizontal bar)
// moves along y, 1 (vertical bar) along x. Looks: 0 normal, 1 hover or
// dragged off the bar, 2 dragged over it, each plus 3 with the focus;
// 6 disabled. UI thread only.
class LSplitterBase : public LControl {
 public:
  enum Look : int32_t { kLookNormal = 0, kLookHover = 1, kLookDragged = 2, kLookFocused = 3, kLookDisabled = 6 };

  LSplitterBase(LControl* parent, const StringW& name, int32_t orientation);
  ~LSplitterBase() override;

  // --- Overrides of the control base ---
  // Works out the drag limits from the anchor and the dependent siblings,
  // and frees the splitter from its anchor for the drag.
  void OnDragStart() override;
  // The anchor's size follows the splitter.
  void AfterDrag(const Point& point) override;
  // The splitter is positioned relative to its anchor again.
  void OnDragEnd() override;
  // (minimum, maximum - minimum) on the moving axis.
  void GetDragLimits(int32_t axis, double& start, double& length) const override;
  // The drag mode at a drag's start; the look.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  // The base's result; the resize cursor of the orientation.
  HResult Initialize() override;
  // After the parent's layout the splitter is brought back within its
  // limits by resizing its anchor.
  HResult Relayout(int32_t width, int32_t height) override;

  int32_t GetOrientation() const { return mOrientation; }
  int32_t GetAxis() const { return mOrientation == 0 ? 1 : 0; }
  double GetMinPos() const { return mMinPos; }
  double GetMaxPos() const { return mMaxPos; }

 private:
  // The limits from the anchor and the dependent siblings. At a drag start
  // the splitter is freed from its anchor; after a layout pass a sibling
  // counts only when the layout solver would now resize it, with that size.
  enum class Limits { kAtDragStart, kAfterLayout };
  void ComputeLimits(Limits when);
  // The sibling the splitter is positioned against; null when none.
  RCPtr<LControl> FindAnchor() const;
  void LimitBySibling(LControl& sibling, double size, bool sameDirection);
  void SelectLookForState(uint32_t word);
  void ResolveCursor();

  int32_t mOrientation;
  double mMinPos = 0;
  double mMaxPos = 4503599627370496.0;  // 2^52
  double mSavedOffset = 0;
  float mSavedRelative = 0;
  RCPtr<LControl> mAnchor;
  double mAnchorPosition = 0;
  double mAnchorSize = 0;
  double mDragStartCoordinate = 0;
};

}  // namespace HV
