#include "HVFramework/ControlBase/Window/WindowPlacement.h"

#include <algorithm>

namespace HV {
namespace {

constexpr size_t kNormalRectOffset = 28;

void Put(std::vector<uint8_t>& out, size_t offset, int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  for (size_t i = 0; i < 4; ++i) out[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t Get(const std::vector<uint8_t>& in, size_t offset) {
  uint32_t bits = 0;
  for (size_t i = 0; i < 4; ++i) bits |= uint32_t{in[offset + i]} << (8 * i);
  return static_cast<int32_t>(bits);
}

}  // namespace

std::vector<uint8_t> EncodePlacement(const RectT<int32_t>& rect) {
  std::vector<uint8_t> record(kPlacementRecordSize, 0);
  Put(record, 0, static_cast<int32_t>(kPlacementRecordSize));
  Put(record, 4, 0);  // flags
  Put(record, 8, 1);  // shown normally
  for (size_t offset : {12u, 16u, 20u, 24u}) Put(record, offset, -1);
  Put(record, kNormalRectOffset, rect.x);
  Put(record, kNormalRectOffset + 4, rect.y);
  Put(record, kNormalRectOffset + 8, static_cast<int32_t>(int64_t{rect.x} + rect.width));
  Put(record, kNormalRectOffset + 12, static_cast<int32_t>(int64_t{rect.y} + rect.height));
  return record;
}

std::optional<RectT<int32_t>> DecodePlacement(const std::vector<uint8_t>& record) {
  if (record.size() != kPlacementRecordSize || Get(record, 0) != static_cast<int32_t>(kPlacementRecordSize))
    return std::nullopt;
  const int64_t left = Get(record, kNormalRectOffset);
  const int64_t top = Get(record, kNormalRectOffset + 4);
  const int64_t width = Get(record, kNormalRectOffset + 8) - left;
  const int64_t height = Get(record, kNormalRectOffset + 12) - top;
  const auto isNearOrigin = [](int64_t coordinate) {
    return coordinate >= -kMaxPlacementCoordinate && coordinate <= kMaxPlacementCoordinate;
  };
  if (width <= 0 || height <= 0 || width > kMaxPlacementSide || height > kMaxPlacementSide ||
      !isNearOrigin(left) || !isNearOrigin(top))
    return std::nullopt;
  return RectT<int32_t>{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(width),
                        static_cast<int32_t>(height)};
}

RectT<int32_t> FitPlacementToWorkArea(const RectT<int32_t>& rect, const RectT<int32_t>& workArea) {
  if (workArea.width <= 0 || workArea.height <= 0) return rect;
  RectT<int32_t> fitted = rect;
  fitted.width = std::min(rect.width, workArea.width);
  fitted.height = std::min(rect.height, workArea.height);
  return MovePlacementIntoWorkArea(fitted, workArea);
}

RectT<int32_t> MovePlacementIntoWorkArea(const RectT<int32_t>& rect, const RectT<int32_t>& workArea) {
  if (workArea.width <= 0 || workArea.height <= 0) return rect;
  // In 64 bits: a far corner of a record may lie near the 32-bit limits.
  const auto inside = [](int32_t start, int32_t size, int32_t areaStart, int32_t areaSize) {
    const int64_t lastStart = int64_t{areaStart} + areaSize - size;
    return static_cast<int32_t>(std::max<int64_t>(areaStart, std::min<int64_t>(start, lastStart)));
  };
  RectT<int32_t> moved = rect;
  moved.x = inside(rect.x, rect.width, workArea.x, workArea.width);
  moved.y = inside(rect.y, rect.height, workArea.y, workArea.height);
  return moved;
}

RectT<int32_t> PlaceWindowInWorkArea(const RectT<int32_t>& client, const Platform::FrameExtents& frame,
                                     const RectT<int32_t>& workArea, WindowSizing sizing) {
  const int32_t across = frame.left + frame.right;
  const int32_t down = frame.top + frame.bottom;
  const RectT<int32_t> outer{client.x - frame.left, client.y - frame.top, client.width + across, client.height + down};
  const RectT<int32_t> placed = sizing == WindowSizing::Resizable ? FitPlacementToWorkArea(outer, workArea)
                                                                  : MovePlacementIntoWorkArea(outer, workArea);
  return {placed.x + frame.left, placed.y + frame.top, std::max(placed.width - across, 1),
          std::max(placed.height - down, 1)};
}

RectT<int32_t> CentreOver(int32_t width, int32_t height, const RectT<int32_t>& owner) {
  const auto start = [](int32_t ownerStart, int32_t ownerSize, int32_t size) {
    return static_cast<int32_t>(int64_t{ownerStart} + (int64_t{ownerSize} - size) / 2);
  };
  return {start(owner.x, owner.width, width), start(owner.y, owner.height, height), width, height};
}

}  // namespace HV
