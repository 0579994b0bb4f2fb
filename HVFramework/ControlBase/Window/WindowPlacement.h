#pragma once

// The main window's placement as the profile keeps it: the 44-byte record of
// the desktop's window placement, little-endian fields: length (44), flags,
// show command, the minimised and maximised positions (x, y each) and the
// normal rectangle (left, top, right, bottom). The window layer writes
// flags 0, show command 1 (normal), no minimised or maximised position
// (-1, -1), and the client area as the normal rectangle -- the rectangle a
// window is opened at, so a window opens exactly where it was closed.
//
// Where windows open: inside the desktop's work area with their frame, and a
// dialog centred over the window it belongs to.

#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace HV {

inline constexpr const char16_t* kPlacementValueName = u"WP";
inline constexpr size_t kPlacementRecordSize = 44;

// A record holds no window wider or taller than this, nor a corner further
// than kMaxPlacementCoordinate from the origin: no desktop is that large, and
// the window's pixels are allocated from these numbers.
inline constexpr int32_t kMaxPlacementSide = 16384;
inline constexpr int32_t kMaxPlacementCoordinate = 65536;

std::vector<uint8_t> EncodePlacement(const RectT<int32_t>& rect);
// The normal rectangle of a record; nullopt for a record of another size or
// length field, a rectangle without area or one beyond the limits above.
std::optional<RectT<int32_t>> DecodePlacement(const std::vector<uint8_t>& record);

// rect made to fit the desktop's work area: no larger than the area and moved
// wholly inside it. An empty work area (the desktop did not say) keeps rect.
RectT<int32_t> FitPlacementToWorkArea(const RectT<int32_t>& rect, const RectT<int32_t>& workArea);
// rect moved into the work area keeping its size (a window of fixed size):
// a side beyond the area's moves it back in; one larger than the area starts
// at the area's left or top edge. An empty work area keeps rect.
RectT<int32_t> MovePlacementIntoWorkArea(const RectT<int32_t>& rect, const RectT<int32_t>& workArea);

enum class WindowSizing { Fixed, Resizable };
// The client area a window opens at, so that the window with its frame lies
// inside the work area: wholly when it fits; else a resizable window is made
// smaller to fit, and one of fixed size starts at the area's top left corner,
// so that its title bar and the top of its client area (the menu bar) show.
RectT<int32_t> PlaceWindowInWorkArea(const RectT<int32_t>& client, const Platform::FrameExtents& frame,
                                     const RectT<int32_t>& workArea, WindowSizing sizing);

// A client area of width x height centred over the owner's client area.
RectT<int32_t> CentreOver(int32_t width, int32_t height, const RectT<int32_t>& owner);

}  // namespace HV
