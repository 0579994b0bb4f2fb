// Where an opening combo list goes inside its window: below where its rows
// fit, else above, else the side with more room; whole rows, at least three,
// the rest scrolled; moved into the window rather than cut by its edge.
#include "HVFramework/Controls/ComboBox/DropDownPlacement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace HV::Test {
namespace {

struct PlacementCase {
  const char* name;
  double top;           // the combo box's top; the box is 24 high
  double window;        // the window's height
  int32_t count;        // items of 22, the list's frame 2
  double skinMaximum;   // 0: none
  bool below;
  int32_t rows;
  double shift;
};
void PrintTo(const PlacementCase& c, std::ostream* out) { *out << c.name; }

class DropDownPlacementTable : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(DropDownPlacementTable, PicksSideRowsAndShift) {
  const PlacementCase& c = GetParam();
  DropDownPlacement::Room room;
  room.top = c.top;
  room.boxHeight = 24;
  room.windowHeight = c.window;
  room.margin = 5;
  DropDownPlacement::List list;
  list.count = c.count;
  list.rowHeight = 22;
  list.frame = 2;
  list.skinMaximum = c.skinMaximum;
  const DropDownPlacement placement = DropDownPlacement::Compute(room, list);
  EXPECT_EQ(placement.below, c.below);
  EXPECT_EQ(placement.rows, c.rows);
  EXPECT_EQ(placement.height, c.rows * 22 + 2) << "whole rows and the frame";
  EXPECT_EQ(placement.shift, c.shift);
}

// Room below = window - (top + 24) - 5, room above = top - 5.
const PlacementCase kCases[] = {
    // 13 rows (288) fit below in a tall window: all of them, below.
    {"AllRowsFitBelow", 40, 700, 13, 0, true, 13, 0},
    // Near the bottom: they do not fit below (71) but do above (395).
    {"AllRowsFitOnlyAbove", 400, 500, 13, 0, false, 13, 0},
    // The skin's cap of ten rows (222) fits below: ten rows, the rest scrolled.
    {"SkinCapFitsBelow", 40, 700, 30, 222, true, 10, 0},
    // Fits neither side, more room below (the Send Preset dialog, 150 high):
    // as many whole rows as fit below (67 of room: 3), scrolled.
    {"NeitherSideMoreRoomBelow", 52, 150, 13, 222, true, 3, 0},
    // Fits neither side, more room above: whole rows above (9 of 205 px).
    {"NeitherSideMoreRoomAbove", 210, 300, 30, 0, false, 9, 0},
    // Room for one row below and none above: still three rows, moved up
    // over the box so that they stay inside the window (68 - 33 = 35).
    {"AtLeastThreeRowsMovedIntoTheWindow", 20, 82, 13, 222, true, 3, 35},
    // A list of two items needs no third row.
    {"FewerItemsThanThree", 20, 82, 2, 0, true, 2, 2 * 22 + 2 - 33},
    // A window that holds two rows only: two, filling it.
    {"AWindowOfTwoRows", 10, 58, 13, 0, true, 2, 46 - 19},
    // An empty list: no rows, its frame.
    {"NoItems", 40, 300, 0, 0, true, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, DropDownPlacementTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PlacementCase>& test) { return test.param.name; });

}  // namespace
}  // namespace HV::Test
