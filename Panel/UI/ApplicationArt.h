#pragma once

// The editor's own pictures that are not skin images: the window icon and
// the two drag-and-drop cursors. They are drawn here, in code, until the
// program carries rendered artwork; every user asks these functions, so the
// pictures change in this one place.
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
// task switcher's, and the large one a desktop scales down from.
inline constexpr std::array<int32_t, 4> kIconSizes = {16, 32, 48, 256};

// The product's colour, the ground of the icon.
inline constexpr uint32_t kProductColour = 0xFF1E7A8Cu;

// The window icon ("resource 4") at every size of kIconSizes, in that order:
// a rounded square in the product's colour holding three white keys of a
// keyboard with two black keys between them.
std::vector<RCPtr<LBitmap>> MakeApplicationIcon();

// The cursor shown while a drag would move what it carries (cursor 102): an
// arrow with a small box at its foot. 32 x 32, the hot spot at the arrow's tip.
Platform::CursorImage MakeDropMoveCursor();
// The cursor shown while a drag would copy (cursor 103): the move cursor
// with a "+" beside the box.
Platform::CursorImage MakeDropCopyCursor();

}  // namespace HV::Editor
