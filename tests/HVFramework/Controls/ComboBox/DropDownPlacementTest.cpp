// Where an opening combo list goes: the side with room (or the side where the
// skin's maximum fits), the maximum height it gets and its height.
#include "HVFramework/Controls/ComboBox/DropDownPlacement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace HV::Test {
namespace {

struct PlacementCase {
  const char* name;
  double top;
  double height;
  double window;
  uint32_t wanted;
  double skinMaximum;
  double currentMaximum;
  bool below;
  double maximumHeight;
  double listHeight;
};
void PrintTo(const PlacementCase& c, std::ostream* out) { *out << c.name; }

class DropDownPlacementTable : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(DropDownPlacementTable, PicksSideAndHeights) {
  const PlacementCase& c = GetParam();
  const DropDownPlacement placement =
      DropDownPlacement::Compute(c.top, c.height, c.window, c.wanted, c.skinMaximum, c.currentMaximum, 5);
  EXPECT_EQ(placement.below, c.below);
  EXPECT_EQ(placement.maximumHeight, c.maximumHeight);
  EXPECT_EQ(placement.height, c.listHeight);
}

// A 300-pixel window; the combo box is 20 high. Room below = 300 - (top +
// 20) - 5, room above = top - 5.
const PlacementCase kCases[] = {
    // 3 items of 14 fit below: no maximum, the list's own height.
    {"FitsBelow", 10, 20, 300, 42, 0, 0, true, 0, 42},
    // 30 items of 14 near the bottom: more room above, capped to it.
    {"TooLongNearTheBottomOpensAboveCapped", 250, 20, 300, 420, 0, 0, false, 245, 245},
    // Too long either way, more room below: below, capped.
    {"TooLongMoreRoomBelow", 100, 20, 300, 420, 0, 0, true, 175, 175},
    // Fits below although above has more room: below.
    {"FitsBelowWithMoreRoomAbove", 200, 20, 300, 70, 0, 0, true, 0, 70},
    // The skin caps at 100: below has 100, so below, capped by the skin.
    {"SkinMaximumFitsBelow", 175, 20, 300, 420, 100, 100, true, 100, 100},
    // The cap does not fit below (80) but does above (190): above, capped by the skin.
    {"SkinMaximumFitsOnlyAbove", 195, 20, 300, 420, 100, 100, false, 100, 190},
    // The cap fits nowhere: the general rule, the smaller of room and cap.
    {"SkinMaximumFitsNowhere", 45, 20, 110, 420, 100, 100, true, 40, 40},
    // A list whose maximum is now none follows the general rule.
    {"NoCurrentMaximumUsesTheGeneralRule", 195, 20, 300, 420, 100, 0, false, 100, 190},
    // Short list under a cap: its own height, the skin's cap kept.
    {"ShortListUnderACap", 10, 20, 300, 42, 100, 100, true, 100, 42},
    // No room on either side: no negative height.
    {"NoRoomAnywhere", 3, 20, 24, 42, 0, 0, false, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, DropDownPlacementTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PlacementCase>& test) { return test.param.name; });

}  // namespace
}  // namespace HV::Test
