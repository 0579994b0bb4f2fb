#pragma once

#include "tools/skin-generator/SkinDescription.h"
#include "tools/skin-generator/SourceLine.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace HV::SkinGenerator {

// DocumentGenerator: the whole road from the description's lines to the
// documents: expanded, checked, then written, each document under the
// resource name the description gives it ("APP_SKINS", "APP_STRINGS"...).
// Throws a DescriptionError for the first fault of the description.
class DocumentGenerator {
 public:
  static std::map<std::string, std::vector<uint8_t>> Generate(const std::vector<SourceLine>& lines);
  // The documents of a description already expanded and checked.
  static std::map<std::string, std::vector<uint8_t>> Generate(const SkinDescription& description);
  // Expands and checks the description's lines.
  static SkinDescription Describe(const std::vector<SourceLine>& lines);
};

}  // namespace HV::SkinGenerator
