#pragma once

// The editor's own pictures that are not skin images: the window icon and
// the two drag-and-drop cursors, rendered at build time from the art's SVG
// sources (Panel/Resources/Art) and embedded as "GDIPLUS" resources. Every
// user asks these functions, so the pictures are found in this one place.
//
// Pixels have straight (not premultiplied) alpha, as the window system
// takes them for icons and image cursors.

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <array>
#include <cstdint>
#include <vector>

namespace HV::Editor {

// The sizes of the window icon, smallest first: a small title-bar icon, the
// task switcher's, and the large one a desktop scales down from. The build
// renders one picture "::Icon<size>.png" for each (Panel/CMakeLists.txt).
inline constexpr std::array<int32_t, 4> kIconSizes = {16, 32, 48, 256};

// The drag cursors' size, and their hot spot: the tip of their arrow.
inline constexpr int32_t kCursorSize = 32;
inline constexpr int32_t kCursorHotX = 0;
inline constexpr int32_t kCursorHotY = 0;

// The window icon ("resource 4") at every size of kIconSizes, in that order:
// a rounded square in the product's colour holding three white keys with two
// black keys between them, and a knob. A size whose picture cannot be loaded
// is left out.
std::vector<RCPtr<LBitmap>> LoadApplicationIcon();

// The cursor shown while a drag would move what it carries (cursor 102): an
// arrow with a small box at its foot. Empty (no pixels) when its picture
// cannot be loaded: the window system then makes no cursor of it.
Platform::CursorImage LoadDropMoveCursor();
// The cursor shown while a drag would copy (cursor 103): the move cursor
// with a "+" beside the box.
Platform::CursorImage LoadDropCopyCursor();

}  // namespace HV::Editor
