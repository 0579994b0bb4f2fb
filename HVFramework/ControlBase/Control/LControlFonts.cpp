// The font part of LControl: resolving a font description against the base
// font and passing a new font down to the children that inherit it.
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/LControl.h"

namespace HV {
namespace {

bool SameFont(const LFont* a, const LFont* b) {
  if (!a || !b) return a == b;
  return a->GetName() == b->GetName() && a->GetSize() == b->GetSize() && a->GetStyle() == b->GetStyle();
}

}  // namespace

RCPtr<LFont> LControl::GetBaseFont() const {
  if (mInheritFont && mParent) return mParent->mFont;
  return GetApplicationDefaultFont();
}

HResult LControl::SetFont(const StringW& name, float size, int32_t style, bool relative) {
  const RCPtr<LFont> base = GetBaseFont();
  const bool nameInherited = name.GetLength() == 0;
  const bool sizeInherited = size <= 0 || mRelativeSize;
  const bool styleInherited = style == -1;
  // Open parts need a base font to come from.
  if (!base && (nameInherited || sizeInherited || styleInherited)) return E_FAIL;
  float factor = 1.0f;
  StringW resolvedName = nameInherited ? base->GetName() : name;
  if (sizeInherited) {
    if (relative && size > 0) factor = size;
    size = base->GetSize() * factor;
  }
  if (styleInherited) style = base->GetStyle();
  RCPtr<LFont> font;
  if (base && resolvedName == base->GetName() && size == base->GetSize() && style == base->GetStyle())
    font = base;
  else
    font = LFont::FindOrCreate(resolvedName, size, style);
  if (!font) return E_FAIL;
  const HResult result = ApplyFont(font);
  if (result >= 0) {
    mNameInherited = nameInherited;
    mSizeInherited = sizeInherited;
    mStyleInherited = styleInherited;
    mRelativeSize = relative;
    mRelativeFactor = factor;
  }
  return result;
}

HResult LControl::ApplyFont(const RCPtr<LFont>& font) {
  if (!font) return E_INVALIDARG;
  SetLooksFont(font);
  if (SameFont(font.Get(), mFont.Get())) return S_FALSE;
  mFont = font;
  mNameInherited = mSizeInherited = mStyleInherited = false;
  OnFontChanged();
  for (const RCPtr<LControl>& child : mChildren.Snapshot()) child->UpdateInheritedFont();
  // A layout that keeps the size redraws nothing itself: the old text
  // would stay on the screen.
  InvalidateWhole();
  // The first build starts the layout afresh once the text is in: a layout
  // for the font alone would be thrown away.
  if (!mFirstBuilding) UpdateLayout();
  return S_OK;
}

HResult LControl::UpdateInheritedFont() {
  if (!mInheritFont || !(mNameInherited || mSizeInherited || mStyleInherited)) return S_OK;
  const StringW name = mNameInherited || !mFont ? StringW() : mFont->GetName();
  float size = 0;
  if (mSizeInherited)
    size = mRelativeSize ? mRelativeFactor : 0;
  else if (mFont)
    size = mFont->GetSize();
  const int32_t style = mStyleInherited || !mFont ? -1 : mFont->GetStyle();
  SetFont(name, size, style, mSizeInherited && mRelativeSize);
  return S_OK;
}

void LControl::ApplySkinFont(const LControlDescriptor& descriptor) {
  if (!descriptor.GetSkin()) return;
  const SkinPendingFont& font = descriptor.GetSkin()->font;
  mInheritFont = font.inheritsFromParent;
  mRelativeSize = font.sizeIsRelative;
  SetFont(font.name, font.size, font.style, font.sizeIsRelative);
}

}  // namespace HV
