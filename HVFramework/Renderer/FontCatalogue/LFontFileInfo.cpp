#include "HVFramework/Renderer/FontCatalogue/LFontFileInfo.h"

namespace HV {

void LFontFileInfo::SetFile(int32_t style, const FontFileRef& file, bool isGuess) {
  const int32_t slot = style & 3;
  if (isGuess && !mFiles[slot].IsEmpty()) return;
  mFiles[slot] = file;
  mIsGuess[slot] = isGuess;
}

const FontFileRef& LFontFileInfo::ChooseFile(int32_t style) {
  // For each style, the styles to try in order.
  static constexpr int32_t kOrder[kStyles][kStyles] = {
      {0, 1, 2, 3}, {1, 3, 0, 2}, {2, 3, 0, 1}, {3, 1, 2, 0}};
  const int32_t slot = style & 3;
  for (int32_t candidate : kOrder[slot]) {
    if (mFiles[candidate].IsEmpty()) continue;
    if (candidate != slot) {
      mFiles[slot] = mFiles[candidate];
      mIsGuess[slot] = true;
    }
    return mFiles[slot];
  }
  return mFiles[slot];
}

}  // namespace HV
