// The look part of LControl: the looks made from the skin's look list, their
// weights, regions and images, and the geometry taken from the current look.
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"
#include "HVFramework/ObjectBase/UIThread.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace HV {
namespace {

constexpr double kCoordinateLimit = 4503599627370496.0;  // 2^52
constexpr double kTextWidthLimit = 8388608.0;            // 2^23

double Limited(double v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); }

LControl::Rect ToRect(const RectT<int32_t>& r) {
  return {Limited(r.x), Limited(r.y), Limited(r.width), Limited(r.height)};
}

const RCPtr<LLook>& NullLook() {
  static const RCPtr<LLook> none;
  return none;
}

}  // namespace

// --- Building ---

void LControl::CreateLooks(const LControlDescriptor& descriptor) {
  mLooks.SetCount(0);
  mLookWeights.clear();
  const LSkinDescriptor* skin = descriptor.GetSkin().Get();
  const LLookList* list = skin ? skin->lookList.Get() : nullptr;
  if (!list) return;
  const bool shouldWrapText = mLayout->textOverflowX == 2;  // "Wrap"
  // Only the slots that name a look make looks: the indices close up. Slots
  // naming the same look share one (a button's fourteen slots name about
  // half as many looks): it has the control's size, text and font whichever
  // slot shows it, and a slot gets a look of its own before anything changes
  // that look alone (OwnLook).
  std::vector<std::pair<const LLookDescriptor*, RCPtr<LLook>>> made;
  for (uint32_t i = 0; i < list->GetCount(); ++i) {
    const RCPtr<LLookDescriptor>& slot = *list->GetItemPtr(i);
    if (!slot) continue;
    auto same = std::find_if(made.begin(), made.end(), [&](const auto& m) { return m.first == slot.Get(); });
    if (same == made.end()) same = made.insert(made.end(), {slot.Get(), LLook::Create(slot, shouldWrapText)});
    AddLook(same->second);
  }
}

const RCPtr<LLook>& LControl::OwnLook(int32_t index) {
  if (index < 0 || static_cast<uint32_t>(index) >= mLooks.GetCount()) index = GetCurrentLookIndex();
  for (uint32_t i = 0; index < 0 && i < mLooks.GetCount(); ++i)
    if (mLooks.GetAt(i)) index = static_cast<int32_t>(i);
  if (index < 0) return NullLook();
  RCPtr<LLook>& look = mLooks.GetAt(static_cast<uint32_t>(index));
  if (!look) return look;
  bool shared = false;
  for (uint32_t i = 0; i < mLooks.GetCount() && !shared; ++i)
    shared = i != static_cast<uint32_t>(index) && mLooks.GetAt(i) == look;
  if (!shared) return look;
  // A fresh look of the same descriptor: a shared look is never changed
  // alone, so the fresh one shows the same.
  const RCPtr<LLook> own = LLook::Create(look->GetDescriptor(), mLayout->textOverflowX == 2);
  own->SetSize(RoundToInt32(mRect.width), RoundToInt32(mRect.height));
  own->SetText(mText);
  if (mFont) own->SetFont(mFont);
  own->SetTextEllipsis(!mLabelScrolls);
  own->GetRegion() = look->GetRegion();
  look = own;
  return look;
}

int32_t LControl::AddLook(const RCPtr<LLook>& look) {
  mLooks.AddItem(look);
  const int32_t index = static_cast<int32_t>(mLooks.GetCount()) - 1;
  if (mLookWeights.size() < mLooks.GetCount()) mLookWeights.push_back(0);
  if (look) {
    // A new look takes the control's size, text and font at once.
    look->SetSize(RoundToInt32(mRect.width), RoundToInt32(mRect.height));
    look->SetText(mText);
    if (mFont) look->SetFont(mFont);
    look->SetTextEllipsis(!mLabelScrolls);
  }
  return index;
}

void LControl::SetLabelScrolls(bool shouldScroll) {
  mLabelScrolls = shouldScroll;
  for (uint32_t i = mLooks.GetCount(); i-- > 0;)
    if (const RCPtr<LLook>& look = mLooks.GetAt(i)) look->SetTextEllipsis(!shouldScroll);
}

