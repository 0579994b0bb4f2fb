#include "tools/skin-generator/DocumentGenerator.h"

#include "tools/skin-generator/DescriptionChecks.h"
#include "tools/skin-generator/DescriptionError.h"
#include "tools/skin-generator/DescriptionExpander.h"
#include "tools/skin-generator/SkinDocumentWriter.h"
#include "tools/skin-generator/StringDocumentWriter.h"

namespace HV::SkinGenerator {

SkinDescription DocumentGenerator::Describe(const std::vector<SourceLine>& lines) {
  SkinDescription description = DescriptionExpander().Expand(lines);
  DescriptionChecks::Check(description);
  return description;
}

std::map<std::string, std::vector<uint8_t>> DocumentGenerator::Generate(const std::vector<SourceLine>& lines) {
  return Generate(Describe(lines));
}

std::map<std::string, std::vector<uint8_t>> DocumentGenerator::Generate(const SkinDescription& description) {
  std::map<std::string, std::vector<uint8_t>> documents;
  for (const SkinEntry& skin : description.skins) {
    if (documents.count(skin.document)) continue;
    const std::string text = SkinDocumentWriter::Write(description, skin.document);
    documents.emplace(skin.document, std::vector<uint8_t>(text.begin(), text.end()));
  }
  for (const StringDocumentEntry& document : description.stringDocuments) {
    if (documents.count(document.name))
      throw DescriptionError("\"" + document.name + "\" is the name of a skin document and a string document");
    documents.emplace(document.name, StringDocumentWriter::Write(description.application, document));
  }
  return documents;
}

}  // namespace HV::SkinGenerator
