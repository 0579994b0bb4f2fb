#pragma once

#include "HVFramework/Utilities/Geometry/DrawableShape.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace HV {

// ColorRectListT: rectangles (x, y, width, height), each with its own packed
// 0xAARRGGBB colour, drawn in one go, with the handle, changed flag, line
// width and scale of a drawable shape. Editing the items raises the changed
// flag.
template <class T>
class ColorRectListT : public DrawableShape<T> {
 public:
  struct Item {
    RectT<T> rect;
    uint32_t argb = 0;
    friend bool operator==(const Item&, const Item&) = default;
  };

  const std::vector<Item>& GetItems() const { return mItems; }
  size_t GetCount() const { return mItems.size(); }

  void AddRect(const RectT<T>& rect, uint32_t argb) {
    mItems.push_back({rect, argb});
    this->SetChanged(true);
  }
  void Clear() {
    mItems.clear();
    this->SetChanged(true);
  }

 private:
  std::vector<Item> mItems;
};

}  // namespace HV
