#include "HVFramework/Renderer/OpenGL/LGLGlyphRenderer.h"

#include <GL/gl.h>

#include <algorithm>

namespace HV {

void LGLGlyphRenderer::LCachedFont::UploadIfDirty() {
  if (mAtlas.GetDirty().IsEmpty()) return;
  GLImage image(GL_ALPHA, GL_UNSIGNED_BYTE, mAtlas.GetPixels(), GlyphAtlas::kWidth, mAtlas.GetHeight(),
                GlyphAtlas::kWidth, 1);
  Create(image, GL_ALPHA, LGLTexture::Nearest, 1.0f);
  mAtlas.ClearDirty();
}

LGLGlyphRenderer::LCachedFont* LGLGlyphRenderer::FindCachedFont(int32_t uniqueId) const {
  const FontCache::Entry* entry = mFonts.FindEntry(uniqueId);
  return entry ? entry->GetObject().Get() : nullptr;
}

void LGLGlyphRenderer::BeginFont(const FontKey& font, int32_t ascent, uint32_t flags) {
  mFlags = flags;
  mAscent = ascent;
  mBounds = {};
  RCPtr<LCachedFont>& slot = mFonts.GetEntry(font, false);
  if (!slot) slot = LCachedFont::Make(font);
  mCurrent = slot;
  if (mFlags & Upload) mCurrent->UploadIfDirty();
}

void LGLGlyphRenderer::EndFont() { mCurrent = nullptr; }

int32_t LGLGlyphRenderer::LookupGlyph(GlyphRecord& record) {
  if (!mCurrent) return kCached;
  const auto found = mCurrent->GetGlyphs().find(record.charCode);
  if (found == mCurrent->GetGlyphs().end()) {
    mGlyph = SCachedGlyph{};
    return kNotCached;
  }
  mGlyph = found->second;
  record.left = mGlyph.left;
  record.top = mGlyph.top;
  record.right = mGlyph.right;
  record.bottom = mGlyph.bottom;
  record.advanceX = mGlyph.advanceX;
  record.advanceY = mGlyph.advanceY;
  record.glyphIndex = mGlyph.glyphIndex;
  return kCached;
}

void LGLGlyphRenderer::PlaceGlyph(const GlyphRecord& record) {
  mGlyph = SCachedGlyph{record.charCode, record.glyphIndex, record.left,     record.top,
                        record.right,    record.bottom,     record.advanceX, record.advanceY};
  int32_t x = 0, y = 0;
  mGlyph.isInAtlas = mCurrent->GetAtlas().Place(record.hasCoverage ? &record.coverage : nullptr, x, y);
  mGlyph.atlasX = static_cast<uint16_t>(x);
  mGlyph.atlasY = static_cast<uint16_t>(y);
  if (mFlags & Upload) mCurrent->UploadIfDirty();
  mCurrent->GetGlyphs()[record.charCode] = mGlyph;
}

void LGLGlyphRenderer::ProcessGlyph(GlyphRecord& record) {
  if (!mCurrent) return;
  if (record.charCode != 0 && mGlyph.charCode != record.charCode) PlaceGlyph(record);
  if (!(mFlags & (AccumulateBounds | Draw))) return;
  const float px = record.penX, py = record.penY;
  const float sourceLeft = mGlyph.atlasX, sourceTop = mGlyph.atlasY;
  const GLEdges source{sourceLeft, sourceTop, sourceLeft + (record.right - record.left),
                       sourceTop + (record.bottom - record.top)};
  const float baseline = static_cast<float>(mAscent) + py;
  const GLEdges destination{record.left + px, record.top - baseline, record.right + px,
                            record.bottom - baseline};
  if ((mFlags & Draw) && mGlyph.isInAtlas) mCurrent->Draw(source, destination);
  if (mFlags & AccumulateBounds) {
    const float x = px, y = py + record.top, width = float(record.advanceX >> 6),
                height = float(record.bottom - record.top);
    mBounds.left = std::min(mBounds.left, x);
    mBounds.top = std::min(mBounds.top, y);
    mBounds.right = std::max(mBounds.right, x + width);
    mBounds.bottom = std::max(mBounds.bottom, y + height);
  }
}

}  // namespace HV
