#pragma once

#include <algorithm>
#include <cstdint>

namespace HV {

// Where an opening list goes: below or above its combo box, its maximum
// height (0: none) and its height, from the room in the window.
struct DropDownPlacement {
  bool below = true;
  double maximumHeight = 0;
  double height = 0;

  // top and height: the combo box in window coordinates; windowHeight: the
  // window's client height; wanted: the height of all items; skinMaximum:
  // the list's maximum height in the skin (0: none); currentMaximum: the
  // list's maximum height now. Room is counted with a margin at each edge.
  static DropDownPlacement Compute(double top, double height, double windowHeight, uint32_t wanted,
                                   double skinMaximum, double currentMaximum, double margin) {
    const double roomBelow = windowHeight - (top + height) - margin;
    const double roomAbove = top - margin;
    const double want = wanted;
    DropDownPlacement placement;
    // A list the skin caps opens on the first side where the cap fits.
    if (currentMaximum != 0 && skinMaximum > 0 && roomBelow >= skinMaximum)
      placement.below = true;
    else if (currentMaximum != 0 && skinMaximum > 0 && roomAbove >= skinMaximum)
      placement.below = false;
    else
      placement.below = want <= roomBelow || roomAbove <= roomBelow;
    // No room at all is no height, never a negative one.
    const double room = std::max(0.0, placement.below ? roomBelow : roomAbove);
    if (skinMaximum > 0)
      placement.maximumHeight = std::min(room, skinMaximum);
    else
      placement.maximumHeight = want > room ? room : 0;
    placement.height = want <= room ? want : room;
    return placement;
  }
};

}  // namespace HV
