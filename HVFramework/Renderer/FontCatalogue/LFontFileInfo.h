#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <array>
#include <cstdint>

namespace HV {

// A face in a font file: the file's path and the face's index in it (0
// unless the file is a collection). Empty when the path is.
struct FontFileRef {
  StringW path;
  int32_t faceIndex = 0;
  bool IsEmpty() const { return path.IsEmpty(); }
  friend bool operator==(const FontFileRef& a, const FontFileRef& b) {
    return a.path == b.path && a.faceIndex == b.faceIndex;
  }
};

// LFontFileInfo: one typeface family of the font catalogue: its name, the
// face of each style (0 regular, 1 bold, 2 italic, 3 bold italic; empty
// when the catalogue has none) and its index in the catalogue.
class LFontFileInfo : public virtual LRefCountedObject {
 public:
  static constexpr int32_t kStyles = 4;

  LFontFileInfo(const StringW& family, int32_t index) : mFamily(family), mIndex(index) {}

  const StringW& GetFamily() const { return mFamily; }
  int32_t GetIndex() const { return mIndex; }
  const FontFileRef& GetFile(int32_t style) const { return mFiles[style & 3]; }

  // Records a face for style. A face whose subfamily was not recognised
  // (isGuess) only fills an empty slot; a recognised one replaces a guess.
  void SetFile(int32_t style, const FontFileRef& file, bool isGuess);
  // The face for style, or the first present of its fallbacks; an empty slot
  // for style receives it. Empty when the family has no face at all.
  const FontFileRef& ChooseFile(int32_t style);

 private:
  StringW mFamily;
  std::array<FontFileRef, kStyles> mFiles;
  std::array<bool, kStyles> mIsGuess{};
  int32_t mIndex;
};

}  // namespace HV
