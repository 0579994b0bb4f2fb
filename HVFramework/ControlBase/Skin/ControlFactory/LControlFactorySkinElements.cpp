// The skin document's elements: what each start tag adds to the factory.

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LDockedPart.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LSkinDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/SkinValueText.h"
#include "HVFramework/ObjectBase/Exception.h"

#include <array>
#include <optional>
#include <string>

namespace HV {
namespace {

constexpr char16_t kRootClass[] = u"Application";
// A look list longer than this is refused: NumLooks comes from outside.
constexpr int32_t kMaxLooksPerList = 4096;
// Controls nested deeper than this fail the load: descriptor trees are walked
// and released recursively, and no skin comes near it.
constexpr int kMaxControlDepth = 256;

int DepthBelow(const LControlDescriptor* parent) {
  int depth = 0;
  for (; parent && depth <= kMaxControlDepth; parent = parent->GetParent()) ++depth;
  return depth;
}

std::u16string_view View(const StringW* value) { return value ? value->GetView() : std::u16string_view(); }

std::u16string_view View(std::optional<std::u16string_view> value) {
  return value.value_or(std::u16string_view());
}

int32_t HexOrDecimal(const StringW* value) { return SkinValueText::ParseHexOrDecimal(View(value)); }
int32_t HexOrDecimal(std::optional<std::u16string_view> value) {
  return SkinValueText::ParseHexOrDecimal(View(value));
}

// Whether every named attribute is present.
bool HasAll(const XmlAttributes& a, std::initializer_list<std::u16string_view> names) {
  for (std::u16string_view name : names)
    if (!a.Has(name)) return false;
  return true;
}

template <class T>
void RegisterFirst(std::map<StringW, RCPtr<T>>& map, const StringW& name, const RCPtr<T>& item) {
  map.emplace(name, item);  // a name already present keeps its first definition
}

int32_t ColorTypeOf(std::u16string_view text) {
  if (text == u"LinearGradient") return LColorizer::LinearGradient;
  if (text == u"RadialGradient") return LColorizer::RadialGradient;
  return LColorizer::SolidFill;
}

int32_t ResizeTypeOf(std::u16string_view text) {
  if (text == u"Tile") return LVisualPartDescriptor::kTile;
  if (text == u"Center") return LVisualPartDescriptor::kCenter;
  return LVisualPartDescriptor::kStretch;
}

}  // namespace

std::span<const LControlFactory::ElementRow> LControlFactory::SkinElements() {
  // In the order the names are compared.
  static constexpr ElementRow kRows[] = {
      {u"Skins", &LControlFactory::OnSkins},
      {u"Skin", &LControlFactory::OnSkin},
      {u"FontLocale", &LControlFactory::OnFontLocale},
      {u"FontXLat", &LControlFactory::OnFontXLat},
      {u"SubControl", &LControlFactory::OnSubControl},
      {u"CreateParamList", &LControlFactory::OnCreateParamList},
      {u"CreateParam", &LControlFactory::OnCreateParam},
      {u"LookList", &LControlFactory::OnLookList},
      {u"LookLists", &LControlFactory::OnLookLists},
      {u"Look", &LControlFactory::OnLook},
      {u"Looks", &LControlFactory::OnLooks},
      {u"ClientPart", &LControlFactory::OnClientPart},
      {u"TextProperties", &LControlFactory::OnTextProperties},
      {u"NonClientParts", &LControlFactory::OnNonClientParts},
      {u"NonClientPart", &LControlFactory::OnNonClientPart},
      {u"Parts", &LControlFactory::OnParts},
      {u"Part", &LControlFactory::OnPart},
      {u"Colorizers", &LControlFactory::OnColorizers},
      {u"Colorizer", &LControlFactory::OnColorizer},
  };
  return kRows;
}

void LControlFactory::OnSkins(const XmlAttributes&) {}
void LControlFactory::OnNonClientParts(const XmlAttributes&) {}
void LControlFactory::OnParts(const XmlAttributes&) {}
void LControlFactory::OnColorizers(const XmlAttributes&) {}
void LControlFactory::OnLooks(const XmlAttributes&) { mInsideLooks = true; }
void LControlFactory::OnLookLists(const XmlAttributes&) { mCurrentControl = nullptr; }

void LControlFactory::OnColorizer(const XmlAttributes& a) {
  const StringW* name = a.Find(u"Name");
  const StringW* type = a.Find(u"ColorType");
  const StringW* colorText = a.Find(u"Color");
  if (!name || !type || !colorText) return;
  Color color;
  SkinValueText::ParseColor(colorText->GetView(), color);
  int32_t kind = ColorTypeOf(type->GetView());
  RCPtr<LColorizer> colorizer;
  if (kind != LColorizer::SolidFill && HasAll(a, {u"GradientEndColor", u"GradientStartX", u"GradientStartY",
                                                  u"GradientEndX", u"GradientEndY"})) {
    Color end;
    SkinValueText::ParseColor(View(a.FindText(u"GradientEndColor")), end);
    auto coordinate = [&](std::u16string_view attribute) {
      return SkinValueText::ParseFloat(View(a.FindText(attribute)));
    };
    colorizer = LColorizer::Create(*name, kind, color, end, coordinate(u"GradientStartX"),
                                   coordinate(u"GradientStartY"), coordinate(u"GradientEndX"),
                                   coordinate(u"GradientEndY"));
  } else {
    colorizer = LColorizer::Create(*name, LColorizer::SolidFill, color);
  }
  RegisterFirst(mColorizers, *name, colorizer);
}

void LControlFactory::OnPart(const XmlAttributes& a) {
  if (!HasAll(a, {u"Name", u"Width", u"Height", u"ResizeType"})) return;
  const StringW& name = *a.Find(u"Name");
  const int32_t width = HexOrDecimal(a.FindText(u"Width"));
  const int32_t height = HexOrDecimal(a.FindText(u"Height"));
  const int32_t resizeType = ResizeTypeOf(View(a.FindText(u"ResizeType")));

  SkinImageReference image;
  const StringW* imageFile = a.Find(u"ImageFile");
  if (imageFile && !imageFile->IsEmpty() && HasAll(a, {u"ImageLocX", u"ImageLocY"}))
    image = {mBaseLocation + imageFile->ToLower(), HexOrDecimal(a.FindText(u"ImageLocX")),
             HexOrDecimal(a.FindText(u"ImageLocY")), width, height};
  RCPtr<LColorizer> colorizer;
  if (const StringW* colorizerName = a.Find(u"ColorizerName")) colorizer = FindColorizer(*colorizerName);

  float alphaModifier = 1;
  SkinImageReference mask;
  if (!image.IsEmpty() || colorizer) {
    if (const StringW* alpha = a.Find(u"ColorizerAlphaMod"))
      alphaModifier = SkinValueText::ParseFloat(alpha->GetView());
    const StringW* maskFile = a.Find(u"ColorizerMaskFile");
    if (maskFile && HasAll(a, {u"MaskLocX", u"MaskLocY"}))
      mask = {mBaseLocation + *maskFile, HexOrDecimal(a.FindText(u"MaskLocX")),
              HexOrDecimal(a.FindText(u"MaskLocY")), width, height};
  }
  for (const SkinImageReference* reference : {&image, &mask})
    if (!reference->IsEmpty()) mImagePrefetch.Add(reference->path);
  RCPtr<LVisualPartDescriptor> part =
      !image.IsEmpty()
          ? LVisualPartDescriptor::CreateImagePart(name, image, resizeType, colorizer, alphaModifier, mask)
          : LVisualPartDescriptor::CreateColorizerPart(name, resizeType, colorizer, width, height,
                                                       alphaModifier, mask);
  if (part) RegisterFirst(mParts, name, part);
}

void LControlFactory::OnLook(const XmlAttributes& a) {
  if (mInsideLooks) {
    const StringW* name = a.Find(u"Name");
    if (!name) return;
    mCurrentLook = LLookDescriptor::Create(*name);
    RegisterFirst(mLooks, *name, mCurrentLook);
    return;
  }
  const StringW* name = a.Find(u"Name");
  const StringW* index = a.Find(u"Index");
  if (!name || !index || !mCurrentLookList) return;
  const RCPtr<LLookDescriptor> look = FindLook(*name);
  if (!look) return;
  const int32_t slot = SkinValueText::ParseDecimal(index->GetView());
  if (slot < 0 || static_cast<uint32_t>(slot) >= mCurrentLookList->GetCount())
    Throw<std::out_of_range>(HV_HERE("HV::RCPtrArray<class HV::LLookDescriptor,1,0>::GetAt"));
  *mCurrentLookList->GetItemPtr(static_cast<uint32_t>(slot)) = look;
}

void LControlFactory::OnClientPart(const XmlAttributes& a) {
  if (!mCurrentLook || !HasAll(a, {u"Name", u"OffsetLeft", u"OffsetTop", u"OffsetRight", u"OffsetBottom"}))
    return;
  const RCPtr<LVisualPartDescriptor> part = FindPart(*a.Find(u"Name"));
  if (!part) return;
  const SkinPartPlacement placement{SkinPartPlacement::kAll, HexOrDecimal(a.FindText(u"OffsetLeft")),
                                    HexOrDecimal(a.FindText(u"OffsetTop")),
                                    HexOrDecimal(a.FindText(u"OffsetRight")),
                                    HexOrDecimal(a.FindText(u"OffsetBottom"))};
  mCurrentLook->SetClientPart(LDockedPart::Create(part, placement));
}

void LControlFactory::OnNonClientPart(const XmlAttributes& a) {
  const StringW* name = a.Find(u"Name");
  if (!mCurrentLook || !name) return;
  const RCPtr<LVisualPartDescriptor> part = FindPart(*name);
  if (!part) return;
  struct OffsetRow {
    std::u16string_view attribute;
    int32_t flag;
    int32_t SkinPartPlacement::*field;
  };
  static constexpr OffsetRow kOffsets[] = {
      {u"OffsetLeft", SkinPartPlacement::kLeft, &SkinPartPlacement::left},
      {u"OffsetTop", SkinPartPlacement::kTop, &SkinPartPlacement::top},
      {u"OffsetRight", SkinPartPlacement::kRight, &SkinPartPlacement::right},
      {u"OffsetBottom", SkinPartPlacement::kBottom, &SkinPartPlacement::bottom},
  };
  SkinPartPlacement placement;
  for (const OffsetRow& row : kOffsets) {
    if (const StringW* value = a.Find(row.attribute)) {
      placement.offsetFlags |= row.flag;
      placement.*row.field = HexOrDecimal(value);
    }
  }
  const int32_t width = HexOrDecimal(a.FindText(u"Width"));
  const int32_t height = HexOrDecimal(a.FindText(u"Height"));
  mCurrentLook->AppendNonClientPart(
      LDockedPart::Create(part, placement, width > 0, width, height > 0, height));
}

void LControlFactory::OnTextProperties(const XmlAttributes& a) {
  if (!mCurrentLook || !HasAll(a, {u"TextLeftRel", u"TextLeftAbs", u"TextRightRel", u"TextRightAbs",
                                   u"TextHAlign", u"TextTopRel", u"TextTopAbs", u"TextBottomRel",
                                   u"TextBottomAbs", u"TextVAlign", u"TextForegroundPart"}))
    return;
  const RCPtr<LVisualPartDescriptor> foreground = FindPart(*a.Find(u"TextForegroundPart"));
  if (!foreground) return;
  auto real = [&](std::u16string_view name) { return SkinValueText::ParseFloat(View(a.FindText(name))); };
  auto whole = [&](std::u16string_view name) { return HexOrDecimal(a.FindText(name)); };
  const SkinTextProperties text{real(u"TextLeftRel"),   whole(u"TextLeftAbs"),  real(u"TextRightRel"),
                                whole(u"TextRightAbs"), real(u"TextHAlign"),    real(u"TextTopRel"),
                                whole(u"TextTopAbs"),   real(u"TextBottomRel"), whole(u"TextBottomAbs"),
                                real(u"TextVAlign")};
  mCurrentLook->SetTextProperties(text, foreground);
}

void LControlFactory::OnLookList(const XmlAttributes& a) {
  const StringW* name = a.Find(u"Name");
  const StringW* count = a.Find(u"NumLooks");
  if (!name || !count) return;
  if (FindLookList(*name)) {
    mCurrentLookList = nullptr;  // the first definition stays; this one's looks are ignored
  } else {
    const int32_t slots = HexOrDecimal(count);
    if (slots < 0 || slots > kMaxLooksPerList) return;
    mCurrentLookList = LLookList::Create(static_cast<uint32_t>(slots));
    RegisterFirst(mLookLists, *name, mCurrentLookList);
  }
  if (mCurrentControl && mCurrentControl->GetSkin())
    mCurrentControl->GetSkin()->lookList = FindLookList(*name);
}

void LControlFactory::OnSkin(const XmlAttributes& a) {
  if (mCurrentControl)
    StartControlSkin(a);
  else
    StartTopLevelSkin(a);
}

void LControlFactory::StartTopLevelSkin(const XmlAttributes& a) {
  RCPtr<LControlDescriptor> root = LControlDescriptor::Create(StringW(kRootClass), mApplicationName, nullptr);
  RCPtr<LSkinDescriptor> skin = LSkinDescriptor::Create(a.Has(u"Name") ? *a.Find(u"Name") : StringW());
  if (const StringW* fontName = a.Find(u"FontName")) skin->font.name = *fontName;
  if (const StringW* fontSize = a.Find(u"FontSize"))
    skin->font.size = SkinValueText::ParseFloat(fontSize->GetView());
  if (const StringW* fontStyle = a.Find(u"FontStyle")) skin->font.style = HexOrDecimal(fontStyle);
  root->SetSkin(skin);
  mCurrentSkinIndex = mSkins.AddItem(root);
  mCurrentControl = root;
  mFontTranslations.clear();
}

void LControlFactory::StartControlSkin(const XmlAttributes& a) {
  RCPtr<LSkinDescriptor> skin = LSkinDescriptor::Create(a.Has(u"Name") ? *a.Find(u"Name") : StringW());
  skin->font = mPendingFont;
  skin->font.name = TranslateFontName(mPendingFont.name);
  if (const StringW* lookList = a.Find(u"LookList")) skin->lookList = FindLookList(*lookList);
  mCurrentControl->SetSkin(skin);
}

StringW LControlFactory::TranslateFontName(const StringW& name) const {
  auto at = mFontTranslations.find(name);
  return at == mFontTranslations.end() ? name : at->second;
}

void LControlFactory::OnFontLocale(const XmlAttributes& a) {
  mFontLocale = HexOrDecimal(a.FindText(u"LCID"));
}

void LControlFactory::OnFontXLat(const XmlAttributes& a) {
  const StringW* name = a.Find(u"Name");
  const StringW* translation = a.Find(u"XLat");
  if (!name || !translation) return;
  AwaitStringTables();  // the language they chose decides
  if (mFontLocale != mLanguageId) return;
  mFontTranslations.emplace(*name, *translation);
  if (mCurrentControl && mCurrentControl->GetSkin() && mCurrentControl->GetSkin()->font.name == *name)
    mCurrentControl->GetSkin()->font.name = *translation;
}

void LControlFactory::OnSubControl(const XmlAttributes& a) {
  const StringW* className = a.Find(u"Class");
  const StringW* name = a.Find(u"Name");
  if (!className || !name)
    Throw<std::runtime_error>("Bad Subcontrol Element", SourceLocation{"HV::LControlFactory::XMLStartElement",
                                                                       "ControlBase\\ControlFactory", 1089});

  LControlDescriptor* parent = mCurrentControl.Get();
  if (DepthBelow(parent) >= kMaxControlDepth)
    Throw<std::runtime_error>("Subcontrols Nested Deeper Than " + std::to_string(kMaxControlDepth) + " Levels",
                              HV_HERE("HV::LControlFactory::XMLStartElement"));
  RCPtr<LControlDescriptor> control = LControlDescriptor::Create(*className, *name, parent);
  if (parent)
    parent->AppendChild(control);
  else
    mDetachedControls.AddItem(control);

  const bool underSkinRoot = parent && parent->GetClassName() == kRootClass;
  RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  for (size_t i = 0; i < a.GetCount(); ++i) {
    const SkinLayoutAttribute* row = FindSkinLayoutAttribute(a.GetRawName(i));
    if (!row || (row->ignoredUnderSkinRoot && underSkinRoot)) continue;
    row->store(*layout, a.GetText(i));
  }
  control->SetLayout(layout);

  mPendingFont = {};
  for (const SkinFontAttribute& row : GetSkinFontAttributes()) {
    const std::optional<std::u16string_view> value = a.FindText(row.name);
    row.store(mPendingFont, value.value_or(row.defaultText));
  }
  if (!a.Has(u"FontSize")) mPendingFont.sizeIsRelative = false;
  mCurrentControl = control;
}

void LControlFactory::OnCreateParamList(const XmlAttributes&) {
  mCurrentCreateParams = LStringTable::Create();
}

void LControlFactory::OnCreateParam(const XmlAttributes& a) {
  const StringW* id = a.Find(u"ID");
  if (!id) return;
  mInsideCreateParam = true;
  mCurrentTextId = *id;
  mCurrentParamText.Clear();
}

}  // namespace HV
