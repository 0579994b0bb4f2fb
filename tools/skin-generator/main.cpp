// tarsel-skin-generator DESCRIPTION OUTPUT_FOLDER [ART_LAYOUT]
// Writes the skin and string documents the description names into
// OUTPUT_FOLDER, one file per document named as its resource, and, when
// asked, the art layout (the skin's images and the places of its controls)
// for the art composer. A fault of the description is reported with its file
// and line, and nothing is written.

#include "tools/skin-generator/ArtLayoutWriter.h"
#include "tools/skin-generator/DescriptionError.h"
#include "tools/skin-generator/DescriptionReader.h"
#include "tools/skin-generator/DocumentGenerator.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

bool WriteFile(const std::filesystem::path& path, const void* bytes, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
  if (out) return true;
  std::fprintf(stderr, "tarsel-skin-generator: cannot write %s\n", path.c_str());
  return false;
}

int WriteDocuments(const std::filesystem::path& source, const std::filesystem::path& folder,
                   const std::filesystem::path& layout) {
  using namespace HV::SkinGenerator;
  const SkinDescription description = DocumentGenerator::Describe(DescriptionReader().ReadFile(source));
  const auto documents = DocumentGenerator::Generate(description);
  std::filesystem::create_directories(folder);
  for (const auto& [name, bytes] : documents)
    if (!WriteFile(folder / name, bytes.data(), bytes.size())) return 1;
  if (layout.empty()) return 0;
  const std::string text = ArtLayoutWriter::Write(description);
  return WriteFile(layout, text.data(), text.size()) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: tarsel-skin-generator DESCRIPTION OUTPUT_FOLDER [ART_LAYOUT]\n");
    return 2;
  }
  try {
    return WriteDocuments(argv[1], argv[2], argc == 4 ? argv[3] : "");
  } catch (const HV::SkinGenerator::DescriptionError& error) {
    std::fprintf(stderr, "tarsel-skin-generator: %s\n", error.what());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tarsel-skin-generator: %s\n", error.what());
  }
  return 1;
}
