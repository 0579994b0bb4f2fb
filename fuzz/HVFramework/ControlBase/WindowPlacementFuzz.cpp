// The window placement the profile keeps is a file any program of the user
// can write: any bytes may come back. A record is either refused or gives a
// rectangle within the limits, and fitting it to a work area keeps it there.
#include "HVFramework/ControlBase/Window/WindowPlacement.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> record(data, data + size);
  const std::optional<HV::RectT<int32_t>> rect = HV::DecodePlacement(record);
  if (!rect) return 0;
  if (rect->width <= 0 || rect->height <= 0 || rect->width > HV::kMaxPlacementSide ||
      rect->height > HV::kMaxPlacementSide)
    std::abort();
  const HV::RectT<int32_t> workArea{0, 24, 1600, 876};
  const HV::RectT<int32_t> fitted = HV::FitPlacementToWorkArea(*rect, workArea);
  if (fitted.x < workArea.x || fitted.y < workArea.y || fitted.x + fitted.width > workArea.x + workArea.width ||
      fitted.y + fitted.height > workArea.y + workArea.height || fitted.width <= 0 || fitted.height <= 0)
    std::abort();
  if (HV::DecodePlacement(HV::EncodePlacement(*rect)) != rect) std::abort();
  return 0;
}
