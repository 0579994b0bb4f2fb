#pragma once

// The main window's placement as the profile keeps it: the 44-byte record of
// the desktop's window placement, little-endian fields: length (44), flags,
// show command, the minimised and maximised positions (x, y each) and the
// normal rectangle (left, top, right, bottom). The window layer writes
// flags 0, show command 1 (normal), no minimised or maximised position
// (-1, -1), and the client area as the normal rectangle.

#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace HV {

inline constexpr const char16_t* kPlacementValueName = u"WP";
inline constexpr size_t kPlacementRecordSize = 44;

std::vector<uint8_t> EncodePlacement(const RectT<int32_t>& rect);
// The normal rectangle of a record; nullopt for a record of another size or
// length field, or a rectangle without area.
std::optional<RectT<int32_t>> DecodePlacement(const std::vector<uint8_t>& record);

}  // namespace HV