void LControl::SetLooksText(const StringW& text) {
  for (uint32_t i = mLooks.GetCount(); i-- > 0;)
    if (const RCPtr<LLook>& look = mLooks.GetAt(i)) look->SetText(text);
}

void LControl::SetLooksFont(const RCPtr<LFont>& font) {
  for (uint32_t i = mLooks.GetCount(); i-- > 0;)
    if (const RCPtr<LLook>& look = mLooks.GetAt(i)) look->SetFont(font);
}

void LControl::ResizeLooks(double width, double height) {
  const int32_t w = RoundToInt32(width);
  const int32_t h = RoundToInt32(height);
  for (uint32_t i = 0; i < mLooks.GetCount(); ++i)
    if (const RCPtr<LLook>& look = mLooks.GetAt(i)) look->SetSize(w, h);
}

// --- Selection ---

int32_t LControl::GetCurrentLookIndex() const {
  for (uint32_t i = 0; i < mLooks.GetCount() && i < mLookWeights.size(); ++i)
    if (mLooks.GetAt(i) && mLookWeights[i] > 0) return static_cast<int32_t>(i);
  return -1;
}

const RCPtr<LLook>& LControl::GetLook(int32_t index) const {
  if (index >= 0 && static_cast<uint32_t>(index) < mLooks.GetCount()) return mLooks.GetAt(index);
  const int32_t current = GetCurrentLookIndex();
  if (current >= 0) return mLooks.GetAt(current);
  for (uint32_t i = 0; i < mLooks.GetCount(); ++i)
    if (mLooks.GetAt(i)) return mLooks.GetAt(i);
  return NullLook();
}

float LControl::GetLookWeight(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= mLookWeights.size()) return 0;
  return mLookWeights[index];
}

HResult LControl::SetLookWeight(int32_t index, float weight, bool exclusive) {
  HV_ASSERT_UI_THREAD();
  if (index < 0 || static_cast<size_t>(index) >= mLookWeights.size()) return E_INVALIDARG;
  bool changed = false;
  if (weight >= 0 && weight <= 1 && mLookWeights[index] != weight) {
    mLookWeights[index] = weight;
    changed = true;
  }
  if (exclusive) {
    for (size_t i = 0; i < mLookWeights.size(); ++i) {
      if (i == static_cast<size_t>(index) || mLookWeights[i] == 0) continue;
      mLookWeights[i] = 0;
      changed = true;
    }
  }
  if (changed) InvalidateWhole();
  return S_OK;
}

HResult LControl::SelectLook(int32_t index) { return SetLookWeight(index, 1.0f, true); }

void LControl::InvalidateWhole() {
  HV_ASSERT_UI_THREAD();
  Invalidate(Rect{0, 0, mRect.width, mRect.height}, mLayout->clipToParent ? 1 : 0);
}

// --- Regions and images ---

HResult LControl::SetLookRegion(int32_t index, const LRectRegion& region) {
  HV_ASSERT_UI_THREAD();
  const RCPtr<LLook>& look = OwnLook(index);
  if (!look) return E_INVALIDARG;
  look->GetRegion().Clear();
  look->GetRegion().AppendRegion(region);
  InvalidateWhole();
  return S_OK;
}

HResult LControl::ClearLookRegions() {
  bool changed = false;
  for (uint32_t i = 0; i < mLooks.GetCount(); ++i) {
    const RCPtr<LLook>& look = mLooks.GetAt(i);
    if (!look || look->GetRegion().IsEmpty()) continue;
    look->GetRegion().Clear();
    changed = true;
  }
  if (changed) InvalidateWhole();
  return S_OK;
}

HResult LControl::SetLookRegionExcept(int32_t a, int32_t b) {
  const uint32_t count = mLooks.GetCount();
  if (a < 0 || b < 0 || static_cast<uint32_t>(a) >= count || static_cast<uint32_t>(b) >= count)
    return E_INVALIDARG;
  const RCPtr<LLook>& target = OwnLook(a);
  const RCPtr<LLook>& other = mLooks.GetAt(b);
  if (!target || !other) return E_INVALIDARG;
  LRectRegion region;
  region.AddRect({0, 0, RoundToInt32(mRect.width), RoundToInt32(mRect.height)});
  region.Subtract(other->GetRegion());
  target->GetRegion() = std::move(region);
  InvalidateWhole();
  return S_OK;
}

