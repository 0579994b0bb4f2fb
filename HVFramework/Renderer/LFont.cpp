#include "HVFramework/Renderer/LFont.h"

#include "HVFramework/Renderer/ApplicationRenderer.h"

#include <vector>

namespace HV {
namespace {

std::vector<RCPtr<LFont>>& Pool() {
  static auto* pool = new std::vector<RCPtr<LFont>>;  // never destroyed: fonts may die at exit
  return *pool;
}

RCPtr<LMeasurementRenderer>& ApplicationRendererSlot() {
  static auto* slot = new RCPtr<LMeasurementRenderer>;
  return *slot;
}

bool Matches(const LFont& font, const StringW& name, float size, int32_t style) {
  return (font.GetName() == name || font.GetName().CompareNoCase(name) == 0) && font.GetSize() == size &&
         font.GetStyle() == style;
}

}  // namespace

void SetApplicationRenderer(const RCPtr<LMeasurementRenderer>& renderer) {
  ApplicationRendererSlot() = renderer;
}
const RCPtr<LMeasurementRenderer>& GetApplicationRenderer() { return ApplicationRendererSlot(); }

RCPtr<LFont> LFont::FindOrCreate(const StringW& name, float size, int32_t style) {
  std::vector<RCPtr<LFont>>& pool = Pool();
  for (size_t i = pool.size(); i-- > 0;)
    if (Matches(*pool[i], name, size, style)) return pool[i];
  static uint32_t lastID = 0;
  RCPtr<LFont> font(new LFont(name, size, style, ++lastID));
  pool.push_back(font);
  font->AddInternalReferences(1);
  return font;
}

uint32_t LFont::GetPoolCount() { return static_cast<uint32_t>(Pool().size()); }

HResult LFont::ReleaseInternalReferences() {
  std::vector<RCPtr<LFont>>& pool = Pool();
  for (size_t i = pool.size(); i-- > 0;) {
    if (pool[i].Get() != this) continue;
    pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(i));
    AddInternalReferences(-1);
    break;
  }
  return (GetInternalRefCount() == 0 && GetRefCount() == 1) ? S_OK : E_FAIL;
}

void LFont::LoadMetrics() {
  if (mHeight != -1) return;
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  int32_t height = -1, ascent = -1, descent = -1;
  if (!renderer || renderer->GetFontMetrics(RCPtr<LFont>(this), height, ascent, descent) != S_OK) return;
  mHeight = height;
  mAscent = ascent;
  mDescent = descent;
}

int32_t LFont::GetHeight() {
  LoadMetrics();
  return mHeight;
}

int32_t LFont::GetAscent() {
  LoadMetrics();
  return mAscent;
}

int32_t LFont::GetDescent() {
  LoadMetrics();
  return mDescent;
}

}  // namespace HV
