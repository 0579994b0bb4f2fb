#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <array>
#include <cstdint>

namespace HV {

// Where a control sits on one axis.
struct LLayoutPosition {
  float placementAnchor = 0;
  int32_t referenceMode = 1;  // 0 parent, 1 parent's client area, 2 the sibling named below
  StringW referenceName;
  float relative = 0;
  double absolute = 0;
};

// How large a control is on one axis.
struct LLayoutSize {
  int32_t referenceMode = 2;  // 0 parent, 1 parent's client area, 2 self (absolute), 3 named sibling
  StringW referenceName;
  float relative = 0;
  double absolute = 0;
};

// A minimum or maximum size on one axis.
struct LLayoutSizeLimit {
  bool hasNamedReference = false;  // false: "Self"
  StringW referenceName;           // one of the control's own children, or "Children"
  float relative = 0;
  double absolute = 0;  // for a maximum, 0 means none
};

// LLayoutDescriptor: a control's layout description from the skin. The
// factory's descriptor is shared and read-only; every control takes its own
// copy (CreateCopy) before changing it.
class LLayoutDescriptor : public virtual LRefCountedObject {
 public:
  static constexpr int kX = 0;
  static constexpr int kY = 1;

  static RCPtr<LLayoutDescriptor> Create() { return RCPtr<LLayoutDescriptor>(new LLayoutDescriptor()); }
  RCPtr<LRefCountedObject> CreateCopy() const override {
    return RCPtr<LRefCountedObject>(new LLayoutDescriptor(*this));
  }

  bool clipToParent = true;
  int32_t zOrder = 0;
  int32_t tabStop = 0;
  bool visible = true;
  bool enabled = true;
  std::array<bool, 2> docked{false, false};
  std::array<LLayoutPosition, 2> position{};
  std::array<LLayoutSize, 2> size{LLayoutSize{2, {}, 0, 16}, LLayoutSize{2, {}, 0, 40}};
  std::array<LLayoutSizeLimit, 2> minimum{};
  std::array<LLayoutSizeLimit, 2> maximum{};
  StringW textDecoration;
  int32_t textOverflowX = 0;  // 0 clip, 1 expand, 2 wrap
  int32_t textOverflowY = 0;  // 0 clip, 1 expand
  int32_t layoutOrder = 0;

 protected:
  LLayoutDescriptor() = default;
  LLayoutDescriptor(const LLayoutDescriptor& other) = default;
};

}  // namespace HV
