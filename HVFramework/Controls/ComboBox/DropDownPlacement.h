#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace HV {

// Where an opening list goes, inside its window: below its combo box when
// its rows fit there, else above when they fit there, else on the side with
// more room. It shows whole rows only, as many as fit on that side but at
// least three (fewer when the list has fewer, or the window holds fewer),
// and scrolls the rest; a list that does not fit on its side moves into the
// window over its combo box rather than being cut by the window's edge.
struct DropDownPlacement {
  bool below = true;
  int32_t rows = 0;    // rows shown
  double height = 0;   // the list's height: its rows and its frame
  double shift = 0;    // how far it moves from the box's edge into the window

  struct Room {
    double top = 0;           // the combo box's top, in window coordinates
    double boxHeight = 0;     // the combo box's height
    double windowHeight = 0;  // the window's client height
    double margin = 0;        // kept free at the window's edges
  };
  struct List {
    int32_t count = 0;        // its items
    double rowHeight = 0;     // one row
    double frame = 0;         // its height besides its rows
    double skinMaximum = 0;   // its maximum height in the skin (0: none)
  };

  static constexpr int32_t kFewestRows = 3;

  static DropDownPlacement Compute(const Room& room, const List& list) {
    const double rowHeight = std::max(1.0, list.rowHeight);
    const double roomBelow = std::max(0.0, room.windowHeight - (room.top + room.boxHeight) - room.margin);
    const double roomAbove = std::max(0.0, room.top - room.margin);
    int32_t wanted = std::max(0, list.count);
    if (list.skinMaximum > 0) wanted = std::min(wanted, RowsIn(list.skinMaximum - list.frame, rowHeight));
    const double need = wanted * rowHeight + list.frame;

    DropDownPlacement placement;
    placement.below = need <= roomBelow || (need > roomAbove && roomBelow >= roomAbove);
    const double side = placement.below ? roomBelow : roomAbove;
    const int32_t windowRows = RowsIn(room.windowHeight - 2 * room.margin - list.frame, rowHeight);
    placement.rows = std::min(wanted, std::max(RowsIn(side - list.frame, rowHeight), kFewestRows));
    placement.rows = std::min(placement.rows, std::max(1, windowRows));
    if (wanted == 0) placement.rows = 0;
    placement.height = placement.rows * rowHeight + list.frame;
    placement.shift = std::max(0.0, placement.height - side);
    return placement;
  }

 private:
  static int32_t RowsIn(double height, double rowHeight) {
    return height <= 0 ? 0 : static_cast<int32_t>(std::min(std::floor(height / rowHeight), 1e6));
  }
};

}  // namespace HV
