#pragma once

#include "HVFramework/ControlBase/Control/ILayoutTextMeasurer.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LLayoutDescriptor.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <array>
#include <cstdint>

namespace HV {

// One control the solver measures against: a sibling named in a position or
// size, or a child of the control whose minimum or maximum depends on it.
struct LLayoutBox {
  RectT<double> rect;
  std::array<bool, 2> docked{false, false};
  bool clipToParent = true;
};

// What a control is placed against: its parent, or for a top-level control
// the area it is laid out in. All in the coordinates the result is kept in.
struct LLayoutFrame {
  PointT<double> origin;  // where the parent's whole rectangle starts
  PointT<double> extent;  // the parent's whole size
  PointT<double> client;  // the parent's client size
  PointT<double> scroll;  // the parent's scroll offset, added back to docked axes
  // Stands for every named reference of a top-level control (which has no
  // siblings); unused with a parent.
  PointT<double> referencePoint;
};

// The controls around the one being placed. Implemented over the control
// tree, and over plain tables in tests.
class ILayoutSiblings {
 public:
  virtual ~ILayoutSiblings() = default;
  // The parent's last child of that name; false when there is none.
  virtual bool FindSibling(const StringW& name, LLayoutBox& box) const = 0;
};

// The control whose minimum and maximum are applied, as the solver reads it.
class ILayoutSubject {
 public:
  virtual ~ILayoutSubject() = default;
  virtual const LLayoutDescriptor& GetLayout() const = 0;
  virtual PointT<double> GetScrollOffset() const = 0;
  // The current look's client rectangle for a control of the given size;
  // false when the control has no look.
  virtual bool GetClientRect(const PointT<double>& size, RectT<double>& client) const = 0;
  // Children in creation order.
  virtual uint32_t GetChildCount() const = 0;
  virtual LLayoutBox GetChild(uint32_t index) const = 0;
  virtual bool FindChild(const StringW& name, LLayoutBox& box) const = 0;
  // The current look's text part; null without a look or without text.
  virtual ILayoutTextMeasurer* GetText() const = 0;
};

// LLayoutSolver: turns a layout description into a rectangle, one axis at a
// time: position and size from the references, then the minimum, then the
// maximum (which wins). Pure arithmetic in doubles over the description and
// the boxes handed in; it changes no control. Rounding is half away from zero.
class LLayoutSolver {
 public:
  // Results of the size-limit steps.
  static constexpr HResult kChanged = 1;
  static constexpr HResult kUnchanged = 0;

  // Position and size from the position and size descriptions, the anchors
  // and the docked flags; siblings is null for a top-level control. The edges
  // end rounded to whole pixels. E_INVALIDARG (rect untouched) without a layout.
  static HResult ComputeLayoutRect(const LLayoutDescriptor* layout, const LLayoutFrame& frame,
                                   const ILayoutSiblings* siblings, RectT<double>& rect);

  // Enlarges to the minimum descriptions, growing for text that does not fit
  // where the text overflow asks for it. kChanged or kUnchanged; E_FAIL when
  // an anchor outside 0..1 cannot grow an axis (that axis is left alone).
  static HResult ApplyMinimumSize(const ILayoutSubject& subject, PointT<double>& position,
                                  PointT<double>& size);
  // Shrinks to the maximum descriptions; a maximum of 0 is none.
  static HResult ApplyMaximumSize(const ILayoutSubject& subject, PointT<double>& position,
                                  PointT<double>& size);

  // Rounds the four edges (not the size) to whole numbers, halves away from zero.
  static void RoundEdges(RectT<double>& rect);

 private:
  struct Reference;
  static bool FindLimitReference(const ILayoutSubject& subject, int axis, const LLayoutSizeLimit& limit,
                                 const PointT<double>& position, const PointT<double>& size, bool isMaximum,
                                 Reference& reference);
  static void GrowForText(const ILayoutSubject& subject, int axis, const PointT<double>& size,
                          double& minimum);
  static double BorderOf(const ILayoutSubject& subject, int axis, const PointT<double>& size);
};

}  // namespace HV
