#include "Panel/UI/ApplicationArt.h"

#include <utility>

namespace HV::Editor {
namespace {

// A cursor's picture as the window system takes it: exactly kCursorSize
// square, or nothing.
Platform::CursorImage LoadCursor(const char16_t* name) {
  Platform::CursorImage image;
  const RCPtr<LBitmap> bitmap = LBitmap::GetCachedBitmap(StringW(name));
  if (!bitmap || !bitmap->HasImage() || bitmap->GetWidth() != kCursorSize || bitmap->GetHeight() != kCursorSize)
    return image;
  image.width = kCursorSize;
  image.height = kCursorSize;
  image.pixels.reserve(static_cast<size_t>(kCursorSize * kCursorSize));
  for (int32_t y = 0; y < kCursorSize; ++y)
    for (int32_t x = 0; x < kCursorSize; ++x) image.pixels.push_back(bitmap->GetPixel(x, y).ToARGB());
  image.hotX = kCursorHotX;
  image.hotY = kCursorHotY;
  return image;
}

}  // namespace

std::vector<RCPtr<LBitmap>> LoadApplicationIcon() {
  std::vector<RCPtr<LBitmap>> images;
  for (int32_t size : kIconSizes) {
    RCPtr<LBitmap> image = LBitmap::GetCachedBitmap(StringW::FromFormat(u"::Icon%d.png", size));
    if (image && image->HasImage() && image->GetWidth() == size && image->GetHeight() == size)
      images.push_back(std::move(image));
  }
  return images;
}

Platform::CursorImage LoadDropMoveCursor() { return LoadCursor(u"::DropMove.png"); }

Platform::CursorImage LoadDropCopyCursor() { return LoadCursor(u"::DropCopy.png"); }

}  // namespace HV::Editor
