#pragma once

#include "tools/skin-generator/SkinDescription.h"

#include <string>

namespace HV::SkinGenerator {

// SkinDocumentWriter: the skin document (UTF-8) of the skins that name
// document: colorizers and a part for every colour, the looks, the look
// lists, then the skins, each control with its layout order (its place among
// its siblings), its attributes, create parameters and skin.
class SkinDocumentWriter {
 public:
  static std::string Write(const SkinDescription& description, const std::string& document);

 private:
  explicit SkinDocumentWriter(const SkinDescription& description) : mDescription(description) {}

  void WriteColours();
  void WriteLooks();
  void WriteLook(const LookEntry& look);
  void WriteLookLists();
  void WriteControl(const ControlEntry& control, int layoutOrder, int depth);
  void Line(int depth, const std::string& text);

  const SkinDescription& mDescription;
  std::string mOut;
};

}  // namespace HV::SkinGenerator