void LControl::UpdateLookRegions() {
  LRectRegion bounds;
  bounds.AddRect({0, 0, RoundToInt32(mRect.width), RoundToInt32(mRect.height)});
  for (uint32_t i = 0; i < mLooks.GetCount(); ++i) {
    const RCPtr<LLook>& look = mLooks.GetAt(i);
    if (look && !look->GetRegion().IsEmpty()) look->GetRegion().Intersect(bounds);
  }
}

HResult LControl::SetLookBitmap(const RCPtr<LBitmap>& bitmap, ResizeType resize, int32_t index,
                                bool replacesClient) {
  HV_ASSERT_UI_THREAD();
  const RCPtr<LLook>& look = OwnLook(index);
  if (!look) return E_FAIL;
  const int32_t result = look->SetBitmapPart(bitmap, resize, replacesClient);
  if (result != 1 && index == GetCurrentLookIndex()) InvalidateWhole();
  return result;
}

HResult LControl::SetLookPart(const RCPtr<LVisualPart>& part, int32_t index) {
  HV_ASSERT_UI_THREAD();
  if (!part) return GetLook(index) ? E_INVALIDARG : E_FAIL;
  const RCPtr<LLook>& look = OwnLook(index);
  if (!look) return E_FAIL;
  look->SetImagePart(part);
  if (index == GetCurrentLookIndex()) InvalidateWhole();
  return S_OK;
}

// --- Geometry of the current look ---

LControl::Rect LControl::GetLookBounds() const {
  const RCPtr<LLook>& look = GetLook(-1);
  if (!look) return Rect{0, 0, mRect.width, mRect.height};
  return ToRect({0, 0, look->GetWidth(), look->GetHeight()});
}

LControl::Rect LControl::GetLocalBounds() const {
  const RCPtr<LLook>& look = GetLook(-1);
  if (!look) return Rect{0, 0, mRect.width, mRect.height};
  return Rect{0, 0, double(look->GetWidth()), double(look->GetHeight())};
}

LControl::Rect LControl::GetClientArea() const {
  const Rect local = GetLocalBounds();
  return Rect{mScrollOffset.x, mScrollOffset.y, local.width, local.height};
}

LControl::Rect LControl::GetClientOffsets(int32_t lookIndex) const {
  const RCPtr<LLook>& look = GetLook(lookIndex);
  if (!look) return Rect{0, 0, mRect.width, mRect.height};
  return ToRect(look->GetClientRect());
}

// --- Hit testing and text ---

uint32_t LControl::GetLookColorAt(int32_t index, const Point& point) const {
  const RCPtr<LLook>& look = GetLook(index);
  if (!look) return LVisualPart::kTransparent;
  return look->GetColorAtPoint({RoundToInt32(point.x), RoundToInt32(point.y)});
}

bool LControl::IsTransparentAt(const Point& point) const {
  for (uint32_t i = 0; i < mLooks.GetCount() && i < mLookWeights.size(); ++i) {
    if (!mLooks.GetAt(i) || !(mLookWeights[i] > 0)) continue;
    if (GetLookColorAt(static_cast<int32_t>(i), point) > LVisualPart::kTransparent) return false;
  }
  return true;
}

bool LControl::IsTextClipped() const {
  const RCPtr<LLook>& look = GetLook(-1);
  if (!look) return false;
  const float width = static_cast<float>(std::clamp(mRect.width, -kTextWidthLimit, kTextWidthLimit));
  float areaWidth = 0;
  if (look->GetDescriptor() && look->GetDescriptor()->HasTextProperties()) {
    const SkinTextProperties& t = look->GetDescriptor()->GetTextProperties();
    areaWidth = (static_cast<float>(t.rightAbsolute) + t.rightRelative * width) -
                (static_cast<float>(t.leftAbsolute) + t.leftRelative * width);
  }
  const RCPtr<LFontText>& text = look->GetTextPart();
  if (!text || text->NeedsLayout()) return !mText.IsEmpty();
  return text->GetLineRects().front().width > areaWidth;
}

}  // namespace HV
