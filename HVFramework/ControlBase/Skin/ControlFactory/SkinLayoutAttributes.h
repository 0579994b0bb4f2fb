#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace HV {

class LLayoutDescriptor;

// How a skin attribute's text becomes a value.
enum class SkinValueKind : int32_t {
  Text,
  Bool,
  Decimal,
  HexOrDecimal,
  Float,
  PositionReference,  // "Parent"/"Screen" 0, "Client"/"Active Window" 1, else 2 + name
  SizeReference,      // as above, "Self" 2, else 3 + name
  LimitReference,     // "Self" none, else a named reference
  OverflowX,          // "Clip" 0, "Expand" 1, "Wrap" 2, else unchanged
  OverflowY,          // "Clip" 0, "Expand" 1, else unchanged
};

// The layout attributes of a SubControl element, one row each: the attribute,
// how its text is read and the field it sets. An absent attribute leaves the
// descriptor's default.
struct SkinLayoutAttribute {
  std::u16string_view name;
  SkinValueKind kind;
  bool ignoredUnderSkinRoot;  // TabStop and IsVisible of a top-level control
  void (*store)(LLayoutDescriptor& layout, std::u16string_view text);
};

std::span<const SkinLayoutAttribute> GetSkinLayoutAttributes();
// The row of an attribute name as the XML parser gives it (UTF-8); null for
// a name that is no layout attribute.
const SkinLayoutAttribute* FindSkinLayoutAttribute(std::string_view name);

// The font attributes of a SubControl, held until its Skin element: one row
// each with the default an absent attribute gives.
struct SkinPendingFont {
  bool inheritsFromParent = false;
  bool sizeIsRelative = false;
  StringW name;
  float size = 0;
  int32_t style = -1;
};

struct SkinFontAttribute {
  std::u16string_view name;
  SkinValueKind kind;
  std::u16string_view defaultText;
  void (*store)(SkinPendingFont& font, std::u16string_view text);
};

std::span<const SkinFontAttribute> GetSkinFontAttributes();

}  // namespace HV
