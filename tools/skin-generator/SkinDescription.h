#pragma once

// The skin description once its templates, repeats and expressions are
// expanded: what the skin and string documents are written from. Every
// entry keeps the place that made it, for the checks' messages.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace HV::SkinGenerator {

using NamedTexts = std::vector<std::pair<std::string, std::string>>;

// A solid colour; the documents get a colorizer and a part of its name.
struct ColourEntry {
  std::string name;
  uint32_t argb = 0;
  std::string place;
};

// Distances from the look's edges, positive inward; a missing one is not given.
struct EdgeOffsets {
  std::optional<int32_t> left, top, right, bottom;
};

// A rectangle of a picture (a PNG the build renders from the art's sources);
// looks draw it by its name wherever they take a colour, stretched to the
// place they give it.
struct ImageEntry {
  std::string name;
  std::string file;  // the picture's file name, found among the "GDIPLUS" resources
  int32_t x = 0, y = 0, width = 0, height = 0;
  std::string place;
};

struct LookFill {
  std::string colour;
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // insets
};

// A colour drawn over the fill: placed by the offsets given, sized by
// width and height where an edge is missing, centred where both are.
struct LookPart {
  std::string colour;
  EdgeOffsets offsets;
  int32_t width = 0, height = 0;
};

struct LookText {
  std::string colour;
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // insets of the text box
  double align = 0, valign = 0.5;                    // 0 left/top, 0.5 centre, 1 right/bottom
};

struct LookEntry {
  std::string name;
  std::optional<LookFill> fill;
  std::vector<LookPart> parts;
  std::optional<LookText> text;
  std::string place;
};

// Looks by state index; an empty name leaves the slot empty.
struct LookListEntry {
  std::string name;
  std::vector<std::string> looks;
  std::string place;
};

struct ControlEntry {
  std::string className;
  std::string name;
  NamedTexts attributes;  // skin attribute names, in the order given
  std::string skin;       // the skin style name; empty for none
  std::string lookList;   // empty for none
  NamedTexts params;      // create parameters
  std::vector<ControlEntry> children;
  std::string place;
};

struct SkinEntry {
  std::string name;
  std::string document;
  NamedTexts attributes;  // the skin-wide font
  std::vector<ControlEntry> controls;
  std::string place;
};

struct StringEntry {
  std::string id;
  std::string text;
  std::string place;
};

struct StringTableEntry {
  std::string key;
  std::vector<StringEntry> strings;
  std::string place;
};

struct StringDocumentEntry {
  std::string name;
  std::vector<StringTableEntry> tables;
};

struct SkinDescription {
  std::string application;
  std::vector<ColourEntry> colours;
  std::vector<ImageEntry> images;
  std::vector<LookEntry> looks;
  std::vector<LookListEntry> lookLists;
  std::vector<SkinEntry> skins;
  std::vector<StringDocumentEntry> stringDocuments;
};

}  // namespace HV::SkinGenerator
