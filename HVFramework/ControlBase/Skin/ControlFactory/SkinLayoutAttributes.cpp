#include "HVFramework/ControlBase/Skin/ControlFactory/SkinLayoutAttributes.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LLayoutDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/SkinValueText.h"
#include "HVFramework/Utilities/Storage/TextKeyHash.h"

#include <string>
#include <unordered_map>

namespace HV {
namespace {

using D = LLayoutDescriptor;
using K = SkinValueKind;
constexpr int X = LLayoutDescriptor::kX;
constexpr int Y = LLayoutDescriptor::kY;

StringW ToString(std::u16string_view text) { return StringW(std::u16string(text).c_str()); }

template <SkinValueKind Kind>
auto Convert(std::u16string_view text) {
  if constexpr (Kind == K::Text) return ToString(text);
  if constexpr (Kind == K::Bool) return SkinValueText::ParseBool(text);
  if constexpr (Kind == K::Decimal) return SkinValueText::ParseDecimal(text);
  if constexpr (Kind == K::HexOrDecimal) return SkinValueText::ParseHexOrDecimal(text);
  if constexpr (Kind == K::Float) return SkinValueText::ParseFloat(text);
}

// Reference modes shared by positions and sizes; -1 for a name.
int32_t CommonReferenceMode(std::u16string_view text) {
  if (text == u"Parent" || text == u"Screen") return 0;
  if (text == u"Client" || text == u"Active Window") return 1;
  return -1;
}

void StoreReference(LLayoutPosition& position, std::u16string_view text) {
  const int32_t mode = CommonReferenceMode(text);
  position.referenceMode = mode >= 0 ? mode : 2;
  position.referenceName = mode >= 0 ? StringW() : ToString(text);
}

void StoreReference(LLayoutSize& size, std::u16string_view text) {
  int32_t mode = CommonReferenceMode(text);
  if (mode < 0 && text == u"Self") mode = 2;
  size.referenceMode = mode >= 0 ? mode : 3;
  size.referenceName = mode >= 0 ? StringW() : ToString(text);
}

void StoreReference(LLayoutSizeLimit& limit, std::u16string_view text) {
  limit.hasNamedReference = text != u"Self";
  limit.referenceName = limit.hasNamedReference ? ToString(text) : StringW();
}

template <auto Field, SkinValueKind Kind>
void StoreField(D& layout, std::u16string_view text) {
  layout.*Field = Convert<Kind>(text);
}

template <auto Axes, int Axis, auto Member, SkinValueKind Kind>
void StoreAxisField(D& layout, std::u16string_view text) {
  (layout.*Axes)[Axis].*Member = Convert<Kind>(text);
}

template <auto Axes, int Axis>
void StoreAxisReference(D& layout, std::u16string_view text) {
  StoreReference((layout.*Axes)[Axis], text);
}

template <int Axis>
void StoreDocked(D& layout, std::u16string_view text) {
  layout.docked[Axis] = SkinValueText::ParseBool(text);
}

void StoreOverflowX(D& layout, std::u16string_view text) {
  if (text == u"Clip") layout.textOverflowX = 0;
  if (text == u"Expand") layout.textOverflowX = 1;
  if (text == u"Wrap") layout.textOverflowX = 2;
}

void StoreOverflowY(D& layout, std::u16string_view text) {
  if (text == u"Clip") layout.textOverflowY = 0;
  if (text == u"Expand") layout.textOverflowY = 1;
}

template <SkinValueKind Kind, auto Field>
constexpr SkinLayoutAttribute Plain(std::u16string_view name, bool ignoredUnderSkinRoot = false) {
  return {name, Kind, ignoredUnderSkinRoot, &StoreField<Field, Kind>};
}

template <SkinValueKind Kind, auto Axes, int Axis, auto Member>
constexpr SkinLayoutAttribute OnAxis(std::u16string_view name) {
  return {name, Kind, false, &StoreAxisField<Axes, Axis, Member, Kind>};
}

template <SkinValueKind Kind, auto Axes, int Axis>
constexpr SkinLayoutAttribute Reference(std::u16string_view name) {
  return {name, Kind, false, &StoreAxisReference<Axes, Axis>};
}

constexpr auto kPos = &D::position;
constexpr auto kSize = &D::size;
constexpr auto kMin = &D::minimum;
constexpr auto kMax = &D::maximum;

constexpr SkinLayoutAttribute kLayoutAttributes[] = {
    Plain<K::Bool, &D::clipToParent>(u"ClipToParent"),
    Plain<K::Decimal, &D::zOrder>(u"Z_Order"),
    Plain<K::Decimal, &D::tabStop>(u"TabStop", true),
    Plain<K::HexOrDecimal, &D::layoutOrder>(u"LayoutOrder"),
    Plain<K::Bool, &D::visible>(u"IsVisible", true),
    OnAxis<K::Float, kPos, X, &LLayoutPosition::placementAnchor>(u"XPlacementAnchor"),
    OnAxis<K::Float, kPos, Y, &LLayoutPosition::placementAnchor>(u"YPlacementAnchor"),
    {u"XIsDocked", K::Bool, false, &StoreDocked<X>},
    {u"YIsDocked", K::Bool, false, &StoreDocked<Y>},
    Reference<K::PositionReference, kPos, X>(u"XPositionToControl"),
    Reference<K::PositionReference, kPos, Y>(u"YPositionToControl"),
    OnAxis<K::Float, kPos, X, &LLayoutPosition::relative>(u"XPositionRel"),
    OnAxis<K::Float, kPos, Y, &LLayoutPosition::relative>(u"YPositionRel"),
    OnAxis<K::Decimal, kPos, X, &LLayoutPosition::absolute>(u"XPositionAbs"),
    OnAxis<K::Decimal, kPos, Y, &LLayoutPosition::absolute>(u"YPositionAbs"),
    Reference<K::SizeReference, kSize, X>(u"XSizeToControl"),
    Reference<K::SizeReference, kSize, Y>(u"YSizeToControl"),
    OnAxis<K::Float, kSize, X, &LLayoutSize::relative>(u"XSizeRel"),
    OnAxis<K::Float, kSize, Y, &LLayoutSize::relative>(u"YSizeRel"),
    OnAxis<K::Decimal, kSize, X, &LLayoutSize::absolute>(u"XSizeAbs"),
    OnAxis<K::Decimal, kSize, Y, &LLayoutSize::absolute>(u"YSizeAbs"),
    Reference<K::LimitReference, kMin, X>(u"XMinSizeToControl"),
    Reference<K::LimitReference, kMin, Y>(u"YMinSizeToControl"),
    Reference<K::LimitReference, kMax, X>(u"XMaxSizeToControl"),
    Reference<K::LimitReference, kMax, Y>(u"YMaxSizeToControl"),
    OnAxis<K::Float, kMin, X, &LLayoutSizeLimit::relative>(u"XMinSizeRel"),
    OnAxis<K::Float, kMin, Y, &LLayoutSizeLimit::relative>(u"YMinSizeRel"),
    OnAxis<K::Float, kMax, X, &LLayoutSizeLimit::relative>(u"XMaxSizeRel"),
    OnAxis<K::Float, kMax, Y, &LLayoutSizeLimit::relative>(u"YMaxSizeRel"),
    OnAxis<K::Decimal, kMin, X, &LLayoutSizeLimit::absolute>(u"XMinSizeAbs"),
    OnAxis<K::Decimal, kMin, Y, &LLayoutSizeLimit::absolute>(u"YMinSizeAbs"),
    OnAxis<K::Decimal, kMax, X, &LLayoutSizeLimit::absolute>(u"XMaxSizeAbs"),
    OnAxis<K::Decimal, kMax, Y, &LLayoutSizeLimit::absolute>(u"YMaxSizeAbs"),
    Plain<K::Text, &D::textDecoration>(u"TextDecoration"),
    {u"TextOverflowXType", K::OverflowX, false, &StoreOverflowX},
    {u"TextOverflowYType", K::OverflowY, false, &StoreOverflowY},
};

template <auto Field, SkinValueKind Kind>
void StoreFontField(SkinPendingFont& font, std::u16string_view text) {
  font.*Field = Convert<Kind>(text);
}

template <SkinValueKind Kind, auto Field>
constexpr SkinFontAttribute Font(std::u16string_view name, std::u16string_view defaultText) {
  return {name, Kind, defaultText, &StoreFontField<Field, Kind>};
}

using F = SkinPendingFont;
constexpr SkinFontAttribute kFontAttributes[] = {
    Font<K::Bool, &F::inheritsFromParent>(u"FontInheritsFromParent", u"False"),
    Font<K::Bool, &F::sizeIsRelative>(u"FontSizeIsRelative", u"False"),
    Font<K::Text, &F::name>(u"FontName", u""),
    Font<K::Float, &F::size>(u"FontSize", u"0"),
    Font<K::HexOrDecimal, &F::style>(u"FontStyle", u"-1"),
};

}  // namespace

std::span<const SkinLayoutAttribute> GetSkinLayoutAttributes() { return kLayoutAttributes; }
std::span<const SkinFontAttribute> GetSkinFontAttributes() { return kFontAttributes; }

const SkinLayoutAttribute* FindSkinLayoutAttribute(std::string_view name) {
  // Asked for every attribute of every control of a skin: hashed.
  using ByName = std::unordered_map<std::string, const SkinLayoutAttribute*, NarrowTextKeyHash, std::equal_to<>>;
  static const ByName kByName = [] {
    ByName byName;
    for (const SkinLayoutAttribute& row : kLayoutAttributes)
      byName.emplace(std::string(row.name.begin(), row.name.end()), &row);  // the names are ASCII
    return byName;
  }();
  auto at = kByName.find(name);
  return at == kByName.end() ? nullptr : at->second;
}

}  // namespace HV
